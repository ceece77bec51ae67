#include "bench/benchtable.h"

#include <algorithm>

void BenchTable::add(const QString &measure, const QString &value, const QString &target,
                     Verdict verdict)
{
    m_rows.append({measure, value, target, verdict});
}

void BenchTable::print(FILE *out) const
{
    const QString headers[] = {QStringLiteral("measure"), QStringLiteral("value"),
                               QStringLiteral("target"), QStringLiteral("")};
    auto verdictText = [](Verdict verdict) {
        switch (verdict) {
        case Met:
            return QStringLiteral("met");
        case Missed:
            return QStringLiteral("MISSED");
        case NoTarget:
            break;
        }
        return QString();
    };
    int widths[4] = {headers[0].size(), headers[1].size(), headers[2].size(), 6};
    for (const Row &row : m_rows) {
        widths[0] = std::max(widths[0], row.measure.size());
        widths[1] = std::max(widths[1], row.value.size());
        widths[2] = std::max(widths[2], row.target.size());
    }
    auto line = [&](const QString &a, const QString &b, const QString &c, const QString &d) {
        const QString text = QStringLiteral("| %1 | %2 | %3 | %4 |\n")
                                 .arg(a, -widths[0])
                                 .arg(b, widths[1])
                                 .arg(c, -widths[2])
                                 .arg(d, -widths[3]);
        std::fputs(text.toUtf8().constData(), out);
    };
    line(headers[0], headers[1], headers[2], headers[3]);
    line(QString(widths[0], '-'), QString(widths[1], '-'), QString(widths[2], '-'),
         QString(widths[3], '-'));
    for (const Row &row : m_rows)
        line(row.measure, row.value, row.target, verdictText(row.verdict));
    std::fflush(out);
}
