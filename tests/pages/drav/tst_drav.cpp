#include "tests/codecs/untouchedwriteback.h"
#include "tests/support/simulatedconnection.h"
#include "tests/support/widgets.h"

#include "codecs/dravconfig.h"
#include "pages/drav/drav.h"
#include "protocol/frames.h"

#include <QCheckBox>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

namespace {

QCheckBox *box(QWidget &page, const QString &name)
{
    return widget<QCheckBox>(page, name);
}

QSpinBox *spin(QWidget &page, const QString &name)
{
    return widget<QSpinBox>(page, name);
}

const QStringList &allDelays()
{
    static const QStringList names = {"PK1Pobudzenie", "PK1Zanik",      "PK2Pobudzenie",
                                      "PK2Zanik",      "PK3Pobudzenie", "PK3Zanik"};
    return names;
}

QByteArray reply(const QByteArray &payload)
{
    return QByteArray(Frame::Reply::DravConfig) + payload;
}

} // namespace

class tst_Drav : public QObject
{
    Q_OBJECT

private slots:
    void defaultsClearEverything();
    void decodeSetsEachWidget();
    void delaysTravelInHundredMsSteps();
    void typedDelaySnapsToStep();
    void untouchedWriteBack();
    void menuButtons();
    void writeThenReadThroughDevice();
};

void tst_Drav::defaultsClearEverything()
{
    DRAV page;
    for (QCheckBox *each : page.findChildren<QCheckBox *>())
        each->setChecked(true);
    for (const QString &name : allDelays())
        spin(page, name)->setValue(25500);

    clickButton(&page, "DomyslneDRAV");

    QCOMPARE(page.encodeConfig(), DravConfig::defaults().encode());
}

// Every box and delay is read from its own place, and nothing else is set.
void tst_Drav::decodeSetsEachWidget()
{
    DRAV page;
    page.decodeConfig(reply(QByteArray("\x09\x12\x04\x00\xFF\x03\x04\x05\x06", 9)));

    QStringList checked;
    for (const QCheckBox *each : page.findChildren<QCheckBox *>()) {
        if (each->isChecked())
            checked << each->objectName();
    }
    checked.sort();
    QCOMPARE(checked, QStringList({"DPK2ZAS", "LED1DoSkasowania", "PK3Inwersja", "TOR1Wyl",
                                   "We2Inwersja"}));
    // A delay byte of 0 shows the spin box minimum.
    const QList<int> delays = {100, 25500, 300, 400, 500, 600};
    for (int i = 0; i < allDelays().size(); ++i)
        QCOMPARE(spin(page, allDelays().at(i))->value(), delays.at(i));
}

// A value set between two steps is sent as the step below it.
void tst_Drav::delaysTravelInHundredMsSteps()
{
    DRAV page;
    const QList<int> values = {100, 25500, 1200, 199, 2500, 12800};
    for (int i = 0; i < allDelays().size(); ++i)
        spin(page, allDelays().at(i))->setValue(values.at(i));

    QCOMPARE(page.encodeConfig().mid(5, 6), QByteArray("\x01\xFF\x0C\x01\x19\x80", 6));
}

// What the form shows after editing is what the device gets.
void tst_Drav::typedDelaySnapsToStep()
{
    DRAV page;
    for (const QString &name : allDelays()) {
        QSpinBox *delay = spin(page, name);
        delay->selectAll();
        QTest::keyClicks(delay, QStringLiteral("150"));
        QTest::keyClick(delay, Qt::Key_Return);
        QVERIFY2(delay->value() == 200, qPrintable(name));
    }
    QCOMPARE(page.encodeConfig().mid(5, 6), QByteArray(6, '\x02'));
}

// Reading a device and writing it back untouched gives it back every setting it reported.
void tst_Drav::untouchedWriteBack()
{
    DRAV page;
    const QString lost = firstLostSetting(
        codecDomain(QStringLiteral("DRAV-1")),
        [&page](const QByteArray &reply) {
            page.decodeConfig(reply);
            return page.encodeConfig();
        },
        300, 5);
    QVERIFY2(lost.isEmpty(), qPrintable(lost));
}

void tst_Drav::menuButtons()
{
    DRAV page;
    page.show();
    QSignalSpy back(&page, &DRAV::PowrotPoczatekDRAV);
    QSignalSpy send(&page, &DRAV::WyslijDaneDRAV);
    QSignalSpy read(&page, &DRAV::PobierzDaneZDRAV);
    QSignalSpy led(&page, &DRAV::ProbaLED);

    clickButton(&page, "ZapiszDRAV");
    clickButton(&page, "DZDRAV");
    clickButton(&page, "pLED");
    QCOMPARE(send.count(), 1);
    QCOMPARE(read.count(), 1);
    QCOMPARE(led.count(), 1);
    QCOMPARE(back.count(), 0);

    clickButton(&page, "rozlaczDRAV");
    QCOMPARE(back.count(), 1);
    QVERIFY(page.isVisible());
}

void tst_Drav::writeThenReadThroughDevice()
{
    SimulatedConnection connection(Frame::Reply::Drav);
    QVERIFY(connection.connectAndLoad());
    DRAV &page = connection.window().dravPage();

    box(page, "TOR2Wyl")->setChecked(true);
    box(page, "LED3DoSkasowania")->setChecked(true);
    box(page, "DPK1ZAS")->setChecked(true);
    spin(page, "PK1Pobudzenie")->setValue(25500);
    spin(page, "PK3Zanik")->setValue(700);
    const QByteArray written = page.encodeConfig();

    connection.device().clearReceivedFrames();
    clickButton(&page, "ZapiszDRAV");
    QVERIFY(connection.waitForFrames(1));
    QCOMPARE(connection.device().receivedFrames().first(), written);
    QCOMPARE(connection.device().storedPayload(), written.mid(2));
    // The acknowledgement must be in before the read: two replies in one burst lose the second.
    QTRY_COMPARE(connection.logLines().last(), QStringLiteral("Konfiguracja odebrana"));

    clickButton(&page, "DomyslneDRAV");
    QVERIFY(page.encodeConfig() != written);
    clickButton(&page, "DZDRAV");
    QTRY_COMPARE(page.encodeConfig(), written);
}

QTEST_MAIN(tst_Drav)
#include "tst_drav.moc"
