#pragma once

#include "pages/common/devicepage.h"

#include <QByteArray>

namespace Ui {
class nov;
}

class nov : public DevicePage
{
    Q_OBJECT

public:
    explicit nov(QWidget *parent = nullptr);
    ~nov() override;

    QByteArray encodeConfig() const;
    QByteArray configuration() const override { return encodeConfig(); }
    void decodeConfig(const QByteArray &block) override;

signals:
    void WyslijDaneNOV();
    void PobierzDaneZNOV();
    void PowrotPoczatekNOV();
    void ProbaLEDNOV();

private slots:
    void on_ZapiszNOV_clicked();
    void on_DZNOV_clicked();
    void on_pLED_clicked();
    void on_rozlaczNOV_clicked();

private:
    Ui::nov *ui;
};
