#include "pages/wrn1/wrn2.h"
#include "ui_wrn2.h"

namespace {
const char DocumentPath[] = "/wp-content/uploads/2024/06/DTR_WRN-1.pdf";
}

WRN2::WRN2(QWidget *parent) : WrnPage(parent), ui(new Ui::WRN2)
{
    ui->setupUi(this);
    setupCommon(ui->wersjaWRN);
    setFirstChannelsOf(ui);
}

WRN2::~WRN2()
{
    delete ui;
}

QByteArray WRN2::encodeConfig() const
{
    return firstChannels().encode();
}

void WRN2::decodeConfig(const QByteArray &block)
{
    applyFirstChannels(Wrn1Config::decode(block));
}

void WRN2::on_ZapiszWRN_clicked()
{
    emit WyslijDaneWRN();
}

void WRN2::on_rozlaczWRN_clicked()
{
    emit PowrotPoczatekWRN();
    close();
}

void WRN2::on_pLED_clicked()
{
    emit ProbaLED();
}

void WRN2::on_DZWRN_clicked()
{
    emit PobierzDaneZWRN();
}

void WRN2::on_DTRWRN_clicked()
{
    openDocumentation(QLatin1String(DocumentPath));
}

// Applied like a received configuration, so latching relay 1 locks its pulse settings
// through the interlock, as it would when read from a device.
void WRN2::on_DomyslneWRN_clicked()
{
    applyFirstChannels(Wrn1Config::defaults());
}

// A relay latched until reset cannot also pulse, so the pulse option and its time are
// locked while latching is on; the pulse time stays editable whenever latching is off.
void WRN2::on_PK1DoSkasowania_stateChanged(int arg1)
{
    const bool latched = arg1 != Qt::Unchecked;
    excludeOthers(ui->PK1DoSkasowania, latched, {ui->PK1DoSkasowania, ui->PK1DzialanieImpulsowe});
    ui->PK1tImpulsu->setEnabled(!latched);
}

void WRN2::on_PK1DzialanieImpulsowe_stateChanged(int arg1)
{
    excludeOthers(ui->PK1DzialanieImpulsowe, arg1 != Qt::Unchecked,
                  {ui->PK1DoSkasowania, ui->PK1DzialanieImpulsowe});
}

void WRN2::on_PK2DoSkasowania_stateChanged(int arg1)
{
    const bool latched = arg1 != Qt::Unchecked;
    excludeOthers(ui->PK2DoSkasowania, latched, {ui->PK2DoSkasowania, ui->PK2DzialanieImpulsowe});
    ui->PK2tImpulsu->setEnabled(!latched);
}

void WRN2::on_PK2DzialanieImpulsowe_stateChanged(int arg1)
{
    excludeOthers(ui->PK2DzialanieImpulsowe, arg1 != Qt::Unchecked,
                  {ui->PK2DoSkasowania, ui->PK2DzialanieImpulsowe});
}

void WRN2::on_KASOWANIE_clicked()
{
    emit KasowanieLEDWRN();
}
