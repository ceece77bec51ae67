#include "tests/codecs/codecdomain.h"

#include <QtTest>

// Reading a device's configuration and writing it back untouched must give the device the
// bytes it already held: anything else silently changes a relay nobody meant to change.
class tst_codecs : public QObject
{
    Q_OBJECT

private slots:
    void untouchedWriteBackKeepsEveryByte_data();
    void untouchedWriteBackKeepsEveryByte();
};

namespace {
constexpr int FramesPerModel = 5000;

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

// The outgoing frames differ from the reply only in their headers, which the mask skips.
QString firstDifference(const QByteArray &reply, const QByteArray &written, const QByteArray &mask)
{
    if (written.size() != reply.size())
        return QStringLiteral("wrote %1 bytes for a %2-byte reply").arg(written.size()).arg(reply.size());
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

void tst_codecs::untouchedWriteBackKeepsEveryByte_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < codecDomains().size(); ++i)
        QTest::newRow(qPrintable(codecDomains().at(i).model)) << i;
}

void tst_codecs::untouchedWriteBackKeepsEveryByte()
{
    QFETCH(int, index);
    const CodecDomain &domain = codecDomains().at(index);
    QCOMPARE(domain.significantBits.size() % 14, 0);
    QRandomGenerator random(0x0A55u + static_cast<quint32>(index));
    for (int n = 0; n < FramesPerModel; ++n) {
        const QByteArray reply = domain.randomReply(random);
        const QString difference =
            firstDifference(reply, domain.writeBack(reply), domain.significantBits);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }
}

QTEST_GUILESS_MAIN(tst_codecs)
#include "tst_codecs.moc"
