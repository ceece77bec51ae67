#pragma once

#include "pages/common/devicepage.h"

#include <QByteArray>
#include <QList>

class QAbstractButton;
class ZegarConfig;

namespace Ui {
class Milisekundomierz;
}

class Milisekundomierz : public DevicePage
{
    Q_OBJECT

public:
    explicit Milisekundomierz(QWidget *parent = nullptr);
    ~Milisekundomierz() override;

    QByteArray encodeConfig() const;
    QByteArray configuration() const override { return encodeConfig(); }
    void decodeConfig(const QByteArray &block) override;

signals:
    void PowrotPoczatekZEGAR();
    void WyslijDaneZEGAR();
    void PobierzDaneZZEGAR();
    void ProbaLEDZEGAR();

private slots:
    void on_rozlaczZEGAR_clicked();
    void on_ZapiszZEGAR_clicked();
    void on_pLED_clicked();
    void on_DZZEGAR_clicked();
    void on_DomyslneZEGAR_clicked();
    void on_MSTP1_stateChanged(int state);
    void on_MSTP2_stateChanged(int state);
    void on_MSTP3_stateChanged(int state);
    void on_MSTP4_stateChanged(int state);
    void on_MSTP5_stateChanged(int state);
    void on_MSTP6_stateChanged(int state);
    void on_DTRZEGAR_clicked();

private:
    // The work-mode boxes in the order of their bits in the frame (E before AUTO).
    QList<QAbstractButton *> modeBoxes() const;
    void applyConfig(const ZegarConfig &config);
    void keepOnlyMode(QAbstractButton *ticked, int state);

    Ui::Milisekundomierz *ui;
};
