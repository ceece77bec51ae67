#include "tests/fuzz/fuzzchecks.h"
#include "tests/support/simulatedconnection.h"

#include "codecs/gaconfig.h"
#include "link/devicelink.h"
#include "protocol/frames.h"

#include <QStackedWidget>
#include <QTest>
#include <QThread>

#include <memory>

namespace {

constexpr int MaxBlock = 40;
constexpr int CodecBlocks = 50000;
constexpr int LinkRuns = 3000;
constexpr int MaxChunksPerRun = 12;
constexpr int LineBursts = 150;

QList<Chunk> randomChunks(QRandomGenerator &random)
{
    QList<Chunk> chunks;
    for (int i = random.bounded(MaxChunksPerRun); i >= 0; --i) {
        Chunk chunk;
        // A burst near the length limit, so some runs cross it and some stay just below.
        if (random.bounded(40) == 0)
            chunk.bytes.fill('D', DeviceLink::MaxBurstBytes - static_cast<int>(random.bounded(60)));
        while (chunk.bytes.isEmpty())
            chunk.bytes = noise(random, MaxBlock);
        chunk.quietMs = QuietSteps[random.bounded(static_cast<int>(std::size(QuietSteps)))];
        chunks << chunk;
    }
    return chunks;
}

} // namespace

// Random and damaged input on every road by which received bytes reach a configuration.
class tst_Fuzz : public QObject
{
    Q_OBJECT

private slots:
    void codecsReadNoiseAndWriteItBack();
    void linkHandsOnEveryByteOnce();
    void noiseOnTheLineThenConnects();
};

void tst_Fuzz::codecsReadNoiseAndWriteItBack()
{
    QRandomGenerator random(1001);
    for (int i = 0; i < CodecBlocks; ++i) {
        const QString failure = codecFailure(noise(random, MaxBlock));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
}

// The link's timers run on a clock of the test's own, in a thread of their own, so a run
// of bursts and gaps takes no wall time.
void tst_Fuzz::linkHandsOnEveryByteOnce()
{
    QString failure;
    std::unique_ptr<QThread> thread(QThread::create([&failure] {
        QRandomGenerator random(20251007);
        for (int run = 0; run < LinkRuns && failure.isEmpty(); ++run)
            failure = linkFailure(randomChunks(random));
    }));
    thread->setEventDispatcher(newVirtualClock());
    thread->start();
    QVERIFY(thread->wait());
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

// Bursts of noise through the pseudo-terminal and the real serial stack to a window, each
// followed by silence so it is handled as a block of its own; the port stays open
// throughout and a device that then answers properly is read as usual.
void tst_Fuzz::noiseOnTheLineThenConnects()
{
    SimulatedConnection connection(Frame::Reply::Ga);
    ORVA2 &window = connection.window();
    QVERIFY(connection.connectAndLoad());
    // Noise that identifies a model makes the program ask for its configuration; a silent
    // device keeps those answers from mixing into the next burst.
    connection.device().setAnswering(false);

    QRandomGenerator random(4711);
    for (int i = 0; i < LineBursts; ++i) {
        QByteArray burst;
        while (burst.isEmpty())
            burst = noise(random, MaxBlock);
        connection.clearReplies();
        connection.link().send(burst);
        QVERIFY2(QTest::qWaitFor([&] { return connection.replies().join() == burst; }),
                 burst.toHex(' ').constData());
        QVERIFY(window.link().isOpen());
    }

    // Relay 1 pulsing for 7 s, relay 2 latched and inverted, scheme C, 1.3 s and 0.4 s delays.
    const QByteArray stored =
        GaConfig::decode(QByteArray::fromHex("4446 08 07 11 02 04 02 01 82 28 00 00 00")).encode();
    connection.device().setStoredPayload(stored.mid(2));
    connection.device().setAnswering(true);
    connection.device().clearReceivedFrames();
    window.communicationLog().clear();
    QVERIFY(connection.connectAndLoad());
    QCOMPARE(connection.logLines(), QStringList({"Prośba o identyfikator", "Urządznie: GA-1",
                                                 "Pobierz konfiguracje", "Konfiguracja pobrana"}));
    QCOMPARE(window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"))->currentWidget(),
             &window.gaPage());
    QCOMPARE(window.gaPage().encodeConfig().toHex(' '), stored.toHex(' '));
}

QTEST_MAIN(tst_Fuzz)
#include "tst_fuzz.moc"
