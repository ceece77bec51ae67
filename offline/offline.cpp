#include "offline/offline.h"
#include "ui_offline.h"

#include "pages/common/accessibility.h"
#include "pages/common/disabledpictureeffect.h"

Offline::Offline(QWidget *parent) : QWidget(parent), ui(new Ui::Offline)
{
    ui->setupUi(this);
    nameButtonsFromToolTips(this);
    DisabledPictureEffect::installOnPictureButtons(this);
}

Offline::~Offline()
{
    delete ui;
}

// The list shows exactly the ports present now; a port the engineer had chosen stays chosen
// while it is still there.
void Offline::updateTesterPorts(const QStringList &names)
{
    const QString chosen = ui->TesterPorty->currentText();
    ui->TesterPorty->clear();
    ui->TesterPorty->addItems(names);
    ui->TesterPorty->setCurrentIndex(qMax(0, ui->TesterPorty->findText(chosen)));
}

void Offline::on_KZROffline_clicked()
{
    m_chosenModel = KzrModel;
    emit KZROfflineSignal();
}

void Offline::on_TLMXOffline_clicked()
{
    m_chosenModel = TlmxModel;
    emit TLMXOfflineSignal();
}

void Offline::on_GAOffline_clicked()
{
    m_chosenModel = GaModel;
    emit GAOfflineSignal();
}

void Offline::on_WRNOffline_clicked()
{
    m_chosenModel = Wrn1Model;
    emit WRNOfflineSignal();
}

void Offline::on_DRAVOffline_clicked()
{
    m_chosenModel = DravModel;
    emit DRAVOfflineSignal();
}

void Offline::on_WRN2Offline_clicked()
{
    m_chosenModel = Wrn2Model;
    emit WRN2OfflineSignal();
}

void Offline::on_Symulator_clicked()
{
    m_chosenModel = SimulatorModel;
    emit SymulatorSignal();
}

void Offline::on_GA1MIOffline_clicked()
{
    m_chosenModel = GamiModel;
    emit GAMIOfflineSignal();
}

void Offline::on_pushButton_clicked()
{
    m_chosenModel = BrtModel;
    emit BRTOfflineSignal();
}

void Offline::on_TesterComOdswierz_clicked()
{
    emit TesterPortyAktualizacja();
}

void Offline::on_TesterPolacz_clicked()
{
    m_testerPortName = ui->TesterPorty->currentText();
    emit TesterPolacz();
}
