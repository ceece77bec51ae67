#include "app/backupsdialog.h"
#include "app/comparedialog.h"
#include "app/dialogfolder.h"
#include "app/modelpages.h"
#include "app/settingsmenu.h"
#include "settings/filenames.h"
#include "settings/settingdescription.h"
#include "settings/settingsfile.h"
#include "tests/codecs/codecdomain.h"
#include "tests/support/dialogs.h"
#include "tests/support/pdftext.h"
#include "tests/support/simulatedconnection.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QMenu>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// What the window hands over after a visit: the settings sheet, the names of the files it
// offers and the stamps a settings file carries.
class tst_Records : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sheetOfTheWindow_data();
    void sheetOfTheWindow();
    void detailsAreAskedAndRemembered();
    void namesSayWhatTheFilesHold();
    void foldersAreNeverTheWorkingDirectory();
    void saveDialogsOfferNamedFiles();
    void savedFileCarriesTheReadAndTheConfirmedWrite();
    void historyComparesAndRestores();

private:
    QString m_pdftotext;
};

namespace {

constexpr int TimeoutMs = 5000;

// Answers the modal dialogs that open from now on, one after another, each with its own
// answer; returns how many were answered so far.
class ModalAnswers
{
public:
    explicit ModalAnswers(QList<std::function<void(QWidget *)>> answers)
        : m_answers(std::move(answers))
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || modal == m_last || m_answers.isEmpty())
                return;
            m_last = modal;
            m_answers.takeFirst()(modal);
            ++m_answered;
        });
        m_timer.start();
    }
    int answered() const { return m_answered; }

private:
    QList<std::function<void(QWidget *)>> m_answers;
    QTimer m_timer;
    QPointer<QWidget> m_last;
    int m_answered = 0;
};

void fillDetails(QWidget *dialog, const ReportDetailsDialog::Details &details)
{
    dialog->findChild<QLineEdit *>(QStringLiteral("stacjaPole"))->setText(details.station);
    dialog->findChild<QLineEdit *>(QStringLiteral("nrFabryczny"))->setText(details.serialNumber);
    dialog->findChild<QLineEdit *>(QStringLiteral("wykonal"))->setText(details.engineer);
}

} // namespace

void tst_Records::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("ORVATECH-test-records"));
    QSettings().clear();
    m_pdftotext = PdfText::reader();
}

void tst_Records::sheetOfTheWindow_data()
{
    QTest::addColumn<bool>("simulated");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("written");
    QTest::newRow("read and written") << false << false << true;
    QTest::newRow("unwritten changes") << false << true << false;
    QTest::newRow("simulated relay") << true << false << false;
}

// The relay's WRN-2 configuration runs over two pages; the preview shows the PDF's pages.
void tst_Records::sheetOfTheWindow()
{
    QFETCH(bool, simulated);
    QFETCH(bool, changed);
    QFETCH(bool, written);
    if (m_pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not on the path: not installed, or Windows, which has none");
    const ModelInfo &model = ModelInfo::of(ModelInfo::Id::Wrn2);
    SimulatedConnection connection(model.identity);
    connection.device().setStoredPayload(payloadOf(drawnConfiguration(model.id, 41)));
    if (simulated)
        connection.window().markSimulated(connection.link().portName());
    QVERIFY(connection.connectAndLoad());
    ORVA2 &window = connection.window();
    const SettingDescription &description = *SettingDescription::of(model.id);
    const QByteArray relay = window.shownDevicePage()->configuration();
    if (changed || written) {
        // Two settings the relay does not hold.
        const QByteArray other = drawnConfiguration(model.id, 42);
        const QByteArray form = description.taken(relay, other, {1, 5});
        window.shownDevicePage()->decodeConfig(form);
        QVERIFY(window.shownDevicePage()->configuration() != relay);
    }
    if (written) {
        QVERIFY(QMetaObject::invokeMethod(&window, "WyslijDaneWRN2Slot"));
        QVERIFY(connection.waitForLogLine(QStringLiteral("Zapis potwierdzony odczytem")));
    }
    const QVector<int> unsent =
        description.differences(connection.window().shownRelay().frames,
                                window.shownDevicePage()->configuration());
    QCOMPARE(unsent.isEmpty(), !changed);

    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("WRN-2_2026-12-07_1145.pdf"));
    const ReportDetailsDialog::Details details{QStringLiteral("GPZ Zachód / pole 3"),
                                               QStringLiteral("W2-1001"),
                                               QStringLiteral("Ewa Lis")};
    window.settingsMenu().setReportDetails(details);
    QVERIFY(window.settingsMenu().writeReport(pdf));
    const QStringList pages = PdfText::pages(m_pdftotext, pdf);
    QVERIFY(pages.size() >= 2);
    const QString all = pages.join(QLatin1Char(' '));
    for (const QString &expected :
         {QStringLiteral("Stacja / pole GPZ Zachód / pole 3"), QStringLiteral("Nr fabryczny W2-1001"),
          QStringLiteral("Wykonał Ewa Lis"), QStringLiteral("Model WRN-2")})
        QVERIFY2(pages.first().contains(expected), qPrintable(expected + "\n" + pages.first()));
    QCOMPARE(pages.first().contains(connection.link().portName()), !simulated);
    QCOMPARE(pages.first().contains(QStringLiteral("Port symulowane urządzenie")), simulated);
    QCOMPARE(all.count(QStringLiteral("NIE WYSŁANO")), changed ? unsent.size() + 1 : 0);
    QCOMPARE(all.contains(QStringLiteral("Zapis potwierdzony odczytem: ")), written);
    for (int page = 0; page < pages.size(); ++page) {
        QVERIFY(pages[page].contains(
            QStringLiteral("Strona %1 z %2").arg(page + 1).arg(pages.size())));
        QCOMPARE(pages[page].contains(QStringLiteral("SYMULACJA")), simulated);
    }
    QVERIFY(connection.logLines().contains(
        QStringLiteral("Zapisano raport nastaw WRN-2_2026-12-07_1145.pdf")));

    // "Drukuj…": the details first, then the preview, which shows the PDF's pages.
    int previewPages = -1;
    ModalAnswers answers({[&details](QWidget *dialog) {
                              fillDetails(dialog, details);
                              QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
                          },
                          [&previewPages](QWidget *dialog) {
                              auto *preview = dialog->findChild<QPrintPreviewWidget *>();
                              previewPages = preview ? preview->pageCount() : -2;
                              QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
                          }});
    window.findChild<QAction *>(QStringLiteral("drukuj"))->trigger();
    QCOMPARE(answers.answered(), 2);
    QCOMPARE(previewPages, pages.size());
}

void tst_Records::detailsAreAskedAndRemembered()
{
    {
        ReportDetailsDialog dialog;
        fillDetails(&dialog, {QStringLiteral(" R1 / pole 2 "), QStringLiteral("K-77"),
                              QStringLiteral("Jan Nowak")});
        dialog.accept();
        QCOMPARE(dialog.details().station, QStringLiteral("R1 / pole 2"));
    }
    // The engineer and the station are offered again; the relay's serial number is not.
    ReportDetailsDialog next;
    QCOMPARE(next.details().station, QStringLiteral("R1 / pole 2"));
    QCOMPARE(next.details().engineer, QStringLiteral("Jan Nowak"));
    QCOMPARE(next.details().serialNumber, QString());
    // Cancelled, nothing is remembered.
    next.findChild<QLineEdit *>(QStringLiteral("wykonal"))->setText(QStringLiteral("Ktoś"));
    next.reject();
    QCOMPARE(ReportDetailsDialog().details().engineer, QStringLiteral("Jan Nowak"));
}

void tst_Records::namesSayWhatTheFilesHold()
{
    const QDateTime time(QDate(2026, 12, 7), QTime(9, 5, 22, 492));
    QCOMPARE(FileNames::settingsFile(ModelInfo::of(ModelInfo::Id::Kzr), time),
             QStringLiteral("KZR-1_2026-12-07_0905.orva.json"));
    QCOMPARE(FileNames::report(ModelInfo::of(ModelInfo::Id::Gami), time),
             QStringLiteral("GA-1-MI_2026-12-07_0905.pdf"));
    QCOMPARE(FileNames::log(time), QStringLiteral("orva-log_2026-12-07_0905.txt"));
    QCOMPARE(FileNames::backup(ModelInfo::of(ModelInfo::Id::Drav), time,
                               QStringLiteral("/dev/ttyUSB0"), false),
             QStringLiteral("DRAV-1_2026-12-07_09-05-22-492_ttyUSB0.orva.json"));
    QCOMPARE(FileNames::backup(ModelInfo::of(ModelInfo::Id::Drav), time, QStringLiteral("COM5"),
                               false),
             QStringLiteral("DRAV-1_2026-12-07_09-05-22-492_COM5.orva.json"));
    QCOMPARE(FileNames::backup(ModelInfo::of(ModelInfo::Id::Drav), time,
                               QStringLiteral("/dev/pts/3"), true),
             QStringLiteral("DRAV-1_2026-12-07_09-05-22-492_symulowane.orva.json"));
}

// Started from a menu, the working directory is "/"; the dialogs open in the documents
// folder, then where the engineer last saved.
void tst_Records::foldersAreNeverTheWorkingDirectory()
{
    QSettings().clear();
    QTemporaryDir working;
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(working.path()));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(DialogFolder::folder(), documents);
    QCOMPARE(DialogFolder::suggested(QStringLiteral("KZR-1_2026-12-07_0905.orva.json")),
             QDir(documents).filePath(QStringLiteral("KZR-1_2026-12-07_0905.orva.json")));

    QTemporaryDir used;
    DialogFolder::remember(used.filePath(QStringLiteral("a.orva.json")));
    QCOMPARE(DialogFolder::folder(), used.path());
    used.remove();
    QCOMPARE(DialogFolder::folder(), documents);
    QVERIFY(DialogFolder::folder() != QDir::currentPath());
    QDir::setCurrent(before);
}

// What pressing Enter in each save dialog would write.
void tst_Records::saveDialogsOfferNamedFiles()
{
    QSettings().clear();
    ORVA2 window;
    QVERIFY(window.openPageOffline(ModelInfo::Id::Gami));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString minute = QStringLiteral("_\\d{4}-\\d\\d-\\d\\d_\\d{4}\\.");
    QStringList offered;
    const auto offeredFile = [&offered](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        offered << (dialog ? dialog->selectedFiles().value(0) : QStringLiteral("no file dialog"));
        QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
    };
    ModalAnswers answers(
        {offeredFile,
         [](QWidget *dialog) { QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection); },
         offeredFile, offeredFile});
    window.findChild<QAction *>(QStringLiteral("zapiszNastawy"))->trigger();
    window.findChild<QAction *>(QStringLiteral("raportNastaw"))->trigger();
    std::unique_ptr<QMenu> menu(window.communicationLog().createContextMenu());
    for (QAction *action : menu->actions()) {
        if (action->text() == QStringLiteral("Zapisz log…"))
            action->trigger();
    }
    QCOMPARE(answers.answered(), 4);
    QCOMPARE(offered.size(), 3);
    const QStringList patterns{QStringLiteral("GA-1-MI") + minute + QStringLiteral("orva\\.json"),
                               QStringLiteral("GA-1-MI") + minute + QStringLiteral("pdf"),
                               QStringLiteral("orva-log") + minute + QStringLiteral("txt")};
    for (int i = 0; i < patterns.size(); ++i) {
        QCOMPARE(QFileInfo(offered[i]).absolutePath(), documents);
        QVERIFY2(QRegularExpression(QStringLiteral("^") + patterns[i] + QStringLiteral("$"))
                     .match(QFileInfo(offered[i]).fileName())
                     .hasMatch(),
                 qPrintable(offered[i]));
    }
}

void tst_Records::savedFileCarriesTheReadAndTheConfirmedWrite()
{
    SimulatedConnection connection("03");
    QVERIFY(connection.connectAndLoad());
    ORVA2 &window = connection.window();
    // A log saved now says what it is about.
    QCOMPARE(window.logHeader(), QStringList({QStringLiteral("Port: ") + connection.link().portName(),
                                              QStringLiteral("Model: GA-1"),
                                              QStringLiteral("Wersja urządzenia: v03d15m07r0")}));
    QTemporaryDir folder;
    const QString read = folder.filePath(QStringLiteral("read.orva.json"));
    QVERIFY(window.settingsMenu().saveFile(read));
    QString error;
    SettingsFile file = SettingsFile::open(read, &error);
    QVERIFY(file.read.isValid());
    QCOMPARE(file.read.port, connection.link().portName());
    QVERIFY(!file.read.simulated);
    QCOMPARE(file.read.program, QStringLiteral("orva-konfig " ORVA_PROGRAM_VERSION));
    QVERIFY(!file.verified.isValid());

    // Typed values were never read: no stamp.
    window.shownDevicePage()->decodeConfig(drawnConfiguration(ModelInfo::Id::Ga, 5));
    const QString typed = folder.filePath(QStringLiteral("typed.orva.json"));
    QVERIFY(window.settingsMenu().saveFile(typed));
    QVERIFY(!SettingsFile::open(typed, &error).read.isValid());

    window.WyslijDaneGASlot();
    QVERIFY(connection.waitForLogLine(QStringLiteral("Zapis potwierdzony odczytem")));
    const QString verified = folder.filePath(QStringLiteral("verified.orva.json"));
    QVERIFY(window.settingsMenu().saveFile(verified));
    file = SettingsFile::open(verified, &error);
    QVERIFY(file.read.isValid());
    QVERIFY(file.verified.isValid());
    QVERIFY(file.verified >= file.read.time);
    // The backups record the visit: the read and the read that confirmed the write.
    const QVector<BackupStore::Entry> backups = window.settingsMenu().backups().written().entries();
    QVERIFY(backups.size() >= 2);
    QVERIFY(backups.first().verified.isValid());
    QCOMPARE(backups.first().port, connection.link().portName());
}

// Two reads of one relay, months apart: the history compares them, compares the older with
// the relay, and writes it back with the read-back check of any write.
void tst_Records::historyComparesAndRestores()
{
    const ModelInfo &kzr = ModelInfo::of(ModelInfo::Id::Kzr);
    const SettingDescription &description = *SettingDescription::of(kzr.id);
    SimulatedConnection connection(kzr.identity);
    connection.device().setStoredPayload(payloadOf(drawnConfiguration(kzr.id, 61)));
    QVERIFY(connection.connectAndLoad());
    ORVA2 &window = connection.window();
    const QByteArray first = window.shownDevicePage()->configuration();
    connection.device().setStoredPayload(payloadOf(drawnConfiguration(kzr.id, 62)));
    window.PobierzDaneSlot();
    QTRY_VERIFY_WITH_TIMEOUT(window.shownRelay().frames != first, TimeoutMs);
    const QByteArray second = window.shownRelay().frames;
    const QVector<int> differing = description.differences(first, second);
    QVERIFY(!differing.isEmpty());

    // The history holds the other tests' relays too.
    const auto historyOf = [&window](const ModelInfo &model) {
        QVector<BackupStore::Entry> entries;
        for (const BackupStore::Entry &entry : window.settingsMenu().backups().written().entries()) {
            if (entry.model == model.nameText())
                entries.append(entry);
        }
        return entries;
    };
    QVector<BackupStore::Entry> history = historyOf(kzr);
    QVERIFY(history.size() >= 2);
    const QString older = history[1].path;
    const QString newer = history[0].path;

    // The list: two of a model compare; one of the relay's model compares and restores.
    {
        // Listed for the shown model: the KZR-1 reads, the newest first.
        BackupsDialog dialog(window.settingsMenu().backups().written(), kzr.nameText(),
                             kzr.nameText());
        auto *list = dialog.findChild<QTreeWidget *>(QStringLiteral("listaKopii"));
        auto *compare = dialog.findChild<QPushButton *>(QStringLiteral("porownajKopie"));
        auto *restore = dialog.findChild<QPushButton *>(QStringLiteral("przywrocKopie"));
        QList<QTreeWidgetItem *> shown;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            if (!list->topLevelItem(i)->isHidden())
                shown << list->topLevelItem(i);
        }
        QCOMPARE(shown.size(), history.size());
        QCOMPARE(shown[0]->toolTip(0), newer);
        list->clearSelection();
        shown[0]->setSelected(true);
        QVERIFY(compare->isEnabled() && restore->isEnabled());
        shown[1]->setSelected(true);
        QVERIFY(compare->isEnabled() && !restore->isEnabled());
        QCOMPARE(dialog.selectedPaths(), QStringList({older, newer}));
        // Without a relay, one entry neither compares nor restores.
        BackupsDialog offline(window.settingsMenu().backups().written());
        auto *offlineList = offline.findChild<QTreeWidget *>(QStringLiteral("listaKopii"));
        offlineList->clearSelection();
        offlineList->topLevelItem(0)->setSelected(true);
        QVERIFY(!offline.findChild<QPushButton *>(QStringLiteral("porownajKopie"))->isEnabled());
        QVERIFY(!offline.findChild<QPushButton *>(QStringLiteral("przywrocKopie"))->isEnabled());
    }

    QVERIFY(window.settingsMenu().compareBackups({older, newer}));
    CompareDialog *dialog = nullptr;
    QTRY_VERIFY((dialog = window.findChild<CompareDialog *>()));
    QCOMPARE(dialog->shownRows(), differing.size());
    QVERIFY(dialog->findChild<QTreeWidget *>()->headerItem()->text(2).startsWith(
        QStringLiteral("Kopia z ")));
    delete dialog;

    // The older read against the relay now, read again: it holds the newer.
    QVERIFY(window.settingsMenu().compareBackups({older}));
    QTRY_VERIFY_WITH_TIMEOUT((dialog = window.findChild<CompareDialog *>()), TimeoutMs);
    QCOMPARE(dialog->shownRows(), differing.size());
    QCOMPARE(dialog->findChild<QTreeWidget *>()->headerItem()->text(3), QStringLiteral("Urządzenie"));
    delete dialog;

    // Restored: the box lists the differences, the write is checked by reading back.
    ModalDialogCloser closer(QStringLiteral("Zapisz"));
    QVERIFY(window.settingsMenu().restoreToDevice(older));
    const QString asked = closer.closedText() + '\n' + closer.closedDetails();
    QVERIFY2(asked.contains(QStringLiteral("Nastawy kopii różne od urządzenia: %1.")
                                .arg(differing.size())),
             qPrintable(asked));
    QTRY_COMPARE_WITH_TIMEOUT(connection.device().storedPayload().toHex(' '),
                              payloadOf(first).toHex(' '), TimeoutMs);
    QVERIFY(connection.waitForLogLine(QStringLiteral("Zapis potwierdzony odczytem")));
    QTRY_VERIFY(!window.shownHasChanges());
    QVERIFY(historyOf(kzr).first().verified.isValid());
}

QTEST_MAIN(tst_Records)
#include "tst_records.moc"
