#pragma once

#include <QByteArray>
#include <QtGlobal>

// The configuration of a ZEGAR-1 millisecond timer: its work mode and what starts and stops
// a measurement.
class ZegarConfig
{
public:
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

    // From a whole "DK" reply; a byte the block lacks reads as 0.
    static ZegarConfig decode(const QByteArray &block);
    // The 14-byte configuration frame with the outgoing header.
    QByteArray encode() const;
    // Mode A, both inputs on the appearance of voltage, a start clears the display.
    static ZegarConfig defaults();

    bool operator==(const ZegarConfig &other) const;
    bool operator!=(const ZegarConfig &other) const { return !(*this == other); }
};
