#include "settings/descriptions/wrnchannelsettings.h"

#include "codecs/wrn1config.h"
#include "protocol/bytes.h"

#include <QStringList>

namespace {

using Bit = WrnChannelSettings::Bit;
using Layout = Wrn1Config::Layout;

QString colourName(WrnLedColours::Colour colour)
{
    // The colour lists of the forms, in the order of WrnLedColours::Colour.
    static const QStringList names = {QStringLiteral("Biały"), QStringLiteral("Czerwony"),
                                      QStringLiteral("Niebieski"), QStringLiteral("Zielony"),
                                      QStringLiteral("Żółty")};
    // Bits that name no listed colour leave the page's list as it was; say so.
    return colour == WrnLedColours::Unnamed ? QStringLiteral("nieznany") : names.at(colour);
}

void addFlag(SettingDescription &description, const QString &setting, Bit at)
{
    description.addFlag(setting, at.byte, at.bit);
}

// A setting held in one whole byte, shown as `text` makes of the channel.
void addByte(SettingDescription &description, const QString &setting, int byte,
             const WrnChannelSettings &channel, std::function<QString(const WrnChannel &)> text)
{
    description.add(
        setting, description.byteMask(byte),
        [read = channel.read, text](const QByteArray &frames) { return text(read(frames)); });
}

void addColour(SettingDescription &description, const QString &setting,
               const WrnChannelSettings &channel, quint8 fieldBits,
               WrnLedColours::Colour WrnLedColours::*colour)
{
    QByteArray mask(description.frameBytes(), '\0');
    mask[channel.bytes.colours] = static_cast<char>(fieldBits);
    description.add(setting, mask, [read = channel.read, colour](const QByteArray &frames) {
        return colourName(read(frames).colours.*colour);
    });
}

QString delayText(quint8 steps)
{
    return SettingDescription::decimal(delayFromByte(steps), 0, QStringLiteral("[ms]"));
}

WrnChannel firstChannel(const QByteArray &frames)
{
    return Wrn1Config::decode(frames).first;
}

WrnChannel secondChannel(const QByteArray &frames)
{
    return Wrn1Config::decode(frames).second;
}

} // namespace

// The three-channel relay's first frame is the two-channel relay's frame, so one codec reads
// channels 1 and 2 of both. Only channel 1's form spells its delay group and pulse box right.
QVector<WrnChannelSettings> wrnFirstChannels()
{
    return {
        {1,
         firstChannel,
         QStringLiteral("Opóźnienie"),
         QStringLiteral("Działanie impulsowe"),
         {{Layout::FlagsByte, Layout::FirstInputInvertedBit},
          {Layout::FlagsByte, Layout::FirstRelayInvertedBit},
          {Layout::FlagsByte, Layout::FirstLatchedBit},
          {Layout::FlagsByte, Layout::FirstPulseBit},
          {Layout::FirstLedByte, Layout::SelfResetBit}},
         {Layout::FirstPickUpByte, Layout::FirstDropOutByte, Layout::FirstPulseByte,
          Layout::FirstLedByte}},
        {2,
         secondChannel,
         QStringLiteral("Opoóźnienie"),
         QStringLiteral("Działanie Impulsowe"),
         {{Layout::FlagsByte, Layout::SecondInputInvertedBit},
          {Layout::FlagsByte, Layout::SecondRelayInvertedBit},
          {Layout::FlagsByte, Layout::SecondLatchedBit},
          {Layout::FlagsByte, Layout::SecondPulseBit},
          {Layout::SecondLedByte, Layout::SelfResetBit}},
         {Layout::SecondPickUpByte, Layout::SecondDropOutByte, Layout::SecondPulseByte,
          Layout::SecondLedByte}},
    };
}

void describeWrnChannels(SettingDescription &description,
                         const QVector<WrnChannelSettings> &channels)
{
    for (const WrnChannelSettings &channel : channels) {
        description.beginGroup(QStringLiteral("Wejście %1").arg(channel.number));
        addFlag(description, QStringLiteral("Inwersja"), channel.flags.inputInverted);
        description.beginGroup(
            QStringLiteral("Wejście %1 – %2").arg(channel.number).arg(channel.delayTitle));
        addByte(description, QStringLiteral("Pobudzenie"), channel.bytes.pickUp, channel,
                [](const WrnChannel &read) { return delayText(read.pickUpSteps); });
        addByte(description, QStringLiteral("Zanik"), channel.bytes.dropOut, channel,
                [](const WrnChannel &read) { return delayText(read.dropOutSteps); });
    }
    for (const WrnChannelSettings &channel : channels) {
        description.beginGroup(QStringLiteral("Przekaźnik %1").arg(channel.number));
        addFlag(description, QStringLiteral("Inwersja"), channel.flags.relayInverted);
        addFlag(description, QStringLiteral("Podtrzymany do skasowania"), channel.flags.latched);
        addFlag(description, channel.pulseLabel, channel.flags.pulse);
        // The time box sits unlabelled beside the pulse box; its sibling forms call it so.
        addByte(description, QStringLiteral("Czas impulsu"), channel.bytes.pulseTime, channel,
                [](const WrnChannel &read) {
                    return SettingDescription::decimal(read.pulseSeconds, 0, QStringLiteral("[s]"));
                });
    }
    for (const WrnChannelSettings &channel : channels) {
        description.beginGroup(QStringLiteral("LED %1").arg(channel.number));
        addFlag(description, QStringLiteral("Samokasowanie"), channel.flags.ledSelfReset);
        description.beginGroup(QStringLiteral("LED %1 – Kolor").arg(channel.number));
        addColour(description, QStringLiteral("Pobudzenie"), channel,
                  WrnLedColours::Layout::ExcitedBits, &WrnLedColours::excited);
        addColour(description, QStringLiteral("Po skasowaniu"), channel,
                  WrnLedColours::Layout::AfterResetBits, &WrnLedColours::afterReset);
    }
}
