#include "codecs/kzrconfig.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

#include <algorithm>
#include <array>

namespace {

enum ConfigByte
{
    UnlockByte = 2,
    UnlockTimeByte = 3,
    Relay1Byte = 4,
    Relay2Byte = 5,
    InputsByte = 6,
    AppearanceHighByte = 7,
    AppearanceLowByte = 8,
    LossHighByte = 9,
    LossLowByte = 10,
    BlockedColourByte = 11,
    FreeColourByte = 12,
    EarthingColourByte = 13,
};

// Bits beyond these carry nothing and are neither kept nor sent.
constexpr quint8 UnlockBits = 0x7F;
constexpr quint8 RelayBits = 0x1F;
constexpr quint8 InputBits = 0x3F;

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
    config.unlock = byteAt(block, UnlockByte) & UnlockBits;
    config.unlockSeconds = byteAt(block, UnlockTimeByte);
    config.relay1 = byteAt(block, Relay1Byte) & RelayBits;
    config.relay2 = byteAt(block, Relay2Byte) & RelayBits;
    config.inputs = byteAt(block, InputsByte) & InputBits;
    config.voltageAppearanceMs =
        word(byteAt(block, AppearanceHighByte), byteAt(block, AppearanceLowByte));
    config.voltageLossMs = word(byteAt(block, LossHighByte), byteAt(block, LossLowByte));
    config.blockedColour = colourOf(BlockedLedCodes, byteAt(block, BlockedColourByte));
    config.freeColour = colourOf(FreeLedCodes, byteAt(block, FreeColourByte));
    // Which code set the device uses for the earthing LED is not settled; the sets do not
    // overlap, so a code of either names its colour.
    const quint8 earthing = byteAt(block, EarthingColourByte);
    config.earthingColour = colourOf(BlockedLedCodes, earthing);
    if (config.earthingColour == NoColour)
        config.earthingColour = colourOf(FreeLedCodes, earthing);
    return config;
}

QByteArray KzrConfig::encode() const
{
    QByteArray frame = Frame::configFrame();
    setByteAt(frame, UnlockByte, unlock & UnlockBits);
    setByteAt(frame, UnlockTimeByte, unlockSeconds);
    setByteAt(frame, Relay1Byte, relay1 & RelayBits);
    setByteAt(frame, Relay2Byte, relay2 & RelayBits);
    setByteAt(frame, InputsByte, inputs & InputBits);
    setByteAt(frame, AppearanceHighByte, highByte(voltageAppearanceMs));
    setByteAt(frame, AppearanceLowByte, lowByte(voltageAppearanceMs));
    setByteAt(frame, LossHighByte, highByte(voltageLossMs));
    setByteAt(frame, LossLowByte, lowByte(voltageLossMs));
    setByteAt(frame, BlockedColourByte, codeOf(BlockedLedCodes, blockedColour));
    setByteAt(frame, FreeColourByte, codeOf(FreeLedCodes, freeColour));
    // Sent in the blocked LED's set, as the device has always been given it.
    setByteAt(frame, EarthingColourByte, codeOf(BlockedLedCodes, earthingColour));
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
