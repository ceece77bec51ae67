#pragma once

#include "protocol/modeltable.h"
#include "settings/settingdescription.h"

// Each model's settings in the order its form shows them, one file per page.
SettingDescription describeKzrSettings(ModelInfo::Id model);
SettingDescription describeGaSettings(ModelInfo::Id model);
SettingDescription describeWrn1Settings();
SettingDescription describeWrn2Settings();
SettingDescription describeDravSettings();
SettingDescription describeHelSettings();
SettingDescription describeZegarSettings();
SettingDescription describeNovSettings();
SettingDescription describeBrtSettings();

// Every model but the tester.
SettingDescription describeSettings(ModelInfo::Id model);
