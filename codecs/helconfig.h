#pragma once

#include <QByteArray>
#include <QtGlobal>

// The time relay's configuration. The device is only written to and sends no configuration
// back; decoding reads a frame the program wrote, as a settings file keeps it.
class HelConfig
{
public:
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
    // The configuration a written frame holds. Only the time the mode sends comes back; the
    // one left out reads as 0. A byte beyond a short frame reads as 0.
    static HelConfig decode(const QByteArray &frame);

    bool operator==(const HelConfig &other) const;
    bool operator!=(const HelConfig &other) const { return !(*this == other); }
};
