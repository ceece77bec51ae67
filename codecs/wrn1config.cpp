#include "codecs/wrn1config.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

namespace {

constexpr int FlagsByte = 2;
constexpr int FirstLedByte = 3;
constexpr int SecondLedByte = 4;
constexpr int FirstPickUpByte = 5;
constexpr int FirstDropOutByte = 6;
constexpr int SecondPickUpByte = 7;
constexpr int SecondDropOutByte = 8;
constexpr int FirstPulseByte = 9;
constexpr int SecondPulseByte = 10;

// The flags byte holds both channels' options.
constexpr int FirstInputInvertedBit = 0;
constexpr int SecondInputInvertedBit = 1;
constexpr int FirstRelayInvertedBit = 2;
constexpr int FirstLatchedBit = 3;
constexpr int FirstPulseBit = 4;
constexpr int SecondRelayInvertedBit = 5;
constexpr int SecondLatchedBit = 6;
constexpr int SecondPulseBit = 7;

// An LED byte carries the self-reset flag beside the two colour fields.
constexpr int SelfResetBit = 0;

quint8 ledByte(const WrnChannel &channel)
{
    return static_cast<quint8>(bitValue(channel.ledSelfReset, SelfResetBit) |
                               channel.colours.bits());
}

void readLedByte(quint8 value, WrnChannel &channel)
{
    channel.ledSelfReset = bitSet(value, SelfResetBit);
    channel.colours = WrnLedColours::fromBits(value);
}

} // namespace

Wrn1Config Wrn1Config::decode(const QByteArray &block)
{
    Wrn1Config config;
    const quint8 flags = byteAt(block, FlagsByte);
    config.first.inputInverted = bitSet(flags, FirstInputInvertedBit);
    config.second.inputInverted = bitSet(flags, SecondInputInvertedBit);
    config.first.relayInverted = bitSet(flags, FirstRelayInvertedBit);
    config.first.latched = bitSet(flags, FirstLatchedBit);
    config.first.pulse = bitSet(flags, FirstPulseBit);
    config.second.relayInverted = bitSet(flags, SecondRelayInvertedBit);
    config.second.latched = bitSet(flags, SecondLatchedBit);
    config.second.pulse = bitSet(flags, SecondPulseBit);
    readLedByte(byteAt(block, FirstLedByte), config.first);
    readLedByte(byteAt(block, SecondLedByte), config.second);
    config.first.pickUpSteps = byteAt(block, FirstPickUpByte);
    config.first.dropOutSteps = byteAt(block, FirstDropOutByte);
    config.second.pickUpSteps = byteAt(block, SecondPickUpByte);
    config.second.dropOutSteps = byteAt(block, SecondDropOutByte);
    config.first.pulseSeconds = byteAt(block, FirstPulseByte);
    config.second.pulseSeconds = byteAt(block, SecondPulseByte);
    return config;
}

QByteArray Wrn1Config::encode() const
{
    QByteArray frame = Frame::configFrame();
    setByteAt(frame, FlagsByte,
              bitValue(first.inputInverted, FirstInputInvertedBit) |
                  bitValue(second.inputInverted, SecondInputInvertedBit) |
                  bitValue(first.relayInverted, FirstRelayInvertedBit) |
                  bitValue(first.latched, FirstLatchedBit) | bitValue(first.pulse, FirstPulseBit) |
                  bitValue(second.relayInverted, SecondRelayInvertedBit) |
                  bitValue(second.latched, SecondLatchedBit) |
                  bitValue(second.pulse, SecondPulseBit));
    setByteAt(frame, FirstLedByte, ledByte(first));
    setByteAt(frame, SecondLedByte, ledByte(second));
    setByteAt(frame, FirstPickUpByte, first.pickUpSteps);
    setByteAt(frame, FirstDropOutByte, first.dropOutSteps);
    setByteAt(frame, SecondPickUpByte, second.pickUpSteps);
    setByteAt(frame, SecondDropOutByte, second.dropOutSteps);
    setByteAt(frame, FirstPulseByte, first.pulseSeconds);
    setByteAt(frame, SecondPulseByte, second.pulseSeconds);
    return frame;
}

Wrn1Config Wrn1Config::defaults()
{
    Wrn1Config config{WrnChannel::factory(), WrnChannel::factory()};
    config.first.latched = true;
    return config;
}

bool Wrn1Config::operator==(const Wrn1Config &other) const
{
    return first == other.first && second == other.second;
}
