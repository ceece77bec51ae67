#include "tests/codecs/wrnreplies.h"

namespace {

// The five colours of the lists: white, red, blue, green, yellow.
constexpr quint8 ExcitedCodes[] = {0x0E, 0x04, 0x08, 0x02, 0x06};
constexpr quint8 AfterResetCodes[] = {0x70, 0x20, 0x40, 0x10, 0x30};
constexpr quint8 ColourFields = 0x7E;

quint8 anyByte(QRandomGenerator &random)
{
    return static_cast<quint8>(random.bounded(256));
}

// 1..255: the spin boxes show no 0.
quint8 count(QRandomGenerator &random)
{
    return static_cast<quint8>(random.bounded(1, 256));
}

// Latching (low bit) and pulse (high bit) of one relay; both only where the page allows it.
quint8 relayPair(QRandomGenerator &random, WrnReplies::RelayOptions options)
{
    return static_cast<quint8>(random.bounded(options == WrnReplies::RelayOptions::Free ? 4 : 3));
}

} // namespace

namespace WrnReplies {

quint8 colourByte(QRandomGenerator &random)
{
    return static_cast<quint8>((anyByte(random) & ~ColourFields) | ExcitedCodes[random.bounded(5)] |
                               AfterResetCodes[random.bounded(5)]);
}

QByteArray firstFrame(QRandomGenerator &random, const char *header, RelayOptions options)
{
    QByteArray frame(header);
    // Inputs 1-2 and relay 1 inversion in bits 0-2, relay 1's pair in 3-4, relay 2 in 5-7.
    frame += char(random.bounded(8) | relayPair(random, options) << 3 | random.bounded(2) << 5 |
                  relayPair(random, options) << 6);
    frame += char(colourByte(random));
    frame += char(colourByte(random));
    for (int i = 0; i < 6; ++i)
        frame += char(count(random));
    for (int i = 0; i < 3; ++i)
        frame += char(anyByte(random));
    return frame;
}

QByteArray firstFrameMask()
{
    return QByteArray::fromHex("0000ff7f7fffffffffffff000000");
}

} // namespace WrnReplies
