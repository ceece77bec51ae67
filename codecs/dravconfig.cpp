#include "codecs/dravconfig.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

namespace {

// One option byte per track, then each track's two delays.
constexpr int FirstTrackByte = 2;
constexpr int FirstDelayByte = 5;
constexpr int DelaysPerTrack = 2;

constexpr int SwitchedOffBit = 0;
constexpr int InputInvertedBit = 1;
constexpr int RelayInvertedBit = 2;
constexpr int LedLatchedBit = 3;
constexpr int SupplySignalledBit = 4;

constexpr quint8 DefaultDelaySteps = 1;

} // namespace

bool DravConfig::Track::operator==(const Track &other) const
{
    return switchedOff == other.switchedOff && inputInverted == other.inputInverted &&
           relayInverted == other.relayInverted && ledLatched == other.ledLatched &&
           supplySignalled == other.supplySignalled && pickUpSteps == other.pickUpSteps &&
           dropOutSteps == other.dropOutSteps;
}

DravConfig DravConfig::decode(const QByteArray &block)
{
    DravConfig config;
    for (int i = 0; i < TrackCount; ++i) {
        Track &track = config.tracks[static_cast<std::size_t>(i)];
        const quint8 options = byteAt(block, FirstTrackByte + i);
        track.switchedOff = bitSet(options, SwitchedOffBit);
        track.inputInverted = bitSet(options, InputInvertedBit);
        track.relayInverted = bitSet(options, RelayInvertedBit);
        track.ledLatched = bitSet(options, LedLatchedBit);
        track.supplySignalled = bitSet(options, SupplySignalledBit);
        track.pickUpSteps = byteAt(block, FirstDelayByte + DelaysPerTrack * i);
        track.dropOutSteps = byteAt(block, FirstDelayByte + DelaysPerTrack * i + 1);
    }
    return config;
}

QByteArray DravConfig::encode() const
{
    QByteArray frame = Frame::configFrame();
    for (int i = 0; i < TrackCount; ++i) {
        const Track &track = tracks[static_cast<std::size_t>(i)];
        setByteAt(frame, FirstTrackByte + i,
                  bitValue(track.switchedOff, SwitchedOffBit) |
                      bitValue(track.inputInverted, InputInvertedBit) |
                      bitValue(track.relayInverted, RelayInvertedBit) |
                      bitValue(track.ledLatched, LedLatchedBit) |
                      bitValue(track.supplySignalled, SupplySignalledBit));
        setByteAt(frame, FirstDelayByte + DelaysPerTrack * i, track.pickUpSteps);
        setByteAt(frame, FirstDelayByte + DelaysPerTrack * i + 1, track.dropOutSteps);
    }
    return frame;
}

DravConfig DravConfig::defaults()
{
    DravConfig config;
    for (Track &track : config.tracks) {
        track.pickUpSteps = DefaultDelaySteps;
        track.dropOutSteps = DefaultDelaySteps;
    }
    return config;
}

bool DravConfig::operator==(const DravConfig &other) const
{
    return tracks == other.tracks;
}
