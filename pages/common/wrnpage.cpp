#include "pages/common/wrnpage.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QSpinBox>

#include <algorithm>
#include <array>

namespace {

// A colour field has one bit per primary colour, green lowest.
constexpr quint8 Green = 0x1;
constexpr quint8 Red = 0x2;
constexpr quint8 Blue = 0x4;
constexpr quint8 ColourMask = Green | Red | Blue;

// In the order of the colour combo boxes' items.
constexpr std::array<quint8, 5> ColourCodes = {Green | Red | Blue, Red, Blue, Green, Green | Red};

constexpr int ExcitedShift = 1;
constexpr int AfterResetShift = 4;

constexpr int DefaultDelayMs = 100;
constexpr int DefaultExcitedColour = 1;    // red
constexpr int DefaultAfterResetColour = 4; // yellow

// Positions in the frame of channels 1 and 2.
constexpr int FlagsByte = 2;
constexpr int FirstLedByte = 3;
constexpr int SecondLedByte = 4;
constexpr int FirstPickUpByte = 5;
constexpr int FirstDropOutByte = 6;
constexpr int SecondPickUpByte = 7;
constexpr int SecondDropOutByte = 8;
constexpr int FirstPulseTimeByte = 9;
constexpr int SecondPulseTimeByte = 10;

constexpr int SelfResetBit = 0;

quint8 colourCode(const QComboBox *combo)
{
    const int index = combo->currentIndex();
    if (index < 0 || index >= static_cast<int>(ColourCodes.size()))
        return 0;
    return ColourCodes[static_cast<std::size_t>(index)];
}

void selectColour(QComboBox *combo, quint8 code)
{
    const auto found = std::find(ColourCodes.begin(), ColourCodes.end(), code);
    if (found != ColourCodes.end())
        combo->setCurrentIndex(static_cast<int>(found - ColourCodes.begin()));
}

} // namespace

WrnPage::WrnPage(QWidget *parent) : DevicePage(parent) {}

void WrnPage::setFirstChannels(const Channel &first, const Channel &second)
{
    m_first = first;
    m_second = second;
}

QByteArray WrnPage::encodeFirstChannels() const
{
    const auto ledByte = [](const Led &led) {
        return static_cast<quint8>(packBits({led.selfReset}) |
                                   colourBits(led.excited, led.afterReset));
    };

    QByteArray frame = Frame::configFrame();
    frame[FlagsByte] = static_cast<char>(
        packBits({m_first.input.inversion, m_second.input.inversion, m_first.relay.inversion,
                  m_first.relay.latched, m_first.relay.pulse, m_second.relay.inversion,
                  m_second.relay.latched, m_second.relay.pulse}));
    frame[FirstLedByte] = static_cast<char>(ledByte(m_first.led));
    frame[SecondLedByte] = static_cast<char>(ledByte(m_second.led));
    frame[FirstPickUpByte] = static_cast<char>(delayUnits(m_first.input.pickUp));
    frame[FirstDropOutByte] = static_cast<char>(delayUnits(m_first.input.dropOut));
    frame[SecondPickUpByte] = static_cast<char>(delayUnits(m_second.input.pickUp));
    frame[SecondDropOutByte] = static_cast<char>(delayUnits(m_second.input.dropOut));
    frame[FirstPulseTimeByte] = static_cast<char>(m_first.relay.pulseTime->value());
    frame[SecondPulseTimeByte] = static_cast<char>(m_second.relay.pulseTime->value());
    return frame;
}

void WrnPage::decodeFirstChannels(const QByteArray &block)
{
    const auto setLed = [](quint8 value, const Led &led) {
        led.selfReset->setChecked(bitSet(value, SelfResetBit));
        setColours(value, led.excited, led.afterReset);
    };

    // Latching and pulse boxes interlock on the two-channel relay, so they must be applied
    // in bit order: a pulse bit wins over the latching bit set just before it.
    unpackBits(byteAt(block, FlagsByte),
               {m_first.input.inversion, m_second.input.inversion, m_first.relay.inversion,
                m_first.relay.latched, m_first.relay.pulse, m_second.relay.inversion,
                m_second.relay.latched, m_second.relay.pulse});
    setLed(byteAt(block, FirstLedByte), m_first.led);
    setLed(byteAt(block, SecondLedByte), m_second.led);
    setDelayUnits(m_first.input.pickUp, byteAt(block, FirstPickUpByte));
    setDelayUnits(m_first.input.dropOut, byteAt(block, FirstDropOutByte));
    setDelayUnits(m_second.input.pickUp, byteAt(block, SecondPickUpByte));
    setDelayUnits(m_second.input.dropOut, byteAt(block, SecondDropOutByte));
    m_first.relay.pulseTime->setValue(byteAt(block, FirstPulseTimeByte));
    m_second.relay.pulseTime->setValue(byteAt(block, SecondPulseTimeByte));
}

quint8 WrnPage::colourBits(const QComboBox *excited, const QComboBox *afterReset)
{
    return static_cast<quint8>(colourCode(excited) << ExcitedShift | colourCode(afterReset)
                                                                         << AfterResetShift);
}

void WrnPage::setColours(quint8 value, QComboBox *excited, QComboBox *afterReset)
{
    selectColour(excited, (value >> ExcitedShift) & ColourMask);
    selectColour(afterReset, (value >> AfterResetShift) & ColourMask);
}

quint8 WrnPage::delayUnits(const QSpinBox *delay)
{
    return delayToByte(delay->value());
}

void WrnPage::setDelayUnits(QSpinBox *delay, quint8 units)
{
    delay->setValue(delayFromByte(units));
}

void WrnPage::loadInputDefaults(const Input &input)
{
    input.inversion->setChecked(false);
    input.pickUp->setValue(DefaultDelayMs);
    input.dropOut->setValue(DefaultDelayMs);
}

void WrnPage::loadLedDefaults(const Led &led, bool selfReset)
{
    led.selfReset->setChecked(selfReset);
    led.excited->setCurrentIndex(DefaultExcitedColour);
    led.afterReset->setCurrentIndex(DefaultAfterResetColour);
}
