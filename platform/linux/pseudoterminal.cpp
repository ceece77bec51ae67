#include "platform/pseudoterminal.h"

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

Pseudoterminal::~Pseudoterminal()
{
    close();
}

bool Pseudoterminal::available()
{
    return true;
}

bool Pseudoterminal::open()
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
    return true;
}

void Pseudoterminal::close()
{
    if (m_master >= 0)
        ::close(m_master);
    if (m_slaveKeepAlive >= 0)
        ::close(m_slaveKeepAlive);
    m_master = m_slaveKeepAlive = -1;
}

qint64 Pseudoterminal::write(const char *data, qint64 size)
{
    while (m_master >= 0) {
        const ssize_t written = ::write(m_master, data, static_cast<size_t>(size));
        if (written >= 0)
            return written;
        if (errno != EINTR)
            return 0;
    }
    return 0;
}

qint64 Pseudoterminal::read(char *data, qint64 size)
{
    while (m_master >= 0) {
        const ssize_t count = ::read(m_master, data, static_cast<size_t>(size));
        if (count >= 0)
            return count;
        if (errno != EINTR)
            return 0;
    }
    return 0;
}
