#include "tests/codecs/codecdomain.h"

#include "codecs/helconfig.h"
#include "protocol/frames.h"

// The time relay sends no configuration back, so it has golden frames but no round trip.
namespace {

HelConfig longestPickUp()
{
    HelConfig config;
    config.pickUpDelay = {1, 23, 59, 59, 999};
    return config;
}

// Distinct values in every field, so a swapped pair or a milliseconds bit leaking into the
// hours shows.
HelConfig distinctTimes()
{
    HelConfig config;
    config.pickUpDelay = {99, 1, 2, 3, 256};
    config.dropOutDelay = {7, 23, 0, 59, 511};
    config.pulseTime = {9, 9, 9, 9, 9};
    return config;
}

HelConfig pulsing()
{
    HelConfig config = distinctTimes();
    config.mode = HelConfig::Pulse;
    config.pulseTime = {7, 1, 8, 9, 500};
    return config;
}

HelConfig options(int mode, bool cyclic, bool start, bool reset, bool relay1, bool relay2)
{
    HelConfig config;
    config.mode = mode;
    config.cyclic = cyclic;
    config.startInverted = start;
    config.resetInverted = reset;
    config.relay1Inverted = relay1;
    config.relay2Inverted = relay2;
    return config;
}

const bool registered = registerCodecDomain({
    QStringLiteral("HEL-1"),
    Frame::Reply::Hel,
    {},
    {},
    {},
    QString(),
    {
        {"longest pick-up delay", [] { return longestPickUp().encode(); },
         QByteArray::fromHex("0a5500e75f3b3b01000000000000")},
        {"drop-out delay in the second slot", [] { return distinctTimes().encode(); },
         QByteArray::fromHex("0a5500" "0005030263" "ff5d3b0007" "00")},
        {"pulse time in the second slot when pulsing", [] { return pulsing().encode(); },
         QByteArray::fromHex("0a5503" "0005030263" "f405090807" "00")},
        {"cyclic, both relays inverted", [] { return options(2, true, false, false, true, true).encode(); },
         QByteArray::fromHex("0a55660000000000000000000000")},
        {"inputs inverted", [] { return options(1, false, true, true, false, false).encode(); },
         QByteArray::fromHex("0a55190000000000000000000000")},
        {"every option", [] { return options(3, true, true, true, true, true).encode(); },
         QByteArray::fromHex("0a557f0000000000000000000000")},
        {"no mode chosen", [] { return options(HelConfig::NoMode, false, false, false, false, true).encode(); },
         QByteArray::fromHex("0a55400000000000000000000000")},
    },
});

} // namespace
