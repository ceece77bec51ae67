#include "codecs/novconfig.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

NovConfig NovConfig::decode(const QByteArray &block)
{
    NovConfig config;
    const quint8 flags = byteAt(block, Layout::FlagsByte);
    for (int i = 0; i < CoefficientCount; ++i) {
        const int at = Layout::coefficientByte(i);
        config.coefficients[i] = {bitSet(flags, i), byteAt(block, at), byteAt(block, at + 1)};
    }
    config.calibration = bitSet(flags, Layout::CalibrationBit);
    return config;
}

QByteArray NovConfig::encode() const
{
    QByteArray frame = Frame::configFrame();
    quint8 flags = 0;
    for (int i = 0; i < CoefficientCount; ++i) {
        const Coefficient &coefficient = coefficients[i];
        const int at = Layout::coefficientByte(i);
        setByteAt(frame, at, coefficient.integerPart);
        setByteAt(frame, at + 1, coefficient.fraction);
        flags |= bitValue(coefficient.negative, i);
    }
    flags |= bitValue(calibration, Layout::CalibrationBit);
    setByteAt(frame, Layout::FlagsByte, flags);
    frame.replace(Layout::TrailerByte, int(sizeof Layout::Trailer), Layout::Trailer,
                  int(sizeof Layout::Trailer));
    return frame;
}

bool NovConfig::operator==(const NovConfig &other) const
{
    return coefficients == other.coefficients && calibration == other.calibration;
}

// Bits 5-7 of the flags byte, and bytes 11-13.
QByteArray NovConfig::ignoredBits()
{
    return QByteArray::fromHex("00 00 00 00 00 00 00 00 00 00 e0 ff ff ff");
}
