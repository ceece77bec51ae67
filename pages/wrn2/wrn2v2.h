#pragma once

#include "pages/common/wrnpage.h"

#include <QByteArray>

namespace Ui {
class wrn2v2;
}

// The three-channel WRN relay. Its configuration spans two frames: the first is the
// two-channel relay's frame, the second carries channel 3 and which input drives which relay.
class wrn2v2 : public WrnPage
{
    Q_OBJECT

public:
    explicit wrn2v2(QWidget *parent = nullptr);
    ~wrn2v2() override;

    QByteArray encodeConfigPart1() const;
    QByteArray encodeConfigPart2() const;
    // The reply is both frames back to back; a block that stops early reads as zeros.
    void decodeConfig(const QByteArray &block);

signals:
    void WyslijDaneWRN2();
    void PobierzDaneZWRN2();
    void ProbaLEDWRN2();
    void PowrotPoczatekWRN2();
    void KasowanieLEDWRN2();

private slots:
    void on_ZapiszWRN2_clicked();
    void on_DZWRN2_clicked();
    void on_DomyslneWRN2_clicked();
    void on_pLED_clicked();
    void on_rozlaczWRN2_clicked();
    void on_KASOWANIE_clicked();

private:
    Ui::wrn2v2 *ui;
    Channel m_third{};
};
