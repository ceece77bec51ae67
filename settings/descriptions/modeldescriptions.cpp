#include "settings/descriptions/modeldescriptions.h"

SettingDescription describeSettings(ModelInfo::Id model)
{
    using Id = ModelInfo::Id;
    switch (model) {
    case Id::Kzr:
    case Id::Tlmx:
        return describeKzrSettings(model);
    case Id::Ga:
    case Id::Gami:
        return describeGaSettings(model);
    case Id::Wrn1:
        return describeWrn1Settings();
    case Id::Wrn2:
        return describeWrn2Settings();
    case Id::Drav:
        return describeDravSettings();
    case Id::Hel:
        return describeHelSettings();
    case Id::Zegar:
        return describeZegarSettings();
    case Id::Nov:
        return describeNovSettings();
    case Id::Brt:
        return describeBrtSettings();
    case Id::Tester:
        break;
    }
    Q_UNREACHABLE();
}
