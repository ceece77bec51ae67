#include "codecs/helconfig.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

namespace {

using Layout = HelConfig::Layout;

void putTime(QByteArray &frame, int at, const HelConfig::Time &time)
{
    setByteAt(frame, at + Layout::MillisecondsOffset, lowByte(time.milliseconds));
    setByteAt(
        frame, at + Layout::HoursOffset,
        time.hours << Layout::HourShift |
            ((time.milliseconds >> Layout::MillisecondHighShift) & Layout::MillisecondHighBits));
    setByteAt(frame, at + Layout::SecondsOffset, time.seconds);
    setByteAt(frame, at + Layout::MinutesOffset, time.minutes);
    setByteAt(frame, at + Layout::DaysOffset, time.days);
}

HelConfig::Time takeTime(const QByteArray &frame, int at)
{
    const quint8 hoursByte = byteAt(frame, at + Layout::HoursOffset);
    HelConfig::Time time;
    time.milliseconds = static_cast<quint16>(byteAt(frame, at + Layout::MillisecondsOffset) |
                                             (hoursByte & Layout::MillisecondHighBits)
                                                 << Layout::MillisecondHighShift);
    time.hours = static_cast<quint8>(hoursByte >> Layout::HourShift);
    time.seconds = byteAt(frame, at + Layout::SecondsOffset);
    time.minutes = byteAt(frame, at + Layout::MinutesOffset);
    time.days = byteAt(frame, at + Layout::DaysOffset);
    return time;
}

} // namespace

QByteArray HelConfig::encode() const
{
    QByteArray frame = Frame::configFrame();
    // No selection must not smear -1 across the option bits.
    const quint8 modeBits = mode < 0 ? 0 : static_cast<quint8>(mode & Layout::ModeMask);
    setByteAt(frame, Layout::OptionsByte,
              modeBits | bitValue(cyclic, Layout::CyclicBit) |
                  bitValue(startInverted, Layout::StartInvertedBit) |
                  bitValue(resetInverted, Layout::ResetInvertedBit) |
                  bitValue(relay1Inverted, Layout::Relay1InvertedBit) |
                  bitValue(relay2Inverted, Layout::Relay2InvertedBit));
    putTime(frame, Layout::FirstTimeByte, pickUpDelay);
    putTime(frame, Layout::SecondTimeByte, mode == Pulse ? pulseTime : dropOutDelay);
    return frame;
}

HelConfig HelConfig::decode(const QByteArray &frame)
{
    HelConfig config;
    const quint8 options = byteAt(frame, Layout::OptionsByte);
    config.mode = options & Layout::ModeMask;
    config.cyclic = bitSet(options, Layout::CyclicBit);
    config.startInverted = bitSet(options, Layout::StartInvertedBit);
    config.resetInverted = bitSet(options, Layout::ResetInvertedBit);
    config.relay1Inverted = bitSet(options, Layout::Relay1InvertedBit);
    config.relay2Inverted = bitSet(options, Layout::Relay2InvertedBit);
    config.pickUpDelay = takeTime(frame, Layout::FirstTimeByte);
    const Time second = takeTime(frame, Layout::SecondTimeByte);
    if (config.mode == Pulse)
        config.pulseTime = second;
    else
        config.dropOutDelay = second;
    return config;
}

bool HelConfig::Time::operator==(const Time &other) const
{
    return days == other.days && hours == other.hours && minutes == other.minutes &&
           seconds == other.seconds && milliseconds == other.milliseconds;
}

bool HelConfig::operator==(const HelConfig &other) const
{
    return mode == other.mode && cyclic == other.cyclic && startInverted == other.startInverted &&
           resetInverted == other.resetInverted && relay1Inverted == other.relay1Inverted &&
           relay2Inverted == other.relay2Inverted && pickUpDelay == other.pickUpDelay &&
           dropOutDelay == other.dropOutDelay && pulseTime == other.pulseTime;
}

// Bit 7 of the options byte, and byte 13.
QByteArray HelConfig::ignoredBits()
{
    return QByteArray::fromHex("00 00 80 00 00 00 00 00 00 00 00 00 00 ff");
}
