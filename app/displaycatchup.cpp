#include "app/displaycatchup.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QWindow>

namespace {

const QEvent::Type CatchUpEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

DisplayCatchUp::DisplayCatchUp(QMainWindow *window) : QObject(window), m_window(window)
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        window->installEventFilter(this);
}

bool DisplayCatchUp::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Paint && !m_posted) {
        m_posted = true;
        // Below the toolkit's paint requests: after all this turn draws.
        QCoreApplication::postEvent(this, new QEvent(CatchUpEvent), Qt::LowEventPriority - 3);
    }
    return false;
}

void DisplayCatchUp::customEvent(QEvent *event)
{
    if (event->type() != CatchUpEvent)
        return;
    m_posted = false;
    QBackingStore *store = m_window->backingStore();
    const QWindow *handle = m_window->windowHandle();
    const QWidget *menu = m_window->menuWidget();
    // A translucent window's paint clears what it is given first.
    if (!store || !handle || handle->format().hasAlpha() || !m_window->isVisible() || !menu ||
        !menu->isVisible())
        return;
    // Beginning a paint over a pixel the server was sent makes the toolkit wait for the server
    // there and then. The menu bar's corner is sent with every paint of the whole window and
    // never scrolls: the server alone holds what was scrolled, and a pixel taken from there
    // would be sent again from the program's stale copy.
    store->beginPaint(QRegion(QRect(menu->mapTo(m_window, QPoint(0, 0)), QSize(1, 1))));
    store->endPaint();
}
