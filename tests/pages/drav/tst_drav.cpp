#include "tests/support/simulatedconnection.h"
#include "tests/support/urlrecorder.h"
#include "tests/support/widgets.h"

#include "pages/drav/drav.h"
#include "protocol/frames.h"

#include <QCheckBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QUrl>

namespace {

QCheckBox *box(QWidget &page, const QString &name)
{
    return widget<QCheckBox>(page, name);
}

QSpinBox *spin(QWidget &page, const QString &name)
{
    return widget<QSpinBox>(page, name);
}

const QStringList &allBoxes()
{
    static const QStringList names = [] {
        QStringList list;
        for (int n = 1; n <= 3; ++n)
            list << QStringLiteral("TOR%1Wyl").arg(n) << QStringLiteral("We%1Inwersja").arg(n)
                 << QStringLiteral("PK%1Inwersja").arg(n)
                 << QStringLiteral("LED%1DoSkasowania").arg(n) << QStringLiteral("DPK%1ZAS").arg(n);
        return list;
    }();
    return names;
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
    void defaultsGiveUnitDelaysAndNoOptions();
    void optionBits_data();
    void optionBits();
    void delaysTravelInHundredMsSteps();
    void decode_data();
    void decode();
    void decodeAppliesEveryField();
    void menuButtons();
    void versionIsPlainText();
    void writeThenReadThroughDevice();
};

void tst_Drav::defaultsGiveUnitDelaysAndNoOptions()
{
    DRAV page;
    for (const QString &name : allBoxes())
        box(page, name)->setChecked(true);
    for (const QString &name : allDelays())
        spin(page, name)->setValue(25500);

    clickButton(&page, "DomyslneDRAV");

    const QByteArray expected("\x0A\x55\x00\x00\x00\x01\x01\x01\x01\x01\x01\x00\x00\x00", 14);
    QCOMPARE(page.encodeConfig(), expected);
}

void tst_Drav::optionBits_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("value");

    const char *stems[] = {"TOR%1Wyl", "We%1Inwersja", "PK%1Inwersja", "LED%1DoSkasowania",
                           "DPK%1ZAS"};
    for (int track = 1; track <= 3; ++track) {
        for (int bit = 0; bit < 5; ++bit) {
            const QString name = QString::fromLatin1(stems[bit]).arg(track);
            QTest::newRow(qPrintable(name)) << name << track + 1 << (1 << bit);
        }
    }
}

// Each box lands in its own bit of its own track byte and nowhere else.
void tst_Drav::optionBits()
{
    QFETCH(QString, name);
    QFETCH(int, byte);
    QFETCH(int, value);

    DRAV page;
    const QByteArray before = page.encodeConfig();
    box(page, name)->setChecked(true);
    QByteArray expected = before;
    expected[byte] = char(value);
    QCOMPARE(page.encodeConfig(), expected);

    DRAV decoded;
    decoded.decodeConfig(reply(expected.mid(2)));
    for (const QString &other : allBoxes())
        QCOMPARE(box(decoded, other)->isChecked(), other == name);
}

void tst_Drav::delaysTravelInHundredMsSteps()
{
    DRAV page;
    const QList<int> values = {100, 25500, 1200, 199, 2500, 12800};
    for (int i = 0; i < allDelays().size(); ++i)
        spin(page, allDelays().at(i))->setValue(values.at(i));

    const QByteArray frame = page.encodeConfig();
    QCOMPARE(frame.mid(5, 6), QByteArray("\x01\xFF\x0C\x01\x19\x80", 6));
    QCOMPARE(frame.mid(11), QByteArray(3, '\0'));
}

void tst_Drav::decode_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QByteArray>("expectedPayload");

    QTest::newRow("full range") << QByteArray("\x1F\x15\x0A\x01\xFF\x02\x03\x04\x05", 9)
                                << QByteArray("\x1F\x15\x0A\x01\xFF\x02\x03\x04\x05\x00\x00\x00",
                                              12);
    QTest::newRow("bits 5-7 ignored")
        << QByteArray("\xFF\xE0\xA3\x01\x01\x01\x01\x01\x01", 9)
        << QByteArray("\x1F\x00\x03\x01\x01\x01\x01\x01\x01\x00\x00\x00", 12);
    QTest::newRow("zero delay shows the minimum")
        << QByteArray("\x00\x00\x00\x00\x00\x00\x00\x00\x00", 9)
        << QByteArray("\x00\x00\x00\x01\x01\x01\x01\x01\x01\x00\x00\x00", 12);
    QTest::newRow("short block") << QByteArray("\x11", 1)
                                 << QByteArray("\x11\x00\x00\x01\x01\x01\x01\x01\x01\x00\x00\x00",
                                               12);
}

// Decoding and encoding agree: what the device reports is what the page would send back.
void tst_Drav::decode()
{
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, expectedPayload);

    DRAV page;
    for (const QString &name : allBoxes())
        box(page, name)->setChecked(true);
    for (const QString &name : allDelays())
        spin(page, name)->setValue(5000);

    page.decodeConfig(reply(payload));
    QCOMPARE(page.encodeConfig().mid(2), expectedPayload);
}

void tst_Drav::decodeAppliesEveryField()
{
    DRAV page;
    page.decodeConfig(reply(QByteArray("\x09\x12\x04\x00\xFF\x03\x04\x05\x06", 9)));

    QVERIFY(box(page, "TOR1Wyl")->isChecked());
    QVERIFY(box(page, "LED1DoSkasowania")->isChecked());
    QVERIFY(box(page, "We2Inwersja")->isChecked());
    QVERIFY(box(page, "DPK2ZAS")->isChecked());
    QVERIFY(box(page, "PK3Inwersja")->isChecked());
    QCOMPARE(spin(page, "PK1Pobudzenie")->value(), 100);
    QCOMPARE(spin(page, "PK1Zanik")->value(), 25500);
    QCOMPARE(spin(page, "PK2Pobudzenie")->value(), 300);
    QCOMPARE(spin(page, "PK2Zanik")->value(), 400);
    QCOMPARE(spin(page, "PK3Pobudzenie")->value(), 500);
    QCOMPARE(spin(page, "PK3Zanik")->value(), 600);
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

    UrlRecorder recorder;
    clickButton(&page, "DTRDRAV");
    QCOMPARE(recorder.urls,
             QList<QUrl>{QUrl(QLatin1String(DevicePage::DocumentationHost) +
                              QStringLiteral("/wp-content/uploads/2024/06/DTR_DRAV-1.pdf"))});

    for (const char *name : {"KASOWANIE", "WidokUrzadzeniaDRAV"})
        QVERIFY2(!page.findChild<QWidget *>(QLatin1String(name))->isEnabled(), name);
}

void tst_Drav::versionIsPlainText()
{
    DRAV page;
    auto *label = page.findChild<QLabel *>(QStringLiteral("wersjaDRAV"));
    QCOMPARE(label->text(), QStringLiteral("d00m00r00"));
    page.setVersionText(QStringLiteral("<b>v03d15m07r</b>"));
    QCOMPARE(label->text(), QStringLiteral("<b>v03d15m07r</b>"));
    QCOMPARE(label->textFormat(), Qt::PlainText);
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
