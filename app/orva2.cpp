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

    connect(&m_link, &DeviceLink::replyReceived, this, &ORVA2::processBlock);
    connect(&m_link, &DeviceLink::linkLost, this, &ORVA2::linkLost);
    connect(&m_link, &DeviceLink::noAnswer, this, &ORVA2::noAnswer);
    connect(&m_link, &DeviceLink::unreadableReceived, this, &ORVA2::unreadableReceived);

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
    m_portName = ui->porty->currentText();
    // The offline entry names no port; a real port listed first that fails to open must
    // report its error, not lead offline.
    if (m_portName == QLatin1String(OfflineEntry)) {
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
        return;
    }
    if (!m_link.open(m_portName, Frame::DeviceBaudRate)) {
        showConnectionError(m_portName);
        return;
    }
    sendFrame(QStringLiteral("Prośba o identyfikator"), Frame::identificationRequest(),
              Frame::WriteWait, DeviceLink::Answer::Awaited);
    connectDevicePages();
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
    if (!m_link.open(offlinePage().testerPortName(), Frame::TesterBaudRate)) {
        showConnectionError(offlinePage().testerPortName());
        m_log->note(QStringLiteral("Błąd"));
        return;
    }
    sendFrame(QStringLiteral("Prośba o identyfikator"), Frame::identificationRequest(),
              Frame::WriteWait, DeviceLink::Answer::Awaited);
    connectTesterPage();
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
}

void ORVA2::noAnswer()
{
    m_log->failure(QStringLiteral("Brak odpowiedzi urządzenia"));
}

void ORVA2::unreadableReceived(qint64 byteCount)
{
    m_log->failure(QStringLiteral("Odebrano nieczytelne dane (%1 B)").arg(byteCount));
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

DevicePage &ORVA2::pageOf(ModelInfo::Id model)
{
    using Id = ModelInfo::Id;
    switch (model) {
    case Id::Kzr:
    case Id::Tlmx:
        return kzrPage();
    case Id::Ga:
        return gaPage();
    case Id::Wrn1:
        return wrn1Page();
    case Id::Drav:
        return dravPage();
    case Id::Hel:
        return helPage();
    case Id::Wrn2:
        return wrn2Page();
    case Id::Gami:
        return gamiPage();
    case Id::Zegar:
        return zegarPage();
    case Id::Nov:
        return novPage();
    case Id::Brt:
        return brtPage();
    case Id::Tester:
        return testerPage();
    }
    Q_UNREACHABLE();
}

// The steps every identification shares, in order: log, insert the page, the model's own
// calls, the version text, the read request, and only then show the page.
void ORVA2::identify(const ModelInfo &model, const QByteArray &block)
{
    m_model = &model;
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
