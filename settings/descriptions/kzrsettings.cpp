#include "settings/descriptions/modeldescriptions.h"

#include "codecs/kzrconfig.h"
#include "protocol/bytes.h"

#include <QStringList>

// KZR-1 and TLMX-1 share one form. The TLMX-1 special options are greyed out for a KZR-1 but
// still travel in its frame, so both models list the same settings under the same names.

namespace {

using Layout = KzrConfig::Layout;

using OptionBits = quint8 KzrConfig::*;
using Led = KzrConfig::Colour KzrConfig::*;

KzrConfig read(const QByteArray &frames)
{
    return KzrConfig::decode(frames);
}

// Check boxes whose bits follow one another from `firstBit` in the order the form shows them.
void addBoxes(SettingDescription &description, int byte, OptionBits field, int firstBit,
              const QStringList &labels)
{
    for (int i = 0; i < labels.size(); ++i) {
        const int bit = firstBit + i;
        description.add(labels[i], description.bitMask(byte, bit),
                        [field, bit](const QByteArray &frames) {
                            return SettingDescription::yesNo(bitSet(read(frames).*field, bit));
                        });
    }
}

// The form puts the unit in the label and none in the spin box, so the value is the bare
// number.
void addNumber(SettingDescription &description, const QString &label, const QByteArray &mask,
               std::function<int(const KzrConfig &)> number)
{
    description.add(label, mask, [number](const QByteArray &frames) {
        return SettingDescription::decimal(number(read(frames)), 0, QString());
    });
}

void addLed(SettingDescription &description, const QString &label, int byte, Led field)
{
    static const QStringList colours = {
        QStringLiteral("CZERWONY"),  QStringLiteral("FIOLETOWY"), QStringLiteral("JASNONIEBIESKI"),
        QStringLiteral("NIEBIESKI"), QStringLiteral("ZIELONY"),   QStringLiteral("ŻÓŁTY"),
    };
    description.add(label, description.byteMask(byte), [field, byte](const QByteArray &frames) {
        // The program always writes one of the six codes; a relay may hold any other byte,
        // named by its code so that two such bytes never read alike.
        const KzrConfig::Colour colour = read(frames).*field;
        return colour == KzrConfig::NoColour
                   ? QStringLiteral("nieznany kod ") +
                         QString::asprintf("%02X", quint8(byteAt(frames, byte)))
                   : colours.at(colour);
    });
}

} // namespace

SettingDescription describeKzrSettings(ModelInfo::Id model)
{
    SettingDescription description(
        model, [](const QByteArray &frames) { return KzrConfig::decode(frames).encode(); },
        KzrConfig::ignoredBits());
    const QString input1 = QStringLiteral("Wejście dwustanowe nr 1");
    const QString input2 = QStringLiteral("Wejście dwustanowe nr 2");

    description.beginGroup(QStringLiteral("Konfiguracja zadziałania odblokowania"));
    addBoxes(description, Layout::UnlockByte, &KzrConfig::unlock, KzrConfig::UnlockByInput1,
             {input1, input2, QStringLiteral("Przycisk"), QStringLiteral("Praca ciągła")});
    addNumber(description, QStringLiteral("Czas odblokowania [s]"),
              description.byteMask(Layout::UnlockTimeByte),
              [](const KzrConfig &config) { return config.unlockSeconds; });

    const QStringList relaySources = {
        QStringLiteral("Odblokowanie"), QStringLiteral("Powielenie wejścia nr 1"),
        QStringLiteral("Powielenie wejścia nr 2"), QStringLiteral("Od Przycisku"),
        QStringLiteral("Od napięcia pomiarowego L1/L2/L3")};
    description.beginGroup(QStringLiteral("Przekaźnik 1"));
    addBoxes(description, Layout::Relay1Byte, &KzrConfig::relay1, KzrConfig::RelayFollowsUnlock,
             relaySources);
    description.beginGroup(QStringLiteral("Przekaźnik 2"));
    addBoxes(description, Layout::Relay2Byte, &KzrConfig::relay2, KzrConfig::RelayFollowsUnlock,
             relaySources);

    description.beginGroup(QStringLiteral("Inwersja"));
    addBoxes(
        description, Layout::InputsByte, &KzrConfig::inputs, KzrConfig::InvertInput1,
        {input1, input2, QStringLiteral("Przekaźnik nr 1"), QStringLiteral("Przekaźnik nr 2")});
    description.beginGroup(QStringLiteral("Uziemnik zamknięty"));
    addBoxes(description, Layout::InputsByte, &KzrConfig::inputs, KzrConfig::EarthingOnInput1,
             {input1, input2});

    description.beginGroup(QStringLiteral("Konfiguracja specjalna - TLMX"));
    addBoxes(description, Layout::UnlockByte, &KzrConfig::unlock, KzrConfig::TlmxBlockingOnRelay1,
             {QStringLiteral("Blokada od Wejścia Konfigurowalnego. Sygnał blokady na PK1"),
              QStringLiteral("Blokada od Wejścia Konfigurowalnego. Sygnał blokady na PK2"),
              QStringLiteral("Dwukolorowa sygnalizacja blokady")});

    description.beginGroup(QStringLiteral("Konfiguracja napięć pomiarowych"));
    addNumber(description, QStringLiteral("Zwłoka na pojawienie się napięcia pomiarowego [ms]"),
              description.byteMask(Layout::AppearanceHighByte, Layout::AppearanceLowByte),
              [](const KzrConfig &config) { return config.voltageAppearanceMs; });
    addNumber(description, QStringLiteral("Zwłoka na zanik napięcia pomiarowego [ms]"),
              description.byteMask(Layout::LossHighByte, Layout::LossLowByte),
              [](const KzrConfig &config) { return config.voltageLossMs; });

    description.beginGroup(QStringLiteral("Konfiguracja kolorów"));
    addLed(description, QStringLiteral("Blokada"), Layout::BlockedColourByte,
           &KzrConfig::blockedColour);
    addLed(description, QStringLiteral("Brak blokady"), Layout::FreeColourByte,
           &KzrConfig::freeColour);
    addLed(description, QStringLiteral("Położenie uziemnika"), Layout::EarthingColourByte,
           &KzrConfig::earthingColour);
    return description;
}
