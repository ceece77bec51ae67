#include "pages/kzr/kzr.h"
#include "protocol/frames.h"
#include "tests/pages/kzr/kzrform.h"
#include "tests/support/simulatedconnection.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

// A KZR-1 or TLMX-1 on the other end of a real serial line: configuration in both directions,
// the defaults as they go out, and the live view with its unlock.
class tst_KzrDevice : public QObject
{
    Q_OBJECT

private slots:
    void configurationRoundTrip();
    void viewPolledAndUnlocked();
};

namespace {

void setValue(KZR &page, const char *name, int value)
{
    page.findChild<QSpinBox *>(QLatin1String(name))->setValue(value);
}

void setColour(KZR &page, const char *name, int index)
{
    page.findChild<QComboBox *>(QLatin1String(name))->setCurrentIndex(index);
}

// Clicks boxes the way an engineer would, so only boxes that are enabled can be changed.
void click(KZR &page, std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        QAbstractButton *box = buttonOf(&page, QLatin1String(name));
        QVERIFY2(box->isEnabled(), name);
        box->click();
    }
}

void editKzr(KZR &page)
{
    click(page, {"odblok_we1", "uz_we1", "pk1_odblok", "pk1_powwe2", "inw_pk1"});
    setValue(page, "odblokowani_czas", 120);
    setValue(page, "knp_T1", 250);
    setValue(page, "knp_T2", 2000);
    setColour(page, "cbCOLOR", 2);
    setColour(page, "cbCOLOR_2", 5);
    setColour(page, "cbCOLOR_3", 1);
}

int countOf(const QStringList &lines, const char *line)
{
    return lines.count(QString::fromUtf8(line));
}

} // namespace

void tst_KzrDevice::configurationRoundTrip()
{
    const QByteArray stored = QByteArray::fromHex("06 3c 08 10 0a 01 f4 00 c8 df fe df");
    SimulatedConnection connection(Frame::Reply::Kzr);
    connection.device().setStoredPayload(stored);
    QVERIFY(connection.connectAndLoad());
    KZR &page = connection.window().kzrPage();
    QCOMPARE(page.encodeConfig().mid(2).toHex(' '), stored.toHex(' '));

    // The edits start from the defaults, as an engineer setting up a new relay does.
    clickButton(&page, "DomyslneKZR_TLMX");
    editKzr(page);
    if (QTest::currentTestFailed())
        return;
    const QStringList edited = formState(&page);
    const QByteArray frame = page.encodeConfig();
    connection.device().clearReceivedFrames();
    clickButton(&page, "Zapisz");
    QVERIFY(connection.waitForFrames(1));
    QCOMPARE(connection.device().receivedFrames().last().toHex(' '), frame.toHex(' '));
    QCOMPARE(connection.device().storedPayload().toHex(' '), frame.mid(2).toHex(' '));
    QTRY_COMPARE(countOf(connection.logLines(), "Konfiguracja odebrana"), 1);

    clickButton(&page, "DomyslneKZR_TLMX");
    QVERIFY(formState(&page) != edited);
    const int loaded = countOf(connection.logLines(), "Konfiguracja pobrana");
    clickButton(&page, "DZ");
    QTRY_COMPARE(countOf(connection.logLines(), "Konfiguracja pobrana"), loaded + 1);
    QCOMPARE(formState(&page), edited);
}

void tst_KzrDevice::viewPolledAndUnlocked()
{
    SimulatedConnection connection("01");
    SimulatedDevice &device = connection.device();
    device.setViewState(0x0f);
    QVERIFY(connection.connectAndLoad());
    KZR &page = connection.window().kzrPage();
    device.clearReceivedFrames();

    // A shorter pause between requests keeps the run short; the chain is the same.
    page.findChild<QTimer *>(QStringLiteral("viewPollTimer"))->setInterval(100);
    clickButton(&page, "WidokUrzadzenia");
    QVERIFY(connection.waitForFrames(1));
    QCOMPARE(device.receivedFrames().first().toHex(' '),
             QByteArray("64 56 01 01 01 01 01 01 01 01 01 01 01 01"));
    QTRY_VERIFY(buttonOf(&page, "LEDBlokada")->isChecked());
    for (const char *lit : {"NAPL1", "NAPL2", "NAPL3"})
        QVERIFY2(buttonOf(&page, lit)->isChecked(), lit);
    QVERIFY(!buttonOf(&page, "LEDBrakBlokady")->isChecked());
    QVERIFY(connection.logLines().contains(QStringLiteral("Widok urządzenia aktualizacja")));

    QVERIFY(connection.waitForFrames(2));
    QCOMPARE(device.receivedFrames().at(1), device.receivedFrames().first());

    clickButton(&page, "PrzyciskOdblok");
    QTRY_VERIFY(device.receivedFrames().contains(
        QByteArray::fromHex("42 4c 01 01 01 01 01 01 01 01 01 01 01 01")));
    QVERIFY(connection.logLines().contains(QStringLiteral("Odblokuj z programu")));
    // The next view frame shows the interlock released.
    QTRY_VERIFY_WITH_TIMEOUT(buttonOf(&page, "LEDBrakBlokady")->isChecked(), 3000);
    QVERIFY(!buttonOf(&page, "LEDBlokada")->isChecked());

    clickButton(&page, "WidokUrzadzenia");
    const int atSwitchOff = device.receivedFrames().size();
    QSignalSpy frames(&device, &SimulatedDevice::frameReceived);
    // A pause already running may still ask once; after that the line stays quiet.
    frames.wait(500);
    QVERIFY(!frames.wait(500));
    QVERIFY(device.receivedFrames().size() - atSwitchOff <= 1);
}

QTEST_MAIN(tst_KzrDevice)
#include "tst_kzrdevice.moc"
