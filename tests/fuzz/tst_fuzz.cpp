#include "tests/fuzz/noise.h"
#include "tests/fuzz/pagecodecs.h"
#include "tests/fuzz/widgetstate.h"
#include "tests/fuzz/writtenconfiguration.h"
#include "tests/support/simulatedconnection.h"

#include "protocol/frames.h"

#include <QHash>
#include <QStackedWidget>
#include <QTest>
#include <QTextBrowser>

namespace {

constexpr int MaxBlock = 40;
constexpr int HandlerBlocks = 200000;
constexpr int DecoderBlocksPerPage = 4000;
constexpr int LineBursts = 300;
// The log keeps every line for the whole session; clearing it now and then keeps a long run
// from measuring how fast a text document grows instead of how the handler copes.
constexpr int LogClearInterval = 2000;
constexpr int StateCompareInterval = 8;

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

PageCodec codecNamed(const QVector<PageCodec> &codecs, const QString &name)
{
    for (const PageCodec &codec : codecs) {
        if (codec.name == name)
            return codec;
    }
    qFatal("no page codec %s", qPrintable(name));
}

int logLength(ORVA2 &window)
{
    return window.findChild<QTextBrowser *>(QStringLiteral("textBrowser"))
        ->document()
        ->characterCount();
}

void clearLog(ORVA2 &window)
{
    window.findChild<QTextBrowser *>(QStringLiteral("textBrowser"))->clear();
}

QWidget *shownPage(ORVA2 &window)
{
    return window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"))->currentWidget();
}

} // namespace

// Random and damaged input on every path by which received bytes reach a form.
class tst_Fuzz : public QObject
{
    Q_OBJECT

private slots:
    void decodersReadMissingBytesAsZero_data();
    void decodersReadMissingBytesAsZero();
    void handlerSurvivesNoiseThenConnects();
    void burstsThroughTheLineThenConnects();
};

void tst_Fuzz::decodersReadMissingBytesAsZero_data()
{
    QTest::addColumn<QString>("codecName");
    QTest::addColumn<quint32>("seed");
    ORVA2 window;
    quint32 seed = 1000;
    for (const PageCodec &codec : pageCodecs(window)) {
        if (codec.decode)
            QTest::newRow(qPrintable(codec.name)) << codec.name << ++seed;
    }
}

// Two windows get the same history, one with each short block exactly as long as it came
// (anything read past its end is a guard byte, never 0), the other with the block padded
// with zeros. A decoder that reads past the end or treats a short block differently from
// its zero-padded form makes the two forms drift apart.
void tst_Fuzz::decodersReadMissingBytesAsZero()
{
    QFETCH(QString, codecName);
    QFETCH(quint32, seed);

    ORVA2 exactWindow;
    ORVA2 paddedWindow;
    const PageCodec exact = codecNamed(pageCodecs(exactWindow), codecName);
    const PageCodec padded = codecNamed(pageCodecs(paddedWindow), codecName);
    Noise noise(seed);
    GuardedBlocks guarded;

    for (int i = 0; i < DecoderBlocksPerPage; ++i) {
        if (exact.configure && noise.bounded(50) == 0) {
            const QString variant = exact.variants.at(noise.bounded(exact.variants.size()));
            exact.configure(variant);
            padded.configure(variant);
        }
        const QByteArray block = noise.bounded(10) == 0
                                     ? noise.block(MaxBlock)
                                     : noise.blockWithHeader(exact.replyHeader, MaxBlock);
        exact.decode(guarded.wrap(block));
        // Padding must not complete a frame the block lost.
        const bool lostFrame = block.size() < exact.wholeReplySize;
        padded.decode(block.leftJustified(lostFrame ? exact.wholeReplySize - 1 : MaxBlock, '\0'));

        const QString malformed = malformedFrames(exact);
        QVERIFY2(malformed.isEmpty(), qPrintable(malformed + " after " + hex(block)));
        QVERIFY2(
            exact.encode() == padded.encode(),
            qPrintable(QStringLiteral("block %1 of seed %2: %3").arg(i).arg(seed).arg(hex(block))));
        if (i % StateCompareInterval == 0 || i == DecoderBlocksPerPage - 1)
            QCOMPARE(widgetState(exact.page), widgetState(padded.page));
    }
}

// The function the silence timer calls, fed directly so the 20 ms wait is not paid per
// block; afterwards the same window still identifies a device and loads its configuration.
void tst_Fuzz::handlerSurvivesNoiseThenConnects()
{
    SimulatedConnection connection(Frame::Reply::Wrn2);
    ORVA2 &window = connection.window();
    const QVector<PageCodec> codecs = pageCodecs(window);
    QHash<QByteArray, const PageCodec *> codecByHeader;
    for (const PageCodec &codec : codecs) {
        if (codec.decode)
            codecByHeader.insert(codec.replyHeader, &codec);
    }

    Noise noise(20251007);
    for (int i = 0; i < HandlerBlocks; ++i) {
        if (i % LogClearInterval == 0)
            clearLog(window);
        const QByteArray block = noise.block(MaxBlock);
        const int logBefore = logLength(window);
        window.processBlock(block);

        const QByteArray header = block.left(2);
        const bool known = block.size() >= 2 && Noise::knownHeaders().contains(header);
        QVERIFY2((logLength(window) > logBefore) == known, qPrintable(hex(block)));
        if (const PageCodec *codec = codecByHeader.value(header)) {
            const QString malformed = malformedFrames(*codec);
            QVERIFY2(malformed.isEmpty(), qPrintable(malformed + " after " + hex(block)));
        }
    }

    const QByteArray stored = writtenConfiguration(Frame::Reply::Wrn2, 7);
    connection.device().setStoredPayload(payloadOf(stored));
    clearLog(window);
    QVERIFY(connection.connectAndLoad());
    QCOMPARE(connection.logLines(), QStringList({"Prośba o identyfikator", "Urządznie: WRN-2",
                                                 "Pobierz konfiguracje", "Konfiguracja pobrana"}));
    QCOMPARE(shownPage(window), &window.wrn2Page());
    QCOMPARE(hex(codecFor(codecs, Frame::Reply::Wrn2).encode()), hex(stored));
}

// Bursts of noise through the pseudo-terminal and the real serial stack, each followed by
// silence so it is handled as a block of its own; the port stays open throughout and a
// device that then answers properly is read as usual.
void tst_Fuzz::burstsThroughTheLineThenConnects()
{
    SimulatedConnection connection(Frame::Reply::Ga);
    ORVA2 &window = connection.window();
    QVERIFY(connection.connectAndLoad());
    // Noise that identifies a model makes the program ask for its configuration; a silent
    // device keeps those answers from mixing into the next burst.
    connection.device().setAnswering(false);

    Noise noise(4711);
    for (int i = 0; i < LineBursts; ++i) {
        if (i % LogClearInterval == 0)
            clearLog(window);
        QByteArray burst;
        while (burst.isEmpty())
            burst = noise.block(MaxBlock);
        connection.clearReplies();
        connection.link().send(burst);
        // Cut into replies or not, every byte of the burst is handed on once, in order.
        QVERIFY2(QTest::qWaitFor([&] { return connection.replies().join() == burst; }),
                 qPrintable(QStringLiteral("burst %1: %2").arg(i).arg(hex(burst))));
        QVERIFY(window.link().isOpen());
    }

    const QByteArray stored = writtenConfiguration(Frame::Reply::Ga, 3);
    connection.device().setStoredPayload(payloadOf(stored));
    connection.device().setAnswering(true);
    connection.device().clearReceivedFrames();
    clearLog(window);
    QVERIFY(connection.connectAndLoad());
    QCOMPARE(connection.logLines(), QStringList({"Prośba o identyfikator", "Urządznie: GA-1",
                                                 "Pobierz konfiguracje", "Konfiguracja pobrana"}));
    QCOMPARE(shownPage(window), &window.gaPage());
    QCOMPARE(hex(window.gaPage().encodeConfig()), hex(stored));
}

QTEST_MAIN(tst_Fuzz)
#include "tst_fuzz.moc"
