#include "simulator/localline.h"

#include "link/localport.h"

namespace {

QString nextName()
{
    static int count = 0;
    return QStringLiteral("SYMULATOR%1").arg(++count);
}

} // namespace

LocalLine::LocalLine(QObject *parent) : DeviceLine(parent) {}

LocalLine::~LocalLine() = default;

bool LocalLine::open()
{
    if (!m_port) {
        m_port = new LocalPort(nextName(), this);
        connect(m_port, &LocalPort::received, this, &DeviceLine::received);
    }
    m_port->plugIn();
    return true;
}

void LocalLine::close()
{
    if (m_port)
        m_port->unplug();
}

bool LocalLine::isOpen() const
{
    return m_port && m_port->isPlugged();
}

QString LocalLine::portName() const
{
    return m_port ? m_port->portName() : QString();
}

void LocalLine::send(const QByteArray &bytes)
{
    if (isOpen())
        m_port->transmit(bytes);
}
