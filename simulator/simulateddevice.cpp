#include "simulator/simulateddevice.h"

#include "codecs/brtconfig.h"
#include "codecs/dravconfig.h"
#include "codecs/gaconfig.h"
#include "codecs/kzrconfig.h"
#include "codecs/wrn1config.h"
#include "codecs/wrn2config.h"
#include "codecs/zegarconfig.h"
#include "protocol/frames.h"
#include "protocol/modeltable.h"


namespace {

constexpr int PayloadSize = Frame::Size - 2;
constexpr quint8 BlockingBit = 0x01;
constexpr int ViewStateByte = 5;
constexpr int RangeVariantByte = 8;

QByteArray withHeader(QByteArray frame, const QByteArray &header)
{
    frame.replace(0, header.size(), header);
    return frame;
}

// What a relay holds when it leaves the factory; a model without factory settings holds 0.
QByteArray factoryConfiguration(const QByteArray &identity)
{
    using Id = ModelInfo::Id;
    const ModelInfo *model = ModelInfo::byIdentity(identity);
    switch (model ? model->id : Id::Tester) {
    case Id::Kzr:
        return KzrConfig::kzrDefaults().encode();
    case Id::Tlmx:
        return KzrConfig::tlmxDefaults().encode();
    case Id::Ga:
    case Id::Gami:
        return GaConfig::defaults().encode();
    case Id::Wrn1:
        return Wrn1Config::defaults().encode();
    case Id::Wrn2:
        return Wrn2Config::defaults().encode();
    case Id::Drav:
        return DravConfig::defaults().encode();
    case Id::Zegar:
        return ZegarConfig::defaults().encode();
    case Id::Brt:
        return BrtConfig::defaults().encode();
    default:
        return Frame::configFrame() + Frame::configFramePart2();
    }
}

} // namespace

SimulatedDevice::SimulatedDevice(const QByteArray &identity, QObject *parent)
    : QObject(parent), m_identity(identity), m_part2(Frame::configFramePart2())
{
    const QByteArray factory = factoryConfiguration(identity);
    m_part1 = factory.left(Frame::Size);
    if (factory.size() > Frame::Size)
        m_part2 = factory.mid(Frame::Size, Frame::Size);
}

QList<QByteArray> SimulatedDevice::knownIdentities()
{
    QList<QByteArray> identities;
    for (const ModelInfo &model : ModelInfo::all())
        identities << QByteArray(model.identity);
    return identities;
}

QByteArray SimulatedDevice::identityFor(const QString &modelOrCode)
{
    const ModelInfo *model = ModelInfo::find(modelOrCode);
    return model ? QByteArray(model->identity) : QByteArray();
}

QStringList SimulatedDevice::modelNames()
{
    QStringList names;
    for (const ModelInfo &model : ModelInfo::all())
        names << model.nameText();
    return names;
}

const ModelInfo &SimulatedDevice::model() const
{
    return *ModelInfo::find(QString::fromLatin1(m_identity));
}

int SimulatedDevice::configFrameCount() const
{
    return model().configFrames;
}

QByteArray SimulatedDevice::storedPayload() const
{
    QByteArray payload = m_part1.mid(2);
    if (configFrameCount() == 2)
        payload += m_part2.mid(2);
    return payload;
}

void SimulatedDevice::setStoredPayload(const QByteArray &payload)
{
    const QByteArray padded = payload.leftJustified(PayloadSize * 2, '\0', true);
    m_part1.replace(2, PayloadSize, padded.left(PayloadSize));
    m_part2.replace(2, PayloadSize, padded.mid(PayloadSize, PayloadSize));
}

bool SimulatedDevice::hasView() const
{
    return model().hasView;
}

QByteArray SimulatedDevice::configReplyHeader() const
{
    return model().configHeader;
}

QByteArray SimulatedDevice::configReply() const
{
    const QByteArray header = configReplyHeader();
    QByteArray bytes = withHeader(m_part1, header);
    if (configFrameCount() == 2)
        bytes += withHeader(m_part2, header);
    return bytes;
}

void SimulatedDevice::receive(const QByteArray &bytes)
{
    m_pending += bytes;
    while (m_pending.size() >= Frame::Size) {
        const QByteArray frame = m_pending.left(Frame::Size);
        m_pending.remove(0, Frame::Size);
        m_received << frame;
        handleFrame(frame);
        emit frameReceived(frame);
    }
}

void SimulatedDevice::reply(const QByteArray &bytes)
{
    if (m_answering && !bytes.isEmpty())
        emit transmit(bytes);
}

void SimulatedDevice::handleFrame(const QByteArray &frame)
{
    QByteArray acknowledge(Frame::Size, '\0');
    acknowledge.replace(0, 2, Frame::Reply::Acknowledge);

    if (Frame::hasHeader(frame, Frame::Request::Identify)) {
        QByteArray answer(Frame::Size, '\0');
        answer.replace(0, 2, m_identity);
        answer.replace(2, 6, m_version.leftJustified(6, '0', true));
        answer[RangeVariantByte] = m_rangeVariant;
        reply(answer);
    } else if (Frame::hasHeader(frame, Frame::Request::Read)) {
        if (!configReplyHeader().isEmpty())
            reply(configReply());
    } else if (frame.at(0) == Frame::ConfigHeader0 && frame.at(1) == Frame::ConfigHeader1) {
        m_part1 = frame;
        reply(acknowledge);
    } else if (frame.at(0) == Frame::ConfigHeader0 && frame.at(1) == Frame::ConfigPart2Header1) {
        m_part2 = frame;
        reply(acknowledge);
    } else if (hasView() && Frame::hasHeader(frame, Frame::Request::View)) {
        QByteArray answer(Frame::Size, '\0');
        answer.replace(0, 2, Frame::Reply::KzrView);
        answer[ViewStateByte] = static_cast<char>(m_viewState);
        reply(answer);
    } else if (hasView() && Frame::hasHeader(frame, Frame::Request::Unlock)) {
        m_viewState &= static_cast<quint8>(~BlockingBit);
    } else if (Frame::hasHeader(frame, Frame::Request::LedTest)) {
        reply(withHeader(QByteArray(Frame::Size, '\0'), Frame::Reply::LedTestEcho));
    }
}
