#include "offline/symulator_wrn2v2.h"
#include "ui_symulator_wrn2v2.h"

symulator_wrn2v2::symulator_wrn2v2(QWidget *parent) : QWidget(parent), ui(new Ui::symulator_wrn2v2)
{
    ui->setupUi(this);
}

symulator_wrn2v2::~symulator_wrn2v2()
{
    delete ui;
}
