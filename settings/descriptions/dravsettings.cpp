#include "codecs/dravconfig.h"
#include "protocol/bytes.h"
#include "settings/descriptions/modeldescriptions.h"

namespace {

// Where the codec keeps a track: one option byte per track, then each track's two delays.
constexpr int FirstTrackByte = 2;
constexpr int FirstDelayByte = 5;
constexpr int DelaysPerTrack = 2;

constexpr int SwitchedOffBit = 0;
constexpr int InputInvertedBit = 1;
constexpr int RelayInvertedBit = 2;
constexpr int LedLatchedBit = 3;
constexpr int SupplySignalledBit = 4;

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
    const int optionsByte = FirstTrackByte + track;
    description.beginGroup(QString::fromUtf8(form.track));
    description.addFlag(QStringLiteral("Wyłączenie"), optionsByte, SwitchedOffBit);
    description.addFlag(QString::fromUtf8(form.ledLatched), optionsByte, LedLatchedBit);
    description.addFlag(QStringLiteral("Inwersja"), optionsByte, InputInvertedBit);
    description.beginGroup(QString::fromUtf8(form.relay));
    description.addFlag(QStringLiteral("Inwersja"), optionsByte, RelayInvertedBit);
    description.beginGroup(QString::fromUtf8(form.delays));
    const int pickUpByte = FirstDelayByte + DelaysPerTrack * track;
    addDelay(description, QStringLiteral("Pobudzenie"), track, pickUpByte,
             &DravConfig::Track::pickUpSteps);
    addDelay(description, QStringLiteral("Zanik"), track, pickUpByte + 1,
             &DravConfig::Track::dropOutSteps);
}

} // namespace

SettingDescription describeDravSettings()
{
    SettingDescription description(
        ModelInfo::Id::Drav, [](const QByteArray &f) { return DravConfig::decode(f).encode(); });
    for (int track = 0; track < DravConfig::TrackCount; ++track)
        addTrack(description, track);
    description.beginGroup(QStringLiteral("Inne"));
    for (int track = 0; track < DravConfig::TrackCount; ++track)
        description.addFlag(QString::fromUtf8(Tracks[track].supplySignalled),
                            FirstTrackByte + track, SupplySignalledBit);
    return description;
}
