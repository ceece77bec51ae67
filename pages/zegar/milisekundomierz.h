#pragma once

#include "pages/common/devicepage.h"

#include <QByteArray>

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
    void decodeConfig(const QByteArray &block);

signals:
    void PowrotPoczatekZEGAR();
    void WyslijDaneZEGAR();
    void PobierzDaneZZEGAR();
    void ProbaLEDZEGAR();

private:
    Ui::Milisekundomierz *ui;
};
