#include "settings/descriptions/modeldescriptions.h"

#include "codecs/brtconfig.h"
#include "protocol/bytes.h"

#include <iterator>

namespace {

constexpr int Input1Byte = 2;
constexpr int Input2Byte = 5;
constexpr int ExcitationBit = 0;
constexpr char ColourBits = 0x1E;
constexpr int OptionsByte = 8;
constexpr int SwapBit = 0;
constexpr int NoFastBlinkingBit = 1;
constexpr int LatchingBit = 2;
// Two bits per row of the relay grid, PK1 first.
constexpr int RelaysByte = 9;

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
    description.add(QStringLiteral("Działanie na:"),
                    description.bitMask(form.byte, ExcitationBit), [input](const QByteArray &f) {
                        return input(f).onExcitation ? QStringLiteral("Pobudzenie")
                                                     : QStringLiteral("Zanik");
                    });
    QByteArray colourMask = description.byteMask(form.byte);
    colourMask[form.byte] = ColourBits;
    description.add(QStringLiteral("Kolor wskazania:"), colourMask,
                    [input](const QByteArray &f) { return colourText(input(f).colour); });
    description.add(form.appearLabel, description.byteMask(form.byte + 1),
                    [input](const QByteArray &f) { return delayText(input(f).appearSteps); });
    description.add(form.vanishLabel, description.byteMask(form.byte + 2),
                    [input](const QByteArray &f) { return delayText(input(f).vanishSteps); });
}

} // namespace

SettingDescription describeBrtSettings()
{
    SettingDescription description(ModelInfo::Id::Brt, [](const QByteArray &f) {
        return BrtConfig::decode(f).encode();
    });
    describeInput(description,
                  {QStringLiteral("Wejście 1"), Input1Byte, &BrtConfig::input1,
                   QStringLiteral("Opóżnienie pojawienia się:"),
                   QStringLiteral("Opóźnienie zaniku:")});
    describeInput(description,
                  {QStringLiteral("Wejście 2"), Input2Byte, &BrtConfig::input2,
                   QStringLiteral("Opóźnienie pojawenia się:"),
                   QStringLiteral("Opóżnienie zaniku:")});

    // The options stand in the form's order, not in their bits' order.
    description.beginGroup(QStringLiteral("Inne"));
    description.addFlag(QStringLiteral("Praca z pamięcią stanu"), OptionsByte, LatchingBit);
    description.addFlag(QStringLiteral("Zamiana kanałów"), OptionsByte, SwapBit);
    description.addFlag(QStringLiteral("Brak migowego szybkiego"), OptionsByte, NoFastBlinkingBit);

    // Each row of the relay grid is one pair of PK1 and PK2 boxes. Every box keeps its own bit:
    // the form's interlock pairs each input with one relay, but a device reply may hold more.
    const QString rows[] = {QStringLiteral("Wejscie 1"), QStringLiteral("Wejście 2"),
                            QStringLiteral("Inwersja")};
    for (int row = 0; row < int(std::size(rows)); ++row) {
        description.beginGroup(QStringLiteral("Inne – ") + rows[row]);
        description.addFlag(QStringLiteral("PK1"), RelaysByte, 2 * row);
        description.addFlag(QStringLiteral("PK2"), RelaysByte, 2 * row + 1);
    }
    return description;
}
