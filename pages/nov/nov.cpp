#include "pages/nov/nov.h"
#include "ui_nov.h"

#include "protocol/frames.h"

nov::nov(QWidget *parent) : DevicePage(parent), ui(new Ui::nov)
{
    ui->setupUi(this);
    setupCommon(ui->wersja);
}

nov::~nov()
{
    delete ui;
}

QByteArray nov::encodeConfig() const
{
    return Frame::configFrame();
}

void nov::decodeConfig(const QByteArray &) {}
