#pragma once

#include "protocol/modeltable.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

// Every configuration read from a device is kept, so what a relay held before anyone changed
// it can always be found again: <folder>/<model>/<date-time>.orva.json.
class BackupStore
{
public:
    static constexpr int KeptPerModel = 100;

    struct Entry
    {
        QString path;
        QString model;
        QDateTime saved;
        QString deviceVersion;
    };

    // The user's data folder for the program, "kopie" in it.
    static QString defaultFolder();

    explicit BackupStore(const QString &folder = defaultFolder());

    // Keeps a read configuration unless it equals the newest backup of the model; then the
    // oldest beyond KeptPerModel are removed. Returns the file written, or an empty string
    // when there was nothing new to keep or it could not be written (`error` says which).
    QString keep(const ModelInfo &model, const QByteArray &frames, const QString &deviceVersion,
                 QString *error = nullptr);

    // Every backup, the newest first.
    QVector<Entry> entries() const;

private:
    QString modelFolder(const ModelInfo &model) const;
    // The model's backup file names, the oldest first.
    QStringList files(const QString &folder) const;

    QString m_folder;
};
