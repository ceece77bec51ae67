#include "app/orva2.h"
#include "ui_orva2.h"

#include "app/afterfirstpaint.h"
#include "app/deferrediconengine.h"
#include "app/displaycatchup.h"
#include "app/modelpages.h"
#include "app/portcombobox.h"
#include "app/settingsmenu.h"
#include "link/porterror.h"

#include "pages/common/accessibility.h"
#include "pages/common/changemarks.h"
#include "pages/common/disabledpictureeffect.h"
#include "pages/common/formstyle.h"
#include "pages/common/picturecache.h"
#include "pages/common/picturewhenshown.h"
#include "pages/common/polishnumbers.h"
#include "protocol/bytes.h"
#include "protocol/frames.h"
#include "protocol/versiontext.h"
#include "settings/settingdescription.h"
#include "settings/settingscomparison.h"
#include "settings/settingsfile.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>

#include <utility>

namespace {

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

const char *const ConfigurationSent = "Wysyłanie konfiguracji do urządzenia";

// Byte 8 of an identification reply: which delay range the GA relays accept.
constexpr int RangeVariantByte = 8;

// "1 nastawa", "3 nastawy", "5 nastaw", "22 nastawy", "12 nastaw".
QString settingCount(int count)
{
    const int lastDigit = count % 10;
    const int lastTwo = count % 100;
    if (count == 1)
        return QStringLiteral("1 nastawa");
    if (lastDigit >= 2 && lastDigit <= 4 && (lastTwo < 12 || lastTwo > 14))
        return QStringLiteral("%1 nastawy").arg(count);
    return QStringLiteral("%1 nastaw").arg(count);
}

QString headerOf(const QByteArray &block)
{
    return QString(charAt(block, 0)) + charAt(block, 1);
}

} // namespace

ORVA2::ORVA2(QWidget *parent) : QMainWindow(parent), ui(new Ui::ORVA2)
{
    ui->setupUi(this);
    // The status bar, the dialogs and the pages write numbers the Polish way.
    setLocale(PolishNumbers::locale());
    // Only the window system draws the window's icon, and not every one asks for it.
    setWindowIcon(DeferredIconEngine::icon(
        [] { return PictureCache::icon(QStringLiteral(":/GRAFIKA/LOGO.png")); }));
    PictureWhenShown::installOn(ui->page);
    m_log = new CommunicationLog(ui->textBrowser);
    m_log->setHeader([this] { return logHeader(); });
    m_status = new ConnectionStatus(ui->statusBar);
    nameButtonsFromToolTips(this);
    DisabledPictureEffect::installOnPictureButtons(this);
    // The mark stays hidden until a setting changes.
    setWindowTitle(QStringLiteral("ORVA_Konfig[*]"));
    move(0, 0);
    // The tool bar holds nothing; its handle under the menu would only invite a drag.
    ui->mainToolBar->hide();
    m_settingsMenu = new SettingsMenu(*this);
    connect(&m_settingsMenu->backups(), &BackupQueue::failed, m_log, &CommunicationLog::failure);
    m_changesLabel = new QLabel(this);
    m_changesLabel->setObjectName(QStringLiteral("zmienioneNastawy"));
    statusBar()->addPermanentWidget(m_changesLabel);
    FormStyle::apply(this);
    new DisplayCatchUp(this);

    // Enter in the start window connects, as the connect button does; the shortcut belongs to
    // the start page, so it is gone while another page is shown.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto *shortcut = new QShortcut(QKeySequence(key), ui->page);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, &ORVA2::on_polacz_clicked);
    }
    connect(ui->stackedWidget, &QStackedWidget::currentChanged, this,
            &ORVA2::sizeStackToCurrentPage);

    connect(&m_link, &DeviceLink::answering, this, &ORVA2::showPageAwaitingAnswer);
    connect(&m_link, &DeviceLink::replyReceived, this, &ORVA2::processBlock);
    connect(&m_link, &DeviceLink::linkLost, this, &ORVA2::linkLost);
    connect(&m_link, &DeviceLink::noAnswer, this, &ORVA2::noAnswer);
    connect(&m_link, &DeviceLink::unreadableReceived, this, &ORVA2::unreadableReceived);
    connect(&m_link, &DeviceLink::replyReceived, m_status, &ConnectionStatus::showAnswered);

    // Asking the system for its serial ports takes longer than drawing the start page, so
    // the ports join the list right after the window is first shown.
    new AfterFirstPaint(centralWidget(), [this] {
        ui->porty->relistPorts(true);
        pages();
    });
}

Pages &ORVA2::pages()
{
    if (!m_pages) {
        m_pages = std::make_unique<Pages>();
        // A page's look is ready before a device is identified: the connection then waits
        // only for showing the page, not for styling it.
        for (QWidget *page : {static_cast<QWidget *>(&m_pages->offline),
                              static_cast<QWidget *>(&m_pages->symulator)})
            FormStyle::applyToForm(page);
        for (const ModelPage &row : ModelPage::all()) {
            DevicePage &page = row.page(*m_pages);
            FormStyle::applyToForm(&page);
            connect(&page.changeMarks(), &ChangeMarks::changed, this, &ORVA2::updateChangeState,
                    Qt::UniqueConnection);
            connect(&page, &DevicePage::defaultsLoaded, this, &ORVA2::defaultsInForm,
                    Qt::UniqueConnection);
        }
        QTimer::singleShot(0, this, [this] { measurePageAhead(0); });
        // A silent live view is a relay that stopped answering, whatever was asked last.
        connect(&m_pages->kzr, &KZR::viewStaleChanged, m_status, [this](bool stale) {
            if (stale)
                m_status->showNoAnswer();
            else
                m_status->showAnswered();
        });
    }
    return *m_pages;
}

// A page's layout, its labels' texts shaped, is worked out before a relay is identified: shown
// for the first time, the page is then only placed and painted within the silence that ends
// the relay's answer. One page in each turn of the event loop, so that nothing waits for all.
void ORVA2::measurePageAhead(int row)
{
    const QList<ModelPage> &rows = ModelPage::all();
    if (row >= rows.size() || !m_pages)
        return;
    DevicePage &page = rows.at(row).page(*m_pages);
    if (!page.isVisible()) {
        page.ensurePolished();
        page.sizeHint();
    }
    QTimer::singleShot(0, this, [this, row] { measurePageAhead(row + 1); });
}

ORVA2::~ORVA2()
{
    // A page leaving the stack makes the stack report a new current page to this window,
    // which still needs its form then.
    m_pages.reset();
    delete ui;
}

// ---- start page -------------------------------------------------------------------------

void ORVA2::on_odswiez_clicked()
{
    m_link.close();
    m_status->showClosed();
    // Offline mode stays reachable: only the ports are read again.
    offlinePage().updateTesterPorts(ui->porty->relistPorts(true));
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

// The engineer needs to know which port failed and why, in his words; the log keeps it.
void ORVA2::showConnectionError(const QString &portName)
{
    const PortError error = PortError::of(m_link.lastError(), portName);
    const QString sentence = error.sentence();
    const QString hint = error.hint();
    m_log->failure(sentence);
    m_status->showOpenFailed(portName);
    QMessageBox box(this);
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(QStringLiteral("Błąd połączenia"));
    box.setText(QStringLiteral("Błąd połączenia"));
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(hint.isEmpty() ? sentence : sentence + QStringLiteral("\n\n") + hint);
    box.exec();
}

void ORVA2::choosePort(const QString &portName)
{
    ui->porty->choose(portName);
}

void ORVA2::on_polacz_clicked()
{
    const QString portName = ui->porty->currentText();
    if (connectTo(portName))
        emit portConnected(portName);
}

bool ORVA2::connectTo(const QString &portName)
{
    m_portName = portName;
    // The offline entry names no port; a real port listed first that fails to open must
    // report its error, not lead offline.
    if (m_portName == QLatin1String(PortComboBox::OfflineEntry)) {
        enterOffline();
        return false;
    }
    if (!m_link.open(m_portName, Frame::DeviceBaudRate)) {
        showConnectionError(m_portName);
        return false;
    }
    m_status->showConnecting(m_portName);
    sendFrame(QStringLiteral("Prośba o identyfikator"), Frame::identificationRequest(),
              Frame::WriteWait, DeviceLink::Answer::Awaited);
    connectDevicePages();
    return true;
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
    m_pageModel = nullptr;
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
    m_status->showConnecting(offlinePage().testerPortName());
    sendFrame(QStringLiteral("Prośba o identyfikator"), Frame::identificationRequest(),
              Frame::WriteWait, DeviceLink::Answer::Awaited);
    connectPage(ModelPage::of(ModelInfo::Id::Tester));
}

void ORVA2::powrotDoPoczatku()
{
    if (mayLeave(Leaving::ToStart))
        backToStart();
}

// The engineer goes on to the next relay, or from offline to a device, without starting the
// program again: the port closes, the pages leave the stack, and a connection starts afresh.
void ORVA2::backToStart()
{
    m_pageAwaitingAnswer = nullptr;
    abandonExchange();
    m_leaveAfterWrite.reset();
    const bool wasOpen = m_link.isOpen();
    m_link.close();
    m_status->showClosed();
    // A page opened offline later must send nothing.
    for (const ModelPage &row : ModelPage::all()) {
        for (const ModelPage::Wire &wire : row.deviceWires)
            disconnect(&row.page(pages()), wire.signal, this, wire.slot);
    }
    m_model = nullptr;
    m_pageModel = nullptr;
    m_sentUnconfirmed.clear();
    ui->stackedWidget->setCurrentIndex(0);
    while (ui->stackedWidget->count() > 1)
        ui->stackedWidget->removeWidget(ui->stackedWidget->widget(1));
    // The window grew for the page; the start window takes the size it had before.
    if (m_startSize.isValid() && !isMaximized() && !isFullScreen())
        resize(m_startSize);
    if (wasOpen)
        m_log->remark(QStringLiteral("Rozłączono: port %1 zamknięty").arg(m_portName));
    m_settingsMenu->pageChanged();
    updateChangeState();
    // An adapter swapped for the next relay is listed before the engineer connects again.
    offlinePage().updateTesterPorts(ui->porty->relistPorts(true));
}

bool ORVA2::mayLeave(Leaving leaving)
{
    // A write asked for before leaving is still on its way; leaving waits for it.
    if (m_leaveAfterWrite)
        return false;
    switch (m_settingsMenu->settleChanges()) {
    case SettingsMenu::Settlement::Leave:
        return true;
    case SettingsMenu::Settlement::Stay:
        return false;
    case SettingsMenu::Settlement::WriteFirst:
        m_leaveAfterWrite = leaving;
        if (!writeShownPage())
            m_leaveAfterWrite.reset();
        return false;
    }
    return false;
}

void ORVA2::writeSettled(bool written)
{
    if (!m_leaveAfterWrite)
        return;
    const Leaving leaving = *m_leaveAfterWrite;
    m_leaveAfterWrite.reset();
    if (!written) {
        m_log->failure(QStringLiteral("Zapis do urządzenia nie powiódł się: strona pozostaje "
                                      "otwarta"));
        return;
    }
    if (leaving == Leaving::ToStart)
        backToStart();
    else
        close();
}

void ORVA2::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The form was drawn with Linux's fonts and frames; where the system's are larger (Windows),
    // the start window grows to show its page whole rather than scroll it. Only now is the page
    // laid out at the window's size.
    if (!m_shownBefore && ui->stackedWidget->currentIndex() == 0)
        fitWindowToPage();
    m_shownBefore = true;
}

void ORVA2::closeEvent(QCloseEvent *event)
{
    if (mayLeave(Leaving::Closing))
        event->accept();
    else
        event->ignore();
}

// A page closes itself after asking to go back; while the window keeps it shown, because the
// engineer stayed or a write must finish first, it stays open.
bool ORVA2::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Close && ui->stackedWidget->currentIndex() > 0 &&
        watched == ui->stackedWidget->currentWidget()) {
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void ORVA2::linkLost()
{
    abandonExchange();
    m_log->failure(QStringLiteral("Utracono połączenie z urządzeniem"));
    m_status->showLinkLost();
    writeSettled(false);
}

void ORVA2::noAnswer()
{
    abandonExchange();
    m_log->failure(QStringLiteral("Brak odpowiedzi urządzenia"));
    m_status->showNoAnswer();
    writeSettled(false);
}

// The defaults look like settings read from the relay; the log says they are not.
void ORVA2::defaultsInForm()
{
    m_log->remark(QStringLiteral("Nastawy domyślne w formularzu – nie wysłano"));
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
        m_pageModel = nullptr;
        insertPage(&simulatorPage());
        showInsertedPage();
        return;
    }
    const ModelPage *row = ModelPage::byOfflineChoice(choice);
    if (row)
        openOffline(*row);
}

void ORVA2::openOffline(const ModelPage &row)
{
    DevicePage &page = row.page(pages());
    connect(&page, row.backSignal, this, SLOT(powrotDoPoczatku()), Qt::UniqueConnection);
    m_log->note(QString::fromUtf8(row.offlineLine));
    insertPage(&page);
    const ModelInfo &model = ModelInfo::of(row.id);
    if (model.hasView)
        kzrPage().setModelBanner(QLatin1String(model.identity));
    if (row.offlineVersion)
        page.setVersionText(offlineVersionText());
    m_pageModel = &model;
    showInsertedPage();
    // Offline there is no read: changes count from the page as it opened.
    page.markUnchanged();
}

// ---- pages in the stack -----------------------------------------------------------------

// A page identified a second time moves to the front instead of standing in the stack twice.
void ORVA2::insertPage(QWidget *page)
{
    if (ui->stackedWidget->indexOf(page) >= 0)
        ui->stackedWidget->removeWidget(page);
    ui->stackedWidget->insertWidget(1, page);
    page->installEventFilter(this);
    FormStyle::apply(page);
}

void ORVA2::showPageAwaitingAnswer()
{
    if (!m_pageAwaitingAnswer)
        return;
    insertPage(std::exchange(m_pageAwaitingAnswer, nullptr));
    showInsertedPage();
}

void ORVA2::showInsertedPage()
{
    if (ui->stackedWidget->currentIndex() == 0)
        m_startSize = size();
    ui->stackedWidget->setCurrentIndex(1);
    m_settingsMenu->pageChanged();
    updateChangeState();
    fitWindowToPage();
}

// A stack asks for the room of its largest page, shown or not; a small page would then sit
// in a large scrolled area. Hidden pages ask for none.
void ORVA2::sizeStackToCurrentPage()
{
    for (int index = 0; index < ui->stackedWidget->count(); ++index) {
        const QSizePolicy::Policy policy = index == ui->stackedWidget->currentIndex()
                                               ? QSizePolicy::Preferred
                                               : QSizePolicy::Ignored;
        ui->stackedWidget->widget(index)->setSizePolicy(policy, policy);
    }
}

// A page just opened is seen whole when the screen has room for it, and scrolls when it has
// not. The log keeps its height, and a window made larger by the engineer stays as large.
void ORVA2::fitWindowToPage()
{
    QWidget *page = ui->stackedWidget->currentWidget();
    const QSize missing = page->sizeHint() - ui->przewijanieStrony->viewport()->size();
    QSize wanted = size() + missing.expandedTo(QSize(0, 0));
    if (const QScreen *shownOn = screen()) {
        const QSize frame = frameGeometry().size() - size();
        wanted = wanted.boundedTo(shownOn->availableGeometry().size() - frame);
    }
    const int logHeight = ui->textBrowser->height();
    resize(wanted.expandedTo(size()));
    // Before the window is first shown its splitter has not placed anything yet.
    if (!isVisible())
        return;
    const int pageHeight = ui->rozdzielacz->height() - ui->rozdzielacz->handleWidth() - logHeight;
    ui->rozdzielacz->setSizes({pageHeight, logHeight});
    // Shown, every widget of the page asked to be painted in an event of its own, and the
    // scroll area settles its scroll bars when the page's layout is redone: both would come
    // after the window's first paint of the page and paint all of it again. Handed over now,
    // they are part of that first paint.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
}

// ---- receiving --------------------------------------------------------------------------

DevicePage &ORVA2::pageOf(ModelInfo::Id model)
{
    return ModelPage::of(model).page(pages());
}

// The steps every identification shares, in order: log, the model's own calls, the version
// text, the read request, and only then put the page in the window. Styling, laying out and
// painting a page takes longer than a relay takes to answer; done while the answer comes in,
// it would delay reading the answer, and the silence that ends the answer would begin that
// much later. So the page waits until the relay starts to answer, and is drawn within the
// silence the protocol waits for anyway.
void ORVA2::identify(const ModelInfo &model, const QByteArray &block)
{
    m_relay = {&model, {}, {}, {}};
    m_sentUnconfirmed.clear();
    m_model = &model;
    m_pageModel = &model;
    m_status->showModel(model.nameText());
    DevicePage &page = pageOf(model.id);
    page.forgetLoaded();
    m_log->received(QString::fromUtf8(model.identifiedLine));
    if (model.hasView) {
        modelCode = headerOf(block);
        kzrPage().setModelBanner(modelCode);
    }
    versionText = ::versionText(block, model.hasRangeVariant);
    page.setVersionText(versionText);
    if (model.hasRangeVariant)
        static_cast<GaPage &>(page).setRangeVariant(QString(charAt(block, RangeVariantByte)));
    if (PobierzDaneSlot() && model.answersRead()) {
        m_pageAwaitingAnswer = &page;
    } else {
        insertPage(&page);
        showInsertedPage();
    }
    // A device that sends no configuration leaves the form as it opened: changes count
    // from there.
    if (!model.answersRead())
        page.markUnchanged();
}

void ORVA2::processBlock(const QByteArray &block)
{
    m_log->beginReceived(block);
    if (const ModelInfo *model = ModelInfo::byIdentity(block)) {
        identify(*model, block);
    } else if (const ModelInfo *model = ModelInfo::byConfigHeader(block)) {
        configurationReceived(*model, block);
    } else if (Frame::hasHeader(block, Frame::Reply::KzrView)) {
        kzrPage().decodeView(block);
        m_log->received(QStringLiteral("Widok urządzenia aktualizacja"));
        m_log->markPolling();
    } else if (Frame::hasHeader(block, Frame::Reply::LedTestEcho)) {
        m_log->received(QStringLiteral("RGB"));
    } else if (Frame::hasHeader(block, Frame::Reply::Acknowledge)) {
        acknowledged();
    }
}

// KZR-1 and TLMX-1 share a reply header; the device on the link says which one answered.
void ORVA2::configurationReceived(const ModelInfo &replyModel, const QByteArray &block)
{
    const bool sameReply = m_model && qstrcmp(m_model->configHeader, replyModel.configHeader) == 0;
    const ModelInfo &model = sameReply ? *m_model : replyModel;
    const SettingDescription *description = SettingDescription::of(model.id);
    const bool whole = block.size() >= model.configReplySize();
    // Kept, compared and checked as the relay holds it, not as the form would show it.
    const QByteArray frames = description && whole ? description->held(block) : QByteArray();
    const ReadPurpose purpose = m_readPurpose;
    m_readPurpose = ReadPurpose::Form;
    m_log->received(QString::fromUtf8(model.configLine));
    // The universal time costs no look at the time zone, which every configuration reply would
    // pay for: the backup and the settings menu tell it in local time.
    const QDateTime readAt = QDateTime::currentDateTimeUtc();
    if (!frames.isEmpty()) {
        SettingsFile read =
            SettingsFile::ofRead(model, frames, versionText, m_portName, simulated(), readAt);
        if (purpose == ReadPurpose::Verification && frames == m_verifiedWrite)
            read.verified = readAt;
        m_settingsMenu->backups().keep(read);
        m_relay.frames = frames;
        m_relay.model = &model;
    }

    if (purpose == ReadPurpose::Comparison) {
        // A reply cut short says too little to compare, and the form stays as it is.
        if (frames.isEmpty())
            m_log->failure(QStringLiteral("Niepełna konfiguracja z urządzenia: nie porównano"));
        else
            m_settingsMenu->showDeviceComparison(frames);
    } else if (purpose == ReadPurpose::Verification && description) {
        verifyWrite(*description, m_verifiedWrite, frames);
    } else {
        DevicePage &page = pageOf(model.id);
        // Filling the form changes many fields; the changes are counted once, when it is full.
        const ChangeMarks::Hold hold(page.changeMarks());
        page.load(block);
        if (!frames.isEmpty()) {
            m_relay.read = readAt;
            m_relay.verified = QDateTime();
        }
        if (description) {
            m_sentUnconfirmed.clear();
            page.markUnchanged();
            // The form was just made the baseline: that is its configuration.
            reportWhatTheFormCannotShow(*description, frames, page.baselineConfiguration());
        }
    }
}

// A device may hold values beyond the form's ranges; the form then shows, and would write,
// something else. The engineer must know before pressing "Zapisz".
void ORVA2::reportWhatTheFormCannotShow(const SettingDescription &description,
                                        const QByteArray &device, const QByteArray &form)
{
    if (device.isEmpty() || device == description.held(form))
        return;
    m_log->failure(
        QStringLiteral("Formularz nie pokazuje dokładnie nastaw odczytanych z urządzenia"));
    logDifferences(description, device, form, QStringLiteral("urządzenie"),
                   QStringLiteral("formularz"));
}

void ORVA2::logDifferences(const SettingDescription &description, const QByteArray &ours,
                           const QByteArray &theirs, const QString &ourSide,
                           const QString &theirSide)
{
    for (const SettingsComparison::Entry &entry :
         SettingsComparison(description, ours, theirs).differences())
        m_log->failure(entry.line(ourSide, theirSide));
}

// Only an "OK" for a configuration just sent counts as a write; any other is only logged.
void ORVA2::acknowledged()
{
    m_log->received(QStringLiteral("Konfiguracja odebrana"));
    if (!m_pendingWrite || --m_pendingWrite->acknowledgementsDue > 0)
        return;
    const QByteArray written = m_pendingWrite->frames;
    m_pendingWrite.reset();
    writeAcknowledged(written);
}

void ORVA2::writeAcknowledged(const QByteArray &written)
{
    const SettingDescription *description = m_model ? SettingDescription::of(m_model->id) : nullptr;
    if (!description)
        return;
    DevicePage &page = pageOf(m_model->id);
    // Acknowledged, so held by the relay, though not yet known to be held exactly.
    m_relay.frames = written;
    m_relay.verified = QDateTime();
    if (!m_model->answersRead()) {
        if (!m_unverifiableNoted.contains(m_model->id)) {
            m_unverifiableNoted.append(m_model->id);
            m_log->remark(QStringLiteral("%1 nie odpowiada na odczyt, więc zapisu nie można "
                                       "sprawdzić odczytem")
                            .arg(m_model->nameText()));
        }
        // The relay's acknowledgement is all it ever tells of its settings.
        page.markUnchanged();
        writeSettled(true);
        return;
    }
    // Only a read shows what the relay took; until then the form still differs from what is
    // known of the relay. Leaving after a write always checks it.
    if (!m_settingsMenu->verifiesWrites() && !m_leaveAfterWrite) {
        m_sentUnconfirmed = written;
        updateChangeState();
        return;
    }
    m_verifiedWrite = written;
    m_readPurpose = ReadPurpose::Verification;
    sendFrame(QStringLiteral("Pobierz konfiguracje"), Frame::readRequest(), Frame::WriteWait,
              DeviceLink::Answer::Awaited);
}

void ORVA2::verifyWrite(const SettingDescription &description, const QByteArray &written,
                        const QByteArray &read)
{
    DevicePage &page = pageOf(description.model());
    if (!read.isEmpty() && description.held(read) == description.held(written)) {
        m_relay.verified = QDateTime::currentDateTime();
        m_log->remark(QStringLiteral("Zapis potwierdzony odczytem"));
        m_sentUnconfirmed.clear();
        page.markUnchanged();
        writeSettled(true);
        return;
    }
    m_log->failure(QStringLiteral("Odczyt po zapisie różni się od wysłanej konfiguracji"));
    if (!read.isEmpty()) {
        logDifferences(description, written, read, QStringLiteral("wysłano"),
                       QStringLiteral("odczytano"));
        // The relay holds what it read back: the marks show where the form still differs.
        page.countChangesFrom(read);
    }
    writeSettled(false);
}

// A page that waited for the abandoned read's answer comes without it.
void ORVA2::abandonExchange()
{
    showPageAwaitingAnswer();
    m_pendingWrite.reset();
    m_readPurpose = ReadPurpose::Form;
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
// Each frame of a configuration is acknowledged on its own; a second part joins the write
// its first part began.
bool ORVA2::sendConfiguration(const QString &logLine, const QByteArray &frame, int waitMs)
{
    const bool written = sendFrame(logLine, frame, waitMs, DeviceLink::Answer::Awaited);
    const bool secondPart = frame.at(1) == Frame::ConfigPart2Header1;
    if (!written) {
        m_pendingWrite.reset();
        writeSettled(false);
    }
    else if (secondPart && m_pendingWrite)
        *m_pendingWrite = {m_pendingWrite->frames + frame, m_pendingWrite->acknowledgementsDue + 1};
    else
        m_pendingWrite = PendingWrite{frame, 1};
    return written;
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
    sendConfiguration(QStringLiteral("Wysyłanie konfiguracji do urządzenia cz 1"),
                      wrn2Page().encodeConfigPart1(), Frame::WriteWaitLong);
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

bool ORVA2::PobierzDaneSlot()
{
    m_readPurpose = ReadPurpose::Form;
    const bool answered = m_model && m_model->answersRead();
    return sendFrame(QStringLiteral("Pobierz konfiguracje"), Frame::readRequest(),
                     Frame::WriteWait,
                     answered ? DeviceLink::Answer::Awaited : DeviceLink::Answer::NotAwaited);
}

void ORVA2::PobierzWidokZKZRSlot()
{
    if (sendFrame(QStringLiteral("Dane dla Widoku"), Frame::viewRequest(), Frame::WriteWaitShort))
        m_log->markPolling();
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

// ---- settings of the page shown ---------------------------------------------------------

DevicePage *ORVA2::shownDevicePage(QByteArray *configuration)
{
    auto *page = qobject_cast<DevicePage *>(ui->stackedWidget->currentWidget());
    if (!page || !m_pageModel)
        return nullptr;
    const QByteArray form = page->configuration();
    if (form.isEmpty())
        return nullptr;
    if (configuration)
        *configuration = form;
    return page;
}

bool ORVA2::choosesModel() const
{
    return ui->stackedWidget->currentIndex() == 0 ||
           (m_pages && ui->stackedWidget->currentWidget() == &m_pages->offline);
}

bool ORVA2::readsShownDevice() const
{
    return m_link.isOpen() && m_model && m_model == m_pageModel && m_model->answersRead();
}

bool ORVA2::openPageOffline(ModelInfo::Id model)
{
    if (m_link.isOpen() || !choosesModel())
        return false;
    if (ui->stackedWidget->currentIndex() == 0)
        enterOffline();
    openOffline(ModelPage::of(model));
    return true;
}

bool ORVA2::writeShownPage()
{
    if (!writesShownDevice())
        return false;
    // The page's own send signal, so the write takes the way "Zapisz" takes.
    DevicePage &page = pageOf(m_pageModel->id);
    for (const ModelPage::Wire &wire : ModelPage::of(m_pageModel->id).deviceWires) {
        const QByteArray slot(wire.slot + 1);
        if (!slot.startsWith("WyslijDane"))
            continue;
        const QByteArray signal(wire.signal + 1);
        return QMetaObject::invokeMethod(&page, signal.left(signal.indexOf('(')).constData());
    }
    return false;
}

bool ORVA2::requestDeviceComparison()
{
    if (!readsShownDevice())
        return false;
    const bool sent = sendFrame(QStringLiteral("Pobierz konfiguracje"), Frame::readRequest(),
                                Frame::WriteWait, DeviceLink::Answer::Awaited);
    if (sent)
        m_readPurpose = ReadPurpose::Comparison;
    return sent;
}

QVector<int> ORVA2::changedSettings()
{
    // Encoding the form is most of the count: it is encoded once.
    QByteArray form;
    DevicePage *page = shownDevicePage(&form);
    return changedSettings(page, form);
}

QVector<int> ORVA2::changedSettings(DevicePage *page, const QByteArray &form) const
{
    if (!page || !page->changeMarks().hasBaseline())
        return {};
    return SettingDescription::of(m_pageModel->id)
        ->differences(page->baselineConfiguration(), form);
}

bool ORVA2::shownHasChanges()
{
    DevicePage *page = shownDevicePage();
    return page && (!page->changeMarks().changedInputs().isEmpty() || !changedSettings().isEmpty());
}

void ORVA2::updateChangeState()
{
    // The form is encoded once for the count and the state beside it.
    QByteArray form;
    DevicePage *page = shownDevicePage(&form);
    const int changed = changedSettings(page, form).size();
    QString text;
    if (changed > 0 && showsRelay()) {
        QString state = form == m_sentUnconfirmed
                            ? QStringLiteral("wysłano, nie potwierdzono odczytem")
                            : QStringLiteral("nie wysłano");
        if (page->matchesSavedFile())
            state += QStringLiteral("; zapisano w pliku");
        text = QStringLiteral("Różni się od urządzenia: %1 (%2)").arg(settingCount(changed), state);
    } else if (changed > 0) {
        text = QStringLiteral("Zmienione nastawy: %1").arg(changed);
    }
    m_changesLabel->setText(text);
    // Qt hands the title to the window system again on every call, changed or not, and most
    // replies leave the mark as it was.
    const bool modified =
        changed > 0 || (page && !page->changeMarks().changedInputs().isEmpty());
    if (modified != isWindowModified())
        setWindowModified(modified);
}

QString ORVA2::deviceVersion() const
{
    return m_link.isOpen() && m_model == m_pageModel ? versionText : QString();
}

QStringList ORVA2::logHeader() const
{
    const QString none = QStringLiteral("—");
    const QString port = simulated() ? QStringLiteral("symulowane urządzenie (%1)").arg(m_portName)
                                     : portName();
    const ModelInfo *model = m_link.isOpen() ? m_model : m_pageModel;
    return {QStringLiteral("Port: ") + port,
            QStringLiteral("Model: ") + (model ? model->nameText() : none),
            QStringLiteral("Wersja urządzenia: ") +
                (m_link.isOpen() && m_model ? versionText : none)};
}

ORVA2::RelayRecord ORVA2::shownRelay() const
{
    if (!m_link.isOpen() || m_model != m_pageModel || m_relay.model != m_pageModel)
        return RelayRecord();
    RelayRecord shown = m_relay;
    if (shown.read.isValid())
        shown.read = shown.read.toLocalTime();
    return shown;
}

void ORVA2::markSimulated(const QString &portName)
{
    m_simulatedPort = portName;
}

bool ORVA2::simulated() const
{
    return m_link.isOpen() && !m_simulatedPort.isEmpty() && m_portName == m_simulatedPort;
}

QString ORVA2::portName() const
{
    return m_link.isOpen() ? m_portName : QString::fromLatin1(PortComboBox::OfflineEntry);
}
