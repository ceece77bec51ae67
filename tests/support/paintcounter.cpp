#include "tests/support/paintcounter.h"

#include <QCoreApplication>
#include <QEvent>

PaintCounter::PaintCounter(std::function<void(QObject *)> seen) : m_seen(std::move(seen))
{
    qApp->installEventFilter(this);
}

PaintCounter::~PaintCounter()
{
    qApp->removeEventFilter(this);
}

bool PaintCounter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        if (m_seen)
            m_seen(watched);
        ++m_counts[watched];
    }
    return false;
}
