#include "pages/ga/ga.h"
#include "ui_ga.h"

#include "protocol/frames.h"

ga::ga(QWidget *parent) : DevicePage(parent), ui(new Ui::ga)
{
    ui->setupUi(this);
    setupCommon(ui->wersja);
}

ga::~ga()
{
    delete ui;
}

QByteArray ga::encodeConfig() const
{
    return Frame::configFrame();
}

void ga::decodeConfig(const QByteArray &) {}

void ga::setRangeVariant(const QString &) {}
