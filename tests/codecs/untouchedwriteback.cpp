#include "tests/codecs/untouchedwriteback.h"

namespace {

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

// The outgoing frames differ from the reply only in their headers, which the mask skips.
QString firstDifference(const QByteArray &reply, const QByteArray &written, const QByteArray &mask)
{
    if (written.size() != reply.size())
        return QStringLiteral("wrote %1 bytes for a %2-byte reply")
            .arg(written.size())
            .arg(reply.size());
    for (int i = 0; i < reply.size(); ++i) {
        const quint8 bits = static_cast<quint8>(mask.at(i));
        if ((reply.at(i) ^ written.at(i)) & bits)
            return QStringLiteral("byte %1: read %2, wrote %3\nread:  %4\nwrote: %5")
                .arg(i)
                .arg(static_cast<quint8>(reply.at(i)), 2, 16, QLatin1Char('0'))
                .arg(static_cast<quint8>(written.at(i)), 2, 16, QLatin1Char('0'))
                .arg(hex(reply), hex(written));
    }
    return QString();
}

} // namespace

QString firstLostSetting(const CodecDomain &domain,
                         const std::function<QByteArray(const QByteArray &)> &writeBack, int count,
                         quint32 seed)
{
    if (domain.significantBits.isEmpty() || domain.significantBits.size() % 14 != 0)
        return QStringLiteral("the mask does not cover whole frames");
    QRandomGenerator random(seed);
    for (int n = 0; n < count; ++n) {
        const QByteArray reply = domain.randomReply(random);
        const QString difference = firstDifference(reply, writeBack(reply), domain.significantBits);
        if (!difference.isEmpty())
            return QStringLiteral("%1, reply %2: %3").arg(domain.model).arg(n).arg(difference);
    }
    return QString();
}
