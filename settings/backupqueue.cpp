#include "settings/backupqueue.h"

#include <QMetaObject>
#include <QThread>

namespace {

// Longer than a reply takes to be drawn and logged, too short for anyone to look for the file.
constexpr int HandOverDelayMs = 5;

} // namespace

BackupQueue::BackupQueue(const BackupStore &store, QObject *parent)
    : QObject(parent), m_store(store)
{
    // One thread: the store compares each read with the newest backup before it.
    m_thread.setMaxThreadCount(1);
    m_handOver.setSingleShot(true);
    m_handOver.setInterval(HandOverDelayMs);
    connect(&m_handOver, &QTimer::timeout, this, &BackupQueue::startWaiting);
}

BackupQueue::~BackupQueue()
{
    written();
}

void BackupQueue::keep(const SettingsFile &read)
{
    // Waking the thread costs the reply's handler a twentieth of a millisecond, and the
    // reply's paints and log line come first.
    m_waiting.append(read);
    if (!m_handOver.isActive())
        m_handOver.start();
}

void BackupQueue::startWaiting()
{
    m_handOver.stop();
    for (const SettingsFile &read : qAsConst(m_waiting)) {
        // The store holds only its folder; the model rows live as long as the program.
        m_thread.start([this, read] {
            // A backup is nobody's wait: it gets the processor only when nothing else wants it.
            QThread::currentThread()->setPriority(QThread::IdlePriority);
            QString error;
            BackupStore(m_store).keep(read, &error);
            if (!error.isEmpty())
                QMetaObject::invokeMethod(
                    this, [this, error] { emit failed(error); }, Qt::QueuedConnection);
        });
    }
    m_waiting.clear();
}

const BackupStore &BackupQueue::written()
{
    startWaiting();
    m_thread.waitForDone();
    return m_store;
}
