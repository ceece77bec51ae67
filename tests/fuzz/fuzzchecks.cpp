#include "tests/fuzz/fuzzchecks.h"

#include "codecs/brtconfig.h"
#include "codecs/dravconfig.h"
#include "codecs/gaconfig.h"
#include "codecs/kzrconfig.h"
#include "codecs/kzrview.h"
#include "codecs/novconfig.h"
#include "codecs/testerconfig.h"
#include "codecs/wrn1config.h"
#include "codecs/wrn2config.h"
#include "codecs/zegarconfig.h"
#include "link/devicelink.h"
#include "protocol/frames.h"
#include "protocol/modeltable.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QMap>
#include <QTimerEvent>

#include <algorithm>

namespace {

using Id = ModelInfo::Id;

class VirtualClock : public QAbstractEventDispatcher
{
public:
    // Lets the time pass, firing every timer that falls due on the way, in order.
    void advance(int milliseconds)
    {
        const qint64 until = m_now + milliseconds;
        while (true) {
            processEvents(QEventLoop::AllEvents);
            const auto next =
                std::min_element(m_timers.begin(), m_timers.end(),
                                 [](const Timer &a, const Timer &b) { return a.due < b.due; });
            if (next == m_timers.end() || next->due > until)
                break;
            m_now = next->due;
            next->due += qMax(1, next->interval);
            QObject *object = next->object;
            QTimerEvent event(next.key());
            QCoreApplication::sendEvent(object, &event);
        }
        m_now = until;
    }

    bool processEvents(QEventLoop::ProcessEventsFlags) override
    {
        QCoreApplication::sendPostedEvents();
        return false;
    }
    bool hasPendingEvents() override { return false; }
    void registerSocketNotifier(QSocketNotifier *) override {}
    void unregisterSocketNotifier(QSocketNotifier *) override {}
#ifdef Q_OS_WIN
    // Windows dispatchers also serve the system's event handles; the link waits on none.
    bool registerEventNotifier(QWinEventNotifier *) override { return false; }
    void unregisterEventNotifier(QWinEventNotifier *) override {}
#endif
    void registerTimer(int id, int interval, Qt::TimerType, QObject *object) override
    {
        m_timers.insert(id, {m_now + interval, interval, object});
    }
    bool unregisterTimer(int id) override { return m_timers.remove(id) > 0; }
    bool unregisterTimers(QObject *object) override
    {
        const int before = m_timers.size();
        for (auto it = m_timers.begin(); it != m_timers.end();)
            it = it->object == object ? m_timers.erase(it) : std::next(it);
        return m_timers.size() < before;
    }
    // Asked only of an object that moves to another thread, which none here does.
    QList<TimerInfo> registeredTimers(QObject *) const override { return {}; }
    int remainingTime(int id) override
    {
        return m_timers.contains(id) ? static_cast<int>(m_timers.value(id).due - m_now) : -1;
    }
    void wakeUp() override {}
    void interrupt() override {}
    void flush() override {}

private:
    struct Timer
    {
        qint64 due = 0;
        int interval = 0;
        QObject *object = nullptr;
    };
    QMap<int, Timer> m_timers;
    qint64 m_now = 0;
};

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.left(64).toHex(' '));
}

template <class Config> bool same(const QByteArray &, const Config &a, const Config &b)
{
    return a == b;
}

// A block that lost the second frame leaves channel 3 and the matrix as they were.
template <> bool same(const QByteArray &exact, const Wrn2Config &a, const Wrn2Config &b)
{
    return Wrn2Config::holdsPart2(exact) ? a == b : a.firstChannels == b.firstChannels;
}

// What is written back after a read must be well formed and read back as itself, or every
// read-modify-write cycle would drift the device's settings.
template <class Config>
QString roundTrip(const ModelInfo &model, const QByteArray &exact, const QByteArray &padded)
{
    const Config config = Config::decode(exact);
    if (!same(exact, config, Config::decode(padded)))
        return QStringLiteral("decoded unlike its zero padding");
    const QByteArray sent = config.encode();
    QByteArray reply;
    for (int frame = 0; frame < model.configFrames; ++frame) {
        const QByteArray header = frame == 0 ? Frame::configFrame() : Frame::configFramePart2();
        if (!sent.mid(frame * Frame::Size).startsWith(header.left(2)))
            return "writes back " + hex(sent);
        reply += model.configHeader + sent.mid(frame * Frame::Size + 2, Frame::Size - 2);
    }
    const QByteArray again = Config::decode(reply).encode();
    if (sent.size() != model.configReplySize() || again != sent)
        return "writes back " + hex(sent) + ", then " + hex(again);
    return {};
}

// The device sends no configuration back, so there is nothing to decode.
QString writtenOnly(const ModelInfo &, const QByteArray &, const QByteArray &)
{
    return {};
}

using RoundTrip = QString (*)(const ModelInfo &, const QByteArray &, const QByteArray &);
const QMap<Id, RoundTrip> RoundTrips = {
    {Id::Kzr, roundTrip<KzrConfig>},     {Id::Tlmx, roundTrip<KzrConfig>},
    {Id::Ga, roundTrip<GaConfig>},       {Id::Gami, roundTrip<GaConfig>},
    {Id::Wrn1, roundTrip<Wrn1Config>},   {Id::Wrn2, roundTrip<Wrn2Config>},
    {Id::Drav, roundTrip<DravConfig>},   {Id::Hel, writtenOnly},
    {Id::Zegar, roundTrip<ZegarConfig>}, {Id::Nov, roundTrip<NovConfig>},
    {Id::Brt, roundTrip<BrtConfig>},     {Id::Tester, roundTrip<TesterConfig>},
};

} // namespace

QAbstractEventDispatcher *newVirtualClock()
{
    return new VirtualClock;
}

QString linkFailure(const QList<Chunk> &chunks)
{
    auto *clock = dynamic_cast<VirtualClock *>(QAbstractEventDispatcher::instance());
    Q_ASSERT(clock);
    DeviceLink link;
    QByteArray handedOn, readable, burst;
    QList<qint64> unreadable, tooLong;
    bool emptyReply = false;
    QObject::connect(&link, &DeviceLink::replyReceived, [&](const QByteArray &reply) {
        emptyReply = emptyReply || reply.isEmpty();
        handedOn += reply;
    });
    QObject::connect(&link, &DeviceLink::unreadableReceived,
                     [&](qint64 count) { unreadable << count; });
    const auto burstEnds = [&] {
        if (burst.size() > DeviceLink::MaxBurstBytes)
            tooLong << burst.size();
        else
            readable += burst;
        burst.clear();
    };
    for (const Chunk &chunk : chunks) {
        link.deliver(chunk.bytes);
        burst += chunk.bytes;
        if (chunk.quietMs >= Frame::BurstSilenceMs)
            burstEnds();
        clock->advance(chunk.quietMs);
    }
    burstEnds();
    // Long enough for the last burst to end and for a first frame to give up on its second.
    clock->advance(Frame::BurstSilenceMs + DeviceLink::SecondFrameWaitMs);

    if (emptyReply || handedOn != readable || unreadable != tooLong)
        return QStringLiteral("%1 bytes handed on of %2 readable, %3 unreadable bursts of %4")
            .arg(handedOn.size())
            .arg(readable.size())
            .arg(unreadable.size())
            .arg(tooLong.size());
    return {};
}

QString codecFailure(const QByteArray &block)
{
    // A codec that reads past the block meets these instead of the zeros of the padded copy.
    const QByteArray storage = block + QByteArray(16, static_cast<char>(0xA5));
    const QByteArray exact = QByteArray::fromRawData(storage.constData(), block.size());
    const QByteArray padded = QByteArray(block).leftJustified(64, '\0');
    QString failure = KzrView::decode(exact) == KzrView::decode(padded)
                          ? QString()
                          : QStringLiteral("view decoded unlike its zero padding");
    for (const ModelInfo &model : ModelInfo::all()) {
        const RoundTrip check = RoundTrips.value(model.id);
        const QString wrong = check ? check(model, exact, padded) : QStringLiteral("no codec");
        if (failure.isEmpty() && !wrong.isEmpty())
            failure = model.nameText() + ": " + wrong;
    }
    return failure.isEmpty() ? failure : failure + ", block " + hex(block);
}

QByteArray noise(QRandomGenerator &random, int maxLength)
{
    static const QList<QByteArray> headers = [] {
        QList<QByteArray> known = {Frame::Reply::KzrView, Frame::Reply::LedTestEcho,
                                   Frame::Reply::Acknowledge};
        for (const ModelInfo &model : ModelInfo::all())
            known << model.identity << model.configHeader;
        return known;
    }();
    const int length = static_cast<int>(random.bounded(maxLength + 1));
    QByteArray bytes;
    if (random.bounded(10) > 0)
        bytes = headers.at(static_cast<int>(random.bounded(headers.size()))).left(length);
    while (bytes.size() < length) {
        const quint32 kind = random.bounded(10);
        bytes += static_cast<char>(kind < 2   ? 0
                                   : kind < 3 ? 0xFF
                                              : random.bounded(kind < 6 ? 16 : 256));
    }
    return bytes;
}
