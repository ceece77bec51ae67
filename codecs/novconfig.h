#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <array>

// The configuration of a NOV-1 converter: the coefficients A and B of Y = AX +/- B for each
// of its two input ranges, and its calibration mode.
class NovConfig
{
public:
    // Where the frame keeps each setting, header included.
    struct Layout
    {
        // Each coefficient takes two bytes from here on, magnitude of the integer part first.
        static constexpr int FirstCoefficientByte = 2;
        static constexpr int BytesPerCoefficient = 2;
        static constexpr int coefficientByte(int index)
        {
            return FirstCoefficientByte + index * BytesPerCoefficient;
        }
        // Bits 0-3 of the flags are the signs of the coefficients in frame order.
        static constexpr int FlagsByte = 10;
        static constexpr int CalibrationBit = 4;
        // The device expects these constant bytes after the flags.
        static constexpr int TrailerByte = 11;
        static constexpr char Trailer[] = {0x01, 0x02, 0x03};
    };

    // A coefficient as the device keeps it: sign, magnitude of the integer part, and the
    // two digits after the comma. The sign stands on its own, so -0,50 is a value.
    struct Coefficient
    {
        bool negative = false;
        quint8 integerPart = 0;
        quint8 fraction = 0;
        bool operator==(const Coefficient &other) const
        {
            return negative == other.negative && integerPart == other.integerPart &&
                   fraction == other.fraction;
        }
    };

    // Positions in `coefficients`, in frame order.
    enum CoefficientIndex
    {
        RangeA_A,
        RangeA_B,
        RangeB_A,
        RangeB_B,
        CoefficientCount
    };

    std::array<Coefficient, CoefficientCount> coefficients{};
    bool calibration = false;

    // The bits of the configuration frame that the device documents as ignored or reserved:
    // whatever it returns in them, a read-back that differs only there is the frame sent.
    static QByteArray ignoredBits();
    // From a whole "DN" reply; a byte the block lacks reads as 0.
    static NovConfig decode(const QByteArray &block);
    // The 14-byte configuration frame with the outgoing header.
    QByteArray encode() const;

    bool operator==(const NovConfig &other) const;
    bool operator!=(const NovConfig &other) const { return !(*this == other); }
};
