#include "pages/tester/testerkzr.h"
#include "ui_testerkzr.h"

#include "protocol/frames.h"

TesterKZR::TesterKZR(QWidget *parent) : DevicePage(parent), ui(new Ui::TesterKZR)
{
    ui->setupUi(this);
    setupCommon(ui->wersja);
}

TesterKZR::~TesterKZR()
{
    delete ui;
}

QByteArray TesterKZR::encodeConfig() const
{
    return Frame::configFrame();
}

void TesterKZR::decodeConfig(const QByteArray &) {}
