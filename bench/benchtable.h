#pragma once

#include <QString>
#include <QVector>

#include <cstdio>

// The one table the benchmark prints: a row per figure, with the target it is held to
// where there is one.
class BenchTable
{
public:
    enum Verdict
    {
        NoTarget,
        Met,
        Missed,
    };

    void add(const QString &measure, const QString &value, const QString &target = QString(),
             Verdict verdict = NoTarget);
    void print(FILE *out) const;

    static QString milliseconds(double ms) { return QString::number(ms, 'f', 2) + " ms"; }
    static Verdict below(double value, double limit) { return value < limit ? Met : Missed; }
    static Verdict atMost(double value, double limit) { return value <= limit ? Met : Missed; }

private:
    struct Row
    {
        QString measure;
        QString value;
        QString target;
        Verdict verdict;
    };
    QVector<Row> m_rows;
};
