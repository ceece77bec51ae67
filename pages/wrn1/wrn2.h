#pragma once

#include "pages/common/wrnpage.h"

#include <QByteArray>

namespace Ui {
class WRN2;
}

// The two-channel WRN relay: two inputs, two output relays, two two-colour LEDs.
class WRN2 : public WrnPage
{
    Q_OBJECT

public:
    explicit WRN2(QWidget *parent = nullptr);
    ~WRN2() override;

    QByteArray encodeConfig() const;
    QByteArray configuration() const override { return encodeConfig(); }
    void decodeConfig(const QByteArray &block) override;

signals:
    void WyslijDaneWRN();
    void PobierzDaneZWRN();
    void PowrotPoczatekWRN();
    void ProbaLED();
    void KasowanieLEDWRN();

private slots:
    void on_ZapiszWRN_clicked();
    void on_rozlaczWRN_clicked();
    void on_pLED_clicked();
    void on_DZWRN_clicked();
    void on_DTRWRN_clicked();
    void on_DomyslneWRN_clicked();
    void on_PK1DoSkasowania_stateChanged(int arg1);
    void on_PK1DzialanieImpulsowe_stateChanged(int arg1);
    void on_PK2DoSkasowania_stateChanged(int arg1);
    void on_PK2DzialanieImpulsowe_stateChanged(int arg1);
    void on_KASOWANIE_clicked();

private:
    Ui::WRN2 *ui;
};
