#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

struct ModelInfo;

// The options orva-konfig understands, read without a window so every way of running the
// program shares one parser and one help text.
class CommandLine
{
public:
    CommandLine();

    // Reads the arguments, the program's name first. False when they cannot be followed;
    // errorText() then says why in one sentence.
    bool parse(const QStringList &arguments);
    QString errorText() const { return m_error; }

    bool helpRequested() const;
    bool versionRequested() const;
    QString helpText() const { return m_parser.helpText(); }

    // The port to connect to at start; empty when none was given.
    QString portName() const;
    // The relay to simulate inside the program; nullptr when none was asked for.
    const ModelInfo *simulatedModel() const { return m_simulatedModel; }

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    QCommandLineOption m_port;
    QCommandLineOption m_simulate;
    const ModelInfo *m_simulatedModel = nullptr;
    QString m_error;
};
