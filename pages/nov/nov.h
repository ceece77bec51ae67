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
    void decodeConfig(const QByteArray &block);

signals:
    void WyslijDaneNOV();
    void PobierzDaneZNOV();
    void PowrotPoczatekNOV();
    void ProbaLEDNOV();

private:
    Ui::nov *ui;
};
