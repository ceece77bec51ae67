#include "settings/backupstore.h"

#include "settings/filenames.h"
#include "settings/settingsfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

QString BackupStore::defaultFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("kopie"));
}

BackupStore::BackupStore(const QString &folder) : m_folder(folder) {}

QString BackupStore::modelFolder(const ModelInfo &model) const
{
    return QDir(m_folder).filePath(model.nameText());
}

QStringList BackupStore::files(const QString &folder) const
{
    // A configuration may be kept every few tens of milliseconds while replies come in;
    // QDir's wildcard filter and its own sorting cost more than the rest of keeping it.
    QStringList names;
    QDirIterator entry(folder, QDir::Files);
    while (entry.hasNext()) {
        entry.next();
        const QString name = entry.fileName();
        if (name.endsWith(QLatin1String(SettingsFile::Extension), Qt::CaseInsensitive))
            names << name;
    }
    std::sort(names.begin(), names.end(), readEarlier(QDir(folder).dirName()));
    return names;
}

std::function<bool(const QString &, const QString &)>
BackupStore::readEarlier(const QString &modelFolderName)
{
    // Past the model's name, a name starts with the date and time of the read, so the names
    // sort in the order read. Backups kept before names carried the model start with the
    // time itself.
    const QString prefix =
        QString(modelFolderName).replace(QLatin1Char(' '), QLatin1Char('-')) + QLatin1Char('_');
    const auto timed = [prefix](const QString &name) {
        return name.startsWith(prefix) ? QStringView(name).mid(prefix.size()) : QStringView(name);
    };
    return [timed](const QString &a, const QString &b) {
        const int byTime = timed(a).compare(timed(b));
        return byTime != 0 ? byTime < 0 : a < b;
    };
}

QString BackupStore::keep(const SettingsFile &stamped, QString *error)
{
    // A reply's handler stamps the read with the universal time, which costs no look at the
    // time zone; names and files tell the engineer's local time.
    const SettingsFile read = stamped.inLocalTime();
    const ModelInfo &model = *read.model;
    const QByteArray &frames = read.frames;
    const QString folder = modelFolder(model);
    const QStringList existing = files(folder);
    if (!existing.isEmpty() && !read.verified.isValid()) {
        QString ignored;
        const SettingsFile newest =
            SettingsFile::open(QDir(folder).filePath(existing.last()), &ignored);
        if (newest.model && newest.frames == frames)
            return QString();
    }
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("Nie można utworzyć folderu kopii „%1”.").arg(folder);
        return QString();
    }

    // Two reads within one millisecond still get names of their own, in the order read.
    QString path;
    for (QDateTime stamp = read.read.isValid() ? read.read.time : read.saved;
         path.isEmpty() || QFile::exists(path); stamp = stamp.addMSecs(1))
        path = QDir(folder).filePath(
            FileNames::backup(model, stamp, read.read.port, read.read.simulated));
    const QString saveError = read.save(path);
    if (!saveError.isEmpty()) {
        if (error)
            *error = saveError;
        return QString();
    }

    // The folder as listed before, with the new backup: listing it again would cost as much.
    QStringList all = existing;
    const QString name = QFileInfo(path).fileName();
    all.insert(std::upper_bound(all.begin(), all.end(), name, readEarlier(QDir(folder).dirName())),
               name);
    while (all.size() > KeptPerModel)
        QFile::remove(QDir(folder).filePath(all.takeFirst()));
    return path;
}

QVector<BackupStore::Entry> BackupStore::entries() const
{
    QVector<Entry> result;
    for (const QString &model : QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString folder = QDir(m_folder).filePath(model);
        for (const QString &name : files(folder)) {
            QString error;
            const QString path = QDir(folder).filePath(name);
            const SettingsFile file = SettingsFile::open(path, &error);
            if (file.model)
                result.append({path, file.model->nameText(),
                               file.read.isValid() ? file.read.time : file.saved,
                               file.deviceVersion, file.read.port, file.read.simulated,
                               file.verified});
        }
    }
    // Reads within one millisecond share their time; their names still tell their order.
    std::sort(result.begin(), result.end(), [](const Entry &a, const Entry &b) {
        return a.saved != b.saved ? a.saved > b.saved : a.path > b.path;
    });
    return result;
}
