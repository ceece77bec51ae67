#include "codecs/kzrconfig.h"
#include "protocol/frames.h"
#include "tests/codecs/codecdomain.h"

namespace {

// The two LED code sets, byte 11 (blocked LED) and byte 12 (free LED), in the colour
// lists' order: red, violet, light blue, blue, green, yellow.
const QByteArray BlockedCodes = QByteArray::fromHex("ef e7 d7 f7 df cf");
const QByteArray FreeCodes = QByteArray::fromHex("fd fc fa fe fb f9");

QByteArray reply(const char *payloadHex)
{
    return QByteArray(Frame::Reply::KzrConfig) + QByteArray::fromHex(payloadHex);
}

// Settings the form can hold together: the interlocks undo the rest on reading.
QByteArray randomReply(QRandomGenerator &random)
{
    int unlock = drawBetween(random, 0x00, 0x7f);
    // Permanent unlock leaves no other unlock source.
    if (unlock & 0x08)
        unlock &= ~0x07;
    // One source per relay, or none.
    const auto relaySource = [&random] {
        const int source = drawBetween(random, 0, 5);
        return source == 5 ? 0 : 1 << source;
    };
    const int relay1 = relaySource();
    const int relay2 = relaySource();
    int inputs = drawBetween(random, 0x00, 0x3f);
    // An input reports the earthing switch or unlocks, never both.
    if (inputs & 0x10)
        unlock &= ~0x01;
    if (inputs & 0x20)
        unlock &= ~0x02;
    // An input a relay repeats is not inverted.
    if ((relay1 | relay2) & 0x02)
        inputs &= ~0x01;
    if ((relay1 | relay2) & 0x04)
        inputs &= ~0x02;
    const int appearanceMs = drawBetween(random, 100, 2500);
    const int lossMs = drawBetween(random, 100, 2500);

    QByteArray block(Frame::Reply::KzrConfig);
    for (int value : {unlock, drawBetween(random, 1, 255), relay1, relay2, inputs, appearanceMs >> 8,
                      appearanceMs & 0xff, lossMs >> 8, lossMs & 0xff})
        block.append(static_cast<char>(value));
    // The earthing LED's colour is sent in the blocked LED's set, whichever set it came in.
    block.append(BlockedCodes.at(drawBetween(random, 0, 5)));
    block.append(FreeCodes.at(drawBetween(random, 0, 5)));
    block.append(BlockedCodes.at(drawBetween(random, 0, 5)));
    return block;
}

QVector<GoldenFrame> goldenFrames()
{
    QVector<GoldenFrame> rows{
        {"KZR-1 defaults", [] { return KzrConfig::kzrDefaults().encode(); },
         sentFrame("07 1e 01 01 00 00 64 00 64 ef fb f7")},
        {"TLMX-1 defaults", [] { return KzrConfig::tlmxDefaults().encode(); },
         sentFrame("68 1e 01 01 00 00 64 00 64 ef fb f7")},
        {"delays high byte first, unnamed bits dropped",
         [] { return writtenBack<KzrConfig>(reply("ff ff ff ff ff 09 c4 04 d2 cf f9 d7")); },
         sentFrame("7f ff 1f 1f 3f 09 c4 04 d2 cf f9 d7")},
        {"earthing colour in the free LED's set is read and sent in the blocked LED's",
         [] { return writtenBack<KzrConfig>(reply("00 1e 00 00 10 00 64 00 64 ef fd fb")); },
         sentFrame("00 1e 00 00 10 00 64 00 64 ef fd df")},
    };
    for (int colour = 0; colour < BlockedCodes.size(); ++colour) {
        const QByteArray payload = QByteArray::fromHex("00 1e 00 00 30 00 64 00 64") +
                                   BlockedCodes.at(colour) + FreeCodes.at(colour) +
                                   BlockedCodes.at(colour);
        rows.append({QStringLiteral("colour %1 in both directions").arg(colour),
                     [payload] { return writtenBack<KzrConfig>(Frame::Reply::KzrConfig + payload); },
                     QByteArray::fromHex("0a 55") + payload});
    }
    return rows;
}

const bool registered = registerCodecDomain({
    QStringLiteral("KZR-1/TLMX-1"),
    Frame::Reply::Kzr,
    randomReply,
    writtenBack<KzrConfig>,
    QByteArray::fromHex("00 00 7f ff 1f 1f 3f ff ff ff ff ff ff ff"),
    QString(),
    goldenFrames(),
});

} // namespace
