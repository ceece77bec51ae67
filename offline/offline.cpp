#include "offline/offline.h"
#include "ui_offline.h"

#include "pages/common/accessibility.h"

namespace {
// A refresh drops at most this many entries from the top of the tester port list before it
// appends the names found; the tester adapters are expected to be few.
constexpr int ReplacedTesterPorts = 3;
} // namespace

Offline::Offline(QWidget *parent) : QWidget(parent), ui(new Ui::Offline)
{
    ui->setupUi(this);
    nameButtonsFromToolTips(this);
}

Offline::~Offline()
{
    delete ui;
}

void Offline::updateTesterPorts(const QStringList &names)
{
    for (int i = 0; i < ReplacedTesterPorts && ui->TesterPorty->count() > 0; ++i)
        ui->TesterPorty->removeItem(0);
    ui->TesterPorty->addItems(names);
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
