#include "tests/codecs/codecdomain.h"
#include "tests/codecs/wrnreplies.h"

#include "codecs/wrn1config.h"
#include "protocol/frames.h"

namespace {

Wrn1Config distinctSettings()
{
    Wrn1Config config;
    config.first.inputInverted = true;
    config.first.pulse = true;
    config.first.colours = {WrnLedColours::Green, WrnLedColours::Unnamed};
    config.first.pickUpSteps = 10;
    config.first.dropOutSteps = 20;
    config.first.pulseSeconds = 50;
    config.second.inputInverted = true;
    config.second.relayInverted = true;
    config.second.ledSelfReset = true;
    config.second.colours = {WrnLedColours::Yellow, WrnLedColours::Red};
    config.second.pickUpSteps = 30;
    config.second.dropOutSteps = 40;
    config.second.pulseSeconds = 250;
    return config;
}

Wrn1Config everyColour()
{
    Wrn1Config config = Wrn1Config::defaults();
    config.first.colours = {WrnLedColours::White, WrnLedColours::White};
    config.second.colours = {WrnLedColours::Blue, WrnLedColours::Green};
    return config;
}

QByteArray reply(const char *payloadHex)
{
    return Frame::Reply::Wrn1Config + QByteArray::fromHex(payloadHex);
}

const bool registered = registerCodecDomain({
    QStringLiteral("WRN-1"),
    Frame::Reply::Wrn1,
    [](QRandomGenerator &random) {
        return WrnReplies::firstFrame(random, Frame::Reply::Wrn1Config,
                                      WrnReplies::RelayOptions::Interlocked);
    },
    [](const QByteArray &reply) { return Wrn1Config::decode(reply).encode(); },
    WrnReplies::firstFrameMask(),
    QString(),
    {
        {"defaults", [] { return Wrn1Config::defaults().encode(); },
         QByteArray::fromHex("0a55083434010101010303000000")},
        {"every field in its place", [] { return distinctSettings().encode(); },
         QByteArray::fromHex("0a553302270a141e2832fa000000")},
        {"colour codes", [] { return everyColour().encode(); },
         QByteArray::fromHex("0a55087e18010101010303000000")},
        {"a field naming no colour reads as none",
         [] { return Wrn1Config::decode(reply("000c5a")).encode(); },
         QByteArray::fromHex("0a55000000000000000000000000")},
        {"the tail and bit 7 of the LED bytes are not read",
         [] { return Wrn1Config::decode(reply("00b4b4010101010303ffffff")).encode(); },
         QByteArray::fromHex("0a55003434010101010303000000")},
    },
});

} // namespace
