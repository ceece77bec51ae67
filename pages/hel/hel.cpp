#include "pages/hel/hel.h"
#include "ui_hel.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

namespace {

constexpr int OptionsByte = 2;
constexpr int FirstTimeByte = 3;
constexpr int SecondTimeByte = 8;

constexpr int ModeMask = 0x03;
constexpr int FirstOptionBit = 2;
// In this mode the relay pulses, and the second time slot carries the pulse length instead
// of the drop-out delay.
constexpr int PulseMode = 3;

// Milliseconds need ten bits; the two above the low byte share a byte with the hours.
constexpr int HourShift = 2;
constexpr int MillisecondHighBits = 0x03;

} // namespace

hel::hel(QWidget *parent) : DevicePage(parent), ui(new Ui::hel)
{
    ui->setupUi(this);
    setupCommon(ui->wersjaHEL);
    m_pickUpDelay = {ui->OP_DNI, ui->OP_H, ui->OP_MIN, ui->OP_S, ui->OP_MS};
    m_dropOutDelay = {ui->OO_DNI, ui->OO_H, ui->OO_MIN, ui->OO_S, ui->OO_MS};
    m_pulseTime = {ui->TI_DNI, ui->TI_H, ui->TI_MIN, ui->TI_S, ui->TI_MS};
}

hel::~hel()
{
    delete ui;
}

QByteArray hel::encodeConfig() const
{
    QByteArray frame = Frame::configFrame();

    const int mode = ui->trybPracy->currentIndex();
    // No selection must not smear -1 across the option bits.
    const quint8 modeBits = mode < 0 ? 0 : quint8(mode & ModeMask);
    const quint8 options =
        packBits({ui->PracaCykliczna, ui->StartInw, ui->KasowanieInw, ui->PK1Inw, ui->PK2Inw});
    frame[OptionsByte] = char(modeBits | (options << FirstOptionBit));

    putDuration(frame, FirstTimeByte, m_pickUpDelay);
    putDuration(frame, SecondTimeByte, mode == PulseMode ? m_pulseTime : m_dropOutDelay);
    return frame;
}

void hel::putDuration(QByteArray &frame, int offset, const Duration &duration)
{
    const int milliseconds = duration.milliseconds->value();
    frame[offset] = char(lowByte(quint16(milliseconds)));
    frame[offset + 1] =
        char((duration.hours->value() << HourShift) | ((milliseconds >> 8) & MillisecondHighBits));
    frame[offset + 2] = char(duration.seconds->value());
    frame[offset + 3] = char(duration.minutes->value());
    frame[offset + 4] = char(duration.days->value());
}

void hel::on_ZapiszHEL_clicked()
{
    emit WyslijDaneHEL();
}

void hel::on_rozlaczHEL_clicked()
{
    // The page stays open: the main window decides what is left on screen.
    emit PowrotPoczatekHEL();
}
