#include "codecs/kzrview.h"

#include "protocol/bytes.h"

KzrView KzrView::decode(const QByteArray &block)
{
    const quint8 state = byteAt(block, Layout::StateByte);
    KzrView view;
    view.blocking = bitSet(state, Layout::BlockingBit);
    view.voltageL1 = bitSet(state, Layout::VoltageL1Bit);
    view.voltageL2 = bitSet(state, Layout::VoltageL2Bit);
    view.voltageL3 = bitSet(state, Layout::VoltageL3Bit);
    return view;
}

bool KzrView::operator==(const KzrView &other) const
{
    return blocking == other.blocking && voltageL1 == other.voltageL1 &&
           voltageL2 == other.voltageL2 && voltageL3 == other.voltageL3;
}
