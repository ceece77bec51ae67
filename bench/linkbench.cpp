#include "bench/linkbench.h"

#include "bench/benchtable.h"
#include "bench/burstwriter.h"
#include "bench/firstpaint.h"
#include "bench/timedapplication.h"

#include "app/orva2.h"
#include "codecs/kzrconfig.h"
#include "codecs/wrn2config.h"
#include "link/devicelink.h"
#include "protocol/frames.h"
#include "simulator/devicesimulator.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

namespace {

constexpr int LatencyRounds = 40;
constexpr int CycleRounds = 11;
constexpr int HandlingRounds = 100;
// The live view's pace at its busiest: a KZR-1 reply every 50 ms, for four seconds.
constexpr int StreamReplies = 80;
constexpr int ReplyPeriodMs = 50;
// One byte at 9600 baud, 8N1.
constexpr int ByteGapUs = 1042;
constexpr int IdleMs = 4000;
constexpr int TimeoutMs = 5000;
const QString Loaded = QStringLiteral("Konfiguracja pobrana");

// Targets, each over the floor measured beside it.
constexpr double ReplyOnFormLimitMs = 0.5;
constexpr double CycleOverFloorLimitMs = 3;
constexpr double GapOverIdleLimitMs = 0.5;

// How long a step may take; a profiler slows the program down by fifty times.
int g_timeoutMs = TimeoutMs;

bool runUntil(const std::function<bool()> &done, int timeoutMs = 0)
{
    if (timeoutMs == 0)
        timeoutMs = g_timeoutMs;
    const QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return done();
}

// Lets whatever a window still has to do (painting what it just loaded) happen.
void settle()
{
    runUntil([] { return false; }, 200);
}

QTextBrowser *logOf(ORVA2 &window)
{
    return window.findChild<QTextBrowser *>(QStringLiteral("textBrowser"));
}

QString lastLogLine(ORVA2 &window)
{
    return window.communicationLog().lastLine();
}

// A reply carries each frame's settings behind the reply header, a frame at a time.
QByteArray replyOf(const char *header, const QByteArray &frames)
{
    QByteArray reply;
    for (int at = 0; at < frames.size(); at += Frame::Size)
        reply += QByteArray(header) + frames.mid(at + 2, Frame::Size - 2);
    return reply;
}

QByteArray identificationOf(const char *identity)
{
    return QByteArray(identity) + "031507" + QByteArray(6, '\0');
}

// A model measured, with two configurations its form shows exactly, so that replies in turn
// change the form every time: its factory settings and a variant.
struct Model
{
    const char *name;
    const char *identity;
    QList<QByteArray> replies;
};

Model kzr()
{
    KzrConfig changed = KzrConfig::kzrDefaults();
    changed.unlockSeconds = 45;
    changed.voltageAppearanceMs = 300;
    changed.blockedColour = KzrConfig::Yellow;
    changed.relay1 = 1 << KzrConfig::RelayFollowsButton;
    return {"KZR-1",
            Frame::Reply::Kzr,
            {replyOf(Frame::Reply::KzrConfig, KzrConfig::kzrDefaults().encode()),
             replyOf(Frame::Reply::KzrConfig, changed.encode())}};
}

Model wrn2()
{
    Wrn2Config changed = Wrn2Config::defaults();
    changed.firstChannels.first.pickUpSteps += 3;
    changed.third.dropOutSteps += 2;
    changed.third.inputInverted = !changed.third.inputInverted;
    changed.drives[0][2] = !changed.drives[0][2];
    return {"WRN-2",
            Frame::Reply::Wrn2,
            {replyOf(Frame::Reply::Wrn2Config, Wrn2Config::defaults().encode()),
             replyOf(Frame::Reply::Wrn2Config, changed.encode())}};
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

double median(const QVector<double> &values)
{
    return spreadOf(values).median;
}

double percentile99(QVector<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int index = static_cast<int>(std::ceil(values.size() * 0.99)) - 1;
    return values.at(std::clamp(index, 0, values.size() - 1));
}

QString spreadText(const Spread &spread)
{
    return QStringLiteral("%1 (worst %2)")
        .arg(BenchTable::milliseconds(spread.median), BenchTable::milliseconds(spread.worst));
}

// The time on a clock when the first paint of anything inside a window, once a condition
// holds, has finished with the whole paint cycle it belongs to: the event that painted, the
// window's update request, has been delivered, and the window's pixels are on their way.
class PaintClock : public QObject
{
public:
    PaintClock(QWidget *window, const QElapsedTimer &clock) : m_window(window), m_clock(clock)
    {
        qApp->installEventFilter(this);
        application().setAfterDelivery([this] {
            if (m_painted && m_paintedAt < 0)
                m_paintedAt = m_clock.nsecsElapsed();
        });
    }
    ~PaintClock() override
    {
        application().setAfterDelivery({});
        qApp->removeEventFilter(this);
    }

    void arm(std::function<bool()> after)
    {
        m_after = std::move(after);
        m_paintedAt = -1;
        m_painted = false;
        m_armed = true;
    }
    qint64 paintedAt() const { return m_paintedAt; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_armed && event->type() == QEvent::Paint && watched->isWidgetType() && m_after()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget == m_window || m_window->isAncestorOf(widget)) {
                m_armed = false;
                m_painted = true;
            }
        }
        return false;
    }

private:
    static TimedApplication &application()
    {
        return *static_cast<TimedApplication *>(QCoreApplication::instance());
    }

    QWidget *m_window;
    const QElapsedTimer &m_clock;
    std::function<bool()> m_after;
    qint64 m_paintedAt = -1;
    bool m_painted = false;
    bool m_armed = false;
};

// Last byte written to the line until the bare link hands the reply on, beyond the silence:
// what the pseudo-terminal and the silence timer cost with no window at all.
QVector<double> bareLinkLatencies(const QByteArray &reply)
{
    DeviceSimulator simulator(Frame::Reply::Kzr);
    DeviceLink link;
    QVector<double> result;
    if (!simulator.start() || !link.open(simulator.portName(), Frame::DeviceBaudRate))
        return result;
    QElapsedTimer clock;
    clock.start();
    qint64 handedOnAt = -1;
    QObject::connect(&link, &DeviceLink::replyReceived,
                     [&](const QByteArray &) { handedOnAt = clock.nsecsElapsed(); });
    for (int i = 0; i < LatencyRounds; ++i) {
        handedOnAt = -1;
        simulator.link().send(reply);
        const qint64 lastByteAt = clock.nsecsElapsed();
        if (!runUntil([&] { return handedOnAt >= 0; }))
            break;
        result << (handedOnAt - lastByteAt) / 1e6 - Frame::BurstSilenceMs;
    }
    return result;
}

struct WindowLatencies
{
    QVector<double> decoded;
    QVector<double> shown;
};

// Replies taken in turn from `replies`, each from its last byte until the window has logged
// it and until the window is painted after that, beyond the silence.
WindowLatencies windowLatencies(ORVA2 &window, DeviceSimulator &simulator,
                                const QList<QByteArray> &replies, int rounds = LatencyRounds)
{
    QElapsedTimer clock;
    clock.start();
    qint64 decodedAt = -1;
    const QMetaObject::Connection logged =
        QObject::connect(logOf(window), &QTextBrowser::textChanged, [&] {
            if (decodedAt < 0)
                decodedAt = clock.nsecsElapsed();
        });
    // The form is drawn before the log lays out its line: the paint that counts is the first
    // once the window has the reply.
    bool handedOn = false;
    const QMetaObject::Connection received = QObject::connect(
        &window.link(), &DeviceLink::replyReceived, [&](const QByteArray &) { handedOn = true; });
    PaintClock painted(&window, clock);
    WindowLatencies result;
    for (int i = 0; i < rounds; ++i) {
        decodedAt = -1;
        handedOn = false;
        painted.arm([&] { return handedOn; });
        simulator.link().send(replies[i % replies.size()]);
        const qint64 lastByteAt = clock.nsecsElapsed();
        if (!runUntil([&] { return painted.paintedAt() >= 0 && decodedAt >= 0; }))
            break;
        result.decoded << (decodedAt - lastByteAt) / 1e6 - Frame::BurstSilenceMs;
        result.shown << (painted.paintedAt() - lastByteAt) / 1e6 - Frame::BurstSilenceMs;
    }
    QObject::disconnect(logged);
    QObject::disconnect(received);
    return result;
}

// Opens the port, identifies the device and reads its configuration on a bare link: the
// floor of a connection, two replies each ended by the silence. Milliseconds, or -1.
double bareConnection(const QString &portName)
{
    DeviceLink link;
    int replies = 0;
    QObject::connect(&link, &DeviceLink::replyReceived, [&](const QByteArray &) {
        if (++replies == 1)
            link.send(Frame::readRequest(), Frame::WriteWait, DeviceLink::Answer::Awaited);
    });
    QElapsedTimer clock;
    clock.start();
    if (!link.open(portName, Frame::DeviceBaudRate))
        return -1;
    link.send(Frame::identificationRequest(), Frame::WriteWait, DeviceLink::Answer::Awaited);
    if (!runUntil([&] { return replies >= 2; }))
        return -1;
    return clock.nsecsElapsed() / 1e6;
}

// The same from the start window of a program just started: connect pressed until the form,
// loaded, is painted. Milliseconds, or -1.
// Shows the window, connects it to the simulated relay and waits for its configuration on
// the form: where every reply measurement starts.
bool showAndLoad(ORVA2 &window, DeviceSimulator &simulator)
{
    window.show();
    FirstPaint::wait(&window);
    simulator.start();
    window.connectTo(simulator.portName());
    return runUntil([&] { return lastLogLine(window) == Loaded; });
}

double windowConnection(const QString &portName)
{
    ORVA2 window;
    window.show();
    FirstPaint::wait(&window);
    // The pages are built right after the first paint; give that its turn.
    settle();
    const qint64 shownAt = LinkBench::connectAndShow(window, portName);
    return shownAt < 0 ? -1 : shownAt / 1e6;
}

} // namespace

bool LinkBench::profile(const QString &modelName, int rounds, bool equal, int logLines)
{
    g_timeoutMs = 20 * TimeoutMs;
    for (const Model &model : {kzr(), wrn2()}) {
        if (modelName != QLatin1String(model.name))
            continue;
        ORVA2 window;
        DeviceSimulator simulator(model.identity);
        if (!showAndLoad(window, simulator))
            return false;
        settle();
        for (int i = 0; i < logLines; ++i)
            window.communicationLog().note(QStringLiteral("Wiersz %1").arg(i));
        // One reply of each kind first, so that anything done once shows before the count.
        windowLatencies(window, simulator, model.replies, 2);
        receiveReplies(window, simulator,
                       equal ? QList<QByteArray>{model.replies.first()} : model.replies, rounds);
        return true;
    }
    return false;
}

Q_NEVER_INLINE void LinkBench::receiveReplies(ORVA2 &window, DeviceSimulator &simulator,
                               const QList<QByteArray> &replies, int rounds)
{
    windowLatencies(window, simulator, replies, rounds);
}

Q_NEVER_INLINE qint64 LinkBench::connectAndShow(ORVA2 &window, const QString &portName)
{
    QElapsedTimer clock;
    clock.start();
    // The identification, then the configuration: the paint that counts is the first after
    // the configuration is handed on, which is the loaded form's.
    int replies = 0;
    const QMetaObject::Connection received = QObject::connect(
        &window.link(), &DeviceLink::replyReceived, [&](const QByteArray &) { ++replies; });
    PaintClock painted(&window, clock);
    painted.arm([&] { return replies >= 2; });
    window.connectTo(portName);
    const bool shown = runUntil([&] { return painted.paintedAt() >= 0; });
    QObject::disconnect(received);
    if (!shown || lastLogLine(window) != Loaded)
        return -1;
    return painted.paintedAt();
}

bool LinkBench::profileConnection(int rounds)
{
    g_timeoutMs = 20 * TimeoutMs;
    DeviceSimulator simulator(Frame::Reply::Kzr);
    if (!simulator.start())
        return false;
    for (int i = 0; i < rounds; ++i) {
        if (windowConnection(simulator.portName()) < 0)
            return false;
    }
    return true;
}

void LinkBench::run(BenchTable &table)
{
    latency(table);
    connectionCycle(table);
    blockHandling(table);
    responsiveness(table);
}

void LinkBench::latency(BenchTable &table)
{
    for (const Model &model : {kzr(), wrn2()}) {
        const QString name = QLatin1String(model.name);
        const Spread bare = spreadOf(bareLinkLatencies(model.replies.first()));
        table.add(QStringLiteral("%1 reply, floor: last byte to handed on by a bare DeviceLink, "
                                 "beyond the 20 ms silence")
                      .arg(name),
                  spreadText(bare));

        ORVA2 window;
        DeviceSimulator simulator(model.identity);
        if (!showAndLoad(window, simulator)) {
            table.add(QStringLiteral("%1 reply on the form").arg(name),
                      QStringLiteral("no connection: %1").arg(lastLogLine(window)), QString(),
                      BenchTable::Missed);
            continue;
        }
        settle();
        const WindowLatencies changing = windowLatencies(window, simulator, model.replies);
        const Spread shown = spreadOf(changing.shown);
        table.add(QStringLiteral("%1 reply that changes the form: last byte to its log line "
                                 "laid out, beyond the silence")
                      .arg(name),
                  spreadText(spreadOf(changing.decoded)));
        table.add(QStringLiteral("%1 reply that changes the form: last byte to form painted, "
                                 "beyond the silence (median of %2)")
                      .arg(name)
                      .arg(changing.shown.size()),
                  spreadText(shown), QStringLiteral("<= %1 ms").arg(ReplyOnFormLimitMs),
                  changing.shown.size() == LatencyRounds
                      ? BenchTable::atMost(shown.median, ReplyOnFormLimitMs)
                      : BenchTable::Missed);
        const WindowLatencies equal =
            windowLatencies(window, simulator, {model.replies.first()});
        table.add(QStringLiteral("%1 reply equal to the last one: last byte to painted, beyond "
                                 "the silence")
                      .arg(name),
                  spreadText(spreadOf(equal.shown)));
    }
}

void LinkBench::connectionCycle(BenchTable &table)
{
    DeviceSimulator simulator(Frame::Reply::Kzr);
    if (!simulator.start()) {
        table.add(QStringLiteral("connection"), QStringLiteral("no pseudo-terminal"), QString(),
                  BenchTable::Missed);
        return;
    }
    // Floor and window in turn, so that a change in the machine's pace falls on both alike.
    QVector<double> floor, window;
    for (int i = 0; i < CycleRounds; ++i) {
        const double bare = bareConnection(simulator.portName());
        const double full = windowConnection(simulator.portName());
        if (bare < 0 || full < 0)
            break;
        floor << bare;
        window << full;
    }
    const double over = median(window) - median(floor);
    table.add(QStringLiteral("connect, identify, read: floor, a bare DeviceLink (median of %1)")
                  .arg(floor.size()),
              spreadText(spreadOf(floor)));
    table.add(QStringLiteral("connect, identify, load and show a KZR-1: connect pressed until "
                             "the loaded form is painted"),
              spreadText(spreadOf(window)));
    table.add(QStringLiteral("connect, identify, load and show: over the floor (medians)"),
              BenchTable::milliseconds(over),
              QStringLiteral("<= %1 ms").arg(CycleOverFloorLimitMs),
              window.size() == CycleRounds ? BenchTable::atMost(over, CycleOverFloorLimitMs)
                                           : BenchTable::Missed);
}

// The two event-loop turns one received block costs with its page on screen: the handler
// (decoding, the marks, the log line) and the repaint that follows.
void LinkBench::blockHandling(BenchTable &table)
{
    for (const Model &model : {kzr(), wrn2()}) {
        ORVA2 window;
        window.show();
        FirstPaint::wait(&window);
        window.processBlock(identificationOf(model.identity));
        FirstPaint::wait(&window);

        QVector<double> handler, repaint;
        QElapsedTimer clock;
        for (int i = 0; i < HandlingRounds; ++i) {
            clock.start();
            window.processBlock(model.replies[i % 2]);
            handler << clock.nsecsElapsed() / 1e6;
            clock.start();
            if (!FirstPaint::wait(&window))
                break;
            repaint << clock.nsecsElapsed() / 1e6;
        }
        table.add(QStringLiteral("%1 reply that changes the form, page shown: handler / repaint "
                                 "after it (medians)")
                      .arg(QLatin1String(model.name)),
                  QStringLiteral("%1 / %2").arg(BenchTable::milliseconds(median(handler)),
                                                BenchTable::milliseconds(median(repaint))));
    }
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
    const Model model = kzr();
    // The writer answers the identification and the read that follows it; the page opens,
    // loaded, and is painted before the run.
    writer.start({identificationOf(model.identity), model.replies.first()}, 2, ByteGapUs,
                 ReplyPeriodMs);
    runUntil([&] { return writer.finished() && lastLogLine(window) == Loaded; });
    writer.join();
    FirstPaint::wait(&window);

    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = clock.nsecsElapsed();
    QVector<double> gaps;
    gaps.reserve(IdleMs * 2);
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        gaps << (now - lastTick) / 1e6;
        lastTick = now;
    });
    ticker.start();

    runUntil([] { return false; }, IdleMs);
    const double idleGap = percentile99(gaps);

    // Each reply handled leaves one line in the log.
    const int linesBefore = logOf(window)->document()->blockCount();
    auto handled = [&] { return logOf(window)->document()->blockCount() - linesBefore; };
    const int replyBytes = model.replies.first().size();
    const int silenceMs = ReplyPeriodMs - replyBytes * ByteGapUs / 1000;
    gaps.clear();
    lastTick = clock.nsecsElapsed();
    m_application.resetLongest();
    writer.start(model.replies, StreamReplies, ByteGapUs, silenceMs);
    runUntil([&] { return writer.finished() && handled() >= StreamReplies; },
             StreamReplies * ReplyPeriodMs + TimeoutMs);
    writer.join();
    ticker.stop();
    const double streamGap = percentile99(gaps);
    const TimedApplication::Longest processor = m_application.longestProcessor();

    table.add(QStringLiteral("event loop idle: longest 1% of gaps between 1 ms ticks (p99)"),
              BenchTable::milliseconds(idleGap));
    table.add(QStringLiteral("event loop, a KZR-1 reply every %1 ms (%2 of %3 handled): p99 "
                             "gap")
                  .arg(ReplyPeriodMs)
                  .arg(handled())
                  .arg(StreamReplies),
              BenchTable::milliseconds(streamGap),
              QStringLiteral("<= idle + %1 ms").arg(GapOverIdleLimitMs),
              handled() >= StreamReplies
                  ? BenchTable::atMost(streamGap - idleGap, GapOverIdleLimitMs)
                  : BenchTable::Missed);
    table.add(QStringLiteral("event loop, same stream: longest single event in the GUI "
                             "thread's processor time"),
              QStringLiteral("%1 (%2)").arg(BenchTable::milliseconds(processor.ms), processor.what));
}
