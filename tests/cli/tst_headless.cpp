#include "cli/runoutcome.h"
#include "codecs/kzrconfig.h"
#include "platform/pseudoterminal.h"
#include "settings/settingdescription.h"
#include "settings/settingsfile.h"
#include "simulator/devicesimulator.h"
#include "tests/codecs/codecdomain.h"
#include "tests/support/fulldisk.h"
#include "tests/support/pdftext.h"

#include <QDir>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

// orva-konfig without a window, run as a script runs it: a process of its own, talking to a
// relay this test serves on a pseudo-terminal (or one simulated inside the program), with no
// display at all.
class tst_Headless : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void differencesAreListedAndLogged();
    void refusalsSendNothing_data();
    void refusalsSendNothing();
    void linkFailures_data();
    void linkFailures();
    void repeatHandlesEachRelayOnce();
    void reportIsWritten();
    void fullDiskSavesNothing_data();
    void fullDiskSavesNothing();
    void pathsThatAreNoRegularFileAreRefused_data();
    void pathsThatAreNoRegularFileAreRefused();
    void readBackIsComparedByBytes();
    void unkeptBackupIsNoSuccess();
    void fileNamesAndDeviceTextStayText();
    void portFailuresAreSaidInPolish_data();
    void portFailuresAreSaidInPolish();
    void interruptEndsARepeatRunInOrder_data();
    void interruptEndsARepeatRunInOrder();
    void optionErrorsSayWhatToDo();

private:
    struct Run
    {
        int code = -1;
        QString out;
        QString err;
    };

    void start(QProcess &process, const QStringList &arguments);
    Run run(const QStringList &arguments);
    QString path(const QString &name) const { return m_folder.filePath(name); }

    QTemporaryDir m_folder;
};

namespace {

constexpr int TimeoutMs = 15000;

QByteArray framesIn(const QString &path)
{
    QString error;
    const SettingsFile file = SettingsFile::open(path, &error);
    return error.isEmpty() ? file.frames : error.toUtf8();
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray fileOf(ModelInfo::Id model, quint32 seed)
{
    const ModelInfo &info = ModelInfo::of(model);
    return SettingsFile::of(info, drawnConfiguration(info.id, seed), QStringLiteral("v03d15m07r"))
        .toJson();
}

int configurationFramesIn(const QList<QByteArray> &frames)
{
    return int(std::count_if(frames.cbegin(), frames.cend(),
                             [](const QByteArray &f) { return f.at(0) == Frame::ConfigHeader0; }));
}

int identificationsIn(const QList<QByteArray> &frames)
{
    return int(std::count_if(frames.cbegin(), frames.cend(), [](const QByteArray &f) {
        return Frame::hasHeader(f, Frame::Request::Identify);
    }));
}

// The first setting kept in a single byte, flipped in the frames: they then differ from what
// they were in that setting alone. Null when the model keeps no setting so.
const SettingDescription::Field *flipOneSetting(ModelInfo::Id model, QByteArray &frames)
{
    const QVector<SettingDescription::Field> &fields = SettingDescription::of(model)->fields();
    const auto flag =
        std::find_if(fields.cbegin(), fields.cend(), [](const SettingDescription::Field &field) {
            return field.mask.count('\0') == field.mask.size() - 1;
        });
    if (flag == fields.cend())
        return nullptr;
    for (int i = 0; i < frames.size(); ++i)
        frames[i] = static_cast<char>(frames[i] ^ flag->mask[i]);
    return &*flag;
}

QStringList linesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly)
               ? QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)
               : QStringList();
}

} // namespace

// The relay of most scenarios here is served by this test and reached by orva-konfig from a
// process of its own, over a line only a pseudo-terminal carries between two processes.
#define NEEDS_PSEUDOTERMINAL(why)                                                                  \
    if (!Pseudoterminal::available())                                                              \
    QSKIP("No pseudo-terminal to reach the test's relay from another process on this "             \
          "system: " why)
#define TWIN_SIMULATED "roundTrip's --simulate rows run the actions"
#define RELAY_OF_THE_TEST(what) "only a relay of the test's own " what ", which --simulate cannot"

// No display, and a platform that would need one: a widget or a window-system platform
// anywhere on the way fails the run. The backups go to the test's own folder.
void tst_Headless::start(QProcess &process, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral("data")));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ORVA_KONFIG), arguments);
}

// Waits with the event loop running: the relay on the pseudo-terminal answers from it.
tst_Headless::Run tst_Headless::run(const QStringList &arguments)
{
    QProcess process;
    start(process, arguments);
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, TimeoutMs))
        process.kill();
    process.waitForFinished();
    // A console program on Windows ends its lines with CR LF, as it should.
    const auto text = [](const QByteArray &bytes) {
        return QString::fromUtf8(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    };
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            text(process.readAllStandardOutput()), text(process.readAllStandardError())};
}

void tst_Headless::roundTrip_data()
{
    QTest::addColumn<ModelInfo::Id>("model");
    QTest::addColumn<bool>("simulated");
    for (const ModelInfo &model : ModelInfo::all()) {
        if (!SettingDescription::of(model.id))
            continue;
        QTest::addRow("%s, relay of the test", model.name) << model.id << false;
        QTest::addRow("%s, --simulate", model.name) << model.id << true;
    }
}

// Read from one relay, written into another and read from that: the same frames byte for
// byte, every read kept as a backup; compared, they are equal, a file that differs in one
// setting is 1 with that setting alone, and the settings sheet is a PDF. A relay that does
// not answer a read refuses the read and takes the write unchecked. The relays are the
// test's own, or else the program simulates them itself with the model's factory settings,
// as on a system without pseudo-terminals.
void tst_Headless::roundTrip()
{
    QFETCH(ModelInfo::Id, model);
    QFETCH(bool, simulated);
    if (!simulated) {
        NEEDS_PSEUDOTERMINAL("the --simulate rows run the same actions");
    }
    const ModelInfo &info = ModelInfo::of(model);
    QByteArray frames = drawnConfiguration(info.id, 0x15 + static_cast<quint32>(model));
    const QString first = path(QStringLiteral("%1-first.orva.json").arg(info.identity));
    const QString second = path(QStringLiteral("%1-second.orva.json").arg(info.identity));
    DeviceSimulator source(info.identity);
    DeviceSimulator target(info.identity);
    if (!simulated) {
        QVERIFY(source.start() && target.start());
        source.device().setStoredPayload(payloadOf(frames));
    }
    const auto on = [&](DeviceSimulator &relay, const char *action, const QString &file) {
        return run({simulated ? "--simulate" : "--port",
                    simulated ? QString(info.name) : relay.portName(), action, file});
    };

    const Run read = on(source, "--read", first);
    if (info.answersRead()) {
        QCOMPARE(read.code, int(RunOutcome::Done));
        QString error;
        QCOMPARE(SettingsFile::open(first, &error).model, &info);
        if (simulated)
            frames = framesIn(first);
        QCOMPARE(framesIn(first).toHex(' '), frames.toHex(' '));
#ifndef Q_OS_WIN // Windows finds the user's data folder without asking the environment.
        QVERIFY(!QDir(path(QStringLiteral("data/ORVATECH/ORVA_Konfig/kopie/%1").arg(info.name)))
                     .isEmpty(QDir::Files));
#endif
    } else {
        QCOMPARE(read.code, int(RunOutcome::Refused));
        QVERIFY2(read.err.contains("nie odpowiada na odczyt"), qPrintable(read.err));
        writeFile(first, SettingsFile::of(info, frames, {}).toJson());
    }

    const Run write = on(target, "--write", first);
    QVERIFY2(write.code == RunOutcome::Done, qPrintable(write.err));
    if (!simulated)
        QCOMPARE(target.device().storedPayload().toHex(' '), payloadOf(frames).toHex(' '));
    QVERIFY2(write.err.contains(info.answersRead() ? "Zapis potwierdzony odczytem"
                                                   : "nie można sprawdzić odczytem"),
             qPrintable(write.err));
    if (!info.answersRead())
        return;
    QCOMPARE(on(target, "--read", second).code, int(RunOutcome::Done));
    QCOMPARE(framesIn(second).toHex(' '), frames.toHex(' '));
    const Run same = on(target, "--compare", first);
    QCOMPARE(same.code, int(RunOutcome::Done));
    QCOMPARE(same.out, QString());

    const SettingDescription::Field *flag = flipOneSetting(model, frames);
    QVERIFY(flag);
    writeFile(first, SettingsFile::of(info, frames, QStringLiteral("v03d15m07r0")).toJson());
    const Run changed = on(target, "--compare", first);
    QCOMPARE(changed.code, int(RunOutcome::Differs));
    QCOMPARE(changed.out.count('\n'), 1);
    QVERIFY2(changed.out.startsWith(flag->group + " / " + flag->setting + ": urządzenie "),
             qPrintable(changed.out));

    const QString pdf = path(QStringLiteral("%1.pdf").arg(info.identity));
    const Run report = on(target, "--report", pdf);
    QVERIFY2(report.code == RunOutcome::Done, qPrintable(report.err));
    QFile sheet(pdf);
    QVERIFY(sheet.open(QIODevice::ReadOnly));
    QVERIFY(sheet.read(5) == "%PDF-");
}

// Equal is 0 with nothing on standard output; one setting changed on the relay is 1 and
// that setting alone, whether found by --compare or by the check after a write. Each run adds
// one line to the run log.
void tst_Headless::differencesAreListedAndLogged()
{
    NEEDS_PSEUDOTERMINAL(TWIN_SIMULATED);
    const ModelInfo &ga = ModelInfo::of(ModelInfo::Id::Ga);
    DeviceSimulator relay(ga.identity);
    QVERIFY(relay.start());
    relay.device().setStoredPayload(payloadOf(drawnConfiguration(ga.id, 7)));
    const QString file = path(QStringLiteral("ga.orva.json"));
    const QString log = path(QStringLiteral("runs.csv"));
    QCOMPARE(run({"--port", relay.portName(), "--read", file}).code, int(RunOutcome::Done));

    const Run same = run({"--port", relay.portName(), "--compare", file, "--log", log});
    QCOMPARE(same.code, int(RunOutcome::Done));
    QCOMPARE(same.out, QString());

    // One setting changed on the relay.
    QByteArray frames = framesIn(file);
    const SettingDescription::Field *flag = flipOneSetting(ga.id, frames);
    QVERIFY(flag);
    relay.device().setStoredPayload(payloadOf(frames));
    const Run changed = run({"--port", relay.portName(), "--compare", file, "--log", log});
    QCOMPARE(changed.code, int(RunOutcome::Differs));
    const QStringList differing = changed.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(differing.size(), 1);
    QVERIFY2(differing.first().startsWith(flag->group + " / " + flag->setting + ": urządzenie "),
             qPrintable(differing.first()));

    // A relay that acknowledges the file but keeps the changed setting.
    QObject::connect(
        &relay.device(), &SimulatedDevice::frameReceived, &relay.link(),
        [&](const QByteArray &frame) {
            if (frame.at(0) == Frame::ConfigHeader0)
                relay.device().setStoredPayload(payloadOf(frames));
        },
        Qt::QueuedConnection);
    const Run unchecked = run({"--port", relay.portName(), "--write", file, "--log", log});
    QCOMPARE(unchecked.code, int(RunOutcome::Differs));
    QVERIFY2(unchecked.out.startsWith(flag->group + " / " + flag->setting + ": wysłano ") &&
                 unchecked.out.count('\n') == 1,
             qPrintable(unchecked.out));

    const QStringList lines = linesOf(log);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0], QStringLiteral("czas,port,model,wersja urządzenia,czynność,plik,wynik"));
    const QString columns =
        QStringLiteral(",%1,GA-1,v03d15m07r0,compare,%2,").arg(relay.portName(), file);
    QVERIFY2(lines[1].contains(columns + "0: "), qPrintable(lines[1]));
    QVERIFY2(lines[2].contains(columns + "1: "), qPrintable(lines[2]));
    QVERIFY2(lines[3].contains(QString(columns).replace("compare", "write") + "1: "),
             qPrintable(lines[3]));
}

void tst_Headless::refusalsSendNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    // "%port" is the relay's line (a KZR-1), "%file" the file with the content.
    const QByteArray kzr = fileOf(ModelInfo::Id::Kzr, 3);
    const QByteArray frameHex = drawnConfiguration(ModelInfo::Id::Kzr, 3).toHex().toUpper();
    const QStringList write{"--port", "%port", "--write", "%file"};
    QTest::newRow("file of another model")
        << write << fileOf(ModelInfo::Id::Ga, 3) << "modelu GA-1";
    QTest::newRow("compare with another model")
        << QStringList{"--port", "%port", "--compare", "%file"} << fileOf(ModelInfo::Id::Tlmx, 3)
        << "modelu TLMX-1";
    QTest::newRow("bad JSON") << write << kzr.left(kzr.size() / 2) << "JSON";
    QTest::newRow("frame of 13 bytes")
        << write << QByteArray(kzr).replace(frameHex, frameHex.left(26)) << "13 B";
    QTest::newRow("newer format") << write
                                  << QByteArray(kzr).replace("\"formatVersion\": 1",
                                                             "\"formatVersion\": 2")
                                  << "nowszym";
    QTest::newRow("no such file") << write << QByteArray() << "Nie można odczytać";
    QTest::newRow("unknown option")
        << QStringList{"--port", "%port", "--speed", "9600"} << kzr << "Unknown option 'speed'";
    QTest::newRow("two actions") << QStringList{"--port", "%port",   "--read",
                                                "a",      "--write", "%file"}
                                 << kzr << "Choose one";
    QTest::newRow("repeated read") << QStringList{"--port", "%port", "--read", "%file", "--repeat"}
                                   << kzr << "--repeat goes with";
}

// A refusal is 2, says why, and no configuration frame reaches the relay.
void tst_Headless::refusalsSendNothing()
{
    NEEDS_PSEUDOTERMINAL(RELAY_OF_THE_TEST("counts the frames a refused run sends"));
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    DeviceSimulator relay("01");
    QVERIFY(relay.start());
    const QByteArray stored = payloadOf(drawnConfiguration(ModelInfo::Id::Kzr, 11));
    relay.device().setStoredPayload(stored);
    const QString file = path(QStringLiteral("refused.orva.json"));
    QFile::remove(file);
    if (!content.isEmpty())
        writeFile(file, content);

    const Run refused =
        run(arguments.replaceInStrings("%port", relay.portName()).replaceInStrings("%file", file));
    QCOMPARE(refused.code, int(RunOutcome::Refused));
    QVERIFY2(refused.err.contains(reason), qPrintable(refused.err));
    QCOMPARE(configurationFramesIn(relay.device().receivedFrames()), 0);
    QCOMPARE(relay.device().storedPayload().toHex(' '), stored.toHex(' '));
}

void tst_Headless::linkFailures_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reason");
    const char *const rows[][3] = {
        {"nothing answers", "silent", "Brak odpowiedzi urządzenia"},
        {"write not acknowledged", "silent after identification", "Brak odpowiedzi"},
        {"link lost mid-write", "lost on write", "Utracono połączenie"}};
    for (const auto &row : rows)
        QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]);
}

// A link that fails is 3, however far the run had come; a port that will not open is in
// portFailuresAreSaidInPolish.
void tst_Headless::linkFailures()
{
    NEEDS_PSEUDOTERMINAL(RELAY_OF_THE_TEST("falls silent or goes away in the middle of a run"));
    QFETCH(QString, fault);
    QFETCH(QString, reason);
    DeviceSimulator relay("01");
    QVERIFY(relay.start());
    SimulatedDevice &device = relay.device();
    device.setAnswering(fault != "silent");
    QObject::connect(
        &device, &SimulatedDevice::frameReceived, &relay.link(),
        [&](const QByteArray &frame) {
            if (fault == "silent after identification" || fault == "lost on write")
                device.setAnswering(false);
            if (fault == "lost on write" && frame.at(0) == Frame::ConfigHeader0)
                relay.link().close();
        },
        Qt::QueuedConnection);
    const QString file = path(QStringLiteral("kzr.orva.json"));
    writeFile(file, fileOf(ModelInfo::Id::Kzr, 5));

    const Run failed = run({"--port", relay.portName(), "--write", file});
    QCOMPARE(failed.code, int(RunOutcome::LinkFailed));
    QVERIFY2(failed.err.contains(reason), qPrintable(failed.err));
}

// Three relays in a row on one port: each written once while it stays on the bench, a relay
// of another model refused, a running count after each, and a run log that keeps every line
// when the loop is killed.
void tst_Headless::repeatHandlesEachRelayOnce()
{
    NEEDS_PSEUDOTERMINAL(RELAY_OF_THE_TEST("is swapped for the next while the run waits"));
    DeviceSimulator bench("01");
    QVERIFY(bench.start());
    SimulatedDevice &relay = bench.device();
    const QString file = path(QStringLiteral("bench.orva.json"));
    const QString log = path(QStringLiteral("bench.csv"));
    writeFile(file, fileOf(ModelInfo::Id::Kzr, 9));
    const QByteArray written = payloadOf(framesIn(file));

    QProcess loop;
    QString err;
    connect(&loop, &QProcess::readyReadStandardError, this,
            [&] { err += QString::fromUtf8(loop.readAllStandardError()); });
    start(loop, {"--port", bench.portName(), "--write", file, "--repeat", "--log", log});
    const auto counted = [&](const char *count) {
        return QTest::qWaitFor([&] { return err.contains(QLatin1String(count)); }, TimeoutMs);
    };
    const auto identificationsAfter = [&](int count) {
        const int before = identificationsIn(relay.receivedFrames());
        return QTest::qWaitFor(
            [&] { return identificationsIn(relay.receivedFrames()) >= before + count; }, TimeoutMs);
    };
    // Taken off: once one question has gone unanswered, the loop learns the relay is gone
    // whatever comes after it.
    const auto nextRelay = [&](const QByteArray &identity) {
        relay.setAnswering(false);
        const bool noticed = identificationsAfter(1);
        relay.clearReceivedFrames();
        relay.setStoredPayload(QByteArray());
        relay.setIdentity(identity);
        relay.setAnswering(true);
        return noticed;
    };

    QVERIFY2(counted("Udane: 1, nieudane: 0"), qPrintable(err));
    QVERIFY(identificationsAfter(2));
    QCOMPARE(configurationFramesIn(relay.receivedFrames()), 1);
    QCOMPARE(relay.storedPayload().toHex(' '), written.toHex(' '));
    QVERIFY(nextRelay("01"));
    QVERIFY2(counted("Udane: 2, nieudane: 0"), qPrintable(err));
    QCOMPARE(relay.storedPayload().toHex(' '), written.toHex(' '));
    QVERIFY(nextRelay("03"));
    QVERIFY2(counted("Udane: 2, nieudane: 1"), qPrintable(err));
    QCOMPARE(configurationFramesIn(relay.receivedFrames()), 0);

    loop.kill();
    QVERIFY(loop.waitForFinished());
    const QStringList lines = linesOf(log);
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines[1].contains(",KZR-1,") && lines[1].endsWith(",0: Zapis potwierdzony odczytem."));
    QVERIFY(lines[2].contains(",KZR-1,") && lines[2].endsWith(",0: Zapis potwierdzony odczytem."));
    QVERIFY2(lines[3].contains(",GA-1,") && lines[3].contains(",\"2: Plik"), qPrintable(lines[3]));
}

// The settings sheet is painted off screen although the environment names a window system.
void tst_Headless::reportIsWritten()
{
    const QString pdftotext = PdfText::reader();
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not on the path: not installed, or Windows, which has "
              "none");
    const QString pdf = path(QStringLiteral("sheet.pdf"));
    QCOMPARE(run({"--simulate", "GA-1", "--report", pdf, "--station", "Rozdzielnia R2 / pole 4",
                  "--serial", "GA-0815", "--engineer", "Anna Nowak"})
                 .code,
             int(RunOutcome::Done));
    const QString sheet = PdfText::pages(pdftotext, pdf).join(QLatin1Char(' '));
    QVERIFY(!sheet.isEmpty());
    for (const char *expected : {"Karta nastaw przekaźnika GA-1", "Wersja urządzenia v03d15m07r0",
                                 "Stacja / pole Rozdzielnia R2 / pole 4", "Nr fabryczny GA-0815",
                                 "Wykonał Anna Nowak", "Port symulowane urządzenie",
                                 "sheet.pdf – SYMULACJA, symulowane urządzenie", "Strona 1 z"})
        QVERIFY2(sheet.contains(QString::fromUtf8(expected)), qPrintable(sheet));

    // The sheet's details belong to --report alone.
    QCOMPARE(run({"--simulate", "GA-1", "--read", path(QStringLiteral("x.orva.json")), "--engineer",
                  "Anna Nowak"})
                 .code,
             int(RunOutcome::Refused));
}

void tst_Headless::fullDiskSavesNothing_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<qint64>("free");
    for (const char *action : {"--read", "--report"}) {
        QTest::addRow("%s, no space", action) << action << qint64(0);
        QTest::addRow("%s, 4 KiB free", action) << action << qint64(4096);
    }
}

// The good file stays, the run says why it saved nothing, and the script sees 2.
void tst_Headless::fullDiskSavesNothing()
{
    QFETCH(QString, action);
    QFETCH(qint64, free);
    FullDisk disk;
    if (!disk.isMounted())
        QSKIP(qPrintable(disk.skipReason()));
    const QString target = disk.filePath(QStringLiteral("target.orva.json"));
    const QByteArray good = fileOf(ModelInfo::Id::Wrn2, 3);
    writeFile(target, good);
    QVERIFY(disk.fill(free));

    const Run full = run({"--simulate", "WRN-2", action, target});
    QCOMPARE(full.code, int(RunOutcome::Refused));
    QVERIFY2(full.err.contains(QStringLiteral("„target.orva.json”: brak miejsca na dysku.")),
             qPrintable(full.err));
    QVERIFY2(!full.err.contains(QStringLiteral("Zapisano")), qPrintable(full.err));
    QFile kept(target);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), good);
}

void tst_Headless::pathsThatAreNoRegularFileAreRefused_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("kind");
    const char *const rows[][2] = {
        {"--read", "device"},  {"--report", "device"}, {"--read", "fifo"},   {"--write", "fifo"},
        {"--compare", "fifo"}, {"--read", "folder"},   {"--write", "folder"}};
    for (const auto &row : rows)
        QTest::addRow("%s %s", row[0], row[1]) << QString(row[0]) << QString(row[1]);
}

// Run as root, a device node would become a regular file; a pipe nobody writes to would
// hang the run for ever.
void tst_Headless::pathsThatAreNoRegularFileAreRefused()
{
    QFETCH(QString, action);
    QFETCH(QString, kind);
    const QString special = path(QStringLiteral("special-") + QTest::currentDataTag());
    if (kind == "folder") {
        QVERIFY(QDir().mkpath(special));
    } else {
#ifdef Q_OS_WIN
        QSKIP("Windows keeps no device nodes or named pipes among files; the folder rows stand in");
#endif
        QProcess make;
        if (kind == "device")
            make.start(QStringLiteral("mknod"), {special, "c", "1", "3"});
        else
            make.start(QStringLiteral("mkfifo"), {special});
        if (!make.waitForFinished() || make.exitCode() != 0)
            QSKIP("making a device node needs root");
    }

    const Run refused = run({"--simulate", "KZR-1", action, special});
    QCOMPARE(refused.code, int(RunOutcome::Refused));
    QVERIFY2(refused.err.contains(QStringLiteral(": to nie jest zwykły plik.")),
             qPrintable(refused.err));
    QVERIFY(!QFileInfo(special).isFile());
}

// Every read is kept among the backups. Where their folder cannot be made, a write is still
// confirmed, but a script sees no success and the last line (the run log's) says why.
void tst_Headless::unkeptBackupIsNoSuccess()
{
#ifdef Q_OS_WIN
    QSKIP("Windows keeps the backups under the user's AppData, which the test cannot block");
#endif
    const QString file = path(QStringLiteral("unkept.orva.json")), data = path("data");
    writeFile(file, fileOf(ModelInfo::Id::Kzr, 5));
    QVERIFY(QDir(data).removeRecursively());
    writeFile(data, "a file where the backups' folder would be");
    const Run written = run({"--simulate", "KZR-1", "--write", file});
    const Run compared = run({"--simulate", "KZR-1", "--compare", file});
    QVERIFY(QFile::remove(data));

    const auto endsSaying = [](const Run &unkept, const QString &said) {
        const QString last = unkept.err.trimmed().section(QLatin1Char('\n'), -1);
        return last.startsWith(said) && last.contains("Nie można utworzyć folderu kopii");
    };
    QCOMPARE(written.code, int(RunOutcome::Refused));
    QVERIFY2(endsSaying(written, "Zapis potwierdzony odczytem."), qPrintable(written.err));
    QCOMPARE(compared.code, int(RunOutcome::Differs));
    QVERIFY2(endsSaying(compared, "Nastawy różne od pliku"), qPrintable(compared.err));
}

// A KZR-1 whose memory returns 0xFF (erased) in the blocked LED's colour byte, where 0xEF
// (red) was written: the form would show red, the relay holds no colour at all.
void tst_Headless::readBackIsComparedByBytes()
{
    NEEDS_PSEUDOTERMINAL(RELAY_OF_THE_TEST("changes its memory behind a write"));
    DeviceSimulator relay("01");
    QVERIFY(relay.start());
    const QString file = path(QStringLiteral("erased.orva.json"));
    writeFile(file, SettingsFile::of(ModelInfo::of(ModelInfo::Id::Kzr),
                                     KzrConfig::kzrDefaults().encode(), QString())
                        .toJson());
    const auto erased = [&relay] {
        QByteArray payload = relay.device().storedPayload();
        payload[KzrConfig::Layout::BlockedColourByte - 2] = '\xff';
        relay.device().setStoredPayload(payload);
    };
    QObject::connect(&relay.device(), &SimulatedDevice::frameReceived, &relay.link(),
                     [&](const QByteArray &frame) {
                         if (frame.at(0) == Frame::ConfigHeader0)
                             erased();
                     });
    const QString setting = QStringLiteral("Konfiguracja kolorów / Blokada: ");

    const Run written = run({"--port", relay.portName(), "--write", file});
    QCOMPARE(written.code, int(RunOutcome::Differs));
    QCOMPARE(written.out, setting + "wysłano CZERWONY (EF), odczytano nieznany kod FF (FF)\n");
    QVERIFY2(written.err.contains("Odczyt po zapisie różni się od wysłanej konfiguracji."),
             qPrintable(written.err));

    const Run compared = run({"--port", relay.portName(), "--compare", file});
    QCOMPARE(compared.code, int(RunOutcome::Differs));
    QCOMPARE(compared.out, setting + "urządzenie nieznany kod FF (FF), plik CZERWONY (EF)\n");

    // What is read is what the relay holds, in the file as in the backup.
    const QString read = path(QStringLiteral("read.orva.json"));
    QCOMPARE(run({"--port", relay.portName(), "--read", read}).code, int(RunOutcome::Done));
    QCOMPARE(quint8(framesIn(read).at(KzrConfig::Layout::BlockedColourByte)), quint8(0xff));
}

// "%1" in a file name is a file name, and a version is shown, never obeyed by the terminal.
void tst_Headless::fileNamesAndDeviceTextStayText()
{
    NEEDS_PSEUDOTERMINAL(RELAY_OF_THE_TEST("reports control characters in its version"));
    DeviceSimulator relay("01");
    QVERIFY(relay.start());
    relay.device().setVersion(QByteArray("\x1b\r\n\0"
                                         "07",
                                         6));
    const QString file = path(QStringLiteral("p%2q%3r%1.orva.json"));
    const QString log = path(QStringLiteral("text.csv"));
    QCOMPARE(run({"--port", relay.portName(), "--read", file}).code, int(RunOutcome::Done));

    const Run same = run({"--port", relay.portName(), "--compare", file, "--log", log});
    QCOMPARE(same.code, int(RunOutcome::Done));
    QVERIFY2(
        same.err.contains(QStringLiteral("Urządzenie ma nastawy z pliku p%2q%3r%1.orva.json (")),
        qPrintable(same.err));
    QVERIFY2(same.err.contains(QStringLiteral("wersja v\\x1b\\x0dd\\x0a\\x00m07r")),
             qPrintable(same.err));
    for (const char control : {'\x1b', '\r', '\0'})
        QVERIFY(!same.err.contains(QLatin1Char(control)));
    const QStringList lines = linesOf(log);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[1].contains(QStringLiteral(",KZR-1,v\\x1b\\x0dd\\x0a\\x00m07r,compare,")) &&
                 lines[1].contains(QStringLiteral("p%2q%3r%1.orva.json (")),
             qPrintable(lines[1]));
}

void tst_Headless::portFailuresAreSaidInPolish_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("reason");
    const char *const rows[][3] = {
        {"held by another program", "busy", "Port @ jest zajęty przez inny program."},
        {"no such port", "none", "Nie można otworzyć portu @: nie ma takiego portu"},
        {"a file, no terminal", "file", "Nie można otworzyć portu @: "}};
    for (const auto &row : rows)
        QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]);
}

// The toolkit's and the system's English never reach the engineer, and the dialout hint only
// comes with a port he may not open.
void tst_Headless::portFailuresAreSaidInPolish()
{
    QFETCH(QString, port);
    QFETCH(QString, reason);
    DeviceSimulator relay("01");
    QVERIFY(relay.start());
    QSerialPort holder(relay.portName());
    QString portName = relay.portName();
    if (port == "busy") {
        NEEDS_PSEUDOTERMINAL(
            "only a port of the test's own can be held open while the program tries it");
        QVERIFY(holder.open(QIODevice::ReadWrite));
    }
    if (port == "none")
        portName = path(QStringLiteral("ttyNone"));
    if (port == "file") {
        portName = path(QStringLiteral("plain.txt"));
        writeFile(portName, "text");
    }
    const Run failed = run({"--port", portName, "--read", path(QStringLiteral("x.orva.json"))});
    QCOMPARE(failed.code, int(RunOutcome::LinkFailed));
    QVERIFY2(failed.err.startsWith(reason.replace(QLatin1Char('@'), portName)),
             qPrintable(failed.err));
    for (const char *english : {"dialout", "Permission", "ioctl", "No such"})
        QVERIFY2(!failed.err.contains(QLatin1String(english)), qPrintable(failed.err));
}

void tst_Headless::interruptEndsARepeatRunInOrder_data()
{
    QTest::addColumn<QString>("signal");
    QTest::addColumn<int>("code");
    QTest::newRow("Ctrl+C") << "INT" << 130;
    QTest::newRow("terminate") << "TERM" << 143;
}

// The relay in progress goes into the log as interrupted, the count is said, and the port's
// lock goes with the program.
void tst_Headless::interruptEndsARepeatRunInOrder()
{
    NEEDS_PSEUDOTERMINAL(RELAY_OF_THE_TEST("falls silent at the moment the signal is sent"));
    QFETCH(QString, signal);
    QFETCH(int, code);
    DeviceSimulator bench("01");
    QVERIFY(bench.start());
    SimulatedDevice &relay = bench.device();
    const QString file = path(QStringLiteral("bench.orva.json"));
    const QString log = path(QStringLiteral("interrupted-") + signal + ".csv");
    writeFile(file, fileOf(ModelInfo::Id::Kzr, 9));

    QProcess loop;
    start(loop, {"--port", bench.portName(), "--write", file, "--repeat", "--log", log});
    // The relay takes the configuration and never answers again: the run is at work on it
    // when the signal comes.
    QObject::connect(&relay, &SimulatedDevice::frameReceived, &bench.link(),
                     [&](const QByteArray &frame) {
                         if (frame.at(0) != Frame::ConfigHeader0)
                             return;
                         relay.setAnswering(false);
                         QProcess::execute(QStringLiteral("kill"),
                                           {"-" + signal, QString::number(loop.processId())});
                     });
    QVERIFY(QTest::qWaitFor([&] { return loop.state() == QProcess::NotRunning; }, TimeoutMs));
    QCOMPARE(loop.exitStatus(), QProcess::NormalExit);
    QCOMPARE(loop.exitCode(), code);
    const QString err = QString::fromUtf8(loop.readAllStandardError());
    QVERIFY2(err.endsWith(QStringLiteral("Przerwano. Udane: 0, nieudane: 1.\n")), qPrintable(err));
    const QStringList lines = linesOf(log);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[1].endsWith(QString::number(code) +
                               QStringLiteral(": Przerwano w trakcie pracy z urządzeniem.")),
             qPrintable(lines[1]));
    // The port's lock went with the program, as the toolkit names it in the lock folders.
    const QString lockName =
        QStringLiteral("LCK..") +
        QString(bench.portName()).remove(QStringLiteral("/dev/")).replace('/', '_');
    for (const char *folder : {"/var/lock", "/run/lock", "/tmp", "/var/tmp"})
        QVERIFY2(!QFileInfo::exists(QLatin1String(folder) + '/' + lockName),
                 qPrintable(QLatin1String(folder) + '/' + lockName));
    QSerialPort again(bench.portName());
    QVERIFY2(again.open(QIODevice::ReadWrite), qPrintable(again.errorString()));
}

void tst_Headless::optionErrorsSayWhatToDo()
{
    const Run refused = run({"--port"});
    QCOMPARE(refused.code, int(RunOutcome::Refused));
    const QStringList lines = refused.err.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[1],
             QStringLiteral("Nic nie zrobiono. Poprawne opcje wypisuje: orva-konfig --help"));
}

QTEST_GUILESS_MAIN(tst_Headless)
#include "tst_headless.moc"
