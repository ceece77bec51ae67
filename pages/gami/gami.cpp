#include "pages/gami/gami.h"
#include "ui_gami.h"

#include "protocol/frames.h"

gami::gami(QWidget *parent) : DevicePage(parent), ui(new Ui::gami)
{
    ui->setupUi(this);
    setupCommon(ui->wersja);
}

gami::~gami()
{
    delete ui;
}

QByteArray gami::encodeConfig() const
{
    return Frame::configFrame();
}

void gami::decodeConfig(const QByteArray &) {}

void gami::setRangeVariant(const QString &) {}
