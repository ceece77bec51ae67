#include "tests/reliability/formframes.h"
#include "tests/support/simulatedconnection.h"

#include "pages/common/devicepage.h"
#include "protocol/frames.h"

#include <QMetaMethod>
#include <QRandomGenerator>
#include <QStackedWidget>
#include <QTest>
#include <QTextBrowser>

namespace {

const QString LostLine = QStringLiteral("Utracono połączenie z urządzeniem");
// How long the event loop runs before concluding that something did not happen: longer than
// a burst's silence, so a half reply or a repeated port error would have shown.
constexpr int QuietMs = 50;

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
    QVERIFY(connection.connectAndLoad());
    QWidget *page = shownPage(window);
    QRandomGenerator random(identity.toUInt());
    fillForm(page, identity, random);
    const QList<QByteArray> frames = sentFrames(window, page);
    QVERIFY(!frames.isEmpty());

    connection.link().close();
    QTRY_VERIFY(!window.link().isOpen());
    QTest::qWait(QuietMs);
    QCOMPARE(shownPage(window), page);

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
    QTest::qWait(QuietMs);
    QCOMPARE(shownPage(window), page);
    QCOMPARE(sentFrames(window, page), frames);
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
    QTest::qWait(QuietMs);
    QCOMPARE(connection.logLines().count(LostLine), 1);
    // The half reply is not decoded after the loss, over what the engineer sees.
    QCOMPARE(connection.logLines().last(), LostLine);
    QCOMPARE(connection.log()->textColor(), CommunicationLog::FailureColour);

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
    QWidget *page = shownPage(window);
    QRandomGenerator random(99);
    fillForm(page, Frame::Reply::Wrn2, random);
    const int receivedBefore = connection.device().receivedFrames().size();
    const QList<QByteArray> stored = sentFrames(window, page);
    QTRY_COMPARE(connection.device().receivedFrames().mid(receivedBefore), stored);

    connection.link().close();
    QTRY_VERIFY(!window.link().isOpen());
    fillForm(page, Frame::Reply::Wrn2, random);
    QVERIFY(sentFrames(window, page) != stored);
    connection.device().clearReceivedFrames();
    QVERIFY(connection.link().open());
    QVERIFY(connection.connectAndLoad());
    QVERIFY(window.link().isOpen());
    QCOMPARE(sentFrames(window, page), stored);
    QCOMPARE(connection.logLines().count(LostLine), 1);
}

QTEST_MAIN(tst_LostLink)
#include "tst_lostlink.moc"
