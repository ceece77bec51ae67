#pragma once

#include "pages/common/devicepage.h"

#include <QByteArray>

namespace Ui {
class gami;
}

class gami : public DevicePage
{
    Q_OBJECT

public:
    explicit gami(QWidget *parent = nullptr);
    ~gami() override;

    QByteArray encodeConfig() const;
    void decodeConfig(const QByteArray &block);
    void setRangeVariant(const QString &variant);

signals:
    void WyslijDaneGAMI();
    void PobierzDaneZGAMI();
    void PowrotPoczatekGAMI();
    void ProbaLEDGAMI();

private:
    Ui::gami *ui;
};
