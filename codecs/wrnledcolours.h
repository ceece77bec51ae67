#pragma once

#include <QtGlobal>

// The colours of one LED of the WRN relays, when excited and after a reset. Each travels as a
// 3-bit field with one bit per primary colour, the excited one in bits 1-3 of its byte and the
// after-reset one in bits 4-6; the other bits of that byte belong to whoever owns the byte.
class WrnLedColours
{
public:
    // Where a field's bits lie in the byte that carries it.
    struct Layout
    {
        static constexpr quint8 GreenMask = 0x1;
        static constexpr quint8 RedMask = 0x2;
        static constexpr quint8 BlueMask = 0x4;
        static constexpr quint8 FieldMask = GreenMask | RedMask | BlueMask;

        static constexpr int ExcitedShift = 1;
        static constexpr int AfterResetShift = 4;
        static constexpr quint8 ExcitedBits = FieldMask << ExcitedShift;
        static constexpr quint8 AfterResetBits = FieldMask << AfterResetShift;
    };

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
