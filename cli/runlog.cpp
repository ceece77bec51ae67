#include "cli/runlog.h"

#include "protocol/modeltable.h"

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
    for (const QString &field : fields)
        quoted << csvField(field);
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
                       QStringLiteral("%1: %2").arg(outcome.code).arg(outcome.sentence)});
}

QString RunLog::appendText(const QStringList &fields) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return QStringLiteral("Nie można dopisać do dziennika „%1”: %2.")
            .arg(QFileInfo(m_path).fileName(), file.errorString());
    QString text = file.size() == 0 ? csvLine(Columns) : QString();
    if (!fields.isEmpty())
        text += csvLine(fields);
    const QByteArray bytes = text.toUtf8();
    const bool whole = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (!whole)
        return QStringLiteral("Nie dopisano do dziennika „%1”: %2.")
            .arg(QFileInfo(m_path).fileName(), file.errorString());
    return QString();
}
