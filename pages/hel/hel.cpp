#include "pages/hel/hel.h"
#include "ui_hel.h"

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
    HelConfig config;
    config.mode = ui->trybPracy->currentIndex();
    config.cyclic = ui->PracaCykliczna->isChecked();
    config.startInverted = ui->StartInw->isChecked();
    config.resetInverted = ui->KasowanieInw->isChecked();
    config.relay1Inverted = ui->PK1Inw->isChecked();
    config.relay2Inverted = ui->PK2Inw->isChecked();
    config.pickUpDelay = timeOf(m_pickUpDelay);
    config.dropOutDelay = timeOf(m_dropOutDelay);
    config.pulseTime = timeOf(m_pulseTime);
    return config.encode();
}

// Nothing on the form locks one setting against another, so the order is the frame's.
void hel::decodeConfig(const QByteArray &block)
{
    const HelConfig config = HelConfig::decode(block);
    ui->trybPracy->setCurrentIndex(config.mode);
    ui->PracaCykliczna->setChecked(config.cyclic);
    ui->StartInw->setChecked(config.startInverted);
    ui->KasowanieInw->setChecked(config.resetInverted);
    ui->PK1Inw->setChecked(config.relay1Inverted);
    ui->PK2Inw->setChecked(config.relay2Inverted);
    showTime(config.pickUpDelay, m_pickUpDelay);
    showTime(config.dropOutDelay, m_dropOutDelay);
    showTime(config.pulseTime, m_pulseTime);
}

HelConfig::Time hel::timeOf(const Duration &duration)
{
    HelConfig::Time time;
    time.days = static_cast<quint8>(duration.days->value());
    time.hours = static_cast<quint8>(duration.hours->value());
    time.minutes = static_cast<quint8>(duration.minutes->value());
    time.seconds = static_cast<quint8>(duration.seconds->value());
    time.milliseconds = static_cast<quint16>(duration.milliseconds->value());
    return time;
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

void hel::showTime(const HelConfig::Time &time, const Duration &duration)
{
    showValue(duration.days, time.days);
    showValue(duration.hours, time.hours);
    showValue(duration.minutes, time.minutes);
    showValue(duration.seconds, time.seconds);
    showValue(duration.milliseconds, time.milliseconds);
}
