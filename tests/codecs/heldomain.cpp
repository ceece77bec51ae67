#include "tests/codecs/codecdomain.h"

#include "codecs/helconfig.h"
#include "protocol/frames.h"

namespace {

constexpr int OptionsByte = 2;
constexpr int PickUpDelayByte = 3;
constexpr int SecondTimeByte = 8;
constexpr int TimeLength = 5;

// Within the boxes of one row of the times group. Milliseconds keep their two high bits in
// the hours byte.
QByteArray randomTime(QRandomGenerator &random)
{
    const int milliseconds = drawBetween(random, 0, 999);
    QByteArray time;
    time += char(milliseconds & 0xff);
    time += char(drawBetween(random, 0, 23) << 2 | milliseconds >> 8);
    time += char(drawBetween(random, 0, 59)); // seconds
    time += char(drawBetween(random, 0, 59)); // minutes
    time += char(drawBetween(random, 0, 99)); // days
    return time;
}

// The device never answers a read, so the frames drawn are the ones the program writes: any
// mode from the list, any inversions, and a time in both slots. Bit 7 of the options and the
// last byte are noise.
QByteArray randomFrame(QRandomGenerator &random)
{
    QByteArray frame = sentFrame("");
    frame[OptionsByte] = char(random.bounded(256));
    frame.replace(PickUpDelayByte, TimeLength, randomTime(random));
    frame.replace(SecondTimeByte, TimeLength, randomTime(random));
    frame[Frame::Size - 1] = char(random.bounded(256));
    return frame;
}

// The time the mode leaves out is not in the frame: switching the mode after reading must
// show it empty, not a copy of the time that was sent.
HelConfig readThenSwitch(const char *payloadHex, HelConfig::Mode mode)
{
    HelConfig config = HelConfig::decode(sentFrame(payloadHex));
    config.mode = mode;
    return config;
}

const bool registered = registerCodecDomain({
    QStringLiteral("HEL-1"),
    Frame::Reply::Hel,
    randomFrame,
    writtenBack<HelConfig>,
    QByteArray::fromHex("00007fffffffffffffffffffff00"),
    QString(),
    {
        {"a read pulse time leaves the drop-out delay empty",
         [] {
             return readThenSwitch("03 00050302 63 e75f3b3b01", HelConfig::DelayedDropOut).encode();
         },
         sentFrame("01 00050302 63 0000000000")},
        {"a read drop-out delay leaves the pulse time empty",
         [] { return readThenSwitch("01 00050302 63 ff5d3b0007", HelConfig::Pulse).encode(); },
         sentFrame("03 00050302 63 0000000000")},
    },
});

} // namespace
