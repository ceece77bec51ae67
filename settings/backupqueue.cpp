#include "settings/backupqueue.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QThread>

namespace {

const QEvent::Type HandOverEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

BackupQueue::BackupQueue(const BackupStore &store, QObject *parent)
    : QObject(parent), m_store(store)
{
    // One thread: the store compares each read with the newest backup before it.
    m_thread.setMaxThreadCount(1);
}

BackupQueue::~BackupQueue()
{
    startWaiting();
    m_thread.waitForDone();
}

void BackupQueue::keep(const SettingsFile &read)
{
    // Waking the thread costs the reply's handler as much as a third of filling its form.
    if (m_waiting.isEmpty())
        QCoreApplication::postEvent(this, new QEvent(HandOverEvent), Qt::LowEventPriority - 1);
    m_waiting.append(read);
}

void BackupQueue::customEvent(QEvent *event)
{
    if (event->type() == HandOverEvent)
        startWaiting();
}

void BackupQueue::startWaiting()
{
    for (const SettingsFile &read : qAsConst(m_waiting)) {
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
    m_waiting.clear();
}

const BackupStore &BackupQueue::written()
{
    startWaiting();
    m_thread.waitForDone();
    return m_store;
}
