#include "app/orva2.h"
#include "ui_orva2.h"

#include "app/afterfirstpaint.h"

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

void showConnectionError()
{
    QMessageBox box;
    box.setText(QStringLiteral("Błąd połączenia"));
    box.exec();
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
    nameButtonsFromToolTips(this);
    setWindowTitle(QStringLiteral("ORVA_Konfig"));
    move(0, 0);

    ui->porty->addItem(QString::fromLatin1(OfflineEntry));

    connect(&m_port, &QSerialPort::readyRead, this, &ORVA2::receiveMessage);
    connect(&m_port, &QSerialPort::errorOccurred, this, &ORVA2::portFailed);

    m_burstTimer.setSingleShot(true);
    m_burstTimer.setTimerType(Qt::PreciseTimer);
    m_burstTimer.setInterval(Frame::BurstSilenceMs);
    connect(&m_burstTimer, &QTimer::timeout, this, &ORVA2::burstEnded);

    rxBuffer.resize(Frame::Size);
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
    m_port.close();
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

void ORVA2::configurePort(qint32 baudRate)
{
    m_port.setBaudRate(baudRate);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
}

void ORVA2::on_polacz_clicked()
{
    m_portName = ui->porty->currentText();
    m_port.setPortName(m_portName);
    m_port.open(QIODevice::ReadWrite);
    configurePort(Frame::DeviceBaudRate);

    if (m_port.isOpen()) {
        sendFrame(QStringLiteral("Prośba o identyfikator"), Frame::identificationRequest(),
                  Frame::WriteWait);
        connectDevicePages();
    } else if (ui->porty->currentIndex() != 0) {
        showConnectionError();
    } else {
        m_log->note(QStringLiteral("Offline"));
        const auto unique = Qt::UniqueConnection;
        const auto choose = &ORVA2::TrybOfflineWyborUrzadzenia;
        connect(&offlinePage(), &Offline::KZROfflineSignal, this, choose, unique);
        connect(&offlinePage(), &Offline::TLMXOfflineSignal, this, choose, unique);
        connect(&offlinePage(), &Offline::GAOfflineSignal, this, choose, unique);
        connect(&offlinePage(), &Offline::WRNOfflineSignal, this, choose, unique);
        connect(&offlinePage(), &Offline::DRAVOfflineSignal, this, choose, unique);
        connect(&offlinePage(), &Offline::WRN2OfflineSignal, this, choose, unique);
        connect(&offlinePage(), &Offline::SymulatorSignal, this, choose, unique);
        connect(&offlinePage(), &Offline::GAMIOfflineSignal, this, choose, unique);
        connect(&offlinePage(), &Offline::BRTOfflineSignal, this, choose, unique);
        connect(&offlinePage(), &Offline::TesterPortyAktualizacja, this, &ORVA2::on_odswiez_clicked,
                unique);
        connect(&offlinePage(), &Offline::TesterPolacz, this, &ORVA2::PolaczzTester, unique);
        insertPage(&offlinePage());
        showInsertedPage();
    }
}

// Pressing connect again must not wire a page twice, or one click would send two frames.
void ORVA2::connectDevicePages()
{
    const auto unique = Qt::UniqueConnection;
    connect(&kzrPage(), &KZR::PowrotPoczatek, this, &ORVA2::powrotDoPoczatku, unique);
    connect(&kzrPage(), &KZR::WyslijDaneKZR, this, &ORVA2::WyslijDaneKZRSlot, unique);
    connect(&kzrPage(), &KZR::PobierzDaneZKZR, this, &ORVA2::PobierzDaneSlot, unique);
    connect(&kzrPage(), &KZR::WidokZalaczonyKZR, this, &ORVA2::PobierzWidokZKZRSlot, unique);
    connect(&kzrPage(), &KZR::OdblokujZProgramu, this, &ORVA2::OdblokujZProgramuKZRSlot, unique);

    connect(&gaPage(), &ga::WyslijDaneGA, this, &ORVA2::WyslijDaneGASlot, unique);
    connect(&gaPage(), &ga::PowrotPoczatekGA, this, &ORVA2::powrotDoPoczatku, unique);
    connect(&gaPage(), &ga::PobierzDaneZGA, this, &ORVA2::PobierzDaneSlot, unique);
    connect(&gaPage(), &ga::ProbaLEDGA, this, &ORVA2::ProbaLEDslot, unique);

    connect(&wrn1Page(), &WRN2::WyslijDaneWRN, this, &ORVA2::WyslijDaneWRNSlot, unique);
    connect(&wrn1Page(), &WRN2::PowrotPoczatekWRN, this, &ORVA2::powrotDoPoczatku, unique);
    connect(&wrn1Page(), &WRN2::PobierzDaneZWRN, this, &ORVA2::PobierzDaneSlot, unique);
    connect(&wrn1Page(), &WRN2::ProbaLED, this, &ORVA2::ProbaLEDslot, unique);
    connect(&wrn1Page(), &WRN2::KasowanieLEDWRN, this, &ORVA2::KASOWANIESlot, unique);

    connect(&dravPage(), &DRAV::WyslijDaneDRAV, this, &ORVA2::WyslijDaneDRAVSlot, unique);
    connect(&dravPage(), &DRAV::PowrotPoczatekDRAV, this, &ORVA2::powrotDoPoczatku, unique);
    connect(&dravPage(), &DRAV::PobierzDaneZDRAV, this, &ORVA2::PobierzDaneSlot, unique);
    connect(&dravPage(), &DRAV::ProbaLED, this, &ORVA2::ProbaLEDslot, unique);

    connect(&helPage(), &hel::WyslijDaneHEL, this, &ORVA2::WyslijDaneHELSlot, unique);
    connect(&helPage(), &hel::PowrotPoczatekHEL, this, &ORVA2::powrotDoPoczatku, unique);

    connect(&wrn2Page(), &wrn2v2::WyslijDaneWRN2, this, &ORVA2::WyslijDaneWRN2Slot, unique);
    connect(&wrn2Page(), &wrn2v2::PowrotPoczatekWRN2, this, &ORVA2::powrotDoPoczatku, unique);
    connect(&wrn2Page(), &wrn2v2::PobierzDaneZWRN2, this, &ORVA2::PobierzDaneSlot, unique);
    connect(&wrn2Page(), &wrn2v2::ProbaLEDWRN2, this, &ORVA2::ProbaLEDslot, unique);
    connect(&wrn2Page(), &wrn2v2::KasowanieLEDWRN2, this, &ORVA2::KASOWANIESlot, unique);

    connect(&gamiPage(), &gami::WyslijDaneGAMI, this, &ORVA2::WyslijDaneGAMISlot, unique);
    connect(&gamiPage(), &gami::PowrotPoczatekGAMI, this, &ORVA2::powrotDoPoczatku, unique);
    connect(&gamiPage(), &gami::PobierzDaneZGAMI, this, &ORVA2::PobierzDaneSlot, unique);
    connect(&gamiPage(), &gami::ProbaLEDGAMI, this, &ORVA2::ProbaLEDslot, unique);

    connect(&zegarPage(), &Milisekundomierz::WyslijDaneZEGAR, this, &ORVA2::WyslijDaneZEGARSlot,
            unique);
    connect(&zegarPage(), &Milisekundomierz::PowrotPoczatekZEGAR, this, &ORVA2::powrotDoPoczatku,
            unique);
    connect(&zegarPage(), &Milisekundomierz::PobierzDaneZZEGAR, this, &ORVA2::PobierzDaneSlot,
            unique);
    connect(&zegarPage(), &Milisekundomierz::ProbaLEDZEGAR, this, &ORVA2::ProbaLEDslot, unique);

    connect(&brtPage(), &BRT::WyslijDaneBRT, this, &ORVA2::WyslijDaneBRTSlot, unique);
    connect(&brtPage(), &BRT::PowrotPoczatekBRT, this, &ORVA2::powrotDoPoczatku, unique);
    connect(&brtPage(), &BRT::PobierzDaneZBRT, this, &ORVA2::PobierzDaneSlot, unique);
    connect(&brtPage(), &BRT::ProbaLEDBRT, this, &ORVA2::ProbaLEDslot, unique);

    connect(&novPage(), &nov::WyslijDaneNOV, this, &ORVA2::WyslijDaneNOVSlot, unique);
    connect(&novPage(), &nov::PowrotPoczatekNOV, this, &ORVA2::powrotDoPoczatku, unique);
    connect(&novPage(), &nov::PobierzDaneZNOV, this, &ORVA2::PobierzDaneSlot, unique);
    connect(&novPage(), &nov::ProbaLEDNOV, this, &ORVA2::ProbaLEDslot, unique);

    connectTesterPage();
}

void ORVA2::connectTesterPage()
{
    const auto unique = Qt::UniqueConnection;
    connect(&testerPage(), &TesterKZR::WyslijDaneTesterKZR, this, &ORVA2::WyslijDaneTesterKZRSlot,
            unique);
    connect(&testerPage(), &TesterKZR::PowrotPoczatekTesterKZR, this, &ORVA2::powrotDoPoczatku,
            unique);
    connect(&testerPage(), &TesterKZR::PobierzDaneZTesterKZR, this, &ORVA2::PobierzDaneSlot,
            unique);
}

void ORVA2::PolaczzTester()
{
    m_port.setPortName(offlinePage().testerPortName());
    m_port.open(QIODevice::ReadWrite);
    configurePort(Frame::TesterBaudRate);

    if (!m_port.isOpen()) {
        showConnectionError();
        m_log->note(QStringLiteral("Błąd"));
        return;
    }
    sendFrame(QStringLiteral("Prośba o identyfikator"), Frame::identificationRequest(),
              Frame::WriteWait);
    connectTesterPage();
}

void ORVA2::powrotDoPoczatku()
{
    close();
    m_port.close();
    ui->stackedWidget->setCurrentIndex(0);
    for (QWidget *page : {static_cast<QWidget *>(&kzrPage()), static_cast<QWidget *>(&gaPage()),
                          static_cast<QWidget *>(&gamiPage()), static_cast<QWidget *>(&wrn1Page()),
                          static_cast<QWidget *>(&brtPage())})
        ui->stackedWidget->removeWidget(page);
}

// A vanished adapter or a device that was unplugged: keep every form as it is, but stop
// using a port that can no longer carry anything. Closing at the first error matters: a
// port whose other side is gone reports the same error again on every event-loop turn.
// An open error is not a failure of the link: pressing connect on an open port raises it.
void ORVA2::portFailed(QSerialPort::SerialPortError error)
{
    const bool linkLost = error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
                          error == QSerialPort::WriteError;
    if (!linkLost || !m_port.isOpen())
        return;
    m_log->note(QStringLiteral("Utracono połączenie z urządzeniem"));
    m_port.close();
}

// ---- offline ----------------------------------------------------------------------------

void ORVA2::TrybOfflineWyborUrzadzenia()
{
    const QString version = offlineVersionText();
    const auto unique = Qt::UniqueConnection;
    switch (offlinePage().chosenModel()) {
    case Offline::KzrModel:
    case Offline::TlmxModel: {
        const bool tlmx = offlinePage().chosenModel() == Offline::TlmxModel;
        connect(&kzrPage(), &KZR::PowrotPoczatek, this, &ORVA2::powrotDoPoczatku, unique);
        m_log->note(tlmx ? QStringLiteral("Urządznie: TLMX-1 - tryb offline")
                         : QStringLiteral("Urządznie: KZR-1 - tryb offline"));
        insertPage(&kzrPage());
        kzrPage().setModelBanner(QLatin1String(tlmx ? Frame::Reply::Tlmx : Frame::Reply::Kzr));
        kzrPage().setVersionText(version);
        break;
    }
    case Offline::GaModel:
        connect(&gaPage(), &ga::PowrotPoczatekGA, this, &ORVA2::powrotDoPoczatku, unique);
        m_log->note(QStringLiteral("Urządznie: GA-1 - tryb offline"));
        insertPage(&gaPage());
        gaPage().setVersionText(version);
        break;
    case Offline::Wrn1Model:
        connect(&wrn1Page(), &WRN2::PowrotPoczatekWRN, this, &ORVA2::powrotDoPoczatku, unique);
        m_log->note(QStringLiteral("Urządznie: WRN-1 - tryb offline"));
        insertPage(&wrn1Page());
        wrn1Page().setVersionText(version);
        break;
    case Offline::DravModel:
        connect(&dravPage(), &DRAV::PowrotPoczatekDRAV, this, &ORVA2::powrotDoPoczatku, unique);
        m_log->note(QStringLiteral("Urządznie: DRAV-1 - tryb offline"));
        insertPage(&dravPage());
        dravPage().setVersionText(version);
        break;
    case Offline::Wrn2Model:
        connect(&wrn2Page(), &wrn2v2::PowrotPoczatekWRN2, this, &ORVA2::powrotDoPoczatku, unique);
        m_log->note(QStringLiteral("Urządznie: WRN-2 - tryb offline"));
        insertPage(&wrn2Page());
        wrn2Page().setVersionText(version);
        break;
    case Offline::GamiModel:
        connect(&gamiPage(), &gami::PowrotPoczatekGAMI, this, &ORVA2::powrotDoPoczatku, unique);
        m_log->note(QStringLiteral("Urządznie: GA-1 MI - tryb offline"));
        insertPage(&gamiPage());
        gamiPage().setVersionText(version);
        break;
    case Offline::SimulatorModel:
        m_log->note(QStringLiteral("Symulator"));
        insertPage(&simulatorPage());
        break;
    case Offline::BrtModel:
        connect(&brtPage(), &BRT::PowrotPoczatekBRT, this, &ORVA2::powrotDoPoczatku, unique);
        m_log->note(QStringLiteral("Urządznie: BRT-1 - tryb offline"));
        insertPage(&brtPage());
        break;
    default:
        return;
    }
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

// A block is one burst followed by silence; every arrival restarts the wait so the event
// loop keeps running while a burst comes in.
void ORVA2::receiveMessage()
{
    m_pendingBurst += m_port.readAll();
    m_burstTimer.start();
}

void ORVA2::burstEnded()
{
    QByteArray block;
    block.swap(m_pendingBurst);
    processBlock(block);
}

// The steps every identification shares, in order: log, insert the page, the model's own
// calls, the version text, the read request, and only then show the page.
void ORVA2::identify(const QString &logLine, DevicePage &page, const QByteArray &block,
                     bool withRangeVariant, const std::function<void()> &modelSteps)
{
    m_log->received(logLine);
    insertPage(&page);
    if (modelSteps)
        modelSteps();
    versionText = ::versionText(block, withRangeVariant);
    page.setVersionText(versionText);
    PobierzDaneSlot();
    showInsertedPage();
}

void ORVA2::processBlock(const QByteArray &block)
{
    rxBuffer = block;
    m_log->beginReceived(block);
    const QString header = headerOf(block);
    const auto is = [&header](const char *pair) { return header == QLatin1String(pair); };
    const QString decoded = QStringLiteral("Konfiguracja pobrana");
    const QString rangeVariant(charAt(block, RangeVariantByte));

    if (is(Frame::Reply::Kzr) || is(Frame::Reply::Tlmx)) {
        identify(QStringLiteral("Urządznie: KZR-1/TLMX-1"), kzrPage(), block, false, [&] {
            modelCode = header;
            kzrPage().setModelBanner(modelCode);
        });
    } else if (is(Frame::Reply::KzrConfig)) {
        kzrPage().decodeConfig(block);
        m_log->received(decoded);
    } else if (is(Frame::Reply::KzrView)) {
        kzrPage().decodeView(block);
        m_log->received(QStringLiteral("Widok urządzenia aktualizacja"));
    } else if (is(Frame::Reply::Ga)) {
        identify(QStringLiteral("Urządznie: GA-1"), gaPage(), block, true,
                 [&] { gaPage().setRangeVariant(rangeVariant); });
    } else if (is(Frame::Reply::GaConfig)) {
        gaPage().decodeConfig(block);
        m_log->received(decoded);
    } else if (is(Frame::Reply::Wrn1)) {
        identify(QStringLiteral("Urządznie: WRN-1"), wrn1Page(), block);
    } else if (is(Frame::Reply::Wrn1Config)) {
        wrn1Page().decodeConfig(block);
        m_log->received(decoded);
    } else if (is(Frame::Reply::Drav)) {
        identify(QStringLiteral("Urządznie: DRAV-1"), dravPage(), block);
    } else if (is(Frame::Reply::DravConfig)) {
        dravPage().decodeConfig(block);
        m_log->received(decoded);
    } else if (is(Frame::Reply::Hel)) {
        identify(QStringLiteral("Urządznie: HEL-1"), helPage(), block);
    } else if (is(Frame::Reply::Wrn2)) {
        identify(QStringLiteral("Urządznie: WRN-2"), wrn2Page(), block);
    } else if (is(Frame::Reply::Wrn2Config)) {
        wrn2Page().decodeConfig(block);
        m_log->received(decoded);
    } else if (is(Frame::Reply::Gami)) {
        identify(QStringLiteral("Urządznie: GA-1 MI"), gamiPage(), block, true,
                 [&] { gamiPage().setRangeVariant(rangeVariant); });
    } else if (is(Frame::Reply::GamiConfig)) {
        gamiPage().decodeConfig(block);
        m_log->received(decoded);
    } else if (is(Frame::Reply::Zegar)) {
        identify(QStringLiteral("Urządznie: ZEGAR-1"), zegarPage(), block);
    } else if (is(Frame::Reply::ZegarConfig)) {
        zegarPage().decodeConfig(block);
        m_log->received(QStringLiteral("Konfiguracja pobrana ZEGR"));
    } else if (is(Frame::Reply::Brt)) {
        identify(QStringLiteral("Urządznie: BRT"), brtPage(), block);
    } else if (is(Frame::Reply::BrtConfig)) {
        brtPage().decodeConfig(block);
        m_log->received(decoded);
    } else if (is(Frame::Reply::Nov)) {
        identify(QStringLiteral("Urządznie: NOV-1"), novPage(), block);
    } else if (is(Frame::Reply::NovConfig)) {
        novPage().decodeConfig(block);
        m_log->received(QStringLiteral("Konfiguracja pobrana NOV"));
    } else if (is(Frame::Reply::Tester)) {
        identify(QStringLiteral("Urządznie: Tester KZR-1"), testerPage(), block);
    } else if (is(Frame::Reply::TesterConfig)) {
        testerPage().decodeConfig(block);
        m_log->received(QStringLiteral("Konfiguracja pobrana Tester KZR"));
    } else if (is(Frame::Reply::LedTestEcho)) {
        m_log->received(QStringLiteral("RGB"));
    } else if (is(Frame::Reply::Acknowledge)) {
        m_log->received(QStringLiteral("Konfiguracja odebrana"));
    }
}

// ---- sending ----------------------------------------------------------------------------

void ORVA2::sendFrame(const QString &logLine, const QByteArray &frame, int waitMs)
{
    const bool open = m_port.isOpen();
    m_log->sent(logLine, frame, open);
    if (!open)
        return;
    m_port.write(frame);
    m_port.waitForBytesWritten(waitMs);
}

void ORVA2::WyslijDaneKZRSlot()
{
    sendFrame(QString::fromUtf8(ConfigurationSent), kzrPage().encodeConfig(), Frame::WriteWait);
}

void ORVA2::WyslijDaneGASlot()
{
    sendFrame(QString::fromUtf8(ConfigurationSent), gaPage().encodeConfig(), Frame::WriteWait);
}

void ORVA2::WyslijDaneWRNSlot()
{
    sendFrame(QString::fromUtf8(ConfigurationSent), wrn1Page().encodeConfig(), Frame::WriteWait);
}

void ORVA2::WyslijDaneWRN2Slot()
{
    sendFrame(QStringLiteral("Wysyłanie konfiguracji do urządzenia cz 1"),
              wrn2Page().encodeConfigPart1(), Frame::WriteWaitLong);
    sendFrame(QStringLiteral("Wysyłanie konfiguracji do urządzenia cz 2"),
              wrn2Page().encodeConfigPart2(), Frame::WriteWait);
}

void ORVA2::WyslijDaneDRAVSlot()
{
    sendFrame(QString::fromUtf8(ConfigurationSent), dravPage().encodeConfig(), Frame::WriteWait);
}

void ORVA2::WyslijDaneHELSlot()
{
    sendFrame(QString::fromUtf8(ConfigurationSent), helPage().encodeConfig(), Frame::WriteWait);
}

void ORVA2::WyslijDaneGAMISlot()
{
    sendFrame(QString::fromUtf8(ConfigurationSent), gamiPage().encodeConfig(), Frame::WriteWait);
}

void ORVA2::WyslijDaneZEGARSlot()
{
    sendFrame(QString::fromUtf8(ConfigurationSent), zegarPage().encodeConfig(), Frame::WriteWait);
}

void ORVA2::WyslijDaneBRTSlot()
{
    sendFrame(QString::fromUtf8(ConfigurationSent), brtPage().encodeConfig(), Frame::WriteWait);
}

void ORVA2::WyslijDaneNOVSlot()
{
    sendFrame(QString::fromUtf8(ConfigurationSent), novPage().encodeConfig(), Frame::WriteWait);
}

void ORVA2::WyslijDaneTesterKZRSlot()
{
    sendFrame(QStringLiteral("Wysyłanie danych testera"), testerPage().encodeConfig(),
              Frame::WriteWait);
}

void ORVA2::PobierzDaneSlot()
{
    sendFrame(QStringLiteral("Pobierz konfiguracje"), Frame::readRequest(), Frame::WriteWait);
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
