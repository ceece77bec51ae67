#pragma once

#include "pages/common/devicepage.h"

#include <QByteArray>

class QAbstractButton;
class QComboBox;
class QSpinBox;

// The relays of the WRN family describe their first two channels with one frame: the
// two-channel relay sends it as its whole configuration, the three-channel one as the first
// of its two frames. Both pages derive from this so the frame is built in one place.
class WrnPage : public DevicePage
{
    Q_OBJECT

public:
    explicit WrnPage(QWidget *parent = nullptr);

protected:
    struct Input
    {
        QAbstractButton *inversion;
        QSpinBox *pickUp;
        QSpinBox *dropOut;
    };
    struct Relay
    {
        QAbstractButton *inversion;
        QAbstractButton *latched;
        QAbstractButton *pulse;
        QSpinBox *pulseTime;
    };
    struct Led
    {
        QAbstractButton *selfReset;
        QComboBox *excited;
        QComboBox *afterReset;
    };
    struct Channel
    {
        Input input;
        Relay relay;
        Led led;
    };

    // Both forms name the widgets of channels 1 and 2 alike; call once after the form is built.
    template <typename Form> void setFirstChannelsOf(const Form *ui)
    {
        setFirstChannels(
            {{ui->We1Inwersja, ui->We1Pobudzenie, ui->We1Zanik},
             {ui->PK1Inwersja, ui->PK1DoSkasowania, ui->PK1DzialanieImpulsowe, ui->PK1tImpulsu},
             {ui->LED1Samokasowanie, ui->LED1KolorPobudzenia, ui->LED1KolorKasowanie}},
            {{ui->We2Inwersja, ui->We2Pobudzenie, ui->We2Zanik},
             {ui->PK2Inwersja, ui->PK2DoSkasowania, ui->PK2DzialanieImpulsowe, ui->PK2tImpulsu},
             {ui->LED2Samokasowanie, ui->LED2KolorPobudzenia, ui->LED2KolorKasowanie}});
    }
    void setFirstChannels(const Channel &first, const Channel &second);
    const Channel &firstChannel() const { return m_first; }
    const Channel &secondChannel() const { return m_second; }

    // The 14-byte frame of channels 1 and 2.
    QByteArray encodeFirstChannels() const;
    // Reads channels 1 and 2 from bytes 2-10 of a received block, in frame order.
    void decodeFirstChannels(const QByteArray &block);

    // An LED's two colours in bits 1-3 and 4-6 of a byte; the other bits are the caller's.
    static quint8 colourBits(const QComboBox *excited, const QComboBox *afterReset);
    // A field that names none of the listed colours leaves its combo box as it is.
    static void setColours(quint8 value, QComboBox *excited, QComboBox *afterReset);

    // Delays travel as one byte counting 100 ms steps.
    static quint8 delayUnits(const QSpinBox *delay);
    static void setDelayUnits(QSpinBox *delay, quint8 units);

    // What the defaults of both models give an input and an LED; the models differ only in
    // whether their LEDs reset themselves.
    static void loadInputDefaults(const Input &input);
    static void loadLedDefaults(const Led &led, bool selfReset);
    static constexpr int DefaultPulseSeconds = 3;

private:
    Channel m_first{};
    Channel m_second{};
};
