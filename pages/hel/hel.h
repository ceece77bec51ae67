#pragma once

#include "pages/common/devicepage.h"

#include <QByteArray>

namespace Ui {
class hel;
}

class hel : public DevicePage
{
    Q_OBJECT

public:
    explicit hel(QWidget *parent = nullptr);
    ~hel() override;

    QByteArray encodeConfig() const;

signals:
    void PowrotPoczatekHEL();
    void WyslijDaneHEL();
    void PobierzDaneZHEL();
    void ProbaLED();

private:
    Ui::hel *ui;
};
