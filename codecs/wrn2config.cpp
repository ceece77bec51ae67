#include "codecs/wrn2config.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

Wrn2Config Wrn2Config::decode(const QByteArray &block)
{
    Wrn2Config config;
    config.firstChannels = Wrn1Config::decode(block);

    const auto part2 = [&block](int index) { return byteAt(block, Layout::Part2Offset + index); };
    const quint8 flags = part2(Layout::FlagsByte);
    config.third.inputInverted = bitSet(flags, Layout::InputInvertedBit);
    config.third.relayInverted = bitSet(flags, Layout::RelayInvertedBit);
    config.third.latched = bitSet(flags, Layout::LatchedBit);
    config.third.pulse = bitSet(flags, Layout::PulseBit);
    config.third.ledSelfReset = bitSet(flags, Layout::SelfResetBit);
    config.third.pickUpSteps = part2(Layout::PickUpByte);
    config.third.dropOutSteps = part2(Layout::DropOutByte);
    config.third.pulseSeconds = part2(Layout::PulseByte);
    config.third.colours = WrnLedColours::fromBits(part2(Layout::ColoursByte));
    for (int input = 0; input < Channels; ++input) {
        for (int relay = 0; relay < Channels; ++relay)
            config.drives[input][relay] =
                bitSet(part2(Layout::matrixByte(input, relay)), Layout::matrixBit(input, relay));
    }
    return config;
}

bool Wrn2Config::holdsPart2(const QByteArray &block)
{
    return block.size() >= Layout::ReplySize;
}

QByteArray Wrn2Config::encodePart1() const
{
    return firstChannels.encode();
}

QByteArray Wrn2Config::encodePart2() const
{
    QByteArray frame = Frame::configFramePart2();
    setByteAt(frame, Layout::FlagsByte,
              bitValue(third.inputInverted, Layout::InputInvertedBit) |
                  bitValue(third.relayInverted, Layout::RelayInvertedBit) |
                  bitValue(third.latched, Layout::LatchedBit) |
                  bitValue(third.pulse, Layout::PulseBit) |
                  bitValue(third.ledSelfReset, Layout::SelfResetBit));
    setByteAt(frame, Layout::PickUpByte, third.pickUpSteps);
    setByteAt(frame, Layout::DropOutByte, third.dropOutSteps);
    setByteAt(frame, Layout::PulseByte, third.pulseSeconds);
    setByteAt(frame, Layout::ColoursByte, third.colours.bits());
    for (int input = 0; input < Channels; ++input) {
        for (int relay = 0; relay < Channels; ++relay) {
            const int byte = Layout::matrixByte(input, relay);
            setByteAt(frame, byte,
                      static_cast<quint8>(frame.at(byte)) |
                          bitValue(drives[input][relay], Layout::matrixBit(input, relay)));
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

// The first frame is the two-channel relay's; in the second, bits 5-7 of the flags byte,
// bits 0 and 7 of the colour byte, bits 1-7 of the matrix's last byte, and bytes 9-13.
QByteArray Wrn2Config::ignoredBits()
{
    return Wrn1Config::ignoredBits() +
           QByteArray::fromHex("00 00 e0 00 00 00 81 00 fe ff ff ff ff ff");
}
