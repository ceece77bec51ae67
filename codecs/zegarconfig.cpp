#include "codecs/zegarconfig.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

namespace {

constexpr int ModeByte = 2;
constexpr int StartByte = 3;
constexpr int StopByte = 4;

constexpr int StartOnVoltageLossBit = 0;
constexpr int StartClearsDisplayBit = 1;
constexpr int StopOnVoltageLossBit = 0;

// Bits beyond these carry nothing and are neither kept nor sent.
constexpr quint8 ModeBits = 0x3F;

} // namespace

ZegarConfig ZegarConfig::decode(const QByteArray &block)
{
    ZegarConfig config;
    config.modes = byteAt(block, ModeByte) & ModeBits;
    const quint8 start = byteAt(block, StartByte);
    config.startOnVoltageLoss = bitSet(start, StartOnVoltageLossBit);
    config.startClearsDisplay = bitSet(start, StartClearsDisplayBit);
    config.stopOnVoltageLoss = bitSet(byteAt(block, StopByte), StopOnVoltageLossBit);
    return config;
}

QByteArray ZegarConfig::encode() const
{
    QByteArray frame = Frame::configFrame();
    setByteAt(frame, ModeByte, modes & ModeBits);
    setByteAt(frame, StartByte,
              bitValue(startOnVoltageLoss, StartOnVoltageLossBit) |
                  bitValue(startClearsDisplay, StartClearsDisplayBit));
    setByteAt(frame, StopByte, bitValue(stopOnVoltageLoss, StopOnVoltageLossBit));
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
