#include "codecs/gaconfig.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

namespace {

enum ConfigByte
{
    Relay1Byte = 2,
    Relay1PulseByte = 3,
    Relay2Byte = 4,
    Relay2PulseByte = 5,
    ColourSchemeByte = 6,
    LedBehaviourByte = 7,
    TriggerByte = 8,
    // Both low bytes come first, then both high bytes.
    AppearanceLowByte = 9,
    DisappearanceLowByte = 10,
    AppearanceHighByte = 11,
    DisappearanceHighByte = 12,
};

constexpr int TriggerOnAppearanceBit = 0;

// Bits beyond these carry nothing and are neither kept nor sent.
constexpr quint8 RelayBits = 0x1F;
constexpr quint8 ColourSchemeBits = 0x1F;
constexpr quint8 LedBehaviourBits = 0x0F;

constexpr quint8 DefaultPulseSeconds = 3;
constexpr quint16 DefaultDelayCount = GaConfig::CountsPerSecond / 10;

} // namespace

GaConfig GaConfig::decode(const QByteArray &block)
{
    GaConfig config;
    config.relay1 = {static_cast<quint8>(byteAt(block, Relay1Byte) & RelayBits),
                     byteAt(block, Relay1PulseByte)};
    config.relay2 = {static_cast<quint8>(byteAt(block, Relay2Byte) & RelayBits),
                     byteAt(block, Relay2PulseByte)};
    config.colourScheme = byteAt(block, ColourSchemeByte) & ColourSchemeBits;
    config.ledBehaviour = byteAt(block, LedBehaviourByte) & LedBehaviourBits;
    config.triggerOnAppearance = bitSet(byteAt(block, TriggerByte), TriggerOnAppearanceBit);
    config.appearanceDelayCount =
        word(byteAt(block, AppearanceHighByte), byteAt(block, AppearanceLowByte));
    config.disappearanceDelayCount =
        word(byteAt(block, DisappearanceHighByte), byteAt(block, DisappearanceLowByte));
    return config;
}

QByteArray GaConfig::encode() const
{
    QByteArray frame = Frame::configFrame();
    setByteAt(frame, Relay1Byte, relay1.modes & RelayBits);
    setByteAt(frame, Relay1PulseByte, relay1.pulseSeconds);
    setByteAt(frame, Relay2Byte, relay2.modes & RelayBits);
    setByteAt(frame, Relay2PulseByte, relay2.pulseSeconds);
    setByteAt(frame, ColourSchemeByte, colourScheme & ColourSchemeBits);
    setByteAt(frame, LedBehaviourByte, ledBehaviour & LedBehaviourBits);
    setByteAt(frame, TriggerByte, bitValue(triggerOnAppearance, TriggerOnAppearanceBit));
    setByteAt(frame, AppearanceLowByte, lowByte(appearanceDelayCount));
    setByteAt(frame, DisappearanceLowByte, lowByte(disappearanceDelayCount));
    setByteAt(frame, AppearanceHighByte, highByte(appearanceDelayCount));
    setByteAt(frame, DisappearanceHighByte, highByte(disappearanceDelayCount));
    return frame;
}

GaConfig GaConfig::defaults()
{
    // Relay 1 latches until reset, relay 2 does not reset on permanent disturbances; both
    // blinkings are off and the LEDs follow scheme B.
    GaConfig config;
    config.relay1 = {bitValue(true, LatchedUntilReset), DefaultPulseSeconds};
    config.relay2 = {bitValue(true, NoResetForPermanentFaults), DefaultPulseSeconds};
    config.colourScheme = bitValue(true, SchemeB);
    config.ledBehaviour = bitValue(true, NoFastBlinking) | bitValue(true, NoSlowBlinking);
    config.appearanceDelayCount = DefaultDelayCount;
    config.disappearanceDelayCount = DefaultDelayCount;
    return config;
}

bool GaConfig::operator==(const GaConfig &other) const
{
    return relay1 == other.relay1 && relay2 == other.relay2 && colourScheme == other.colourScheme &&
           ledBehaviour == other.ledBehaviour && triggerOnAppearance == other.triggerOnAppearance &&
           appearanceDelayCount == other.appearanceDelayCount &&
           disappearanceDelayCount == other.disappearanceDelayCount;
}
