#include "codecs/kzrconfig.h"
#include "pages/kzr/kzr.h"
#include "protocol/frames.h"
#include "tests/codecs/untouchedwriteback.h"
#include "tests/pages/kzr/kzrform.h"
#include "tests/support/simulatedconnection.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsEffect>
#include <QLabel>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr int RepliesPerPage = 300;
// The view's timers run this fast in the tests, so a chain shows within a few turns of the
// event loop instead of seconds.
constexpr int FastPollMs = 5;
constexpr int FastStaleMs = 20;

QTimer *timerOf(KZR &page, const char *name)
{
    auto *timer = page.findChild<QTimer *>(QLatin1String(name));
    Q_ASSERT_X(timer, "timerOf", name);
    return timer;
}

void speedUpView(KZR &page)
{
    timerOf(page, "viewPollTimer")->setInterval(FastPollMs);
    timerOf(page, "viewStaleTimer")->setInterval(FastStaleMs);
}

QStringList indicators()
{
    return {"LEDBlokada", "LEDBrakBlokady", "NAPL1", "NAPL2", "NAPL3"};
}

bool shownStale(KZR &page)
{
    const bool stale = !page.findChild<QLabel *>("BrakDanychWidok")->isHidden();
    for (const QString &name : indicators()) {
        if (buttonOf(&page, name)->graphicsEffect()->isEnabled() != stale)
            qFatal("%s disagrees with the stale label", qPrintable(name));
    }
    return stale;
}

QStringList debugLines;
void recordKzrDebug(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg && QLatin1String(context.category) == QLatin1String("orva.pages.kzr"))
        debugLines << message;
}

// The settings the form shows disabled, from formState(); the view indicators are never
// editable and say nothing about the configuration.
QStringList disabledWidgets(KZR &page)
{
    QStringList names;
    for (const QString &line : formState(&page)) {
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
    void untouchedWriteBackKeepsEveryByte();
    void interlocks_data();
    void interlocks();
    void readBackAfterDefaultsLeavesEarthingEditable();
    void decodeClampsAndColours_data();
    void decodeClampsAndColours();
    void modelBannerSwitchesBothWays();
    void debugOutputOnlyWhenEnabled();
    void buttonsEmitSignals_data();
    void buttonsEmitSignals();
    void viewButtonTogglesView();
    void decodeView_data();
    void decodeView();
    void viewFrameWhileOffAsksNothing();
    void tlmxViewShowsOnlyDcVoltage();
    void viewPollingChain();
    void reopeningViewKeepsOneChain();
    void viewGoesStaleWithoutReplies();
};

void tst_KZR::defaults_data()
{
    QTest::addColumn<QStringList>("models");
    QTest::addColumn<QByteArray>("startBlock");
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QStringList>("disabled");

    const QByteArray kzr = KzrConfig::kzrDefaults().encode();
    const QByteArray tlmx = KzrConfig::tlmxDefaults().encode();
    const QByteArray everything = configReply(QByteArray(12, '\xff'));
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
    page.decodeConfig(configReply(QByteArray::fromHex("0c c8 08 10 2e 01 2c 02 58 cf f9 d7")));
    for (const QString &model : models)
        page.setModelBanner(model);
    const QStringList before = formState(&page);
    clickButton(&page, "DomyslneKZR_TLMX");
    QCOMPARE(formState(&page), before);
}

void tst_KZR::untouchedWriteBackKeepsEveryByte()
{
    KZR page;
    for (const CodecDomain &domain : codecDomainsOf(Frame::Reply::Kzr)) {
        const QString lost = firstLostSetting(
            domain,
            [&page](const QByteArray &reply) {
                page.decodeConfig(reply);
                return page.encodeConfig();
            },
            RepliesPerPage, 0x4445);
        QVERIFY2(lost.isEmpty(), qPrintable(lost));
    }
}

void tst_KZR::interlocks_data()
{
    // The form after a configuration reply (bytes 2 onwards; none for a fresh form) and then
    // boxes set in order, each running its interlocks; the expected lines as formState()
    // writes them.
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QStringList>("expected");

    const QByteArray fresh;
    // Decoding: fields in frame order, so a later one may undo an earlier one.
    QTest::newRow("decoded relay sources: the last wins")
        << QByteArray::fromHex("00 1e 1f") << QStringList()
        << QStringList{"pk1_nappom: checked, enabled", "pk1_odblok: unchecked, disabled",
                       "pk1_powwe1: unchecked, disabled", "pk2_odblok: unchecked, enabled"};
    QTest::newRow("decoded relay source beside unused bits")
        << QByteArray::fromHex("00 1e 00 e4") << QStringList()
        << QStringList{"pk2_powwe2: checked, enabled", "pk2_przycisk: unchecked, disabled",
                       "inw_we2: unchecked, disabled", "inw_we1: unchecked, enabled"};
    QTest::newRow("decoded permanent unlock after input 1")
        << QByteArray::fromHex("09") << QStringList()
        << QStringList{"odblok_pc: checked, enabled", "odblok_we1: unchecked, disabled",
                       "odblok_we2: unchecked, disabled", "odblok_przycisk: unchecked, disabled",
                       "odblokowani_czas: 1, disabled"};
    QTest::newRow("decoded earthing input 1 after unlock by input 1")
        << QByteArray::fromHex("03 1e 00 00 10") << QStringList()
        << QStringList{"uz_we1: checked, enabled", "odblok_we1: unchecked, disabled",
                       "odblok_we2: checked, enabled", "uz_we2: unchecked, disabled",
                       "cbCOLOR_3: NIEBIESKI, enabled"};
    QTest::newRow("decoded earthing input 2 after unlock by input 2")
        << QByteArray::fromHex("02 1e 00 00 20") << QStringList()
        << QStringList{"uz_we2: checked, enabled", "odblok_we2: unchecked, disabled"};
    QTest::newRow("decoded relay 1 repeating input 1")
        << QByteArray::fromHex("00 1e 02") << QStringList()
        << QStringList{"inw_we1: unchecked, disabled", "inw_we2: unchecked, enabled"};

    // Boxes changed one by one, as the engineer does.
    QTest::newRow("relay source cleared")
        << QByteArray::fromHex("00 1e 10") << QStringList{"pk1_nappom=0"}
        << QStringList{"pk1_odblok: unchecked, enabled", "pk1_przycisk: unchecked, enabled"};
    QTest::newRow("relay switched to another source")
        << fresh << QStringList{"pk1_przycisk=1", "pk1_odblok=1"}
        << QStringList{"pk1_odblok: checked, enabled", "pk1_przycisk: unchecked, disabled",
                       "pk2_przycisk: unchecked, enabled"};
    QTest::newRow("permanent unlock clears the other sources")
        << fresh << QStringList{"odblok_we1=1", "odblok_we2=1", "odblok_przycisk=1", "odblok_pc=1"}
        << QStringList{"odblok_we1: unchecked, disabled", "odblok_we2: unchecked, disabled",
                       "odblok_przycisk: unchecked, disabled", "odblokowani_czas: 30, disabled"};
    QTest::newRow("leaving permanent unlock keeps an earthing input out")
        << fresh << QStringList{"odblok_pc=1", "uz_we1=1", "odblok_pc=0"}
        << QStringList{"odblok_we1: unchecked, disabled", "odblok_we2: unchecked, enabled",
                       "odblok_przycisk: unchecked, enabled", "odblokowani_czas: 30, enabled"};
    QTest::newRow("earthing let go under permanent unlock")
        << fresh << QStringList{"uz_we1=1", "odblok_pc=1", "uz_we1=0"}
        << QStringList{"odblok_we1: unchecked, disabled"};
    QTest::newRow("earthing let go")
        << fresh << QStringList{"uz_we1=1", "uz_we1=0"}
        << QStringList{"odblok_we1: unchecked, enabled", "cbCOLOR_3: NIEBIESKI, disabled"};
    QTest::newRow("the other input still reports the earthing switch")
        << fresh << QStringList{"uz_we2=1", "uz_we1=1", "uz_we1=0"}
        << QStringList{"cbCOLOR_3: NIEBIESKI, enabled", "odblok_we2: unchecked, disabled"};
    QTest::newRow("an unlock source is no earthing input")
        << fresh << QStringList{"odblok_we2=1"}
        << QStringList{"uz_we2: unchecked, disabled", "uz_we1: unchecked, enabled"};
    QTest::newRow("repeated input loses its inversion")
        << fresh << QStringList{"inw_we1=1", "inw_we2=1", "pk1_powwe1=1"}
        << QStringList{"inw_we1: unchecked, disabled", "inw_we2: checked, enabled"};
    QTest::newRow("input still repeated by the other relay")
        << fresh << QStringList{"pk2_powwe2=1", "pk1_powwe2=1", "pk1_powwe2=0"}
        << QStringList{"inw_we2: unchecked, disabled"};
    QTest::newRow("repeating relay moved to another source")
        << fresh << QStringList{"pk2_powwe1=1", "pk2_przycisk=1"}
        << QStringList{"pk2_powwe1: unchecked, disabled", "inw_we1: unchecked, enabled"};
}

void tst_KZR::interlocks()
{
    QFETCH(QByteArray, payload);
    QFETCH(QStringList, changes);
    QFETCH(QStringList, expected);

    KZR page;
    if (!payload.isEmpty())
        page.decodeConfig(configReply(payload));
    for (const QString &change : changes) {
        const QStringList nameAndState = change.split(QLatin1Char('='));
        buttonOf(&page, nameAndState.first())
            ->setChecked(nameAndState.last() == QLatin1String("1"));
    }
    const QStringList shown = formState(&page);
    for (const QString &line : expected)
        QVERIFY2(shown.contains(line), qPrintable(line + "\n" + shown.join(QLatin1Char('\n'))));
}

void tst_KZR::readBackAfterDefaultsLeavesEarthingEditable()
{
    // The TLMX-1 defaults disable both earthing inputs outright.
    KZR page;
    page.setModelBanner("02");
    clickButton(&page, "DomyslneKZR_TLMX");
    page.decodeConfig(configReply(QByteArray::fromHex("00 1e 01 01 10")));
    QAbstractButton *earthing = buttonOf(&page, "uz_we1");
    QVERIFY(earthing->isChecked());
    QVERIFY2(earthing->isEnabled(), "a read-back earthing input must stay changeable");
    QVERIFY(!buttonOf(&page, "odblok_we1")->isEnabled());

    earthing->click();
    QVERIFY(buttonOf(&page, "odblok_we1")->isEnabled());
    QVERIFY(buttonOf(&page, "uz_we2")->isEnabled());
}

void tst_KZR::decodeClampsAndColours_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("unlockTime");
    QTest::addColumn<int>("delayOn");
    QTest::addColumn<int>("delayOff");
    QTest::addColumn<QList<int>>("colours");

    // The form starts each row with colours 5, 1, 2; codes that mean nothing keep them.
    const QList<int> kept{5, 1, 2};
    QTest::newRow("zeros") << QByteArray(12, '\0') << 1 << 100 << 100 << kept;
    QTest::newRow("above the delay range")
        << QByteArray::fromHex("00 ff 00 00 00 ff ff 09 c5 00 00 00") << 255 << 2500 << 2500
        << kept;
    QTest::newRow("below the delay range")
        << QByteArray::fromHex("00 02 00 00 00 00 63 00 01 00 00 00") << 2 << 100 << 100 << kept;
    // Codes of the other LED's set are not colours of the blocked and free LEDs; the
    // earthing LED's code set is not settled, so either set names its colour.
    QTest::newRow("codes of the other set")
        << QByteArray::fromHex("00 1e 00 00 00 00 64 00 64 fd ef fd") << 30 << 100 << 100
        << QList<int>{5, 1, 0};
    QTest::newRow("earthing code of the free LED's set")
        << QByteArray::fromHex("00 1e 00 00 00 00 64 00 64 00 00 fb") << 30 << 100 << 100
        << QList<int>{5, 1, 4};
}

void tst_KZR::decodeClampsAndColours()
{
    QFETCH(QByteArray, payload);
    QFETCH(int, unlockTime);
    QFETCH(int, delayOn);
    QFETCH(int, delayOff);
    QFETCH(QList<int>, colours);

    KZR page;
    page.decodeConfig(configReply(QByteArray::fromHex("00 1e 00 00 00 00 64 00 64 cf fc d7")));
    page.decodeConfig(configReply(payload));
    QCOMPARE(page.findChild<QSpinBox *>("odblokowani_czas")->value(), unlockTime);
    QCOMPARE(page.findChild<QSpinBox *>("knp_T1")->value(), delayOn);
    QCOMPARE(page.findChild<QSpinBox *>("knp_T2")->value(), delayOff);
    const QList<int> shown{page.findChild<QComboBox *>("cbCOLOR")->currentIndex(),
                           page.findChild<QComboBox *>("cbCOLOR_2")->currentIndex(),
                           page.findChild<QComboBox *>("cbCOLOR_3")->currentIndex()};
    QCOMPARE(shown, colours);
}

void tst_KZR::modelBannerSwitchesBothWays()
{
    KZR page;
    auto *banner = page.findChild<QLabel *>("NazwaUrzadzenia");
    auto *voltage2 = page.findChild<QLabel *>("label_9");
    const QList<QWidget *> threePhase{
        page.findChild<QWidget *>("NAPL1"), page.findChild<QWidget *>("NAPL3"),
        page.findChild<QWidget *>("label_8"), page.findChild<QWidget *>("label_10")};
    QWidget *special = page.findChild<QWidget *>("konfSpec");
    const QList<QAbstractButton *> specials{
        buttonOf(&page, "tlmx_pk1"), buttonOf(&page, "tlmx_pk2"), buttonOf(&page, "tlmx_2kol")};

    for (int round = 0; round < 2; ++round) {
        page.setModelBanner("01");
        // The KZR-1 defaults lock every special option; a TLMX-1 must get them all back.
        clickButton(&page, "DomyslneKZR_TLMX");
        QVERIFY(banner->text().contains("KZR-1"));
        QCOMPARE(voltage2->text(), QStringLiteral("L2"));
        for (QWidget *widget : threePhase)
            QVERIFY2(!widget->isHidden(), qPrintable(widget->objectName()));
        QVERIFY(!special->isEnabled());
        for (QAbstractButton *box : specials)
            QVERIFY2(!box->isEnabled(), qPrintable(box->objectName()));

        page.setModelBanner("02");
        QVERIFY(banner->text().contains("TLMX-1"));
        QVERIFY(!banner->text().contains("KZR-1"));
        QCOMPARE(voltage2->text(), QStringLiteral("VDC"));
        for (QWidget *widget : threePhase)
            QVERIFY2(widget->isHidden(), qPrintable(widget->objectName()));
        QVERIFY(special->isEnabled());
        for (QAbstractButton *box : specials)
            QVERIFY2(box->isEnabled(), qPrintable(box->objectName()));
    }

    // An unknown code changes nothing on the form.
    page.setModelBanner("05");
    QVERIFY(banner->text().contains("TLMX-1"));
}

void tst_KZR::debugOutputOnlyWhenEnabled()
{
    KZR page;
    const QtMessageHandler previous = qInstallMessageHandler(recordKzrDebug);
    debugLines.clear();
    page.decodeConfig(configReply(QByteArray(12, '\0')));
    page.decodeView(viewReply(0x01));
    const QStringList byDefault = debugLines;

    QLoggingCategory::setFilterRules(QStringLiteral("orva.pages.kzr.debug=true"));
    page.decodeConfig(configReply(QByteArray(12, '\0')));
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);

    QCOMPARE(byDefault, QStringList());
    QVERIFY(!debugLines.isEmpty());
}

void tst_KZR::buttonsEmitSignals_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("signal");
    QTest::newRow("send") << "Zapisz" << QByteArray(SIGNAL(WyslijDaneKZR()));
    QTest::newRow("read") << "DZ" << QByteArray(SIGNAL(PobierzDaneZKZR()));
    QTest::newRow("unlock") << "PrzyciskOdblok" << QByteArray(SIGNAL(OdblokujZProgramu()));
    QTest::newRow("disconnect") << "rozlacz" << QByteArray(SIGNAL(PowrotPoczatek()));
}

void tst_KZR::buttonsEmitSignals()
{
    QFETCH(QString, button);
    QFETCH(QByteArray, signal);
    KZR page;
    page.show();
    const QList<QByteArray> all{SIGNAL(WyslijDaneKZR()), SIGNAL(PobierzDaneZKZR()),
                                SIGNAL(OdblokujZProgramu()), SIGNAL(PowrotPoczatek()),
                                SIGNAL(WidokZalaczonyKZR())};
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const QByteArray &each : all)
        spies.push_back(std::make_unique<QSignalSpy>(&page, each.constData()));

    buttonOf(&page, button)->click();
    for (size_t i = 0; i < spies.size(); ++i)
        QCOMPARE(spies[i]->count(), all.at(int(i)) == signal ? 1 : 0);
    QCOMPARE(page.isVisible(), button != QLatin1String("rozlacz"));
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

void tst_KZR::viewFrameWhileOffAsksNothing()
{
    KZR page;
    page.decodeView(viewReply(0x01));
    QVERIFY(buttonOf(&page, "LEDBlokada")->isChecked());
    QVERIFY(!timerOf(page, "viewPollTimer")->isActive());
    QVERIFY(!timerOf(page, "viewStaleTimer")->isActive());
}

void tst_KZR::tlmxViewShowsOnlyDcVoltage()
{
    KZR page;
    page.setModelBanner("02");
    page.decodeView(viewReply(0x0a));
    QVERIFY(buttonOf(&page, "NAPL1")->isChecked());
    QVERIFY(buttonOf(&page, "NAPL3")->isChecked());
    QVERIFY(!buttonOf(&page, "NAPL2")->isChecked());
    QVERIFY(!buttonOf(&page, "NAPL2")->isHidden());
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
}

void tst_KZR::reopeningViewKeepsOneChain()
{
    KZR page;
    QTimer *poll = timerOf(page, "viewPollTimer");
    QSignalSpy requests(&page, &KZR::WidokZalaczonyKZR);
    clickButton(&page, "WidokUrzadzenia");
    page.decodeView(viewReply(0x00));
    clickButton(&page, "WidokUrzadzenia");
    clickButton(&page, "WidokUrzadzenia");
    QCOMPARE(requests.count(), 2);

    // The request of the reopened view replaces the pause left from before.
    QVERIFY(!poll->isActive());
    poll->setInterval(FastPollMs);
    page.decodeView(viewReply(0x00));
    QTRY_COMPARE(requests.count(), 3);
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

QTEST_MAIN(tst_KZR)
#include "tst_kzr.moc"
