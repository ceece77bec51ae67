#include "tests/fuzz/fuzzchecks.h"
#include "tests/support/simulatedconnection.h"

#include "codecs/gaconfig.h"
#include "link/devicelink.h"
#include "protocol/frames.h"
#include "protocol/modeltable.h"

#include <QStackedWidget>
#include <QTest>
#include <QTextBrowser>
#include <QThread>

#include <memory>

namespace {

constexpr int MaxBlock = 40;
constexpr int CodecBlocks = 50000;
constexpr int LinkRuns = 3000;
constexpr int MaxChunksPerRun = 12;
constexpr int LineBursts = 150;
// Around the link's silence and the wait for a second frame that begins when it ends.
constexpr int QuietSteps[] = {0, 5, 19, 20, 60, 219, 220, 400};

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

QList<Chunk> randomChunks(QRandomGenerator &random)
{
    QList<Chunk> chunks;
    const int count = static_cast<int>(random.bounded(1, MaxChunksPerRun + 1));
    for (int i = 0; i < count; ++i) {
        Chunk chunk;
        // A burst near the length limit, so some runs cross it and some stay just below.
        if (random.bounded(40) == 0)
            chunk.bytes = QByteArray(DeviceLink::MaxBurstBytes - static_cast<int>(random.bounded(60)), 'D');
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
    void codecsReadMissingBytesAsZero();
    void linkHandsOnEveryByteOnce();
    void noiseOnTheLineThenConnects();
};

void tst_Fuzz::codecsReadMissingBytesAsZero()
{
    for (const ModelInfo &model : ModelInfo::all()) {
        if (model.answersRead())
            QVERIFY2(fuzzedReplyHeaders().contains(model.configHeader), model.name);
    }
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
    thread->setEventDispatcher(new VirtualClock);
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
                 qPrintable(QStringLiteral("burst %1: %2").arg(i).arg(hex(burst))));
        QVERIFY(window.link().isOpen());
    }

    GaConfig stored = GaConfig::defaults();
    stored.relay1 = {1 << GaConfig::PulseOperation, 7};
    stored.relay2 = {1 << GaConfig::LatchedUntilReset | 1 << GaConfig::InvertedOutput, 2};
    stored.colourScheme = 1 << GaConfig::SchemeC;
    stored.ledBehaviour = 1 << GaConfig::NoSlowBlinking;
    stored.triggerOnAppearance = true;
    stored.appearanceDelayCount = 130;
    stored.disappearanceDelayCount = 40;
    connection.device().setStoredPayload(stored.encode().mid(2));
    connection.device().setAnswering(true);
    connection.device().clearReceivedFrames();
    connection.log()->clear();
    QVERIFY(connection.connectAndLoad());
    QCOMPARE(connection.logLines(), QStringList({"Prośba o identyfikator", "Urządznie: GA-1",
                                                 "Pobierz konfiguracje", "Konfiguracja pobrana"}));
    QCOMPARE(window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"))->currentWidget(),
             &window.gaPage());
    QCOMPARE(hex(window.gaPage().encodeConfig()), hex(stored.encode()));
}

QTEST_MAIN(tst_Fuzz)
#include "tst_fuzz.moc"
