#pragma once

#include "pages/common/devicepage.h"

#include <QByteArray>

namespace Ui {
class DRAV;
}

class DRAV : public DevicePage
{
    Q_OBJECT

public:
    explicit DRAV(QWidget *parent = nullptr);
    ~DRAV() override;

    QByteArray encodeConfig() const;
    void decodeConfig(const QByteArray &block);

signals:
    void PowrotPoczatekDRAV();
    void WyslijDaneDRAV();
    void PobierzDaneZDRAV();
    void ProbaLED();

private:
    Ui::DRAV *ui;
};
