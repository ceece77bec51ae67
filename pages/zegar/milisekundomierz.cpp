#include "pages/zegar/milisekundomierz.h"
#include "ui_milisekundomierz.h"

#include "protocol/frames.h"

Milisekundomierz::Milisekundomierz(QWidget *parent)
    : DevicePage(parent), ui(new Ui::Milisekundomierz)
{
    ui->setupUi(this);
    setupCommon(ui->wersja);
}

Milisekundomierz::~Milisekundomierz()
{
    delete ui;
}

QByteArray Milisekundomierz::encodeConfig() const
{
    return Frame::configFrame();
}

void Milisekundomierz::decodeConfig(const QByteArray &) {}
