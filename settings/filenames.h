#pragma once

#include <QDateTime>
#include <QString>

struct ModelInfo;

// The names the program offers for what it writes, so a folder of them reads as a list of
// relays and visits: the model first, then when.
class FileNames
{
public:
    // "GA-1 MI" becomes "GA-1-MI": no spaces in names a script has to quote.
    static QString modelPart(const ModelInfo &model);
    static QString minute(const QDateTime &time);

    static QString settingsFile(const ModelInfo &model, const QDateTime &time);
    static QString report(const ModelInfo &model, const QDateTime &time);
    static QString log(const QDateTime &time);
    // A backup: model, time to the millisecond (backups are listed in the order of their
    // names) and the port it was read on, or "symulowane".
    static QString backup(const ModelInfo &model, const QDateTime &time, const QString &port,
                          bool simulated);
};
