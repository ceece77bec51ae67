#pragma once

#include "pages/common/devicepage.h"

#include <QByteArray>

namespace Ui {
class ga;
}

class ga : public DevicePage
{
    Q_OBJECT

public:
    explicit ga(QWidget *parent = nullptr);
    ~ga() override;

    QByteArray encodeConfig() const;
    void decodeConfig(const QByteArray &block);
    void setRangeVariant(const QString &variant);

signals:
    void WyslijDaneGA();
    void PobierzDaneZGA();
    void PowrotPoczatekGA();
    void ProbaLEDGA();

private:
    Ui::ga *ui;
};
