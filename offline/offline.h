#pragma once

#include <QStringList>
#include <QWidget>

namespace Ui {
class Offline;
}

// The chooser shown instead of a device page when no port could be opened: one button per
// model, and a second row that connects the production tester on a port of its own.
class Offline : public QWidget
{
    Q_OBJECT

public:
    // The numbers the main window reads to know which page to open.
    enum Model
    {
        None = 0,
        KzrModel = 1,
        TlmxModel = 2,
        GaModel = 3,
        Wrn1Model = 4,
        DravModel = 5,
        Wrn2Model = 7,
        GamiModel = 8,
        SimulatorModel = 9,
        BrtModel = 10,
    };

    explicit Offline(QWidget *parent = nullptr);
    ~Offline() override;

    int chosenModel() const { return m_chosenModel; }
    QString testerPortName() const { return m_testerPortName; }

    void updateTesterPorts(const QStringList &names);

signals:
    void KZROfflineSignal();
    void TLMXOfflineSignal();
    void GAOfflineSignal();
    void WRNOfflineSignal();
    void DRAVOfflineSignal();
    void WRN2OfflineSignal();
    void SymulatorSignal();
    void GAMIOfflineSignal();
    void BRTOfflineSignal();
    void TesterPortyAktualizacja();
    void TesterPolacz();

private slots:
    void on_KZROffline_clicked();
    void on_TLMXOffline_clicked();
    void on_GAOffline_clicked();
    void on_WRNOffline_clicked();
    void on_DRAVOffline_clicked();
    void on_WRN2Offline_clicked();
    void on_Symulator_clicked();
    void on_GA1MIOffline_clicked();
    void on_pushButton_clicked();
    void on_TesterComOdswierz_clicked();
    void on_TesterPolacz_clicked();

private:
    int m_chosenModel = None;
    QString m_testerPortName;
    Ui::Offline *ui;
};
