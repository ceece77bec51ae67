#pragma once

#include "protocol/modeltable.h"
#include "settings/settingsfile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

#include <functional>

// Every configuration read from a device is kept, so what a relay held before anyone changed
// it, and after each visit, can always be found again:
// <folder>/<model>/<model>_<date-time>_<port>.orva.json.
class BackupStore
{
public:
    static constexpr int KeptPerModel = 100;

    struct Entry
    {
        QString path;
        QString model;
        // When the configuration was read from the relay.
        QDateTime saved;
        QString deviceVersion;
        // The port it was read on; empty for a backup from before ports were kept.
        QString port;
        bool simulated = false;
        // When a write was confirmed by this read; invalid for a plain read.
        QDateTime verified;
    };

    // The user's data folder for the program, "kopie" in it.
    static QString defaultFolder();

    explicit BackupStore(const QString &folder = defaultFolder());

    // Keeps a read configuration, with its stamps, unless it equals the newest backup of the
    // model; a read that confirms a write is always kept, as the record of that write. Then
    // the oldest beyond KeptPerModel are removed. Returns the file written, or an empty string
    // when there was nothing new to keep or it could not be written (`error` says which).
    QString keep(const SettingsFile &stamped, QString *error = nullptr);

    // Every backup, the newest first.
    QVector<Entry> entries() const;

private:
    QString modelFolder(const ModelInfo &model) const;
    // The model's backup file names, the oldest first.
    QStringList files(const QString &folder) const;
    // Orders a model's backup names as they were read.
    static std::function<bool(const QString &, const QString &)>
    readEarlier(const QString &modelFolderName);

    QString m_folder;
};
