#include "tests/support/simulatedconnection.h"
#include "tests/support/widgets.h"

#include "pages/wrn1/wrn2.h"
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
    void part1IsTheTwoChannelFrame();
    void part2Bits_data();
    void part2Bits();
    void fullMatrix();
    void latchAndPulseTogether();
    void fullReplyFieldPositions();
    void shortReplyReadsPart2AsZeros();
    void tabOrderFollowsLayout();
    void buttonsEmitSignals_data();
    void buttonsEmitSignals();
    void writeThenReadThroughDevice();
};

static QCheckBox *box(QWidget &page, const QString &name)
{
    return widget<QCheckBox>(page, name);
}

static const QStringList &matrixNames()
{
    static const QStringList names = {"con11", "con12", "con13", "con21", "con22",
                                      "con23", "con31", "con32", "con33"};
    return names;
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

    QCOMPARE(page.encodeConfigPart1().toHex(), QByteArray("0a55003535010101010303000000"));
    QCOMPARE(page.encodeConfigPart2().toHex(), QByteArray("0a56100101033411010000000000"));
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

// The same settings on both pages give the same bytes, whichever way they arrive.
void tst_Wrn2::part1IsTheTwoChannelFrame()
{
    WRN2 twoChannel;
    wrn2v2 threeChannel;
    for (WrnPage *page : std::initializer_list<WrnPage *>{&twoChannel, &threeChannel}) {
        box(*page, "We2Inwersja")->setChecked(true);
        box(*page, "PK1DoSkasowania")->setChecked(true);
        box(*page, "PK2Inwersja")->setChecked(true);
        box(*page, "PK2DzialanieImpulsowe")->setChecked(true);
        box(*page, "LED1Samokasowanie")->setChecked(true);
        widget<QComboBox>(*page, "LED1KolorPobudzenia")->setCurrentIndex(0);
        widget<QComboBox>(*page, "LED2KolorKasowanie")->setCurrentIndex(2);
        widget<QSpinBox>(*page, "We1Pobudzenie")->setValue(1250);
        widget<QSpinBox>(*page, "We2Zanik")->setValue(25500);
        widget<QSpinBox>(*page, "PK2tImpulsu")->setValue(200);
    }
    const QByteArray frame = twoChannel.encodeConfig();
    QCOMPARE(threeChannel.encodeConfigPart1(), frame);

    const QByteArray block = QByteArray::fromHex("0000a56b4f1407ff0381");
    WRN2 twoChannelRead;
    wrn2v2 threeChannelRead;
    twoChannelRead.decodeConfig(block);
    threeChannelRead.decodeConfig(block);
    QCOMPARE(threeChannelRead.encodeConfigPart1(), twoChannelRead.encodeConfig());
}

void tst_Wrn2::part2Bits_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("value");
    QTest::newRow("We3Inwersja") << "We3Inwersja" << 2 << 0x01;
    QTest::newRow("PK3Inwersja") << "PK3Inwersja" << 2 << 0x02;
    QTest::newRow("PK3DoSkasowania") << "PK3DoSkasowania" << 2 << 0x04;
    QTest::newRow("PK3DzialanieImpulsowe") << "PK3DzialanieImpulsowe" << 2 << 0x08;
    QTest::newRow("LED3Samokasowanie") << "LED3Samokasowanie" << 2 << 0x10;
    for (int i = 0; i < matrixNames().size(); ++i) {
        const QString &name = matrixNames().at(i);
        QTest::newRow(qPrintable(name)) << name << 7 + i / 8 << (1 << (i % 8));
    }
}

// Each box of the second frame owns one bit, in both directions; nothing else moves.
void tst_Wrn2::part2Bits()
{
    QFETCH(QString, name);
    QFETCH(int, byte);
    QFETCH(int, value);

    wrn2v2 sender;
    const QByteArray untouched = sender.encodeConfigPart2();
    QCOMPARE(untouched.toHex(), QByteArray("0a56000101013400000000000000"));
    box(sender, name)->setChecked(true);
    QByteArray expected = untouched;
    expected[byte] = static_cast<char>(value);
    QCOMPARE(sender.encodeConfigPart2(), expected);

    wrn2v2 receiver;
    receiver.decodeConfig(reply(receiver.encodeConfigPart1(), expected));
    QCOMPARE(receiver.encodeConfigPart2(), expected);
    QVERIFY(box(receiver, name)->isChecked());
}

// Several relays per input and several inputs per relay are all allowed.
void tst_Wrn2::fullMatrix()
{
    wrn2v2 page;
    const QByteArray part1 = page.encodeConfigPart1();
    QByteArray part2 = page.encodeConfigPart2();
    part2[7] = char(0xFF);
    part2[8] = 0x01;
    page.decodeConfig(reply(part1, part2));
    for (const QString &name : matrixNames())
        QVERIFY2(box(page, name)->isChecked(), qPrintable(name));
    QCOMPARE(page.encodeConfigPart2().mid(7, 2).toHex(), QByteArray("ff01"));

    part2[8] = 0x00;
    page.decodeConfig(reply(part1, part2));
    QVERIFY(!box(page, "con33")->isChecked());
    QVERIFY(box(page, "con32")->isChecked());
}

// Unlike the two-channel relay, nothing here locks latching against pulse operation.
void tst_Wrn2::latchAndPulseTogether()
{
    wrn2v2 page;
    for (const char *option : {"DoSkasowania", "DzialanieImpulsowe"}) {
        box(page, QLatin1String("PK1") + option)->setChecked(true);
        box(page, QLatin1String("PK3") + option)->setChecked(true);
    }
    const QByteArray part1 = page.encodeConfigPart1();
    const QByteArray part2 = page.encodeConfigPart2();
    QCOMPARE(part1.at(2), char(0x18));
    QCOMPARE(part2.at(2), char(0x0C));

    wrn2v2 receiver;
    receiver.decodeConfig(reply(part1, part2));
    const auto boxes = receiver.findChildren<QCheckBox *>();
    for (const QCheckBox *each : boxes)
        QVERIFY2(each->isEnabled(), qPrintable(each->objectName()));
    for (const char *name :
         {"PK1DoSkasowania", "PK1DzialanieImpulsowe", "PK3DoSkasowania", "PK3DzialanieImpulsowe"})
        QVERIFY2(box(receiver, name)->isChecked(), name);
    for (const auto *spin : receiver.findChildren<QSpinBox *>())
        QVERIFY2(spin->isEnabled(), qPrintable(spin->objectName()));
}

void tst_Wrn2::fullReplyFieldPositions()
{
    wrn2v2 page;
    // Channel 3: input inverted, latched, no self-reset flag; the colour byte's own bit 0 is
    // set and must not be taken for it.
    const QByteArray part1 = QByteArray::fromHex("0a55a10e060203040506070000ee");
    const QByteArray part2 = QByteArray::fromHex("0a5605070b0d19c40100000000ff");
    page.decodeConfig(reply(part1, part2));

    QVERIFY(box(page, "We1Inwersja")->isChecked());
    QVERIFY(box(page, "PK2Inwersja")->isChecked());
    QVERIFY(box(page, "PK2DzialanieImpulsowe")->isChecked());
    QCOMPARE(widget<QComboBox>(page, "LED1KolorPobudzenia")->currentIndex(), 0);
    QCOMPARE(widget<QComboBox>(page, "LED2KolorPobudzenia")->currentIndex(), 4);
    QCOMPARE(widget<QSpinBox>(page, "We2Zanik")->value(), 500);
    QCOMPARE(widget<QSpinBox>(page, "PK2tImpulsu")->value(), 7);

    QVERIFY(box(page, "We3Inwersja")->isChecked());
    QVERIFY(!box(page, "PK3Inwersja")->isChecked());
    QVERIFY(box(page, "PK3DoSkasowania")->isChecked());
    QVERIFY(!box(page, "LED3Samokasowanie")->isChecked());
    QCOMPARE(widget<QSpinBox>(page, "We3Pobudzenie")->value(), 700);
    QCOMPARE(widget<QSpinBox>(page, "We3Zanik")->value(), 1100);
    QCOMPARE(widget<QSpinBox>(page, "PK3tImpulsu")->value(), 13);
    QCOMPARE(widget<QComboBox>(page, "LED3KolorPobudzenia")->currentIndex(), 2);
    QCOMPARE(widget<QComboBox>(page, "LED3KolorKasowanie")->currentIndex(), 3);
    QStringList checked;
    for (const QString &name : matrixNames()) {
        if (box(page, name)->isChecked())
            checked << name;
    }
    QCOMPARE(checked, QStringList({"con13", "con31", "con32", "con33"}));

    // Read back, the form gives the same frames with the unused bytes cleared.
    QCOMPARE(page.encodeConfigPart1().toHex(), QByteArray("0a55a13e36020304050607000000"));
    QCOMPARE(page.encodeConfigPart2().toHex(), QByteArray("0a5605070b0d18c4010000000000"));
}

// A reply that lost its second frame reads channel 3 and the matrix as zeros; only the
// LED 3 colours survive, because a zero colour field names no colour.
void tst_Wrn2::shortReplyReadsPart2AsZeros()
{
    wrn2v2 page;
    for (const char *name : {"We3Inwersja", "PK3Inwersja", "PK3DoSkasowania",
                             "PK3DzialanieImpulsowe", "LED3Samokasowanie"})
        box(page, name)->setChecked(true);
    for (const QString &name : matrixNames())
        box(page, name)->setChecked(true);
    widget<QSpinBox>(page, "We3Pobudzenie")->setValue(5000);
    widget<QSpinBox>(page, "We3Zanik")->setValue(6000);
    widget<QSpinBox>(page, "PK3tImpulsu")->setValue(9);
    widget<QComboBox>(page, "LED3KolorPobudzenia")->setCurrentIndex(2);
    widget<QComboBox>(page, "LED3KolorKasowanie")->setCurrentIndex(3);

    const QByteArray part1 = QByteArray::fromHex("0a550112490908070605040000ee");
    page.decodeConfig(QByteArray(Frame::Reply::Wrn2Config) + part1.mid(2));

    QCOMPARE(page.encodeConfigPart1().toHex(), QByteArray("0a55011249090807060504000000"));
    QCOMPARE(page.encodeConfigPart2().toHex(), QByteArray("0a56000101011800000000000000"));
}

// Keyboard focus walks the rows left to right (inputs, relays, LEDs), then the matrix, then
// the menu.
void tst_Wrn2::tabOrderFollowsLayout()
{
    QStringList expected;
    for (const char *row : {"We%1Inwersja We%1Pobudzenie We%1Zanik",
                            "PK%1Inwersja PK%1DoSkasowania PK%1DzialanieImpulsowe PK%1tImpulsu",
                            "LED%1Samokasowanie LED%1KolorPobudzenia LED%1KolorKasowanie"}) {
        for (int channel = 1; channel <= 3; ++channel)
            expected << QString::fromLatin1(row).arg(channel).split(QLatin1Char(' '));
    }
    expected << matrixNames();
    expected << QStringList({"ZapiszWRN2", "DZWRN2", "DomyslneWRN2", "pLED", "WidokUrzadzeniaWRN2",
                             "DTRWRN2", "KASOWANIE", "rozlaczWRN2"});

    wrn2v2 page;
    QWidget *first = widget<QWidget>(page, expected.first());
    QStringList chain;
    QWidget *each = first;
    do {
        if (expected.contains(each->objectName()))
            chain << each->objectName();
        each = each->nextInFocusChain();
    } while (each != first && chain.size() < expected.size());
    QCOMPARE(chain, expected);
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
