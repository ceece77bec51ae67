#include "link/localport.h"

#include <QHash>
#include <QMetaObject>

#include <cstring>

namespace {

// Every port of the process by name; a simulated relay and the link live on one thread.
QHash<QString, LocalPort *> &ports()
{
    static QHash<QString, LocalPort *> byName;
    return byName;
}

} // namespace

LocalPort::LocalPort(const QString &name, QObject *parent) : QIODevice(parent), m_name(name)
{
    Q_ASSERT_X(!ports().contains(name), "LocalPort", "two ports of one name");
    ports().insert(name, this);
}

LocalPort::~LocalPort()
{
    ports().remove(m_name);
}

LocalPort *LocalPort::named(const QString &name)
{
    return ports().value(name);
}

bool LocalPort::open(OpenMode mode)
{
    if (!m_plugged) {
        setErrorString(QStringLiteral("Urządzenie %1 jest odłączone").arg(m_name));
        return false;
    }
    m_incoming.clear();
    m_outgoing.clear();
    return QIODevice::open(mode | QIODevice::Unbuffered);
}

void LocalPort::close()
{
    QIODevice::close();
    m_incoming.clear();
    m_outgoing.clear();
}

qint64 LocalPort::bytesAvailable() const
{
    return m_incoming.size() + QIODevice::bytesAvailable();
}

bool LocalPort::waitForBytesWritten(int)
{
    flushOutgoing();
    return true;
}

void LocalPort::transmit(const QByteArray &bytes)
{
    if (!isOpen() || bytes.isEmpty())
        return;
    m_incoming += bytes;
    if (m_incomingAnnounced)
        return;
    m_incomingAnnounced = true;
    QMetaObject::invokeMethod(this, &LocalPort::announceIncoming, Qt::QueuedConnection);
}

void LocalPort::announceIncoming()
{
    m_incomingAnnounced = false;
    if (isOpen() && !m_incoming.isEmpty())
        emit readyRead();
}

void LocalPort::unplug()
{
    m_plugged = false;
    if (!isOpen())
        return;
    setErrorString(QStringLiteral("Urządzenie %1 zostało odłączone").arg(m_name));
    m_outgoing.clear();
    // The program learns of it from its event loop, as it learns of a pulled adapter.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (isOpen() && !m_plugged)
                emit readChannelFinished();
        },
        Qt::QueuedConnection);
}

qint64 LocalPort::readData(char *data, qint64 maxSize)
{
    const int count = static_cast<int>(qMin<qint64>(maxSize, m_incoming.size()));
    std::memcpy(data, m_incoming.constData(), static_cast<size_t>(count));
    m_incoming.remove(0, count);
    return count;
}

qint64 LocalPort::writeData(const char *data, qint64 size)
{
    if (!m_plugged)
        return -1;
    m_outgoing.append(data, static_cast<int>(size));
    if (!m_flushScheduled) {
        m_flushScheduled = true;
        QMetaObject::invokeMethod(this, &LocalPort::flushOutgoing, Qt::QueuedConnection);
    }
    return size;
}

void LocalPort::flushOutgoing()
{
    m_flushScheduled = false;
    if (m_outgoing.isEmpty())
        return;
    QByteArray bytes;
    bytes.swap(m_outgoing);
    emit bytesWritten(bytes.size());
    emit received(bytes);
}
