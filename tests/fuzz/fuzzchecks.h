#pragma once

#include <QAbstractEventDispatcher>
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QRandomGenerator>
#include <QString>

// What tst_fuzz and the libFuzzer target both hold the link and the codecs to. Every check
// returns what went wrong, or an empty string.

// An event dispatcher whose time passes only when told to, so a fuzzer can put any gap
// between two bursts and the link's silence and second-frame timers fire exactly, at once.
// It serves no sockets: the link under test never opens its port.
class VirtualClock : public QAbstractEventDispatcher
{
public:
    // Lets the time pass, firing every timer that falls due on the way, in order.
    void advance(int milliseconds);

    bool processEvents(QEventLoop::ProcessEventsFlags flags) override;
    bool hasPendingEvents() override { return false; }
    void registerSocketNotifier(QSocketNotifier *) override {}
    void unregisterSocketNotifier(QSocketNotifier *) override {}
    void registerTimer(int id, int interval, Qt::TimerType type, QObject *object) override;
    bool unregisterTimer(int id) override { return m_timers.remove(id) > 0; }
    bool unregisterTimers(QObject *object) override;
    QList<TimerInfo> registeredTimers(QObject *object) const override;
    int remainingTime(int id) override;
    void wakeUp() override {}
    void interrupt() override {}
    void flush() override {}

private:
    struct Timer
    {
        qint64 due;
        TimerInfo info;
        QObject *object;
    };
    QMap<int, Timer> m_timers;
    qint64 m_now = 0;
};

// Bytes that reach the link together, and how long the line is quiet after them.
struct Chunk
{
    QByteArray bytes;
    int quietMs = 0;
};

// Hands the chunks to a fresh DeviceLink on this thread, whose dispatcher must be a
// VirtualClock. Every byte of a burst the link may read is handed on once and in order,
// however the link cuts it into replies; a longer burst is reported unreadable, whole.
QString linkFailure(const QList<Chunk> &chunks);

// Decodes the block with every codec, as long as it came (with other bytes past its end)
// and padded with zeros, and encodes the result.
QString codecFailure(const QByteArray &block);
// The reply headers the codecs are checked under; a model that answers a read request and
// is missing here is a model the fuzzers never see.
QList<QByteArray> fuzzedReplyHeaders();

// Every header a device starts a reply with.
QList<QByteArray> knownHeaders();
// Line noise: usually a known header, then bytes favouring 0, 0xFF and small counts, where
// field decoding has its edges.
QByteArray noise(QRandomGenerator &random, int maxLength);
