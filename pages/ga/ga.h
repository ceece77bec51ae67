#pragma once

#include "pages/common/gapage.h"

namespace Ui {
class ga;
}

// Configuration page of the GA-1 signalling relay.
class ga : public GaPage
{
    Q_OBJECT

public:
    explicit ga(QWidget *parent = nullptr);
    ~ga() override;

signals:
    void WyslijDaneGA();
    void PobierzDaneZGA();
    void PowrotPoczatekGA();
    void ProbaLEDGA();

private slots:
    void on_ZapiszGA_clicked();
    void on_rozlaczGA_clicked();
    void on_DZGA_clicked();
    void on_DTRGA_clicked();
    void on_Domyslne_clicked();
    void on_pLEDGA_clicked();

private:
    Ui::ga *ui;
};
