#include "bench/burstwriter.h"

#include <chrono>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

BurstWriter::BurstWriter()
{
    termios raw{};
    cfmakeraw(&raw);
    char name[256] = {};
    if (::openpty(&m_master, &m_slaveKeepAlive, name, &raw, nullptr) != 0) {
        m_master = m_slaveKeepAlive = -1;
        return;
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_slavePath = QString::fromLocal8Bit(name);
}

BurstWriter::~BurstWriter()
{
    join();
    if (m_master >= 0)
        ::close(m_master);
    if (m_slaveKeepAlive >= 0)
        ::close(m_slaveKeepAlive);
}

void BurstWriter::start(const QList<QByteArray> &bursts, int count, int byteGapUs, int silenceMs)
{
    join();
    m_finished = false;
    m_thread = std::thread([this, bursts, count, byteGapUs, silenceMs] {
        using namespace std::chrono;
        auto due = steady_clock::now();
        for (int i = 0; i < count; ++i) {
            for (char byte : bursts.at(i % bursts.size())) {
                std::this_thread::sleep_until(due);
                while (::write(m_master, &byte, 1) != 1)
                    std::this_thread::yield();
                due += microseconds(byteGapUs);
            }
            due += milliseconds(silenceMs);
            drain();
        }
        m_finished = true;
    });
}

void BurstWriter::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

// What the program sends (requests it makes on identification) is read and dropped, so a
// long run never fills the line's buffer.
void BurstWriter::drain()
{
    char buffer[256];
    while (::read(m_master, buffer, sizeof buffer) > 0) {
    }
}
