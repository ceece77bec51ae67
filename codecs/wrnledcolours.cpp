#include "codecs/wrnledcolours.h"

#include <algorithm>
#include <array>

namespace {

constexpr quint8 Green = 0x1;
constexpr quint8 Red = 0x2;
constexpr quint8 Blue = 0x4;
constexpr quint8 FieldMask = Green | Red | Blue;

// Indexed by WrnLedColours::Colour.
constexpr std::array<quint8, 5> Codes = {Green | Red | Blue, Red, Blue, Green, Green | Red};

constexpr int ExcitedShift = 1;
constexpr int AfterResetShift = 4;

quint8 codeOf(WrnLedColours::Colour colour)
{
    if (colour < 0 || colour >= static_cast<int>(Codes.size()))
        return 0;
    return Codes[static_cast<std::size_t>(colour)];
}

WrnLedColours::Colour colourOf(quint8 field)
{
    const auto found = std::find(Codes.begin(), Codes.end(), field);
    if (found == Codes.end())
        return WrnLedColours::Unnamed;
    return static_cast<WrnLedColours::Colour>(found - Codes.begin());
}

} // namespace

quint8 WrnLedColours::bits() const
{
    return static_cast<quint8>(codeOf(excited) << ExcitedShift | codeOf(afterReset)
                                                                     << AfterResetShift);
}

WrnLedColours WrnLedColours::fromBits(quint8 value)
{
    return {colourOf((value >> ExcitedShift) & FieldMask),
            colourOf((value >> AfterResetShift) & FieldMask)};
}

bool WrnLedColours::operator==(const WrnLedColours &other) const
{
    return excited == other.excited && afterReset == other.afterReset;
}
