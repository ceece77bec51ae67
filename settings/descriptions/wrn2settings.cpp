#include "settings/descriptions/modeldescriptions.h"
#include "settings/descriptions/wrnchannelsettings.h"

#include "codecs/wrn2config.h"
#include "protocol/frames.h"

namespace {

// Channel 3 and the matrix ride in the second frame.
constexpr int Part2 = Frame::Size;
constexpr int MatrixByte = Part2 + 7;
constexpr int BitsPerByte = 8;

WrnChannel thirdChannel(const QByteArray &frames)
{
    return Wrn2Config::decode(frames).third;
}

// Channel 3's LED self-reset rides with its other flags.
const WrnChannelSettings ThirdChannel = {
    3,
    thirdChannel,
    QStringLiteral("Opoóźnienie"),
    QStringLiteral("Działanie Impulsowe"),
    {{Part2 + 2, 0}, {Part2 + 2, 1}, {Part2 + 2, 2}, {Part2 + 2, 3}, {Part2 + 2, 4}},
    {Part2 + 3, Part2 + 4, Part2 + 5, Part2 + 6}};

// A row of boxes per input, a column per relay; they pack input by input from bit 0 of the
// matrix's first byte.
void describeMatrix(SettingDescription &description)
{
    constexpr int Channels = Wrn2Config::Channels;
    for (int input = 0; input < Channels; ++input) {
        description.beginGroup(QStringLiteral("Przypisanie We/Wy – WE%1").arg(input + 1));
        for (int relay = 0; relay < Channels; ++relay) {
            const int crossing = input * Channels + relay;
            description.addFlag(QStringLiteral("PK%1").arg(relay + 1),
                                MatrixByte + crossing / BitsPerByte, crossing % BitsPerByte);
        }
    }
}

} // namespace

SettingDescription describeWrn2Settings()
{
    SettingDescription description(ModelInfo::Id::Wrn2, [](const QByteArray &frames) {
        return Wrn2Config::decode(frames).encode();
    });
    describeWrnChannels(description, wrnFirstChannels() << ThirdChannel);
    describeMatrix(description);
    return description;
}
