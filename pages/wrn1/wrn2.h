#pragma once

#include "pages/common/devicepage.h"

#include <QByteArray>

namespace Ui {
class WRN2;
}

class WRN2 : public DevicePage
{
    Q_OBJECT

public:
    explicit WRN2(QWidget *parent = nullptr);
    ~WRN2() override;

    QByteArray encodeConfig() const;
    void decodeConfig(const QByteArray &block);

signals:
    void WyslijDaneWRN();
    void PobierzDaneZWRN();
    void PowrotPoczatekWRN();
    void ProbaLED();
    void KasowanieLEDWRN();

private:
    Ui::WRN2 *ui;
};
