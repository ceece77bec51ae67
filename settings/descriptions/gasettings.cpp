#include "codecs/gaconfig.h"
#include "settings/descriptions/modeldescriptions.h"

namespace {

using Layout = GaConfig::Layout;

struct RelayForm
{
    const char *group;
    const char *permanentLabel;
    const char *pulseLabel;
    GaConfig::Relay GaConfig::*relay;
    int modesByte;
    int pulseByte;
};

// Both forms write PK1's permanent-operation box with a trailing space; it is kept so the
// row reads as the form does.
const RelayForm Relays[] = {
    {"Konfiguracja PK1", "Trwałe zadziałanie ", "Czas impulsu PK1", &GaConfig::relay1,
     Layout::Relay1Byte, Layout::Relay1PulseByte},
    {"Konfiguracja PK2", "Trwałe zadziałanie", "Czas impulsu PK2", &GaConfig::relay2,
     Layout::Relay2Byte, Layout::Relay2PulseByte},
};

// A column of check boxes, one bit of the same byte each.
struct Box
{
    const char *label;
    int bit;
};

void addBoxes(SettingDescription &description, int byte, std::initializer_list<Box> boxes)
{
    for (const Box &box : boxes)
        description.addFlag(QString::fromUtf8(box.label), byte, box.bit);
}

QByteArray united(QByteArray mask, const QByteArray &other)
{
    for (int i = 0; i < mask.size(); ++i)
        mask[i] = static_cast<char>(mask[i] | other[i]);
    return mask;
}

// The spin boxes show the device's 10 ms counts as seconds with two decimals.
void addDelay(SettingDescription &description, const QString &label, int lowByte, int highByte,
              quint16 GaConfig::*count)
{
    description.add(label, united(description.byteMask(lowByte), description.byteMask(highByte)),
                    [count](const QByteArray &frames) {
                        const quint16 counts = GaConfig::decode(frames).*count;
                        return SettingDescription::decimal(
                            double(counts) / GaConfig::CountsPerSecond, 2, QStringLiteral("[s]"));
                    });
}

void addRelay(SettingDescription &description, const RelayForm &form)
{
    description.beginGroup(QString::fromUtf8(form.group));
    addBoxes(description, form.modesByte,
             {{"Podtrzymany do skasowania", GaConfig::LatchedUntilReset},
              {"Brak kasowania dla zakłóceń trwałych", GaConfig::NoResetForPermanentFaults},
              {form.permanentLabel, GaConfig::PermanentOperation},
              {"Działanie impulsowe", GaConfig::PulseOperation}});
    const auto relay = form.relay;
    description.add(QString::fromUtf8(form.pulseLabel), description.byteMask(form.pulseByte),
                    [relay](const QByteArray &frames) {
                        return SettingDescription::decimal(
                            (GaConfig::decode(frames).*relay).pulseSeconds, 0,
                            QStringLiteral("[s]"));
                    });
    description.addFlag(QStringLiteral("Inwersja"), form.modesByte, GaConfig::InvertedOutput);
}

} // namespace

// GA-1 and GA-1 MI pages show the same settings under the same texts; only the lowest delay
// their spin boxes accept differs.
SettingDescription describeGaSettings(ModelInfo::Id model)
{
    SettingDescription description(
        model, [](const QByteArray &f) { return GaConfig::decode(f).encode(); },
        GaConfig::ignoredBits());

    description.beginGroup(QStringLiteral("Konfiguracja ogólna"));
    description.add(QStringLiteral("Działanie na:"),
                    description.bitMask(Layout::TriggerByte, Layout::TriggerOnAppearanceBit),
                    [](const QByteArray &frames) {
                        return GaConfig::decode(frames).triggerOnAppearance
                                   ? QStringLiteral("Pojawienie się napięcia")
                                   : QStringLiteral("Zanik napięcia");
                    });
    addDelay(description, QStringLiteral("Opóźnienie na pojawienie się zakłócenia:"),
             Layout::AppearanceLowByte, Layout::AppearanceHighByte,
             &GaConfig::appearanceDelayCount);
    addDelay(description, QStringLiteral("Opóźnienie na zanik zakłócenia:"),
             Layout::DisappearanceLowByte, Layout::DisappearanceHighByte,
             &GaConfig::disappearanceDelayCount);

    addBoxes(
        description, Layout::LedBehaviourByte,
        {{"Brak migowego szybkiego", GaConfig::NoFastBlinking},
         {"Brak migowego wolnego", GaConfig::NoSlowBlinking},
         {"Samokasowanie LED", GaConfig::SelfResettingLeds},
         {"Jednoczesne kasowanie migowego wolnego i szybkiego", GaConfig::ResetBothBlinkings}});
    addBoxes(description, Layout::ColourSchemeByte,
             {{"Pobudzenie - czerwony, brak - żółty", GaConfig::SchemeA},
              {"Pobudzenie - czerwony, po skasowaniu - żółty", GaConfig::SchemeB},
              {"Pobudzenie - zielony, po skasowaniu - wyłączony", GaConfig::SchemeC},
              {"Pobudzenie - niebieski, po skasowaniu - wyłączony", GaConfig::SchemeD},
              {"Pobudzenie - żółty, po skasowaniu - wyłączony", GaConfig::SchemeE}});

    for (const RelayForm &relay : Relays)
        addRelay(description, relay);
    return description;
}
