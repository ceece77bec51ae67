#include "app/dialogfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const char *const FolderKey = "pliki/ostatniFolder";

} // namespace

QString DialogFolder::folder()
{
    const QString last = QSettings().value(QLatin1String(FolderKey)).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir().mkpath(documents))
        return documents;
    return QDir::homePath();
}

QString DialogFolder::suggested(const QString &fileName)
{
    return QDir(folder()).filePath(fileName);
}

void DialogFolder::remember(const QString &filePath)
{
    QSettings().setValue(QLatin1String(FolderKey), QFileInfo(filePath).absolutePath());
}
