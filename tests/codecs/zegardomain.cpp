#include "codecs/zegarconfig.h"
#include "protocol/frames.h"
#include "tests/codecs/codecdomain.h"

namespace {

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
        {"defaults", [] { return ZegarConfig::defaults().encode(); }, sentFrame("01 02 00")},
        {"nothing set", [] { return ZegarConfig().encode(); }, sentFrame("00 00 00")},
        {"mode A", [] { return withMode(ZegarConfig::ModeA).encode(); }, sentFrame("01 00 00")},
        {"mode D", [] { return withMode(ZegarConfig::ModeD).encode(); }, sentFrame("08 00 00")},
        {"mode E is bit 4", [] { return withMode(ZegarConfig::ModeE).encode(); }, sentFrame("10 00 00")},
        {"AUTO is bit 5", [] { return withMode(ZegarConfig::ModeAuto).encode(); },
         sentFrame("20 00 00")},
        {"both on loss", [bothOnLoss] { return bothOnLoss.encode(); }, sentFrame("00 01 01")},
        {"start clears", [startClears] { return startClears.encode(); }, sentFrame("00 02 00")},
        {"unnamed bits and bytes after the fifth are not echoed",
         [] { return writtenBack<ZegarConfig>(QByteArray::fromHex("444b ff ff ff ff ff ff ff ff ff ff ff ff")); },
         sentFrame("3f 03 01")},
    };
}

const bool registered = registerCodecDomain({
    QStringLiteral("ZEGAR-1"),
    Frame::Reply::Zegar,
    randomReply,
    writtenBack<ZegarConfig>,
    QByteArray::fromHex("00 00 3f 03 01 00 00 00 00 00 00 00 00 00"),
    QString(),
    goldenFrames(),
});

} // namespace
