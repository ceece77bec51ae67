#include "tests/fuzz/pagecodecs.h"
#include "tests/fuzz/widgetstate.h"
#include "tests/fuzz/writtenconfiguration.h"
#include "tests/support/simulatedconnection.h"

#include "protocol/frames.h"

#include <QTest>

namespace {

// The reply a device sends for stored frames: each frame with the reply header in place of
// the configuration header.
QByteArray configReply(const QByteArray &frames, const QByteArray &replyHeader)
{
    QByteArray reply;
    for (int at = 0; at < frames.size(); at += Frame::Size)
        reply += replyHeader + frames.mid(at + 2, Frame::Size - 2);
    return reply;
}

} // namespace

// A device that stops in the middle of a reply and stays on the line.
class tst_StalledDevice : public QObject
{
    Q_OBJECT

private slots:
    void partialReplyThenRecovery_data();
    void partialReplyThenRecovery();
    void sendingToSilentDeviceDoesNotWait();
};

void tst_StalledDevice::partialReplyThenRecovery_data()
{
    QTest::addColumn<QByteArray>("identity");
    QTest::addColumn<int>("cut");
    QTest::newRow("GA-1 half a frame") << QByteArray(Frame::Reply::Ga) << Frame::Size / 2;
    QTest::newRow("WRN-2 first of two frames") << QByteArray(Frame::Reply::Wrn2) << Frame::Size;
    QTest::newRow("DRAV-1 header only") << QByteArray(Frame::Reply::Drav) << 2;
    QTest::newRow("NOV-1 one byte short") << QByteArray(Frame::Reply::Nov) << Frame::Size - 1;
}

// The bytes that did come are handled as a block of their own once the line is quiet,
// without waiting for the rest; when the device answers again the form is read in full.
void tst_StalledDevice::partialReplyThenRecovery()
{
    QFETCH(QByteArray, identity);
    QFETCH(int, cut);

    SimulatedConnection connection(identity);
    ORVA2 &window = connection.window();
    const QByteArray stored = writtenConfiguration(identity, 11);
    connection.device().setStoredPayload(payloadOf(stored));
    QVERIFY(connection.connectAndLoad());
    const PageCodec codec = codecFor(pageCodecs(window), identity);
    QCOMPARE(codec.encode(), stored);

    const QByteArray partial = configReply(stored, codec.replyHeader).left(cut);
    connection.link().send(partial);
    QTRY_COMPARE(connection.lastReply(), partial);
    QVERIFY(window.link().isOpen());
    QVERIFY(connection.logLines().last().startsWith(QStringLiteral("Konfiguracja pobrana")));

    window.PobierzDaneSlot();
    QTRY_COMPARE(connection.lastReply(), configReply(stored, codec.replyHeader));
    QCOMPARE(codec.encode(), stored);
}

// Writing to a device that has stopped answering goes out and is logged; nothing waits for
// an acknowledgement that never comes, and the form stays as it was.
void tst_StalledDevice::sendingToSilentDeviceDoesNotWait()
{
    SimulatedConnection connection(Frame::Reply::Wrn1);
    ORVA2 &window = connection.window();
    QVERIFY(connection.connectAndLoad());
    const QByteArray partial = QByteArray(Frame::Reply::Wrn1Config).append('\x01');
    connection.link().send(partial);
    QTRY_COMPARE(connection.lastReply(), partial);
    connection.device().setAnswering(false);
    connection.device().clearReceivedFrames();

    WRN2 &page = window.wrn1Page();
    const QStringList form = widgetState(&page);
    emit page.WyslijDaneWRN();
    emit page.ProbaLED();
    QVERIFY(connection.waitForFrames(2));
    QCOMPARE(connection.device().receivedFrames(),
             QList<QByteArray>({page.encodeConfig(), Frame::ledTestCommand()}));
    QVERIFY(window.link().isOpen());
    QCOMPARE(connection.logLines().mid(connection.logLines().size() - 2),
             QStringList({"Wysyłanie konfiguracji do urządzenia", "Próba LED"}));
    QCOMPARE(widgetState(&page), form);
}

QTEST_MAIN(tst_StalledDevice)
#include "tst_stalleddevice.moc"
