#pragma once

#include <QObject>

class QWidget;

// Waits until a widget (or anything inside it) has been painted, and then until that paint
// cycle has finished.
class FirstPaint : public QObject
{
    Q_OBJECT

public:
    // Returns false when nothing was painted within the timeout.
    static bool wait(QWidget *widget, int timeoutMs = 5000);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit FirstPaint(QWidget *widget) : m_widget(widget) {}

    QWidget *m_widget;
    bool m_painted = false;
    bool m_finished = false;
};
