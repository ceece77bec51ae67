#include "tests/pages/ga/gapagetests.h"

#include "codecs/gaconfig.h"
#include "protocol/frames.h"
#include "tests/codecs/untouchedwriteback.h"
#include "tests/support/simulatedconnection.h"
#include "tests/support/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <initializer_list>

namespace {

constexpr int RepliesPerVariant = 300;

const QStringList Delays = {"OpoznieniePojawienie", "OpoznienieZanik"};

QCheckBox *box(QWidget &page, const QString &name)
{
    return widget<QCheckBox>(page, name);
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int value : values)
        result.append(static_cast<char>(value));
    return result;
}

QByteArray sentFrame(const QByteArray &payload)
{
    return Frame::configFrame().left(2) + payload;
}

// "name: checked, enabled" for a box, "name: 7, disabled" for a spin box.
QString stateOf(QWidget &page, const QString &name)
{
    QWidget *shown = widget<QWidget>(page, name);
    const auto *spin = qobject_cast<QSpinBox *>(shown);
    const auto *checkBox = qobject_cast<QCheckBox *>(shown);
    const QString value = spin ? QString::number(spin->value())
                               : QLatin1String(checkBox->isChecked() ? "checked" : "unchecked");
    return QStringLiteral("%1: %2, %3")
        .arg(name, value, QLatin1String(shown->isEnabled() ? "enabled" : "disabled"));
}

void setDelays(QWidget &page, double appearance, double disappearance)
{
    widget<QDoubleSpinBox>(page, "OpoznieniePojawienie")->setValue(appearance);
    widget<QDoubleSpinBox>(page, "OpoznienieZanik")->setValue(disappearance);
}

} // namespace

void GaPageTests::defaultsGiveFactoryFrame_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::newRow("fresh form") << QByteArray();
    QTest::newRow("every bit set") << QByteArray(Frame::Size - 2, '\xFF');
    QTest::newRow("pulse modes, scheme E, long delays")
        << bytes({0x08, 0x05, 0x08, 0x05, 0x10, 0x0C, 0x01, 0xC4, 0xC4, 0x09, 0x09, 0x00});
}

void GaPageTests::defaultsGiveFactoryFrame()
{
    QFETCH(QByteArray, before);
    auto page = m_model.makePage();
    page->setRangeVariant(QStringLiteral("1"));
    if (!before.isEmpty())
        page->decodeConfig(m_model.replyHeader + before);

    clickButton(page.get(), qPrintable(m_model.defaultsButton));

    QCOMPARE(page->encodeConfig().toHex(' '), GaConfig::defaults().encode().toHex(' '));
    const QStringList disabled = {"PobOpcjaA", "PobOpcjaC",    "PobOpcjaD",        "PobOpcjaE",
                                  "PK1Trwale", "PK1Impulsowy", "PK1BrakKasowania", "PK1ImpulsT",
                                  "PK2Trwale", "PK2Impulsowy", "PK2DoSkasowania",  "PK2ImpulsT"};
    const QStringList enabled = {"PobOpcjaB",   "PK1DoSkasowania",  "PK2BrakKasowania",
                                 "PK1Inwersja", "PK2Inwersja",      "MigoweSzybkie",
                                 "MigoweWolne", "SamokasowanieLED", "MigoweSzyIWolKasowanie"};
    for (const QString &name : disabled)
        QVERIFY2(!widget<QWidget>(*page, name)->isEnabled(), qPrintable(name));
    for (const QString &name : enabled)
        QVERIFY2(widget<QWidget>(*page, name)->isEnabled(), qPrintable(name));
}

void GaPageTests::untouchedWriteBackKeepsEveryByte()
{
    const QVector<CodecDomain> variants = codecDomainsOf(m_model.identity);
    QCOMPARE(variants.size(), 2);
    for (const CodecDomain &domain : variants) {
        auto page = m_model.makePage();
        page->setRangeVariant(domain.rangeVariant);
        const QString lost = firstLostSetting(
            domain,
            [&page](const QByteArray &reply) {
                page->decodeConfig(reply);
                return page->encodeConfig();
            },
            RepliesPerVariant, 0x4446);
        QVERIFY2(lost.isEmpty(), qPrintable(lost));
    }
}

void GaPageTests::delayOffTheGridIsWrittenBackAsRead()
{
    // 2.35 s and 24.99 s: counts between two 100 ms steps.
    const QByteArray delays = bytes({0xEB, 0xC3, 0x00, 0x09});
    auto page = m_model.makePage();
    page->setRangeVariant(QStringLiteral("1"));
    page->decodeConfig(m_model.replyHeader + QByteArray(7, '\0') + delays);
    QCOMPARE(widget<QDoubleSpinBox>(*page, "OpoznieniePojawienie")->value(), 2.35);
    QCOMPARE(page->encodeConfig().mid(9, 4).toHex(' '), delays.toHex(' '));

    // Once the engineer edits a delay, it goes out as edited.
    widget<QDoubleSpinBox>(*page, "OpoznienieZanik")->setValue(3.0);
    QCOMPARE(page->encodeConfig().mid(9, 4).toHex(' '), QByteArray("eb 2c 00 01"));
}

void GaPageTests::interlocks_data()
{
    // Replies (bytes 2 onwards) decoded one after the other, then boxes clicked as the
    // engineer does; the expected states as stateOf() writes them.
    QTest::addColumn<QList<QByteArray>>("replies");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("expected");

    using Replies = QList<QByteArray>;
    const auto hex = [](const char *bytes) { return QByteArray::fromHex(bytes); };
    // Decoding: the later box wins and the closing update settles the enabled states.
    QTest::newRow("bits 0 and 3 after latched: pulse mode wins")
        << Replies{hex("01"), hex("09 07")} << QStringList()
        << QStringList{"PK1Impulsowy: checked, enabled", "PK1DoSkasowania: unchecked, disabled",
                       "PK1Trwale: unchecked, disabled", "PK1ImpulsT: 7, enabled"};
    QTest::newRow("all four modes of relay 2")
        << Replies{hex("00 00 0f 64")} << QStringList()
        << QStringList{"PK2Impulsowy: checked, enabled", "PK2BrakKasowania: unchecked, disabled",
                       "PK1Impulsowy: unchecked, enabled", "PK2ImpulsT: 100, enabled"};
    QTest::newRow("bits 0 and 1 after pulse mode")
        << Replies{hex("08"), hex("03 00")} << QStringList()
        << QStringList{"PK1BrakKasowania: checked, enabled", "PK1Impulsowy: unchecked, disabled",
                       "PK1ImpulsT: 1, disabled"};
    QTest::newRow("pulse mode cleared, inversion kept")
        << Replies{hex("00 00 08"), hex("00 00 10 65")} << QStringList()
        << QStringList{"PK2Inwersja: checked, enabled", "PK2Impulsowy: unchecked, enabled",
                       "PK2DoSkasowania: unchecked, enabled", "PK2ImpulsT: 100, disabled"};
    QTest::newRow("every scheme: the last wins")
        << Replies{hex("00 00 00 00 02"), hex("00 00 00 00 1f")} << QStringList()
        << QStringList{"PobOpcjaE: checked, enabled", "PobOpcjaA: unchecked, disabled",
                       "PobOpcjaD: unchecked, disabled"};
    QTest::newRow("bits 0 and 2 after E")
        << Replies{hex("00 00 00 00 10"), hex("00 00 00 00 05")} << QStringList()
        << QStringList{"PobOpcjaC: checked, enabled", "PobOpcjaE: unchecked, disabled"};
    QTest::newRow("scheme bits 5-7 ignored")
        << Replies{hex("00 00 00 00 e2")} << QStringList()
        << QStringList{"PobOpcjaB: checked, enabled", "PobOpcjaA: unchecked, disabled"};
    QTest::newRow("no scheme after C")
        << Replies{hex("00 00 00 00 04"), QByteArray()} << QStringList()
        << QStringList{"PobOpcjaC: unchecked, enabled", "PobOpcjaA: unchecked, enabled"};

    // Clicks.
    QTest::newRow("pulse mode clicked")
        << Replies() << QStringList{"PK1Impulsowy"}
        << QStringList{"PK1Trwale: unchecked, disabled", "PK1ImpulsT: 1, enabled",
                       "PK2Trwale: unchecked, enabled"};
    QTest::newRow("a disabled mode cannot be picked as a second one")
        << Replies() << QStringList{"PK1Impulsowy", "PK1Trwale"}
        << QStringList{"PK1Impulsowy: checked, enabled", "PK1Trwale: unchecked, disabled"};
    QTest::newRow("pulse mode clicked off")
        << Replies() << QStringList{"PK1Impulsowy", "PK1Impulsowy"}
        << QStringList{"PK1Trwale: unchecked, enabled", "PK1ImpulsT: 1, disabled"};
    QTest::newRow("inversion beside a mode")
        << Replies() << QStringList{"PK1DoSkasowania", "PK1Inwersja"}
        << QStringList{"PK1Inwersja: checked, enabled", "PK1Trwale: unchecked, disabled",
                       "PK1ImpulsT: 1, disabled"};
    QTest::newRow("scheme clicked")
        << Replies() << QStringList{"PobOpcjaC"} << QStringList{"PobOpcjaA: unchecked, disabled"};
    QTest::newRow("scheme clicked off") << Replies() << QStringList{"PobOpcjaC", "PobOpcjaC"}
                                        << QStringList{"PobOpcjaA: unchecked, enabled"};
}

void GaPageTests::interlocks()
{
    QFETCH(QList<QByteArray>, replies);
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, expected);

    auto page = m_model.makePage();
    for (const QByteArray &reply : replies)
        page->decodeConfig(m_model.replyHeader + reply);
    for (const QString &name : clicks)
        box(*page, name)->click();
    for (const QString &line : expected) {
        const QString name = line.section(QLatin1Char(':'), 0, 0);
        QCOMPARE(stateOf(*page, name), line);
    }
}

void GaPageTests::delaysClampToTheForm_data()
{
    QTest::addColumn<QString>("variant");
    QTest::addColumn<QByteArray>("delays");
    QTest::addColumn<double>("appearance");
    QTest::addColumn<double>("disappearance");

    QTest::newRow("zero counts show the shortest delay")
        << "1" << bytes({0, 0, 0, 0}) << m_model.minimumDelay << m_model.minimumDelay;
    QTest::newRow("counts above the long maximum")
        << "1" << bytes({0xC5, 0xFF, 0x09, 0xFF}) << 25.0 << 25.0;
    QTest::newRow("short range clamps") << "0" << bytes({0xC4, 0xF0, 0x09, 0x00}) << 2.5 << 2.4;
}

void GaPageTests::delaysClampToTheForm()
{
    QFETCH(QString, variant);
    QFETCH(QByteArray, delays);
    QFETCH(double, appearance);
    QFETCH(double, disappearance);

    auto page = m_model.makePage();
    page->setRangeVariant(variant);
    setDelays(*page, 1.0, 1.0);
    page->decodeConfig(m_model.replyHeader + QByteArray(7, '\0') + delays);
    QCOMPARE(widget<QDoubleSpinBox>(*page, "OpoznieniePojawienie")->value(), appearance);
    QCOMPARE(widget<QDoubleSpinBox>(*page, "OpoznienieZanik")->value(), disappearance);
}

void GaPageTests::rangeVariantSetsDelayMaximum_data()
{
    QTest::addColumn<QStringList>("variants");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("value");

    QTest::newRow("long range keeps 25.0 s") << QStringList{"1"} << 25.0 << 25.0;
    QTest::newRow("short range clamps 25.0 s") << QStringList{"0"} << 2.5 << 2.5;
    QTest::newRow("missing byte reads as character 0")
        << QStringList{QString(QChar(0))} << 2.5 << 2.5;
    QTest::newRow("back to long range keeps the clamped value")
        << QStringList{"0", "1"} << 25.0 << 2.5;
}

void GaPageTests::rangeVariantSetsDelayMaximum()
{
    QFETCH(QStringList, variants);
    QFETCH(double, maximum);
    QFETCH(double, value);

    auto page = m_model.makePage();
    setDelays(*page, 25.0, 25.0);
    for (const QString &variant : variants)
        page->setRangeVariant(variant);

    for (const QString &name : Delays) {
        auto *delay = widget<QDoubleSpinBox>(*page, name);
        QCOMPARE(delay->maximum(), maximum);
        QCOMPARE(delay->minimum(), m_model.minimumDelay);
        QCOMPARE(delay->value(), value);
    }
}

void GaPageTests::buttonsEmitTheirSignal_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("signal");

    QTest::newRow("send") << m_model.sendButton << m_model.sendSignal;
    QTest::newRow("read") << m_model.readButton << m_model.readSignal;
    QTest::newRow("LED test") << m_model.ledTestButton << m_model.ledTestSignal;
    QTest::newRow("defaults") << m_model.defaultsButton << QByteArray();
    QTest::newRow("LED reset") << "KASOWANIE" << QByteArray();
}

void GaPageTests::buttonsEmitTheirSignal()
{
    QFETCH(QString, button);
    QFETCH(QByteArray, signal);

    auto page = m_model.makePage();
    QList<QPair<QByteArray, QSharedPointer<QSignalSpy>>> spies;
    for (const QByteArray &each :
         {m_model.sendSignal, m_model.readSignal, m_model.backSignal, m_model.ledTestSignal})
        spies << qMakePair(each, QSharedPointer<QSignalSpy>::create(page.get(), each.constData()));

    clickButton(page.get(), qPrintable(button));

    for (const auto &spy : spies)
        QCOMPARE(spy.second->count(), spy.first == signal ? 1 : 0);
}

void GaPageTests::disconnectClosesPage()
{
    auto page = m_model.makePage();
    page->show();
    QSignalSpy back(page.get(), m_model.backSignal.constData());
    clickButton(page.get(), qPrintable(m_model.disconnectButton));
    QCOMPARE(back.count(), 1);
    QVERIFY(!page->isVisible());
}

void GaPageTests::configurationReplyReachesOnlyItsPage()
{
    ORVA2 window;
    GaPage &own = m_model.pageIn(window);
    GaPage &other = m_model.otherPageIn(window);
    const QByteArray untouched = other.encodeConfig();
    const QByteArray payload =
        bytes({0x08, 0x07, 0x04, 0x02, 0x10, 0x05, 0x01, 0x2C, 0xE2, 0x01, 0x04, 0x00});

    window.processBlock(m_model.replyHeader + payload);
    QCOMPARE(own.encodeConfig(), sentFrame(payload));
    QCOMPARE(other.encodeConfig(), untouched);
    QCOMPARE(logLinesOf(window), QStringList{"Konfiguracja pobrana"});

    window.processBlock(m_model.otherReplyHeader + QByteArray(Frame::Size - 2, '\x01'));
    QCOMPARE(own.encodeConfig(), sentFrame(payload));
}

void GaPageTests::identificationSetsDelayRange_data()
{
    QTest::addColumn<char>("variant");
    QTest::addColumn<double>("maximum");

    QTest::newRow("long range") << '1' << 25.0;
    QTest::newRow("short range") << '0' << 2.5;
}

void GaPageTests::identificationSetsDelayRange()
{
    QFETCH(char, variant);
    QFETCH(double, maximum);

    SimulatedConnection connection(m_model.identity);
    connection.device().setRangeVariant(variant);
    QVERIFY(connection.connectAndLoad());

    GaPage &page = m_model.pageIn(connection.window());
    for (const QString &name : Delays)
        QCOMPARE(widget<QDoubleSpinBox>(page, name)->maximum(), maximum);
    QCOMPARE(widget<QLabel>(page, "wersja")->text(),
             QStringLiteral("v03d15m07r") + QLatin1Char(variant));
}

void GaPageTests::writeThenReadThroughDevice()
{
    SimulatedConnection connection(m_model.identity);
    connection.device().setRangeVariant('1');
    QVERIFY(connection.connectAndLoad());
    GaPage &page = m_model.pageIn(connection.window());

    clickButton(&page, qPrintable(m_model.defaultsButton));
    for (const char *name : {"PK2BrakKasowania", "PK2Impulsowy", "PobOpcjaB", "PobOpcjaE",
                             "PK1Inwersja", "SamokasowanieLED"})
        box(page, name)->click();
    widget<QSpinBox>(page, "PK2ImpulsT")->setValue(55);
    widget<QComboBox>(page, "ZanikPobudzenie")->setCurrentIndex(1);
    setDelays(page, 25.0, 2.3);
    const QByteArray written = page.encodeConfig();
    QCOMPARE(written,
             sentFrame(bytes({0x11, 0x03, 0x08, 55, 0x10, 0x07, 0x01, 0xC4, 0xE6, 0x09, 0x00, 0})));

    connection.device().clearReceivedFrames();
    clickButton(&page, qPrintable(m_model.sendButton));
    QVERIFY(connection.waitForFrames(1));
    QCOMPARE(connection.device().receivedFrames(), QList<QByteArray>{written});
    QTRY_COMPARE(connection.logLines().last(), QStringLiteral("Konfiguracja odebrana"));
    QCOMPARE(connection.device().storedPayload(), written.mid(2));

    clickButton(&page, qPrintable(m_model.defaultsButton));
    QVERIFY(page.encodeConfig() != written);
    clickButton(&page, qPrintable(m_model.readButton));
    QTRY_COMPARE(connection.logLines().last(), QStringLiteral("Konfiguracja pobrana"));
    QCOMPARE(page.encodeConfig(), written);
}

void GaPageTests::ledTestIsSentAndResetIsNot()
{
    SimulatedConnection connection(m_model.identity);
    QVERIFY(connection.connectAndLoad());
    GaPage &page = m_model.pageIn(connection.window());
    connection.device().clearReceivedFrames();
    const int linesBefore = connection.logLines().size();

    // Both go out over the same line in order, so anything the reset sent would come first.
    clickButton(&page, "KASOWANIE");
    clickButton(&page, qPrintable(m_model.ledTestButton));
    QVERIFY(connection.waitForFrames(1));
    QTRY_COMPARE(connection.logLines().mid(linesBefore), QStringList({"Próba LED", "RGB"}));
    QCOMPARE(connection.device().receivedFrames(), QList<QByteArray>{Frame::ledTestCommand()});
}
