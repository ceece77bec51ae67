#include "pages/common/gapage.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>

#include <cmath>

namespace {

// Positions in the configuration frame; the device's reply uses the same layout.
constexpr int Relay1Byte = 2;
constexpr int Relay1PulseByte = 3;
constexpr int Relay2Byte = 4;
constexpr int Relay2PulseByte = 5;
constexpr int ColourSchemeByte = 6;
constexpr int LedBehaviourByte = 7;
constexpr int TriggerByte = 8;
// Both low bytes come first, then both high bytes.
constexpr int AppearanceLowByte = 9;
constexpr int DisappearanceLowByte = 10;
constexpr int AppearanceHighByte = 11;
constexpr int DisappearanceHighByte = 12;

// The device counts delays in steps of 10 ms.
constexpr double CountsPerSecond = 100.0;

// Combo index of "Pojawienie się napięcia", sent as bit 0 of the trigger byte.
constexpr int TriggerOnAppearance = 1;
constexpr int TriggerOnLoss = 0;

// Identification byte 8 tells which delay range the firmware accepts.
constexpr char LongRangeVariant[] = "1";
constexpr double LongRangeMaximum = 25.0;
constexpr double ShortRangeMaximum = 2.5;

constexpr double DefaultDelaySeconds = 0.1;
constexpr int DefaultPulseSeconds = 3;

quint16 delayCount(const QDoubleSpinBox *delay)
{
    return static_cast<quint16>(std::lround(delay->value() * CountsPerSecond));
}

double delaySeconds(quint8 high, quint8 low)
{
    return word(high, low) / CountsPerSecond;
}

} // namespace

GaPage::GaPage(QWidget *parent) : DevicePage(parent) {}

void GaPage::bindForm(const Widgets &widgets)
{
    m_form = widgets;
}

QByteArray GaPage::encodeConfig() const
{
    QByteArray frame = Frame::configFrame();
    frame[Relay1Byte] = static_cast<char>(relayBits(m_form.pk1));
    frame[Relay1PulseByte] = static_cast<char>(m_form.pk1.impulsT->value());
    frame[Relay2Byte] = static_cast<char>(relayBits(m_form.pk2));
    frame[Relay2PulseByte] = static_cast<char>(m_form.pk2.impulsT->value());
    frame[ColourSchemeByte] =
        static_cast<char>(packBits({m_form.pobOpcjaA, m_form.pobOpcjaB, m_form.pobOpcjaC,
                                    m_form.pobOpcjaD, m_form.pobOpcjaE}));
    frame[LedBehaviourByte] =
        static_cast<char>(packBits({m_form.migoweSzybkie, m_form.migoweWolne,
                                    m_form.samokasowanieLed, m_form.migoweSzyIWolKasowanie}));
    frame[TriggerByte] = m_form.zanikPobudzenie->currentIndex() == TriggerOnAppearance ? 1 : 0;

    const quint16 appearance = delayCount(m_form.opoznieniePojawienie);
    const quint16 disappearance = delayCount(m_form.opoznienieZanik);
    frame[AppearanceLowByte] = static_cast<char>(lowByte(appearance));
    frame[DisappearanceLowByte] = static_cast<char>(lowByte(disappearance));
    frame[AppearanceHighByte] = static_cast<char>(highByte(appearance));
    frame[DisappearanceHighByte] = static_cast<char>(highByte(disappearance));
    return frame;
}

void GaPage::decodeConfig(const QByteArray &block)
{
    applyRelay(m_form.pk1, byteAt(block, Relay1Byte), byteAt(block, Relay1PulseByte));
    applyRelay(m_form.pk2, byteAt(block, Relay2Byte), byteAt(block, Relay2PulseByte));
    unpackBits(
        byteAt(block, ColourSchemeByte),
        {m_form.pobOpcjaA, m_form.pobOpcjaB, m_form.pobOpcjaC, m_form.pobOpcjaD, m_form.pobOpcjaE});
    unpackBits(byteAt(block, LedBehaviourByte),
               {m_form.migoweSzybkie, m_form.migoweWolne, m_form.samokasowanieLed,
                m_form.migoweSzyIWolKasowanie});
    m_form.zanikPobudzenie->setCurrentIndex(
        bitSet(byteAt(block, TriggerByte), 0) ? TriggerOnAppearance : TriggerOnLoss);
    // The spin boxes round to their one decimal and clamp to the range of this firmware.
    m_form.opoznieniePojawienie->setValue(
        delaySeconds(byteAt(block, AppearanceHighByte), byteAt(block, AppearanceLowByte)));
    m_form.opoznienieZanik->setValue(
        delaySeconds(byteAt(block, DisappearanceHighByte), byteAt(block, DisappearanceLowByte)));
    AktualizacjaWidokuProgramu();
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
    m_form.zanikPobudzenie->setCurrentIndex(TriggerOnLoss);
    m_form.opoznieniePojawienie->setValue(DefaultDelaySeconds);
    m_form.opoznienieZanik->setValue(DefaultDelaySeconds);

    // Relay 1 latches until reset, relay 2 does not reset on permanent disturbances.
    for (QCheckBox *box : {m_form.migoweSzybkie, m_form.migoweWolne, m_form.pobOpcjaB,
                           m_form.pk1.doSkasowania, m_form.pk2.brakKasowania})
        box->setChecked(true);
    for (QCheckBox *box :
         {m_form.samokasowanieLed, m_form.migoweSzyIWolKasowanie, m_form.pobOpcjaA,
          m_form.pobOpcjaC, m_form.pobOpcjaD, m_form.pobOpcjaE, m_form.pk1.brakKasowania,
          m_form.pk1.trwale, m_form.pk1.impulsowy, m_form.pk1.inwersja, m_form.pk2.doSkasowania,
          m_form.pk2.trwale, m_form.pk2.impulsowy, m_form.pk2.inwersja})
        box->setChecked(false);
    m_form.pk1.impulsT->setValue(DefaultPulseSeconds);
    m_form.pk2.impulsT->setValue(DefaultPulseSeconds);
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

quint8 GaPage::relayBits(const Relay &relay)
{
    return packBits(
        {relay.doSkasowania, relay.brakKasowania, relay.trwale, relay.impulsowy, relay.inwersja});
}

void GaPage::applyRelay(const Relay &relay, quint8 bits, quint8 pulseSeconds)
{
    unpackBits(bits, {relay.doSkasowania, relay.brakKasowania, relay.trwale, relay.impulsowy,
                      relay.inwersja});
    relay.impulsT->setValue(pulseSeconds);
}
