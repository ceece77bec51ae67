#include "codecs/brtconfig.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

namespace {

// Each input has a mode byte followed by its two delays.
constexpr int Input1Byte = 2;
constexpr int Input2Byte = 5;
constexpr int AppearOffset = 1;
constexpr int VanishOffset = 2;
constexpr int OptionsByte = 8;
constexpr int RelaysByte = 9;
// The device expects this fixed tail after the configuration.
constexpr int TailByte = 10;
constexpr char Tail[] = {0x00, 0x01, 0x02, 0x03};

// Mode byte: bit 0 is the trigger, then one bit per colour.
constexpr int ExcitationBit = 0;
constexpr int FirstColourBit = 1;
constexpr quint8 ColourMask = 0x1E;
constexpr int ColourCount = 4;

// The swap is bit 0 although its box stands second on the page: the device defines the order.
constexpr int SwapBit = 0;
constexpr int NoFastBlinkingBit = 1;
constexpr int LatchingBit = 2;

constexpr int Input1Relay1Bit = 0;
constexpr int Input1Relay2Bit = 1;
constexpr int Input2Relay1Bit = 2;
constexpr int Input2Relay2Bit = 3;
constexpr int Relay1InvertedBit = 4;
constexpr int Relay2InvertedBit = 5;

constexpr quint8 DefaultDelaySteps = 1;

quint8 colourBits(BrtConfig::Colour colour)
{
    const int index = static_cast<int>(colour);
    if (index < 0 || index >= ColourCount)
        return 0;
    return bitValue(true, FirstColourBit + index);
}

// Only a field with exactly one colour bit names a colour.
BrtConfig::Colour colourOf(quint8 mode)
{
    for (int colour = 0; colour < ColourCount; ++colour) {
        if ((mode & ColourMask) == bitValue(true, FirstColourBit + colour))
            return static_cast<BrtConfig::Colour>(colour);
    }
    return BrtConfig::Unnamed;
}

BrtConfig::Input readInput(const QByteArray &block, int at)
{
    const quint8 mode = byteAt(block, at);
    return {bitSet(mode, ExcitationBit), colourOf(mode), byteAt(block, at + AppearOffset),
            byteAt(block, at + VanishOffset)};
}

void putInput(QByteArray &frame, int at, const BrtConfig::Input &input)
{
    setByteAt(frame, at, bitValue(input.onExcitation, ExcitationBit) | colourBits(input.colour));
    setByteAt(frame, at + AppearOffset, input.appearSteps);
    setByteAt(frame, at + VanishOffset, input.vanishSteps);
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
    config.input1 = readInput(block, Input1Byte);
    config.input2 = readInput(block, Input2Byte);
    const quint8 options = byteAt(block, OptionsByte);
    config.channelsSwapped = bitSet(options, SwapBit);
    config.noFastBlinking = bitSet(options, NoFastBlinkingBit);
    config.latching = bitSet(options, LatchingBit);
    const quint8 relays = byteAt(block, RelaysByte);
    config.input1Relay1 = bitSet(relays, Input1Relay1Bit);
    config.input1Relay2 = bitSet(relays, Input1Relay2Bit);
    config.input2Relay1 = bitSet(relays, Input2Relay1Bit);
    config.input2Relay2 = bitSet(relays, Input2Relay2Bit);
    config.relay1Inverted = bitSet(relays, Relay1InvertedBit);
    config.relay2Inverted = bitSet(relays, Relay2InvertedBit);
    return config;
}

QByteArray BrtConfig::encode() const
{
    QByteArray frame = Frame::configFrame();
    putInput(frame, Input1Byte, input1);
    putInput(frame, Input2Byte, input2);
    setByteAt(frame, OptionsByte,
              bitValue(channelsSwapped, SwapBit) | bitValue(noFastBlinking, NoFastBlinkingBit) |
                  bitValue(latching, LatchingBit));
    setByteAt(frame, RelaysByte,
              bitValue(input1Relay1, Input1Relay1Bit) | bitValue(input1Relay2, Input1Relay2Bit) |
                  bitValue(input2Relay1, Input2Relay1Bit) |
                  bitValue(input2Relay2, Input2Relay2Bit) |
                  bitValue(relay1Inverted, Relay1InvertedBit) |
                  bitValue(relay2Inverted, Relay2InvertedBit));
    frame.replace(TailByte, int(sizeof Tail), Tail, int(sizeof Tail));
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
