#include "pages/hel/hel.h"
#include "ui_hel.h"

#include "protocol/frames.h"

hel::hel(QWidget *parent) : DevicePage(parent), ui(new Ui::hel)
{
    ui->setupUi(this);
    setupCommon(ui->wersja);
}

hel::~hel()
{
    delete ui;
}

QByteArray hel::encodeConfig() const
{
    return Frame::configFrame();
}
