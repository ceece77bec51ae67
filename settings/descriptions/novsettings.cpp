#include "settings/descriptions/modeldescriptions.h"

#include "codecs/novconfig.h"

namespace {

using Layout = NovConfig::Layout;

// As the form shows it: the sign even before an integer part of 0, so -0,50 and 0,50 stay
// apart, then the two digits after the comma. A fraction byte above 99, which the form's box
// cannot show, stays as stored so it is not mistaken for 99.
QString coefficientText(const NovConfig::Coefficient &coefficient)
{
    return QStringLiteral("%1%2,%3")
        .arg(coefficient.negative ? QStringLiteral("-") : QString())
        .arg(coefficient.integerPart)
        .arg(coefficient.fraction, 2, 10, QLatin1Char('0'));
}

QByteArray united(QByteArray mask, const QByteArray &other)
{
    for (int i = 0; i < mask.size(); ++i)
        mask[i] = static_cast<char>(mask[i] | other[i]);
    return mask;
}

} // namespace

SettingDescription describeNovSettings()
{
    SettingDescription description(
        ModelInfo::Id::Nov, [](const QByteArray &f) { return NovConfig::decode(f).encode(); },
        NovConfig::ignoredBits());
    const auto addCoefficient = [&description](const QString &label, int index) {
        const int at = Layout::coefficientByte(index);
        description.add(
            label,
            united(description.byteMask(at, at + 1), description.bitMask(Layout::FlagsByte, index)),
            [index](const QByteArray &frames) {
                return coefficientText(NovConfig::decode(frames).coefficients[index]);
            });
    };

    description.beginGroup(QStringLiteral("Zakres A"));
    addCoefficient(QStringLiteral("A:"), NovConfig::RangeA_A);
    addCoefficient(QStringLiteral("B:"), NovConfig::RangeA_B);
    description.beginGroup(QStringLiteral("Zakres B"));
    addCoefficient(QStringLiteral("A:"), NovConfig::RangeB_A);
    addCoefficient(QStringLiteral("B:"), NovConfig::RangeB_B);
    description.beginGroup(QStringLiteral("Konfiguracja"));
    description.addFlag(QStringLiteral("Tryb Kalibracji"), Layout::FlagsByte,
                        Layout::CalibrationBit);
    return description;
}
