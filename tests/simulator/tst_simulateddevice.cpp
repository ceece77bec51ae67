#include "simulator/simulateddevice.h"

#include "protocol/frames.h"

#include <QSignalSpy>
#include <QTest>

// The simulator is the yardstick of every end-to-end test, so its own answers are checked.
class tst_SimulatedDevice : public QObject
{
    Q_OBJECT

private slots:
    void identifiesAsEveryModel_data();
    void identifiesAsEveryModel();
    void storesAndReadsBack();
    void twoFrameConfiguration();
    void viewAndUnlock();
    void framesSplitAcrossWrites();
};

static QByteArray lastTransmitted(QSignalSpy &spy)
{
    return spy.isEmpty() ? QByteArray() : spy.last().first().toByteArray();
}

void tst_SimulatedDevice::identifiesAsEveryModel_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("identity");
    QTest::newRow("TLMX-1") << "tlmx1" << QByteArray("02");
    QTest::newRow("GA-1 MI") << "GA-1 MI" << QByteArray("08");
    QTest::newRow("tester") << "Tester KZR-1" << QByteArray("12");
    QTest::newRow("code") << "07" << QByteArray("07");
    QTest::newRow("unknown") << "XYZ-9" << QByteArray();
}

void tst_SimulatedDevice::identifiesAsEveryModel()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, identity);
    QCOMPARE(SimulatedDevice::identityFor(name), identity);
    if (identity.isEmpty())
        return;

    SimulatedDevice device(identity);
    device.setVersion("031507");
    device.setRangeVariant('1');
    QSignalSpy spy(&device, &SimulatedDevice::transmit);
    device.receive(Frame::identificationRequest());
    QCOMPARE(lastTransmitted(spy).left(9), identity + QByteArray("0315071"));
    QCOMPARE(lastTransmitted(spy).size(), Frame::Size);
}

void tst_SimulatedDevice::storesAndReadsBack()
{
    SimulatedDevice device("03");
    QSignalSpy spy(&device, &SimulatedDevice::transmit);
    QByteArray config = Frame::configFrame();
    for (int i = 2; i < Frame::Size; ++i)
        config[i] = static_cast<char>(i * 3);
    device.receive(config);
    QCOMPARE(lastTransmitted(spy), QByteArray("OK") + QByteArray(12, '\0'));
    device.receive(Frame::readRequest());
    QCOMPARE(lastTransmitted(spy), QByteArray("DF") + config.mid(2));

    // The time relay keeps what it receives but has nothing to answer a read with.
    SimulatedDevice hel("06");
    QSignalSpy helSpy(&hel, &SimulatedDevice::transmit);
    hel.receive(config);
    hel.receive(Frame::readRequest());
    QCOMPARE(helSpy.size(), 1);
    QCOMPARE(hel.storedPayload(), config.mid(2));
}

void tst_SimulatedDevice::twoFrameConfiguration()
{
    SimulatedDevice device("07");
    QSignalSpy spy(&device, &SimulatedDevice::transmit);
    QByteArray part1 = Frame::configFrame();
    QByteArray part2 = Frame::configFramePart2();
    part1[2] = 0x11;
    part2[2] = 0x22;
    device.receive(part1 + part2);
    device.receive(Frame::readRequest());
    const QByteArray reply = lastTransmitted(spy);
    QCOMPARE(reply.size(), 2 * Frame::Size);
    QVERIFY(reply.startsWith("DI"));
    QCOMPARE(reply.at(2), char(0x11));
    QCOMPARE(reply.at(16), char(0x22));
}

void tst_SimulatedDevice::viewAndUnlock()
{
    SimulatedDevice device("02");
    device.setViewState(0x0F);
    QSignalSpy spy(&device, &SimulatedDevice::transmit);
    device.receive(Frame::viewRequest());
    QCOMPARE(lastTransmitted(spy).left(2), QByteArray("dV"));
    QCOMPARE(lastTransmitted(spy).at(5), char(0x0F));
    device.receive(Frame::unlockCommand());
    QCOMPARE(device.viewState(), quint8(0x0E));
    device.receive(Frame::viewRequest());
    QCOMPARE(lastTransmitted(spy).at(5), char(0x0E));

    SimulatedDevice ga("03");
    QSignalSpy gaSpy(&ga, &SimulatedDevice::transmit);
    ga.receive(Frame::viewRequest());
    QVERIFY(gaSpy.isEmpty());
}

void tst_SimulatedDevice::framesSplitAcrossWrites()
{
    SimulatedDevice device("05");
    QSignalSpy spy(&device, &SimulatedDevice::transmit);
    const QByteArray request = Frame::identificationRequest();
    device.receive(request.left(5));
    QVERIFY(spy.isEmpty());
    device.receive(request.mid(5) + Frame::ledTestCommand().left(3));
    QCOMPARE(spy.size(), 1);
    device.receive(Frame::ledTestCommand().mid(3));
    QCOMPARE(lastTransmitted(spy).left(2), QByteArray("PL"));
    QCOMPARE(device.receivedFrames().size(), 2);
}

QTEST_GUILESS_MAIN(tst_SimulatedDevice)
#include "tst_simulateddevice.moc"
