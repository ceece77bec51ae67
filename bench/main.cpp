// Prints one table of the figures the program is held to, each against a baseline measured in
// the same run: start-up and peak memory with every page opened against a bare main window, a
// reply on the form and a whole connection against a bare DeviceLink, event-loop gaps while
// receiving against the idle loop; then the coding speed of the codecs and the pages.
#include "bench/benchtable.h"
#include "bench/codecbench.h"
#include "bench/linkbench.h"
#include "bench/processprobe.h"
#include "bench/timedapplication.h"

#include <QStandardPaths>
#include <QThread>

#include <cstdlib>
#include <cstring>

namespace {

constexpr int StartUpRuns = 21;
// Every page may cost at most this much over a bare window, and starting at most this many
// times as long.
constexpr double StartUpRatioLimit = 1.5;
constexpr double PagesOverBareLimitMiB = 8;

void startUp(BenchTable &table)
{
    ProcessProbe::StartUp bare, main;
    const ProcessProbe::Ratios ratio = ProcessProbe::startUp(StartUpRuns, &bare, &main);
    table.add(QStringLiteral("start-up, process launched until first paint: bare QMainWindow / "
                             "ORVA2 (medians of %1 processes each)")
                  .arg(StartUpRuns),
              QStringLiteral("%1 / %2").arg(BenchTable::milliseconds(bare.processMs),
                                            BenchTable::milliseconds(main.processMs)));
    table.add(QStringLiteral("start-up ratio ORVA2 / bare QMainWindow (median of the pairs)"),
              QString::number(ratio.process, 'f', 2) + "x",
              QStringLiteral("<= %1x").arg(StartUpRatioLimit),
              BenchTable::atMost(ratio.process, StartUpRatioLimit));
    table.add(QStringLiteral("of it, construct + show until first paint: bare / ORVA2 (of which "
                             "constructing); ratio"),
              QStringLiteral("%1 / %2 (%3); %4x")
                  .arg(BenchTable::milliseconds(bare.windowMs),
                       BenchTable::milliseconds(main.windowMs),
                       BenchTable::milliseconds(main.constructMs))
                  .arg(ratio.window, 0, 'f', 2));
}

void memory(BenchTable &table)
{
    using ProcessProbe::Shown;
    const double bare = ProcessProbe::peakResidentMiB(Shown::Nothing);
    const double page = ProcessProbe::peakResidentMiB(Shown::OnePage);
    const double main = ProcessProbe::peakResidentMiB(Shown::EveryPage);
    table.add(QStringLiteral("peak resident size: bare QMainWindow"),
              QString::number(bare, 'f', 1) + " MiB");
    table.add(QStringLiteral("peak resident size: ORVA2 with every page opened offline"),
              QString::number(main, 'f', 1) + " MiB");
    table.add(QStringLiteral("peak resident size: every page opened, over the bare window"),
              QStringLiteral("+%1 MiB").arg(main - bare, 0, 'f', 1),
              QStringLiteral("<= +%1 MiB").arg(PagesOverBareLimitMiB),
              main > 0 && bare > 0 ? BenchTable::atMost(main - bare, PagesOverBareLimitMiB)
                                   : BenchTable::Missed);
    // No window showing a page can cost less than this, whatever the others keep.
    table.add(QStringLiteral("floor: the KZR-1 page alone in a bare QMainWindow, styled, over "
                             "the bare window"),
              QStringLiteral("+%1 MiB").arg(page - bare, 0, 'f', 1));
}

} // namespace

int main(int argc, char *argv[])
{
    // Without a display the windows are drawn off screen, as in the tests.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The relays measured are simulated: their backups and remembered ports are no one's.
    QStandardPaths::setTestModeEnabled(true);
    if (argc == 3 && std::strcmp(argv[1], ProcessProbe::Flag) == 0)
        return ProcessProbe::run(QString::fromLatin1(argv[2]), argc, argv);

    TimedApplication application(argc, argv);
    // orva-bench --profile KZR-1|WRN-2 changing|equal [rounds [log lines]]: only replies, for
    // a profiler.
    // orva-bench --profile connection [rounds]: only connections, each from a fresh window.
    if (argc >= 3 && std::strcmp(argv[1], "--profile") == 0 &&
        std::strcmp(argv[2], "connection") == 0)
        return LinkBench::profileConnection(argc >= 4 ? std::atoi(argv[3]) : 5) ? 0 : 1;
    if (argc >= 4 && std::strcmp(argv[1], "--profile") == 0) {
        const int rounds = argc >= 5 ? std::atoi(argv[4]) : 20;
        const int logLines = argc >= 6 ? std::atoi(argv[5]) : 0;
        return LinkBench::profile(QString::fromLatin1(argv[2]), rounds,
                                  std::strcmp(argv[3], "equal") == 0, logLines)
                   ? 0
                   : 1;
    }
    BenchTable table;
    table.add(QStringLiteral("machine"),
              QStringLiteral("Qt %1, platform %2, %3 CPUs")
                  .arg(QLatin1String(qVersion()), QApplication::platformName())
                  .arg(QThread::idealThreadCount()));
    startUp(table);
    LinkBench(application).run(table);
    memory(table);
    CodecBench().run(table);
    table.print(stdout);
    return 0;
}
