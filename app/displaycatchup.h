#pragma once

#include <QObject>

class QMainWindow;

// On X11 a window's pixels reach the display server through memory the two share, and before
// painting over pixels it has sent, the toolkit waits until the server has read them. After a
// paint of the whole window (a page's first, a resize) the server takes several milliseconds,
// and the wait fell on the next paint: the form loaded from the relay's answer. This waits
// while the program is idle instead, right after such a paint.
class DisplayCatchUp : public QObject
{
public:
    // Does nothing where the window's pixels do not go to an X server.
    explicit DisplayCatchUp(QMainWindow *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void customEvent(QEvent *event) override;

private:
    QMainWindow *m_window;
    bool m_posted = false;
};
