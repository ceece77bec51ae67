#include "pages/common/wrnpage.h"

#include "protocol/bytes.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QSpinBox>

namespace {

WrnLedColours::Colour colourOf(const QComboBox *combo)
{
    const int index = combo->currentIndex();
    if (index < WrnLedColours::White || index > WrnLedColours::Yellow)
        return WrnLedColours::Unnamed;
    return static_cast<WrnLedColours::Colour>(index);
}

void selectColour(QComboBox *combo, WrnLedColours::Colour colour)
{
    if (colour != WrnLedColours::Unnamed)
        combo->setCurrentIndex(colour);
}

} // namespace

WrnPage::WrnPage(QWidget *parent) : DevicePage(parent) {}

void WrnPage::setFirstChannels(const Channel &first, const Channel &second)
{
    m_first = first;
    m_second = second;
    snapDelaysToSteps(m_first.input);
    snapDelaysToSteps(m_second.input);
}

Wrn1Config WrnPage::firstChannels() const
{
    return {channelOf(m_first), channelOf(m_second)};
}

void WrnPage::applyFirstChannels(const Wrn1Config &config)
{
    const auto applyLed = [](const WrnChannel &channel, const Led &led) {
        led.selfReset->setChecked(channel.ledSelfReset);
        applyColours(channel.colours, led);
    };

    // Latching and pulse boxes interlock on the two-channel relay, so they are set in bit
    // order: a pulse bit wins over the latching bit set just before it.
    m_first.input.inversion->setChecked(config.first.inputInverted);
    m_second.input.inversion->setChecked(config.second.inputInverted);
    m_first.relay.inversion->setChecked(config.first.relayInverted);
    m_first.relay.latched->setChecked(config.first.latched);
    m_first.relay.pulse->setChecked(config.first.pulse);
    m_second.relay.inversion->setChecked(config.second.relayInverted);
    m_second.relay.latched->setChecked(config.second.latched);
    m_second.relay.pulse->setChecked(config.second.pulse);
    applyLed(config.first, m_first.led);
    applyLed(config.second, m_second.led);
    applyDelays(config.first, m_first.input);
    applyDelays(config.second, m_second.input);
    showValue(m_first.relay.pulseTime, config.first.pulseSeconds);
    showValue(m_second.relay.pulseTime, config.second.pulseSeconds);
}

WrnChannel WrnPage::channelOf(const Channel &widgets)
{
    WrnChannel channel;
    channel.inputInverted = widgets.input.inversion->isChecked();
    channel.pickUpSteps = delayToByte(widgets.input.pickUp->value());
    channel.dropOutSteps = delayToByte(widgets.input.dropOut->value());
    channel.relayInverted = widgets.relay.inversion->isChecked();
    channel.latched = widgets.relay.latched->isChecked();
    channel.pulse = widgets.relay.pulse->isChecked();
    channel.pulseSeconds = static_cast<quint8>(widgets.relay.pulseTime->value());
    channel.ledSelfReset = widgets.led.selfReset->isChecked();
    channel.colours = {colourOf(widgets.led.excited), colourOf(widgets.led.afterReset)};
    return channel;
}

void WrnPage::applyColours(const WrnLedColours &colours, const Led &led)
{
    selectColour(led.excited, colours.excited);
    selectColour(led.afterReset, colours.afterReset);
}

// A delay of 0 steps is below what the device accepts; the spin box shows its minimum.
void WrnPage::applyDelays(const WrnChannel &channel, const Input &input)
{
    showValue(input.pickUp, delayFromByte(channel.pickUpSteps));
    showValue(input.dropOut, delayFromByte(channel.dropOutSteps));
}

void WrnPage::snapDelaysToSteps(const Input &input)
{
    snapToStep(input.pickUp);
    snapToStep(input.dropOut);
}
