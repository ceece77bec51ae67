#include "pages/nov/nov.h"
#include "ui_nov.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

#include <array>
#include <cstdlib>

namespace {

// Each coefficient takes two bytes from here on, magnitude of the integer part first.
constexpr int FirstCoefficientByte = 2;
constexpr int FlagsByte = 10;
// Bits 0-3 of the flags are the signs of the coefficients in frame order.
constexpr int CalibrationBit = 4;
constexpr int TrailerByte = 11;
// The device expects these constant bytes after the flags.
constexpr char Trailer[] = {0x01, 0x02, 0x03};
constexpr int TrailerSize = sizeof Trailer;

// The form shows a coefficient as a signed integer part and the digits after the comma.
struct Coefficient
{
    QSpinBox *integerPart;
    QSpinBox *fraction;
};

std::array<Coefficient, 4> coefficientsOf(const Ui::nov &ui)
{
    return {{{ui.ZakresAA1, ui.ZakresAA2},
             {ui.ZakresAB1, ui.ZakresAB2},
             {ui.ZakresBA1, ui.ZakresBA2},
             {ui.ZakresBB1, ui.ZakresBB2}}};
}

} // namespace

nov::nov(QWidget *parent) : DevicePage(parent), ui(new Ui::nov)
{
    ui->setupUi(this);
    setupCommon(ui->wersjaNOV);
}

nov::~nov()
{
    delete ui;
}

QByteArray nov::encodeConfig() const
{
    QByteArray frame = Frame::configFrame();
    quint8 flags = 0;
    int index = FirstCoefficientByte;
    int signBit = 0;
    for (const Coefficient &coefficient : coefficientsOf(*ui)) {
        const int integerPart = coefficient.integerPart->value();
        // The sign travels apart from the magnitude, so an integer part of 0 is always
        // positive whatever the digits after the comma.
        frame[index++] = static_cast<char>(std::abs(integerPart));
        frame[index++] = static_cast<char>(coefficient.fraction->value());
        flags |= bitValue(integerPart < 0, signBit++);
    }
    flags |= bitValue(ui->TrybKalibracji->isChecked(), CalibrationBit);
    frame[FlagsByte] = static_cast<char>(flags);
    frame.replace(TrailerByte, TrailerSize, Trailer, TrailerSize);
    return frame;
}

void nov::decodeConfig(const QByteArray &block)
{
    const quint8 flags = byteAt(block, FlagsByte);
    int index = FirstCoefficientByte;
    int signBit = 0;
    for (const Coefficient &coefficient : coefficientsOf(*ui)) {
        const int magnitude = byteAt(block, index++);
        // A fraction byte above 99 is clamped by its spin box.
        coefficient.integerPart->setValue(bitSet(flags, signBit) ? -magnitude : magnitude);
        coefficient.fraction->setValue(byteAt(block, index++));
        ++signBit;
    }
    ui->TrybKalibracji->setChecked(bitSet(flags, CalibrationBit));
}

void nov::on_ZapiszNOV_clicked()
{
    emit WyslijDaneNOV();
}

void nov::on_DZNOV_clicked()
{
    emit PobierzDaneZNOV();
}

void nov::on_pLED_clicked()
{
    emit ProbaLEDNOV();
}

void nov::on_rozlaczNOV_clicked()
{
    emit PowrotPoczatekNOV();
    close();
}
