#pragma once

#include "codecs/wrnledcolours.h"

#include <QtGlobal>

// One channel of a WRN relay: an input, the output relay it is numbered with, and that
// relay's LED. Where each setting travels depends on the frame, so the frames place them.
class WrnChannel
{
public:
    bool inputInverted = false;
    quint8 pickUpSteps = 0;  // 100 ms each
    quint8 dropOutSteps = 0; // 100 ms each
    bool relayInverted = false;
    bool latched = false; // held until reset
    bool pulse = false;
    quint8 pulseSeconds = 0;
    bool ledSelfReset = false;
    WrnLedColours colours;

    // What both models' defaults give a channel; the models then differ in latching and in
    // whether their LEDs reset themselves.
    static WrnChannel factory();

    bool operator==(const WrnChannel &other) const;
    bool operator!=(const WrnChannel &other) const { return !(*this == other); }
};
