#pragma once

#include "codecs/helconfig.h"
#include "pages/common/devicepage.h"

#include <QByteArray>

class QSpinBox;

namespace Ui {
class hel;
}

// The time relay: an operating mode, input and relay inversions, and the times the mode
// uses. The device is only written to; it does not report its configuration back, so a
// configuration loaded into the form comes from a settings file.
class hel : public DevicePage
{
    Q_OBJECT

public:
    explicit hel(QWidget *parent = nullptr);
    ~hel() override;

    QByteArray encodeConfig() const;
    QByteArray configuration() const override { return encodeConfig(); }
    // A frame the program wrote. The time its mode does not send is cleared.
    void decodeConfig(const QByteArray &block) override;

signals:
    void PowrotPoczatekHEL();
    void WyslijDaneHEL();
    void PobierzDaneZHEL();
    void ProbaLED();

private slots:
    void on_ZapiszHEL_clicked();
    void on_rozlaczHEL_clicked();

private:
    // One row of the times group.
    struct Duration
    {
        QSpinBox *days;
        QSpinBox *hours;
        QSpinBox *minutes;
        QSpinBox *seconds;
        QSpinBox *milliseconds;
    };

    static HelConfig::Time timeOf(const Duration &duration);
    static void showTime(const HelConfig::Time &time, const Duration &duration);

    Ui::hel *ui;
    Duration m_pickUpDelay;
    Duration m_dropOutDelay;
    Duration m_pulseTime;
};
