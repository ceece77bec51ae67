#pragma once

#include "platform/pseudoterminal.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <thread>

// A device that streams replies from a thread of its own, byte by byte at the pace of the
// real line, so the program's event loop does nothing but receive. The program opens
// slavePath() as its port.
class BurstWriter
{
public:
    BurstWriter();
    ~BurstWriter();

    bool isOpen() const { return m_pty.isOpen(); }
    QString slavePath() const { return m_pty.slavePath(); }

    // Writes `count` bursts, taken from `bursts` in turn, one byte every `byteGapUs`
    // microseconds and `silenceMs` of silence after each burst; returns at once.
    void start(const QList<QByteArray> &bursts, int count, int byteGapUs, int silenceMs);
    bool finished() const { return m_finished; }
    void join();

private:
    void drain();

    Pseudoterminal m_pty;
    std::thread m_thread;
    std::atomic<bool> m_finished{true};
};
