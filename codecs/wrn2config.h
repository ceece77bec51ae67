#pragma once

#include "codecs/wrn1config.h"
#include "protocol/frames.h"

#include <QByteArray>

#include <array>

// The three-channel WRN relay's configuration. It spans two frames: the first is the
// two-channel relay's frame for channels 1 and 2, the second carries channel 3 and which
// input drives which relay. The device answers a read with both, back to back.
class Wrn2Config
{
public:
    static constexpr int Channels = 3;

    // Positions in the second frame; in a reply it follows the first.
    struct Layout
    {
        static constexpr int Part2Offset = Frame::Size;
        static constexpr int FlagsByte = 2;
        static constexpr int PickUpByte = 3;
        static constexpr int DropOutByte = 4;
        static constexpr int PulseByte = 5;
        static constexpr int ColoursByte = 6;
        static constexpr int MatrixByte = 7;
        // The length of a reply that holds the whole second frame.
        static constexpr int ReplySize = Part2Offset + Frame::Size;

        // Channel 3's LED self-reset rides with the flags; its colour byte keeps bit 0 clear.
        static constexpr int InputInvertedBit = 0;
        static constexpr int RelayInvertedBit = 1;
        static constexpr int LatchedBit = 2;
        static constexpr int PulseBit = 3;
        static constexpr int SelfResetBit = 4;

        // The matrix packs input by input, relay by relay, from bit 0 of its first byte on;
        // the ninth crossing spills into bit 0 of the next byte.
        static constexpr int BitsPerByte = 8;
        static constexpr int crossing(int input, int relay) { return input * Channels + relay; }
        static constexpr int matrixByte(int input, int relay)
        {
            return MatrixByte + crossing(input, relay) / BitsPerByte;
        }
        static constexpr int matrixBit(int input, int relay)
        {
            return crossing(input, relay) % BitsPerByte;
        }
    };

    Wrn1Config firstChannels;
    WrnChannel third;
    // drives[input][relay], counted from 0: any input may drive any number of relays.
    std::array<std::array<bool, Channels>, Channels> drives{};

    // The bits of both configuration frames that the device documents as ignored or reserved:
    // whatever it returns in them, a read-back that differs only there is the frames sent.
    static QByteArray ignoredBits();
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
