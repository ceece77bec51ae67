#include "tests/support/simulatedconnection.h"
#include "tests/support/urlrecorder.h"

#include "pages/hel/hel.h"
#include "protocol/frames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QUrl>

namespace {

// Sets one row of the times group: prefix OP, OO or TI.
void setTime(QWidget &page, const QString &prefix, int days, int hours, int minutes, int seconds,
             int milliseconds)
{
    const QList<QPair<QString, int>> fields = {
        {"DNI", days}, {"H", hours}, {"MIN", minutes}, {"S", seconds}, {"MS", milliseconds}};
    for (const auto &field : fields) {
        auto *spin = page.findChild<QSpinBox *>(prefix + QLatin1Char('_') + field.first);
        Q_ASSERT_X(spin, "setTime", qPrintable(prefix + field.first));
        spin->setValue(field.second);
    }
}

void check(QWidget &page, const char *name)
{
    auto *box = page.findChild<QCheckBox *>(QLatin1String(name));
    Q_ASSERT_X(box, "check", name);
    box->setChecked(true);
}

QComboBox *mode(QWidget &page)
{
    return page.findChild<QComboBox *>(QStringLiteral("trybPracy"));
}

} // namespace

class tst_Hel : public QObject
{
    Q_OBJECT

private slots:
    void longestPickUpDelay();
    void timeFieldsKeepTheirPlaces();
    void secondTimeFollowsMode_data();
    void secondTimeFollowsMode();
    void optionByte_data();
    void optionByte();
    void modeList();
    void menuButtons();
    void versionIsPlainText();
    void sentFrameReachesDevice();
};

void tst_Hel::longestPickUpDelay()
{
    hel page;
    setTime(page, "OP", 1, 23, 59, 59, 999);
    const QByteArray frame = page.encodeConfig();
    QCOMPARE(frame.size(), Frame::Size);
    QCOMPARE(frame.left(2), QByteArray("\x0A\x55"));
    QCOMPARE(frame.mid(3, 5), QByteArray("\xE7\x5F\x3B\x3B\x01", 5));
    QCOMPARE(frame.at(13), '\0');
}

// Distinct values in every field, so a swapped pair or a milliseconds bit leaking into the
// hours shows.
void tst_Hel::timeFieldsKeepTheirPlaces()
{
    hel page;
    setTime(page, "OP", 99, 1, 2, 3, 256);
    setTime(page, "OO", 7, 23, 0, 59, 511);
    const QByteArray frame = page.encodeConfig();
    QCOMPARE(frame.mid(3, 5), QByteArray("\x00\x05\x03\x02\x63", 5));
    QCOMPARE(frame.mid(8, 5), QByteArray("\xFF\x5D\x3B\x00\x07", 5));
}

void tst_Hel::secondTimeFollowsMode_data()
{
    QTest::addColumn<int>("modeIndex");
    QTest::addColumn<QByteArray>("secondTime");

    const QByteArray dropOut("\x0A\x08\x05\x04\x03", 5);
    const QByteArray pulse("\xF4\x05\x09\x08\x07", 5);
    QTest::newRow("delayed pick-up") << 0 << dropOut;
    QTest::newRow("delayed drop-out") << 1 << dropOut;
    QTest::newRow("pick-up and drop-out") << 2 << dropOut;
    QTest::newRow("pulse") << 3 << pulse;
}

// The pick-up delay goes out in every mode; the second slot carries either the drop-out
// delay or, when pulsing, the pulse time, and the unused row never leaks into the frame.
void tst_Hel::secondTimeFollowsMode()
{
    QFETCH(int, modeIndex);
    QFETCH(QByteArray, secondTime);

    hel page;
    setTime(page, "OP", 1, 1, 1, 1, 1);
    setTime(page, "OO", 3, 2, 4, 5, 10);
    setTime(page, "TI", 7, 1, 8, 9, 500);
    mode(page)->setCurrentIndex(modeIndex);

    const QByteArray frame = page.encodeConfig();
    QCOMPARE(int(quint8(frame.at(2))), modeIndex);
    QCOMPARE(frame.mid(3, 5), QByteArray("\x01\x04\x01\x01\x01", 5));
    QCOMPARE(frame.mid(8, 5), secondTime);
}

void tst_Hel::optionByte_data()
{
    QTest::addColumn<int>("modeIndex");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("expected");

    QTest::newRow("cyclic with both relays inverted")
        << 2 << QStringList{"PracaCykliczna", "PK1Inw", "PK2Inw"} << 0x66;
    QTest::newRow("inputs inverted") << 1 << QStringList{"StartInw", "KasowanieInw"} << 0x19;
    QTest::newRow("everything") << 3
                                << QStringList{"PracaCykliczna", "StartInw", "KasowanieInw",
                                               "PK1Inw", "PK2Inw"}
                                << 0x7F;
    QTest::newRow("no mode selected") << -1 << QStringList{"PK2Inw"} << 0x40;
}

void tst_Hel::optionByte()
{
    QFETCH(int, modeIndex);
    QFETCH(QStringList, boxes);
    QFETCH(int, expected);

    hel page;
    mode(page)->setCurrentIndex(modeIndex);
    for (const QString &name : boxes)
        check(page, qPrintable(name));
    QCOMPARE(int(quint8(page.encodeConfig().at(2))), expected);
}

void tst_Hel::modeList()
{
    hel page;
    QComboBox *combo = mode(page);
    QCOMPARE(combo->currentIndex(), 0);
    const QStringList expected = {"Opóźnione pobudzenie", "Opóźniony opad",
                                  "Opóźnione pobudzenie i opad", "Praca impulsowa"};
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    QCOMPARE(items, expected);
}

// Sending and leaving are the page's only actions; the other buttons neither signal nor
// touch the form.
void tst_Hel::menuButtons()
{
    hel page;
    page.show();
    setTime(page, "OP", 2, 3, 4, 5, 6);
    check(page, "StartInw");
    const QByteArray before = page.encodeConfig();

    QSignalSpy back(&page, &hel::PowrotPoczatekHEL);
    QSignalSpy send(&page, &hel::WyslijDaneHEL);
    QSignalSpy read(&page, &hel::PobierzDaneZHEL);
    QSignalSpy led(&page, &hel::ProbaLED);
    UrlRecorder recorder;

    for (const char *name : {"DZHEL", "DomyslneHEL", "pLED", "DTRHEL"})
        clickButton(&page, name);
    QCOMPARE(read.count() + led.count() + send.count() + back.count(), 0);
    QCOMPARE(page.encodeConfig(), before);
    QVERIFY(recorder.urls.isEmpty());

    clickButton(&page, "ZapiszHEL");
    QCOMPARE(send.count(), 1);
    clickButton(&page, "rozlaczHEL");
    QCOMPARE(back.count(), 1);
    QVERIFY(page.isVisible());

    for (const char *name : {"KASOWANIE", "WidokUrzadzeniaHEL"})
        QVERIFY2(!page.findChild<QWidget *>(QLatin1String(name))->isEnabled(), name);
}

void tst_Hel::versionIsPlainText()
{
    hel page;
    auto *label = page.findChild<QLabel *>(QStringLiteral("wersjaHEL"));
    QCOMPARE(label->text(), QStringLiteral("d00m00r00"));
    page.setVersionText(QStringLiteral("v03d15m07r"));
    QCOMPARE(label->text(), QStringLiteral("v03d15m07r"));
    QCOMPARE(label->textFormat(), Qt::PlainText);
}

void tst_Hel::sentFrameReachesDevice()
{
    SimulatedConnection connection(Frame::Reply::Hel);
    QVERIFY(connection.connectAndLoad());
    hel &page = connection.window().helPage();

    mode(page)->setCurrentIndex(3);
    check(page, "PracaCykliczna");
    setTime(page, "OP", 0, 0, 0, 1, 500);
    setTime(page, "TI", 0, 0, 0, 0, 250);
    const QByteArray written = page.encodeConfig();

    connection.device().clearReceivedFrames();
    clickButton(&page, "ZapiszHEL");
    QVERIFY(connection.waitForFrames(1));
    QCOMPARE(connection.device().receivedFrames().first(), written);
    QTRY_COMPARE(connection.logLines().last(), QStringLiteral("Konfiguracja odebrana"));
    QVERIFY(connection.logLines().contains(QStringLiteral("Wysyłanie konfiguracji do urządzenia")));
}

QTEST_MAIN(tst_Hel)
#include "tst_hel.moc"
