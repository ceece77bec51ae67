// libFuzzer entry point. The first byte of an input picks the road, the rest is the block:
// below 0x80 the block goes to the window's receive handler, otherwise to one page decoder
// (two windows in step, one given the block exactly as long as it is, one zero-padded) or,
// for a page with identification settings, sets one of those in both windows.
#include "tests/fuzz/noise.h"
#include "tests/fuzz/pagecodecs.h"
#include "tests/fuzz/widgetstate.h"

#include "app/orva2.h"

#include <QApplication>
#include <QTextBrowser>

#include <cstddef>
#include <cstdint>

namespace {

constexpr quint8 DecoderRoads = 0x80;
constexpr int PaddedLength = 64;
constexpr int LogClearInterval = 1000;

struct Harness
{
    ORVA2 handlerWindow;
    ORVA2 exactWindow;
    ORVA2 paddedWindow;
    QVector<PageCodec> exact = pageCodecs(exactWindow);
    QVector<PageCodec> padded = pageCodecs(paddedWindow);
    QVector<PageCodec> handlerCodecs = pageCodecs(handlerWindow);
    GuardedBlocks guarded;
    int runs = 0;
};

Harness *harness = nullptr;

void require(bool condition, const char *what, const QByteArray &block)
{
    if (!condition)
        qFatal("%s after block %s", what, block.toHex(' ').constData());
}

void requireWellFormed(const PageCodec &codec, const QByteArray &block)
{
    const QString malformed = malformedFrames(codec);
    require(malformed.isEmpty(), qPrintable(malformed), block);
}

QTextBrowser *logOf(ORVA2 &window)
{
    return window.findChild<QTextBrowser *>(QStringLiteral("textBrowser"));
}

void throughHandler(const QByteArray &block)
{
    ORVA2 &window = harness->handlerWindow;
    if (++harness->runs % LogClearInterval == 0)
        logOf(window)->clear();
    const int logBefore = logOf(window)->document()->characterCount();
    window.processBlock(block);
    const bool known = block.size() >= 2 && Noise::knownHeaders().contains(block.left(2));
    require((logOf(window)->document()->characterCount() > logBefore) == known, "log line", block);
    for (const PageCodec &codec : harness->handlerCodecs) {
        if (codec.decode && block.startsWith(codec.replyHeader))
            requireWellFormed(codec, block);
    }
}

void throughDecoder(quint8 road, const QByteArray &block)
{
    const int index = road % harness->exact.size();
    const PageCodec &exact = harness->exact.at(index);
    const PageCodec &padded = harness->padded.at(index);
    const bool configure = (road & 0x40) && exact.configure;
    if (configure) {
        const QString variant = exact.variants.at(
            static_cast<quint8>(block.isEmpty() ? 0 : block.at(0)) % exact.variants.size());
        exact.configure(variant);
        padded.configure(variant);
    } else if (exact.decode) {
        exact.decode(harness->guarded.wrap(block));
        padded.decode(QByteArray(block).leftJustified(PaddedLength, '\0'));
    }
    requireWellFormed(exact, block);
    require(exact.encode() == padded.encode(), "short block decoded unlike its zero padding",
            block);
    require(widgetState(exact.page) == widgetState(padded.page),
            "forms differ after a short block and its zero padding", block);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int applicationArgc = 1;
    static char *applicationArgv[] = {(*argv)[0], nullptr};
    Q_UNUSED(argc);
    new QApplication(applicationArgc, applicationArgv);
    harness = new Harness;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray block(reinterpret_cast<const char *>(data + 1), static_cast<int>(size - 1));
    const quint8 road = data[0];
    if (road < DecoderRoads)
        throughHandler(block);
    else
        throughDecoder(road, block);
    return 0;
}
