#include "pages/zegar/milisekundomierz.h"
#include "ui_milisekundomierz.h"

#include "codecs/zegarconfig.h"

namespace {

// Item of the start and stop combo boxes that reacts to the loss of voltage.
constexpr int VoltageLossItem = 1;
constexpr int VoltageAppearsItem = 0;

const char DocumentationPath[] = "/wp-content/uploads/2024/06/DTR_ZEGAR-1.pdf";

int itemFor(bool voltageLoss)
{
    return voltageLoss ? VoltageLossItem : VoltageAppearsItem;
}

} // namespace

Milisekundomierz::Milisekundomierz(QWidget *parent)
    : DevicePage(parent), ui(new Ui::Milisekundomierz)
{
    ui->setupUi(this);
    setupCommon(ui->wersjaZEGAR);
}

Milisekundomierz::~Milisekundomierz()
{
    delete ui;
}

QList<QAbstractButton *> Milisekundomierz::modeBoxes() const
{
    return {ui->MSTP1, ui->MSTP2, ui->MSTP3, ui->MSTP4, ui->MSTP6, ui->MSTP5};
}

QByteArray Milisekundomierz::encodeConfig() const
{
    ZegarConfig config;
    config.modes = packBits(modeBoxes());
    config.startOnVoltageLoss = ui->MSStartPojOpad->currentIndex() == VoltageLossItem;
    config.startClearsDisplay = ui->MSStartKasuje->isChecked();
    config.stopOnVoltageLoss = ui->MSStopPojOpad->currentIndex() == VoltageLossItem;
    return config.encode();
}

void Milisekundomierz::applyConfig(const ZegarConfig &config)
{
    // Frame order matters: each ticked mode clears the earlier ones, so the last set bit wins.
    unpackBits(config.modes, modeBoxes());
    ui->MSStartPojOpad->setCurrentIndex(itemFor(config.startOnVoltageLoss));
    ui->MSStartKasuje->setChecked(config.startClearsDisplay);
    ui->MSStopPojOpad->setCurrentIndex(itemFor(config.stopOnVoltageLoss));
}

void Milisekundomierz::decodeConfig(const QByteArray &block)
{
    applyConfig(ZegarConfig::decode(block));
}

void Milisekundomierz::on_DomyslneZEGAR_clicked()
{
    applyConfig(ZegarConfig::defaults());
}

void Milisekundomierz::keepOnlyMode(QAbstractButton *ticked, int state)
{
    // The device runs in one mode at most; leaving all clear is allowed, so unlike an
    // exclusive button group clearing the ticked box does not bring another one back.
    if (state == Qt::Unchecked)
        return;
    for (QAbstractButton *box : modeBoxes()) {
        if (box != ticked)
            box->setChecked(false);
    }
}

void Milisekundomierz::on_MSTP1_stateChanged(int state)
{
    keepOnlyMode(ui->MSTP1, state);
}

void Milisekundomierz::on_MSTP2_stateChanged(int state)
{
    keepOnlyMode(ui->MSTP2, state);
}

void Milisekundomierz::on_MSTP3_stateChanged(int state)
{
    keepOnlyMode(ui->MSTP3, state);
}

void Milisekundomierz::on_MSTP4_stateChanged(int state)
{
    keepOnlyMode(ui->MSTP4, state);
}

void Milisekundomierz::on_MSTP5_stateChanged(int state)
{
    keepOnlyMode(ui->MSTP5, state);
}

void Milisekundomierz::on_MSTP6_stateChanged(int state)
{
    keepOnlyMode(ui->MSTP6, state);
}

void Milisekundomierz::on_rozlaczZEGAR_clicked()
{
    emit PowrotPoczatekZEGAR();
}

void Milisekundomierz::on_ZapiszZEGAR_clicked()
{
    emit WyslijDaneZEGAR();
}

void Milisekundomierz::on_pLED_clicked()
{
    emit ProbaLEDZEGAR();
}

void Milisekundomierz::on_DZZEGAR_clicked()
{
    emit PobierzDaneZZEGAR();
}

void Milisekundomierz::on_DTRZEGAR_clicked()
{
    openDocumentation(QLatin1String(DocumentationPath));
}
