// Descriptions still to be written; each moves to a file of its own.
#include "settings/descriptions/modeldescriptions.h"

SettingDescription describeWrn1Settings() { return SettingDescription(ModelInfo::Id::Wrn1, {}); }
SettingDescription describeWrn2Settings() { return SettingDescription(ModelInfo::Id::Wrn2, {}); }
SettingDescription describeHelSettings() { return SettingDescription(ModelInfo::Id::Hel, {}); }
