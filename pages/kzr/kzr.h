#pragma once

#include "pages/common/devicepage.h"

#include <QByteArray>

namespace Ui {
class KZR;
}

class KZR : public DevicePage
{
    Q_OBJECT

public:
    explicit KZR(QWidget *parent = nullptr);
    ~KZR() override;

    QByteArray encodeConfig() const;
    void decodeConfig(const QByteArray &block);
    void decodeView(const QByteArray &block);
    void setModelBanner(const QString &code);

signals:
    void PowrotPoczatek();
    void WyslijDaneKZR();
    void PobierzDaneZKZR();
    void WidokZalaczonyKZR();
    void OdblokujZProgramu();

private:
    Ui::KZR *ui;
};
