#pragma once

#include "pages/common/devicepage.h"

#include <QByteArray>

namespace Ui {
class wrn2v2;
}

class wrn2v2 : public DevicePage
{
    Q_OBJECT

public:
    explicit wrn2v2(QWidget *parent = nullptr);
    ~wrn2v2() override;

    QByteArray encodeConfigPart1() const;
    QByteArray encodeConfigPart2() const;
    void decodeConfig(const QByteArray &block);

signals:
    void WyslijDaneWRN2();
    void PobierzDaneZWRN2();
    void ProbaLEDWRN2();
    void PowrotPoczatekWRN2();
    void KasowanieLEDWRN2();

private:
    Ui::wrn2v2 *ui;
};
