#include "cli/runlog.h"

#include "platform/appendingfile.h"
#include "protocol/modeltable.h"
#include "protocol/printabletext.h"
#include "settings/filefailure.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

const QStringList RunLog::Columns = {
    QStringLiteral("czas"),     QStringLiteral("port"),
    QStringLiteral("model"),    QStringLiteral("wersja urządzenia"),
    QStringLiteral("czynność"), QStringLiteral("plik"),
    QStringLiteral("wynik"),
};

namespace {

// Quoted only where a spreadsheet would otherwise split or trim the field.
QString csvField(QString field)
{
    static const QString special = QStringLiteral(",\"\r\n");
    const bool quote =
        std::any_of(field.cbegin(), field.cend(), [](QChar c) { return special.contains(c); }) ||
        field != field.trimmed();
    if (!quote)
        return field;
    field.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}

QString csvLine(const QStringList &fields)
{
    QStringList quoted;
    // A device's version or a file name may hold control characters, which a terminal
    // showing the log would obey.
    for (const QString &field : fields)
        quoted << csvField(PrintableText::of(field));
    return quoted.join(QLatin1Char(',')) + QLatin1Char('\n');
}

} // namespace

RunLog::RunLog(const QString &path) : m_path(path) {}

QString RunLog::prepare() const
{
    return appendText({});
}

QString RunLog::append(const Line &line) const
{
    const RunOutcome &outcome = line.outcome;
    const QDateTime time = line.time.toOffsetFromUtc(line.time.offsetFromUtc());
    return appendText({time.toString(Qt::ISODate), line.port,
                       outcome.model ? outcome.model->nameText() : QString(), outcome.deviceVersion,
                       line.action, line.file,
                       QString::number(outcome.code) + QStringLiteral(": ") + outcome.sentence});
}

QString RunLog::appendText(const QStringList &fields) const
{
    const QFileInfo info(m_path);
    if (info.exists() && !info.isFile())
        return failure(FileFailure::notRegularFile());
    QFile file(m_path);
    // Several runs may share one log: held, it is this run's alone, so of runs finding it
    // new or empty only the first gives it its column names, and no line lands over another.
    const AppendingFile appending(file);
    if (!appending.isHeld()) {
        const QString reason = FileFailure::reason(file);
        return failure(reason.isEmpty() ? QStringLiteral("nie można go zablokować") : reason);
    }
    const qint64 start = file.size();
    // A new log, or one left empty by hand, gets its column names first.
    QString text = start == 0 ? csvLine(Columns) : QString();
    if (!fields.isEmpty())
        text += csvLine(fields);
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) == bytes.size() && file.flush())
        return QString();
    const QString reason = FileFailure::reason(file);
    // The part of the line that did fit is taken back, so the log never ends in half a line.
    file.resize(start);
    return failure(reason.isEmpty() ? QStringLiteral("nie zapisano całego wiersza") : reason);
}

QString RunLog::failure(const QString &reason) const
{
    return QStringLiteral("Nie dopisano do dziennika „%1”: %2.")
        .arg(QFileInfo(m_path).fileName(),
             reason.isEmpty() ? QStringLiteral("nieznany błąd") : reason);
}
