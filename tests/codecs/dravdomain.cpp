#include "tests/codecs/codecdomain.h"

#include "codecs/dravconfig.h"
#include "protocol/frames.h"

namespace {

QByteArray randomReply(QRandomGenerator &random)
{
    QByteArray reply(Frame::Reply::DravConfig);
    for (int track = 0; track < 3; ++track)
        reply += char(random.bounded(256));
    for (int delay = 0; delay < 6; ++delay)
        reply += char(random.bounded(1, 256));
    for (int i = 0; i < 3; ++i)
        reply += char(random.bounded(256));
    return reply;
}

DravConfig distinctSettings()
{
    DravConfig config;
    config.tracks[0].switchedOff = true;
    config.tracks[0].ledLatched = true;
    config.tracks[0].dropOutSteps = 255;
    config.tracks[1].inputInverted = true;
    config.tracks[1].supplySignalled = true;
    config.tracks[1].pickUpSteps = 3;
    config.tracks[1].dropOutSteps = 4;
    config.tracks[2].relayInverted = true;
    config.tracks[2].pickUpSteps = 5;
    config.tracks[2].dropOutSteps = 6;
    return config;
}

const bool registered = registerCodecDomain({
    QStringLiteral("DRAV-1"),
    Frame::Reply::Drav,
    randomReply,
    [](const QByteArray &reply) { return DravConfig::decode(reply).encode(); },
    QByteArray::fromHex("00001f1f1fffffffffffff000000"),
    QString(),
    {
        {"defaults", [] { return DravConfig::defaults().encode(); },
         QByteArray::fromHex("0a55000000010101010101000000")},
        {"every field in its place", [] { return distinctSettings().encode(); },
         QByteArray::fromHex("0a55091204" "00ff03040506" "000000")},
        {"bits 5-7 of the track bytes and the tail are not read",
         [] { return DravConfig::decode(QByteArray::fromHex("4448ffe0a3010101010101ffffff")).encode(); },
         QByteArray::fromHex("0a551f0003010101010101000000")},
    },
});

} // namespace
