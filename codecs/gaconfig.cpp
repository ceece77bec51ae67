#include "codecs/gaconfig.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

namespace {

constexpr quint8 DefaultPulseSeconds = 3;
constexpr quint16 DefaultDelayCount = GaConfig::CountsPerSecond / 10;

} // namespace

GaConfig GaConfig::decode(const QByteArray &block)
{
    GaConfig config;
    config.relay1 = {static_cast<quint8>(byteAt(block, Layout::Relay1Byte) & Layout::RelayBits),
                     byteAt(block, Layout::Relay1PulseByte)};
    config.relay2 = {static_cast<quint8>(byteAt(block, Layout::Relay2Byte) & Layout::RelayBits),
                     byteAt(block, Layout::Relay2PulseByte)};
    config.colourScheme = byteAt(block, Layout::ColourSchemeByte) & Layout::ColourSchemeBits;
    config.ledBehaviour = byteAt(block, Layout::LedBehaviourByte) & Layout::LedBehaviourBits;
    config.triggerOnAppearance =
        bitSet(byteAt(block, Layout::TriggerByte), Layout::TriggerOnAppearanceBit);
    config.appearanceDelayCount =
        word(byteAt(block, Layout::AppearanceHighByte), byteAt(block, Layout::AppearanceLowByte));
    config.disappearanceDelayCount = word(byteAt(block, Layout::DisappearanceHighByte),
                                          byteAt(block, Layout::DisappearanceLowByte));
    return config;
}

QByteArray GaConfig::encode() const
{
    QByteArray frame = Frame::configFrame();
    setByteAt(frame, Layout::Relay1Byte, relay1.modes & Layout::RelayBits);
    setByteAt(frame, Layout::Relay1PulseByte, relay1.pulseSeconds);
    setByteAt(frame, Layout::Relay2Byte, relay2.modes & Layout::RelayBits);
    setByteAt(frame, Layout::Relay2PulseByte, relay2.pulseSeconds);
    setByteAt(frame, Layout::ColourSchemeByte, colourScheme & Layout::ColourSchemeBits);
    setByteAt(frame, Layout::LedBehaviourByte, ledBehaviour & Layout::LedBehaviourBits);
    setByteAt(frame, Layout::TriggerByte,
              bitValue(triggerOnAppearance, Layout::TriggerOnAppearanceBit));
    setByteAt(frame, Layout::AppearanceLowByte, lowByte(appearanceDelayCount));
    setByteAt(frame, Layout::DisappearanceLowByte, lowByte(disappearanceDelayCount));
    setByteAt(frame, Layout::AppearanceHighByte, highByte(appearanceDelayCount));
    setByteAt(frame, Layout::DisappearanceHighByte, highByte(disappearanceDelayCount));
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

// Bits 5-7 of the relay and colour-scheme bytes, 4-7 of the LED byte, 1-7 of the trigger
// byte, and byte 13.
QByteArray GaConfig::ignoredBits()
{
    return QByteArray::fromHex("00 00 e0 00 e0 00 e0 f0 fe 00 00 00 00 ff");
}
