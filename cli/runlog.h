#pragma once

#include "cli/runoutcome.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// A CSV file of runs, one line each: what a production bench keeps of every relay it handled.
// Each line is appended whole and the file closed again at once, so a run that crashes later
// leaves every earlier line in place. A new or empty file gets the column names first.
class RunLog
{
public:
    struct Line
    {
        QDateTime time;
        QString port;
        QString action;
        QString file;
        RunOutcome outcome;
    };

    static const QStringList Columns;

    explicit RunLog(const QString &path);

    // Empty, or one sentence saying why no line can be appended.
    QString append(const Line &line) const;
    // Checks before the first run that lines can be appended, adding the column names to a
    // new file; the same answer as append().
    QString prepare() const;

private:
    QString appendText(const QStringList &fields) const;
    QString failure(const QString &reason) const;

    QString m_path;
};
