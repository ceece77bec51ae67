#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <array>

// The three-track relay's configuration: per track an input, the relay it drives and the
// relay's LED.
class DravConfig
{
public:
    // Where the frame keeps each setting, header included: one option byte per track, then
    // each track's two delays.
    struct Layout
    {
        static constexpr int FirstTrackByte = 2;
        static constexpr int FirstDelayByte = 5;
        static constexpr int DelaysPerTrack = 2;
        static constexpr int optionsByte(int track) { return FirstTrackByte + track; }
        static constexpr int pickUpByte(int track)
        {
            return FirstDelayByte + DelaysPerTrack * track;
        }
        static constexpr int dropOutByte(int track) { return pickUpByte(track) + 1; }

        static constexpr int SwitchedOffBit = 0;
        static constexpr int InputInvertedBit = 1;
        static constexpr int RelayInvertedBit = 2;
        static constexpr int LedLatchedBit = 3;
        static constexpr int SupplySignalledBit = 4;
    };

    struct Track
    {
        bool switchedOff = false;
        bool inputInverted = false;
        bool relayInverted = false;
        bool ledLatched = false;      // the LED holds until reset
        bool supplySignalled = false; // the relay's LED shows the supply
        quint8 pickUpSteps = 0;       // 100 ms each
        quint8 dropOutSteps = 0;      // 100 ms each

        bool operator==(const Track &other) const;
    };
    static constexpr int TrackCount = 3;

    std::array<Track, TrackCount> tracks{};

    // The bits of the configuration frame that the device documents as ignored or reserved:
    // whatever it returns in them, a read-back that differs only there is the frame sent.
    static QByteArray ignoredBits();
    // From a whole configuration reply; a byte beyond a short block reads as 0.
    static DravConfig decode(const QByteArray &block);
    QByteArray encode() const;

    // Every track on, nothing inverted or latched, all delays one step.
    static DravConfig defaults();

    bool operator==(const DravConfig &other) const;
    bool operator!=(const DravConfig &other) const { return !(*this == other); }
};
