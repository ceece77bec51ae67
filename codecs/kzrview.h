#pragma once

#include <QByteArray>

// What a KZR-1 / TLMX-1 reports in its "dV" view reply: whether the interlock blocks and which
// measuring voltages are present (a TLMX-1 reports its one DC voltage as L2).
class KzrView
{
public:
    // Where the reply keeps the state, header included.
    struct Layout
    {
        static constexpr int StateByte = 5;
        static constexpr int BlockingBit = 0;
        static constexpr int VoltageL3Bit = 1;
        static constexpr int VoltageL2Bit = 2;
        static constexpr int VoltageL1Bit = 3;
    };

    bool blocking = false;
    bool voltageL1 = false;
    bool voltageL2 = false;
    bool voltageL3 = false;

    // A byte the block lacks reads as 0: not blocking, no voltage.
    static KzrView decode(const QByteArray &block);

    bool operator==(const KzrView &other) const;
    bool operator!=(const KzrView &other) const { return !(*this == other); }
};
