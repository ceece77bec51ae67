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

#include <QCoreApplication>
#include <QTimerEvent>

#include <algorithm>
#include <functional>

namespace {

using Id = ModelInfo::Id;

constexpr int PaddedLength = 64;
// A codec that reads past the block meets these instead of the zeros of the padded copy.
constexpr int GuardLength = 16;
constexpr char GuardByte = static_cast<char>(0xA5);

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

// A device answers a read with the stored frames under its reply header.
QByteArray asReply(const QByteArray &frames, const QByteArray &header)
{
    QByteArray reply;
    for (int at = 0; at < frames.size(); at += Frame::Size)
        reply += header + frames.mid(at + 2, Frame::Size - 2);
    return reply;
}

QString malformed(const QByteArray &frames, int count)
{
    if (frames.size() != count * Frame::Size)
        return QStringLiteral("encodes %1 bytes").arg(frames.size());
    for (int i = 0; i < count; ++i) {
        const QByteArray header = (i == 0 ? Frame::configFrame() : Frame::configFramePart2()).left(2);
        if (frames.mid(i * Frame::Size, 2) != header)
            return QStringLiteral("frame %1 of %2 has the wrong header").arg(i).arg(hex(frames));
    }
    return {};
}

struct Codec
{
    QByteArray header;
    std::function<QString(const QByteArray &exact, const QByteArray &padded)> check;
};

template <class Config>
using Same = std::function<bool(const QByteArray &exact, const Config &, const Config &)>;

// What is written back after a read must be well formed and read back as itself, or every
// read-modify-write cycle would drift the device's settings.
template <class Config>
Codec codec(Id id, Same<Config> same = [](const QByteArray &, const Config &a, const Config &b) {
    return a == b;
})
{
    const ModelInfo &model = ModelInfo::of(id);
    const QByteArray header = model.configHeader;
    const int frames = model.configFrames;
    return {header, [=](const QByteArray &exact, const QByteArray &padded) {
                const Config config = Config::decode(exact);
                if (!same(exact, config, Config::decode(padded)))
                    return QStringLiteral("decoded unlike its zero padding");
                const QByteArray sent = config.encode();
                const QString failure = malformed(sent, frames);
                if (!failure.isEmpty())
                    return failure;
                const QByteArray again = Config::decode(asReply(sent, header)).encode();
                return again == sent ? QString() : "writes back " + hex(sent) + ", then " + hex(again);
            }};
}

const QList<Codec> &codecs()
{
    static const QList<Codec> list = {
        codec<KzrConfig>(Id::Kzr),
        codec<GaConfig>(Id::Ga),
        codec<GaConfig>(Id::Gami),
        codec<Wrn1Config>(Id::Wrn1),
        codec<DravConfig>(Id::Drav),
        // A block that lost the second frame leaves channel 3 and the matrix as they were.
        codec<Wrn2Config>(Id::Wrn2,
                          [](const QByteArray &exact, const Wrn2Config &a, const Wrn2Config &b) {
                              return Wrn2Config::holdsPart2(exact) ? a == b
                                                                   : a.firstChannels == b.firstChannels;
                          }),
        codec<ZegarConfig>(Id::Zegar),
        codec<NovConfig>(Id::Nov),
        codec<BrtConfig>(Id::Brt),
        codec<TesterConfig>(Id::Tester),
        {Frame::Reply::KzrView,
         [](const QByteArray &exact, const QByteArray &padded) {
             return KzrView::decode(exact) == KzrView::decode(padded)
                        ? QString()
                        : QStringLiteral("decoded unlike its zero padding");
         }},
    };
    return list;
}

} // namespace

void VirtualClock::advance(int milliseconds)
{
    const qint64 until = m_now + milliseconds;
    while (true) {
        processEvents(QEventLoop::AllEvents);
        const auto next = std::min_element(m_timers.begin(), m_timers.end(),
                                           [](const Timer &a, const Timer &b) { return a.due < b.due; });
        if (next == m_timers.end() || next->due > until)
            break;
        m_now = next->due;
        next->due += qMax(1, next->info.interval);
        QObject *object = next->object;
        QTimerEvent event(next.key());
        QCoreApplication::sendEvent(object, &event);
    }
    m_now = until;
}

bool VirtualClock::processEvents(QEventLoop::ProcessEventsFlags)
{
    QCoreApplication::sendPostedEvents();
    return false;
}

void VirtualClock::registerTimer(int id, int interval, Qt::TimerType type, QObject *object)
{
    m_timers.insert(id, {m_now + interval, TimerInfo(id, interval, type), object});
}

bool VirtualClock::unregisterTimers(QObject *object)
{
    const int before = m_timers.size();
    for (auto it = m_timers.begin(); it != m_timers.end();)
        it = it->object == object ? m_timers.erase(it) : std::next(it);
    return m_timers.size() < before;
}

QList<QAbstractEventDispatcher::TimerInfo> VirtualClock::registeredTimers(QObject *object) const
{
    QList<TimerInfo> timers;
    for (const Timer &timer : m_timers) {
        if (timer.object == object)
            timers << timer.info;
    }
    return timers;
}

int VirtualClock::remainingTime(int id)
{
    const auto timer = m_timers.constFind(id);
    return timer == m_timers.constEnd() ? -1 : static_cast<int>(timer->due - m_now);
}

QString linkFailure(const QList<Chunk> &chunks)
{
    auto *clock = dynamic_cast<VirtualClock *>(QAbstractEventDispatcher::instance());
    Q_ASSERT(clock);
    DeviceLink link;
    QByteArray handedOn;
    QList<qint64> unreadable;
    bool emptyReply = false;
    QObject::connect(&link, &DeviceLink::replyReceived, [&](const QByteArray &reply) {
        emptyReply = emptyReply || reply.isEmpty();
        handedOn += reply;
    });
    QObject::connect(&link, &DeviceLink::unreadableReceived,
                     [&](qint64 count) { unreadable << count; });

    QByteArray readable, burst, all;
    QList<qint64> tooLong;
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
        all += chunk.bytes;
        if (chunk.quietMs >= Frame::BurstSilenceMs)
            burstEnds();
        clock->advance(chunk.quietMs);
    }
    burstEnds();
    // Long enough for the last burst to end and for a first frame to give up on its second.
    clock->advance(Frame::BurstSilenceMs + DeviceLink::SecondFrameWaitMs);

    const QString input = QStringLiteral(" for %1 bytes %2").arg(all.size()).arg(hex(all.left(64)));
    if (emptyReply)
        return "an empty reply" + input;
    if (handedOn != readable)
        return "handed on " + hex(handedOn.left(64)) + input;
    if (unreadable != tooLong)
        return QStringLiteral("%1 unreadable bursts instead of %2").arg(unreadable.size()).arg(tooLong.size()) +
               input;
    return {};
}

QString codecFailure(const QByteArray &block)
{
    const QByteArray storage = block + QByteArray(GuardLength, GuardByte);
    const QByteArray exact = QByteArray::fromRawData(storage.constData(), block.size());
    const QByteArray padded = QByteArray(block).leftJustified(PaddedLength, '\0');
    for (const Codec &codec : codecs()) {
        const QString failure = codec.check(exact, padded);
        if (!failure.isEmpty())
            return QStringLiteral("%1 codec: %2, block %3")
                .arg(QLatin1String(codec.header), failure, hex(block));
    }
    return {};
}

QList<QByteArray> fuzzedReplyHeaders()
{
    QList<QByteArray> headers;
    for (const Codec &codec : codecs())
        headers << codec.header;
    return headers;
}

QList<QByteArray> knownHeaders()
{
    QList<QByteArray> headers = {Frame::Reply::KzrView, Frame::Reply::LedTestEcho,
                                 Frame::Reply::Acknowledge};
    for (const ModelInfo &model : ModelInfo::all()) {
        headers << model.identity;
        if (model.answersRead() && !headers.contains(model.configHeader))
            headers << model.configHeader;
    }
    return headers;
}

QByteArray noise(QRandomGenerator &random, int maxLength)
{
    static const QList<QByteArray> headers = knownHeaders();
    const int length = static_cast<int>(random.bounded(maxLength + 1));
    QByteArray bytes;
    if (random.bounded(10) > 0)
        bytes = headers.at(static_cast<int>(random.bounded(headers.size()))).left(length);
    while (bytes.size() < length) {
        const quint32 kind = random.bounded(10);
        bytes += static_cast<char>(kind < 2 ? 0 : kind < 3 ? 0xFF : random.bounded(kind < 6 ? 16 : 256));
    }
    return bytes;
}
