#include "settings/descriptions/modeldescriptions.h"

#include "codecs/helconfig.h"

#include <QStringList>

namespace {

using Layout = HelConfig::Layout;

QString modeName(int mode)
{
    static const QStringList names = {
        QStringLiteral("Opóźnione pobudzenie"), QStringLiteral("Opóźniony opad"),
        QStringLiteral("Opóźnione pobudzenie i opad"), QStringLiteral("Praca impulsowa")};
    return names.value(mode);
}

// The row of five boxes, each followed by its unit, as one text.
QString timeText(const HelConfig::Time &time)
{
    return QStringList{SettingDescription::decimal(time.days, 0, QStringLiteral("dni")),
                       SettingDescription::decimal(time.hours, 0, QStringLiteral("h")),
                       SettingDescription::decimal(time.minutes, 0, QStringLiteral("min")),
                       SettingDescription::decimal(time.seconds, 0, QStringLiteral("s")),
                       SettingDescription::decimal(time.milliseconds, 0, QStringLiteral("ms"))}
        .join(QLatin1Char(' '));
}

QByteArray modeMask(const SettingDescription &description)
{
    QByteArray mask(description.frameBytes(), '\0');
    mask[Layout::OptionsByte] = static_cast<char>(Layout::ModeMask);
    return mask;
}

// The second time's bytes hold the drop-out delay or the pulse time as the mode says, so
// either reads the mode bits too.
void addTime(SettingDescription &description, const QString &setting, int firstByte,
             bool dependsOnMode, HelConfig::Time HelConfig::*time)
{
    QByteArray mask =
        dependsOnMode ? modeMask(description) : QByteArray(description.frameBytes(), '\0');
    mask.replace(firstByte, Layout::TimeLength, QByteArray(Layout::TimeLength, '\xff'));
    description.add(setting, mask, [time](const QByteArray &frames) {
        return timeText(HelConfig::decode(frames).*time);
    });
}

} // namespace

SettingDescription describeHelSettings()
{
    SettingDescription description(
        ModelInfo::Id::Hel,
        [](const QByteArray &frames) { return HelConfig::decode(frames).encode(); },
        HelConfig::ignoredBits());
    description.beginGroup(QStringLiteral("Konfiguracja ogólna"));
    description.add(
        QStringLiteral("Tryb pracy"), modeMask(description),
        [](const QByteArray &frames) { return modeName(HelConfig::decode(frames).mode); });
    description.addFlag(QStringLiteral("Praca cykliczna"), Layout::OptionsByte, Layout::CyclicBit);
    description.addFlag(QStringLiteral("Wejście Start - inwersja"), Layout::OptionsByte,
                        Layout::StartInvertedBit);
    description.addFlag(QStringLiteral("Wejście Kasowanie - inwersja"), Layout::OptionsByte,
                        Layout::ResetInvertedBit);
    description.addFlag(QStringLiteral("PK1 - inwersja"), Layout::OptionsByte,
                        Layout::Relay1InvertedBit);
    description.addFlag(QStringLiteral("PK2 - inwersja"), Layout::OptionsByte,
                        Layout::Relay2InvertedBit);

    description.beginGroup(QStringLiteral("Konfiguracja czasów"));
    addTime(description, QStringLiteral("Opóźnienie pobudzenia"), Layout::FirstTimeByte, false,
            &HelConfig::pickUpDelay);
    addTime(description, QStringLiteral("Opóźnienie opadu"), Layout::SecondTimeByte, true,
            &HelConfig::dropOutDelay);
    addTime(description, QStringLiteral("Czas impulsu"), Layout::SecondTimeByte, true,
            &HelConfig::pulseTime);
    return description;
}
