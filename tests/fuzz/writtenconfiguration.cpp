#include "tests/fuzz/writtenconfiguration.h"

#include "tests/fuzz/noise.h"
#include "tests/fuzz/pagecodecs.h"

#include "app/orva2.h"
#include "protocol/frames.h"
#include "tools/devsim/simulateddevice.h"

namespace {
constexpr int ReplyPayload = 2 * Frame::Size;
}

QByteArray writtenConfiguration(const QByteArray &identity, quint32 seed)
{
    ORVA2 writer;
    SimulatedDevice device(identity);
    QObject::connect(&device, &SimulatedDevice::transmit, &writer, &ORVA2::processBlock);
    device.receive(Frame::identificationRequest());
    const PageCodec codec = codecFor(pageCodecs(writer), identity);
    if (codec.decode) {
        Noise noise(seed);
        codec.decode(codec.replyHeader + noise.payload(ReplyPayload));
    }
    return codec.encode();
}

QByteArray payloadOf(const QByteArray &frames)
{
    QByteArray payload;
    for (int at = 0; at < frames.size(); at += Frame::Size)
        payload += frames.mid(at + 2, Frame::Size - 2);
    return payload;
}
