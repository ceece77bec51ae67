#include "tests/support/simulatedconnection.h"

#include "protocol/frames.h"

#include <QTest>
#include <QTextBrowser>

#include <functional>

// Each page signal, once connected, puts exactly its frame on the line with its red log line.
class tst_SendingSlots : public QObject
{
    Q_OBJECT

private slots:
    void fixedFrames_data();
    void fixedFrames();
    void wrn2SendsTwoParts();
};

using Trigger = std::function<void(ORVA2 &)>;
Q_DECLARE_METATYPE(Trigger)

void tst_SendingSlots::fixedFrames_data()
{
    QTest::addColumn<QByteArray>("identity");
    QTest::addColumn<Trigger>("trigger");
    QTest::addColumn<QString>("logLine");
    QTest::addColumn<QByteArray>("frame");

    QTest::newRow("read from GA") << QByteArray("03")
                                  << Trigger([](ORVA2 &w) { emit w.gaPage().PobierzDaneZGA(); })
                                  << "Pobierz konfiguracje" << Frame::readRequest();
    QTest::newRow("view") << QByteArray("01")
                          << Trigger([](ORVA2 &w) { emit w.kzrPage().WidokZalaczonyKZR(); })
                          << "Dane dla Widoku" << QByteArray("dV") + QByteArray(12, '\x01');
    QTest::newRow("unlock") << QByteArray("01")
                            << Trigger([](ORVA2 &w) { emit w.kzrPage().OdblokujZProgramu(); })
                            << "Odblokuj z programu" << QByteArray("BL") + QByteArray(12, '\x01');
    QTest::newRow("LED test NOV") << QByteArray("10")
                                  << Trigger([](ORVA2 &w) { emit w.novPage().ProbaLEDNOV(); })
                                  << "Próba LED" << QByteArray("PL") + QByteArray(12, '\0');
    QTest::newRow("LED reset WRN-1")
        << QByteArray("04") << Trigger([](ORVA2 &w) { emit w.wrn1Page().KasowanieLEDWRN(); })
        << "KASOWANIE LED" << QByteArray("del") + QByteArray(11, '\0');
}

void tst_SendingSlots::fixedFrames()
{
    QFETCH(QByteArray, identity);
    QFETCH(Trigger, trigger);
    QFETCH(QString, logLine);
    QFETCH(QByteArray, frame);

    SimulatedConnection connection(identity);
    QVERIFY(connection.connectAndLoad());
    connection.device().clearReceivedFrames();
    connection.log()->setTextColor(Qt::green);

    trigger(connection.window());
    QVERIFY(connection.logLines().contains(logLine));
    QVERIFY(connection.waitForFrames(1));
    QCOMPARE(connection.device().receivedFrames().first().toHex(' '), frame.toHex(' '));
    QCOMPARE(connection.device().receivedFrames().size(), 1);
}

void tst_SendingSlots::wrn2SendsTwoParts()
{
    SimulatedConnection connection("07");
    QVERIFY(connection.connectAndLoad());
    connection.device().clearReceivedFrames();

    emit connection.window().wrn2Page().WyslijDaneWRN2();
    const QStringList lines = connection.logLines();
    QCOMPARE(lines.mid(lines.size() - 2),
             QStringList({"Wysyłanie konfiguracji do urządzenia cz 1",
                          "Wysyłanie konfiguracji do urządzenia cz 2"}));
    QVERIFY(connection.waitForFrames(2));
    const QList<QByteArray> frames = connection.device().receivedFrames();
    QCOMPARE(frames.size(), 2);
    QCOMPARE(frames.at(0), connection.window().wrn2Page().encodeConfigPart1());
    QCOMPARE(frames.at(1), connection.window().wrn2Page().encodeConfigPart2());
    QCOMPARE(frames.at(0).left(2), QByteArray("\nU"));
    QCOMPARE(frames.at(1).left(2), QByteArray("\nV"));
}

QTEST_MAIN(tst_SendingSlots)
#include "tst_sendingslots.moc"
