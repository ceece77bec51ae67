#pragma once

#include "pages/common/devicepage.h"

#include <QByteArray>

namespace Ui {
class BRT;
}

class BRT : public DevicePage
{
    Q_OBJECT

public:
    explicit BRT(QWidget *parent = nullptr);
    ~BRT() override;

    QByteArray encodeConfig() const;
    void decodeConfig(const QByteArray &block);

signals:
    void WyslijDaneBRT();
    void PobierzDaneZBRT();
    void PowrotPoczatekBRT();
    void ProbaLEDBRT();

private:
    Ui::BRT *ui;
};
