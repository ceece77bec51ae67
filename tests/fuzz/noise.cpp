#include "tests/fuzz/noise.h"

#include "protocol/frames.h"

namespace {
constexpr int GuardLength = 16;
constexpr char GuardByte = static_cast<char>(0xA5);
constexpr int KeptBlocks = 64;
} // namespace

const QList<QByteArray> &Noise::knownHeaders()
{
    using namespace Frame::Reply;
    static const QList<QByteArray> headers = {
        Kzr,       Tlmx,         Ga,          Wrn1,        Drav,       Hel,         Wrn2,
        Gami,      Zegar,        Nov,         Brt,         Tester,     KzrConfig,   KzrView,
        GaConfig,  Wrn1Config,   DravConfig,  Wrn2Config,  GamiConfig, ZegarConfig, BrtConfig,
        NovConfig, TesterConfig, LedTestEcho, Acknowledge,
    };
    return headers;
}

QByteArray Noise::header()
{
    const int kind = bounded(100);
    if (kind < 85)
        return knownHeaders().at(bounded(knownHeaders().size()));
    // One character right and one wrong: the closest a damaged header gets to a real one.
    if (kind < 95) {
        QByteArray near = knownHeaders().at(bounded(knownHeaders().size()));
        near[bounded(2)] = static_cast<char>(m_random.bounded(256));
        return near;
    }
    return payload(2);
}

char Noise::payloadByte()
{
    const int kind = bounded(10);
    if (kind < 2)
        return 0;
    if (kind < 3)
        return static_cast<char>(0xFF);
    if (kind < 6)
        return static_cast<char>(bounded(16));
    return static_cast<char>(m_random.bounded(256));
}

QByteArray Noise::payload(int length)
{
    QByteArray bytes(length, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = payloadByte();
    return bytes;
}

QByteArray Noise::block(int maxLength)
{
    return blockWithHeader(header(), maxLength);
}

QByteArray Noise::blockWithHeader(const QByteArray &header, int maxLength)
{
    const int length = bounded(maxLength + 1);
    QByteArray bytes = header.left(length);
    bytes += payload(length - bytes.size());
    return bytes;
}

QByteArray GuardedBlocks::wrap(const QByteArray &block)
{
    if (m_storage.size() == KeptBlocks)
        m_storage.removeFirst();
    m_storage << block + QByteArray(GuardLength, GuardByte);
    return QByteArray::fromRawData(m_storage.last().constData(), block.size());
}
