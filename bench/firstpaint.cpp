#include "bench/firstpaint.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>

bool FirstPaint::wait(QWidget *widget, int timeoutMs, const QElapsedTimer *clock, double *paintedMs)
{
    FirstPaint watcher(widget);
    watcher.m_clock = clock;
    watcher.m_paintedMs = paintedMs;
    qApp->installEventFilter(&watcher);
    const QDeadlineTimer deadline(timeoutMs);
    while (!watcher.m_finished && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    qApp->removeEventFilter(&watcher);
    return watcher.m_finished;
}

bool FirstPaint::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_painted && event->type() == QEvent::Paint && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (widget == m_widget || m_widget->isAncestorOf(widget)) {
            m_painted = true;
            // A zero timer runs once the whole paint cycle this event belongs to is over.
            QTimer::singleShot(0, this, [this] {
                m_finished = true;
                if (m_clock && m_paintedMs)
                    *m_paintedMs = m_clock->nsecsElapsed() / 1e6;
            });
        }
    }
    return false;
}
