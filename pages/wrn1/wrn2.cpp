#include "pages/wrn1/wrn2.h"
#include "ui_wrn2.h"

#include "protocol/frames.h"

WRN2::WRN2(QWidget *parent) : DevicePage(parent), ui(new Ui::WRN2)
{
    ui->setupUi(this);
    setupCommon(ui->wersja);
}

WRN2::~WRN2()
{
    delete ui;
}

QByteArray WRN2::encodeConfig() const
{
    return Frame::configFrame();
}

void WRN2::decodeConfig(const QByteArray &) {}
