#include "app/windowmemory.h"

#include "app/orva2.h"

#include <QEvent>
#include <QSettings>

namespace {

const char *const GeometryKey = "window/geometry";
const char *const LastPortKey = "connection/lastPort";

} // namespace

WindowMemory::WindowMemory(ORVA2 &window) : QObject(&window), m_window(window)
{
    QSettings settings;
    m_window.restoreGeometry(settings.value(QLatin1String(GeometryKey)).toByteArray());
    const QString lastPort = settings.value(QLatin1String(LastPortKey)).toString();
    if (!lastPort.isEmpty())
        m_window.choosePort(lastPort);

    connect(&m_window, &ORVA2::portConnected, this, [](const QString &portName) {
        QSettings().setValue(QLatin1String(LastPortKey), portName);
    });
    m_window.installEventFilter(this);
}

bool WindowMemory::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::Close)
        QSettings().setValue(QLatin1String(GeometryKey), m_window.saveGeometry());
    return false;
}
