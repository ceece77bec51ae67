#include "codecs/kzrconfig.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

#include <algorithm>
#include <array>

namespace {

// A colour travels as 0xFF with the bits of its lit components cleared; the two LEDs are
// wired to different bits, so each has its own code for the same colour.
using ColourCodes = std::array<quint8, KzrConfig::ColourCount>;
constexpr ColourCodes BlockedLedCodes = {0xEF, 0xE7, 0xD7, 0xF7, 0xDF, 0xCF};
constexpr ColourCodes FreeLedCodes = {0xFD, 0xFC, 0xFA, 0xFE, 0xFB, 0xF9};

constexpr quint8 DefaultUnlockSeconds = 30;
constexpr quint16 DefaultVoltageDelayMs = 100;

KzrConfig::Colour colourOf(const ColourCodes &codes, quint8 code)
{
    const auto found = std::find(codes.begin(), codes.end(), code);
    return found == codes.end() ? KzrConfig::NoColour
                                : static_cast<KzrConfig::Colour>(found - codes.begin());
}

quint8 codeOf(const ColourCodes &codes, KzrConfig::Colour colour)
{
    return codes[static_cast<size_t>(qBound(0, int(colour), int(codes.size()) - 1))];
}

KzrConfig commonDefaults()
{
    KzrConfig config;
    config.unlockSeconds = DefaultUnlockSeconds;
    config.relay1 = bitValue(true, KzrConfig::RelayFollowsUnlock);
    config.relay2 = bitValue(true, KzrConfig::RelayFollowsUnlock);
    config.voltageAppearanceMs = DefaultVoltageDelayMs;
    config.voltageLossMs = DefaultVoltageDelayMs;
    config.blockedColour = KzrConfig::Red;
    config.freeColour = KzrConfig::Green;
    config.earthingColour = KzrConfig::Blue;
    return config;
}

} // namespace

KzrConfig KzrConfig::decode(const QByteArray &block)
{
    KzrConfig config;
    config.unlock = byteAt(block, Layout::UnlockByte) & Layout::UnlockBits;
    config.unlockSeconds = byteAt(block, Layout::UnlockTimeByte);
    config.relay1 = byteAt(block, Layout::Relay1Byte) & Layout::RelayBits;
    config.relay2 = byteAt(block, Layout::Relay2Byte) & Layout::RelayBits;
    config.inputs = byteAt(block, Layout::InputsByte) & Layout::InputBits;
    config.voltageAppearanceMs =
        word(byteAt(block, Layout::AppearanceHighByte), byteAt(block, Layout::AppearanceLowByte));
    config.voltageLossMs =
        word(byteAt(block, Layout::LossHighByte), byteAt(block, Layout::LossLowByte));
    config.blockedColour = colourOf(BlockedLedCodes, byteAt(block, Layout::BlockedColourByte));
    config.freeColour = colourOf(FreeLedCodes, byteAt(block, Layout::FreeColourByte));
    // Which code set the device uses for the earthing LED is not settled; the sets do not
    // overlap, so a code of either names its colour.
    const quint8 earthing = byteAt(block, Layout::EarthingColourByte);
    config.earthingColour = colourOf(BlockedLedCodes, earthing);
    if (config.earthingColour == NoColour)
        config.earthingColour = colourOf(FreeLedCodes, earthing);
    return config;
}

QByteArray KzrConfig::encode() const
{
    QByteArray frame = Frame::configFrame();
    setByteAt(frame, Layout::UnlockByte, unlock & Layout::UnlockBits);
    setByteAt(frame, Layout::UnlockTimeByte, unlockSeconds);
    setByteAt(frame, Layout::Relay1Byte, relay1 & Layout::RelayBits);
    setByteAt(frame, Layout::Relay2Byte, relay2 & Layout::RelayBits);
    setByteAt(frame, Layout::InputsByte, inputs & Layout::InputBits);
    setByteAt(frame, Layout::AppearanceHighByte, highByte(voltageAppearanceMs));
    setByteAt(frame, Layout::AppearanceLowByte, lowByte(voltageAppearanceMs));
    setByteAt(frame, Layout::LossHighByte, highByte(voltageLossMs));
    setByteAt(frame, Layout::LossLowByte, lowByte(voltageLossMs));
    setByteAt(frame, Layout::BlockedColourByte, codeOf(BlockedLedCodes, blockedColour));
    setByteAt(frame, Layout::FreeColourByte, codeOf(FreeLedCodes, freeColour));
    // Sent in the blocked LED's set, as the device has always been given it.
    setByteAt(frame, Layout::EarthingColourByte, codeOf(BlockedLedCodes, earthingColour));
    return frame;
}

KzrConfig KzrConfig::kzrDefaults()
{
    KzrConfig config = commonDefaults();
    config.unlock = bitValue(true, UnlockByInput1) | bitValue(true, UnlockByInput2) |
                    bitValue(true, UnlockByButton);
    return config;
}

KzrConfig KzrConfig::tlmxDefaults()
{
    KzrConfig config = commonDefaults();
    config.unlock = bitValue(true, PermanentUnlock) | bitValue(true, TlmxBlockingOnRelay2) |
                    bitValue(true, TlmxTwoColourBlocking);
    return config;
}

bool KzrConfig::operator==(const KzrConfig &other) const
{
    return unlock == other.unlock && unlockSeconds == other.unlockSeconds &&
           relay1 == other.relay1 && relay2 == other.relay2 && inputs == other.inputs &&
           voltageAppearanceMs == other.voltageAppearanceMs &&
           voltageLossMs == other.voltageLossMs && blockedColour == other.blockedColour &&
           freeColour == other.freeColour && earthingColour == other.earthingColour;
}

// Bit 7 of the unlock byte, bits 5-7 of the relay bytes and 6-7 of the inputs byte.
QByteArray KzrConfig::ignoredBits()
{
    return QByteArray::fromHex("00 00 80 00 e0 e0 c0 00 00 00 00 00 00 00");
}
