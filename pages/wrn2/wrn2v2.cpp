#include "pages/wrn2/wrn2v2.h"
#include "ui_wrn2v2.h"

#include "protocol/frames.h"

wrn2v2::wrn2v2(QWidget *parent) : DevicePage(parent), ui(new Ui::wrn2v2)
{
    ui->setupUi(this);
    setupCommon(ui->wersja);
}

wrn2v2::~wrn2v2()
{
    delete ui;
}

QByteArray wrn2v2::encodeConfigPart1() const
{
    return Frame::configFrame();
}

QByteArray wrn2v2::encodeConfigPart2() const
{
    return Frame::configFramePart2();
}

void wrn2v2::decodeConfig(const QByteArray &) {}
