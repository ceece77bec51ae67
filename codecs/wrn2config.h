#pragma once

#include "codecs/wrn1config.h"

#include <QByteArray>

#include <array>

// The three-channel WRN relay's configuration. It spans two frames: the first is the
// two-channel relay's frame for channels 1 and 2, the second carries channel 3 and which
// input drives which relay. The device answers a read with both, back to back.
class Wrn2Config
{
public:
    static constexpr int Channels = 3;

    Wrn1Config firstChannels;
    WrnChannel third;
    // drives[input][relay], counted from 0: any input may drive any number of relays.
    std::array<std::array<bool, Channels>, Channels> drives{};

    // From both frames of a reply; a byte beyond a short block reads as 0.
    static Wrn2Config decode(const QByteArray &block);
    // A block that stops before the end of the second frame says nothing about channel 3 or
    // the matrix: the second frame was lost on the way, not sent as zeros.
    static bool holdsPart2(const QByteArray &block);

    QByteArray encodePart1() const;
    QByteArray encodePart2() const;
    // Both frames back to back, as they are sent.
    QByteArray encode() const;

    // Every LED resets itself and each input drives the relay of its own number.
    static Wrn2Config defaults();

    bool operator==(const Wrn2Config &other) const;
    bool operator!=(const Wrn2Config &other) const { return !(*this == other); }
};
