#include "codecs/zegarconfig.h"
#include "protocol/frames.h"
#include "tests/codecs/codecdomain.h"

namespace {

QByteArray sent(const char *payloadHex)
{
    return (QByteArray::fromHex("0a 55") + QByteArray::fromHex(payloadHex))
        .leftJustified(Frame::Size, '\0');
}

QByteArray writeBack(const QByteArray &block)
{
    return ZegarConfig::decode(block).encode();
}

QByteArray randomReply(QRandomGenerator &random)
{
    // One work mode at most: six modes or none.
    const int mode = static_cast<int>(random.bounded(7));
    QByteArray block(Frame::Reply::ZegarConfig);
    block.append(static_cast<char>(mode == 6 ? 0 : 1 << mode));
    block.append(static_cast<char>(random.bounded(4)));
    block.append(static_cast<char>(random.bounded(2)));
    return block.leftJustified(Frame::Size, '\0');
}

ZegarConfig withMode(ZegarConfig::ModeBit mode)
{
    ZegarConfig config;
    config.modes = static_cast<quint8>(1u << mode);
    return config;
}

QVector<GoldenFrame> goldenFrames()
{
    ZegarConfig bothOnLoss;
    bothOnLoss.startOnVoltageLoss = true;
    bothOnLoss.stopOnVoltageLoss = true;
    ZegarConfig startClears;
    startClears.startClearsDisplay = true;
    return {
        {"defaults", [] { return ZegarConfig::defaults().encode(); }, sent("01 02 00")},
        {"nothing set", [] { return ZegarConfig().encode(); }, sent("00 00 00")},
        {"mode A", [] { return withMode(ZegarConfig::ModeA).encode(); }, sent("01 00 00")},
        {"mode D", [] { return withMode(ZegarConfig::ModeD).encode(); }, sent("08 00 00")},
        {"mode E is bit 4", [] { return withMode(ZegarConfig::ModeE).encode(); }, sent("10 00 00")},
        {"AUTO is bit 5", [] { return withMode(ZegarConfig::ModeAuto).encode(); },
         sent("20 00 00")},
        {"both on loss", [bothOnLoss] { return bothOnLoss.encode(); }, sent("00 01 01")},
        {"start clears", [startClears] { return startClears.encode(); }, sent("00 02 00")},
        {"unnamed bits and bytes after the fifth are not echoed",
         [] { return writeBack(QByteArray::fromHex("444b ff ff ff ff ff ff ff ff ff ff ff ff")); },
         sent("3f 03 01")},
    };
}

const bool registered = registerCodecDomain({
    QStringLiteral("ZEGAR-1"),
    Frame::Reply::Zegar,
    randomReply,
    writeBack,
    QByteArray::fromHex("00 00 3f 03 01 00 00 00 00 00 00 00 00 00"),
    QString(),
    goldenFrames(),
});

} // namespace
