#include "codecs/kzrview.h"

#include "protocol/bytes.h"

namespace {
constexpr int StateByte = 5;
constexpr int BlockingBit = 0;
constexpr int VoltageL3Bit = 1;
constexpr int VoltageL2Bit = 2;
constexpr int VoltageL1Bit = 3;
} // namespace

KzrView KzrView::decode(const QByteArray &block)
{
    const quint8 state = byteAt(block, StateByte);
    KzrView view;
    view.blocking = bitSet(state, BlockingBit);
    view.voltageL1 = bitSet(state, VoltageL1Bit);
    view.voltageL2 = bitSet(state, VoltageL2Bit);
    view.voltageL3 = bitSet(state, VoltageL3Bit);
    return view;
}

bool KzrView::operator==(const KzrView &other) const
{
    return blocking == other.blocking && voltageL1 == other.voltageL1 &&
           voltageL2 == other.voltageL2 && voltageL3 == other.voltageL3;
}
