#include "tests/codecs/codecdomain.h"

#include "codecs/brtconfig.h"
#include "protocol/frames.h"

namespace {

// A trigger, exactly one colour bit, and noise in the unread bits 5-7.
char modeByte(QRandomGenerator &random)
{
    return char(random.bounded(2) | 2 << random.bounded(4) | random.bounded(8) << 5);
}

// The page keeps each input on one relay and each relay on one input: none, one of the four
// crossings, or one of the two pairings.
constexpr int RelayChoices[] = {0x0, 0x1, 0x2, 0x4, 0x8, 0x9, 0x6};

QByteArray randomReply(QRandomGenerator &random)
{
    QByteArray reply(Frame::Reply::BrtConfig);
    for (int input = 0; input < 2; ++input) {
        reply += modeByte(random);
        reply += char(random.bounded(1, 256));
        reply += char(random.bounded(1, 256));
    }
    reply += char(random.bounded(256));
    reply += char(RelayChoices[random.bounded(7)] | random.bounded(16) << 4);
    for (int i = 0; i < 4; ++i)
        reply += char(random.bounded(256));
    return reply;
}

BrtConfig distinctSettings()
{
    BrtConfig config;
    config.input1 = {true, BrtConfig::White, 12, 255};
    config.input2 = {false, BrtConfig::Blue, 3, 45};
    config.channelsSwapped = true;
    config.latching = true;
    config.input1Relay2 = true;
    config.input2Relay1 = true;
    config.relay2Inverted = true;
    return config;
}

const bool registered = registerCodecDomain({
    QStringLiteral("BRT-1"),
    Frame::Reply::Brt,
    randomReply,
    [](const QByteArray &reply) { return BrtConfig::decode(reply).encode(); },
    QByteArray::fromHex("00001fffff1fffff073f00000000"),
    QString(),
    {
        {"defaults", [] { return BrtConfig::defaults().encode(); },
         QByteArray::fromHex("0a55030101050101000000010203")},
        {"every field in its place", [] { return distinctSettings().encode(); },
         QByteArray::fromHex("0a55110cff08032d052600010203")},
        {"no colour bit or several read as none",
         [] { return BrtConfig::decode(QByteArray::fromHex("444d01010119010100000000")).encode(); },
         QByteArray::fromHex("0a55010101010101000000010203")},
        {"relay bits, inversions and options; bits 6-7 of byte 9 are not read",
         [] { return BrtConfig::decode(QByteArray::fromHex("444d020101020101fff9")).encode(); },
         QByteArray::fromHex("0a55020101020101073900010203")},
    },
});

} // namespace
