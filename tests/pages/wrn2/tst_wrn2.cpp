#include "tests/codecs/untouchedwriteback.h"
#include "tests/support/simulatedconnection.h"
#include "tests/support/widgets.h"

#include "codecs/wrn2config.h"
#include "pages/wrn2/wrn2v2.h"
#include "protocol/frames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

// The three-channel WRN page: two frames out, one 28-byte reply in, and the input/relay matrix.
class tst_Wrn2 : public QObject
{
    Q_OBJECT

private slots:
    void defaultsBothParts();
    void defaultsKeepPulseOperation();
    void part2Widgets_data();
    void part2Widgets();
    void latchAndPulseTogether();
    void replyWithoutSecondFrameKeepsPart2_data();
    void replyWithoutSecondFrameKeepsPart2();
    void typedDelaySnapsToStep();
    void untouchedWriteBack();
    void buttonsEmitSignals_data();
    void buttonsEmitSignals();
    void writeThenReadThroughDevice();
};

static QCheckBox *box(QWidget &page, const QString &name)
{
    return widget<QCheckBox>(page, name);
}

// The device answers a read with both frames, each under the reply header.
static QByteArray reply(const QByteArray &part1, const QByteArray &part2)
{
    const QByteArray header(Frame::Reply::Wrn2Config);
    return header + part1.mid(2) + header + part2.mid(2);
}

void tst_Wrn2::defaultsBothParts()
{
    wrn2v2 page;
    box(page, "We3Inwersja")->setChecked(true);
    widget<QSpinBox>(page, "We3Zanik")->setValue(900);
    box(page, "PK2DoSkasowania")->setChecked(true);
    box(page, "PK3Inwersja")->setChecked(true);
    widget<QSpinBox>(page, "PK1tImpulsu")->setValue(77);
    widget<QComboBox>(page, "LED3KolorKasowanie")->setCurrentIndex(0);
    box(page, "con12")->setChecked(true);

    clickButton(&page, "DomyslneWRN2");

    const Wrn2Config defaults = Wrn2Config::defaults();
    QCOMPARE(page.encodeConfigPart1(), defaults.encodePart1());
    QCOMPARE(page.encodeConfigPart2(), defaults.encodePart2());
}

void tst_Wrn2::defaultsKeepPulseOperation()
{
    wrn2v2 page;
    box(page, "PK1DzialanieImpulsowe")->setChecked(true);
    box(page, "PK3DzialanieImpulsowe")->setChecked(true);
    clickButton(&page, "DomyslneWRN2");
    QCOMPARE(page.encodeConfigPart1().at(2), char(0x10));
    QCOMPARE(page.encodeConfigPart2().at(2), char(0x18));
}

void tst_Wrn2::part2Widgets_data()
{
    QTest::addColumn<QByteArray>("part2");
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<QList<int>>("values"); // both delays, pulse time, both colours

    QTest::newRow("odd bits") << QByteArray::fromHex("0a561507" "0b0d19550100000000ff")
                              << QStringList{"LED3Samokasowanie", "PK3DoSkasowania", "We3Inwersja",
                                             "con11", "con13", "con22", "con31", "con33"}
                              << QList<int>{700, 1100, 13, 2, 3};
    QTest::newRow("even bits") << QByteArray::fromHex("0a560a01" "ff017eaa0000000000ff")
                               << QStringList{"PK3DzialanieImpulsowe", "PK3Inwersja", "con12",
                                              "con21", "con23", "con32"}
                               << QList<int>{100, 25500, 1, 0, 0};
}

// Channel 3 and the matrix are read from their own places in the second frame. Bit 0 of the
// colour byte is not channel 3's self-reset, which travels with the flags.
void tst_Wrn2::part2Widgets()
{
    QFETCH(QByteArray, part2);
    QFETCH(QStringList, ticked);
    QFETCH(QList<int>, values);

    wrn2v2 page;
    page.decodeConfig(reply(page.encodeConfigPart1(), part2));
    QStringList checked;
    for (const QCheckBox *each : page.findChildren<QCheckBox *>()) {
        if (each->isChecked())
            checked << each->objectName();
    }
    checked.sort();
    QCOMPARE(checked, ticked);
    QCOMPARE((QList<int>{widget<QSpinBox>(page, "We3Pobudzenie")->value(),
                         widget<QSpinBox>(page, "We3Zanik")->value(),
                         widget<QSpinBox>(page, "PK3tImpulsu")->value(),
                         widget<QComboBox>(page, "LED3KolorPobudzenia")->currentIndex(),
                         widget<QComboBox>(page, "LED3KolorKasowanie")->currentIndex()}),
             values);
}

// Unlike the two-channel relay, nothing here locks latching against pulse operation.
void tst_Wrn2::latchAndPulseTogether()
{
    QByteArray part1 = Frame::configFrame();
    QByteArray part2 = Frame::configFramePart2();
    part1[2] = 0x18;
    part2[2] = 0x0C;
    wrn2v2 page;
    page.decodeConfig(reply(part1, part2));
    for (const char *name :
         {"PK1DoSkasowania", "PK1DzialanieImpulsowe", "PK3DoSkasowania", "PK3DzialanieImpulsowe"})
        QVERIFY2(box(page, name)->isChecked() && box(page, name)->isEnabled(), name);
    for (const auto *spin : page.findChildren<QSpinBox *>())
        QVERIFY2(spin->isEnabled(), qPrintable(spin->objectName()));
}

void tst_Wrn2::replyWithoutSecondFrameKeepsPart2_data()
{
    QTest::addColumn<int>("length");
    QTest::newRow("first frame alone") << 14;
    QTest::newRow("second frame cut short") << 27;
}

// A reply whose second frame was lost must not clear channel 3 and the matrix: the next write
// would store a relay in which no input drives anything. Channels 1 and 2 are still read.
void tst_Wrn2::replyWithoutSecondFrameKeepsPart2()
{
    QFETCH(int, length);

    wrn2v2 page;
    clickButton(&page, "DomyslneWRN2");
    box(page, "PK3DoSkasowania")->setChecked(true);
    widget<QSpinBox>(page, "We3Pobudzenie")->setValue(5000);
    box(page, "con23")->setChecked(true);
    const QByteArray part2Before = page.encodeConfigPart2();

    const QByteArray part1 = QByteArray::fromHex("0a550112490908070605040000ee");
    const QByteArray block = reply(part1, Frame::configFramePart2()).left(length);
    page.decodeConfig(block);

    QCOMPARE(page.encodeConfigPart1().toHex(), QByteArray("0a55011249090807060504000000"));
    QCOMPARE(page.encodeConfigPart2().toHex(), part2Before.toHex());

    // The whole reply sets both.
    page.decodeConfig(reply(part1, QByteArray::fromHex("0a56000101033411010000000000")));
    QCOMPARE(page.encodeConfigPart2().toHex(), QByteArray("0a56000101033411010000000000"));
}

void tst_Wrn2::typedDelaySnapsToStep()
{
    wrn2v2 page;
    for (const char *name : {"We1Zanik", "We3Pobudzenie", "We3Zanik"}) {
        auto *delay = widget<QSpinBox>(page, name);
        delay->selectAll();
        QTest::keyClicks(delay, QStringLiteral("250"));
        QTest::keyClick(delay, Qt::Key_Return);
        QVERIFY2(delay->value() == 300, name);
    }
    QCOMPARE(page.encodeConfigPart2().mid(3, 2).toHex(), QByteArray("0303"));
}

// Reading a device and writing it back untouched gives it back every setting it reported.
void tst_Wrn2::untouchedWriteBack()
{
    wrn2v2 page;
    const QString lost = firstLostSetting(
        codecDomain(QStringLiteral("WRN-2")),
        [&page](const QByteArray &reply) {
            page.decodeConfig(reply);
            return page.encodeConfigPart1() + page.encodeConfigPart2();
        },
        300, 7);
    QVERIFY2(lost.isEmpty(), qPrintable(lost));
}

void tst_Wrn2::buttonsEmitSignals_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("signal");
    QTest::newRow("send") << "ZapiszWRN2" << QByteArray(SIGNAL(WyslijDaneWRN2()));
    QTest::newRow("read") << "DZWRN2" << QByteArray(SIGNAL(PobierzDaneZWRN2()));
    QTest::newRow("LED test") << "pLED" << QByteArray(SIGNAL(ProbaLEDWRN2()));
    QTest::newRow("LED reset") << "KASOWANIE" << QByteArray(SIGNAL(KasowanieLEDWRN2()));
    QTest::newRow("disconnect") << "rozlaczWRN2" << QByteArray(SIGNAL(PowrotPoczatekWRN2()));
}

void tst_Wrn2::buttonsEmitSignals()
{
    QFETCH(QString, button);
    QFETCH(QByteArray, signal);

    wrn2v2 page;
    page.show();
    QSignalSpy spy(&page, signal.constData());
    clickButton(&page, button.toLatin1().constData());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(page.isVisible(), button != QStringLiteral("rozlaczWRN2"));
}

void tst_Wrn2::writeThenReadThroughDevice()
{
    SimulatedConnection connection(Frame::Reply::Wrn2);
    QVERIFY(connection.connectAndLoad());
    QCOMPARE(connection.lastReply().size(), 2 * Frame::Size);
    wrn2v2 &page = connection.window().wrn2Page();

    box(page, "We1Inwersja")->setChecked(true);
    box(page, "PK3DoSkasowania")->setChecked(true);
    box(page, "PK3DzialanieImpulsowe")->setChecked(true);
    box(page, "con21")->setChecked(true);
    box(page, "con33")->setChecked(true);
    widget<QComboBox>(page, "LED3KolorPobudzenia")->setCurrentIndex(0);
    widget<QSpinBox>(page, "We3Zanik")->setValue(25500);
    widget<QSpinBox>(page, "PK2tImpulsu")->setValue(42);
    const QByteArray part1 = page.encodeConfigPart1();
    const QByteArray part2 = page.encodeConfigPart2();

    connection.device().clearReceivedFrames();
    clickButton(&page, "ZapiszWRN2");
    QVERIFY(connection.waitForFrames(2));
    QCOMPARE(connection.device().receivedFrames(), QList<QByteArray>({part1, part2}));
    // Each part is acknowledged on a line of its own, even when both come in one burst.
    QTRY_COMPARE(connection.logLines().count(QStringLiteral("Konfiguracja odebrana")), 2);

    clickButton(&page, "DomyslneWRN2");
    clickButton(&page, "DZWRN2");
    QTRY_COMPARE(connection.logLines().count(QStringLiteral("Konfiguracja pobrana")), 2);
    QCOMPARE(connection.lastReply().size(), 2 * Frame::Size);
    QCOMPARE(page.encodeConfigPart1(), part1);
    QCOMPARE(page.encodeConfigPart2(), part2);
}

QTEST_MAIN(tst_Wrn2)
#include "tst_wrn2.moc"
