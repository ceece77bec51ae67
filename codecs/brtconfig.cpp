#include "codecs/brtconfig.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

namespace {

using Layout = BrtConfig::Layout;

constexpr quint8 DefaultDelaySteps = 1;

quint8 colourBits(BrtConfig::Colour colour)
{
    const int index = static_cast<int>(colour);
    if (index < 0 || index >= Layout::ColourCount)
        return 0;
    return bitValue(true, Layout::FirstColourBit + index);
}

// Only a field with exactly one colour bit names a colour.
BrtConfig::Colour colourOf(quint8 mode)
{
    for (int colour = 0; colour < Layout::ColourCount; ++colour) {
        if ((mode & Layout::ColourMask) == bitValue(true, Layout::FirstColourBit + colour))
            return static_cast<BrtConfig::Colour>(colour);
    }
    return BrtConfig::Unnamed;
}

BrtConfig::Input readInput(const QByteArray &block, int at)
{
    const quint8 mode = byteAt(block, at);
    return {bitSet(mode, Layout::ExcitationBit), colourOf(mode),
            byteAt(block, at + Layout::AppearOffset), byteAt(block, at + Layout::VanishOffset)};
}

void putInput(QByteArray &frame, int at, const BrtConfig::Input &input)
{
    setByteAt(frame, at,
              bitValue(input.onExcitation, Layout::ExcitationBit) | colourBits(input.colour));
    setByteAt(frame, at + Layout::AppearOffset, input.appearSteps);
    setByteAt(frame, at + Layout::VanishOffset, input.vanishSteps);
}

} // namespace

bool BrtConfig::Input::operator==(const Input &other) const
{
    return onExcitation == other.onExcitation && colour == other.colour &&
           appearSteps == other.appearSteps && vanishSteps == other.vanishSteps;
}

BrtConfig BrtConfig::decode(const QByteArray &block)
{
    BrtConfig config;
    config.input1 = readInput(block, Layout::Input1Byte);
    config.input2 = readInput(block, Layout::Input2Byte);
    const quint8 options = byteAt(block, Layout::OptionsByte);
    config.channelsSwapped = bitSet(options, Layout::SwapBit);
    config.noFastBlinking = bitSet(options, Layout::NoFastBlinkingBit);
    config.latching = bitSet(options, Layout::LatchingBit);
    const quint8 relays = byteAt(block, Layout::RelaysByte);
    config.input1Relay1 = bitSet(relays, Layout::Input1Relay1Bit);
    config.input1Relay2 = bitSet(relays, Layout::Input1Relay2Bit);
    config.input2Relay1 = bitSet(relays, Layout::Input2Relay1Bit);
    config.input2Relay2 = bitSet(relays, Layout::Input2Relay2Bit);
    config.relay1Inverted = bitSet(relays, Layout::Relay1InvertedBit);
    config.relay2Inverted = bitSet(relays, Layout::Relay2InvertedBit);
    return config;
}

QByteArray BrtConfig::encode() const
{
    QByteArray frame = Frame::configFrame();
    putInput(frame, Layout::Input1Byte, input1);
    putInput(frame, Layout::Input2Byte, input2);
    setByteAt(frame, Layout::OptionsByte,
              bitValue(channelsSwapped, Layout::SwapBit) |
                  bitValue(noFastBlinking, Layout::NoFastBlinkingBit) |
                  bitValue(latching, Layout::LatchingBit));
    setByteAt(frame, Layout::RelaysByte,
              bitValue(input1Relay1, Layout::Input1Relay1Bit) |
                  bitValue(input1Relay2, Layout::Input1Relay2Bit) |
                  bitValue(input2Relay1, Layout::Input2Relay1Bit) |
                  bitValue(input2Relay2, Layout::Input2Relay2Bit) |
                  bitValue(relay1Inverted, Layout::Relay1InvertedBit) |
                  bitValue(relay2Inverted, Layout::Relay2InvertedBit));
    frame.replace(Layout::TailByte, int(sizeof Layout::Tail), Layout::Tail,
                  int(sizeof Layout::Tail));
    return frame;
}

BrtConfig BrtConfig::defaults()
{
    BrtConfig config;
    config.input1 = {true, Red, DefaultDelaySteps, DefaultDelaySteps};
    config.input2 = {true, Green, DefaultDelaySteps, DefaultDelaySteps};
    return config;
}

bool BrtConfig::operator==(const BrtConfig &other) const
{
    return input1 == other.input1 && input2 == other.input2 &&
           channelsSwapped == other.channelsSwapped && noFastBlinking == other.noFastBlinking &&
           latching == other.latching && input1Relay1 == other.input1Relay1 &&
           input1Relay2 == other.input1Relay2 && input2Relay1 == other.input2Relay1 &&
           input2Relay2 == other.input2Relay2 && relay1Inverted == other.relay1Inverted &&
           relay2Inverted == other.relay2Inverted;
}

// Bits 5-7 of each input's byte, 3-7 of the options byte, 6-7 of the relays byte, and
// bytes 10-13.
QByteArray BrtConfig::ignoredBits()
{
    return QByteArray::fromHex("00 00 e0 00 00 e0 00 00 f8 c0 ff ff ff ff");
}
