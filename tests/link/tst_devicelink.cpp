#include "link/devicelink.h"
#include "protocol/frames.h"
#include "platform/pseudoterminal.h"
#include "simulator/deviceline.h"

#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(DeviceLine::Kind)

namespace {

QByteArray frame(const char *header, char fill = '\0')
{
    QByteArray bytes(Frame::Size, fill);
    bytes.replace(0, 2, header);
    return bytes;
}

QList<QByteArray> repliesOf(const QSignalSpy &spy)
{
    QList<QByteArray> replies;
    for (const QList<QVariant> &arguments : spy)
        replies << arguments.at(0).toByteArray();
    return replies;
}

// A link that will not see the second frame of a two-frame reply must say so only after
// its wait; this long is surely past it.
constexpr int PastSecondFrameWaitMs = DeviceLink::SecondFrameWaitMs * 3;
constexpr int ShortAnswerTimeoutMs = 600;
// Longer than a burst's silence: what the line was going to deliver has arrived.
constexpr int QuietMs = Frame::BurstSilenceMs * 3;

// Every scenario with a device runs on each kind of line the link may meet: a pseudo-terminal
// through the real serial stack, and a port inside the process as on Windows.
void addLineKinds()
{
    QTest::addColumn<DeviceLine::Kind>("kind");
    QTest::newRow("pseudo-terminal") << DeviceLine::Kind::Pseudoterminal;
    QTest::newRow("in-process") << DeviceLine::Kind::InProcess;
}

} // namespace

// The row's kind of line; the row is skipped where the system cannot make it.
#define FETCH_LINE_KIND()                                                                      \
    QFETCH(DeviceLine::Kind, kind);                                                            \
    if (kind == DeviceLine::Kind::Pseudoterminal && !Pseudoterminal::available())              \
    QSKIP("This system makes no pseudo-terminals; the in-process row runs the scenario")

namespace {

std::unique_ptr<DeviceLine> openLine(DeviceLine::Kind kind)
{
    std::unique_ptr<DeviceLine> line = DeviceLine::make(kind);
    line->open();
    return line;
}

} // namespace

class tst_DeviceLink : public QObject
{
    Q_OBJECT

private slots:
    void burstIsCutIntoReplies_data();
    void burstIsCutIntoReplies();
    void secondFrameIsAwaitedForAWhile();
    void runawaySenderIsCountedNotKept();
    void closingDropsWhatIsPending_data() { addLineKinds(); }
    void closingDropsWhatIsPending();
    void unansweredRequestIsReportedOnce_data();
    void unansweredRequestIsReportedOnce();
    void connectingElsewhereClosesTheOldPort_data() { addLineKinds(); }
    void connectingElsewhereClosesTheOldPort();
    void pulledLineIsLostOnce_data() { addLineKinds(); }
    void pulledLineIsLostOnce();
    void localPortTakesTheBaudRate();
};

void tst_DeviceLink::burstIsCutIntoReplies_data()
{
    QTest::addColumn<QByteArray>("burst");
    QTest::addColumn<QList<QByteArray>>("replies");

    const QByteArray ok = frame(Frame::Reply::Acknowledge);
    const QByteArray config = frame(Frame::Reply::GaConfig, '\x11');
    const QByteArray view = frame(Frame::Reply::KzrView, '\x03');
    const QByteArray wrn2 =
        frame(Frame::Reply::Wrn2Config, '\x21') + frame(Frame::Reply::Wrn2Config, '\x22');
    const QByteArray identity = QByteArray("04031507").leftJustified(Frame::Size, '\0');

    QTest::newRow("one frame") << config << QList<QByteArray>{config};
    QTest::newRow("acknowledgement then configuration")
        << ok + config << QList<QByteArray>{ok, config};
    QTest::newRow("two acknowledgements") << ok + ok << QList<QByteArray>{ok, ok};
    QTest::newRow("unlock reply then view") << ok + view << QList<QByteArray>{ok, view};
    QTest::newRow("identification then configuration")
        << identity + config << QList<QByteArray>{identity, config};
    QTest::newRow("two-frame configuration then acknowledgement")
        << wrn2 + ok << QList<QByteArray>{wrn2, ok};
    // Bytes that start no known reply stay with the frame before them, as they always did.
    QTest::newRow("frame and unknown tail")
        << config + "DL\x01" << QList<QByteArray>{config + "DL\x01"};
    QTest::newRow("unknown header") << QByteArray("xyz") << QList<QByteArray>{"xyz"};
    QTest::newRow("short reply") << ok.left(5) << QList<QByteArray>{ok.left(5)};
}

void tst_DeviceLink::burstIsCutIntoReplies()
{
    QFETCH(QByteArray, burst);
    QFETCH(QList<QByteArray>, replies);
    DeviceLink link;
    QSignalSpy spy(&link, &DeviceLink::replyReceived);
    QSignalSpy answering(&link, &DeviceLink::answering);
    link.deliver(burst.left(3));
    link.deliver(burst.mid(3));
    QTRY_COMPARE(repliesOf(spy), replies);
    // However it arrives, a burst begins once.
    QCOMPARE(answering.count(), 1);
}

// The second frame of a two-frame reply may come as a burst of its own: it joins the first
// while the wait lasts, and after it the first frame is handed on alone.
void tst_DeviceLink::secondFrameIsAwaitedForAWhile()
{
    DeviceLink link;
    QSignalSpy spy(&link, &DeviceLink::replyReceived);
    const QByteArray first = frame(Frame::Reply::Wrn2Config, '\x01');
    const QByteArray second = frame(Frame::Reply::Wrn2Config, '\x02');
    link.deliver(first);
    // Past the 20 ms of silence that ends a burst, well within the wait for the second frame.
    QTest::qWait(Frame::BurstSilenceMs * 4);
    QCOMPARE(spy.count(), 0);
    link.deliver(second);
    QTRY_COMPARE(repliesOf(spy), QList<QByteArray>{first + second});

    link.deliver(first);
    QVERIFY(spy.wait(PastSecondFrameWaitMs));
    QCOMPARE(repliesOf(spy).last(), first);
}

void tst_DeviceLink::runawaySenderIsCountedNotKept()
{
    DeviceLink link;
    QSignalSpy replies(&link, &DeviceLink::replyReceived);
    QSignalSpy unreadable(&link, &DeviceLink::unreadableReceived);
    const QByteArray chunk(1024, '\x55');
    constexpr int Chunks = 4096;
    for (int i = 0; i < Chunks; ++i)
        link.deliver(chunk);
    QVERIFY(unreadable.wait());
    QCOMPARE(unreadable.count(), 1);
    QCOMPARE(unreadable.first().at(0).toLongLong(), qint64(Chunks) * chunk.size());
    QCOMPARE(replies.count(), 0);

    // The next reply after the noise is read as usual.
    const QByteArray ok = frame(Frame::Reply::Acknowledge);
    link.deliver(ok);
    QTRY_COMPARE(repliesOf(replies), QList<QByteArray>{ok});
    QCOMPARE(unreadable.count(), 1);
}

// Half a reply that was on its way when the port closed must not turn up later as if it
// had been answered, nor stand in front of the next device's first reply.
void tst_DeviceLink::closingDropsWhatIsPending()
{
    DeviceLink link;
    QSignalSpy spy(&link, &DeviceLink::replyReceived);
    link.deliver(frame(Frame::Reply::GaConfig, '\x05').left(7));
    link.close();
    QVERIFY(!spy.wait(PastSecondFrameWaitMs));

    // Nor do bytes that reached the line while the port was closed.
    FETCH_LINE_KIND();
    const std::unique_ptr<DeviceLine> line = openLine(kind);
    DeviceLine &device = *line;
    QVERIFY(device.isOpen());
    device.send(frame(Frame::Reply::GaConfig, '\x05').left(7));
    QTest::qWait(QuietMs);
    QVERIFY(link.open(device.portName(), Frame::DeviceBaudRate));
    const QByteArray identity = QByteArray("03031507").leftJustified(Frame::Size, '\0');
    device.send(identity);
    QTRY_COMPARE(repliesOf(spy), QList<QByteArray>{identity});
}

void tst_DeviceLink::unansweredRequestIsReportedOnce_data()
{
    QTest::addColumn<DeviceLine::Kind>("kind");
    QTest::addColumn<int>("acknowledgements");
    for (const DeviceLine::Kind kind :
         {DeviceLine::Kind::Pseudoterminal, DeviceLine::Kind::InProcess}) {
        const char *line =
            kind == DeviceLine::Kind::Pseudoterminal ? "pseudo-terminal" : "in-process";
        QTest::addRow("%s, nothing answers", line) << kind << 0;
        QTest::addRow("%s, second part unanswered", line) << kind << 1;
        QTest::addRow("%s, both parts answered", line) << kind << 2;
    }
}

// Two parts each acknowledged, each answer coming late: an answer restarts the clock, a part
// left unanswered is reported once, and a request nobody awaits an answer to never is.
void tst_DeviceLink::unansweredRequestIsReportedOnce()
{
    FETCH_LINE_KIND();
    QFETCH(int, acknowledgements);
    const std::unique_ptr<DeviceLine> line = openLine(kind);
    DeviceLine &device = *line;
    QVERIFY(device.isOpen());
    DeviceLink link;
    link.setAnswerTimeout(ShortAnswerTimeoutMs);
    QSignalSpy noAnswer(&link, &DeviceLink::noAnswer);
    QSignalSpy replies(&link, &DeviceLink::replyReceived);
    QVERIFY(link.open(device.portName(), Frame::DeviceBaudRate));
    QVERIFY(link.send(Frame::configFrame(), Frame::WriteWait, DeviceLink::Answer::Awaited));
    QVERIFY(link.send(Frame::configFramePart2(), Frame::WriteWait, DeviceLink::Answer::Awaited));
    for (int answered = 1; answered <= acknowledgements; ++answered) {
        // Together the two pauses outlast one timeout.
        QTest::qWait(ShortAnswerTimeoutMs / 2);
        device.send(frame(Frame::Reply::Acknowledge));
        QTRY_COMPARE(replies.count(), answered);
    }
    link.send(Frame::ledTestCommand(), Frame::WriteWait);
    const int reported = acknowledgements < 2 ? 1 : 0;
    if (reported)
        QVERIFY(noAnswer.wait());
    QVERIFY(!noAnswer.wait(ShortAnswerTimeoutMs * 3));
    QCOMPARE(noAnswer.count(), reported);

    // A closed port writes nothing, so nothing can go unanswered.
    link.close();
    QVERIFY(!link.send(Frame::readRequest(), Frame::WriteWait, DeviceLink::Answer::Awaited));
    QVERIFY(!noAnswer.wait(ShortAnswerTimeoutMs * 3));
}

void tst_DeviceLink::connectingElsewhereClosesTheOldPort()
{
    FETCH_LINE_KIND();
    const std::unique_ptr<DeviceLine> firstLine = openLine(kind);
    const std::unique_ptr<DeviceLine> secondLine = openLine(kind);
    DeviceLine &first = *firstLine;
    DeviceLine &second = *secondLine;
    QVERIFY(first.isOpen() && second.isOpen());
    DeviceLink link;
    QVERIFY(link.open(first.portName(), Frame::DeviceBaudRate));
    QVERIFY(link.open(second.portName(), Frame::DeviceBaudRate));
    QCOMPARE(link.portName(), second.portName());

    QSignalSpy toFirst(&first, &DeviceLine::received);
    QSignalSpy toSecond(&second, &DeviceLine::received);
    link.send(Frame::identificationRequest(), Frame::WriteWait);
    QTRY_COMPARE(toSecond.count(), 1);
    QCOMPARE(toSecond.first().at(0).toByteArray(), Frame::identificationRequest());
    QTest::qWait(QuietMs);
    QCOMPARE(toFirst.count(), 0);
}

// A device pulled out closes the link and is said once; a device plugged in again is opened
// again and answers as before.
void tst_DeviceLink::pulledLineIsLostOnce()
{
    FETCH_LINE_KIND();
    const std::unique_ptr<DeviceLine> line = openLine(kind);
    DeviceLine &device = *line;
    QVERIFY(device.isOpen());
    DeviceLink link;
    QSignalSpy lost(&link, &DeviceLink::linkLost);
    QSignalSpy replies(&link, &DeviceLink::replyReceived);
    QVERIFY(link.open(device.portName(), Frame::DeviceBaudRate));
    device.close();
    QVERIFY(lost.wait());
    QVERIFY(!link.isOpen());
    QVERIFY(!lost.first().at(0).toString().isEmpty());
    QVERIFY(!link.send(Frame::readRequest(), Frame::WriteWait));
    QTest::qWait(QuietMs);
    QCOMPARE(lost.count(), 1);

    QVERIFY(device.open());
    QVERIFY(link.open(device.portName(), Frame::DeviceBaudRate));
    const QByteArray ok = frame(Frame::Reply::Acknowledge);
    device.send(ok);
    QTRY_COMPARE(repliesOf(replies), QList<QByteArray>{ok});
    QCOMPARE(lost.count(), 1);
}

// The simulated tester is told the rate the program set, as a serial port would be set; a
// pulled local port does not open, like a vanished adapter.
void tst_DeviceLink::localPortTakesTheBaudRate()
{
    const std::unique_ptr<DeviceLine> device = DeviceLine::make(DeviceLine::Kind::InProcess);
    QVERIFY(device->open());
    DeviceLink link;
    QVERIFY(link.open(device->portName(), Frame::TesterBaudRate));
    QCOMPARE(link.baudRate(), Frame::TesterBaudRate);
    QVERIFY(link.open(device->portName(), Frame::DeviceBaudRate));
    QCOMPARE(link.baudRate(), Frame::DeviceBaudRate);
    link.close();
    device->close();
    QVERIFY(!link.open(device->portName(), Frame::DeviceBaudRate));
    QCOMPARE(link.lastError(), QSerialPort::DeviceNotFoundError);
    QVERIFY2(link.openFailure().contains(QStringLiteral("nie ma takiego portu")),
             qPrintable(link.openFailure()));
}

QTEST_GUILESS_MAIN(tst_DeviceLink)
#include "tst_devicelink.moc"
