#include "pages/zegar/milisekundomierz.h"
#include "ui_milisekundomierz.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

namespace {

constexpr int ModeByte = 2;
constexpr int StartByte = 3;
constexpr int StopByte = 4;

constexpr int StartOnVoltageLossBit = 0;
constexpr int StartClearsDisplayBit = 1;
constexpr int StopOnVoltageLossBit = 0;

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
    QByteArray frame = Frame::configFrame();
    frame[ModeByte] = static_cast<char>(packBits(modeBoxes()));
    frame[StartByte] = static_cast<char>(
        bitValue(ui->MSStartPojOpad->currentIndex() == VoltageLossItem, StartOnVoltageLossBit) |
        bitValue(ui->MSStartKasuje->isChecked(), StartClearsDisplayBit));
    frame[StopByte] = static_cast<char>(
        bitValue(ui->MSStopPojOpad->currentIndex() == VoltageLossItem, StopOnVoltageLossBit));
    return frame;
}

void Milisekundomierz::decodeConfig(const QByteArray &block)
{
    // Frame order matters: each ticked mode clears the earlier ones, so the last set bit wins.
    unpackBits(byteAt(block, ModeByte), modeBoxes());

    const quint8 start = byteAt(block, StartByte);
    ui->MSStartPojOpad->setCurrentIndex(itemFor(bitSet(start, StartOnVoltageLossBit)));
    ui->MSStartKasuje->setChecked(bitSet(start, StartClearsDisplayBit));

    const quint8 stop = byteAt(block, StopByte);
    ui->MSStopPojOpad->setCurrentIndex(itemFor(bitSet(stop, StopOnVoltageLossBit)));
}

void Milisekundomierz::on_DomyslneZEGAR_clicked()
{
    // Ticking mode A clears every other mode through the interlock.
    ui->MSTP1->setChecked(true);
    ui->MSStartKasuje->setChecked(true);
    ui->MSStartPojOpad->setCurrentIndex(VoltageAppearsItem);
    ui->MSStopPojOpad->setCurrentIndex(VoltageAppearsItem);
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
