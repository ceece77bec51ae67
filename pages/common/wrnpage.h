#pragma once

#include "codecs/wrn1config.h"
#include "pages/common/devicepage.h"

class QAbstractButton;
class QComboBox;
class QSpinBox;

// The relays of the WRN family describe their first two channels alike: the two-channel
// relay sends them as its whole configuration, the three-channel one as the first of its two
// frames. Both pages derive from this so channels 1 and 2 map to the form in one place.
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

    Wrn1Config firstChannels() const;
    // Sets channels 1 and 2 in frame order: every flag of both, then the LEDs, the delays and
    // the pulse times.
    void applyFirstChannels(const Wrn1Config &config);

    static WrnChannel channelOf(const Channel &widgets);
    // A colour that names none of the listed ones leaves its combo box as it is.
    static void applyColours(const WrnLedColours &colours, const Led &led);
    static void applyDelays(const WrnChannel &channel, const Input &input);
    // Typed delays between two steps would show one value and send another.
    static void snapDelaysToSteps(const Input &input);

private:
    Channel m_first{};
    Channel m_second{};
};
