#include "settings/descriptions/modeldescriptions.h"

#include "codecs/brtconfig.h"
#include "protocol/bytes.h"

namespace {

using Layout = BrtConfig::Layout;

// The colour list's entries; a field with no colour bit or several has none and reads "brak".
QString colourText(BrtConfig::Colour colour)
{
    switch (colour) {
    case BrtConfig::Red:
        return QStringLiteral("Czerwony");
    case BrtConfig::Green:
        return QStringLiteral("Zielony");
    case BrtConfig::Blue:
        return QStringLiteral("Niebieski");
    case BrtConfig::White:
        return QStringLiteral("Biały");
    case BrtConfig::Unnamed:
        break;
    }
    return QStringLiteral("brak");
}

// The stored delay even at 0 steps, which the form's boxes (100 ms at least) cannot show, so a
// compare does not call 0 and 1 step alike.
QString delayText(quint8 steps)
{
    return SettingDescription::decimal(delayFromByte(steps), 0, QStringLiteral("[ms]"));
}

// The two inputs' forms spell their delay labels differently.
struct InputForm
{
    QString title;
    int byte;
    BrtConfig::Input BrtConfig::*input;
    QString appearLabel;
    QString vanishLabel;
};

void describeInput(SettingDescription &description, const InputForm &form)
{
    const auto input = [member = form.input](const QByteArray &frames) {
        return BrtConfig::decode(frames).*member;
    };
    description.beginGroup(form.title);
    description.add(
        QStringLiteral("Działanie na:"), description.bitMask(form.byte, Layout::ExcitationBit),
        [input](const QByteArray &f) {
            return input(f).onExcitation ? QStringLiteral("Pobudzenie") : QStringLiteral("Zanik");
        });
    QByteArray colourMask = description.byteMask(form.byte);
    colourMask[form.byte] = static_cast<char>(Layout::ColourMask);
    description.add(QStringLiteral("Kolor wskazania:"), colourMask,
                    [input](const QByteArray &f) { return colourText(input(f).colour); });
    description.add(form.appearLabel, description.byteMask(form.byte + Layout::AppearOffset),
                    [input](const QByteArray &f) { return delayText(input(f).appearSteps); });
    description.add(form.vanishLabel, description.byteMask(form.byte + Layout::VanishOffset),
                    [input](const QByteArray &f) { return delayText(input(f).vanishSteps); });
}

// One row of the relay grid: the bits of its PK1 and PK2 boxes.
struct RelayRow
{
    QString title;
    int relay1Bit;
    int relay2Bit;
};

} // namespace

SettingDescription describeBrtSettings()
{
    SettingDescription description(
        ModelInfo::Id::Brt, [](const QByteArray &f) { return BrtConfig::decode(f).encode(); },
        BrtConfig::ignoredBits());
    describeInput(description, {QStringLiteral("Wejście 1"), Layout::Input1Byte, &BrtConfig::input1,
                                QStringLiteral("Opóżnienie pojawienia się:"),
                                QStringLiteral("Opóźnienie zaniku:")});
    describeInput(description, {QStringLiteral("Wejście 2"), Layout::Input2Byte, &BrtConfig::input2,
                                QStringLiteral("Opóźnienie pojawenia się:"),
                                QStringLiteral("Opóżnienie zaniku:")});

    // The options stand in the form's order, not in their bits' order.
    description.beginGroup(QStringLiteral("Inne"));
    description.addFlag(QStringLiteral("Praca z pamięcią stanu"), Layout::OptionsByte,
                        Layout::LatchingBit);
    description.addFlag(QStringLiteral("Zamiana kanałów"), Layout::OptionsByte, Layout::SwapBit);
    description.addFlag(QStringLiteral("Brak migowego szybkiego"), Layout::OptionsByte,
                        Layout::NoFastBlinkingBit);

    // Each row of the relay grid is one pair of PK1 and PK2 boxes. Every box keeps its own bit:
    // the form's interlock pairs each input with one relay, but a device reply may hold more.
    const RelayRow rows[] = {
        {QStringLiteral("Wejscie 1"), Layout::Input1Relay1Bit, Layout::Input1Relay2Bit},
        {QStringLiteral("Wejście 2"), Layout::Input2Relay1Bit, Layout::Input2Relay2Bit},
        {QStringLiteral("Inwersja"), Layout::Relay1InvertedBit, Layout::Relay2InvertedBit}};
    for (const RelayRow &row : rows) {
        description.beginGroup(QStringLiteral("Inne – ") + row.title);
        description.addFlag(QStringLiteral("PK1"), Layout::RelaysByte, row.relay1Bit);
        description.addFlag(QStringLiteral("PK2"), Layout::RelaysByte, row.relay2Bit);
    }
    return description;
}
