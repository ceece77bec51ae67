#include "tools/devsim/simulateddevice.h"

#include "protocol/frames.h"

#include <QHash>

namespace {

constexpr int PayloadSize = Frame::Size - 2;
constexpr quint8 BlockingBit = 0x01;
constexpr int ViewStateByte = 5;
constexpr int RangeVariantByte = 8;

// What each identity answers to a read request; HEL-1 has no configuration reply.
const QHash<QByteArray, QByteArray> &configReplyHeaders()
{
    static const QHash<QByteArray, QByteArray> headers = {
        {Frame::Reply::Kzr, Frame::Reply::KzrConfig},
        {Frame::Reply::Tlmx, Frame::Reply::KzrConfig},
        {Frame::Reply::Ga, Frame::Reply::GaConfig},
        {Frame::Reply::Wrn1, Frame::Reply::Wrn1Config},
        {Frame::Reply::Drav, Frame::Reply::DravConfig},
        {Frame::Reply::Hel, QByteArray()},
        {Frame::Reply::Wrn2, Frame::Reply::Wrn2Config},
        {Frame::Reply::Gami, Frame::Reply::GamiConfig},
        {Frame::Reply::Zegar, Frame::Reply::ZegarConfig},
        {Frame::Reply::Nov, Frame::Reply::NovConfig},
        {Frame::Reply::Brt, Frame::Reply::BrtConfig},
        {Frame::Reply::Tester, Frame::Reply::TesterConfig},
    };
    return headers;
}

struct ModelName
{
    const char *name;
    const char *identity;
};

const ModelName ModelNames[] = {
    {"KZR-1", Frame::Reply::Kzr},     {"TLMX-1", Frame::Reply::Tlmx},
    {"GA-1", Frame::Reply::Ga},       {"WRN-1", Frame::Reply::Wrn1},
    {"DRAV-1", Frame::Reply::Drav},   {"HEL-1", Frame::Reply::Hel},
    {"WRN-2", Frame::Reply::Wrn2},    {"GA-1 MI", Frame::Reply::Gami},
    {"ZEGAR-1", Frame::Reply::Zegar}, {"NOV-1", Frame::Reply::Nov},
    {"BRT-1", Frame::Reply::Brt},     {"Tester KZR-1", Frame::Reply::Tester},
};

// Names are matched without regard to case, spaces or dashes, so "ga1mi" finds "GA-1 MI".
QString folded(const QString &name)
{
    QString result = name.toUpper();
    result.remove(QLatin1Char(' '));
    result.remove(QLatin1Char('-'));
    return result;
}

QByteArray withHeader(QByteArray frame, const QByteArray &header)
{
    frame.replace(0, header.size(), header);
    return frame;
}

} // namespace

SimulatedDevice::SimulatedDevice(const QByteArray &identity, QObject *parent)
    : QObject(parent), m_identity(identity), m_part1(Frame::configFrame()),
      m_part2(Frame::configFramePart2())
{
}

QList<QByteArray> SimulatedDevice::knownIdentities()
{
    QList<QByteArray> identities = configReplyHeaders().keys();
    std::sort(identities.begin(), identities.end());
    return identities;
}

QByteArray SimulatedDevice::identityFor(const QString &modelOrCode)
{
    if (knownIdentities().contains(modelOrCode.toLatin1()))
        return modelOrCode.toLatin1();
    for (const ModelName &model : ModelNames) {
        if (folded(QLatin1String(model.name)) == folded(modelOrCode))
            return model.identity;
    }
    return QByteArray();
}

QStringList SimulatedDevice::modelNames()
{
    QStringList names;
    for (const ModelName &model : ModelNames)
        names << QLatin1String(model.name);
    return names;
}

int SimulatedDevice::configFrameCount() const
{
    return m_identity == Frame::Reply::Wrn2 ? 2 : 1;
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
    return m_identity == Frame::Reply::Kzr || m_identity == Frame::Reply::Tlmx;
}

QByteArray SimulatedDevice::configReplyHeader() const
{
    return configReplyHeaders().value(m_identity);
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
