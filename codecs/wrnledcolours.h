#pragma once

#include <QtGlobal>

// The colours of one LED of the WRN relays, when excited and after a reset. Each travels as a
// 3-bit field with one bit per primary colour, the excited one in bits 1-3 of its byte and the
// after-reset one in bits 4-6; the other bits of that byte belong to whoever owns the byte.
class WrnLedColours
{
public:
    // In the order of the pages' colour lists, so a colour is also its list index.
    enum Colour
    {
        Unnamed = -1, // the field's bits name none of the listed colours
        White,
        Red,
        Blue,
        Green,
        Yellow,
    };

    Colour excited = Unnamed;
    Colour afterReset = Unnamed;

    // An unnamed colour adds no bits.
    quint8 bits() const;
    static WrnLedColours fromBits(quint8 value);

    bool operator==(const WrnLedColours &other) const;
    bool operator!=(const WrnLedColours &other) const { return !(*this == other); }
};
