#include "tests/codecs/codecdomain.h"
#include "tests/codecs/untouchedwriteback.h"

#include <QtTest>

Q_DECLARE_METATYPE(GoldenFrame)

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
    for (int i = 0; i < codecDomains().size(); ++i)
        QTest::newRow(qPrintable(codecDomains().at(i).model + " " + codecDomains().at(i).rangeVariant))
            << i;
}

void tst_codecs::untouchedWriteBackKeepsEveryByte()
{
    QFETCH(int, index);
    const CodecDomain &domain = codecDomains().at(index);
    const QString lost = firstLostSetting(domain, domain.writeBack, FramesPerModel,
                                          0x0A55u + static_cast<quint32>(index));
    QVERIFY2(lost.isEmpty(), qPrintable(lost));
}

void tst_codecs::goldenFrames_data()
{
    QTest::addColumn<GoldenFrame>("golden");
    for (const CodecDomain &domain : codecDomains()) {
        for (const GoldenFrame &golden : domain.goldenFrames)
            QTest::addRow("%s: %s", qPrintable(domain.model), qPrintable(golden.name)) << golden;
    }
}

void tst_codecs::goldenFrames()
{
    QFETCH(GoldenFrame, golden);
    QCOMPARE(golden.frame().toHex(' '), golden.expected.toHex(' '));
}

QTEST_GUILESS_MAIN(tst_codecs)
#include "tst_codecs.moc"
