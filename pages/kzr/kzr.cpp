#include "pages/kzr/kzr.h"
#include "ui_kzr.h"

#include "protocol/frames.h"

KZR::KZR(QWidget *parent) : DevicePage(parent), ui(new Ui::KZR)
{
    ui->setupUi(this);
    setupCommon(ui->wersja);
}

KZR::~KZR()
{
    delete ui;
}

QByteArray KZR::encodeConfig() const
{
    return Frame::configFrame();
}

void KZR::decodeConfig(const QByteArray &) {}

void KZR::decodeView(const QByteArray &) {}

void KZR::setModelBanner(const QString &) {}
