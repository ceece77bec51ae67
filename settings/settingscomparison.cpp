#include "settings/settingscomparison.h"

SettingsComparison::SettingsComparison(const SettingDescription &description,
                                       const QByteArray &ours, const QByteArray &theirs)
{
    const QVector<SettingRow> ourRows = description.rows(ours);
    const QVector<SettingRow> theirRows = description.rows(theirs);
    const QVector<int> differing =
        description.differences(description.held(ours), description.held(theirs));
    for (int i = 0; i < ourRows.size(); ++i) {
        const bool differs = differing.contains(i);
        m_differing += differs ? 1 : 0;
        m_entries.append({i, ourRows[i].group, ourRows[i].setting, ourRows[i].value,
                          theirRows[i].value, description.bytesOf(i, ours),
                          description.bytesOf(i, theirs), differs});
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

// Built piece by piece: the values may hold anything a file or a device put there.
QString SettingsComparison::Entry::line(const QString &ourSide, const QString &theirSide) const
{
    return group + QStringLiteral(" / ") + setting + QStringLiteral(": ") + ourSide +
           QLatin1Char(' ') + ours + QStringLiteral(" (") + ourBytes + QStringLiteral("), ") +
           theirSide + QLatin1Char(' ') + theirs + QStringLiteral(" (") + theirBytes +
           QLatin1Char(')');
}
