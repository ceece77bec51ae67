#include "cli/headlessprogram.h"

#include "cli/commandline.h"
#include "cli/configurationjob.h"
#include "cli/repeatloop.h"
#include "cli/runlog.h"
#include "platform/terminationrequest.h"
#include "protocol/modeltable.h"
#include "protocol/printabletext.h"
#include "settings/settingdescription.h"
#include "simulator/devicesimulator.h"

#include <QDateTime>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>

namespace {

QStringList rawArguments(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Polish texts reach a terminal, a pipe or a file alike, whatever the locale says.
void useUtf8(QTextStream &stream)
{
    stream.setCodec("UTF-8");
}

} // namespace

HeadlessProgram::HeadlessProgram(const CommandLine &commandLine)
    : m_commandLine(commandLine), m_out(stdout), m_err(stderr), m_session(m_link)
{
    useUtf8(m_out);
    useUtf8(m_err);
    if (!commandLine.logFile().isEmpty())
        m_log = std::make_unique<RunLog>(commandLine.logFile());
}

HeadlessProgram::~HeadlessProgram() = default;

bool HeadlessProgram::runsWithoutWindow(int argc, char **argv)
{
    CommandLine commandLine;
    commandLine.parse(rawArguments(argc, argv));
    return !commandLine.needsWindow();
}

int HeadlessProgram::main(int &argc, char **argv)
{
    CommandLine commandLine;
    commandLine.parse(rawArguments(argc, argv));
    std::unique_ptr<QCoreApplication> application;
    if (commandLine.action() == CommandLine::Action::Report) {
        // Chosen before the application object exists, which is when Qt reads it.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    return run(QCoreApplication::arguments());
}

int HeadlessProgram::run(const QStringList &arguments)
{
    CommandLine::nameApplication();
    CommandLine commandLine;
    QTextStream out(stdout);
    QTextStream err(stderr);
    useUtf8(out);
    useUtf8(err);
    if (!commandLine.parse(arguments)) {
        // The parser's own sentences are English; what to do about them is said in Polish.
        err << PrintableText::of(commandLine.errorText()) << Qt::endl
            << QStringLiteral("Nic nie zrobiono. Poprawne opcje wypisuje: orva-konfig --help")
            << Qt::endl;
        return RunOutcome::Refused;
    }
    if (commandLine.helpRequested()) {
        out << commandLine.helpText();
        return RunOutcome::Done;
    }
    if (commandLine.versionRequested()) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
            << Qt::endl;
        return RunOutcome::Done;
    }
    HeadlessProgram program(commandLine);
    return program.exec();
}

int HeadlessProgram::exec()
{
    if (m_log) {
        const QString error = m_log->prepare();
        if (!error.isEmpty()) {
            say(error);
            return RunOutcome::Refused;
        }
    }
    SettingsFile file;
    RunOutcome early = openOrderFile(&file);
    if (early.code == RunOutcome::Done)
        early = openLink();
    if (early.code != RunOutcome::Done) {
        conclude(early);
        return early.code;
    }

    ConfigurationJob job(m_session, m_backups,
                         {m_commandLine.action(), m_commandLine.actionFile(), file, m_portLabel,
                          m_commandLine.simulatedModel() != nullptr, m_commandLine.station(),
                          m_commandLine.serialNumber(), m_commandLine.engineer()});
    connect(&job, &ConfigurationJob::step, this, &HeadlessProgram::say);
    connect(&job, &ConfigurationJob::difference, this, &HeadlessProgram::print);
    connect(&job, &ConfigurationJob::finished, this, &HeadlessProgram::conclude);
    QEventLoop events;
    // Ctrl+C or a request to terminate: the relay in progress is recorded as interrupted, and
    // the port, with its lock, is closed as the program ends in order.
    TerminationRequest termination;
    if (m_commandLine.repeats()) {
        RepeatLoop loop(m_session, job);
        connect(&loop, &RepeatLoop::step, this, &HeadlessProgram::say);
        connect(&loop, &RepeatLoop::portFailed, &events, [this, &events](const QString &reason) {
            say(reason);
            events.exit(RunOutcome::LinkFailed);
        });
        connect(
            &termination, &TerminationRequest::requested, &events,
            [this, &events, &loop, &job](int exitCode) {
                loop.stop();
                job.interrupt(static_cast<RunOutcome::Code>(exitCode));
                say(QStringLiteral("Przerwano. Udane: %1, nieudane: %2.")
                        .arg(QString::number(loop.successes()), QString::number(loop.failures())));
                events.exit(exitCode);
            });
        loop.start(m_link.portName(), m_link.baudRate());
        return events.exec();
    }
    connect(&job, &ConfigurationJob::finished, &events,
            [&events](const RunOutcome &outcome) { events.exit(outcome.code); });
    connect(&termination, &TerminationRequest::requested, &events, [&events, &job](int exitCode) {
        job.interrupt(static_cast<RunOutcome::Code>(exitCode));
        events.exit(exitCode);
    });
    job.start();
    const int code = events.exec();
    // A run the bench's log does not record is no success.
    return code == RunOutcome::Done && m_logFailed ? RunOutcome::Refused : code;
}

// A file to write or compare with is taken whole before any relay is asked, so a refused
// file never sends a frame.
RunOutcome HeadlessProgram::openOrderFile(SettingsFile *file) const
{
    const CommandLine::Action action = m_commandLine.action();
    if (action != CommandLine::Action::Write && action != CommandLine::Action::Compare)
        return {};
    const QString path = m_commandLine.actionFile();
    QString error;
    *file = SettingsFile::open(path, &error);
    if (!file->model)
        return RunOutcome::before(RunOutcome::Refused, error);
    // What the program would write after reading these frames; anything else would not read
    // back as written.
    const SettingDescription &description = *SettingDescription::of(file->model->id);
    if (action == CommandLine::Action::Write &&
        description.normalised(file->frames) != file->frames)
        return RunOutcome::before(
            RunOutcome::Refused,
            QStringLiteral("Plik „%1” zawiera bity, których model %2 nie przyjmuje; niczego nie "
                           "wysłano.")
                .arg(QFileInfo(path).fileName(), file->model->nameText()));
    return {};
}

RunOutcome HeadlessProgram::openLink()
{
    QString portName = m_commandLine.portName();
    m_portLabel = portName;
    if (const ModelInfo *model = m_commandLine.simulatedModel()) {
        m_simulator = std::make_unique<DeviceSimulator>(QByteArray(model->identity));
        if (!m_simulator->start())
            return RunOutcome::before(RunOutcome::LinkFailed,
                                      QStringLiteral("Nie udało się utworzyć linii "
                                                     "symulowanego urządzenia."));
        portName = m_simulator->portName();
        m_portLabel = QStringLiteral("symulowane urządzenie %1").arg(model->nameText());
    }
    const QString error = m_session.open(portName, m_commandLine.baudRate());
    if (!error.isEmpty())
        return RunOutcome::before(RunOutcome::LinkFailed, error);
    say(QStringLiteral("Port %1, %2 bodów")
            .arg(m_portLabel, QString::number(m_commandLine.baudRate())));
    return {};
}

// Device text and file names reach a terminal: their control characters are shown escaped.
void HeadlessProgram::say(const QString &line)
{
    m_err << PrintableText::of(line) << Qt::endl;
}

void HeadlessProgram::print(const QString &line)
{
    m_out << PrintableText::of(line) << Qt::endl;
}

// The last line of every run says how it ended; the run log keeps the same sentence.
void HeadlessProgram::conclude(const RunOutcome &outcome)
{
    say(outcome.sentence);
    if (!m_log)
        return;
    const QString error =
        m_log->append({QDateTime::currentDateTime(), m_portLabel, m_commandLine.actionName(),
                       m_commandLine.actionFile(), outcome});
    if (!error.isEmpty()) {
        m_logFailed = true;
        say(error);
    }
}
