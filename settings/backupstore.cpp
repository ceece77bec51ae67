#include "settings/backupstore.h"

#include "settings/filenames.h"
#include "settings/settingsfile.h"

#include <QDir>
#include <QStandardPaths>

namespace {

QStringList backupPattern()
{
    return {QStringLiteral("*") + QLatin1String(SettingsFile::Extension)};
}

} // namespace

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
    // Past the model's name, a name starts with the date and time of the read, so the names
    // sort in the order read. Backups kept before names carried the model start with the
    // time itself.
    QStringList names = QDir(folder).entryList(backupPattern(), QDir::Files, QDir::Name);
    const QString prefix = QDir(folder).dirName().replace(QLatin1Char(' '), QLatin1Char('-')) +
                           QLatin1Char('_');
    const auto timed = [&prefix](const QString &name) {
        return name.startsWith(prefix) ? name.mid(prefix.size()) : name;
    };
    std::stable_sort(names.begin(), names.end(), [&timed](const QString &a, const QString &b) {
        return timed(a) < timed(b);
    });
    return names;
}

QString BackupStore::keep(const SettingsFile &read, QString *error)
{
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

    QStringList all = files(folder);
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
