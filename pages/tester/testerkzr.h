#pragma once

#include "pages/common/devicepage.h"

#include <QByteArray>

namespace Ui {
class TesterKZR;
}

// The production tester's test plan: an automatic run of stages, a single test or a manual
// selection, and a panel of pass/fail indicators. The tester's own protocol is not defined
// yet, so the page is a form only: it carries no payload either way and shows no version.
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
