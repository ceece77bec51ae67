#pragma once

#include "codecs/wrn2config.h"
#include "pages/common/wrnpage.h"

#include <QByteArray>

class QCheckBox;

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
    QByteArray configuration() const override { return encodeConfigPart1() + encodeConfigPart2(); }
    // The reply is both frames back to back. A block that lost the second frame sets
    // channels 1 and 2 only; channel 3 and the matrix keep what the form shows.
    void decodeConfig(const QByteArray &block) override;

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
    using Matrix = std::array<std::array<QCheckBox *, Wrn2Config::Channels>, Wrn2Config::Channels>;

    Wrn2Config currentConfig() const;
    // Channel 3 and the matrix, in the order of the second frame.
    void applyPart2(const Wrn2Config &config);

    Ui::wrn2v2 *ui;
    Channel m_third{};
    // m_drives[input][relay]
    Matrix m_drives{};
};
