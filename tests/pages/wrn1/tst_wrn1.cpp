#include "tests/support/simulatedconnection.h"
#include "tests/support/widgets.h"

#include "pages/wrn1/wrn2.h"
#include "protocol/frames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

// The two-channel WRN page: its frame in both directions, defaults and relay interlocks.
class tst_Wrn1 : public QObject
{
    Q_OBJECT

private slots:
    void defaultsFrame();
    void flagBits_data();
    void flagBits();
    void ledByte_data();
    void ledByte();
    void decodeLedByte_data();
    void decodeLedByte();
    void delayAndPulseBytes_data();
    void delayAndPulseBytes();
    void decodeClampsToSpinRange_data();
    void decodeClampsToSpinRange();
    void decodeFieldPositions();
    void latchAndPulseInterlock_data();
    void latchAndPulseInterlock();
    void interlockFollowsClicks();
    void formTexts();
    void buttonsEmitSignals_data();
    void buttonsEmitSignals();
    void writeThenReadThroughDevice();
};

static QCheckBox *box(QWidget &page, const QString &name)
{
    return widget<QCheckBox>(page, name);
}

// A configuration reply: the reply header, then frame bytes 2.. as given.
static QByteArray reply(const QByteArray &payload)
{
    return QByteArray(Frame::Reply::Wrn1Config) + payload;
}

void tst_Wrn1::defaultsFrame()
{
    WRN2 page;
    box(page, "We1Inwersja")->setChecked(true);
    box(page, "PK1DzialanieImpulsowe")->setChecked(true);
    box(page, "PK2DoSkasowania")->setChecked(true);
    box(page, "LED2Samokasowanie")->setChecked(true);
    widget<QComboBox>(page, "LED1KolorKasowanie")->setCurrentIndex(0);
    widget<QSpinBox>(page, "We2Zanik")->setValue(2000);
    widget<QSpinBox>(page, "PK1tImpulsu")->setValue(40);

    clickButton(&page, "DomyslneWRN");

    QCOMPARE(page.encodeConfig().toHex(), QByteArray("0a55083434010101010303000000"));
    QVERIFY(box(page, "PK1DoSkasowania")->isEnabled());
    QVERIFY(!box(page, "PK1DzialanieImpulsowe")->isEnabled());
    QVERIFY(!widget<QSpinBox>(page, "PK1tImpulsu")->isEnabled());
    QVERIFY(box(page, "PK2DoSkasowania")->isEnabled());
    QVERIFY(box(page, "PK2DzialanieImpulsowe")->isEnabled());
    QVERIFY(widget<QSpinBox>(page, "PK2tImpulsu")->isEnabled());
}

void tst_Wrn1::flagBits_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("bit");
    const char *const names[] = {"We1Inwersja",     "We2Inwersja",           "PK1Inwersja",
                                 "PK1DoSkasowania", "PK1DzialanieImpulsowe", "PK2Inwersja",
                                 "PK2DoSkasowania", "PK2DzialanieImpulsowe"};
    for (int bit = 0; bit < 8; ++bit)
        QTest::newRow(names[bit]) << QString::fromLatin1(names[bit]) << bit;
}

// Each option box owns one bit of byte 2, in both directions.
void tst_Wrn1::flagBits()
{
    QFETCH(QString, name);
    QFETCH(int, bit);
    const char flags = static_cast<char>(1 << bit);

    WRN2 sender;
    box(sender, name)->setChecked(true);
    QCOMPARE(sender.encodeConfig().at(2), flags);

    WRN2 receiver;
    receiver.decodeConfig(reply(QByteArray(1, flags)));
    const auto boxes = receiver.findChildren<QCheckBox *>(QRegularExpression("^(We|PK)"));
    for (const QCheckBox *other : boxes)
        QCOMPARE(other->isChecked(), other->objectName() == name);
}

void tst_Wrn1::ledByte_data()
{
    QTest::addColumn<int>("excited");
    QTest::addColumn<int>("afterReset");
    QTest::addColumn<bool>("selfReset");
    QTest::addColumn<int>("expected");
    QTest::newRow("white, white") << 0 << 0 << false << 0x7E;
    QTest::newRow("red, yellow, self-reset") << 1 << 4 << true << 0x35;
    QTest::newRow("blue, green") << 2 << 3 << false << 0x18;
    QTest::newRow("green, blue") << 3 << 2 << false << 0x42;
    QTest::newRow("yellow, red, self-reset") << 4 << 1 << true << 0x27;
    QTest::newRow("no selection adds nothing") << -1 << 4 << false << 0x30;
}

void tst_Wrn1::ledByte()
{
    QFETCH(int, excited);
    QFETCH(int, afterReset);
    QFETCH(bool, selfReset);
    QFETCH(int, expected);

    WRN2 page;
    box(page, "LED2Samokasowanie")->setChecked(selfReset);
    widget<QComboBox>(page, "LED2KolorPobudzenia")->setCurrentIndex(excited);
    widget<QComboBox>(page, "LED2KolorKasowanie")->setCurrentIndex(afterReset);

    const QByteArray frame = page.encodeConfig();
    QCOMPARE(quint8(frame.at(4)), quint8(expected));
    QCOMPARE(quint8(frame.at(3)), quint8(0x34)); // LED 1 as the form starts
}

void tst_Wrn1::decodeLedByte_data()
{
    // The form is preset to green when excited, blue after reset, so an unchanged combo
    // box is told apart from one that was set.
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("selfReset");
    QTest::addColumn<int>("excited");
    QTest::addColumn<int>("afterReset");
    QTest::newRow("white, white") << 0x7E << false << 0 << 0;
    QTest::newRow("red, yellow, self-reset") << 0x35 << true << 1 << 4;
    QTest::newRow("blue and red name no colour") << (0x0C | 0x20) << false << 3 << 1;
    QTest::newRow("green and blue name no colour") << (0x04 | 0x50) << false << 1 << 2;
    QTest::newRow("no colour at all") << 0x00 << false << 3 << 2;
    QTest::newRow("unlisted pair") << (0x0A | 0x60) << false << 3 << 2;
    QTest::newRow("bit 7 is ignored") << (0x80 | 0x70 | 0x08) << false << 2 << 0;
}

void tst_Wrn1::decodeLedByte()
{
    QFETCH(int, value);
    QFETCH(bool, selfReset);
    QFETCH(int, excited);
    QFETCH(int, afterReset);

    WRN2 page;
    for (const char *led : {"LED1", "LED2"}) {
        widget<QComboBox>(page, QLatin1String(led) + "KolorPobudzenia")->setCurrentIndex(3);
        widget<QComboBox>(page, QLatin1String(led) + "KolorKasowanie")->setCurrentIndex(2);
    }
    QByteArray payload(3, '\0');
    payload[2] = static_cast<char>(value);
    page.decodeConfig(reply(payload));

    QCOMPARE(box(page, "LED2Samokasowanie")->isChecked(), selfReset);
    QCOMPARE(widget<QComboBox>(page, "LED2KolorPobudzenia")->currentIndex(), excited);
    QCOMPARE(widget<QComboBox>(page, "LED2KolorKasowanie")->currentIndex(), afterReset);
    QCOMPARE(widget<QComboBox>(page, "LED1KolorPobudzenia")->currentIndex(), 3);
    QCOMPARE(widget<QComboBox>(page, "LED1KolorKasowanie")->currentIndex(), 2);
}

void tst_Wrn1::delayAndPulseBytes_data()
{
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<int>("expected");
    QTest::newRow("minimum") << 100 << 1;
    QTest::newRow("typed 150 ms truncates") << 150 << 1;
    QTest::newRow("typed 299 ms truncates") << 299 << 2;
    QTest::newRow("maximum") << 25500 << 255;
}

void tst_Wrn1::delayAndPulseBytes()
{
    QFETCH(int, delayMs);
    QFETCH(int, expected);

    WRN2 page;
    auto *delay = widget<QSpinBox>(page, "We2Pobudzenie");
    delay->selectAll();
    QTest::keyClicks(delay, QString::number(delayMs));
    QCOMPARE(delay->value(), delayMs);
    widget<QSpinBox>(page, "PK2tImpulsu")->setValue(255);

    const QByteArray frame = page.encodeConfig();
    QCOMPARE(quint8(frame.at(7)), quint8(expected));
    QCOMPARE(quint8(frame.at(10)), quint8(255));
}

void tst_Wrn1::decodeClampsToSpinRange_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<int>("pulseSeconds");
    QTest::newRow("zero") << 0 << 100 << 1;
    QTest::newRow("one") << 1 << 100 << 1;
    QTest::newRow("middle") << 37 << 3700 << 37;
    QTest::newRow("top") << 255 << 25500 << 255;
}

void tst_Wrn1::decodeClampsToSpinRange()
{
    QFETCH(int, value);
    QFETCH(int, delayMs);
    QFETCH(int, pulseSeconds);

    WRN2 page;
    page.decodeConfig(reply(QByteArray(3, '\0') + QByteArray(6, static_cast<char>(value))));
    for (const char *name : {"We1Pobudzenie", "We1Zanik", "We2Pobudzenie", "We2Zanik"})
        QCOMPARE(widget<QSpinBox>(page, name)->value(), delayMs);
    for (const char *name : {"PK1tImpulsu", "PK2tImpulsu"})
        QCOMPARE(widget<QSpinBox>(page, name)->value(), pulseSeconds);
}

void tst_Wrn1::decodeFieldPositions()
{
    WRN2 page;
    page.decodeConfig(reply(QByteArray::fromHex("2302270a141e2832fa") + "junk"));
    QVERIFY(box(page, "We1Inwersja")->isChecked());
    QVERIFY(box(page, "We2Inwersja")->isChecked());
    QVERIFY(box(page, "PK2Inwersja")->isChecked());
    QCOMPARE(widget<QComboBox>(page, "LED1KolorPobudzenia")->currentIndex(), 3);
    QCOMPARE(widget<QComboBox>(page, "LED2KolorPobudzenia")->currentIndex(), 4);
    QCOMPARE(widget<QComboBox>(page, "LED2KolorKasowanie")->currentIndex(), 1);
    QVERIFY(box(page, "LED2Samokasowanie")->isChecked());
    QCOMPARE(widget<QSpinBox>(page, "We1Pobudzenie")->value(), 1000);
    QCOMPARE(widget<QSpinBox>(page, "We1Zanik")->value(), 2000);
    QCOMPARE(widget<QSpinBox>(page, "We2Pobudzenie")->value(), 3000);
    QCOMPARE(widget<QSpinBox>(page, "We2Zanik")->value(), 4000);
    QCOMPARE(widget<QSpinBox>(page, "PK1tImpulsu")->value(), 50);
    QCOMPARE(widget<QSpinBox>(page, "PK2tImpulsu")->value(), 250);

    // The form re-encodes to what was read, with the frame's tail cleared.
    // LED 1's after-reset colour named none and kept the form's yellow.
    QCOMPARE(page.encodeConfig().toHex(), QByteArray("0a552332270a141e2832fa000000"));

    // A block cut after its header reads as zeros: boxes cleared, spins at their minimum,
    // colours kept.
    page.decodeConfig(reply({}));
    QCOMPARE(page.encodeConfig().toHex(), QByteArray("0a55003226010101010101000000"));
}

void tst_Wrn1::latchAndPulseInterlock_data()
{
    QTest::addColumn<QString>("relay");
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("latched");
    QTest::addColumn<bool>("pulse");
    for (const int relay : {1, 2}) {
        const int shift = relay == 1 ? 3 : 6;
        const QString name = QStringLiteral("PK%1").arg(relay);
        const QByteArray tag = name.toLatin1();
        QTest::newRow(tag + " latched") << name << (1 << shift) << true << false;
        QTest::newRow(tag + " pulse") << name << (2 << shift) << false << true;
        QTest::newRow(tag + " both: pulse wins") << name << (3 << shift) << false << true;
        QTest::newRow(tag + " neither") << name << 0 << false << false;
    }
}

// The defaults leave relay 1 latched and relay 2 free, so decoding starts from both states.
void tst_Wrn1::latchAndPulseInterlock()
{
    QFETCH(QString, relay);
    QFETCH(int, flags);
    QFETCH(bool, latched);
    QFETCH(bool, pulse);

    WRN2 page;
    clickButton(&page, "DomyslneWRN");
    page.decodeConfig(reply(QByteArray(1, static_cast<char>(flags))));

    QCheckBox *latchBox = box(page, relay + "DoSkasowania");
    QCheckBox *pulseBox = box(page, relay + "DzialanieImpulsowe");
    QCOMPARE(latchBox->isChecked(), latched);
    QCOMPARE(pulseBox->isChecked(), pulse);
    QCOMPARE(latchBox->isEnabled(), !pulse);
    QCOMPARE(pulseBox->isEnabled(), !latched);
    QCOMPARE(widget<QSpinBox>(page, relay + "tImpulsu")->isEnabled(), !latched);
}

void tst_Wrn1::interlockFollowsClicks()
{
    WRN2 page;
    QCheckBox *latched = box(page, "PK2DoSkasowania");
    QCheckBox *pulse = box(page, "PK2DzialanieImpulsowe");
    auto *pulseTime = widget<QSpinBox>(page, "PK2tImpulsu");

    pulse->click();
    QVERIFY(!latched->isEnabled());
    QVERIFY(pulseTime->isEnabled());
    pulse->click();
    QVERIFY(latched->isEnabled());

    latched->click();
    QVERIFY(!pulse->isEnabled());
    QVERIFY(!pulseTime->isEnabled());
    latched->click();
    QVERIFY(pulse->isEnabled());
    QVERIFY(pulseTime->isEnabled());

    // Relay 1 is untouched by relay 2's options.
    QVERIFY(box(page, "PK1DoSkasowania")->isEnabled());
    QVERIFY(box(page, "PK1DzialanieImpulsowe")->isEnabled());
}

void tst_Wrn1::formTexts()
{
    WRN2 page;
    const auto titleAround = [&](const char *name) {
        return qobject_cast<QGroupBox *>(page.findChild<QWidget *>(name)->parentWidget())->title();
    };
    QCOMPARE(titleAround("We1Pobudzenie"), QStringLiteral("Opóźnienie"));
    QCOMPARE(titleAround("We2Pobudzenie"), QStringLiteral("Opoóźnienie"));
    QCOMPARE(box(page, "PK1DzialanieImpulsowe")->text(), QStringLiteral("Działanie impulsowe"));
    QCOMPARE(box(page, "PK2DzialanieImpulsowe")->text(), QStringLiteral("Działanie Impulsowe"));

    auto *colours = widget<QComboBox>(page, "LED2KolorKasowanie");
    QStringList items;
    for (int i = 0; i < colours->count(); ++i)
        items << colours->itemText(i);
    QCOMPARE(items, QStringList({"Biały", "Czerwony", "Niebieski", "Zielony", "Żółty"}));
    QCOMPARE(colours->currentIndex(), 4);
    QCOMPARE(widget<QComboBox>(page, "LED2KolorPobudzenia")->currentIndex(), 1);

    auto *delay = widget<QSpinBox>(page, "We1Zanik");
    QCOMPARE(delay->minimum(), 100);
    QCOMPARE(delay->maximum(), 25500);
    QCOMPARE(delay->singleStep(), 100);
    auto *pulseTime = widget<QSpinBox>(page, "PK1tImpulsu");
    QCOMPARE(pulseTime->minimum(), 1);
    QCOMPARE(pulseTime->maximum(), 255);

    page.setVersionText(QStringLiteral("v03d15m07r"));
    QCOMPARE(widget<QLabel>(page, "wersjaWRN")->text(), QStringLiteral("v03d15m07r"));
}

void tst_Wrn1::buttonsEmitSignals_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("signal");
    QTest::newRow("send") << "ZapiszWRN" << QByteArray(SIGNAL(WyslijDaneWRN()));
    QTest::newRow("read") << "DZWRN" << QByteArray(SIGNAL(PobierzDaneZWRN()));
    QTest::newRow("LED test") << "pLED" << QByteArray(SIGNAL(ProbaLED()));
    QTest::newRow("LED reset") << "KASOWANIE" << QByteArray(SIGNAL(KasowanieLEDWRN()));
    QTest::newRow("disconnect") << "rozlaczWRN" << QByteArray(SIGNAL(PowrotPoczatekWRN()));
}

void tst_Wrn1::buttonsEmitSignals()
{
    QFETCH(QString, button);
    QFETCH(QByteArray, signal);

    WRN2 page;
    page.show();
    QSignalSpy spy(&page, signal.constData());
    clickButton(&page, button.toLatin1().constData());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(page.isVisible(), button != QStringLiteral("rozlaczWRN"));
}

void tst_Wrn1::writeThenReadThroughDevice()
{
    SimulatedConnection connection(Frame::Reply::Wrn1);
    QVERIFY(connection.connectAndLoad());
    WRN2 &page = connection.window().wrn1Page();

    box(page, "We2Inwersja")->setChecked(true);
    box(page, "PK2DzialanieImpulsowe")->setChecked(true);
    widget<QComboBox>(page, "LED1KolorPobudzenia")->setCurrentIndex(2);
    widget<QSpinBox>(page, "We1Zanik")->setValue(7300);
    widget<QSpinBox>(page, "PK2tImpulsu")->setValue(12);
    const QByteArray written = page.encodeConfig();

    connection.device().clearReceivedFrames();
    clickButton(&page, "ZapiszWRN");
    QVERIFY(connection.waitForFrames(1));
    QCOMPARE(connection.device().receivedFrames().first(), written);
    QTRY_COMPARE(connection.logLines().last(), QStringLiteral("Konfiguracja odebrana"));

    clickButton(&page, "DomyslneWRN");
    clickButton(&page, "DZWRN");
    QTRY_COMPARE(connection.logLines().count(QStringLiteral("Konfiguracja pobrana")), 2);
    QCOMPARE(page.encodeConfig(), written);

    clickButton(&page, "KASOWANIE");
    QVERIFY(connection.waitForFrames(3));
    QCOMPARE(connection.device().receivedFrames().last(), Frame::ledResetCommand());
    QCOMPARE(connection.logLines().last(), QStringLiteral("KASOWANIE LED"));
}

QTEST_MAIN(tst_Wrn1)
#include "tst_wrn1.moc"
