#pragma once

#include "cli/commandline.h"
#include "cli/runoutcome.h"
#include "settings/settingsfile.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class BackupStore;
class DeviceSession;
class SettingDescription;

// One action of the command line on one relay: identify it, then read and save, write and
// check, compare, or write the settings sheet. It can be started again for the next relay.
class ConfigurationJob : public QObject
{
    Q_OBJECT

public:
    struct Order
    {
        CommandLine::Action action;
        // The file the action saves, writes from, compares with or reports to.
        QString path;
        // For --write and --compare: the file, opened before any relay is asked.
        SettingsFile file;
        // The port as the settings sheet names it.
        QString portLabel;
        bool simulated = false;
        // The settings sheet's station, serial number and engineer.
        QString station;
        QString serialNumber;
        QString engineer;
    };

    ConfigurationJob(DeviceSession &session, BackupStore &backups, const Order &order,
                     QObject *parent = nullptr);

    void start();
    bool isRunning() const { return m_running; }
    // Ends the action on the relay in progress, which is then recorded as interrupted.
    void interrupt(RunOutcome::Code code);

signals:
    // A step taken, for standard error.
    void step(const QString &line);
    // A setting that differs, for standard output.
    void difference(const QString &line);
    void finished(const RunOutcome &outcome);

private:
    void identified(const ModelInfo &model, const QString &deviceVersion);
    QString refusalFor(const ModelInfo &model) const;
    void configurationRead(const QByteArray &reply);
    void writeAcknowledged();
    void readBack(const QByteArray &reply);
    // What the program keeps of a reply: the frames it would write, each read backed up.
    QByteArray kept(const QByteArray &reply);
    // The frames as a file stamped with this read.
    SettingsFile stamped(const QByteArray &frames) const;
    QString saveFile(const QByteArray &frames) const;
    QString writeReport(const QByteArray &frames) const;
    void compare(const QByteArray &deviceFrames);
    void finish(RunOutcome::Code code, const QString &sentence);

    DeviceSession &m_session;
    BackupStore &m_backups;
    Order m_order;
    bool m_running = false;
    const SettingDescription *m_description = nullptr;
    // Why this relay's configuration read went unkept among the backups, if it did.
    QString m_backupError;
};
