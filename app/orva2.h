#pragma once

#include "app/communicationlog.h"
#include "offline/offline.h"
#include "offline/symulator_wrn2v2.h"
#include "pages/brt/brt.h"
#include "pages/drav/drav.h"
#include "pages/ga/ga.h"
#include "pages/gami/gami.h"
#include "pages/hel/hel.h"
#include "pages/kzr/kzr.h"
#include "pages/nov/nov.h"
#include "pages/tester/testerkzr.h"
#include "pages/wrn1/wrn2.h"
#include "pages/wrn2/wrn2v2.h"
#include "pages/zegar/milisekundomierz.h"

#include <QByteArray>
#include <QMainWindow>
#include <QSerialPort>
#include <QString>
#include <QTimer>

namespace Ui {
class ORVA2;
}

// The one window of the program. It owns the serial port, every page and the log; pages
// only emit signals, and this window turns them into frames and received blocks into calls
// on the pages.
class ORVA2 : public QMainWindow
{
    Q_OBJECT

public:
    explicit ORVA2(QWidget *parent = nullptr);
    ~ORVA2() override;

    // Examines one received block: identifies a device or hands the block to its page.
    void processBlock(const QByteArray &block);

    QByteArray lastBlock() const { return rxBuffer; }
    const QSerialPort &serialPort() const { return m_port; }
    const CommunicationLog &communicationLog() const { return *m_log; }

    KZR &kzrPage() { return m_kzr; }
    ga &gaPage() { return m_ga; }
    WRN2 &wrn1Page() { return m_wrn1; }
    Offline &offlinePage() { return m_offline; }
    DRAV &dravPage() { return m_drav; }
    hel &helPage() { return m_hel; }
    wrn2v2 &wrn2Page() { return m_wrn2; }
    gami &gamiPage() { return m_gami; }
    Milisekundomierz &zegarPage() { return m_zegar; }
    symulator_wrn2v2 &simulatorPage() { return m_symulator; }
    BRT &brtPage() { return m_brt; }
    nov &novPage() { return m_nov; }
    TesterKZR &testerPage() { return m_tester; }

public slots:
    void receiveMessage();

    void PolaczzTester();
    void powrotDoPoczatku();
    void TrybOfflineWyborUrzadzenia();

    void WyslijDaneKZRSlot();
    void WyslijDaneGASlot();
    void WyslijDaneWRNSlot();
    void WyslijDaneWRN2Slot();
    void WyslijDaneDRAVSlot();
    void WyslijDaneHELSlot();
    void WyslijDaneGAMISlot();
    void WyslijDaneZEGARSlot();
    void WyslijDaneBRTSlot();
    void WyslijDaneNOVSlot();
    void WyslijDaneTesterKZRSlot();
    void PobierzDaneSlot();
    void PobierzWidokZKZRSlot();
    void OdblokujZProgramuKZRSlot();
    void ProbaLEDslot();
    void KASOWANIESlot();

private slots:
    void on_polacz_clicked();
    void on_odswiez_clicked();
    void on_wyjscie_clicked();
    void on_informacje_clicked();
    void on_infokontakt_clicked();

    void burstEnded();
    void portFailed(QSerialPort::SerialPortError error);

private:
    void configurePort(qint32 baudRate);
    void connectDevicePages();
    void connectTesterPage();
    void sendFrame(const QString &logLine, const QByteArray &frame, int waitMs);

    void insertPage(QWidget *page);
    void showInsertedPage();
    void identify(const QString &logLine, QWidget *page);
    void finishIdentification();

    QString m_portName;
    QByteArray rxBuffer;
    Ui::ORVA2 *ui;
    KZR m_kzr;
    ga m_ga;
    WRN2 m_wrn1;
    Offline m_offline;
    DRAV m_drav;
    hel m_hel;
    wrn2v2 m_wrn2;
    gami m_gami;
    Milisekundomierz m_zegar;
    symulator_wrn2v2 m_symulator;
    BRT m_brt;
    nov m_nov;
    TesterKZR m_tester;
    QSerialPort m_port;
    QString modelCode;
    QString versionText;

    CommunicationLog *m_log = nullptr;
    QByteArray m_pendingBurst;
    QTimer m_burstTimer;
};
