#include "app/settingsmenu.h"
#include "pages/common/changemarks.h"
#include "settings/settingsfile.h"
#include "tests/support/dialogs.h"
#include "tests/support/simulatedconnection.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

// "Rozłącz" leads back to the start window, from where the next relay is connected; nothing
// the relay or a file lacks is dropped without a question; and the form says apart what the
// relay lacks and what a file lacks.
class tst_BackToStart : public QObject
{
    Q_OBJECT

private slots:
    void disconnectShowsTheStartWindow_data();
    void disconnectShowsTheStartWindow();
    void nextRelayIsIdentifiedAfresh();
    void questionBeforeDropping_data();
    void questionBeforeDropping();
    void changesAreMarkedAgainstTheRelay();
};

namespace {

constexpr int TimeoutMs = 5000;

QString changesText(ORVA2 &window)
{
    return window.statusBar()->findChild<QLabel *>(QStringLiteral("zmienioneNastawy"))->text();
}

void pressDisconnect(ORVA2 &window)
{
    clickButton(&window.kzrPage(), "rozlacz");
}

bool showsStart(ORVA2 &window)
{
    return pageStack(window)->currentIndex() == 0 && pageStack(window)->count() == 1 &&
           !window.link().isOpen();
}

} // namespace

void tst_BackToStart::disconnectShowsTheStartWindow_data()
{
    QTest::addColumn<QByteArray>("identity");
    QTest::addColumn<QString>("button");
    QTest::newRow("KZR-1") << QByteArray("01") << "rozlacz";
    QTest::newRow("GA-1") << QByteArray("03") << "rozlaczGA";
    QTest::newRow("HEL-1, which reports nothing") << QByteArray("06") << "rozlaczHEL";
    QTest::newRow("WRN-2, two frames") << QByteArray("07") << "rozlaczWRN2";
}

void tst_BackToStart::disconnectShowsTheStartWindow()
{
    QFETCH(QByteArray, identity);
    QFETCH(QString, button);
    SimulatedConnection connection(identity);
    ORVA2 &window = connection.window();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize startSize = window.size();
    QVERIFY(connection.connectAndLoad());
    QWidget *page = pageStack(window)->currentWidget();

    clickButton(page, button.toLatin1().constData());
    QVERIFY(window.isVisible());
    QVERIFY(showsStart(window));
    // The window grown for the page is the start window's size again.
    QTRY_COMPARE(window.size(), startSize);
    QVERIFY(!page->isVisible());
    for (const char *status : {"statusPort", "statusLink"})
        QCOMPARE(window.findChild<QLabel *>(QLatin1String(status))->text(), QString());
    QCOMPARE(window.windowTitle(), QStringLiteral("ORVA_Konfig[*]"));
    QVERIFY(!window.isWindowModified());
    QCOMPARE(window.shownModel(), nullptr);
    // The port list was read again, offline mode first.
    auto *ports = window.findChild<QComboBox *>(QStringLiteral("porty"));
    QCOMPARE(ports->itemText(0), QStringLiteral("Tryb Offline"));
}

// The same relay, or the next one on the same port, names itself again; a page of the last
// relay neither lingers in the stack nor sends for the next.
void tst_BackToStart::nextRelayIsIdentifiedAfresh()
{
    SimulatedConnection connection("01");
    ORVA2 &window = connection.window();
    QVERIFY(connection.connectAndLoad());
    pressDisconnect(window);
    QVERIFY(showsStart(window));

    connection.device().setIdentity("03");
    const int framesBefore = connection.device().receivedFrames().size();
    QVERIFY(connection.connectAndLoad());
    QCOMPARE(connection.device().receivedFrames().at(framesBefore),
             Frame::identificationRequest());
    QCOMPARE(pageStack(window)->currentWidget(), &window.gaPage());
    QCOMPARE(pageStack(window)->count(), 2);
    QCOMPARE(window.shownModel()->id, ModelInfo::Id::Ga);

    // Offline after a device: the pages send nothing any more.
    clickButton(&window.gaPage(), "rozlaczGA");
    QVERIFY(showsStart(window));
    clickButton(&window, "polacz"); // "Tryb Offline"
    clickButton(&window.offlinePage(), "KZROffline");
    const QStringList before = connection.logLines();
    const int framesOffline = connection.device().receivedFrames().size();
    clickButton(&window.kzrPage(), "Zapisz");
    clickButton(&window.kzrPage(), "DZ");
    QCOMPARE(connection.logLines(), before);
    QCOMPARE(connection.device().receivedFrames().size(), framesOffline);
}

void tst_BackToStart::questionBeforeDropping_data()
{
    QTest::addColumn<bool>("closing");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("leaves");
    QTest::addColumn<bool>("written");
    QTest::newRow("cancel") << false << "Anuluj" << false << false;
    QTest::newRow("escape") << false << "" << false << false;
    QTest::newRow("discard") << false << "Odrzuć" << true << false;
    QTest::newRow("write to the relay") << false << "Wyślij do urządzenia" << true << true;
    QTest::newRow("closing, cancel") << true << "Anuluj" << false << false;
    // Written first, the window closes once the relay has read back what it took.
    QTest::newRow("closing, write to the relay") << true << "Wyślij do urządzenia" << true << true;
}

void tst_BackToStart::questionBeforeDropping()
{
    QFETCH(bool, closing);
    QFETCH(QString, answer);
    QFETCH(bool, leaves);
    QFETCH(bool, written);
    SimulatedConnection connection("01");
    ORVA2 &window = connection.window();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(connection.connectAndLoad());
    const QByteArray relay = connection.device().storedPayload();
    kzrBox(window, "inw_we1")->click();

    ModalDialogCloser closer(answer);
    if (closing)
        QVERIFY(!window.close());
    else
        pressDisconnect(window);
    QStringList buttons = closer.buttons();
    buttons.sort();
    QCOMPARE(buttons,
             QStringList({"Anuluj", "Odrzuć", "Wyślij do urządzenia", "Zapisz do pliku…"}));
    QVERIFY2(closer.closedText().contains(QStringLiteral("nie zostały wysłane do urządzenia")),
             qPrintable(closer.closedText()));
    if (closing)
        QTRY_COMPARE_WITH_TIMEOUT(window.isVisible(), !leaves, TimeoutMs);
    else if (leaves)
        QTRY_VERIFY_WITH_TIMEOUT(showsStart(window), TimeoutMs);
    else
        QCOMPARE(pageStack(window)->currentWidget(), &window.kzrPage());
    QVERIFY(window.kzrPage().isVisible() != leaves);
    if (!closing)
        QCOMPARE(window.link().isOpen(), !leaves);
    if (written) {
        QVERIFY(connection.logLines().contains(QStringLiteral("Zapis potwierdzony odczytem")));
        QVERIFY(connection.device().storedPayload() != relay);
    } else {
        QCOMPARE(connection.device().storedPayload(), relay);
    }
    // Nothing is asked twice: what stayed is still marked, what left is gone.
    QCOMPARE(window.isWindowModified(), !leaves);
}

// A file holds the form; the relay does not, until it is written and read back. A file opened
// at a relay (a backup the same) shows every setting where it differs from the relay; only
// writing it, or reading the relay again, clears the marks. An acknowledgement says the relay
// took the frames, not what it keeps.
void tst_BackToStart::changesAreMarkedAgainstTheRelay()
{
    SimulatedConnection connection("01");
    ORVA2 &window = connection.window();
    QVERIFY(connection.connectAndLoad());
    QVERIFY(window.kzrPage().changeMarks().changedInputs().isEmpty());
    QVERIFY(!window.isWindowModified());
    QCheckBox *first = kzrBox(window, "inw_we1");
    first->click();
    QCOMPARE(changesText(window),
             QStringLiteral("Różni się od urządzenia: 1 nastawa (nie wysłano)"));
    QTemporaryDir folder;
    QVERIFY(window.settingsMenu().saveFile(folder.filePath(QStringLiteral("a.orva.json"))));
    QCOMPARE(window.kzrPage().changeMarks().changedInputs(), QList<QWidget *>{first});
    QVERIFY(window.isWindowModified());
    QCOMPARE(changesText(window),
             QStringLiteral("Różni się od urządzenia: 1 nastawa (nie wysłano; zapisano w pliku)"));
    {
        ModalDialogCloser closer(QStringLiteral("Anuluj"));
        pressDisconnect(window);
        QVERIFY2(closer.closedText().contains(QStringLiteral("zapisano w pliku „a.orva.json”")),
                 qPrintable(closer.closedText()));
    }
    QVERIFY(window.link().isOpen());

    // Changed after saving: neither the relay nor the file holds it.
    QCheckBox *second = kzrBox(window, "inw_pk1");
    second->click();
    QCOMPARE(changesText(window),
             QStringLiteral("Różni się od urządzenia: 2 nastawy (nie wysłano)"));

    const QString path = folder.filePath(QStringLiteral("other.orva.json"));
    QVERIFY(window.settingsMenu().saveFile(path));
    window.PobierzDaneSlot();
    QTRY_VERIFY_WITH_TIMEOUT(!window.isWindowModified(), TimeoutMs);
    QVERIFY(window.settingsMenu().openFile(path));
    QList<QWidget *> marked = window.kzrPage().changeMarks().changedInputs();
    std::sort(marked.begin(), marked.end());
    QList<QWidget *> expected{first, second};
    std::sort(expected.begin(), expected.end());
    QCOMPARE(marked, expected);
    QVERIFY(window.isWindowModified());
    QCOMPARE(changesText(window),
             QStringLiteral("Różni się od urządzenia: 2 nastawy (nie wysłano; zapisano w pliku)"));
    window.WyslijDaneKZRSlot();
    QTRY_VERIFY_WITH_TIMEOUT(!window.isWindowModified(), TimeoutMs);
    QVERIFY(window.kzrPage().changeMarks().changedInputs().isEmpty());
    QCOMPARE(changesText(window), QString());

    auto *verify = window.findChild<QAction *>(QStringLiteral("sprawdzajZapis"));
    verify->setChecked(false);
    first->click();
    window.WyslijDaneKZRSlot();
    QTRY_COMPARE_WITH_TIMEOUT(
        changesText(window),
        QStringLiteral("Różni się od urządzenia: 1 nastawa (wysłano, nie potwierdzono odczytem)"),
        TimeoutMs);
    QCOMPARE(window.kzrPage().changeMarks().changedInputs(), QList<QWidget *>{first});
    window.PobierzDaneSlot();
    QTRY_VERIFY_WITH_TIMEOUT(window.kzrPage().changeMarks().changedInputs().isEmpty(), TimeoutMs);
    QCOMPARE(changesText(window), QString());
    verify->setChecked(true);

    // Offline there is no relay: a saved file is all there is to hold the form.
    pressDisconnect(window);
    QVERIFY(showsStart(window));
    QVERIFY(window.openPageOffline(ModelInfo::Id::Kzr));
    kzrBox(window, "inw_we1")->click();
    QCOMPARE(changesText(window), QStringLiteral("Zmienione nastawy: 1"));
    QVERIFY(window.settingsMenu().saveFile(folder.filePath(QStringLiteral("b.orva.json"))));
    QVERIFY(!window.isWindowModified());
    QCOMPARE(changesText(window), QString());
}

QTEST_MAIN(tst_BackToStart)
#include "tst_backtostart.moc"
