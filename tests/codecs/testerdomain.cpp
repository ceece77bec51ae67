#include "tests/codecs/codecdomain.h"

#include "codecs/testerconfig.h"
#include "protocol/frames.h"

namespace {

// The tester's reply carries nothing the program reads yet: no bit of it is significant, but
// reading one must still write back a single well-formed frame.
QByteArray randomReply(QRandomGenerator &random)
{
    QByteArray reply(Frame::Reply::TesterConfig);
    for (int i = 2; i < Frame::Size; ++i)
        reply += char(random.bounded(256));
    return reply;
}

const bool registered = registerCodecDomain({
    QStringLiteral("Tester KZR-1"),
    Frame::Reply::Tester,
    randomReply,
    [](const QByteArray &reply) { return TesterConfig::decode(reply).encode(); },
    QByteArray(Frame::Size, '\0'),
    QString(),
    {
        {"the frame is the header alone", [] { return TesterConfig().encode(); },
         QByteArray::fromHex("0a55000000000000000000000000")},
    },
});

} // namespace
