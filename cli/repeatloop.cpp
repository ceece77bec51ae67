#include "cli/repeatloop.h"

#include "cli/configurationjob.h"
#include "cli/devicesession.h"

#include <QTimer>

RepeatLoop::RepeatLoop(DeviceSession &session, ConfigurationJob &job, QObject *parent)
    : QObject(parent), m_session(session), m_job(job)
{
    connect(&session, &DeviceSession::identified, this, &RepeatLoop::answered);
    connect(&session, &DeviceSession::failed, this, &RepeatLoop::notAnswered);
    connect(&job, &ConfigurationJob::finished, this, &RepeatLoop::deviceDone);
}

void RepeatLoop::start(const QString &portName, qint32 baudRate)
{
    m_portName = portName;
    m_baudRate = baudRate;
    m_phase = Phase::AwaitingDevice;
    emit step(QStringLiteral("Czekam na urządzenie"));
    poll();
}

// A lost link closes the port; an adapter that came back is opened again.
void RepeatLoop::poll()
{
    if (m_stopped)
        return;
    if (!m_session.isOpen()) {
        const QString error = m_session.open(m_portName, m_baudRate);
        if (!error.isEmpty()) {
            emit portFailed(error);
            return;
        }
    }
    m_polling = true;
    m_session.identify();
}

void RepeatLoop::answered()
{
    if (!m_polling)
        return;
    m_polling = false;
    if (m_phase == Phase::AwaitingRemoval) {
        QTimer::singleShot(PresencePollMs, this, &RepeatLoop::poll);
        return;
    }
    m_phase = Phase::DeviceAtWork;
    // Started once this identification has reached everyone, so the job never takes it for
    // the answer to its own request.
    QMetaObject::invokeMethod(&m_job, &ConfigurationJob::start, Qt::QueuedConnection);
}

void RepeatLoop::notAnswered()
{
    if (!m_polling)
        return;
    m_polling = false;
    if (m_phase == Phase::AwaitingRemoval) {
        m_phase = Phase::AwaitingDevice;
        emit step(QStringLiteral("Czekam na następne urządzenie"));
    }
    // The answer timeout paces the questions while the bench is empty. Asked again from the
    // event loop: a lost link reports itself from inside the port's own error handling.
    QTimer::singleShot(0, this, &RepeatLoop::poll);
}

void RepeatLoop::deviceDone(const RunOutcome &outcome)
{
    if (outcome.code == RunOutcome::Done)
        ++m_successes;
    else
        ++m_failures;
    m_phase = Phase::AwaitingRemoval;
    if (m_stopped)
        return;
    emit step(QStringLiteral("Udane: %1, nieudane: %2. Zdejmij urządzenie.")
                  .arg(m_successes)
                  .arg(m_failures));
    QTimer::singleShot(PresencePollMs, this, &RepeatLoop::poll);
}
