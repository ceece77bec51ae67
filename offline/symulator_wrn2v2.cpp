#include "offline/symulator_wrn2v2.h"
#include "ui_symulator_wrn2v2.h"

#include "pages/common/picturewhenshown.h"

namespace {
// Each LED is a stacked widget whose page is its colour.
enum LedPage
{
    Yellow = 0,
    Off = 1,
    Red = 2,
};
} // namespace

symulator_wrn2v2::symulator_wrn2v2(QWidget *parent) : QWidget(parent), ui(new Ui::symulator_wrn2v2)
{
    ui->setupUi(this);
    PictureWhenShown::installOn(this);
}

symulator_wrn2v2::~symulator_wrn2v2()
{
    delete ui;
}

// A dropped input leaves a red LED red: the signal is held until it is reset.
void symulator_wrn2v2::inputChanged(QStackedWidget *led, int state)
{
    if (state != Qt::Unchecked)
        led->setCurrentIndex(Red);
    else if (led->currentIndex() == Yellow)
        led->setCurrentIndex(Off);
}

void symulator_wrn2v2::reset(const QAbstractButton *input, QStackedWidget *led)
{
    led->setCurrentIndex(input->isChecked() ? Yellow : Off);
}

void symulator_wrn2v2::on_NapieciWe1_stateChanged(int arg1)
{
    inputChanged(ui->LED1Kolor, arg1);
}

// The reset acts on the moment it is switched on; releasing it changes nothing.
void symulator_wrn2v2::on_Kasowanie_stateChanged(int arg1)
{
    if (arg1 == Qt::Unchecked)
        return;
    reset(ui->NapieciWe1, ui->LED1Kolor);
    reset(ui->NapieciWe2, ui->LED2Kolor);
    reset(ui->NapieciWe3, ui->LED3Kolor);
}

void symulator_wrn2v2::on_NapieciWe2_stateChanged(int arg1)
{
    inputChanged(ui->LED2Kolor, arg1);
}

void symulator_wrn2v2::on_NapieciWe3_stateChanged(int arg1)
{
    inputChanged(ui->LED3Kolor, arg1);
}
