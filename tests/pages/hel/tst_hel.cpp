#include "tests/support/simulatedconnection.h"
#include "tests/support/urlrecorder.h"

#include "pages/hel/hel.h"
#include "protocol/frames.h"

#include <QCheckBox>
#include <QComboBox>
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
    void widgetsFillTheFrame_data();
    void widgetsFillTheFrame();
    void menuButtons();
    void sentFrameReachesDevice();
};

void tst_Hel::widgetsFillTheFrame_data()
{
    QTest::addColumn<int>("modeIndex");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QByteArray>("frame");

    QTest::newRow("drop-out delay, cyclic, relays inverted")
        << 2 << QStringList{"PracaCykliczna", "PK1Inw", "PK2Inw"}
        << QByteArray::fromHex("0a5566" "0005030263" "ff5d3b0007" "00");
    QTest::newRow("drop-out delay, inputs inverted")
        << 1 << QStringList{"StartInw", "KasowanieInw"}
        << QByteArray::fromHex("0a5519" "0005030263" "ff5d3b0007" "00");
    QTest::newRow("pulse time") << 3 << QStringList{}
                                << QByteArray::fromHex("0a5503" "0005030263" "e75f3b3b01" "00");
}

// Every spin box and box lands in its own place; which row fills the second time slot
// follows the mode combo box.
void tst_Hel::widgetsFillTheFrame()
{
    QFETCH(int, modeIndex);
    QFETCH(QStringList, boxes);
    QFETCH(QByteArray, frame);

    hel page;
    setTime(page, "OP", 99, 1, 2, 3, 256);
    setTime(page, "OO", 7, 23, 0, 59, 511);
    setTime(page, "TI", 1, 23, 59, 59, 999);
    mode(page)->setCurrentIndex(modeIndex);
    for (const QString &name : boxes)
        check(page, qPrintable(name));
    QCOMPARE(page.encodeConfig().toHex(), frame.toHex());
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
