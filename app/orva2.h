#pragma once

#include "app/communicationlog.h"
#include "app/connectionstatus.h"
#include "link/devicelink.h"
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
#include "protocol/frames.h"
#include "protocol/modeltable.h"

#include <QByteArray>
#include <QDateTime>
#include <QMainWindow>
#include <QSize>
#include <QString>
#include <QVector>

#include <memory>
#include <optional>

class QLabel;
class SettingsMenu;
struct ModelPage;
class SettingDescription;

namespace Ui {
class ORVA2;
}

// Every page of the program, built once and kept, with its form, for the window's life.
struct Pages
{
    KZR kzr;
    ga ga1;
    WRN2 wrn1;
    Offline offline;
    DRAV drav1;
    hel hel1;
    wrn2v2 wrn2;
    gami gami1;
    Milisekundomierz zegar1;
    symulator_wrn2v2 symulator;
    BRT brt1;
    nov nov1;
    TesterKZR tester;
};

// The one window of the program. It owns the serial port, every page and the log; pages
// only emit signals, and this window turns them into frames and received blocks into calls
// on the pages.
class ORVA2 : public QMainWindow
{
    Q_OBJECT

public:
    explicit ORVA2(QWidget *parent = nullptr);
    ~ORVA2() override;

    // Examines one reply: identifies a device or hands the reply to its page.
    void processBlock(const QByteArray &block);

    DeviceLink &link() { return m_link; }
    DevicePage &pageOf(ModelInfo::Id model);
    // What the connect button does with the chosen entry: the offline chooser for "Tryb
    // Offline", otherwise open that port and ask the device who it is. True when a port
    // opened.
    bool connectTo(const QString &portName);
    // Puts a port into the start page's port field, as choosing or typing it does.
    void choosePort(const QString &portName);
    const CommunicationLog &communicationLog() const { return *m_log; }
    CommunicationLog &communicationLog() { return *m_log; }

    // The page shown and its model, for the "Plik" menu: nullptr when the shown page holds
    // no configuration (the start window, the chooser, the tester, the simulator). Encoding the
    // form decides that, so the configuration it gave is handed out where asked for.
    DevicePage *shownDevicePage(QByteArray *configuration = nullptr);
    const ModelInfo *shownModel() const { return m_pageModel; }
    // The start window or the offline chooser is shown, where a file may open any model.
    bool choosesModel() const;
    // The device on the link is the shown page's model and answers a read.
    bool readsShownDevice() const;
    // The shown page belongs to the relay identified on the link: its changes are counted
    // from what the relay holds, not from a file.
    bool showsRelay() const { return m_model && m_model == m_pageModel; }
    // The shown page's configuration can be sent to its relay now.
    bool writesShownDevice() const { return showsRelay() && m_link.isOpen(); }
    // Opens a model's page as the offline chooser would; false when a device is connected.
    bool openPageOffline(ModelInfo::Id model);
    // Writes the shown page's form to the relay as its "Zapisz" button does, read-back check
    // included where the relay answers a read; false when no relay of the page's model is
    // connected.
    bool writeShownPage();
    // Reads the device's configuration for the compare view, leaving the form as it is.
    bool requestDeviceComparison();
    // The shown page differs from what its relay holds (while one is connected), otherwise
    // from the page as it opened or was last saved.
    bool shownHasChanges();
    // The settings (description rows) of the shown page that differ from its baseline.
    QVector<int> changedSettings();
    QString deviceVersion() const;
    QString portName() const;

    // What the relay on the link is known to hold: read from it, or written and acknowledged.
    struct RelayRecord
    {
        const ModelInfo *model = nullptr;
        QByteArray frames;
        // When its configuration was last read into the form; the record the window keeps has
        // it in universal time, the one it shows in local time.
        QDateTime read;
        // When a write was last confirmed by reading it back.
        QDateTime verified;
    };
    // The record of the relay whose page is shown; empty offline or for another model.
    RelayRecord shownRelay() const;
    // The port is a relay simulated by the program, not a device.
    void markSimulated(const QString &portName);
    bool simulated() const;
    // What a saved log says it is about: port, model and device version.
    QStringList logHeader() const;
    SettingsMenu &settingsMenu() { return *m_settingsMenu; }

    KZR &kzrPage() { return pages().kzr; }
    ga &gaPage() { return pages().ga1; }
    WRN2 &wrn1Page() { return pages().wrn1; }
    Offline &offlinePage() { return pages().offline; }
    DRAV &dravPage() { return pages().drav1; }
    hel &helPage() { return pages().hel1; }
    wrn2v2 &wrn2Page() { return pages().wrn2; }
    gami &gamiPage() { return pages().gami1; }
    Milisekundomierz &zegarPage() { return pages().zegar1; }
    symulator_wrn2v2 &simulatorPage() { return pages().symulator; }
    BRT &brtPage() { return pages().brt1; }
    nov &novPage() { return pages().nov1; }
    TesterKZR &testerPage() { return pages().tester; }

    // The title, the status bar and the menu say again how the shown page stands against its
    // relay and its file.
    void updateChangeState();

signals:
    // The port chosen in the start page's field opened; the one to offer next time.
    void portConnected(const QString &portName);

public slots:
    // The connect button, and Enter on the start page: connects to the port in the field.
    void on_polacz_clicked();
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
    bool PobierzDaneSlot();
    void PobierzWidokZKZRSlot();
    void OdblokujZProgramuKZRSlot();
    void ProbaLEDslot();
    void KASOWANIESlot();

private slots:
    void on_odswiez_clicked();
    void on_wyjscie_clicked();
    void on_informacje_clicked();
    void on_infokontakt_clicked();

    void linkLost();
    void noAnswer();
    void unreadableReceived(qint64 byteCount);
    void defaultsInForm();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The pages take most of the start-up time and none of them is visible on the start
    // page, so they are built right after the window's first paint, or earlier on demand.
    Pages &pages();
    void measurePageAhead(int row);
    // changedSettings() for a page and its form already encoded.
    QVector<int> changedSettings(DevicePage *page, const QByteArray &form) const;
    void enterOffline();
    void openOffline(const ModelPage &row);
    void connectDevicePages();
    void connectPage(const ModelPage &row);
    void showConnectionError(const QString &portName);
    bool sendFrame(const QString &logLine, const QByteArray &frame, int waitMs,
                   DeviceLink::Answer answer = DeviceLink::Answer::NotAwaited);
    bool sendConfiguration(const QString &logLine, const QByteArray &frame,
                           int waitMs = Frame::WriteWait);
    void configurationReceived(const ModelInfo &model, const QByteArray &block);
    void acknowledged();
    void writeAcknowledged(const QByteArray &written);
    void verifyWrite(const SettingDescription &description, const QByteArray &written,
                     const QByteArray &read);
    void reportWhatTheFormCannotShow(const SettingDescription &description,
                                     const QByteArray &device, const QByteArray &form);
    // One log line per setting that differs; `values` takes both sides' values, %1 and %2.
    void logDifferences(const SettingDescription &description, const QByteArray &ours,
                        const QByteArray &theirs, const QString &ourSide, const QString &theirSide);
    // Forgets a write or read in progress: its answer will not come.
    void abandonExchange();
    // Where the window goes once the changes are settled: back to the start window, or closed.
    enum class Leaving
    {
        ToStart,
        Closing,
    };
    // Asks about changes the relay or a file lacks; true when the window may leave now. When
    // the engineer chose to write first, it leaves once the relay has taken the write.
    bool mayLeave(Leaving leaving);
    // A write asked for before leaving is done (or failed, and the window stays).
    void writeSettled(bool written);
    void backToStart();

    void insertPage(QWidget *page);
    void showInsertedPage();
    void showPageAwaitingAnswer();
    void sizeStackToCurrentPage();
    void fitWindowToPage();
    void identify(const ModelInfo &model, const QByteArray &block);

    QString m_portName;
    Ui::ORVA2 *ui;
    std::unique_ptr<Pages> m_pages;
    DeviceLink m_link;
    QString modelCode;
    QString versionText;
    // The model that last named itself on the link; decides which requests it answers.
    const ModelInfo *m_model = nullptr;

    CommunicationLog *m_log = nullptr;
    SettingsMenu *m_settingsMenu = nullptr;
    QLabel *m_changesLabel = nullptr;
    // The model of the page shown, when it holds a configuration.
    const ModelInfo *m_pageModel = nullptr;

    // What the next configuration reply is for: the form, the compare view, or checking a
    // write that the device acknowledged.
    enum class ReadPurpose
    {
        Form,
        Comparison,
        Verification,
    };
    ReadPurpose m_readPurpose = ReadPurpose::Form;
    // A configuration sent and not yet acknowledged with "OK" for each of its frames.
    struct PendingWrite
    {
        QByteArray frames;
        int acknowledgementsDue = 0;
    };
    std::optional<PendingWrite> m_pendingWrite;
    QByteArray m_verifiedWrite;
    QList<ModelInfo::Id> m_unverifiableNoted;
    RelayRecord m_relay;
    QString m_simulatedPort;
    // The configuration the relay acknowledged without a read confirming it.
    QByteArray m_sentUnconfirmed;
    std::optional<Leaving> m_leaveAfterWrite;
    // The window's size on the start page, before a page made it grow.
    QSize m_startSize;
    bool m_shownBefore = false;
    // An identified relay's page, put in the window once the relay starts to answer the read.
    DevicePage *m_pageAwaitingAnswer = nullptr;
    ConnectionStatus *m_status = nullptr;
};
