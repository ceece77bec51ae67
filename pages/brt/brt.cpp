#include "pages/brt/brt.h"
#include "ui_brt.h"

#include "protocol/frames.h"

BRT::BRT(QWidget *parent) : DevicePage(parent), ui(new Ui::BRT)
{
    ui->setupUi(this);
    setupCommon(ui->wersja);
}

BRT::~BRT()
{
    delete ui;
}

QByteArray BRT::encodeConfig() const
{
    return Frame::configFrame();
}

void BRT::decodeConfig(const QByteArray &) {}
