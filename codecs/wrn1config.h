#pragma once

#include "codecs/wrnchannel.h"

#include <QByteArray>

// The two-channel WRN relay's configuration. Its frame is also the first of the
// three-channel relay's two frames.
class Wrn1Config
{
public:
    // Where the frame keeps each setting, header included.
    struct Layout
    {
        static constexpr int FlagsByte = 2;
        static constexpr int FirstLedByte = 3;
        static constexpr int SecondLedByte = 4;
        static constexpr int FirstPickUpByte = 5;
        static constexpr int FirstDropOutByte = 6;
        static constexpr int SecondPickUpByte = 7;
        static constexpr int SecondDropOutByte = 8;
        static constexpr int FirstPulseByte = 9;
        static constexpr int SecondPulseByte = 10;

        // The flags byte holds both channels' options.
        static constexpr int FirstInputInvertedBit = 0;
        static constexpr int SecondInputInvertedBit = 1;
        static constexpr int FirstRelayInvertedBit = 2;
        static constexpr int FirstLatchedBit = 3;
        static constexpr int FirstPulseBit = 4;
        static constexpr int SecondRelayInvertedBit = 5;
        static constexpr int SecondLatchedBit = 6;
        static constexpr int SecondPulseBit = 7;

        // An LED byte carries the self-reset flag beside the two colour fields.
        static constexpr int SelfResetBit = 0;
    };

    WrnChannel first;
    WrnChannel second;

    // The bits of the configuration frame that the device documents as ignored or reserved:
    // whatever it returns in them, a read-back that differs only there is the frame sent.
    static QByteArray ignoredBits();
    // From a whole configuration reply; a byte beyond a short block reads as 0.
    static Wrn1Config decode(const QByteArray &block);
    QByteArray encode() const;

    // Relay 1 leaves the factory latched until reset, relay 2 plain.
    static Wrn1Config defaults();

    bool operator==(const Wrn1Config &other) const;
    bool operator!=(const Wrn1Config &other) const { return !(*this == other); }
};
