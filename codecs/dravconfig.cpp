#include "codecs/dravconfig.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

namespace {

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
        const quint8 options = byteAt(block, Layout::optionsByte(i));
        track.switchedOff = bitSet(options, Layout::SwitchedOffBit);
        track.inputInverted = bitSet(options, Layout::InputInvertedBit);
        track.relayInverted = bitSet(options, Layout::RelayInvertedBit);
        track.ledLatched = bitSet(options, Layout::LedLatchedBit);
        track.supplySignalled = bitSet(options, Layout::SupplySignalledBit);
        track.pickUpSteps = byteAt(block, Layout::pickUpByte(i));
        track.dropOutSteps = byteAt(block, Layout::dropOutByte(i));
    }
    return config;
}

QByteArray DravConfig::encode() const
{
    QByteArray frame = Frame::configFrame();
    for (int i = 0; i < TrackCount; ++i) {
        const Track &track = tracks[static_cast<std::size_t>(i)];
        setByteAt(frame, Layout::optionsByte(i),
                  bitValue(track.switchedOff, Layout::SwitchedOffBit) |
                      bitValue(track.inputInverted, Layout::InputInvertedBit) |
                      bitValue(track.relayInverted, Layout::RelayInvertedBit) |
                      bitValue(track.ledLatched, Layout::LedLatchedBit) |
                      bitValue(track.supplySignalled, Layout::SupplySignalledBit));
        setByteAt(frame, Layout::pickUpByte(i), track.pickUpSteps);
        setByteAt(frame, Layout::dropOutByte(i), track.dropOutSteps);
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

// Bits 5-7 of each track's options byte, and bytes 11-13.
QByteArray DravConfig::ignoredBits()
{
    return QByteArray::fromHex("00 00 e0 e0 e0 00 00 00 00 00 00 ff ff ff");
}
