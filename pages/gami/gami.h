#pragma once

#include "pages/common/gapage.h"

namespace Ui {
class gami;
}

// Configuration page of the GA-1 MI, the variant of the GA-1 whose delays may be zero.
class gami : public GaPage
{
    Q_OBJECT

public:
    explicit gami(QWidget *parent = nullptr);
    ~gami() override;

signals:
    void WyslijDaneGAMI();
    void PobierzDaneZGAMI();
    void PowrotPoczatekGAMI();
    void ProbaLEDGAMI();

private slots:
    void on_ZapiszGAMI_clicked();
    void on_rozlaczGAMI_clicked();
    void on_DZGAMI_clicked();
    void on_DTRGAMI_clicked();
    void on_DomyslneGAMI_clicked();
    void on_pLEDGAMI_clicked();

private:
    Ui::gami *ui;
};
