#include "settings/backupqueue.h"

#include <QMetaObject>
#include <QThread>

BackupQueue::BackupQueue(const BackupStore &store, QObject *parent)
    : QObject(parent), m_store(store)
{
    // One thread: the store compares each read with the newest backup before it.
    m_thread.setMaxThreadCount(1);
}

BackupQueue::~BackupQueue()
{
    m_thread.waitForDone();
}

void BackupQueue::keep(const SettingsFile &read)
{
    // The store holds only its folder; the model rows live as long as the program.
    m_thread.start([this, read] {
        // A backup is nobody's wait, while the reply it keeps is still being drawn on the
        // other core: it gets the processor only when nothing else wants it.
        QThread::currentThread()->setPriority(QThread::IdlePriority);
        QString error;
        BackupStore(m_store).keep(read, &error);
        if (!error.isEmpty())
            QMetaObject::invokeMethod(
                this, [this, error] { emit failed(error); }, Qt::QueuedConnection);
    });
}

const BackupStore &BackupQueue::written()
{
    m_thread.waitForDone();
    return m_store;
}
