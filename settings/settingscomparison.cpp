#include "settings/settingscomparison.h"

SettingsComparison::SettingsComparison(const SettingDescription &description,
                                       const QByteArray &ours, const QByteArray &theirs)
{
    const QVector<SettingRow> ourRows = description.rows(ours);
    const QVector<SettingRow> theirRows = description.rows(theirs);
    for (int i = 0; i < ourRows.size(); ++i) {
        const bool differs = ourRows[i].value != theirRows[i].value;
        m_differing += differs ? 1 : 0;
        m_entries.append({i, ourRows[i].group, ourRows[i].setting, ourRows[i].value,
                          theirRows[i].value, differs});
    }
}

QVector<SettingsComparison::Entry> SettingsComparison::differences() const
{
    QVector<Entry> result;
    for (const Entry &entry : m_entries) {
        if (entry.differs)
            result.append(entry);
    }
    return result;
}
