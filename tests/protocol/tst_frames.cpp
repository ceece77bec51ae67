#include "protocol/bytes.h"
#include "protocol/frames.h"
#include "protocol/versiontext.h"

#include <QTest>

class tst_Frames : public QObject
{
    Q_OBJECT

private slots:
    void fixedFrames_data();
    void fixedFrames();
    void byteBeyondEndReadsZero();
    void versionText_data();
    void versionText();
};

void tst_Frames::fixedFrames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray ones11(11, '\x01');
    const QByteArray ones12(12, '\x01');
    QTest::newRow("identification") << Frame::identificationRequest() << QByteArray("WAY") + ones11;
    QTest::newRow("read") << Frame::readRequest() << QByteArray("DTY") + ones11;
    QTest::newRow("view") << Frame::viewRequest() << QByteArray("dV") + ones12;
    QTest::newRow("unlock") << Frame::unlockCommand() << QByteArray("BL") + ones12;
    QTest::newRow("led test") << Frame::ledTestCommand() << QByteArray("PL") + QByteArray(12, 0);
    QTest::newRow("led reset") << Frame::ledResetCommand() << QByteArray("del") + QByteArray(11, 0);
    QTest::newRow("config") << Frame::configFrame() << QByteArray("\nU") + QByteArray(12, 0);
    QTest::newRow("config part 2")
        << Frame::configFramePart2() << QByteArray("\nV") + QByteArray(12, 0);
}

void tst_Frames::fixedFrames()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, expected);
    QCOMPARE(frame.size(), Frame::Size);
    QCOMPARE(frame.toHex(' '), expected.toHex(' '));
}

void tst_Frames::byteBeyondEndReadsZero()
{
    const QByteArray block("\x05\xFF", 2);
    QCOMPARE(byteAt(block, 0), quint8(5));
    QCOMPARE(byteAt(block, 1), quint8(0xFF));
    QCOMPARE(byteAt(block, 2), quint8(0));
    QCOMPARE(byteAt(block, -1), quint8(0));
    QCOMPARE(byteAt(QByteArray(), 13), quint8(0));
    QCOMPARE(charAt(block, 1), QChar(0xFF));
    QVERIFY(!Frame::hasHeader(QByteArray("d"), "del"));
    QVERIFY(Frame::hasHeader(QByteArray("dele"), "del"));
}

void tst_Frames::versionText_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("withRange");
    QTest::addColumn<QString>("expected");
    QTest::newRow("kzr") << QByteArray("01031507xxxxxx") << false << "v03d15m07r";
    QTest::newRow("ga range") << QByteArray("030315071xxxxx") << true << "v03d15m07r1";
    QTest::newRow("short") << QByteArray("0103") << false
                           << QStringLiteral("v03d") + QChar(0) + QChar(0) + "m" + QChar(0) +
                                  QChar(0) + "r";
}

void tst_Frames::versionText()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, withRange);
    QFETCH(QString, expected);
    QCOMPARE(::versionText(reply, withRange), expected);
    QCOMPARE(offlineVersionText(), QStringLiteral("v00d00m00r"));
}

QTEST_GUILESS_MAIN(tst_Frames)
#include "tst_frames.moc"
