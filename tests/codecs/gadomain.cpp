#include "codecs/gaconfig.h"
#include "protocol/frames.h"
#include "tests/codecs/codecdomain.h"

namespace {

// The GA-1 and GA-1 MI share the frame; the pages differ in the shortest delay they show
// (0.1 s and 0 s) and the identification sets the longest (25 s or 2.5 s), in 10 ms counts.
constexpr int GaShortestCount = 10;
constexpr int GamiShortestCount = 0;
constexpr int LongRangeCount = 2500;
constexpr int ShortRangeCount = 250;

const QByteArray Significant = QByteArray::fromHex("00 00 1f ff 1f ff 1f 0f 01 ff ff ff ff 00");

// One of `count` exclusive options as its bit, or none.
int oneOf(QRandomGenerator &random, int count)
{
    const int option = drawBetween(random, 0, count);
    return option == count ? 0 : 1 << option;
}

std::function<QByteArray(QRandomGenerator &)> replies(const char *header, int shortest, int longest)
{
    return [=](QRandomGenerator &random) {
        const auto relay = [&random] {
            // One of the four modes, and the inversion beside it.
            return QVector<int>{oneOf(random, 4) | (drawBetween(random, 0, 1) << 4),
                                drawBetween(random, 1, 100)};
        };
        const int appearance = drawBetween(random, shortest, longest);
        const int disappearance = drawBetween(random, shortest, longest);
        QByteArray block(header);
        for (int value :
             relay() + relay() +
                 QVector<int>{oneOf(random, 5), drawBetween(random, 0, 0x0f), drawBetween(random, 0, 1),
                              appearance & 0xff, disappearance & 0xff, appearance >> 8,
                              disappearance >> 8, 0})
            block.append(static_cast<char>(value));
        return block;
    };
}

CodecDomain domain(const char *model, const char *identity, const char *header, int shortest,
                   int longest, const char *variant)
{
    return {
        QLatin1String(model),  identity, replies(header, shortest, longest), writtenBack<GaConfig>, Significant,
        QLatin1String(variant)};
}

QVector<GoldenFrame> goldenFrames()
{
    GaConfig delays;
    delays.appearanceDelayCount = 2500;
    delays.disappearanceDelayCount = 230;
    return {
        {"defaults", [] { return GaConfig::defaults().encode(); },
         sentFrame("01 03 02 03 02 03 00 0a 0a 00 00 00")},
        {"25.0 s and 2.3 s: both low bytes, then both high bytes",
         [delays] { return delays.encode(); }, sentFrame("00 00 00 00 00 00 00 c4 e6 09 00 00")},
        {"every field",
         [] { return writtenBack<GaConfig>(QByteArray::fromHex("4446 04 64 18 2a 08 0c 01 f6 32 04 00 00")); },
         sentFrame("04 64 18 2a 08 0c 01 f6 32 04 00 00")},
        {"unnamed bits and byte 13 are not echoed",
         [] { return writtenBack<GaConfig>(QByteArray::fromHex("4446 e4 03 22 03 e2 f3 fe 0a 0a 00 00 55")); },
         sentFrame("04 03 02 03 02 03 00 0a 0a 00 00 00")},
    };
}

const bool registered = [] {
    CodecDomain ga = domain("GA-1", Frame::Reply::Ga, Frame::Reply::GaConfig, GaShortestCount,
                            LongRangeCount, "1");
    ga.goldenFrames = goldenFrames();
    registerCodecDomain(ga);
    registerCodecDomain(domain("GA-1 short range", Frame::Reply::Ga, Frame::Reply::GaConfig,
                               GaShortestCount, ShortRangeCount, "0"));
    registerCodecDomain(domain("GA-1 MI", Frame::Reply::Gami, Frame::Reply::GamiConfig,
                               GamiShortestCount, LongRangeCount, "1"));
    return registerCodecDomain(domain("GA-1 MI short range", Frame::Reply::Gami,
                                      Frame::Reply::GamiConfig, GamiShortestCount, ShortRangeCount,
                                      "0"));
}();

} // namespace
