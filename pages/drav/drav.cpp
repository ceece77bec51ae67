#include "pages/drav/drav.h"
#include "ui_drav.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

namespace {

constexpr int FirstTrackByte = 2;
constexpr int FirstDelayByte = 5;
constexpr int DefaultDelayMs = 100;

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
}

DRAV::~DRAV()
{
    delete ui;
}

QByteArray DRAV::encodeConfig() const
{
    QByteArray frame = Frame::configFrame();
    for (int i = 0; i < int(m_tracks.size()); ++i) {
        const Track &track = m_tracks[i];
        frame[FirstTrackByte + i] =
            char(packBits({track.switchedOff, track.inputInverted, track.relayInverted,
                           track.ledLatched, track.supplySignalled}));
        // A value typed between two steps is sent as the step below it.
        frame[FirstDelayByte + 2 * i] = char(delayToByte(track.pickUpDelay->value()));
        frame[FirstDelayByte + 2 * i + 1] = char(delayToByte(track.dropOutDelay->value()));
    }
    return frame;
}

void DRAV::decodeConfig(const QByteArray &block)
{
    for (int i = 0; i < int(m_tracks.size()); ++i) {
        const Track &track = m_tracks[i];
        unpackBits(byteAt(block, FirstTrackByte + i),
                   {track.switchedOff, track.inputInverted, track.relayInverted, track.ledLatched,
                    track.supplySignalled});
    }
    // A delay byte of 0 is below the device's range; the spin box shows its minimum instead.
    for (int i = 0; i < int(m_tracks.size()); ++i) {
        const Track &track = m_tracks[i];
        track.pickUpDelay->setValue(delayFromByte(byteAt(block, FirstDelayByte + 2 * i)));
        track.dropOutDelay->setValue(delayFromByte(byteAt(block, FirstDelayByte + 2 * i + 1)));
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

void DRAV::on_DomyslneDRAV_clicked()
{
    for (const Track &track : m_tracks) {
        track.switchedOff->setChecked(false);
        track.inputInverted->setChecked(false);
        track.relayInverted->setChecked(false);
        track.ledLatched->setChecked(false);
        track.pickUpDelay->setValue(DefaultDelayMs);
        track.dropOutDelay->setValue(DefaultDelayMs);
        track.supplySignalled->setChecked(false);
    }
}

void DRAV::on_DTRDRAV_clicked()
{
    openDocumentation(QLatin1String(DocumentationPath));
}
