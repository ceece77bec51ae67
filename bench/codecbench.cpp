#include "bench/codecbench.h"

#include "bench/benchtable.h"

#include "app/orva2.h"
#include "protocol/frames.h"
#include "tests/fuzz/pagecodecs.h"

#include <QElapsedTimer>

#include <functional>

namespace {

constexpr qint64 RunNs = 200 * 1000 * 1000;

// Calls per second of `call`, repeated for a fixed time.
double rate(const std::function<void(int)> &call)
{
    QElapsedTimer clock;
    clock.start();
    int calls = 0;
    while (clock.nsecsElapsed() < RunNs) {
        for (int i = 0; i < 64; ++i)
            call(calls++);
    }
    return calls / (clock.nsecsElapsed() / 1e9);
}

QString perSecond(double rate)
{
    return QStringLiteral("%L1 /s").arg(rate, 0, 'f', 0);
}

} // namespace

void CodecBench::run(BenchTable &table)
{
    ORVA2 window;
    for (const PageCodec &codec : pageCodecs(window)) {
        const double encodes = rate([&](int) { codec.encode(); });
        QString decodes = QStringLiteral("-");
        if (codec.decode) {
            // Two configurations in turn, so every call changes the form as a real read does.
            const int length = codec.frameHeaders.size() * Frame::Size;
            const QByteArray blocks[] = {
                (codec.replyHeader + QByteArray(length, '\x01')).left(length),
                (codec.replyHeader + QByteArray(length, '\x02')).left(length)};
            decodes = perSecond(rate([&](int call) { codec.decode(blocks[call % 2]); }));
        }
        table.add(QStringLiteral("%1: encodeConfig / %2 calls per second")
                      .arg(codec.name, codec.replyHeader == Frame::Reply::KzrView
                                           ? QStringLiteral("decodeView")
                                           : QStringLiteral("decodeConfig")),
                  QStringLiteral("%1 / %2").arg(perSecond(encodes), decodes));
    }
}
