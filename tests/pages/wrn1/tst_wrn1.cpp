#include "tests/codecs/untouchedwriteback.h"
#include "tests/support/simulatedconnection.h"
#include "tests/support/widgets.h"

#include "codecs/wrn1config.h"
#include "pages/wrn1/wrn2.h"
#include "protocol/frames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

// The two-channel WRN page: its widgets in the frame, defaults and relay interlocks.
class tst_Wrn1 : public QObject
{
    Q_OBJECT

private slots:
    void defaultsLockRelay1Pulse();
    void decodeSetsEachWidget();
    void typedDelaySnapsToStep_data();
    void typedDelaySnapsToStep();
    void untouchedWriteBack();
    void latchAndPulseInterlock_data();
    void latchAndPulseInterlock();
    void interlockFollowsClicks();
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

void tst_Wrn1::defaultsLockRelay1Pulse()
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

    QCOMPARE(page.encodeConfig(), Wrn1Config::defaults().encode());
    QVERIFY(box(page, "PK1DoSkasowania")->isEnabled());
    QVERIFY(!box(page, "PK1DzialanieImpulsowe")->isEnabled());
    QVERIFY(!widget<QSpinBox>(page, "PK1tImpulsu")->isEnabled());
    QVERIFY(box(page, "PK2DoSkasowania")->isEnabled());
    QVERIFY(box(page, "PK2DzialanieImpulsowe")->isEnabled());
    QVERIFY(widget<QSpinBox>(page, "PK2tImpulsu")->isEnabled());
}

// Every widget is read from its own place; the latching and pulse boxes are placed by the
// interlock rows below.
void tst_Wrn1::decodeSetsEachWidget()
{
    WRN2 page;
    page.decodeConfig(reply(QByteArray::fromHex("2702270a141e2832fa") + "junk"));
    QStringList checked;
    for (const QCheckBox *each : page.findChildren<QCheckBox *>()) {
        if (each->isChecked())
            checked << each->objectName();
    }
    checked.sort();
    QCOMPARE(checked, QStringList({"LED2Samokasowanie", "PK1Inwersja", "PK2Inwersja",
                                   "We1Inwersja", "We2Inwersja"}));
    QCOMPARE(widget<QComboBox>(page, "LED1KolorPobudzenia")->currentIndex(), 3);
    QCOMPARE(widget<QComboBox>(page, "LED2KolorPobudzenia")->currentIndex(), 4);
    QCOMPARE(widget<QComboBox>(page, "LED2KolorKasowanie")->currentIndex(), 1);
    QCOMPARE(widget<QSpinBox>(page, "We1Pobudzenie")->value(), 1000);
    QCOMPARE(widget<QSpinBox>(page, "We1Zanik")->value(), 2000);
    QCOMPARE(widget<QSpinBox>(page, "We2Pobudzenie")->value(), 3000);
    QCOMPARE(widget<QSpinBox>(page, "We2Zanik")->value(), 4000);
    QCOMPARE(widget<QSpinBox>(page, "PK1tImpulsu")->value(), 50);
    QCOMPARE(widget<QSpinBox>(page, "PK2tImpulsu")->value(), 250);
    // LED 1's after-reset field named no colour and kept the form's yellow.
    QCOMPARE(widget<QComboBox>(page, "LED1KolorKasowanie")->currentIndex(), 4);

    // A block cut after its header reads as zeros: boxes cleared, spins at their minimum,
    // colours kept.
    page.decodeConfig(reply({}));
    QCOMPARE(page.encodeConfig().toHex(), QByteArray("0a55003226010101010101000000"));

    // A combo box with no selection adds no colour bits.
    widget<QComboBox>(page, "LED2KolorPobudzenia")->setCurrentIndex(-1);
    QCOMPARE(int(quint8(page.encodeConfig().at(4))), 0x20);
}

void tst_Wrn1::typedDelaySnapsToStep_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("shown");
    QTest::newRow("half a step rounds up") << "150" << 200;
    QTest::newRow("below half a step rounds down") << "1249" << 1200;
    QTest::newRow("on a step") << "700" << 700;
    QTest::newRow("near the top") << "25480" << 25500;
}

// What the form shows after editing is what the device gets.
void tst_Wrn1::typedDelaySnapsToStep()
{
    QFETCH(QString, typed);
    QFETCH(int, shown);

    WRN2 page;
    auto *delay = widget<QSpinBox>(page, "We2Pobudzenie");
    delay->selectAll();
    QTest::keyClicks(delay, typed);
    QTest::keyClick(delay, Qt::Key_Return);
    QCOMPARE(delay->value(), shown);
    QCOMPARE(int(quint8(page.encodeConfig().at(7))), shown / 100);
}

// Reading a device and writing it back untouched gives it back every setting it reported.
void tst_Wrn1::untouchedWriteBack()
{
    WRN2 page;
    const QString lost = firstLostSetting(
        codecDomain(QStringLiteral("WRN-1")),
        [&page](const QByteArray &reply) {
            page.decodeConfig(reply);
            return page.encodeConfig();
        },
        300, 4);
    QVERIFY2(lost.isEmpty(), qPrintable(lost));
}

void tst_Wrn1::latchAndPulseInterlock_data()
{
    QTest::addColumn<QString>("relay");
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("latched");
    QTest::addColumn<bool>("pulse");
    QTest::newRow("PK1 latched") << "PK1" << 0x08 << true << false;
    QTest::newRow("PK1 pulse") << "PK1" << 0x10 << false << true;
    QTest::newRow("PK1 both: pulse wins") << "PK1" << 0x18 << false << true;
    QTest::newRow("PK1 neither") << "PK1" << 0x00 << false << false;
    QTest::newRow("PK2 latched") << "PK2" << 0x40 << true << false;
    QTest::newRow("PK2 pulse") << "PK2" << 0x80 << false << true;
    QTest::newRow("PK2 both: pulse wins") << "PK2" << 0xC0 << false << true;
    QTest::newRow("PK2 neither") << "PK2" << 0x00 << false << false;
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
    QCOMPARE(widget<QLabel>(page, "wersjaWRN")->text(), QStringLiteral("v03d15m07r"));

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
