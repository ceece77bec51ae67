#include "pages/tester/testerkzr.h"
#include "ui_testerkzr.h"

#include "protocol/frames.h"

TesterKZR::TesterKZR(QWidget *parent) : DevicePage(parent), ui(new Ui::TesterKZR)
{
    ui->setupUi(this);
    // The form has no version label, so the version the tester reports is not shown.
    setupCommon(nullptr);
}

TesterKZR::~TesterKZR()
{
    delete ui;
}

// Only the header is defined; the payload bytes stay 0 until the tester's data is specified.
QByteArray TesterKZR::encodeConfig() const
{
    return Frame::configFrame();
}

// The tester's reply carries nothing the form could show; the block is accepted and dropped.
void TesterKZR::decodeConfig(const QByteArray &) {}
