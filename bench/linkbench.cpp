#include "bench/linkbench.h"

#include "bench/benchtable.h"
#include "bench/burstwriter.h"
#include "bench/firstpaint.h"
#include "bench/timedapplication.h"

#include "app/orva2.h"
#include "codecs/gaconfig.h"
#include "protocol/frames.h"
#include "simulator/devicesimulator.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

constexpr int LatencyRounds = 50;
constexpr int CycleRounds = 10;
constexpr int HandlingRounds = 200;
constexpr int StreamBursts = 100;
// One byte at 9600 baud, 8N1.
constexpr int ByteGapUs = 1042;
constexpr int SilenceBetweenBurstsMs = 30;
constexpr int IdleMs = 2000;
constexpr int TimeoutMs = 5000;
const QString Loaded = QStringLiteral("Konfiguracja pobrana");
// Targets: what receiving may add beyond the silence, and how long it may hold the loop.
constexpr double LatencyLimitMs = 2;
constexpr double HoldLimitMs = 5;

bool runUntil(const std::function<bool()> &done, int timeoutMs = TimeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return done();
}

QTextBrowser *logOf(ORVA2 &window)
{
    return window.findChild<QTextBrowser *>(QStringLiteral("textBrowser"));
}

QString lastLogLine(ORVA2 &window)
{
    return logOf(window)->document()->lastBlock().text();
}

// Two configurations a GA-1 may hold, in turn, so every reply changes the form: its factory
// settings, and those with the delays and the trigger changed.
QList<QByteArray> configurationReplies()
{
    GaConfig changed = GaConfig::defaults();
    changed.triggerOnAppearance = !changed.triggerOnAppearance;
    changed.appearanceDelayCount += GaConfig::CountsPerSecond;
    changed.disappearanceDelayCount += GaConfig::CountsPerSecond;
    // The reply carries the frame's settings behind a header of its own, as long as the
    // frame's.
    const QByteArray header(Frame::Reply::GaConfig);
    QList<QByteArray> replies;
    for (const GaConfig &config : {GaConfig::defaults(), changed})
        replies << header + config.encode().mid(header.size());
    return replies;
}

struct Spread
{
    double median = 0;
    double worst = 0;
};

Spread spreadOf(QVector<double> values)
{
    if (values.isEmpty())
        return {};
    std::sort(values.begin(), values.end());
    return {values.at(values.size() / 2), values.last()};
}

QString spreadText(const Spread &spread)
{
    return QStringLiteral("%1 (worst %2)")
        .arg(BenchTable::milliseconds(spread.median), BenchTable::milliseconds(spread.worst));
}

// Notes the first paint of anything inside a window once a condition holds.
class PaintClock : public QObject
{
public:
    PaintClock(QWidget *window, const QElapsedTimer &clock) : m_window(window), m_clock(clock)
    {
        qApp->installEventFilter(this);
    }
    ~PaintClock() override { qApp->removeEventFilter(this); }

    void arm(std::function<bool()> after)
    {
        m_after = std::move(after);
        m_paintedAt = -1;
        m_armed = true;
    }
    qint64 paintedAt() const { return m_paintedAt; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_armed && event->type() == QEvent::Paint && watched->isWidgetType() && m_after()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget == m_window || m_window->isAncestorOf(widget)) {
                m_paintedAt = m_clock.nsecsElapsed();
                m_armed = false;
            }
        }
        return false;
    }

private:
    QWidget *m_window;
    const QElapsedTimer &m_clock;
    std::function<bool()> m_after;
    qint64 m_paintedAt = -1;
    bool m_armed = false;
};

} // namespace

void LinkBench::run(BenchTable &table)
{
    latency(table);
    connectionCycle(table);
    blockHandling(table);
    responsiveness(table);
}

void LinkBench::latency(BenchTable &table)
{
    ORVA2 window;
    window.show();
    FirstPaint::wait(&window);
    DeviceSimulator simulator(Frame::Reply::Ga);
    simulator.start();
    window.connectTo(simulator.portName());
    if (!runUntil([&] { return lastLogLine(window) == Loaded; })) {
        table.add(QStringLiteral("link latency"), QStringLiteral("no connection"));
        return;
    }

    QElapsedTimer clock;
    clock.start();
    qint64 decodedAt = -1;
    QObject::connect(logOf(window), &QTextBrowser::textChanged, [&] {
        if (decodedAt < 0)
            decodedAt = clock.nsecsElapsed();
    });
    PaintClock painted(&window, clock);
    const QList<QByteArray> replies = configurationReplies();
    QVector<double> untilDecoded, untilShown;
    for (int i = 0; i < LatencyRounds; ++i) {
        decodedAt = -1;
        painted.arm([&] { return decodedAt >= 0; });
        simulator.link().send(replies[i % 2]);
        const qint64 lastByteAt = clock.nsecsElapsed();
        if (!runUntil([&] { return painted.paintedAt() >= 0; }))
            break;
        untilDecoded << (decodedAt - lastByteAt) / 1e6 - Frame::BurstSilenceMs;
        untilShown << (painted.paintedAt() - lastByteAt) / 1e6 - Frame::BurstSilenceMs;
    }
    const Spread decoded = spreadOf(untilDecoded);
    const Spread shown = spreadOf(untilShown);
    table.add(QStringLiteral("link latency beyond the 20 ms silence: last byte to decoded "
                             "(median of %1)")
                  .arg(untilDecoded.size()),
              spreadText(decoded));
    table.add(QStringLiteral("link latency beyond the 20 ms silence: last byte to form "
                             "painted (median of %1)")
                  .arg(untilShown.size()),
              spreadText(shown), QStringLiteral("< %1 ms").arg(LatencyLimitMs),
              untilShown.size() == LatencyRounds ? BenchTable::below(shown.median, LatencyLimitMs)
                                                 : BenchTable::Missed);
}

void LinkBench::connectionCycle(BenchTable &table)
{
    ORVA2 window;
    window.show();
    FirstPaint::wait(&window);
    DeviceSimulator simulator(Frame::Reply::Ga);
    simulator.start();

    QVector<double> cycles;
    for (int i = 0; i < CycleRounds; ++i) {
        window.link().close();
        logOf(window)->clear();
        QElapsedTimer clock;
        clock.start();
        window.connectTo(simulator.portName());
        if (!runUntil([&] { return lastLogLine(window) == Loaded; }))
            break;
        cycles << clock.nsecsElapsed() / 1e6;
    }
    table.add(QStringLiteral("connect, identify, configuration loaded through the simulator "
                             "(median of %1)")
                  .arg(cycles.size()),
              spreadText(spreadOf(cycles)));
}

// The two event-loop turns one received block costs with its page on screen: the handler
// (decoding and the log line) and the repaint that follows.
void LinkBench::blockHandling(BenchTable &table)
{
    ORVA2 window;
    window.show();
    FirstPaint::wait(&window);
    window.processBlock(QByteArray(Frame::Reply::Ga) + "031507" + QByteArray(6, '\0'));
    FirstPaint::wait(&window);

    const QList<QByteArray> replies = configurationReplies();
    QVector<double> handler, repaint;
    QElapsedTimer clock;
    for (int i = 0; i < HandlingRounds; ++i) {
        clock.start();
        window.processBlock(replies[i % 2]);
        handler << clock.nsecsElapsed() / 1e6;
        clock.start();
        if (!FirstPaint::wait(&window))
            break;
        repaint << clock.nsecsElapsed() / 1e6;
    }
    table.add(QStringLiteral("one configuration block, page shown: handler (median of %1)")
                  .arg(handler.size()),
              spreadText(spreadOf(handler)));
    table.add(QStringLiteral("one configuration block, page shown: repaint after it (median of "
                             "%1)")
                  .arg(repaint.size()),
              spreadText(spreadOf(repaint)));
}

void LinkBench::responsiveness(BenchTable &table)
{
    ORVA2 window;
    window.show();
    FirstPaint::wait(&window);
    BurstWriter writer;
    // The stream comes from a thread of its own, which only a pseudo-terminal carries.
    if (!writer.isOpen()) {
        table.add(QStringLiteral("event loop under a stream of bursts"),
                  QStringLiteral("not measured: this system makes no pseudo-terminal"));
        return;
    }
    window.connectTo(writer.slavePath());

    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = clock.nsecsElapsed();
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = std::max(longestGap, now - lastTick);
        lastTick = now;
    });
    ticker.start();

    m_application.resetLongest();
    runUntil([] { return false; }, IdleMs);
    const double idleGapMs = longestGap / 1e6;
    const double idleDeliveryMs = m_application.longestWall().ms;

    // Each block handled leaves one line in the log.
    const int linesBefore = logOf(window)->document()->blockCount();
    auto blocks = [&] { return logOf(window)->document()->blockCount() - linesBefore; };
    const QList<QByteArray> bursts = configurationReplies();
    longestGap = 0;
    lastTick = clock.nsecsElapsed();
    m_application.resetLongest();
    writer.start(bursts, StreamBursts, ByteGapUs, SilenceBetweenBurstsMs);
    runUntil([&] { return writer.finished() && blocks() >= StreamBursts; },
             StreamBursts * (SilenceBetweenBurstsMs + 20) + TimeoutMs);
    writer.join();
    const double streamGapMs = longestGap / 1e6;
    const TimedApplication::Longest wall = m_application.longestWall();
    const TimedApplication::Longest processor = m_application.longestProcessor();
    const int handled = blocks();

    table.add(QStringLiteral("event loop, idle 2 s: longest gap between 1 ms ticks / longest "
                             "single event"),
              QStringLiteral("%1 / %2").arg(BenchTable::milliseconds(idleGapMs),
                                            BenchTable::milliseconds(idleDeliveryMs)));
    table.add(QStringLiteral("event loop, %1 of %2 bursts received at 9600 baud: longest gap "
                             "between 1 ms ticks")
                  .arg(handled)
                  .arg(StreamBursts),
              BenchTable::milliseconds(streamGapMs));
    table.add(QStringLiteral("event loop, same stream: longest single event, wall time"),
              QStringLiteral("%1 (%2)").arg(BenchTable::milliseconds(wall.ms), wall.what));
    table.add(QStringLiteral("event loop, same stream: longest single event, processor time "
                             "(what receiving itself holds the loop)"),
              QStringLiteral("%1 (%2)").arg(BenchTable::milliseconds(processor.ms), processor.what),
              QStringLiteral("< %1 ms").arg(HoldLimitMs),
              handled == StreamBursts ? BenchTable::below(processor.ms, HoldLimitMs)
                                      : BenchTable::Missed);
}
