#include "pages/gami/gami.h"
#include "ui_gami.h"

namespace {
const char *const ManualPath = "/wp-content/uploads/2021/07/DTR_GA-1_MI.pdf";
}

gami::gami(QWidget *parent) : GaPage(parent), ui(new Ui::gami)
{
    ui->setupUi(this);
    setupCommon(ui->wersja);
    bindForm(widgetsOf(ui));
}

gami::~gami()
{
    delete ui;
}

void gami::on_ZapiszGAMI_clicked()
{
    emit WyslijDaneGAMI();
}

void gami::on_rozlaczGAMI_clicked()
{
    emit PowrotPoczatekGAMI();
    close();
}

void gami::on_DZGAMI_clicked()
{
    emit PobierzDaneZGAMI();
}

void gami::on_DTRGAMI_clicked()
{
    openDocumentation(QLatin1String(ManualPath));
}

void gami::on_DomyslneGAMI_clicked()
{
    loadDefaults();
}

void gami::on_pLEDGAMI_clicked()
{
    emit ProbaLEDGAMI();
}
