#include "pages/wrn2/wrn2v2.h"
#include "ui_wrn2v2.h"

wrn2v2::wrn2v2(QWidget *parent) : WrnPage(parent), ui(new Ui::wrn2v2)
{
    ui->setupUi(this);
    setupCommon(ui->wersjaWRN2);
    setFirstChannelsOf(ui);
    m_third = {{ui->We3Inwersja, ui->We3Pobudzenie, ui->We3Zanik},
               {ui->PK3Inwersja, ui->PK3DoSkasowania, ui->PK3DzialanieImpulsowe, ui->PK3tImpulsu},
               {ui->LED3Samokasowanie, ui->LED3KolorPobudzenia, ui->LED3KolorKasowanie}};
    snapDelaysToSteps(m_third.input);
    m_drives = {{{ui->con11, ui->con12, ui->con13},
                 {ui->con21, ui->con22, ui->con23},
                 {ui->con31, ui->con32, ui->con33}}};
}

wrn2v2::~wrn2v2()
{
    delete ui;
}

QByteArray wrn2v2::encodeConfigPart1() const
{
    return currentConfig().encodePart1();
}

QByteArray wrn2v2::encodeConfigPart2() const
{
    return currentConfig().encodePart2();
}

void wrn2v2::decodeConfig(const QByteArray &block)
{
    const Wrn2Config config = Wrn2Config::decode(block);
    applyFirstChannels(config.firstChannels);
    // Writing zeros for a lost frame would store a matrix in which no input drives any relay.
    if (Wrn2Config::holdsPart2(block))
        applyPart2(config);
}

Wrn2Config wrn2v2::currentConfig() const
{
    Wrn2Config config;
    config.firstChannels = firstChannels();
    config.third = channelOf(m_third);
    for (int input = 0; input < Wrn2Config::Channels; ++input) {
        for (int relay = 0; relay < Wrn2Config::Channels; ++relay)
            config.drives[input][relay] = m_drives[input][relay]->isChecked();
    }
    return config;
}

void wrn2v2::applyPart2(const Wrn2Config &config)
{
    const WrnChannel &third = config.third;
    m_third.input.inversion->setChecked(third.inputInverted);
    m_third.relay.inversion->setChecked(third.relayInverted);
    m_third.relay.latched->setChecked(third.latched);
    m_third.relay.pulse->setChecked(third.pulse);
    m_third.led.selfReset->setChecked(third.ledSelfReset);
    applyDelays(third, m_third.input);
    showValue(m_third.relay.pulseTime, third.pulseSeconds);
    applyColours(third.colours, m_third.led);
    for (int input = 0; input < Wrn2Config::Channels; ++input) {
        for (int relay = 0; relay < Wrn2Config::Channels; ++relay)
            m_drives[input][relay]->setChecked(config.drives[input][relay]);
    }
}

void wrn2v2::on_ZapiszWRN2_clicked()
{
    emit WyslijDaneWRN2();
}

void wrn2v2::on_DZWRN2_clicked()
{
    emit PobierzDaneZWRN2();
}

// Pulse operation is the engineer's choice and survives the defaults.
void wrn2v2::on_DomyslneWRN2_clicked()
{
    Wrn2Config defaults = Wrn2Config::defaults();
    const Wrn2Config current = currentConfig();
    defaults.firstChannels.first.pulse = current.firstChannels.first.pulse;
    defaults.firstChannels.second.pulse = current.firstChannels.second.pulse;
    defaults.third.pulse = current.third.pulse;
    applyFirstChannels(defaults.firstChannels);
    applyPart2(defaults);
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
