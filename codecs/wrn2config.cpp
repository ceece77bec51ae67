#include "codecs/wrn2config.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

namespace {

// Positions in the second frame; in a reply it follows the first.
constexpr int Part2Offset = Frame::Size;
constexpr int FlagsByte = 2;
constexpr int PickUpByte = 3;
constexpr int DropOutByte = 4;
constexpr int PulseByte = 5;
constexpr int ColoursByte = 6;
constexpr int MatrixByte = 7;
// The length of a reply that holds the whole second frame.
constexpr int ReplySize = Part2Offset + Frame::Size;

// Channel 3's LED self-reset rides with the flags; its colour byte keeps bit 0 clear.
constexpr int InputInvertedBit = 0;
constexpr int RelayInvertedBit = 1;
constexpr int LatchedBit = 2;
constexpr int PulseBit = 3;
constexpr int SelfResetBit = 4;

// The matrix packs input by input, relay by relay, from bit 0 of its first byte on; the
// ninth crossing spills into bit 0 of the next byte.
constexpr int BitsPerByte = 8;

} // namespace

Wrn2Config Wrn2Config::decode(const QByteArray &block)
{
    Wrn2Config config;
    config.firstChannels = Wrn1Config::decode(block);

    const auto part2 = [&block](int index) { return byteAt(block, Part2Offset + index); };
    const quint8 flags = part2(FlagsByte);
    config.third.inputInverted = bitSet(flags, InputInvertedBit);
    config.third.relayInverted = bitSet(flags, RelayInvertedBit);
    config.third.latched = bitSet(flags, LatchedBit);
    config.third.pulse = bitSet(flags, PulseBit);
    config.third.ledSelfReset = bitSet(flags, SelfResetBit);
    config.third.pickUpSteps = part2(PickUpByte);
    config.third.dropOutSteps = part2(DropOutByte);
    config.third.pulseSeconds = part2(PulseByte);
    config.third.colours = WrnLedColours::fromBits(part2(ColoursByte));
    for (int input = 0; input < Channels; ++input) {
        for (int relay = 0; relay < Channels; ++relay) {
            const int crossing = input * Channels + relay;
            config.drives[input][relay] =
                bitSet(part2(MatrixByte + crossing / BitsPerByte), crossing % BitsPerByte);
        }
    }
    return config;
}

bool Wrn2Config::holdsPart2(const QByteArray &block)
{
    return block.size() >= ReplySize;
}

QByteArray Wrn2Config::encodePart1() const
{
    return firstChannels.encode();
}

QByteArray Wrn2Config::encodePart2() const
{
    QByteArray frame = Frame::configFramePart2();
    setByteAt(frame, FlagsByte,
              bitValue(third.inputInverted, InputInvertedBit) |
                  bitValue(third.relayInverted, RelayInvertedBit) |
                  bitValue(third.latched, LatchedBit) | bitValue(third.pulse, PulseBit) |
                  bitValue(third.ledSelfReset, SelfResetBit));
    setByteAt(frame, PickUpByte, third.pickUpSteps);
    setByteAt(frame, DropOutByte, third.dropOutSteps);
    setByteAt(frame, PulseByte, third.pulseSeconds);
    setByteAt(frame, ColoursByte, third.colours.bits());
    for (int input = 0; input < Channels; ++input) {
        for (int relay = 0; relay < Channels; ++relay) {
            const int crossing = input * Channels + relay;
            const int byte = MatrixByte + crossing / BitsPerByte;
            setByteAt(frame, byte,
                      static_cast<quint8>(frame.at(byte)) |
                          bitValue(drives[input][relay], crossing % BitsPerByte));
        }
    }
    return frame;
}

QByteArray Wrn2Config::encode() const
{
    return encodePart1() + encodePart2();
}

Wrn2Config Wrn2Config::defaults()
{
    Wrn2Config config;
    config.firstChannels = {WrnChannel::factory(), WrnChannel::factory()};
    config.third = WrnChannel::factory();
    for (WrnChannel *channel :
         {&config.firstChannels.first, &config.firstChannels.second, &config.third})
        channel->ledSelfReset = true;
    for (int channel = 0; channel < Channels; ++channel)
        config.drives[channel][channel] = true;
    return config;
}

bool Wrn2Config::operator==(const Wrn2Config &other) const
{
    return firstChannels == other.firstChannels && third == other.third && drives == other.drives;
}
