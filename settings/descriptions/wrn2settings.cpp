#include "settings/descriptions/modeldescriptions.h"
#include "settings/descriptions/wrnchannelsettings.h"

#include "codecs/wrn2config.h"

namespace {

using Layout = Wrn2Config::Layout;

// Channel 3 and the matrix ride in the second frame.
constexpr int Part2 = Layout::Part2Offset;

WrnChannel thirdChannel(const QByteArray &frames)
{
    return Wrn2Config::decode(frames).third;
}

const WrnChannelSettings ThirdChannel = {3,
                                         thirdChannel,
                                         QStringLiteral("Opoóźnienie"),
                                         QStringLiteral("Działanie Impulsowe"),
                                         {{Part2 + Layout::FlagsByte, Layout::InputInvertedBit},
                                          {Part2 + Layout::FlagsByte, Layout::RelayInvertedBit},
                                          {Part2 + Layout::FlagsByte, Layout::LatchedBit},
                                          {Part2 + Layout::FlagsByte, Layout::PulseBit},
                                          {Part2 + Layout::FlagsByte, Layout::SelfResetBit}},
                                         {Part2 + Layout::PickUpByte, Part2 + Layout::DropOutByte,
                                          Part2 + Layout::PulseByte, Part2 + Layout::ColoursByte}};

// A row of boxes per input, a column per relay.
void describeMatrix(SettingDescription &description)
{
    constexpr int Channels = Wrn2Config::Channels;
    for (int input = 0; input < Channels; ++input) {
        description.beginGroup(QStringLiteral("Przypisanie We/Wy – WE%1").arg(input + 1));
        for (int relay = 0; relay < Channels; ++relay)
            description.addFlag(QStringLiteral("PK%1").arg(relay + 1),
                                Part2 + Layout::matrixByte(input, relay),
                                Layout::matrixBit(input, relay));
    }
}

} // namespace

SettingDescription describeWrn2Settings()
{
    SettingDescription description(
        ModelInfo::Id::Wrn2,
        [](const QByteArray &frames) { return Wrn2Config::decode(frames).encode(); },
        Wrn2Config::ignoredBits());
    describeWrnChannels(description, wrnFirstChannels() << ThirdChannel);
    describeMatrix(description);
    return description;
}
