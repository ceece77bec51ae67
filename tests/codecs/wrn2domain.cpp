#include "tests/codecs/codecdomain.h"
#include "tests/codecs/wrnreplies.h"

#include "codecs/wrn2config.h"
#include "protocol/frames.h"

namespace {

quint8 count(QRandomGenerator &random)
{
    return static_cast<quint8>(random.bounded(1, 256));
}

// Nothing on this page locks latching against pulse operation, and any input may drive any
// set of relays.
QByteArray randomReply(QRandomGenerator &random)
{
    const QByteArray header(Frame::Reply::Wrn2Config);
    QByteArray part2 = header;
    part2 += char(random.bounded(256));
    for (int i = 0; i < 3; ++i)
        part2 += char(count(random));
    part2 += char(WrnReplies::colourByte(random));
    for (int i = 0; i < 7; ++i)
        part2 += char(random.bounded(256));
    return WrnReplies::firstFrame(random, header, WrnReplies::RelayOptions::Free) + part2;
}

const bool registered = registerCodecDomain({
    QStringLiteral("WRN-2"),
    Frame::Reply::Wrn2,
    randomReply,
    [](const QByteArray &reply) { return Wrn2Config::decode(reply).encode(); },
    WrnReplies::firstFrameMask() + QByteArray::fromHex("00001fffffff7eff010000000000"),
    QString(),
    {
        {"defaults", [] { return Wrn2Config::defaults().encode(); },
         QByteArray::fromHex("0a55003535010101010303000000"
                             "0a56100101033411010000000000")},
        {"a reply read in both frames; colour bit 0 and the tails are not read",
         [] {
             return Wrn2Config::decode(QByteArray::fromHex("4449a10e060203040506070000ee"
                                                           "444905070b0d19c40100000000ff"))
                 .encode();
         },
         QByteArray::fromHex("0a55a10e06020304050607000000"
                             "0a5605070b0d18c4010000000000")},
    },
});

} // namespace
