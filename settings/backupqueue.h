#pragma once

#include "settings/backupstore.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <QVector>

// Keeps read configurations in a BackupStore on a thread of its own, one after another in
// the order they were read. Writing a backup makes sure the file is on the disk, which on an
// engineer's laptop can take longer than showing the configuration it keeps; the form must
// not wait for it.
class BackupQueue : public QObject
{
    Q_OBJECT

public:
    explicit BackupQueue(const BackupStore &store, QObject *parent = nullptr);
    // Every backup asked for is written before the queue goes.
    ~BackupQueue() override;

    // Handed to the thread a few milliseconds later, once the reply it keeps is on screen.
    void keep(const SettingsFile &read);
    // The store, once every backup asked for so far is in it.
    const BackupStore &written();

signals:
    // Said in the thread that owns the queue.
    void failed(const QString &error);

private:
    void startWaiting();

    BackupStore m_store;
    QThreadPool m_thread;
    QTimer m_handOver;
    QVector<SettingsFile> m_waiting;
};
