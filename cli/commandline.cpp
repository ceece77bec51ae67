#include "cli/commandline.h"

#include "protocol/frames.h"
#include "protocol/modeltable.h"
#include "simulator/simulateddevice.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>

namespace {

QString modelNames()
{
    return SimulatedDevice::modelNames().join(QStringLiteral(", "));
}

QCommandLineOption fileOption(const char *name, const char *description)
{
    return QCommandLineOption(QLatin1String(name), QLatin1String(description),
                              QStringLiteral("file"));
}

} // namespace

CommandLine::CommandLine()
    : m_help(m_parser.addHelpOption()), m_version(m_parser.addVersionOption()),
      m_port(QStringLiteral("port"),
             QStringLiteral("Connect to this serial port (/dev/ttyUSB0, COM5): at start of the "
                            "window, as choosing it and pressing connect does, or for an action."),
             QStringLiteral("path")),
      m_simulate(QStringLiteral("simulate"),
                 QStringLiteral("Start a simulated relay of this model inside the program and "
                                "connect to it instead of a port: %1, or an identity code 01-12.")
                     .arg(modelNames()),
                 QStringLiteral("model")),
      m_read(fileOption("read", "Identify the relay, read its configuration and save it to this "
                                ".orva.json file.")),
      m_write(fileOption("write", "Identify the relay, write the configuration of this .orva.json "
                                  "file to it (a file of its own model only) and check it by "
                                  "reading it back.")),
      m_compare(fileOption("compare", "Identify the relay, read its configuration and print the "
                                      "settings that differ from this .orva.json file.")),
      m_report(fileOption("report", "Identify the relay, read its configuration and write its "
                                    "settings sheet to this PDF file.")),
      m_log(QStringLiteral("log"),
            QStringLiteral("Append one line per run to this CSV file: time, port, model, device "
                           "version, action, file, result."),
            QStringLiteral("file.csv")),
      m_repeat(QStringLiteral("repeat"),
               QStringLiteral("Production loop for --write or --compare: after each relay wait "
                              "for the next one to answer on the same port, and print a running "
                              "count of successes and failures.")),
      m_baud(QStringLiteral("baud"),
             QStringLiteral("Serial rate of the link: %1 for relays, %2 for the production tester.")
                 .arg(Frame::DeviceBaudRate)
                 .arg(Frame::TesterBaudRate),
             QStringLiteral("rate")),
      m_station(QStringLiteral("station"),
                QStringLiteral("With --report: the station and bay the relay serves."),
                QStringLiteral("text")),
      m_serial(QStringLiteral("serial"),
               QStringLiteral("With --report: the relay's serial number."), QStringLiteral("text")),
      m_engineer(QStringLiteral("engineer"),
                 QStringLiteral("With --report: who did the work."), QStringLiteral("text"))
{
    m_parser.setApplicationDescription(QStringLiteral(
        "Service and configuration tool for ORVATECH relays. Without --read, --write, --compare "
        "or --report it opens its window.\n\n"
        "Exit codes of an action: 0 done (for --compare: the relay equals the file); 1 --compare "
        "or the check after --write found differences; 2 refused input (an option, an "
        "unreadable or invalid file, a file of another model or a newer format); 3 the link "
        "failed (no such port, port busy or not permitted, no answer, link lost)."));
    for (const QCommandLineOption *option : {&m_port, &m_simulate, &m_read, &m_write, &m_compare,
                                             &m_report, &m_log, &m_repeat, &m_baud,
                                             &m_station, &m_serial, &m_engineer})
        m_parser.addOption(*option);
}

void CommandLine::nameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("ORVATECH"));
    QCoreApplication::setApplicationName(QStringLiteral("ORVA_Konfig"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORVA_PROGRAM_VERSION));
    // The settings are a file in the user's configuration folder on every system; on Windows
    // that is under AppData, beside the backups, not in the registry.
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

bool CommandLine::refuse(const QString &reason)
{
    m_error = reason;
    return false;
}

bool CommandLine::parse(const QStringList &arguments)
{
    m_simulatedModel = nullptr;
    m_action = Action::None;
    m_baudRate = 0;
    m_error.clear();
    if (!m_parser.parse(arguments))
        return refuse(m_parser.errorText());
    if (!m_parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("Unexpected argument '%1'.")
                          .arg(m_parser.positionalArguments().first()));
    if (m_parser.isSet(m_port) && m_parser.isSet(m_simulate))
        return refuse(QStringLiteral("--port and --simulate cannot be used together."));
    if (m_parser.isSet(m_simulate)) {
        const QString model = m_parser.value(m_simulate);
        m_simulatedModel = ModelInfo::find(model);
        if (!m_simulatedModel)
            return refuse(QStringLiteral("Unknown model '%1'; known models are %2, or an "
                                         "identity code 01-12.")
                              .arg(model, modelNames()));
    }

    const std::pair<const QCommandLineOption *, Action> actions[] = {
        {&m_read, Action::Read},
        {&m_write, Action::Write},
        {&m_compare, Action::Compare},
        {&m_report, Action::Report},
    };
    for (const auto &[option, action] : actions) {
        if (!m_parser.isSet(*option))
            continue;
        if (m_action != Action::None)
            return refuse(QStringLiteral("Choose one of --read, --write, --compare and --report."));
        m_action = action;
    }
    if (m_action == Action::None) {
        if (m_parser.isSet(m_log) || m_parser.isSet(m_repeat) || m_parser.isSet(m_baud) ||
            m_parser.isSet(m_station) || m_parser.isSet(m_serial) || m_parser.isSet(m_engineer))
            return refuse(QStringLiteral("--log, --repeat and --baud go with --read, --write, "
                                         "--compare or --report; --station, --serial and "
                                         "--engineer with --report."));
        return true;
    }
    if (m_action != Action::Report &&
        (m_parser.isSet(m_station) || m_parser.isSet(m_serial) || m_parser.isSet(m_engineer)))
        return refuse(QStringLiteral("--station, --serial and --engineer go with --report."));
    if (!m_parser.isSet(m_port) && !m_parser.isSet(m_simulate))
        return refuse(QStringLiteral("--%1 needs --port or --simulate.").arg(actionName()));
    if (m_parser.isSet(m_repeat) && (m_action == Action::Read || m_action == Action::Report))
        return refuse(QStringLiteral("--repeat goes with --write or --compare; --%1 would "
                                     "overwrite its file with every relay.")
                          .arg(actionName()));
    if (m_parser.isSet(m_baud)) {
        bool number = false;
        m_baudRate = m_parser.value(m_baud).toInt(&number);
        if (!number || m_baudRate <= 0)
            return refuse(QStringLiteral("--baud takes a rate such as %1 or %2, not '%3'.")
                              .arg(Frame::DeviceBaudRate)
                              .arg(Frame::TesterBaudRate)
                              .arg(m_parser.value(m_baud)));
    }
    return true;
}

bool CommandLine::helpRequested() const
{
    return m_parser.isSet(m_help);
}

bool CommandLine::versionRequested() const
{
    return m_parser.isSet(m_version);
}

bool CommandLine::needsWindow() const
{
    return m_error.isEmpty() && !helpRequested() && !versionRequested() && m_action == Action::None;
}

QString CommandLine::portName() const
{
    return m_parser.value(m_port);
}

const QCommandLineOption *CommandLine::actionOption() const
{
    switch (m_action) {
    case Action::Read:
        return &m_read;
    case Action::Write:
        return &m_write;
    case Action::Compare:
        return &m_compare;
    case Action::Report:
        return &m_report;
    case Action::None:
        break;
    }
    return nullptr;
}

QString CommandLine::actionName() const
{
    const QCommandLineOption *option = actionOption();
    return option ? option->names().first() : QString();
}

QString CommandLine::actionFile() const
{
    const QCommandLineOption *option = actionOption();
    return option ? m_parser.value(*option) : QString();
}

QString CommandLine::logFile() const
{
    return m_parser.value(m_log);
}

QString CommandLine::station() const
{
    return m_parser.value(m_station);
}

QString CommandLine::serialNumber() const
{
    return m_parser.value(m_serial);
}

QString CommandLine::engineer() const
{
    return m_parser.value(m_engineer);
}

bool CommandLine::repeats() const
{
    return m_parser.isSet(m_repeat);
}

qint32 CommandLine::baudRate() const
{
    if (m_baudRate > 0)
        return m_baudRate;
    return m_simulatedModel ? m_simulatedModel->baudRate : Frame::DeviceBaudRate;
}
