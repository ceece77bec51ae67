#include "codecs/wrnledcolours.h"

#include <algorithm>
#include <array>

namespace {

using Layout = WrnLedColours::Layout;

// Indexed by WrnLedColours::Colour.
constexpr std::array<quint8, 5> Codes = {Layout::GreenMask | Layout::RedMask | Layout::BlueMask,
                                         Layout::RedMask, Layout::BlueMask, Layout::GreenMask,
                                         Layout::GreenMask | Layout::RedMask};

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
    return static_cast<quint8>(codeOf(excited) << Layout::ExcitedShift |
                               codeOf(afterReset) << Layout::AfterResetShift);
}

WrnLedColours WrnLedColours::fromBits(quint8 value)
{
    return {colourOf((value >> Layout::ExcitedShift) & Layout::FieldMask),
            colourOf((value >> Layout::AfterResetShift) & Layout::FieldMask)};
}

bool WrnLedColours::operator==(const WrnLedColours &other) const
{
    return excited == other.excited && afterReset == other.afterReset;
}
