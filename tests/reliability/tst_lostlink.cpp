#include "tests/fuzz/pagecodecs.h"
#include "tests/fuzz/widgetstate.h"
#include "tests/fuzz/writtenconfiguration.h"
#include "tests/support/simulatedconnection.h"

#include "pages/common/devicepage.h"
#include "protocol/frames.h"

#include <QMetaMethod>
#include <QRandomGenerator>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

namespace {

const QString LostLine = QStringLiteral("Utracono połączenie z urządzeniem");
// Event-loop turns to let pass before concluding that something did not happen.
constexpr int QuietTicks = 10;

QWidget *shownPage(ORVA2 &window)
{
    return window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"))->currentWidget();
}

// Every parameterless signal a page emits towards the device; the back-to-start signal
// ends the program and is left out.
QList<QMetaMethod> deviceSignalsOf(QWidget *page)
{
    QList<QMetaMethod> methods;
    const QMetaObject *meta = page->metaObject();
    for (int i = DevicePage::staticMetaObject.methodCount(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.methodType() == QMetaMethod::Signal && method.parameterCount() == 0 &&
            !method.name().startsWith("PowrotPoczatek"))
            methods << method;
    }
    return methods;
}

// Lets the event loop turn a number of times, so anything queued by an earlier event (a
// repeated port error, a burst timer) has had its chance to run.
bool letEventLoopTurn(int ticks)
{
    int count = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++count; });
    ticker.start();
    return QTest::qWaitFor([&] { return count >= ticks; });
}

} // namespace

// A device or adapter that disappears in the middle of a session.
class tst_LostLink : public QObject
{
    Q_OBJECT

private slots:
    void formAndLogSurviveLostLink_data();
    void formAndLogSurviveLostLink();
    void vanishingMidBurstKeepsWindowUsable();
    void reconnectAfterLossReadsAgain();
};

void tst_LostLink::formAndLogSurviveLostLink_data()
{
    QTest::addColumn<QByteArray>("identity");
    for (const QByteArray &identity : SimulatedDevice::knownIdentities())
        QTest::newRow(identity.constData()) << identity;
}

// What the engineer typed stays in the form when the link goes, and the buttons that
// would talk to the device afterwards only log what they would have sent.
void tst_LostLink::formAndLogSurviveLostLink()
{
    QFETCH(QByteArray, identity);
    SimulatedConnection connection(identity);
    ORVA2 &window = connection.window();
    const quint32 seed = identity.toUInt();
    connection.device().setStoredPayload(payloadOf(writtenConfiguration(identity, seed)));
    QVERIFY(connection.connectAndLoad());

    QWidget *page = shownPage(window);
    QRandomGenerator random(seed);
    editInputs(page, random);
    const QStringList form = widgetState(page);
    const QVector<PageCodec> codecs = pageCodecs(window);
    const PageCodec codec = codecFor(codecs, identity);
    const QByteArray frames = codec.encode();

    connection.link().close();
    QTRY_VERIFY(!window.link().isOpen());
    QVERIFY(letEventLoopTurn(QuietTicks));
    QCOMPARE(shownPage(window), page);
    QCOMPARE(widgetState(page), form);
    QCOMPARE(codec.encode(), frames);

    // Some pages declare signals the window leaves unconnected; those do nothing. The send
    // signal is connected on every page and must leave its line in the log.
    bool sendLogged = false;
    for (const QMetaMethod &signal : deviceSignalsOf(page)) {
        const int linesBefore = connection.logLines().size();
        QVERIFY(signal.invoke(page, Qt::DirectConnection));
        if (signal.name().startsWith("WyslijDane"))
            sendLogged = connection.logLines().size() > linesBefore;
        QVERIFY(!window.link().isOpen());
    }
    QVERIFY(sendLogged);
    QVERIFY(letEventLoopTurn(QuietTicks));
    QCOMPARE(widgetState(page), form);
    QCOMPARE(connection.logLines().count(LostLine), 1);
}

// Half a configuration reply is on its way when the device vanishes: whatever became of
// those bytes, the port is closed, the loss is logged once and the window still works.
void tst_LostLink::vanishingMidBurstKeepsWindowUsable()
{
    SimulatedConnection connection(Frame::Reply::Ga);
    ORVA2 &window = connection.window();
    QVERIFY(connection.connectAndLoad());

    const QByteArray reply = QByteArray(Frame::Reply::GaConfig) + QByteArray(12, '\x05');
    connection.link().send(reply.left(Frame::Size / 2));
    connection.link().close();
    QTRY_VERIFY(!window.link().isOpen());
    QVERIFY(letEventLoopTurn(QuietTicks));
    QCOMPARE(connection.logLines().count(LostLine), 1);
    // The half reply is not decoded after the loss, over what the engineer sees.
    QCOMPARE(connection.logLines().last(), LostLine);

    // The window still handles what it is given: an identification opens its page.
    window.processBlock(QByteArray(Frame::Reply::Wrn1) + "031507" + QByteArray(6, '\0'));
    QCOMPARE(shownPage(window), &window.wrn1Page());
    QCOMPARE(connection.logLines().count(LostLine), 1);
}

// Plugging the device back in and pressing connect again works as the first time, and the
// configuration read replaces the form.
void tst_LostLink::reconnectAfterLossReadsAgain()
{
    SimulatedConnection connection(Frame::Reply::Wrn2);
    ORVA2 &window = connection.window();
    QVERIFY(connection.connectAndLoad());
    connection.link().close();
    QTRY_VERIFY(!window.link().isOpen());

    const QByteArray stored = writtenConfiguration(Frame::Reply::Wrn2, 99);
    connection.device().setStoredPayload(payloadOf(stored));
    connection.device().clearReceivedFrames();
    QVERIFY(connection.link().open());
    QVERIFY(connection.connectAndLoad());
    QVERIFY(window.link().isOpen());
    QCOMPARE(codecFor(pageCodecs(window), Frame::Reply::Wrn2).encode(), stored);
    QCOMPARE(connection.logLines().count(LostLine), 1);
}

QTEST_MAIN(tst_LostLink)
#include "tst_lostlink.moc"
