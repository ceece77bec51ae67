#include "tests/reliability/formframes.h"
#include "tests/support/simulatedconnection.h"

#include "protocol/frames.h"
#include "protocol/modeltable.h"

#include <QRandomGenerator>
#include <QStackedWidget>
#include <QTest>

// A device that stops in the middle of a reply and stays on the line.
class tst_StalledDevice : public QObject
{
    Q_OBJECT

private slots:
    void partialReplyThenRecovery_data();
    void partialReplyThenRecovery();
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

// The bytes that did come (after the write's read-back, lest they fall together) are handled
// as a block of their own once the line is quiet; the next answer reads the form in full.
void tst_StalledDevice::partialReplyThenRecovery()
{
    QFETCH(QByteArray, identity);
    QFETCH(int, cut);

    SimulatedConnection connection(identity);
    ORVA2 &window = connection.window();
    QVERIFY(connection.connectAndLoad());
    QWidget *page =
        window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"))->currentWidget();
    QRandomGenerator random(11);
    fillForm(page, identity, random);
    const int receivedBefore = connection.device().receivedFrames().size();
    const QList<QByteArray> stored = sentFrames(window, page);
    QVERIFY(connection.waitForLogLine(QStringLiteral("Zapis potwierdzony odczytem")));
    QCOMPARE(connection.device().receivedFrames().mid(receivedBefore, stored.size()), stored);

    const ModelInfo &model = *ModelInfo::byIdentity(identity);
    connection.clearReplies();
    window.PobierzDaneSlot();
    QTRY_VERIFY(connection.lastReply().startsWith(model.configHeader));
    const QByteArray reply = connection.lastReply();
    QCOMPARE(reply.size(), model.configReplySize());

    const QByteArray partial = reply.left(cut);
    connection.link().send(partial);
    QTRY_COMPARE(connection.lastReply(), partial);
    QVERIFY(window.link().isOpen());
    QVERIFY(connection.logLines().last().startsWith(QStringLiteral("Konfiguracja pobrana")));

    window.PobierzDaneSlot();
    QTRY_COMPARE(connection.lastReply(), reply);
    QCOMPARE(sentFrames(window, page), stored);
}

QTEST_MAIN(tst_StalledDevice)
#include "tst_stalleddevice.moc"
