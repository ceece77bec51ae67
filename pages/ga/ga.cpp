#include "pages/ga/ga.h"
#include "ui_ga.h"

namespace {
const char *const ManualPath = "/wp-content/uploads/2021/07/DTR_GA-1.pdf";
}

ga::ga(QWidget *parent) : GaPage(parent), ui(new Ui::ga)
{
    ui->setupUi(this);
    setupCommon(ui->wersja);
    bindForm(widgetsOf(ui));
}

ga::~ga()
{
    delete ui;
}

void ga::on_ZapiszGA_clicked()
{
    emit WyslijDaneGA();
}

void ga::on_rozlaczGA_clicked()
{
    emit PowrotPoczatekGA();
    close();
}

void ga::on_DZGA_clicked()
{
    emit PobierzDaneZGA();
}

void ga::on_DTRGA_clicked()
{
    openDocumentation(QLatin1String(ManualPath));
}

void ga::on_Domyslne_clicked()
{
    loadDefaults();
}

void ga::on_pLEDGA_clicked()
{
    emit ProbaLEDGA();
}
