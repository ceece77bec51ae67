#pragma once

#include "app/orva2.h"

#include <QString>
#include <QStringList>

#include <memory>

class CommandLine;
class DeviceSimulator;
struct ModelInfo;

// orva-konfig as the engineer starts it: the main window where it was last, with the last
// port in its field, connected at once to the port or the simulated relay the command line
// names.
class Program
{
public:
    Program();
    ~Program();

    // Shows the window and makes the connection the command line asks for. False when the
    // simulated relay cannot be served on this system; errorText() says why.
    bool start(const CommandLine &commandLine);
    QString errorText() const { return m_error; }

    ORVA2 &window() { return m_window; }
    // The relay simulated inside the program; nullptr when there is none.
    DeviceSimulator *simulator() const { return m_simulator.get(); }

    // What main() does once the application object exists: names the application (its
    // settings live under that name), reads the command line, starts the program and runs
    // the event loop. A command line that needs no window is answered on the console.
    // Returns the process's exit code.
    static int run(const QStringList &arguments);

private:
    bool simulate(const ModelInfo &model);

    // The window talks to the simulated relay until it is gone, so it is destroyed first.
    std::unique_ptr<DeviceSimulator> m_simulator;
    ORVA2 m_window;
    QString m_error;
};
