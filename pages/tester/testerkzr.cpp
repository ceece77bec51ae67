#include "pages/tester/testerkzr.h"
#include "ui_testerkzr.h"

#include "codecs/testerconfig.h"

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

// The form's test plan is not part of the tester's data yet.
QByteArray TesterKZR::encodeConfig() const
{
    return TesterConfig().encode();
}

// The tester's reply carries nothing the form could show; the block is accepted and dropped.
void TesterKZR::decodeConfig(const QByteArray &) {}
