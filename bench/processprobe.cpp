#include "bench/processprobe.h"

#include "bench/firstpaint.h"

#include "app/orva2.h"
#include "app/setupapplication.h"
#include "pages/common/formstyle.h"
#include "pages/kzr/kzr.h"
#include "protocol/frames.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStackedWidget>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

const QString StartUpBare = QStringLiteral("startup-bare");
const QString StartUpMain = QStringLiteral("startup-orva");
const QString MemoryBare = QStringLiteral("memory-bare");
const QString MemoryPage = QStringLiteral("memory-page");
const QString MemoryMain = QStringLiteral("memory-orva");

constexpr int ProbeTimeoutMs = 60000;

// A clock every process on the machine shares, so a child's moment can be set against the
// parent's.
qint64 monotonicNs()
{
    return QDeadlineTimer::current(Qt::PreciseTimer).deadlineNSecs();
}

double peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QRegularExpression peak(QStringLiteral("^VmHWM:\\s+(\\d+) kB"),
                                  QRegularExpression::MultilineOption);
    return peak.match(QString::fromLatin1(status.readAll())).captured(1).toDouble();
}

QWidget *shownPage(ORVA2 &window)
{
    return window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"))->currentWidget();
}

// Every page the program has, each shown and painted once: the chooser's models offline
// (the simulator's button is disabled in the form, so it is enabled first), and the models
// the chooser does not offer through their identification replies.
void openEveryPage(ORVA2 &window)
{
    window.connectTo(QStringLiteral("Tryb Offline"));
    FirstPaint::wait(shownPage(window));

    const char *const chooserButtons[] = {"KZROffline",   "TLMXOffline", "GAOffline",
                                          "WRNOffline",   "WRN2Offline", "DRAVOffline",
                                          "GA1MIOffline", "pushButton",  "Symulator"};
    for (const char *name : chooserButtons) {
        auto *button = window.offlinePage().findChild<QAbstractButton *>(QLatin1String(name));
        if (!button)
            continue;
        button->setEnabled(true);
        button->click();
        FirstPaint::wait(shownPage(window));
    }
    using namespace Frame::Reply;
    for (const char *identity : {Hel, Zegar, Nov, Tester}) {
        window.processBlock(QByteArray(identity) + "031507" + QByteArray(6, '\0'));
        FirstPaint::wait(shownPage(window));
    }
}

int probe(const QString &name, int argc, char **argv)
{
    QApplication application(argc, argv);
    // Both windows start in an application set up as the program sets up its own.
    setUpApplication(application);
    const qint64 startedNs = monotonicNs();
    QElapsedTimer clock;
    clock.start();
    const bool mainWindow = name == StartUpMain || name == MemoryMain;
    std::unique_ptr<QMainWindow> window =
        mainWindow ? std::make_unique<ORVA2>() : std::make_unique<QMainWindow>();
    const double constructMs = clock.nsecsElapsed() / 1e6;
    if (name == MemoryPage) {
        auto *page = new KZR;
        FormStyle::apply(window.get());
        FormStyle::applyToForm(page);
        window->setCentralWidget(page);
    }
    window->show();
    double windowMs = 0;
    if (!FirstPaint::wait(window.get(), 5000, &clock, &windowMs))
        return 1;

    if (name == StartUpBare || name == StartUpMain) {
        std::printf("%.3f %.3f %.0f\n", windowMs, constructMs, startedNs + windowMs * 1e6);
    } else {
        if (mainWindow)
            openEveryPage(*static_cast<ORVA2 *>(window.get()));
        std::printf("%.0f\n", peakResidentKiB());
    }
    std::fflush(stdout);
    return 0;
}

// Runs a probe; returns its printed figures and how long it took from the start of the
// process until they arrived.
bool runChild(const QString &name, QVector<double> *figures, qint64 *launchedNs = nullptr)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (launchedNs)
        *launchedNs = monotonicNs();
    child.start(QCoreApplication::applicationFilePath(), {QLatin1String(ProcessProbe::Flag), name});
    if (!child.waitForFinished(ProbeTimeoutMs))
        return false;
    const QStringList words =
        QString::fromLatin1(child.readAllStandardOutput()).split(' ', Qt::SkipEmptyParts);
    figures->clear();
    for (const QString &word : words) {
        bool ok = false;
        *figures << word.trimmed().toDouble(&ok);
        if (!ok)
            return false;
    }
    return !figures->isEmpty() && child.exitCode() == 0;
}

double median(QVector<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int ProcessProbe::run(const QString &name, int argc, char **argv)
{
    return probe(name, argc, argv);
}

ProcessProbe::Ratios ProcessProbe::startUp(int runs, StartUp *bare, StartUp *mainWindow)
{
    QVector<double> window[2], construct[2], process[2], processRatios, windowRatios;
    for (int i = 0; i < runs; ++i) {
        StartUp pair[2];
        bool complete = true;
        for (int kind = 0; kind < 2; ++kind) {
            QVector<double> figures;
            qint64 launchedNs = 0;
            complete = complete &&
                       runChild(kind ? StartUpMain : StartUpBare, &figures, &launchedNs) &&
                       figures.size() == 3 && figures.at(0) > 0 && figures.at(2) > launchedNs;
            if (complete)
                pair[kind] = {figures.at(0), figures.at(1), (figures.at(2) - launchedNs) / 1e6};
        }
        if (!complete)
            continue;
        for (int kind = 0; kind < 2; ++kind) {
            window[kind] << pair[kind].windowMs;
            construct[kind] << pair[kind].constructMs;
            process[kind] << pair[kind].processMs;
        }
        processRatios << pair[1].processMs / pair[0].processMs;
        windowRatios << pair[1].windowMs / pair[0].windowMs;
    }
    *bare = {median(window[0]), median(construct[0]), median(process[0])};
    *mainWindow = {median(window[1]), median(construct[1]), median(process[1])};
    return {median(processRatios), median(windowRatios)};
}

double ProcessProbe::peakResidentMiB(Shown shown)
{
    const QString probes[] = {MemoryBare, MemoryPage, MemoryMain};
    QVector<double> figures;
    if (!runChild(probes[int(shown)], &figures))
        return 0;
    return figures.first() / 1024.0;
}
