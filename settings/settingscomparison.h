#pragma once

#include "settings/settingdescription.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// Two configurations of one model side by side, setting by setting: the form against a
// file or the device, or what was written against what was read back.
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
        bool differs;
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
