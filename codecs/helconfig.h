#pragma once

#include <QByteArray>
#include <QtGlobal>

// The time relay's configuration. The device is only written to and sends no configuration
// back; decoding reads a frame the program wrote, as a settings file keeps it.
class HelConfig
{
public:
    // Where the frame keeps each setting, header included.
    struct Layout
    {
        static constexpr int OptionsByte = 2;
        static constexpr int FirstTimeByte = 3;
        static constexpr int SecondTimeByte = 8;

        static constexpr quint8 ModeMask = 0x03;
        static constexpr int CyclicBit = 2;
        static constexpr int StartInvertedBit = 3;
        static constexpr int ResetInvertedBit = 4;
        static constexpr int Relay1InvertedBit = 5;
        static constexpr int Relay2InvertedBit = 6;

        // A time takes five bytes from its start.
        static constexpr int TimeLength = 5;
        static constexpr int MillisecondsOffset = 0;
        static constexpr int HoursOffset = 1;
        static constexpr int SecondsOffset = 2;
        static constexpr int MinutesOffset = 3;
        static constexpr int DaysOffset = 4;
        // Milliseconds need ten bits; the two above the low byte share a byte with the hours.
        static constexpr int HourShift = 2;
        static constexpr int MillisecondHighShift = 8;
        static constexpr quint8 MillisecondHighBits = 0x03;
    };

    // In the order of the page's mode list, so a mode is also its list index.
    enum Mode
    {
        NoMode = -1, // nothing chosen: the mode bits stay 0
        DelayedPickUp,
        DelayedDropOut,
        DelayedPickUpAndDropOut,
        Pulse,
    };

    struct Time
    {
        quint8 days = 0;
        quint8 hours = 0;
        quint8 minutes = 0;
        quint8 seconds = 0;
        quint16 milliseconds = 0;

        bool operator==(const Time &other) const;
    };

    int mode = DelayedPickUp;
    bool cyclic = false;
    bool startInverted = false;
    bool resetInverted = false;
    bool relay1Inverted = false;
    bool relay2Inverted = false;
    Time pickUpDelay;
    Time dropOutDelay;
    Time pulseTime;

    // The second time slot carries the pulse time when pulsing, the drop-out delay otherwise;
    // the time not chosen is not sent.
    QByteArray encode() const;
    // The bits of the configuration frame that the device documents as ignored or reserved:
    // whatever it returns in them, a read-back that differs only there is the frame sent.
    static QByteArray ignoredBits();
    // The configuration a written frame holds. Only the time the mode sends comes back; the
    // one left out reads as 0. A byte beyond a short frame reads as 0.
    static HelConfig decode(const QByteArray &frame);

    bool operator==(const HelConfig &other) const;
    bool operator!=(const HelConfig &other) const { return !(*this == other); }
};
