#include "codecs/kzrconfig.h"
#include "protocol/frames.h"
#include "tests/pages/common/pageform.h"
#include "tests/support/simulatedconnection.h"
#include "tests/support/widgets.h"

#include <QAbstractButton>
#include <QGraphicsEffect>
#include <QLabel>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

namespace {

// The view's timers run this fast in the tests, so a chain shows within a few turns of the
// event loop instead of seconds.
constexpr int FastPollMs = 5;
constexpr int FastStaleMs = 20;

QTimer *timerOf(KZR &page, const char *name)
{
    auto *timer = page.findChild<QTimer *>(QLatin1String(name));
    if (!timer)
        qFatal("the page has no %s", name);
    return timer;
}

QAbstractButton *buttonOf(QWidget *page, const QString &name)
{
    return widget<QAbstractButton>(*page, name);
}

// A view reply ("dV") whose byte 5 is the given state.
QByteArray viewReply(quint8 state)
{
    QByteArray frame(14, '\0');
    frame[0] = 'd';
    frame[1] = 'V';
    frame[5] = static_cast<char>(state);
    return frame;
}

void speedUpView(KZR &page)
{
    timerOf(page, "viewPollTimer")->setInterval(FastPollMs);
    timerOf(page, "viewStaleTimer")->setInterval(FastStaleMs);
}

bool shownStale(KZR &page)
{
    const bool stale = !page.findChild<QLabel *>("BrakDanychWidok")->isHidden();
    for (const char *name : {"LEDBlokada", "LEDBrakBlokady", "NAPL1", "NAPL2", "NAPL3"}) {
        if (buttonOf(&page, name)->graphicsEffect()->isEnabled() != stale)
            qFatal("%s disagrees with the stale label", name);
    }
    return stale;
}

// The settings the form shows disabled, from formState(); the view indicators are never
// editable and say nothing about the configuration.
QStringList disabledWidgets(KZR &page)
{
    QStringList names;
    for (const QString &line : formState(page)) {
        const QString name = line.section(QLatin1Char(':'), 0, 0);
        if (line.endsWith(QLatin1String("disabled")) && !name.startsWith(QLatin1String("LED")) &&
            !name.startsWith(QLatin1String("NAPL")))
            names << name;
    }
    return names;
}

} // namespace

class tst_KZR : public QObject
{
    Q_OBJECT

private slots:
    void defaults_data();
    void defaults();
    void defaultsNeedKnownModelCode_data();
    void defaultsNeedKnownModelCode();
    void modelBannerSwitchesBothWays();
    void viewButtonTogglesView();
    void decodeView_data();
    void decodeView();
    void viewPollingChain();
    void viewGoesStaleWithoutReplies();
    void viewPolledAndUnlockedThroughDevice();
};

void tst_KZR::defaults_data()
{
    QTest::addColumn<QStringList>("models");
    QTest::addColumn<QByteArray>("startBlock");
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QStringList>("disabled");

    const QByteArray kzr = KzrConfig::kzrDefaults().encode();
    const QByteArray tlmx = KzrConfig::tlmxDefaults().encode();
    const QByteArray everything = QByteArray(Frame::Reply::KzrConfig) + QByteArray(12, '\xff');
    // formState() sorts by name.
    const QStringList kzrDisabled{"cbCOLOR_3",    "pk1_nappom", "pk1_powwe1", "pk1_powwe2",
                                  "pk1_przycisk", "pk2_nappom", "pk2_powwe1", "pk2_powwe2",
                                  "pk2_przycisk", "tlmx_2kol",  "tlmx_pk1",   "tlmx_pk2",
                                  "uz_we1",       "uz_we2"};
    const QStringList tlmxDisabled{
        "cbCOLOR_3",  "odblok_przycisk", "odblok_we1",   "odblok_we2",   "odblokowani_czas",
        "pk1_nappom", "pk1_powwe1",      "pk1_powwe2",   "pk1_przycisk", "pk2_nappom",
        "pk2_powwe1", "pk2_powwe2",      "pk2_przycisk", "uz_we1",       "uz_we2"};

    QTest::newRow("KZR-1 fresh") << QStringList{"01"} << QByteArray() << kzr << kzrDisabled;
    QTest::newRow("KZR-1 over every option")
        << QStringList{"01"} << everything << kzr << kzrDisabled;
    QTest::newRow("TLMX-1 fresh") << QStringList{"02"} << QByteArray() << tlmx << tlmxDisabled;
    QTest::newRow("TLMX-1 over every option")
        << QStringList{"02"} << everything << tlmx << tlmxDisabled;
    QTest::newRow("KZR-1 after TLMX-1")
        << QStringList{"02", "01"} << everything << kzr << kzrDisabled;
    QTest::newRow("TLMX-1 after KZR-1")
        << QStringList{"01", "02"} << everything << tlmx << tlmxDisabled;
}

void tst_KZR::defaults()
{
    QFETCH(QStringList, models);
    QFETCH(QByteArray, startBlock);
    QFETCH(QByteArray, frame);
    QFETCH(QStringList, disabled);

    KZR page;
    page.decodeConfig(startBlock);
    for (const QString &model : models) {
        page.setModelBanner(model);
        clickButton(&page, "DomyslneKZR_TLMX");
    }
    QCOMPARE(page.encodeConfig().toHex(' '), frame.toHex(' '));
    QCOMPARE(disabledWidgets(page), disabled);
}

void tst_KZR::defaultsNeedKnownModelCode_data()
{
    QTest::addColumn<QStringList>("models");
    QTest::newRow("no code yet") << QStringList();
    QTest::newRow("unknown code") << QStringList{"07"};
    QTest::newRow("unknown code after KZR-1") << QStringList{"01", "99"};
}

void tst_KZR::defaultsNeedKnownModelCode()
{
    QFETCH(QStringList, models);
    KZR page;
    page.decodeConfig(QByteArray(Frame::Reply::KzrConfig) +
                      QByteArray::fromHex("0c c8 08 10 2e 01 2c 02 58 cf f9 d7"));
    for (const QString &model : models)
        page.setModelBanner(model);
    const QStringList before = formState(page);
    clickButton(&page, "DomyslneKZR_TLMX");
    QCOMPARE(formState(page), before);
}

// A TLMX-1 has one DC voltage where a KZR-1 has three phases, and options of its own that a
// KZR-1's defaults lock; switching back and forth must restore each side completely.
void tst_KZR::modelBannerSwitchesBothWays()
{
    KZR page;
    const auto shown = [&page] {
        QStringList face{widget<QLabel>(page, "NazwaUrzadzenia")->text(),
                         widget<QLabel>(page, "label_9")->text()};
        for (const char *name : {"NAPL1", "NAPL2", "NAPL3", "label_8", "label_10"})
            face << name + QLatin1String(widget<QWidget>(page, name)->isHidden() ? " hidden" : "");
        for (const char *name : {"konfSpec", "tlmx_pk1", "tlmx_pk2", "tlmx_2kol"})
            face << name + QLatin1String(widget<QWidget>(page, name)->isEnabled() ? "" : " off");
        return face.join(QLatin1String(", "));
    };
    const QString kzr = "L2, NAPL1, NAPL2, NAPL3, label_8, label_10, konfSpec off, tlmx_pk1 off, "
                        "tlmx_pk2 off, tlmx_2kol off";
    const QString tlmx = "VDC, NAPL1 hidden, NAPL2, NAPL3 hidden, label_8 hidden, label_10 hidden, "
                         "konfSpec, tlmx_pk1, tlmx_pk2, tlmx_2kol";
    for (int round = 0; round < 2; ++round) {
        page.setModelBanner("01");
        clickButton(&page, "DomyslneKZR_TLMX");
        QVERIFY(shown().contains("KZR-1"));
        QVERIFY2(shown().endsWith(kzr), qPrintable(shown()));
        page.setModelBanner("02");
        QVERIFY(shown().contains("TLMX-1") && !shown().contains("KZR-1"));
        QVERIFY2(shown().endsWith(tlmx), qPrintable(shown()));
    }
    // An unknown code changes nothing on the form.
    page.setModelBanner("05");
    QVERIFY(shown().endsWith(tlmx));
}

void tst_KZR::viewButtonTogglesView()
{
    KZR page;
    page.show();
    auto *stack = page.findChild<QStackedWidget *>("KonfNapPomWidok");
    QAbstractButton *view = buttonOf(&page, "WidokUrzadzenia");
    QSignalSpy requests(&page, &KZR::WidokZalaczonyKZR);
    QCOMPARE(stack->currentIndex(), 0);

    QTest::mouseClick(view, Qt::LeftButton);
    QCOMPARE(stack->currentIndex(), 1);
    QCOMPARE(requests.count(), 1);
    QVERIFY(!buttonOf(&page, "Zapisz")->isEnabled());
    QVERIFY(!buttonOf(&page, "DZ")->isEnabled());
    QVERIFY(buttonOf(&page, "DomyslneKZR_TLMX")->isEnabled());

    QTest::mouseClick(view, Qt::LeftButton);
    QVERIFY2(!view->isChecked(), "a second click must switch the view off");
    QCOMPARE(stack->currentIndex(), 0);
    QCOMPARE(requests.count(), 1);
    QVERIFY(buttonOf(&page, "Zapisz")->isEnabled());
    QVERIFY(buttonOf(&page, "DZ")->isEnabled());
}

void tst_KZR::decodeView_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QList<bool>>("lit"); // blocking, not blocking, L1, L2, L3

    QTest::newRow("nothing") << viewReply(0x00) << QList<bool>{false, true, false, false, false};
    QTest::newRow("everything") << viewReply(0x0f) << QList<bool>{true, false, true, true, true};
    QTest::newRow("blocking only")
        << viewReply(0x01) << QList<bool>{true, false, false, false, false};
    QTest::newRow("L1") << viewReply(0x08) << QList<bool>{false, true, true, false, false};
    QTest::newRow("unused bits") << viewReply(0xf0)
                                 << QList<bool>{false, true, false, false, false};
    QTest::newRow("short of byte 5")
        << QByteArray("dV\x0f\x0f\x0f", 5) << QList<bool>{false, true, false, false, false};
}

void tst_KZR::decodeView()
{
    QFETCH(QByteArray, block);
    QFETCH(QList<bool>, lit);

    KZR page;
    // Start from the opposite of every expectation where possible: all voltages and blocking.
    page.decodeView(viewReply(0x0f));
    page.decodeView(block);

    QList<bool> shown;
    for (const char *name : {"LEDBlokada", "LEDBrakBlokady", "NAPL1", "NAPL2", "NAPL3"})
        shown << buttonOf(&page, name)->isChecked();
    QCOMPARE(shown, lit);
}

void tst_KZR::viewPollingChain()
{
    KZR page;
    speedUpView(page);
    QTimer *poll = timerOf(page, "viewPollTimer");
    QSignalSpy requests(&page, &KZR::WidokZalaczonyKZR);
    clickButton(&page, "WidokUrzadzenia");
    QCOMPARE(requests.count(), 1);
    QVERIFY2(!poll->isActive(), "the next request waits for a reply");

    page.decodeView(viewReply(0x01));
    QVERIFY(poll->isActive());
    QTRY_COMPARE(requests.count(), 2);

    // Off right after a reply: the pause already running still asks once, and the reply to
    // that last request starts nothing.
    page.decodeView(viewReply(0x01));
    clickButton(&page, "WidokUrzadzenia");
    QTRY_COMPARE(requests.count(), 3);
    page.decodeView(viewReply(0x00));
    QVERIFY(!poll->isActive());
    QVERIFY(buttonOf(&page, "LEDBrakBlokady")->isChecked());

    // Reopened during a pause: the request of the reopened view replaces the pause left from
    // before, so one chain runs on.
    clickButton(&page, "WidokUrzadzenia");
    page.decodeView(viewReply(0x00));
    clickButton(&page, "WidokUrzadzenia");
    clickButton(&page, "WidokUrzadzenia");
    QCOMPARE(requests.count(), 5);
    QVERIFY(!poll->isActive());
    page.decodeView(viewReply(0x00));
    QTRY_COMPARE(requests.count(), 6);
}

void tst_KZR::viewGoesStaleWithoutReplies()
{
    KZR page;
    page.show();
    speedUpView(page);
    page.decodeView(viewReply(0x01));
    QVERIFY(!shownStale(page));

    clickButton(&page, "WidokUrzadzenia");
    QTRY_VERIFY(shownStale(page));
    QVERIFY2(buttonOf(&page, "LEDBlokada")->isChecked(), "the last state stays visible");

    page.decodeView(viewReply(0x00));
    QVERIFY(!shownStale(page));
    QVERIFY(buttonOf(&page, "LEDBrakBlokady")->isChecked());
    // Replies keep it fresh; silence marks it again.
    QTRY_VERIFY(shownStale(page));

    // Switched off, the view is not watched.
    page.decodeView(viewReply(0x00));
    clickButton(&page, "WidokUrzadzenia");
    QVERIFY(!timerOf(page, "viewStaleTimer")->isActive());
    QVERIFY(!shownStale(page));
}

// A KZR-1 on the other end of a real serial line: the view is polled, and unlocking from the
// program releases the interlock the view shows.
void tst_KZR::viewPolledAndUnlockedThroughDevice()
{
    SimulatedConnection connection(Frame::Reply::Kzr);
    SimulatedDevice &device = connection.device();
    device.setViewState(0x0f);
    QVERIFY(connection.connectAndLoad());
    KZR &page = connection.window().kzrPage();
    device.clearReceivedFrames();

    // A shorter pause between requests keeps the run short; the chain is the same.
    timerOf(page, "viewPollTimer")->setInterval(100);
    clickButton(&page, "WidokUrzadzenia");
    QVERIFY(connection.waitForFrames(1));
    QCOMPARE(device.receivedFrames().first().toHex(' '),
             QByteArray("64 56 01 01 01 01 01 01 01 01 01 01 01 01"));
    QTRY_VERIFY(buttonOf(&page, "LEDBlokada")->isChecked());
    for (const char *lit : {"NAPL1", "NAPL2", "NAPL3"})
        QVERIFY2(buttonOf(&page, lit)->isChecked(), lit);
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
}

QTEST_MAIN(tst_KZR)
#include "tst_kzr.moc"
