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

QStringList relayBoxes(const QString &prefix)
{
    QStringList names;
    for (const char *source : {"odblok", "powwe1", "powwe2", "przycisk", "nappom"})
        names << prefix + QLatin1String(source);
    return names;
}

QStringList disabledWidgets(KZR &page)
{
    QStringList names;
    for (const QWidget *widget : page.findChildren<QWidget *>()) {
        const bool setting = qobject_cast<const QCheckBox *>(widget) ||
                             qobject_cast<const QSpinBox *>(widget) ||
                             qobject_cast<const QComboBox *>(widget);
        // The view indicators are never editable and say nothing about the configuration.
        const bool indicator = widget->objectName().startsWith(QLatin1String("LED")) ||
                               widget->objectName().startsWith(QLatin1String("NAPL"));
        if (setting && !indicator && !widget->isEnabled())
            names << widget->objectName();
    }
    names.sort();
    return names;
}

QStringList sorted(QStringList names)
{
    names.sort();
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
    void decodeKeepsLastRelaySource_data();
    void decodeKeepsLastRelaySource();
    void decodeOrderThroughInterlocks_data();
    void decodeOrderThroughInterlocks();
    void readBackAfterDefaultsLeavesEarthingEditable();
    void decodeClampsAndColours_data();
    void decodeClampsAndColours();
    void permanentUnlockInterlock();
    void relaySourcesExcludeEachOther_data();
    void relaySourcesExcludeEachOther();
    void repeatedInputCannotBeInverted_data();
    void repeatedInputCannotBeInverted();
    void inputIsEitherUnlockOrEarthing_data();
    void inputIsEitherUnlockOrEarthing();
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
    const QStringList relays = relayBoxes("pk1_").mid(1) + relayBoxes("pk2_").mid(1);
    const QStringList kzrDisabled = sorted(
        relays + QStringList{"uz_we1", "uz_we2", "tlmx_pk1", "tlmx_pk2", "tlmx_2kol", "cbCOLOR_3"});
    const QStringList tlmxDisabled =
        sorted(relays + QStringList{"odblok_we1", "odblok_we2", "odblok_przycisk",
                                    "odblokowani_czas", "uz_we1", "uz_we2", "cbCOLOR_3"});

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

void tst_KZR::decodeKeepsLastRelaySource_data()
{
    QTest::addColumn<QString>("relay");
    QTest::addColumn<int>("byteIndex");
    QTest::addColumn<quint8>("value");
    QTest::addColumn<QString>("winner");

    for (const auto &[relay, index] : {std::pair<const char *, int>{"pk1_", 4}, {"pk2_", 5}}) {
        const QString prefix = QLatin1String(relay);
        QTest::addRow("%s all five", relay) << prefix << index << quint8(0x1f) << "nappom";
        QTest::addRow("%s first two", relay) << prefix << index << quint8(0x03) << "powwe1";
        QTest::addRow("%s unlock and button", relay)
            << prefix << index << quint8(0x09) << "przycisk";
        QTest::addRow("%s only unlock", relay) << prefix << index << quint8(0x01) << "odblok";
        QTest::addRow("%s unused high bits", relay) << prefix << index << quint8(0xe4) << "powwe2";
        QTest::addRow("%s none", relay) << prefix << index << quint8(0x00) << QString();
    }
}

void tst_KZR::decodeKeepsLastRelaySource()
{
    QFETCH(QString, relay);
    QFETCH(int, byteIndex);
    QFETCH(quint8, value);
    QFETCH(QString, winner);

    KZR page;
    QByteArray block = configReply(QByteArray(12, '\0'));
    block[byteIndex] = static_cast<char>(value);
    page.decodeConfig(block);

    for (const QString &name : relayBoxes(relay)) {
        const QAbstractButton *box = buttonOf(&page, name);
        const bool isWinner = !winner.isEmpty() && name == relay + winner;
        QCOMPARE(box->isChecked(), isWinner);
        QVERIFY2(box->isEnabled() == (winner.isEmpty() || isWinner), qPrintable(name));
    }
    const QString other = relay == QLatin1String("pk1_") ? "pk2_" : "pk1_";
    for (const QString &name : relayBoxes(other))
        QVERIFY2(buttonOf(&page, name)->isEnabled(), qPrintable(name));
}

void tst_KZR::decodeOrderThroughInterlocks_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QStringList>("checkedEnabled");
    QTest::addColumn<QStringList>("uncheckedDisabled");

    QTest::newRow("permanent unlock after input 1")
        << QByteArray::fromHex("09") << QStringList{"odblok_pc"}
        << QStringList{"odblok_we1", "odblok_we2", "odblok_przycisk"};
    QTest::newRow("earthing input 1 after unlock by input 1")
        << QByteArray::fromHex("03 1e 00 00 10") << QStringList{"uz_we1", "odblok_we2"}
        << QStringList{"odblok_we1", "uz_we2"};
    QTest::newRow("earthing input 2 after unlock by input 2")
        << QByteArray::fromHex("02 1e 00 00 20") << QStringList{"uz_we2"}
        << QStringList{"odblok_we2"};
    QTest::newRow("relay 1 repeats input 1")
        << QByteArray::fromHex("00 1e 02") << QStringList{"pk1_powwe1"} << QStringList{"inw_we1"};
    QTest::newRow("relay 2 repeats input 2") << QByteArray::fromHex("00 1e 00 04")
                                             << QStringList{"pk2_powwe2"} << QStringList{"inw_we2"};
}

void tst_KZR::decodeOrderThroughInterlocks()
{
    QFETCH(QByteArray, payload);
    QFETCH(QStringList, checkedEnabled);
    QFETCH(QStringList, uncheckedDisabled);

    KZR page;
    page.decodeConfig(configReply(payload));
    for (const QString &name : checkedEnabled) {
        QVERIFY2(buttonOf(&page, name)->isChecked(), qPrintable(name));
        QVERIFY2(buttonOf(&page, name)->isEnabled(), qPrintable(name));
    }
    for (const QString &name : uncheckedDisabled) {
        QVERIFY2(!buttonOf(&page, name)->isChecked(), qPrintable(name));
        QVERIFY2(!buttonOf(&page, name)->isEnabled(), qPrintable(name));
    }
    // The earthing colour is choosable exactly while an earthing input is configured.
    const bool earthing = (payload.size() > 4) && (payload.at(4) & 0x30);
    QCOMPARE(page.findChild<QComboBox *>("cbCOLOR_3")->isEnabled(), earthing);
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

void tst_KZR::permanentUnlockInterlock()
{
    KZR page;
    QAbstractButton *input1 = buttonOf(&page, "odblok_we1");
    QAbstractButton *input2 = buttonOf(&page, "odblok_we2");
    QAbstractButton *button = buttonOf(&page, "odblok_przycisk");
    QAbstractButton *permanent = buttonOf(&page, "odblok_pc");
    auto *time = page.findChild<QSpinBox *>("odblokowani_czas");

    for (QAbstractButton *box : {input1, input2, button})
        box->setChecked(true);
    permanent->setChecked(true);
    for (QAbstractButton *box : {input1, input2, button}) {
        QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
        QVERIFY2(!box->isEnabled(), qPrintable(box->objectName()));
    }
    QVERIFY(!time->isEnabled());

    // Input 1 reports the earthing switch meanwhile, so it cannot come back as an unlock source.
    buttonOf(&page, "uz_we1")->setChecked(true);
    permanent->setChecked(false);
    QVERIFY(!input1->isEnabled());
    QVERIFY(input2->isEnabled());
    QVERIFY(button->isEnabled());
    QVERIFY(time->isEnabled());

    buttonOf(&page, "uz_we1")->setChecked(false);
    QVERIFY(input1->isEnabled());
}

void tst_KZR::relaySourcesExcludeEachOther_data()
{
    QTest::addColumn<QString>("relay");
    QTest::addColumn<QString>("source");
    for (const char *relay : {"pk1_", "pk2_"}) {
        for (const QString &source : relayBoxes(QLatin1String(relay)))
            QTest::newRow(qPrintable(source)) << QString(QLatin1String(relay)) << source;
    }
}

void tst_KZR::relaySourcesExcludeEachOther()
{
    QFETCH(QString, relay);
    QFETCH(QString, source);

    KZR page;
    const QStringList group = relayBoxes(relay);
    // Start from another source of the same relay so the switch has something to clear.
    const QString previous = group.at((group.indexOf(source) + 1) % group.size());
    buttonOf(&page, previous)->setChecked(true);

    buttonOf(&page, source)->setChecked(true);
    for (const QString &name : group) {
        const QAbstractButton *box = buttonOf(&page, name);
        QCOMPARE(box->isChecked(), name == source);
        QVERIFY2(box->isEnabled() == (name == source), qPrintable(name));
    }
    const QString other = relay == QLatin1String("pk1_") ? "pk2_" : "pk1_";
    for (const QString &name : relayBoxes(other))
        QVERIFY2(buttonOf(&page, name)->isEnabled(), qPrintable(name));

    buttonOf(&page, source)->setChecked(false);
    for (const QString &name : group)
        QVERIFY2(buttonOf(&page, name)->isEnabled(), qPrintable(name));
}

void tst_KZR::repeatedInputCannotBeInverted_data()
{
    QTest::addColumn<QString>("input");
    QTest::newRow("input 1") << "1";
    QTest::newRow("input 2") << "2";
}

void tst_KZR::repeatedInputCannotBeInverted()
{
    QFETCH(QString, input);
    KZR page;
    QAbstractButton *inversion = buttonOf(&page, "inw_we" + input);
    QAbstractButton *otherInversion = buttonOf(&page, input == "1" ? "inw_we2" : "inw_we1");
    QAbstractButton *relay1 = buttonOf(&page, "pk1_powwe" + input);
    QAbstractButton *relay2 = buttonOf(&page, "pk2_powwe" + input);

    inversion->setChecked(true);
    otherInversion->setChecked(true);
    relay1->setChecked(true);
    QVERIFY(!inversion->isChecked());
    QVERIFY(!inversion->isEnabled());
    QVERIFY(otherInversion->isChecked());
    QVERIFY(otherInversion->isEnabled());

    relay2->setChecked(true);
    relay1->setChecked(false);
    QVERIFY2(!inversion->isEnabled(), "relay 2 still repeats the input");

    // Moving relay 2 to another source releases the input through the exclusion interlock.
    buttonOf(&page, "pk2_przycisk")->setChecked(true);
    QVERIFY(!relay2->isChecked());
    QVERIFY(inversion->isEnabled());
    QVERIFY(!inversion->isChecked());
}

void tst_KZR::inputIsEitherUnlockOrEarthing_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("otherInput");
    QTest::newRow("input 1") << "1"
                             << "2";
    QTest::newRow("input 2") << "2"
                             << "1";
}

void tst_KZR::inputIsEitherUnlockOrEarthing()
{
    QFETCH(QString, input);
    QFETCH(QString, otherInput);
    KZR page;
    QAbstractButton *unlock = buttonOf(&page, "odblok_we" + input);
    QAbstractButton *earthing = buttonOf(&page, "uz_we" + input);
    QAbstractButton *otherEarthing = buttonOf(&page, "uz_we" + otherInput);
    auto *colour = page.findChild<QComboBox *>("cbCOLOR_3");

    unlock->setChecked(true);
    QVERIFY(!earthing->isEnabled());
    QVERIFY(otherEarthing->isEnabled());
    unlock->setChecked(false);
    QVERIFY(earthing->isEnabled());

    earthing->setChecked(true);
    QVERIFY(!unlock->isEnabled());
    QVERIFY(colour->isEnabled());

    otherEarthing->setChecked(true);
    earthing->setChecked(false);
    QVERIFY2(colour->isEnabled(), "the other input still reports the earthing switch");
    QVERIFY(unlock->isEnabled());
    otherEarthing->setChecked(false);
    QVERIFY(!colour->isEnabled());

    // Permanent unlock keeps the input out of the unlock sources even when earthing lets go.
    earthing->setChecked(true);
    buttonOf(&page, "odblok_pc")->setChecked(true);
    earthing->setChecked(false);
    QVERIFY(!unlock->isEnabled());
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
    QTest::newRow("L3") << viewReply(0x02) << QList<bool>{false, true, false, false, true};
    QTest::newRow("L2") << viewReply(0x04) << QList<bool>{false, true, false, true, false};
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
