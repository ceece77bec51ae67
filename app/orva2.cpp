#include "app/orva2.h"
#include "ui_orva2.h"

#include "app/afterfirstpaint.h"
#include "app/modelpages.h"

#include "pages/common/accessibility.h"
#include "protocol/bytes.h"
#include "protocol/frames.h"
#include "protocol/versiontext.h"

#include <QMessageBox>
#include <QSerialPortInfo>

namespace {

const char *const OfflineEntry = "Tryb Offline";

// The first line names the toolkit the program actually runs on.
QString aboutText()
{
    return QStringLiteral("This program uses Qt version %1\n\n").arg(QLatin1String(qVersion())) +
           QStringLiteral(
               "Qt is a C++ toolkit for cross-platform application development.\n\n"
               "Qt provides single-source portability across all major desktop operating "
               "systems. It is also available for embedded Linux and other embedded and mobile "
               "operating systems.\n\n"
               "Qt is available under three different licensing options designed to accommodate "
               "the needs of our various users.\n\n"
               "Qt licensed under our commercial license agreement is appropriate for development "
               "of proprietary/commercial software where you do not want to share any source code "
               "with third parties or otherwise cannot comply with the terms of the GNU LGPL "
               "version 2.1 or GNU GPL version 3.0.\n\n"
               "Qt licensed under the GNU LGPL version 2.1 is appropriate for the development of "
               "Qt applications provided you can comply with the terms and conditions of the GNU "
               "LGPL version 2.1.\n\n"
               "Qt licensed under the GNU General Public License version 3.0 is appropriate for "
               "the development of Qt applications where you wish to use such applications in "
               "combination with software subject to the terms of the GNU GPL version 3.0 or "
               "where you are otherwise willing to comply with the terms of the GNU GPL version "
               "3.0.\n\n"
               "Qt is a product of The Qt Company. See qt.io for more information.");
}

QStringList availablePortNames()
{
    QStringList names;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        names << info.portName();
    return names;
}

const char *const ConfigurationSent = "Wysyłanie konfiguracji do urządzenia";

// Byte 8 of an identification reply: which delay range the GA relays accept.
constexpr int RangeVariantByte = 8;

QString headerOf(const QByteArray &block)
{
    return QString(charAt(block, 0)) + charAt(block, 1);
}

} // namespace

ORVA2::ORVA2(QWidget *parent) : QMainWindow(parent), ui(new Ui::ORVA2)
{
    ui->setupUi(this);
    m_log = new CommunicationLog(ui->textBrowser);
    m_status = new ConnectionStatus(ui->statusBar);
    nameButtonsFromToolTips(this);
    setWindowTitle(QStringLiteral("ORVA_Konfig"));
    move(0, 0);

    ui->porty->addItem(QString::fromLatin1(OfflineEntry));

    connect(&m_link, &DeviceLink::replyReceived, this, &ORVA2::processBlock);
    connect(&m_link, &DeviceLink::linkLost, this, &ORVA2::linkLost);
    connect(&m_link, &DeviceLink::noAnswer, this, &ORVA2::noAnswer);
    connect(&m_link, &DeviceLink::unreadableReceived, this, &ORVA2::unreadableReceived);
    connect(&m_link, &DeviceLink::replyReceived, m_status, &ConnectionStatus::showAnswered);

    // Asking the system for its serial ports takes longer than drawing the start page, so
    // the ports join the list right after the window is first shown.
    new AfterFirstPaint(centralWidget(), [this] {
        ui->porty->addItems(availablePortNames());
        pages();
    });
}

Pages &ORVA2::pages()
{
    if (!m_pages)
        m_pages = std::make_unique<Pages>();
    return *m_pages;
}

ORVA2::~ORVA2()
{
    delete ui;
}

// ---- start page -------------------------------------------------------------------------

void ORVA2::on_odswiez_clicked()
{
    m_link.close();
    m_status->showClosed();
    ui->porty->clear();
    const QStringList names = availablePortNames();
    ui->porty->addItems(names);
    offlinePage().updateTesterPorts(names);
}

void ORVA2::on_wyjscie_clicked()
{
    close();
}

void ORVA2::on_informacje_clicked()
{
    QMessageBox box;
    box.setWindowTitle(QStringLiteral("About Qt"));
    box.setTextFormat(Qt::PlainText);
    box.setText(aboutText());
    box.exec();
}

void ORVA2::on_infokontakt_clicked()
{
    QMessageBox box;
    box.setWindowTitle(QStringLiteral("Kontakt"));
    box.setTextFormat(Qt::RichText);
    box.setText(QStringLiteral("Program do obsługi urządzeń wyprodukowanych przez ") +
                QStringLiteral("<a href=\"%1\">ORVATECH S.A.</a>")
                    .arg(QLatin1String(DevicePage::DocumentationHost)) +
                QStringLiteral("<br/><center>Orva Konfig v 20251007</center>") +
                QStringLiteral("\n\n\n\n") +
                QStringLiteral("<center><img src=\":/GRAFIKA/logocale.png\"/></center>") +
                QStringLiteral("\n\n\n"));
    box.exec();
}

// ---- connecting -------------------------------------------------------------------------

// The engineer needs to know which port failed and why; a port owned by the dialout group
// is the usual reason on Linux.
void ORVA2::showConnectionError(const QString &portName)
{
    QString details = m_link.lastErrorString();
    if (m_link.lastError() == QSerialPort::PermissionError)
        details += QStringLiteral("\n\nDostęp do portów szeregowych mają członkowie grupy "
                                  "dialout: sudo usermod -aG dialout $USER, a potem ponowne "
                                  "zalogowanie.");
    QMessageBox box;
    box.setText(QStringLiteral("Błąd połączenia"));
    box.setInformativeText(QStringLiteral("Port: %1\n%2").arg(portName, details));
    box.exec();
}

void ORVA2::on_polacz_clicked()
{
    connectTo(ui->porty->currentText());
}

void ORVA2::connectTo(const QString &portName)
{
    m_portName = portName;
    // The offline entry names no port; a real port listed first that fails to open must
    // report its error, not lead offline.
    if (m_portName == QLatin1String(OfflineEntry)) {
        enterOffline();
        return;
    }
    if (!m_link.open(m_portName, Frame::DeviceBaudRate)) {
        showConnectionError(m_portName);
        return;
    }
    m_status->showConnected(m_portName);
    sendFrame(QStringLiteral("Prośba o identyfikator"), Frame::identificationRequest(),
              Frame::WriteWait, DeviceLink::Answer::Awaited);
    connectDevicePages();
}

// Without a device the chooser opens pages to look at; only its own signals are wired.
void ORVA2::enterOffline()
{
    m_log->note(QStringLiteral("Offline"));
    m_status->showOffline();
    const auto unique = Qt::UniqueConnection;
    const char *const choose = SLOT(TrybOfflineWyborUrzadzenia());
    for (const ModelPage &row : ModelPage::all()) {
        if (row.offlineSignal)
            connect(&offlinePage(), row.offlineSignal, this, choose, unique);
    }
    connect(&offlinePage(), SIGNAL(SymulatorSignal()), this, choose, unique);
    connect(&offlinePage(), &Offline::TesterPortyAktualizacja, this, &ORVA2::on_odswiez_clicked,
            unique);
    connect(&offlinePage(), &Offline::TesterPolacz, this, &ORVA2::PolaczzTester, unique);
    insertPage(&offlinePage());
    showInsertedPage();
}

// Pressing connect again must not wire a page twice, or one click would send two frames.
void ORVA2::connectDevicePages()
{
    for (const ModelPage &row : ModelPage::all())
        connectPage(row);
}

void ORVA2::connectPage(const ModelPage &row)
{
    QObject *page = &row.page(pages());
    connect(page, row.backSignal, this, SLOT(powrotDoPoczatku()), Qt::UniqueConnection);
    for (const ModelPage::Wire &wire : row.deviceWires)
        connect(page, wire.signal, this, wire.slot, Qt::UniqueConnection);
}

void ORVA2::PolaczzTester()
{
    if (!m_link.open(offlinePage().testerPortName(), Frame::TesterBaudRate)) {
        showConnectionError(offlinePage().testerPortName());
        m_log->note(QStringLiteral("Błąd"));
        return;
    }
    m_status->showConnected(offlinePage().testerPortName());
    sendFrame(QStringLiteral("Prośba o identyfikator"), Frame::identificationRequest(),
              Frame::WriteWait, DeviceLink::Answer::Awaited);
    connectPage(ModelPage::of(ModelInfo::Id::Tester));
}

void ORVA2::powrotDoPoczatku()
{
    close();
    m_link.close();
    ui->stackedWidget->setCurrentIndex(0);
    for (QWidget *page : {static_cast<QWidget *>(&kzrPage()), static_cast<QWidget *>(&gaPage()),
                          static_cast<QWidget *>(&gamiPage()), static_cast<QWidget *>(&wrn1Page()),
                          static_cast<QWidget *>(&brtPage())})
        ui->stackedWidget->removeWidget(page);
}

void ORVA2::linkLost()
{
    m_log->failure(QStringLiteral("Utracono połączenie z urządzeniem"));
    m_status->showLinkLost();
}

void ORVA2::noAnswer()
{
    m_log->failure(QStringLiteral("Brak odpowiedzi urządzenia"));
    m_status->showNoAnswer();
}

void ORVA2::unreadableReceived(qint64 byteCount)
{
    m_log->failure(QStringLiteral("Odebrano nieczytelne dane (%1 B)").arg(byteCount));
}

// ---- offline ----------------------------------------------------------------------------

void ORVA2::TrybOfflineWyborUrzadzenia()
{
    const int choice = offlinePage().chosenModel();
    if (choice == Offline::SimulatorModel) {
        m_log->note(QStringLiteral("Symulator"));
        insertPage(&simulatorPage());
        showInsertedPage();
        return;
    }
    const ModelPage *row = ModelPage::byOfflineChoice(choice);
    if (!row)
        return;
    DevicePage &page = row->page(pages());
    connect(&page, row->backSignal, this, SLOT(powrotDoPoczatku()), Qt::UniqueConnection);
    m_log->note(QString::fromUtf8(row->offlineLine));
    insertPage(&page);
    const ModelInfo &model = ModelInfo::of(row->id);
    if (model.hasView)
        kzrPage().setModelBanner(QLatin1String(model.identity));
    if (row->offlineVersion)
        page.setVersionText(offlineVersionText());
    showInsertedPage();
}

// ---- pages in the stack -----------------------------------------------------------------

// A page identified a second time moves to the front instead of standing in the stack twice.
void ORVA2::insertPage(QWidget *page)
{
    if (ui->stackedWidget->indexOf(page) >= 0)
        ui->stackedWidget->removeWidget(page);
    ui->stackedWidget->insertWidget(1, page);
}

void ORVA2::showInsertedPage()
{
    ui->stackedWidget->setCurrentIndex(1);
}

// ---- receiving --------------------------------------------------------------------------

DevicePage &ORVA2::pageOf(ModelInfo::Id model)
{
    return ModelPage::of(model).page(pages());
}

// The steps every identification shares, in order: log, insert the page, the model's own
// calls, the version text, the read request, and only then show the page.
void ORVA2::identify(const ModelInfo &model, const QByteArray &block)
{
    m_model = &model;
    m_status->showModel(model.nameText());
    DevicePage &page = pageOf(model.id);
    m_log->received(QString::fromUtf8(model.identifiedLine));
    insertPage(&page);
    if (model.hasView) {
        modelCode = headerOf(block);
        kzrPage().setModelBanner(modelCode);
    }
    versionText = ::versionText(block, model.hasRangeVariant);
    page.setVersionText(versionText);
    if (model.hasRangeVariant)
        static_cast<GaPage &>(page).setRangeVariant(QString(charAt(block, RangeVariantByte)));
    PobierzDaneSlot();
    showInsertedPage();
}

void ORVA2::processBlock(const QByteArray &block)
{
    m_log->beginReceived(block);
    if (const ModelInfo *model = ModelInfo::byIdentity(block)) {
        identify(*model, block);
    } else if (const ModelInfo *model = ModelInfo::byConfigHeader(block)) {
        pageOf(model->id).decodeConfig(block);
        m_log->received(QString::fromUtf8(model->configLine));
    } else if (Frame::hasHeader(block, Frame::Reply::KzrView)) {
        kzrPage().decodeView(block);
        m_log->received(QStringLiteral("Widok urządzenia aktualizacja"));
    } else if (Frame::hasHeader(block, Frame::Reply::LedTestEcho)) {
        m_log->received(QStringLiteral("RGB"));
    } else if (Frame::hasHeader(block, Frame::Reply::Acknowledge)) {
        m_log->received(QStringLiteral("Konfiguracja odebrana"));
    }
}

// ---- sending ----------------------------------------------------------------------------

bool ORVA2::sendFrame(const QString &logLine, const QByteArray &frame, int waitMs,
                      DeviceLink::Answer answer)
{
    const bool written = m_link.send(frame, waitMs, answer);
    m_log->sent(logLine, frame, written);
    if (!written)
        m_log->failure(QStringLiteral("Nie wysłano: brak połączenia z urządzeniem"));
    return written;
}

// The device acknowledges every configuration frame with "OK".
void ORVA2::sendConfiguration(const QString &logLine, const QByteArray &frame)
{
    sendFrame(logLine, frame, Frame::WriteWait, DeviceLink::Answer::Awaited);
}

void ORVA2::WyslijDaneKZRSlot()
{
    sendConfiguration(QString::fromUtf8(ConfigurationSent), kzrPage().encodeConfig());
}

void ORVA2::WyslijDaneGASlot()
{
    sendConfiguration(QString::fromUtf8(ConfigurationSent), gaPage().encodeConfig());
}

void ORVA2::WyslijDaneWRNSlot()
{
    sendConfiguration(QString::fromUtf8(ConfigurationSent), wrn1Page().encodeConfig());
}

void ORVA2::WyslijDaneWRN2Slot()
{
    sendFrame(QStringLiteral("Wysyłanie konfiguracji do urządzenia cz 1"),
              wrn2Page().encodeConfigPart1(), Frame::WriteWaitLong, DeviceLink::Answer::Awaited);
    sendConfiguration(QStringLiteral("Wysyłanie konfiguracji do urządzenia cz 2"),
                      wrn2Page().encodeConfigPart2());
}

void ORVA2::WyslijDaneDRAVSlot()
{
    sendConfiguration(QString::fromUtf8(ConfigurationSent), dravPage().encodeConfig());
}

void ORVA2::WyslijDaneHELSlot()
{
    sendConfiguration(QString::fromUtf8(ConfigurationSent), helPage().encodeConfig());
}

void ORVA2::WyslijDaneGAMISlot()
{
    sendConfiguration(QString::fromUtf8(ConfigurationSent), gamiPage().encodeConfig());
}

void ORVA2::WyslijDaneZEGARSlot()
{
    sendConfiguration(QString::fromUtf8(ConfigurationSent), zegarPage().encodeConfig());
}

void ORVA2::WyslijDaneBRTSlot()
{
    sendConfiguration(QString::fromUtf8(ConfigurationSent), brtPage().encodeConfig());
}

void ORVA2::WyslijDaneNOVSlot()
{
    sendConfiguration(QString::fromUtf8(ConfigurationSent), novPage().encodeConfig());
}

void ORVA2::WyslijDaneTesterKZRSlot()
{
    sendFrame(QStringLiteral("Wysyłanie danych testera"), testerPage().encodeConfig(),
              Frame::WriteWait);
}

void ORVA2::PobierzDaneSlot()
{
    const bool answered = m_model && m_model->answersRead();
    sendFrame(QStringLiteral("Pobierz konfiguracje"), Frame::readRequest(), Frame::WriteWait,
              answered ? DeviceLink::Answer::Awaited : DeviceLink::Answer::NotAwaited);
}

void ORVA2::PobierzWidokZKZRSlot()
{
    sendFrame(QStringLiteral("Dane dla Widoku"), Frame::viewRequest(), Frame::WriteWaitShort);
}

void ORVA2::OdblokujZProgramuKZRSlot()
{
    sendFrame(QStringLiteral("Odblokuj z programu"), Frame::unlockCommand(), Frame::WriteWaitShort);
}

void ORVA2::ProbaLEDslot()
{
    sendFrame(QStringLiteral("Próba LED"), Frame::ledTestCommand(), Frame::WriteWait);
}

void ORVA2::KASOWANIESlot()
{
    sendFrame(QStringLiteral("KASOWANIE LED"), Frame::ledResetCommand(), Frame::WriteWait);
}
