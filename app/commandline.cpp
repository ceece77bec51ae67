#include "app/commandline.h"

#include "protocol/modeltable.h"
#include "simulator/simulateddevice.h"

namespace {

QString modelNames()
{
    return SimulatedDevice::modelNames().join(QStringLiteral(", "));
}

} // namespace

CommandLine::CommandLine()
    : m_help(m_parser.addHelpOption()), m_version(m_parser.addVersionOption()),
      m_port(QStringLiteral("port"),
             QStringLiteral("Connect at start to this serial port (/dev/ttyUSB0, COM5), as "
                            "choosing it and pressing connect does."),
             QStringLiteral("path")),
      m_simulate(QStringLiteral("simulate"),
                 QStringLiteral("Start a simulated relay of this model inside the program and "
                                "connect to it: %1, or an identity code 01-12.")
                     .arg(modelNames()),
                 QStringLiteral("model"))
{
    m_parser.setApplicationDescription(
        QStringLiteral("Service and configuration tool for ORVATECH relays."));
    m_parser.addOption(m_port);
    m_parser.addOption(m_simulate);
}

bool CommandLine::parse(const QStringList &arguments)
{
    m_simulatedModel = nullptr;
    m_error.clear();
    if (!m_parser.parse(arguments)) {
        m_error = m_parser.errorText();
        return false;
    }
    if (!m_parser.positionalArguments().isEmpty()) {
        m_error = QStringLiteral("Unexpected argument '%1'.")
                      .arg(m_parser.positionalArguments().first());
        return false;
    }
    if (m_parser.isSet(m_port) && m_parser.isSet(m_simulate)) {
        m_error = QStringLiteral("--port and --simulate cannot be used together.");
        return false;
    }
    if (m_parser.isSet(m_simulate)) {
        const QString model = m_parser.value(m_simulate);
        m_simulatedModel = ModelInfo::find(model);
        if (!m_simulatedModel) {
            m_error = QStringLiteral("Unknown model '%1'; known models are %2, or an identity "
                                     "code 01-12.")
                          .arg(model, modelNames());
            return false;
        }
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

QString CommandLine::portName() const
{
    return m_parser.value(m_port);
}
