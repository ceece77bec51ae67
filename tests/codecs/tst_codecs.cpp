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
    void goldenFrames_data();
    void goldenFrames();
};

namespace {
constexpr int FramesPerModel = 5000;
} // namespace

void tst_codecs::untouchedWriteBackKeepsEveryByte_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < codecDomains().size(); ++i) {
        // A model that sends no configuration back has nothing to write back.
        if (codecDomains().at(i).randomReply)
            QTest::newRow(qPrintable(codecDomains().at(i).model)) << i;
    }
}

void tst_codecs::untouchedWriteBackKeepsEveryByte()
{
    QFETCH(int, index);
    const CodecDomain &domain = codecDomains().at(index);
    QCOMPARE(domain.significantBits.size() % 14, 0);
    const QString lost = firstLostSetting(domain, domain.writeBack, FramesPerModel,
                                          0x0A55u + static_cast<quint32>(index));
    QVERIFY2(lost.isEmpty(), qPrintable(lost));
}

void tst_codecs::goldenFrames_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("row");
    for (int i = 0; i < codecDomains().size(); ++i) {
        const CodecDomain &domain = codecDomains().at(i);
        for (int row = 0; row < domain.goldenFrames.size(); ++row)
            QTest::newRow(qPrintable(domain.model + ": " + domain.goldenFrames.at(row).name)) << i << row;
    }
}

void tst_codecs::goldenFrames()
{
    QFETCH(int, index);
    QFETCH(int, row);
    const GoldenFrame &golden = codecDomains().at(index).goldenFrames.at(row);
    QCOMPARE(golden.produce().toHex(' '), golden.expected.toHex(' '));
}

QTEST_GUILESS_MAIN(tst_codecs)
#include "tst_codecs.moc"
