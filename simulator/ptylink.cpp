#include "simulator/ptylink.h"

#include <QSocketNotifier>

// The one place that knows how the system makes a pseudo-terminal. Only Linux is taught;
// elsewhere open() fails and the simulator serves a real port pair instead (orva-devsim --port).
#ifdef Q_OS_LINUX

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

bool PtyLink::open()
{
    if (isOpen())
        return true;
    termios raw{};
    cfmakeraw(&raw);
    char name[256] = {};
    if (::openpty(&m_master, &m_slaveKeepAlive, name, &raw, nullptr) != 0) {
        m_master = m_slaveKeepAlive = -1;
        return false;
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    // A program started meanwhile must not hold the device end open: closing it could then
    // never look like a pulled adapter to that program.
    for (const int descriptor : {m_master, m_slaveKeepAlive})
        ::fcntl(descriptor, F_SETFD, ::fcntl(descriptor, F_GETFD) | FD_CLOEXEC);
    m_slavePath = QString::fromLocal8Bit(name);
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyLink::readAvailable);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyLink::writePending);
    return true;
}

void PtyLink::closeDescriptors()
{
    if (m_master >= 0)
        ::close(m_master);
    if (m_slaveKeepAlive >= 0)
        ::close(m_slaveKeepAlive);
}

void PtyLink::writePending()
{
    while (m_master >= 0 && !m_outgoing.isEmpty()) {
        const ssize_t written =
            ::write(m_master, m_outgoing.constData(), static_cast<size_t>(m_outgoing.size()));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        m_outgoing.remove(0, static_cast<int>(written));
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(m_master >= 0 && !m_outgoing.isEmpty());
}

void PtyLink::readAvailable()
{
    char buffer[512];
    for (;;) {
        const ssize_t count = ::read(m_master, buffer, sizeof buffer);
        if (count > 0) {
            emit received(QByteArray(buffer, static_cast<int>(count)));
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        return;
    }
}

#else

bool PtyLink::open()
{
    return false;
}

void PtyLink::closeDescriptors() {}

void PtyLink::writePending() {}

void PtyLink::readAvailable() {}

#endif

PtyLink::PtyLink(QObject *parent) : QObject(parent) {}

PtyLink::~PtyLink()
{
    close();
}

void PtyLink::close()
{
    delete m_notifier;
    m_notifier = nullptr;
    delete m_writeNotifier;
    m_writeNotifier = nullptr;
    m_outgoing.clear();
    closeDescriptors();
    m_master = m_slaveKeepAlive = -1;
}

// The line holds a few kilobytes; what does not fit waits until the program has read some,
// so a long burst never blocks the thread the program reads on.
void PtyLink::send(const QByteArray &bytes)
{
    if (!isOpen())
        return;
    m_outgoing += bytes;
    writePending();
}
