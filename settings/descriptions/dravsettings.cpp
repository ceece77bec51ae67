#include "codecs/dravconfig.h"
#include "protocol/bytes.h"
#include "settings/descriptions/modeldescriptions.h"

namespace {

using Layout = DravConfig::Layout;

// Each track's boxes as its part of the form titles them, typos included. A track's delay
// box sits inside its relay's box and bears the same title in every track, so its rows
// name the relay as well.
struct TrackForm
{
    const char *track;
    const char *ledLatched;
    const char *relay;
    const char *delays;
    const char *supplySignalled;
};

const TrackForm Tracks[DravConfig::TrackCount] = {
    {"Tor 1", "LED1 do skasowania", "Przekaźnik 1", "Przekaźnik 1 – Opóźnienie",
     "Sygnalizacja zasilania - dioda PK1"},
    {"Tor2", "LED2 do skasowania", "Przekaźnik 2", "Przekaźnik 2 – Opoóźnienie",
     "Sygnalizacja zasilania - dioda PK2"},
    {"Tor 3", "LED3 do skasowania", "Przekaźnik 3", "Przekaźnik 3 – Opóźnienie",
     "Sygnalizacja zasilania - dioda PK3"},
};

// The spin boxes show the device's 100 ms steps in milliseconds.
void addDelay(SettingDescription &description, const QString &label, int track, int byte,
              quint8 DravConfig::Track::*steps)
{
    description.add(label, description.byteMask(byte), [track, steps](const QByteArray &frames) {
        const DravConfig config = DravConfig::decode(frames);
        const quint8 read = config.tracks[std::size_t(track)].*steps;
        return SettingDescription::decimal(delayFromByte(read), 0, QStringLiteral("[ms]"));
    });
}

void addTrack(SettingDescription &description, int track)
{
    const TrackForm &form = Tracks[track];
    const int optionsByte = Layout::optionsByte(track);
    description.beginGroup(QString::fromUtf8(form.track));
    description.addFlag(QStringLiteral("Wyłączenie"), optionsByte, Layout::SwitchedOffBit);
    description.addFlag(QString::fromUtf8(form.ledLatched), optionsByte, Layout::LedLatchedBit);
    description.addFlag(QStringLiteral("Inwersja"), optionsByte, Layout::InputInvertedBit);
    description.beginGroup(QString::fromUtf8(form.relay));
    description.addFlag(QStringLiteral("Inwersja"), optionsByte, Layout::RelayInvertedBit);
    description.beginGroup(QString::fromUtf8(form.delays));
    addDelay(description, QStringLiteral("Pobudzenie"), track, Layout::pickUpByte(track),
             &DravConfig::Track::pickUpSteps);
    addDelay(description, QStringLiteral("Zanik"), track, Layout::dropOutByte(track),
             &DravConfig::Track::dropOutSteps);
}

} // namespace

SettingDescription describeDravSettings()
{
    SettingDescription description(
        ModelInfo::Id::Drav, [](const QByteArray &f) { return DravConfig::decode(f).encode(); },
        DravConfig::ignoredBits());
    for (int track = 0; track < DravConfig::TrackCount; ++track)
        addTrack(description, track);
    description.beginGroup(QStringLiteral("Inne"));
    for (int track = 0; track < DravConfig::TrackCount; ++track)
        description.addFlag(QString::fromUtf8(Tracks[track].supplySignalled),
                            Layout::optionsByte(track), Layout::SupplySignalledBit);
    return description;
}
