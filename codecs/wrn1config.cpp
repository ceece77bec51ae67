#include "codecs/wrn1config.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

namespace {

using Layout = Wrn1Config::Layout;

quint8 ledByte(const WrnChannel &channel)
{
    return static_cast<quint8>(bitValue(channel.ledSelfReset, Layout::SelfResetBit) |
                               channel.colours.bits());
}

void readLedByte(quint8 value, WrnChannel &channel)
{
    channel.ledSelfReset = bitSet(value, Layout::SelfResetBit);
    channel.colours = WrnLedColours::fromBits(value);
}

} // namespace

Wrn1Config Wrn1Config::decode(const QByteArray &block)
{
    Wrn1Config config;
    const quint8 flags = byteAt(block, Layout::FlagsByte);
    config.first.inputInverted = bitSet(flags, Layout::FirstInputInvertedBit);
    config.second.inputInverted = bitSet(flags, Layout::SecondInputInvertedBit);
    config.first.relayInverted = bitSet(flags, Layout::FirstRelayInvertedBit);
    config.first.latched = bitSet(flags, Layout::FirstLatchedBit);
    config.first.pulse = bitSet(flags, Layout::FirstPulseBit);
    config.second.relayInverted = bitSet(flags, Layout::SecondRelayInvertedBit);
    config.second.latched = bitSet(flags, Layout::SecondLatchedBit);
    config.second.pulse = bitSet(flags, Layout::SecondPulseBit);
    readLedByte(byteAt(block, Layout::FirstLedByte), config.first);
    readLedByte(byteAt(block, Layout::SecondLedByte), config.second);
    config.first.pickUpSteps = byteAt(block, Layout::FirstPickUpByte);
    config.first.dropOutSteps = byteAt(block, Layout::FirstDropOutByte);
    config.second.pickUpSteps = byteAt(block, Layout::SecondPickUpByte);
    config.second.dropOutSteps = byteAt(block, Layout::SecondDropOutByte);
    config.first.pulseSeconds = byteAt(block, Layout::FirstPulseByte);
    config.second.pulseSeconds = byteAt(block, Layout::SecondPulseByte);
    return config;
}

QByteArray Wrn1Config::encode() const
{
    QByteArray frame = Frame::configFrame();
    setByteAt(frame, Layout::FlagsByte,
              bitValue(first.inputInverted, Layout::FirstInputInvertedBit) |
                  bitValue(second.inputInverted, Layout::SecondInputInvertedBit) |
                  bitValue(first.relayInverted, Layout::FirstRelayInvertedBit) |
                  bitValue(first.latched, Layout::FirstLatchedBit) |
                  bitValue(first.pulse, Layout::FirstPulseBit) |
                  bitValue(second.relayInverted, Layout::SecondRelayInvertedBit) |
                  bitValue(second.latched, Layout::SecondLatchedBit) |
                  bitValue(second.pulse, Layout::SecondPulseBit));
    setByteAt(frame, Layout::FirstLedByte, ledByte(first));
    setByteAt(frame, Layout::SecondLedByte, ledByte(second));
    setByteAt(frame, Layout::FirstPickUpByte, first.pickUpSteps);
    setByteAt(frame, Layout::FirstDropOutByte, first.dropOutSteps);
    setByteAt(frame, Layout::SecondPickUpByte, second.pickUpSteps);
    setByteAt(frame, Layout::SecondDropOutByte, second.dropOutSteps);
    setByteAt(frame, Layout::FirstPulseByte, first.pulseSeconds);
    setByteAt(frame, Layout::SecondPulseByte, second.pulseSeconds);
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

// Bit 7 of each LED byte, and bytes 11-13.
QByteArray Wrn1Config::ignoredBits()
{
    return QByteArray::fromHex("00 00 00 80 80 00 00 00 00 00 00 ff ff ff");
}
