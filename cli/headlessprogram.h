#pragma once

#include "cli/devicesession.h"
#include "cli/runoutcome.h"
#include "link/devicelink.h"
#include "settings/backupstore.h"
#include "settings/settingsfile.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <memory>

class CommandLine;
class DeviceSimulator;
class RunLog;

// orva-konfig run from a script or a production bench: one action on the relay at a port or
// a simulated one, steps on standard error, differing settings on standard output, an exit
// code for the script and a line in the run log. No widget is ever made.
class HeadlessProgram : public QObject
{
    Q_OBJECT

public:
    explicit HeadlessProgram(const CommandLine &commandLine);
    ~HeadlessProgram() override;

    // Runs the action to its end (with --repeat, until the port fails) and returns the exit
    // code.
    int exec();

    // Decided from the raw arguments before any application object exists: an action, help,
    // version and a command line that cannot be followed need no window.
    static bool runsWithoutWindow(int argc, char **argv);
    // Makes the application object the command line needs and answers it. Only the settings
    // sheet paints, and it paints off screen, so no display is ever needed.
    static int main(int &argc, char **argv);
    // Answers the command line on the console once an application object exists.
    static int run(const QStringList &arguments);

private:
    RunOutcome openOrderFile(SettingsFile *file) const;
    RunOutcome openLink();
    void say(const QString &line);
    void print(const QString &line);
    void conclude(const RunOutcome &outcome);

    const CommandLine &m_commandLine;
    QTextStream m_out;
    QTextStream m_err;
    std::unique_ptr<RunLog> m_log;
    // The link talks to the simulated relay until it is gone, so it is destroyed first.
    std::unique_ptr<DeviceSimulator> m_simulator;
    DeviceLink m_link;
    DeviceSession m_session;
    BackupStore m_backups;
    QString m_portLabel;
    bool m_logFailed = false;
};
