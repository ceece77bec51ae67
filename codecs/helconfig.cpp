#include "codecs/helconfig.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

namespace {

constexpr int OptionsByte = 2;
constexpr int FirstTimeByte = 3;
constexpr int SecondTimeByte = 8;

constexpr quint8 ModeMask = 0x03;
constexpr int CyclicBit = 2;
constexpr int StartInvertedBit = 3;
constexpr int ResetInvertedBit = 4;
constexpr int Relay1InvertedBit = 5;
constexpr int Relay2InvertedBit = 6;

// A time takes five bytes from its start.
constexpr int MillisecondsOffset = 0;
constexpr int HoursOffset = 1;
constexpr int SecondsOffset = 2;
constexpr int MinutesOffset = 3;
constexpr int DaysOffset = 4;
// Milliseconds need ten bits; the two above the low byte share a byte with the hours.
constexpr int HourShift = 2;
constexpr int MillisecondHighShift = 8;
constexpr quint8 MillisecondHighBits = 0x03;

void putTime(QByteArray &frame, int at, const HelConfig::Time &time)
{
    setByteAt(frame, at + MillisecondsOffset, lowByte(time.milliseconds));
    setByteAt(frame, at + HoursOffset,
              time.hours << HourShift |
                  ((time.milliseconds >> MillisecondHighShift) & MillisecondHighBits));
    setByteAt(frame, at + SecondsOffset, time.seconds);
    setByteAt(frame, at + MinutesOffset, time.minutes);
    setByteAt(frame, at + DaysOffset, time.days);
}

HelConfig::Time takeTime(const QByteArray &frame, int at)
{
    const quint8 hoursByte = byteAt(frame, at + HoursOffset);
    HelConfig::Time time;
    time.milliseconds =
        static_cast<quint16>(byteAt(frame, at + MillisecondsOffset) |
                             (hoursByte & MillisecondHighBits) << MillisecondHighShift);
    time.hours = static_cast<quint8>(hoursByte >> HourShift);
    time.seconds = byteAt(frame, at + SecondsOffset);
    time.minutes = byteAt(frame, at + MinutesOffset);
    time.days = byteAt(frame, at + DaysOffset);
    return time;
}

} // namespace

QByteArray HelConfig::encode() const
{
    QByteArray frame = Frame::configFrame();
    // No selection must not smear -1 across the option bits.
    const quint8 modeBits = mode < 0 ? 0 : static_cast<quint8>(mode & ModeMask);
    setByteAt(frame, OptionsByte,
              modeBits | bitValue(cyclic, CyclicBit) | bitValue(startInverted, StartInvertedBit) |
                  bitValue(resetInverted, ResetInvertedBit) |
                  bitValue(relay1Inverted, Relay1InvertedBit) |
                  bitValue(relay2Inverted, Relay2InvertedBit));
    putTime(frame, FirstTimeByte, pickUpDelay);
    putTime(frame, SecondTimeByte, mode == Pulse ? pulseTime : dropOutDelay);
    return frame;
}

HelConfig HelConfig::decode(const QByteArray &frame)
{
    HelConfig config;
    const quint8 options = byteAt(frame, OptionsByte);
    config.mode = options & ModeMask;
    config.cyclic = bitSet(options, CyclicBit);
    config.startInverted = bitSet(options, StartInvertedBit);
    config.resetInverted = bitSet(options, ResetInvertedBit);
    config.relay1Inverted = bitSet(options, Relay1InvertedBit);
    config.relay2Inverted = bitSet(options, Relay2InvertedBit);
    config.pickUpDelay = takeTime(frame, FirstTimeByte);
    const Time second = takeTime(frame, SecondTimeByte);
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
