#pragma once

#include <QObject>

class QElapsedTimer;
class QWidget;

// Waits until a widget (or anything inside it) has been painted, and then until that paint
// cycle has finished.
class FirstPaint : public QObject
{
    Q_OBJECT

public:
    // Returns false when nothing was painted within the timeout. With a clock, the time on it
    // when the paint cycle ended goes to *paintedMs: work that the event loop runs after the
    // paint, in the same turn, is not counted as painting.
    static bool wait(QWidget *widget, int timeoutMs = 5000, const QElapsedTimer *clock = nullptr,
                     double *paintedMs = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit FirstPaint(QWidget *widget) : m_widget(widget) {}

    QWidget *m_widget;
    const QElapsedTimer *m_clock = nullptr;
    double *m_paintedMs = nullptr;
    bool m_painted = false;
    bool m_finished = false;
};
