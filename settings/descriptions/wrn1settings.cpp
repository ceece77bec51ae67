#include "settings/descriptions/modeldescriptions.h"
#include "settings/descriptions/wrnchannelsettings.h"

#include "codecs/wrn1config.h"

SettingDescription describeWrn1Settings()
{
    SettingDescription description(
        ModelInfo::Id::Wrn1,
        [](const QByteArray &frames) { return Wrn1Config::decode(frames).encode(); },
        Wrn1Config::ignoredBits());
    describeWrnChannels(description, wrnFirstChannels());
    return description;
}
