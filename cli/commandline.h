#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

struct ModelInfo;

// The options orva-konfig understands, read without a window so every way of running the
// program shares one parser and one help text: the window's port or simulated relay, and
// the actions that run without a window.
class CommandLine
{
public:
    // What is done to the relay without a window; None opens the window.
    enum class Action
    {
        None,
        Read,
        Write,
        Compare,
        Report,
    };

    CommandLine();

    // The names the settings, the backups and --version go by; set before either way of
    // running the program reads or writes anything.
    static void nameApplication();

    // Reads the arguments, the program's name first. False when they cannot be followed;
    // errorText() then says why in one sentence.
    bool parse(const QStringList &arguments);
    QString errorText() const { return m_error; }

    bool helpRequested() const;
    bool versionRequested() const;
    QString helpText() const { return m_parser.helpText(); }

    // Only an engineer at the window needs one; help, version, an action and a command line
    // that cannot be followed are answered on the console.
    bool needsWindow() const;

    // The port to connect to; empty when none was given.
    QString portName() const;
    // The relay to simulate inside the program; nullptr when none was asked for.
    const ModelInfo *simulatedModel() const { return m_simulatedModel; }

    Action action() const { return m_action; }
    // The option that names the action ("read", "write", …), as the run log records it.
    QString actionName() const;
    // The file the action reads or writes.
    QString actionFile() const;
    QString logFile() const;
    // What the settings sheet of --report says about where, on what and by whom.
    QString station() const;
    QString serialNumber() const;
    QString engineer() const;
    bool repeats() const;
    // The rate given with --baud, else the simulated model's own, else the devices' rate.
    qint32 baudRate() const;

private:
    bool refuse(const QString &reason);
    const QCommandLineOption *actionOption() const;

    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    QCommandLineOption m_port;
    QCommandLineOption m_simulate;
    QCommandLineOption m_read;
    QCommandLineOption m_write;
    QCommandLineOption m_compare;
    QCommandLineOption m_report;
    QCommandLineOption m_log;
    QCommandLineOption m_repeat;
    QCommandLineOption m_baud;
    QCommandLineOption m_station;
    QCommandLineOption m_serial;
    QCommandLineOption m_engineer;
    const ModelInfo *m_simulatedModel = nullptr;
    Action m_action = Action::None;
    qint32 m_baudRate = 0;
    QString m_error;
};
