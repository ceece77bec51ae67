#include "codecs/novconfig.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

namespace {

// Each coefficient takes two bytes from here on, magnitude of the integer part first.
constexpr int FirstCoefficientByte = 2;
constexpr int BytesPerCoefficient = 2;
// Bits 0-3 of the flags are the signs of the coefficients in frame order.
constexpr int FlagsByte = 10;
constexpr int CalibrationBit = 4;
// The device expects these constant bytes after the flags.
constexpr int TrailerByte = 11;
constexpr char Trailer[] = {0x01, 0x02, 0x03};
constexpr int TrailerSize = sizeof Trailer;

} // namespace

NovConfig NovConfig::decode(const QByteArray &block)
{
    NovConfig config;
    const quint8 flags = byteAt(block, FlagsByte);
    for (int i = 0; i < CoefficientCount; ++i) {
        const int at = FirstCoefficientByte + i * BytesPerCoefficient;
        config.coefficients[i] = {bitSet(flags, i), byteAt(block, at), byteAt(block, at + 1)};
    }
    config.calibration = bitSet(flags, CalibrationBit);
    return config;
}

QByteArray NovConfig::encode() const
{
    QByteArray frame = Frame::configFrame();
    quint8 flags = 0;
    for (int i = 0; i < CoefficientCount; ++i) {
        const Coefficient &coefficient = coefficients[i];
        const int at = FirstCoefficientByte + i * BytesPerCoefficient;
        setByteAt(frame, at, coefficient.integerPart);
        setByteAt(frame, at + 1, coefficient.fraction);
        flags |= bitValue(coefficient.negative, i);
    }
    flags |= bitValue(calibration, CalibrationBit);
    setByteAt(frame, FlagsByte, flags);
    frame.replace(TrailerByte, TrailerSize, Trailer, TrailerSize);
    return frame;
}

bool NovConfig::operator==(const NovConfig &other) const
{
    return coefficients == other.coefficients && calibration == other.calibration;
}
