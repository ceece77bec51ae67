#pragma once

#include <QString>

// One setting as a person reads it on the form: the group's title, the setting's label and
// its value with the unit. The saved file, the compare view and the report all show these.
struct SettingRow
{
    QString group;
    QString setting;
    QString value;

    bool operator==(const SettingRow &other) const
    {
        return group == other.group && setting == other.setting && value == other.value;
    }
    bool operator!=(const SettingRow &other) const { return !(*this == other); }
};
