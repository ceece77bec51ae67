#pragma once

#include "settings/settingdescription.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// Two configurations of one model side by side, setting by setting: the form against a
// file or the device, or what was written against what was read back, each as the relay
// holds it: a byte the form has no name for is named by its code, so it never passes for
// the value the form would show instead, and every line carries both bytes.
class SettingsComparison
{
public:
    struct Entry
    {
        int field;
        QString group;
        QString setting;
        QString ours;
        QString theirs;
        // The bytes the setting lives in, in hexadecimal.
        QString ourBytes;
        QString theirBytes;
        bool differs;

        // "Grupa / Nastawa: <ourSide> wartość (EF), <theirSide> wartość (FF)".
        QString line(const QString &ourSide, const QString &theirSide) const;
    };

    SettingsComparison(const SettingDescription &description, const QByteArray &ours,
                       const QByteArray &theirs);

    const QVector<Entry> &entries() const { return m_entries; }
    QVector<Entry> differences() const;
    int differingCount() const { return m_differing; }
    int equalCount() const { return m_entries.size() - m_differing; }

private:
    QVector<Entry> m_entries;
    int m_differing = 0;
};
