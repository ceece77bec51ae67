#pragma once

#include "codecs/dravconfig.h"
#include "pages/common/devicepage.h"

#include <QByteArray>

#include <array>

class QCheckBox;
class QSpinBox;

namespace Ui {
class DRAV;
}

// The three-track relay: per track a switch-off, LED latch, input and relay inversion, the
// relay's pick-up and drop-out delays, and supply signalling on the relay's LED.
class DRAV : public DevicePage
{
    Q_OBJECT

public:
    explicit DRAV(QWidget *parent = nullptr);
    ~DRAV() override;

    QByteArray encodeConfig() const;
    QByteArray configuration() const override { return encodeConfig(); }
    void decodeConfig(const QByteArray &block) override;

signals:
    void PowrotPoczatekDRAV();
    void WyslijDaneDRAV();
    void PobierzDaneZDRAV();
    void ProbaLED();

private slots:
    void on_rozlaczDRAV_clicked();
    void on_ZapiszDRAV_clicked();
    void on_pLED_clicked();
    void on_DZDRAV_clicked();
    void on_DomyslneDRAV_clicked();
    void on_DTRDRAV_clicked();

private:
    // The widgets of one track, in the order their options travel as bits.
    struct Track
    {
        QCheckBox *switchedOff;
        QCheckBox *inputInverted;
        QCheckBox *relayInverted;
        QCheckBox *ledLatched;
        QCheckBox *supplySignalled;
        QSpinBox *pickUpDelay;
        QSpinBox *dropOutDelay;
    };

    DravConfig currentConfig() const;
    void applyConfig(const DravConfig &config);

    Ui::DRAV *ui;
    std::array<Track, DravConfig::TrackCount> m_tracks;
};
