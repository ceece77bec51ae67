#include "pages/drav/drav.h"
#include "ui_drav.h"

#include "protocol/bytes.h"

namespace {

const char DocumentationPath[] = "/wp-content/uploads/2024/06/DTR_DRAV-1.pdf";

} // namespace

DRAV::DRAV(QWidget *parent) : DevicePage(parent), ui(new Ui::DRAV)
{
    ui->setupUi(this);
    setupCommon(ui->wersjaDRAV);
    m_tracks = {{
        {ui->TOR1Wyl, ui->We1Inwersja, ui->PK1Inwersja, ui->LED1DoSkasowania, ui->DPK1ZAS,
         ui->PK1Pobudzenie, ui->PK1Zanik},
        {ui->TOR2Wyl, ui->We2Inwersja, ui->PK2Inwersja, ui->LED2DoSkasowania, ui->DPK2ZAS,
         ui->PK2Pobudzenie, ui->PK2Zanik},
        {ui->TOR3Wyl, ui->We3Inwersja, ui->PK3Inwersja, ui->LED3DoSkasowania, ui->DPK3ZAS,
         ui->PK3Pobudzenie, ui->PK3Zanik},
    }};
    for (const Track &track : m_tracks) {
        snapToStep(track.pickUpDelay);
        snapToStep(track.dropOutDelay);
    }
}

DRAV::~DRAV()
{
    delete ui;
}

QByteArray DRAV::encodeConfig() const
{
    return currentConfig().encode();
}

void DRAV::decodeConfig(const QByteArray &block)
{
    applyConfig(DravConfig::decode(block));
}

DravConfig DRAV::currentConfig() const
{
    DravConfig config;
    for (std::size_t i = 0; i < m_tracks.size(); ++i) {
        const Track &widgets = m_tracks[i];
        DravConfig::Track &track = config.tracks[i];
        track.switchedOff = widgets.switchedOff->isChecked();
        track.inputInverted = widgets.inputInverted->isChecked();
        track.relayInverted = widgets.relayInverted->isChecked();
        track.ledLatched = widgets.ledLatched->isChecked();
        track.supplySignalled = widgets.supplySignalled->isChecked();
        track.pickUpSteps = delayToByte(widgets.pickUpDelay->value());
        track.dropOutSteps = delayToByte(widgets.dropOutDelay->value());
    }
    return config;
}

// The options of all three tracks first, then the delays, as they stand in the frame. A delay
// of 0 steps is below the device's range; the spin box shows its minimum instead.
void DRAV::applyConfig(const DravConfig &config)
{
    for (std::size_t i = 0; i < m_tracks.size(); ++i) {
        const Track &widgets = m_tracks[i];
        const DravConfig::Track &track = config.tracks[i];
        widgets.switchedOff->setChecked(track.switchedOff);
        widgets.inputInverted->setChecked(track.inputInverted);
        widgets.relayInverted->setChecked(track.relayInverted);
        widgets.ledLatched->setChecked(track.ledLatched);
        widgets.supplySignalled->setChecked(track.supplySignalled);
    }
    for (std::size_t i = 0; i < m_tracks.size(); ++i) {
        showValue(m_tracks[i].pickUpDelay, delayFromByte(config.tracks[i].pickUpSteps));
        showValue(m_tracks[i].dropOutDelay, delayFromByte(config.tracks[i].dropOutSteps));
    }
}

void DRAV::on_rozlaczDRAV_clicked()
{
    // The page stays open: the main window decides what is left on screen.
    emit PowrotPoczatekDRAV();
}

void DRAV::on_ZapiszDRAV_clicked()
{
    emit WyslijDaneDRAV();
}

void DRAV::on_pLED_clicked()
{
    emit ProbaLED();
}

void DRAV::on_DZDRAV_clicked()
{
    emit PobierzDaneZDRAV();
}

// No option of this page depends on another, so the order of the defaults does not matter.
void DRAV::on_DomyslneDRAV_clicked()
{
    applyConfig(DravConfig::defaults());
}

void DRAV::on_DTRDRAV_clicked()
{
    openDocumentation(QLatin1String(DocumentationPath));
}
