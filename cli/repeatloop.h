#pragma once

#include "cli/runoutcome.h"

#include <QObject>
#include <QString>

class ConfigurationJob;
class DeviceSession;

// The production bench: one relay after another on the same port. After each relay the loop
// asks until it no longer answers (taken off the bench), then until one answers again (the
// next one), and runs the job on it. A relay is never handled twice while it stays on the
// bench. The loop ends only when the port itself fails.
class RepeatLoop : public QObject
{
    Q_OBJECT

public:
    // How often a relay still on the bench is asked whether it is there.
    static constexpr int PresencePollMs = 300;

    RepeatLoop(DeviceSession &session, ConfigurationJob &job, QObject *parent = nullptr);

    void start(const QString &portName, qint32 baudRate);
    // Asks no relay any more; a relay in progress is the job's to end.
    void stop() { m_stopped = true; }

    int successes() const { return m_successes; }
    int failures() const { return m_failures; }

signals:
    void step(const QString &line);
    void portFailed(const QString &reason);

private:
    enum class Phase
    {
        AwaitingDevice,
        DeviceAtWork,
        AwaitingRemoval,
    };

    void poll();
    void answered();
    void notAnswered();
    void deviceDone(const RunOutcome &outcome);

    DeviceSession &m_session;
    ConfigurationJob &m_job;
    QString m_portName;
    qint32 m_baudRate = 0;
    Phase m_phase = Phase::AwaitingDevice;
    // Only the loop's own identification requests concern it, never the job's.
    bool m_polling = false;
    int m_successes = 0;
    int m_failures = 0;
    bool m_stopped = false;
};
