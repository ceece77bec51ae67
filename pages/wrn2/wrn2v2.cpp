#include "pages/wrn2/wrn2v2.h"
#include "ui_wrn2v2.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

#include <array>

namespace {

// Positions in the second frame; in a received block it follows the first one.
constexpr int FlagsByte = 2;
constexpr int PickUpByte = 3;
constexpr int DropOutByte = 4;
constexpr int PulseTimeByte = 5;
constexpr int ColoursByte = 6;
constexpr int MatrixByte = 7;
constexpr int MatrixLastByte = 8;

constexpr int ReplyPart2Offset = Frame::Size;

} // namespace

wrn2v2::wrn2v2(QWidget *parent) : WrnPage(parent), ui(new Ui::wrn2v2)
{
    ui->setupUi(this);
    setupCommon(ui->wersjaWRN2);
    setFirstChannelsOf(ui);
    m_third = {{ui->We3Inwersja, ui->We3Pobudzenie, ui->We3Zanik},
               {ui->PK3Inwersja, ui->PK3DoSkasowania, ui->PK3DzialanieImpulsowe, ui->PK3tImpulsu},
               {ui->LED3Samokasowanie, ui->LED3KolorPobudzenia, ui->LED3KolorKasowanie}};
}

wrn2v2::~wrn2v2()
{
    delete ui;
}

QByteArray wrn2v2::encodeConfigPart1() const
{
    return encodeFirstChannels();
}

QByteArray wrn2v2::encodeConfigPart2() const
{
    QByteArray frame = Frame::configFramePart2();
    // Channel 3's LED self-reset rides with the flags; its colour byte keeps bit 0 clear.
    frame[FlagsByte] = static_cast<char>(
        packBits({m_third.input.inversion, m_third.relay.inversion, m_third.relay.latched,
                  m_third.relay.pulse, m_third.led.selfReset}));
    frame[PickUpByte] = static_cast<char>(delayUnits(m_third.input.pickUp));
    frame[DropOutByte] = static_cast<char>(delayUnits(m_third.input.dropOut));
    frame[PulseTimeByte] = static_cast<char>(m_third.relay.pulseTime->value());
    frame[ColoursByte] = static_cast<char>(colourBits(m_third.led.excited, m_third.led.afterReset));
    frame[MatrixByte] = static_cast<char>(packBits(
        {ui->con11, ui->con12, ui->con13, ui->con21, ui->con22, ui->con23, ui->con31, ui->con32}));
    frame[MatrixLastByte] = static_cast<char>(packBits({ui->con33}));
    return frame;
}

void wrn2v2::decodeConfig(const QByteArray &block)
{
    decodeFirstChannels(block);

    const auto part2 = [&block](int index) { return byteAt(block, ReplyPart2Offset + index); };
    unpackBits(part2(FlagsByte),
               {m_third.input.inversion, m_third.relay.inversion, m_third.relay.latched,
                m_third.relay.pulse, m_third.led.selfReset});
    setDelayUnits(m_third.input.pickUp, part2(PickUpByte));
    setDelayUnits(m_third.input.dropOut, part2(DropOutByte));
    m_third.relay.pulseTime->setValue(part2(PulseTimeByte));
    setColours(part2(ColoursByte), m_third.led.excited, m_third.led.afterReset);
    unpackBits(part2(MatrixByte), {ui->con11, ui->con12, ui->con13, ui->con21, ui->con22, ui->con23,
                                   ui->con31, ui->con32});
    unpackBits(part2(MatrixLastByte), {ui->con33});
}

void wrn2v2::on_ZapiszWRN2_clicked()
{
    emit WyslijDaneWRN2();
}

void wrn2v2::on_DZWRN2_clicked()
{
    emit PobierzDaneZWRN2();
}

// Pulse operation is left as the engineer set it; each input drives the relay of its own number.
void wrn2v2::on_DomyslneWRN2_clicked()
{
    const std::array<const Channel *, 3> channels = {&firstChannel(), &secondChannel(), &m_third};
    for (const Channel *channel : channels)
        loadInputDefaults(channel->input);
    for (const Channel *channel : channels) {
        channel->relay.inversion->setChecked(false);
        channel->relay.latched->setChecked(false);
        channel->relay.pulseTime->setValue(DefaultPulseSeconds);
    }
    for (const Channel *channel : channels)
        loadLedDefaults(channel->led, true);
    for (QCheckBox *box : {ui->con11, ui->con12, ui->con13, ui->con21, ui->con22, ui->con23,
                           ui->con31, ui->con32, ui->con33})
        box->setChecked(box == ui->con11 || box == ui->con22 || box == ui->con33);
}

void wrn2v2::on_pLED_clicked()
{
    emit ProbaLEDWRN2();
}

void wrn2v2::on_rozlaczWRN2_clicked()
{
    emit PowrotPoczatekWRN2();
    close();
}

void wrn2v2::on_KASOWANIE_clicked()
{
    emit KasowanieLEDWRN2();
}
