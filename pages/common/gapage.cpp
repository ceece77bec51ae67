#include "pages/common/gapage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>

#include <cmath>

namespace {

// Combo index of "Pojawienie się napięcia"; the other item is the loss of voltage.
constexpr int TriggerOnAppearance = 1;
constexpr int TriggerOnLoss = 0;

// Identification byte 8 tells which delay range the firmware accepts.
constexpr char LongRangeVariant[] = "1";
constexpr double LongRangeMaximum = 25.0;
constexpr double ShortRangeMaximum = 2.5;

// The spin boxes show hundredths of a second, the device's own step, so a delay read from
// the device is written back to the count it came as.
quint16 delayCount(const QDoubleSpinBox *delay)
{
    return static_cast<quint16>(std::lround(delay->value() * GaConfig::CountsPerSecond));
}

double delaySeconds(quint16 count)
{
    return double(count) / GaConfig::CountsPerSecond;
}

} // namespace

GaPage::GaPage(QWidget *parent) : DevicePage(parent) {}

void GaPage::bindForm(const Widgets &widgets)
{
    m_form = widgets;
}

QList<QAbstractButton *> GaPage::relayBoxes(const Relay &relay)
{
    return {relay.doSkasowania, relay.brakKasowania, relay.trwale, relay.impulsowy, relay.inwersja};
}

GaConfig::Relay GaPage::relayConfig(const Relay &relay)
{
    return {packBits(relayBoxes(relay)), static_cast<quint8>(relay.impulsT->value())};
}

void GaPage::applyRelay(const Relay &relay, const GaConfig::Relay &config)
{
    unpackBits(config.modes, relayBoxes(relay));
    showValue(relay.impulsT, config.pulseSeconds);
}

QList<QAbstractButton *> GaPage::schemeBoxes() const
{
    return {m_form.pobOpcjaA, m_form.pobOpcjaB, m_form.pobOpcjaC, m_form.pobOpcjaD,
            m_form.pobOpcjaE};
}

QList<QAbstractButton *> GaPage::behaviourBoxes() const
{
    return {m_form.migoweSzybkie, m_form.migoweWolne, m_form.samokasowanieLed,
            m_form.migoweSzyIWolKasowanie};
}

GaConfig GaPage::formConfig() const
{
    GaConfig config;
    config.relay1 = relayConfig(m_form.pk1);
    config.relay2 = relayConfig(m_form.pk2);
    config.colourScheme = packBits(schemeBoxes());
    config.ledBehaviour = packBits(behaviourBoxes());
    config.triggerOnAppearance = m_form.zanikPobudzenie->currentIndex() == TriggerOnAppearance;
    config.appearanceDelayCount = delayCount(m_form.opoznieniePojawienie);
    config.disappearanceDelayCount = delayCount(m_form.opoznienieZanik);
    return config;
}

QByteArray GaPage::encodeConfig() const
{
    return formConfig().encode();
}

void GaPage::applyConfig(const GaConfig &config)
{
    applyRelay(m_form.pk1, config.relay1);
    applyRelay(m_form.pk2, config.relay2);
    unpackBits(config.colourScheme, schemeBoxes());
    unpackBits(config.ledBehaviour, behaviourBoxes());
    m_form.zanikPobudzenie->setCurrentIndex(config.triggerOnAppearance ? TriggerOnAppearance
                                                                       : TriggerOnLoss);
    // The spin boxes clamp to the range of this firmware.
    m_form.opoznieniePojawienie->setValue(delaySeconds(config.appearanceDelayCount));
    m_form.opoznienieZanik->setValue(delaySeconds(config.disappearanceDelayCount));
    AktualizacjaWidokuProgramu();
}

void GaPage::decodeConfig(const QByteArray &block)
{
    applyConfig(GaConfig::decode(block));
}

void GaPage::setRangeVariant(const QString &variant)
{
    const double maximum =
        variant == QLatin1String(LongRangeVariant) ? LongRangeMaximum : ShortRangeMaximum;
    m_form.opoznieniePojawienie->setMaximum(maximum);
    m_form.opoznienieZanik->setMaximum(maximum);
}

void GaPage::loadDefaults()
{
    applyConfig(GaConfig::defaults());
}

void GaPage::on_PK1DoSkasowania_stateChanged(int state)
{
    relayModeChanged(m_form.pk1, m_form.pk1.doSkasowania, state != Qt::Unchecked);
}
void GaPage::on_PK1BrakKasowania_stateChanged(int state)
{
    relayModeChanged(m_form.pk1, m_form.pk1.brakKasowania, state != Qt::Unchecked);
}
void GaPage::on_PK1Trwale_stateChanged(int state)
{
    relayModeChanged(m_form.pk1, m_form.pk1.trwale, state != Qt::Unchecked);
}
void GaPage::on_PK1Impulsowy_stateChanged(int state)
{
    relayModeChanged(m_form.pk1, m_form.pk1.impulsowy, state != Qt::Unchecked);
}
void GaPage::on_PK2DoSkasowania_stateChanged(int state)
{
    relayModeChanged(m_form.pk2, m_form.pk2.doSkasowania, state != Qt::Unchecked);
}
void GaPage::on_PK2BrakKasowania_stateChanged(int state)
{
    relayModeChanged(m_form.pk2, m_form.pk2.brakKasowania, state != Qt::Unchecked);
}
void GaPage::on_PK2Trwale_stateChanged(int state)
{
    relayModeChanged(m_form.pk2, m_form.pk2.trwale, state != Qt::Unchecked);
}
void GaPage::on_PK2Impulsowy_stateChanged(int state)
{
    relayModeChanged(m_form.pk2, m_form.pk2.impulsowy, state != Qt::Unchecked);
}

void GaPage::on_PobOpcjaA_stateChanged(int state)
{
    colourSchemeChanged(m_form.pobOpcjaA, state != Qt::Unchecked);
}
void GaPage::on_PobOpcjaB_stateChanged(int state)
{
    colourSchemeChanged(m_form.pobOpcjaB, state != Qt::Unchecked);
}
void GaPage::on_PobOpcjaC_stateChanged(int state)
{
    colourSchemeChanged(m_form.pobOpcjaC, state != Qt::Unchecked);
}
void GaPage::on_PobOpcjaD_stateChanged(int state)
{
    colourSchemeChanged(m_form.pobOpcjaD, state != Qt::Unchecked);
}
void GaPage::on_PobOpcjaE_stateChanged(int state)
{
    colourSchemeChanged(m_form.pobOpcjaE, state != Qt::Unchecked);
}

void GaPage::AktualizacjaWidokuProgramu()
{
    for (const Relay *relay : {&m_form.pk1, &m_form.pk2}) {
        for (QCheckBox *mode :
             {relay->doSkasowania, relay->brakKasowania, relay->trwale, relay->impulsowy}) {
            if (mode->isChecked())
                relayModeChanged(*relay, mode, true);
        }
    }
    for (QCheckBox *scheme : {m_form.pobOpcjaA, m_form.pobOpcjaB, m_form.pobOpcjaC,
                              m_form.pobOpcjaD, m_form.pobOpcjaE}) {
        if (scheme->isChecked())
            colourSchemeChanged(scheme, true);
    }
}

void GaPage::relayModeChanged(const Relay &relay, QCheckBox *mode, bool checked)
{
    // A relay works in one mode at a time.
    excludeOthers(mode, checked,
                  {relay.doSkasowania, relay.brakKasowania, relay.trwale, relay.impulsowy});
    // The pulse time means something only in pulse mode.
    relay.impulsT->setEnabled(relay.impulsowy->isChecked());
}

void GaPage::colourSchemeChanged(QCheckBox *scheme, bool checked)
{
    excludeOthers(
        scheme, checked,
        {m_form.pobOpcjaA, m_form.pobOpcjaB, m_form.pobOpcjaC, m_form.pobOpcjaD, m_form.pobOpcjaE});
}
