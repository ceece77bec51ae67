#pragma once

#include "pages/common/devicepage.h"

#include <QByteArray>

namespace Ui {
class TesterKZR;
}

class TesterKZR : public DevicePage
{
    Q_OBJECT

public:
    explicit TesterKZR(QWidget *parent = nullptr);
    ~TesterKZR() override;

    QByteArray encodeConfig() const;
    void decodeConfig(const QByteArray &block);

signals:
    void WyslijDaneTesterKZR();
    void PobierzDaneZTesterKZR();
    void PowrotPoczatekTesterKZR();

private:
    Ui::TesterKZR *ui;
};
