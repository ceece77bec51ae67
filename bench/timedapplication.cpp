#include "bench/timedapplication.h"

#include <QEvent>

#include <ctime>

namespace {

qint64 threadProcessorNs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void keepLonger(TimedApplication::Longest *longest, qint64 ns, int type, const char *className)
{
    if (ns / 1e6 <= longest->ms)
        return;
    longest->ms = ns / 1e6;
    longest->what = QStringLiteral("event %1 to %2").arg(type).arg(QLatin1String(className));
}

} // namespace

TimedApplication::TimedApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    m_clock.start();
}

bool TimedApplication::notify(QObject *receiver, QEvent *event)
{
    // Deliveries nested inside another belong to the outer one's time.
    if (m_depth > 0)
        return QApplication::notify(receiver, event);
    ++m_depth;
    // Read before delivery: the receiver may delete the event or itself.
    const int type = event->type();
    const char *className = receiver->metaObject()->className();
    const qint64 wallStart = m_clock.nsecsElapsed();
    const qint64 processorStart = threadProcessorNs();
    const bool handled = QApplication::notify(receiver, event);
    keepLonger(&m_processor, threadProcessorNs() - processorStart, type, className);
    keepLonger(&m_wall, m_clock.nsecsElapsed() - wallStart, type, className);
    --m_depth;
    if (m_afterDelivery)
        m_afterDelivery();
    return handled;
}

void TimedApplication::resetLongest()
{
    m_wall = {};
    m_processor = {};
}
