#include "app/program.h"

#include "app/windowmemory.h"
#include "cli/commandline.h"
#include "cli/headlessprogram.h"
#include "protocol/modeltable.h"
#include "simulator/devicesimulator.h"

#include <QApplication>
#include <QTextStream>

Program::Program()
{
    new WindowMemory(m_window);
}

Program::~Program() = default;

bool Program::start(const CommandLine &commandLine)
{
    m_window.show();
    if (const ModelInfo *model = commandLine.simulatedModel())
        return simulate(*model);
    if (!commandLine.portName().isEmpty()) {
        m_window.choosePort(commandLine.portName());
        m_window.on_polacz_clicked();
    }
    return true;
}

bool Program::simulate(const ModelInfo &model)
{
    m_simulator = std::make_unique<DeviceSimulator>(QByteArray(model.identity));
    if (!m_simulator->start()) {
        m_error = QStringLiteral("The line of the simulated relay could not be made (no "
                                 "pseudo-terminal left?); run orva-devsim --port on one end "
                                 "of a null-modem pair instead.");
        m_simulator.reset();
        return false;
    }
    m_window.setWindowTitle(m_window.windowTitle() +
                            QStringLiteral(" – symulowane urządzenie ") + model.nameText());
    m_window.markSimulated(m_simulator->portName());
    m_window.connectTo(m_simulator->portName());
    return true;
}

int Program::run(const QStringList &arguments)
{
    CommandLine::nameApplication();
    CommandLine commandLine;
    if (!commandLine.parse(arguments) || !commandLine.needsWindow())
        return HeadlessProgram::run(arguments);
    Program program;
    if (!program.start(commandLine)) {
        QTextStream(stderr) << program.errorText() << Qt::endl;
        return 1;
    }
    return QApplication::exec();
}
