#include "tests/support/dialogs.h"
#include "tests/support/paintcounter.h"
#include "tests/support/simulatedconnection.h"

#include "protocol/frames.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTextBrowser>

// The connection sequence end to end, over a pseudo-terminal and the real serial stack.
class tst_Connection : public QObject
{
    Q_OBJECT

private slots:
    void identifiesAndReadsConfiguration();
    void connectTwiceSendsEachFrameOnce();
    void sendAfterRefreshOnlyLogs();
    void unopenablePortReportsError();
    void testerConnectUsesTesterBaudRate();
    void repliesInOneBurstAreEachHandled();
    void silentDeviceIsReported();
    void relaySilentAfterNamingItselfStillGetsItsPage();
    void runawaySenderIsOneLine();
    void statusBarFollowsTheLink();
    void pageIsPaintedOnceBeforeItsConfiguration();
};

// Port, model and link state as the status bar shows them.
static QStringList statusOf(ORVA2 &window)
{
    QStringList texts;
    for (const char *name : {"statusPort", "statusModel", "statusLink"})
        texts << window.findChild<QLabel *>(QLatin1String(name))->text();
    return texts;
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
    QCOMPARE(pageStack(connection.window())->currentWidget(), &connection.window().kzrPage());
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
    // The line of a send carries the bytes written.
    CommunicationLog &log = connection.window().communicationLog();
    const QString toolTip =
        log.toolTipOfLine(connection.logLines().lastIndexOf(QStringLiteral("Próba LED")));
    QVERIFY2(toolTip.endsWith(QString::fromLatin1(Frame::ledTestCommand().toHex(' ').toUpper())),
             qPrintable(toolTip));

    // A line whose frame could not be written says so instead of pretending.
    clickButton(&connection.window(), "odswiez");
    emit connection.window().wrn1Page().ProbaLED();
    const QString closed = log.toolTipOfLine(connection.logLines().size() - 2);
    QVERIFY2(closed.contains(QStringLiteral("nie wysłano")), qPrintable(closed));
}

void tst_Connection::sendAfterRefreshOnlyLogs()
{
    SimulatedConnection connection("03");
    QVERIFY(connection.connectAndLoad());
    clickButton(&connection.window(), "odswiez");
    QVERIFY(!connection.window().link().isOpen());
    auto *ports = connection.window().findChild<QComboBox *>(QStringLiteral("porty"));
    // Offline mode stays reachable after a refresh.
    QCOMPARE(ports->findText(QStringLiteral("Tryb Offline")), 0);

    const int framesBefore = connection.device().receivedFrames().size();
    emit connection.window().gaPage().WyslijDaneGA();
    // The send line stays as it is and the next line says that nothing went out.
    QCOMPARE(connection.logLines().mid(connection.logLines().size() - 2),
             QStringList({"Wysyłanie konfiguracji do urządzenia",
                          "Nie wysłano: brak połączenia z urządzeniem"}));
    QCOMPARE(connection.log()->textColor(), CommunicationLog::FailureColour);
    QCOMPARE(connection.device().receivedFrames().size(), framesBefore);

    ports->setCurrentIndex(0);
    clickButton(&connection.window(), "polacz");
    QCOMPARE(pageStack(connection.window())->currentWidget(), &connection.window().offlinePage());
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
    // The engineer learns which port failed and why.
    QVERIFY2(closer.closedDetails().contains(QStringLiteral("/dev/no-such-port")),
             qPrintable(closer.closedDetails()));
    // In Polish, in the box, the log and the status bar; never the toolkit's English.
    const QString sentence = QStringLiteral(
        "Nie można otworzyć portu /dev/no-such-port: nie ma takiego portu (adapter nie jest "
        "podłączony albo nazwa jest błędna).");
    QVERIFY2(closer.closedDetails().startsWith(sentence), qPrintable(closer.closedDetails()));
    QVERIFY(!closer.closedDetails().contains(QStringLiteral("No such file")));
    QVERIFY(!closer.closedDetails().contains(QStringLiteral("dialout")));
    QCOMPARE(logLinesOf(window), QStringList{sentence});
    QCOMPARE(statusOf(window),
             QStringList({"/dev/no-such-port", "", "Nie można otworzyć portu"}));

    // A port listed first after a refresh is a port, not the offline entry.
    clickButton(&window, "odswiez");
    ports->insertItem(0, QStringLiteral("/dev/no-such-port"));
    ports->setCurrentIndex(0);
    ModalDialogCloser first;
    clickButton(&window, "polacz");
    QCOMPARE(first.closedText(), QStringLiteral("Błąd połączenia"));
    QCOMPARE(logLinesOf(window), QStringList({sentence, sentence}));

    // An empty list after a refresh has index -1, which is not the offline entry.
    ports->clear();
    ModalDialogCloser second;
    clickButton(&window, "polacz");
    QCOMPARE(second.closedText(), QStringLiteral("Błąd połączenia"));
}

void tst_Connection::testerConnectUsesTesterBaudRate()
{
    SimulatedConnection connection("12");
    clickButton(&connection.window(), "polacz"); // "Tryb Offline" is chosen at start
    QCOMPARE(statusOf(connection.window()), QStringList({"", "Tryb Offline", ""}));
    Offline &chooser = connection.window().offlinePage();
    chooser.updateTesterPorts({connection.link().portName()});
    clickButton(&chooser, "TesterPolacz");
    QVERIFY(connection.window().link().isOpen());
    QCOMPARE(connection.window().link().baudRate(), Frame::TesterBaudRate);
    QVERIFY(connection.waitForFrames(2));
    QCOMPARE(connection.device().receivedFrames().first(), Frame::identificationRequest());
    QTRY_COMPARE(pageStack(connection.window())->currentWidget(),
                 &connection.window().testerPage());
    QCOMPARE(statusOf(connection.window()),
             QStringList({connection.link().portName(), "Tester KZR-1", "Połączono"}));

    // An empty tester port name cannot be opened.
    ORVA2 other;
    clickButton(&other, "polacz");
    ModalDialogCloser closer;
    clickButton(&other.offlinePage(), "TesterPolacz");
    QCOMPARE(closer.closedText(), QStringLiteral("Błąd połączenia"));
    QCOMPARE(logLinesOf(other).first(), QStringLiteral("Offline"));
    QVERIFY2(logLinesOf(other).at(1).startsWith(QStringLiteral("Nie można otworzyć portu")),
             qPrintable(logLinesOf(other).at(1)));
    QCOMPARE(logLinesOf(other).last(), QStringLiteral("Błąd"));
}

// An acknowledgement directly followed by the configuration read after it: both replies
// are handled, so the form shows what the device holds, not what was typed.
void tst_Connection::repliesInOneBurstAreEachHandled()
{
    SimulatedConnection connection(Frame::Reply::Ga);
    QVERIFY(connection.connectAndLoad());
    ga &page = connection.window().gaPage();
    const QByteArray typed = page.encodeConfig();

    QByteArray held = QByteArray(Frame::Reply::GaConfig) + QByteArray(12, '\0');
    held[2] = 0x04; // relay 1 latched
    held[3] = held[5] = 0x01; // 1 s pulses
    held[9] = held[10] = 0x0A; // 100 ms delays
    QByteArray ok(Frame::Size, '\0');
    ok.replace(0, 2, Frame::Reply::Acknowledge);
    connection.link().send(ok + held);
    QTRY_COMPARE(connection.logLines().mid(connection.logLines().size() - 2),
                 QStringList({"Konfiguracja odebrana", "Konfiguracja pobrana"}));
    QVERIFY(page.encodeConfig() != typed);
    QCOMPARE(page.encodeConfig().mid(2), held.mid(2));
}

void tst_Connection::silentDeviceIsReported()
{
    SimulatedConnection connection(Frame::Reply::Kzr);
    connection.device().setAnswering(false);
    connection.pressConnect();
    QTRY_COMPARE(connection.logLines(),
                 QStringList({"Prośba o identyfikator", "Brak odpowiedzi urządzenia"}));
    QCOMPARE(connection.log()->textColor(), CommunicationLog::FailureColour);
    QCOMPARE(statusOf(connection.window()),
             QStringList({connection.link().portName(), "", "Brak odpowiedzi"}));
}

// The page waits for the relay to start answering its read; a relay that never does still has
// its page opened, with the silence reported.
void tst_Connection::relaySilentAfterNamingItselfStillGetsItsPage()
{
    SimulatedConnection connection(Frame::Reply::Kzr);
    ORVA2 &window = connection.window();
    // The relay falls silent once its name is on the way: a relay inside the program answers
    // a request before the request's sending is over.
    QObject::connect(&window.link(), &DeviceLink::answering,
                     [&] { connection.device().setAnswering(false); });
    connection.pressConnect();
    QTRY_COMPARE(connection.logLines().mid(connection.logLines().size() - 2),
                 QStringList({"Pobierz konfiguracje", "Brak odpowiedzi urządzenia"}));
    QCOMPARE(pageStack(window)->currentWidget(), &window.kzrPage());
    QCOMPARE(statusOf(window), QStringList({connection.link().portName(), "KZR-1",
                                            "Brak odpowiedzi"}));
}

void tst_Connection::runawaySenderIsOneLine()
{
    SimulatedConnection connection(Frame::Reply::Wrn1);
    QVERIFY(connection.connectAndLoad());
    const int linesBefore = connection.logLines().size();
    const QByteArray noise(64 * 1024, '\x0A');
    connection.link().send(noise);
    QTRY_COMPARE(connection.logLines().size(), linesBefore + 1);
    QCOMPARE(connection.logLines().last(),
             QStringLiteral("Odebrano nieczytelne dane (%1 B)").arg(noise.size()));
    QVERIFY(connection.window().link().isOpen());
}

void tst_Connection::statusBarFollowsTheLink()
{
    SimulatedConnection connection(Frame::Reply::Gami);
    ORVA2 &window = connection.window();
    const QString port = connection.link().portName();
    // Nothing is known to be connected until the relay has named itself.
    connection.pressConnect();
    QCOMPARE(statusOf(window), QStringList({port, "", "Łączenie…"}));
    QTRY_COMPARE(statusOf(window), QStringList({port, "GA-1 MI", "Połączono"}));
    QVERIFY(connection.waitForFrames(2));

    connection.link().close();
    QTRY_COMPARE(statusOf(window), QStringList({port, "GA-1 MI", "Utracono połączenie"}));

    // Closing the port on purpose leaves nothing that looks connected.
    clickButton(&window, "odswiez");
    QCOMPARE(statusOf(window), QStringList({"", "", ""}));
}

// A page is drawn within the silence that ends the relay's answer, and drawing it again would
// push the answer's handling past it. What its widgets ask for as they are shown, the scroll
// bars its layout settles and the change marks' layer taking its size belong to that one paint.
void tst_Connection::pageIsPaintedOnceBeforeItsConfiguration()
{
    SimulatedConnection connection("01");
    ORVA2 &window = connection.window();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const PaintCounter paints;
    int replies = 0;
    int paintsBeforeConfiguration = -1;
    QObject::connect(&window.link(), &DeviceLink::replyReceived, &window, [&] {
        if (++replies == 2)
            paintsBeforeConfiguration = paints.of(&window.kzrPage());
    });
    QVERIFY(connection.connectAndLoad());
    QCOMPARE(paintsBeforeConfiguration, 1);
}

QTEST_MAIN(tst_Connection)
#include "tst_connection.moc"
