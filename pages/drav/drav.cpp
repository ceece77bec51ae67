#include "pages/drav/drav.h"
#include "ui_drav.h"

#include "protocol/frames.h"

DRAV::DRAV(QWidget *parent) : DevicePage(parent), ui(new Ui::DRAV)
{
    ui->setupUi(this);
    setupCommon(ui->wersja);
}

DRAV::~DRAV()
{
    delete ui;
}

QByteArray DRAV::encodeConfig() const
{
    return Frame::configFrame();
}

void DRAV::decodeConfig(const QByteArray &) {}
