#pragma once

#include <QByteArray>
#include <QtGlobal>

// The configuration of a ZEGAR-1 millisecond timer: its work mode and what starts and stops
// a measurement.
class ZegarConfig
{
public:
    // Where the frame keeps each setting, header included.
    struct Layout
    {
        static constexpr int ModeByte = 2;
        static constexpr int StartByte = 3;
        static constexpr int StopByte = 4;

        static constexpr int StartOnVoltageLossBit = 0;
        static constexpr int StartClearsDisplayBit = 1;
        static constexpr int StopOnVoltageLossBit = 0;

        // Bits beyond these carry nothing and are neither kept nor sent.
        static constexpr quint8 ModeBits = 0x3F;
    };

    // Bits of `modes`; the display formats A to E, then the automatic one. The form allows
    // one mode at most.
    enum ModeBit
    {
        ModeA,
        ModeB,
        ModeC,
        ModeD,
        ModeE,
        ModeAuto,
    };

    quint8 modes = 0;
    bool startOnVoltageLoss = false;
    bool startClearsDisplay = false;
    bool stopOnVoltageLoss = false;

    // The bits of the configuration frame that the device documents as ignored or reserved:
    // whatever it returns in them, a read-back that differs only there is the frame sent.
    static QByteArray ignoredBits();
    // From a whole "DK" reply; a byte the block lacks reads as 0.
    static ZegarConfig decode(const QByteArray &block);
    // The 14-byte configuration frame with the outgoing header.
    QByteArray encode() const;
    // Mode A, both inputs on the appearance of voltage, a start clears the display.
    static ZegarConfig defaults();

    bool operator==(const ZegarConfig &other) const;
    bool operator!=(const ZegarConfig &other) const { return !(*this == other); }
};
