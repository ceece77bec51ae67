#include "codecs/zegarconfig.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

ZegarConfig ZegarConfig::decode(const QByteArray &block)
{
    ZegarConfig config;
    config.modes = byteAt(block, Layout::ModeByte) & Layout::ModeBits;
    const quint8 start = byteAt(block, Layout::StartByte);
    config.startOnVoltageLoss = bitSet(start, Layout::StartOnVoltageLossBit);
    config.startClearsDisplay = bitSet(start, Layout::StartClearsDisplayBit);
    config.stopOnVoltageLoss =
        bitSet(byteAt(block, Layout::StopByte), Layout::StopOnVoltageLossBit);
    return config;
}

QByteArray ZegarConfig::encode() const
{
    QByteArray frame = Frame::configFrame();
    setByteAt(frame, Layout::ModeByte, modes & Layout::ModeBits);
    setByteAt(frame, Layout::StartByte,
              bitValue(startOnVoltageLoss, Layout::StartOnVoltageLossBit) |
                  bitValue(startClearsDisplay, Layout::StartClearsDisplayBit));
    setByteAt(frame, Layout::StopByte, bitValue(stopOnVoltageLoss, Layout::StopOnVoltageLossBit));
    return frame;
}

ZegarConfig ZegarConfig::defaults()
{
    ZegarConfig config;
    config.modes = bitValue(true, ModeA);
    config.startClearsDisplay = true;
    return config;
}

bool ZegarConfig::operator==(const ZegarConfig &other) const
{
    return modes == other.modes && startOnVoltageLoss == other.startOnVoltageLoss &&
           startClearsDisplay == other.startClearsDisplay &&
           stopOnVoltageLoss == other.stopOnVoltageLoss;
}

// Bits 6-7 of the mode byte, 2-7 of the start byte, 1-7 of the stop byte, and bytes 5-13.
QByteArray ZegarConfig::ignoredBits()
{
    return QByteArray::fromHex("00 00 c0 fc fe ff ff ff ff ff ff ff ff ff");
}
