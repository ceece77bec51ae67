#include "tests/support/dialogs.h"
#include "tests/support/simulatedconnection.h"

#include "protocol/frames.h"

#include <QComboBox>
#include <QSerialPortInfo>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTextBrowser>

// The connection sequence end to end, over a pseudo-terminal and the real serial stack.
class tst_Connection : public QObject
{
    Q_OBJECT

private slots:
    void startWindow();
    void identifiesAndReadsConfiguration();
    void connectTwiceSendsEachFrameOnce();
    void sendAfterRefreshOnlyLogs();
    void unopenablePortReportsError();
    void offlineEntryOpensChooser();
    void testerConnectUsesTesterBaudRate();
    void lostLinkClosesPortAndKeepsForm();
};

void tst_Connection::startWindow()
{
    ORVA2 window;
    QCOMPARE(window.windowTitle(), QStringLiteral("ORVA_Konfig"));
    QCOMPARE(window.pos(), QPoint(0, 0));
    auto *ports = window.findChild<QComboBox *>(QStringLiteral("porty"));
    QVERIFY(ports->count() >= 1);
    QCOMPARE(ports->itemText(0), QStringLiteral("Tryb Offline"));
    QCOMPARE(window.lastBlock().size(), Frame::Size);

    // The system's ports join the list once the window has been shown.
    QStringList expected{QStringLiteral("Tryb Offline")};
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        expected << info.portName();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(ports->count(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(ports->itemText(i), expected.at(i));
}

void tst_Connection::identifiesAndReadsConfiguration()
{
    SimulatedConnection connection("01");
    QVERIFY(connection.connectAndLoad());

    const QList<QByteArray> frames = connection.device().receivedFrames();
    QCOMPARE(frames.at(0), Frame::identificationRequest());
    QCOMPARE(frames.at(1), Frame::readRequest());
    QCOMPARE(connection.logLines(),
             QStringList({"Prośba o identyfikator", "Urządznie: KZR-1/TLMX-1",
                          "Pobierz konfiguracje", "Konfiguracja pobrana"}));
    auto *stack = connection.window().findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
    QCOMPARE(stack->currentWidget(), &connection.window().kzrPage());
    QCOMPARE(connection.log()->textColor(), QColor(Qt::blue));
}

void tst_Connection::connectTwiceSendsEachFrameOnce()
{
    SimulatedConnection connection("04");
    QVERIFY(connection.connectAndLoad());
    connection.pressConnect();
    QTRY_COMPARE(connection.logLines().count(QStringLiteral("Konfiguracja pobrana")), 2);
    QCOMPARE(connection.device().receivedFrames().size(), 4);
    connection.device().clearReceivedFrames();

    emit connection.window().wrn1Page().ProbaLED();
    QVERIFY(connection.waitForFrames(1));
    QTRY_VERIFY(connection.logLines().last() == QStringLiteral("RGB"));
    QCOMPARE(connection.device().receivedFrames(), QList<QByteArray>{Frame::ledTestCommand()});
}

void tst_Connection::sendAfterRefreshOnlyLogs()
{
    SimulatedConnection connection("03");
    QVERIFY(connection.connectAndLoad());
    clickButton(&connection.window(), "odswiez");
    QVERIFY(!connection.window().serialPort().isOpen());
    auto *ports = connection.window().findChild<QComboBox *>(QStringLiteral("porty"));
    QCOMPARE(ports->findText(QStringLiteral("Tryb Offline")), -1);

    const int framesBefore = connection.device().receivedFrames().size();
    emit connection.window().gaPage().WyslijDaneGA();
    QCOMPARE(connection.logLines().last(), QStringLiteral("Wysyłanie konfiguracji do urządzenia"));
    QCOMPARE(connection.log()->textColor(), QColor(Qt::red));
    QTest::qWait(50); // nothing may arrive: there is no event to wait for
    QCOMPARE(connection.device().receivedFrames().size(), framesBefore);
}

void tst_Connection::unopenablePortReportsError()
{
    ORVA2 window;
    auto *ports = window.findChild<QComboBox *>(QStringLiteral("porty"));
    ports->addItem(QStringLiteral("/dev/no-such-port"));
    ports->setCurrentIndex(ports->count() - 1);
    ModalDialogCloser closer;
    clickButton(&window, "polacz");
    QCOMPARE(closer.closedText(), QStringLiteral("Błąd połączenia"));
    QVERIFY(logLinesOf(window).isEmpty());

    // An empty list after a refresh has index -1, which is not the offline entry.
    ports->clear();
    ModalDialogCloser second;
    clickButton(&window, "polacz");
    QCOMPARE(second.closedText(), QStringLiteral("Błąd połączenia"));
}

void tst_Connection::offlineEntryOpensChooser()
{
    ORVA2 window;
    clickButton(&window, "polacz");
    QCOMPARE(logLinesOf(window), QStringList{"Offline"});
    auto *stack = window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
    QCOMPARE(stack->currentWidget(), &window.offlinePage());
}

void tst_Connection::testerConnectUsesTesterBaudRate()
{
    SimulatedConnection connection("12");
    clickButton(&connection.window(), "polacz"); // "Tryb Offline" is chosen at start
    Offline &chooser = connection.window().offlinePage();
    chooser.updateTesterPorts({connection.link().slavePath()});
    clickButton(&chooser, "TesterPolacz");
    QVERIFY(connection.window().serialPort().isOpen());
    QCOMPARE(connection.window().serialPort().baudRate(), Frame::TesterBaudRate);
    QVERIFY(connection.waitForFrames(2));
    QCOMPARE(connection.device().receivedFrames().first(), Frame::identificationRequest());
    auto *stack = connection.window().findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
    QTRY_COMPARE(stack->currentWidget(), &connection.window().testerPage());

    // An empty tester port name cannot be opened.
    ORVA2 other;
    clickButton(&other, "polacz");
    ModalDialogCloser closer;
    clickButton(&other.offlinePage(), "TesterPolacz");
    QCOMPARE(closer.closedText(), QStringLiteral("Błąd połączenia"));
    QCOMPARE(logLinesOf(other), QStringList({"Offline", "Błąd"}));
}

void tst_Connection::lostLinkClosesPortAndKeepsForm()
{
    SimulatedConnection connection("05");
    QVERIFY(connection.connectAndLoad());
    connection.link().close();
    QTRY_VERIFY(!connection.window().serialPort().isOpen());
    QVERIFY(connection.logLines().contains(QStringLiteral("Utracono połączenie z urządzeniem")));
    auto *stack = connection.window().findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
    QCOMPARE(stack->currentWidget(), &connection.window().dravPage());

    emit connection.window().dravPage().WyslijDaneDRAV();
    QCOMPARE(connection.logLines().last(), QStringLiteral("Wysyłanie konfiguracji do urządzenia"));
}

QTEST_MAIN(tst_Connection)
#include "tst_connection.moc"
