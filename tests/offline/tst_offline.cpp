#include "tests/support/simulatedconnection.h"

#include "protocol/frames.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QMetaMethod>
#include <QStackedWidget>
#include <QTest>
#include <QTextBrowser>

// Offline mode: the chooser, the pages it opens without a device, and the tester link.
class tst_Offline : public QObject
{
    Q_OBJECT

private slots:
    void chooserRows_data();
    void chooserRows();
    void pageSignalsStaySilentOffline_data();
    void pageSignalsStaySilentOffline();
    void disconnectReturnsToStart();
    void simulatorRowOpensItsPage();
    void testerPortList_data();
    void testerPortList();
    void testerRefreshRebuildsBothLists();
};

namespace {

const QString OfflineVersion = QStringLiteral("v00d00m00r");

QStackedWidget *stackOf(ORVA2 &window)
{
    return window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
}

// Opens the chooser the way the user does: "Tryb Offline" is chosen at start, press connect.
void enterOffline(ORVA2 &window)
{
    clickButton(&window, "polacz");
    Q_ASSERT(stackOf(window)->currentWidget() == &window.offlinePage());
}

bool showsText(QWidget *page, const QString &text)
{
    const auto labels = page->findChildren<QLabel *>();
    return std::any_of(labels.begin(), labels.end(),
                       [&](const QLabel *label) { return label->text().contains(text); });
}

QStringList comboItems(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

} // namespace

void tst_Offline::chooserRows_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("logLine");
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("versionShown");
    QTest::addColumn<QString>("banner");

    QTest::newRow("KZR-1") << "KZROffline" << 1 << "Urządznie: KZR-1 - tryb offline"
                           << "KZR" << true << "KZR-1";
    QTest::newRow("TLMX-1") << "TLMXOffline" << 2 << "Urządznie: TLMX-1 - tryb offline"
                            << "KZR" << true << "TLMX-1";
    QTest::newRow("GA-1") << "GAOffline" << 3 << "Urządznie: GA-1 - tryb offline"
                          << "ga" << true << QString();
    QTest::newRow("WRN-1") << "WRNOffline" << 4 << "Urządznie: WRN-1 - tryb offline"
                           << "WRN2" << true << QString();
    QTest::newRow("DRAV-1") << "DRAVOffline" << 5 << "Urządznie: DRAV-1 - tryb offline"
                            << "DRAV" << true << QString();
    QTest::newRow("WRN-2") << "WRN2Offline" << 7 << "Urządznie: WRN-2 - tryb offline"
                           << "wrn2v2" << true << QString();
    QTest::newRow("GA-1 MI") << "GA1MIOffline" << 8 << "Urządznie: GA-1 MI - tryb offline"
                             << "gami" << true << QString();
    QTest::newRow("BRT-1") << "pushButton" << 10 << "Urządznie: BRT-1 - tryb offline"
                           << "BRT" << false << QString();
}

void tst_Offline::chooserRows()
{
    QFETCH(QString, button);
    QFETCH(int, number);
    QFETCH(QString, logLine);
    QFETCH(QString, page);
    QFETCH(bool, versionShown);
    QFETCH(QString, banner);

    ORVA2 window;
    enterOffline(window);
    auto *log = window.findChild<QTextBrowser *>(QStringLiteral("textBrowser"));
    log->setTextColor(Qt::darkGreen);

    QTest::mouseClick(window.offlinePage().findChild<QAbstractButton *>(button), Qt::LeftButton);

    QCOMPARE(window.offlinePage().chosenModel(), number);
    QCOMPARE(logLinesOf(window), QStringList({"Offline", logLine}));
    // The banner is written in whatever colour the log had.
    QCOMPARE(log->textColor(), QColor(Qt::darkGreen));
    QWidget *shown = stackOf(window)->currentWidget();
    QCOMPARE(stackOf(window)->currentIndex(), 1);
    QCOMPARE(shown->objectName(), page);
    QCOMPARE(showsText(shown, OfflineVersion), versionShown);
    if (!banner.isEmpty())
        QVERIFY(showsText(shown, banner));
    QVERIFY(!window.link().isOpen());
    // The chooser stays in the stack behind the page.
    QCOMPARE(stackOf(window)->indexOf(&window.offlinePage()), 2);
}

void tst_Offline::pageSignalsStaySilentOffline_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("KZR-1") << "KZROffline";
    QTest::newRow("BRT-1") << "pushButton";
}

// Only back-to-start is wired offline: every other signal of every page must reach nothing,
// whichever page was opened.
void tst_Offline::pageSignalsStaySilentOffline()
{
    QFETCH(QString, button);

    ORVA2 window;
    enterOffline(window);
    clickButton(&window.offlinePage(), button.toLatin1());
    const QStringList before = logLinesOf(window);

    const QList<QWidget *> pages = {&window.kzrPage(),  &window.gaPage(),    &window.wrn1Page(),
                                    &window.dravPage(), &window.helPage(),   &window.wrn2Page(),
                                    &window.gamiPage(), &window.zegarPage(), &window.brtPage(),
                                    &window.novPage(),  &window.testerPage()};
    int emitted = 0;
    for (QWidget *page : pages) {
        const QMetaObject *meta = page->metaObject();
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            const QMetaMethod method = meta->method(i);
            if (method.methodType() != QMetaMethod::Signal ||
                method.name().startsWith("PowrotPoczatek") || method.parameterCount() != 0)
                continue;
            QVERIFY(method.invoke(page, Qt::DirectConnection));
            QVERIFY2(logLinesOf(window) == before, method.methodSignature());
            ++emitted;
        }
    }
    QVERIFY(emitted >= 30);

    // The BRT page's own buttons say nothing either.
    if (button == QLatin1String("pushButton")) {
        for (const char *name : {"ZapiszBRT", "DZBRT", "pLEDBRT", "KASOWANIEBRT"})
            clickButton(&window.brtPage(), name);
        QCOMPARE(logLinesOf(window), before);
    }
}

// Back to start leaves the program running: the engineer goes on offline or to a device.
void tst_Offline::disconnectReturnsToStart()
{
    ORVA2 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    enterOffline(window);
    clickButton(&window.offlinePage(), "pushButton");
    QCOMPARE(stackOf(window)->currentWidget(), &window.brtPage());
    clickButton(&window.brtPage(), "rozlaczBRT");
    QVERIFY(window.isVisible());
    QCOMPARE(stackOf(window)->currentIndex(), 0);
    QCOMPARE(stackOf(window)->count(), 1);
    QVERIFY(!window.brtPage().isVisible());

    // The way in works again, and the page opened anew is shown.
    enterOffline(window);
    clickButton(&window.offlinePage(), "pushButton");
    QCOMPARE(stackOf(window)->currentWidget(), &window.brtPage());
    QVERIFY(window.brtPage().isVisible());
}

void tst_Offline::simulatorRowOpensItsPage()
{
    ORVA2 window;
    enterOffline(window);
    // Were it enabled, the simulator page would open without a version or back-to-start.
    auto *simulator =
        window.offlinePage().findChild<QAbstractButton *>(QStringLiteral("Symulator"));
    simulator->setEnabled(true);
    simulator->click();
    QCOMPARE(window.offlinePage().chosenModel(), int(Offline::SimulatorModel));
    QCOMPARE(logLinesOf(window), QStringList({"Offline", "Symulator"}));
    QCOMPARE(stackOf(window)->currentWidget(), &window.simulatorPage());
}

void tst_Offline::testerPortList_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("found");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("first refresh")
        << QStringList() << QStringList{"A", "B"} << QStringList{"A", "B"} << "A";
    QTest::newRow("stale entries go")
        << QStringList{"A", "B", "C", "D"} << QStringList{"X", "Y"} << QStringList{"X", "Y"} << "X";
    QTest::newRow("the same ports again are not repeated")
        << QStringList{"A", "B", "C", "D"} << QStringList{"A", "B", "C", "D"}
        << QStringList{"A", "B", "C", "D"} << "B";
    QTest::newRow("a chosen port still present stays chosen")
        << QStringList{"A", "B", "C"} << QStringList{"C", "B"} << QStringList{"C", "B"} << "B";
    QTest::newRow("no port found") << QStringList{"A", "B", "C"} << QStringList() << QStringList()
                                   << QString();
}

// The list offers exactly the ports present, however often it is refreshed.
void tst_Offline::testerPortList()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, found);
    QFETCH(QStringList, after);
    QFETCH(QString, chosen);

    Offline chooser;
    auto *ports = chooser.findChild<QComboBox *>(QStringLiteral("TesterPorty"));
    ports->addItems(before);
    ports->setCurrentIndex(qMin(1, ports->count() - 1));
    chooser.updateTesterPorts(found);
    QCOMPARE(comboItems(ports), after);
    QCOMPARE(ports->currentText(), chosen);
}

void tst_Offline::testerRefreshRebuildsBothLists()
{
    ORVA2 window;
    enterOffline(window);
    clickButton(&window.offlinePage(), "TesterComOdswierz");
    auto *devicePorts = window.findChild<QComboBox *>(QStringLiteral("porty"));
    auto *testerPorts = window.offlinePage().findChild<QComboBox *>(QStringLiteral("TesterPorty"));
    QCOMPARE(devicePorts->findText(QStringLiteral("Tryb Offline")), 0);
    QCOMPARE(comboItems(testerPorts), comboItems(devicePorts).mid(1));
}

QTEST_MAIN(tst_Offline)
#include "tst_offline.moc"
