#include "bench/burstwriter.h"

#include <chrono>

BurstWriter::BurstWriter()
{
    m_pty.open();
}

BurstWriter::~BurstWriter()
{
    join();
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
                while (m_pty.write(&byte, 1) != 1)
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
    while (m_pty.read(buffer, sizeof buffer) > 0) {
    }
}
