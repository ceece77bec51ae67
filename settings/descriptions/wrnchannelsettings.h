#pragma once

#include "codecs/wrnchannel.h"
#include "settings/settingdescription.h"

#include <QString>
#include <QVector>

#include <functional>

// Where one channel of a WRN relay lies in the frames, and the texts its part of the form
// spells differently from the other channels.
struct WrnChannelSettings
{
    struct Bit
    {
        int byte;
        int bit;
    };
    struct Flags
    {
        Bit inputInverted;
        Bit relayInverted;
        Bit latched;
        Bit pulse;
        Bit ledSelfReset;
    };
    // The settings that take a whole byte, and the byte that holds the LED's colour fields.
    struct Bytes
    {
        int pickUp;
        int dropOut;
        int pulseTime;
        int colours;
    };

    int number;
    // The channel as the model's codec reads it from the frames.
    std::function<WrnChannel(const QByteArray &frames)> read;
    QString delayTitle;
    QString pulseLabel;
    Flags flags;
    Bytes bytes;
};

// Channels 1 and 2, which both models carry in the same first frame.
QVector<WrnChannelSettings> wrnFirstChannels();

// The forms lay the channels out side by side and are read row by row: every input, then
// every relay, then every LED.
void describeWrnChannels(SettingDescription &description,
                         const QVector<WrnChannelSettings> &channels);
