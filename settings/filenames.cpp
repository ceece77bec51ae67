#include "settings/filenames.h"

#include "protocol/modeltable.h"
#include "settings/settingsfile.h"

#include <QRegularExpression>

namespace {

// Keeps a name a file name on every system: "/dev/ttyUSB0" becomes "ttyUSB0", "COM5" stays.
QString portPart(const QString &port)
{
    QString name = port.section(QLatin1Char('/'), -1).section(QLatin1Char('\\'), -1);
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9.-]+"));
    name.replace(unsafe, QStringLiteral("-"));
    return name.isEmpty() ? QStringLiteral("port") : name;
}

} // namespace

QString FileNames::modelPart(const ModelInfo &model)
{
    return QString(model.nameText()).replace(QLatin1Char(' '), QLatin1Char('-'));
}

QString FileNames::minute(const QDateTime &time)
{
    return time.toString(QStringLiteral("yyyy-MM-dd_HHmm"));
}

QString FileNames::settingsFile(const ModelInfo &model, const QDateTime &time)
{
    return modelPart(model) + QLatin1Char('_') + minute(time) +
           QLatin1String(SettingsFile::Extension);
}

QString FileNames::report(const ModelInfo &model, const QDateTime &time)
{
    return modelPart(model) + QLatin1Char('_') + minute(time) + QStringLiteral(".pdf");
}

QString FileNames::log(const QDateTime &time)
{
    return QStringLiteral("orva-log_") + minute(time) + QStringLiteral(".txt");
}

QString FileNames::backup(const ModelInfo &model, const QDateTime &time, const QString &port,
                          bool simulated)
{
    return modelPart(model) + QLatin1Char('_') +
           time.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss-zzz")) + QLatin1Char('_') +
           (simulated ? QStringLiteral("symulowane") : portPart(port)) +
           QLatin1String(SettingsFile::Extension);
}
