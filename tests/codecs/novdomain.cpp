#include "codecs/novconfig.h"
#include "protocol/frames.h"
#include "tests/codecs/codecdomain.h"

namespace {

// Magnitudes up to 255 and two digits after the comma, each with any sign: -0,50 included.
QByteArray randomReply(QRandomGenerator &random)
{
    QByteArray block(Frame::Reply::NovConfig);
    for (int coefficient = 0; coefficient < NovConfig::CoefficientCount; ++coefficient) {
        block.append(static_cast<char>(random.bounded(256)));
        block.append(static_cast<char>(random.bounded(100)));
    }
    block.append(static_cast<char>(random.bounded(0x20)));
    return block.leftJustified(Frame::Size, '\0');
}

NovConfig withCoefficient(NovConfig::CoefficientIndex index, NovConfig::Coefficient value)
{
    NovConfig config;
    config.coefficients[index] = value;
    return config;
}

QVector<GoldenFrame> goldenFrames()
{
    NovConfig calibration;
    calibration.calibration = true;
    return {
        {"all zero", [] { return NovConfig().encode(); },
         sentFrame("00 00 00 00 00 00 00 00 00 01 02 03")},
        {"range A, A = -12,34",
         [] {
             return withCoefficient(NovConfig::RangeA_A, {true, 12, 34}).encode();
         },
         sentFrame("0c 22 00 00 00 00 00 00 01 01 02 03")},
        {"range B, B = -200",
         [] {
             return withCoefficient(NovConfig::RangeB_B, {true, 200, 0}).encode();
         },
         sentFrame("00 00 00 00 00 00 c8 00 08 01 02 03")},
        {"calibration alone", [calibration] { return calibration.encode(); },
         sentFrame("00 00 00 00 00 00 00 00 10 01 02 03")},
        {"-0,50 keeps its sign",
         [] { return writtenBack<NovConfig>(QByteArray::fromHex("444e 00 00 00 32 00 00 00 00 02")); },
         sentFrame("00 00 00 32 00 00 00 00 02 01 02 03")},
        {"flag bits 5-7 and bytes 11-13 are not echoed",
         [] { return writtenBack<NovConfig>(QByteArray::fromHex("444e ff 63 01 01 80 32 ff 00 ff ff ff ff")); },
         sentFrame("ff 63 01 01 80 32 ff 00 1f 01 02 03")},
    };
}

const bool registered = registerCodecDomain({
    QStringLiteral("NOV-1"),
    Frame::Reply::Nov,
    randomReply,
    writtenBack<NovConfig>,
    QByteArray::fromHex("00 00 ff ff ff ff ff ff ff ff 1f 00 00 00"),
    QString(),
    goldenFrames(),
});

} // namespace
