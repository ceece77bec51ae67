#pragma once

#include <QObject>

class ORVA2;

// What the program keeps between runs: where its window was and the last port connected
// from the start page. Both come back when the memory is attached to a window; the port is
// kept each time one connects, the place when the window closes.
class WindowMemory : public QObject
{
public:
    explicit WindowMemory(ORVA2 &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ORVA2 &m_window;
};
