#include "pages/nov/nov.h"
#include "ui_nov.h"

#include "codecs/novconfig.h"

#include <array>
#include <cstdlib>

namespace {

// The form shows a coefficient as a signed integer part and the digits after the comma.
struct CoefficientBoxes
{
    SignedZeroSpinBox *integerPart;
    QSpinBox *fraction;
};

std::array<CoefficientBoxes, NovConfig::CoefficientCount> coefficientsOf(const Ui::nov &ui)
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
    NovConfig config;
    const auto boxes = coefficientsOf(*ui);
    for (int i = 0; i < NovConfig::CoefficientCount; ++i) {
        const CoefficientBoxes &shown = boxes[i];
        config.coefficients[i] = {shown.integerPart->isNegative(),
                                  static_cast<quint8>(std::abs(shown.integerPart->value())),
                                  static_cast<quint8>(shown.fraction->value())};
    }
    config.calibration = ui->TrybKalibracji->isChecked();
    return config.encode();
}

void nov::decodeConfig(const QByteArray &block)
{
    const NovConfig config = NovConfig::decode(block);
    const auto boxes = coefficientsOf(*ui);
    for (int i = 0; i < NovConfig::CoefficientCount; ++i) {
        const NovConfig::Coefficient &coefficient = config.coefficients[i];
        boxes[i].integerPart->setSignedValue(coefficient.negative, coefficient.integerPart);
        // A fraction byte above 99 is clamped by its spin box.
        showValue(boxes[i].fraction, coefficient.fraction);
    }
    ui->TrybKalibracji->setChecked(config.calibration);
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
