#include "tests/codecs/untouchedwriteback.h"
#include "tests/support/simulatedconnection.h"
#include "tests/support/widgets.h"

#include "codecs/zegarconfig.h"
#include "pages/zegar/milisekundomierz.h"
#include "protocol/frames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTest>

namespace {

const QStringList ModeNames = {"MSTP1", "MSTP2", "MSTP3", "MSTP4", "MSTP6", "MSTP5"};

QCheckBox *checkBox(QWidget &page, const QString &name)
{
    return widget<QCheckBox>(page, name);
}

QComboBox *comboBox(QWidget &page, const QString &name)
{
    return widget<QComboBox>(page, name);
}

QStringList tickedModes(QWidget &page)
{
    QStringList ticked;
    for (const QString &name : ModeNames) {
        if (checkBox(page, name)->isChecked())
            ticked << name;
    }
    return ticked;
}

// The form as the tests compare it: ticked modes, start item, start clears, stop item.
struct Settings
{
    QStringList modes;
    int startItem;
    bool startClears;
    int stopItem;
};

void apply(QWidget &page, const Settings &settings)
{
    for (const QString &name : ModeNames)
        checkBox(page, name)->setChecked(settings.modes.contains(name));
    comboBox(page, "MSStartPojOpad")->setCurrentIndex(settings.startItem);
    checkBox(page, "MSStartKasuje")->setChecked(settings.startClears);
    comboBox(page, "MSStopPojOpad")->setCurrentIndex(settings.stopItem);
}

void verifyForm(QWidget &page, const Settings &expected)
{
    QCOMPARE(tickedModes(page), expected.modes);
    QCOMPARE(comboBox(page, "MSStartPojOpad")->currentIndex(), expected.startItem);
    QCOMPARE(checkBox(page, "MSStartKasuje")->isChecked(), expected.startClears);
    QCOMPARE(comboBox(page, "MSStopPojOpad")->currentIndex(), expected.stopItem);
}

QByteArray frameWith(const QByteArray &payloadStart)
{
    QByteArray frame = Frame::configFrame();
    frame.replace(2, payloadStart.size(), payloadStart);
    return frame;
}

// Names of the page signals in the order the page emits them.
void recordSignals(Milisekundomierz &page, QStringList &log)
{
    QObject::connect(&page, &Milisekundomierz::PowrotPoczatekZEGAR,
                     [&log] { log << "PowrotPoczatekZEGAR"; });
    QObject::connect(&page, &Milisekundomierz::WyslijDaneZEGAR,
                     [&log] { log << "WyslijDaneZEGAR"; });
    QObject::connect(&page, &Milisekundomierz::PobierzDaneZZEGAR,
                     [&log] { log << "PobierzDaneZZEGAR"; });
    QObject::connect(&page, &Milisekundomierz::ProbaLEDZEGAR, [&log] { log << "ProbaLEDZEGAR"; });
}

} // namespace

Q_DECLARE_METATYPE(Settings)

class tst_Milisekundomierz : public QObject
{
    Q_OBJECT

private slots:
    void untouchedWriteBackKeepsEveryByte();
    void atMostOneModeIsTicked();
    void defaultsReplaceAnyForm();
    void decodes_data();
    void decodes();
    void menuButtons_data();
    void menuButtons();
    void writeThenReadThroughDevice();
};

void tst_Milisekundomierz::untouchedWriteBackKeepsEveryByte()
{
    Milisekundomierz page;
    for (const CodecDomain &domain : codecDomainsOf(Frame::Reply::Zegar)) {
        const QString lost = firstLostSetting(
            domain,
            [&page](const QByteArray &reply) {
                page.decodeConfig(reply);
                return page.encodeConfig();
            },
            300, 0x444b);
        QVERIFY2(lost.isEmpty(), qPrintable(lost));
    }
}

void tst_Milisekundomierz::atMostOneModeIsTicked()
{
    Milisekundomierz page;
    // Walk through every mode, each time from the previous one ticked.
    for (const QString &name : ModeNames) {
        QTest::mouseClick(checkBox(page, name), Qt::LeftButton);
        QCOMPARE(tickedModes(page), QStringList{name});
    }
    // Clearing the ticked mode leaves none: nothing comes back on its own.
    QTest::mouseClick(checkBox(page, "MSTP5"), Qt::LeftButton);
    QCOMPARE(tickedModes(page), QStringList());
    for (const QString &name : ModeNames)
        QVERIFY2(checkBox(page, name)->isEnabled(), qPrintable(name));
}

void tst_Milisekundomierz::defaultsReplaceAnyForm()
{
    Milisekundomierz page;
    apply(page, {{"MSTP6"}, 1, false, 1});
    QStringList emitted;
    recordSignals(page, emitted);

    QTest::mouseClick(page.findChild<QWidget *>(QStringLiteral("DomyslneZEGAR")), Qt::LeftButton);

    verifyForm(page, {{"MSTP1"}, 0, true, 0});
    QCOMPARE(page.encodeConfig().toHex(' '), ZegarConfig::defaults().encode().toHex(' '));
    QCOMPARE(emitted, QStringList());
}

void tst_Milisekundomierz::decodes_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<Settings>("expected");
    // Frame order ticks MSTP1..MSTP4, MSTP6, MSTP5; each tick clears the earlier ones.
    QTest::newRow("A and C leave C")
        << QByteArray::fromHex("444b050000") << Settings{{"MSTP3"}, 0, false, 0};
    QTest::newRow("E and AUTO leave AUTO")
        << QByteArray::fromHex("444b300000") << Settings{{"MSTP5"}, 0, false, 0};
    QTest::newRow("every mode leaves AUTO")
        << QByteArray::fromHex("444b3f0000") << Settings{{"MSTP5"}, 0, false, 0};
    QTest::newRow("no mode clears the ticked one")
        << QByteArray::fromHex("444b000000") << Settings{{}, 0, false, 0};
    QTest::newRow("start and stop on loss, start clears")
        << QByteArray::fromHex("444b010301") << Settings{{"MSTP1"}, 1, true, 1};
    QTest::newRow("unnamed start and stop bits ignored")
        << QByteArray::fromHex("444b02fcfe") << Settings{{"MSTP2"}, 0, false, 0};
}

void tst_Milisekundomierz::decodes()
{
    QFETCH(QByteArray, block);
    QFETCH(Settings, expected);
    Milisekundomierz page;
    // Start from a form unlike most expectations so every field has to be set.
    apply(page, {{"MSTP4"}, 1, true, 1});
    page.decodeConfig(block);
    verifyForm(page, expected);
}

void tst_Milisekundomierz::menuButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("send") << "ZapiszZEGAR" << QStringList{"WyslijDaneZEGAR"};
    QTest::newRow("read") << "DZZEGAR" << QStringList{"PobierzDaneZZEGAR"};
    QTest::newRow("LED test") << "pLED" << QStringList{"ProbaLEDZEGAR"};
    QTest::newRow("disconnect keeps the page open")
        << "rozlaczZEGAR" << QStringList{"PowrotPoczatekZEGAR"};
}

void tst_Milisekundomierz::menuButtons()
{
    QFETCH(QString, button);
    QFETCH(QStringList, expected);
    Milisekundomierz page;
    page.show();
    apply(page, {{"MSTP2"}, 1, true, 0});
    const QByteArray before = page.encodeConfig();
    QStringList emitted;
    recordSignals(page, emitted);

    QTest::mouseClick(page.findChild<QWidget *>(button), Qt::LeftButton);

    QCOMPARE(emitted, expected);
    QVERIFY(page.isVisible());
    QCOMPARE(page.encodeConfig(), before);
}

void tst_Milisekundomierz::writeThenReadThroughDevice()
{
    SimulatedConnection connection(Frame::Reply::Zegar);
    connection.device().setStoredPayload(QByteArray::fromHex("300301"));
    QVERIFY(connection.connectAndLoad());
    Milisekundomierz &page = connection.window().zegarPage();
    QCOMPARE(connection.logLines().last(), QStringLiteral("Konfiguracja pobrana ZEGR"));
    verifyForm(page, {{"MSTP5"}, 1, true, 1});

    apply(page, {{"MSTP4"}, 0, false, 1});
    connection.device().clearReceivedFrames();
    clickButton(&page, "ZapiszZEGAR");
    QVERIFY(connection.waitForFrames(1));
    QCOMPARE(connection.device().receivedFrames(),
             QList<QByteArray>{frameWith(QByteArray::fromHex("080001"))});
    QTRY_COMPARE(connection.logLines().last(), QStringLiteral("Konfiguracja odebrana"));

    clickButton(&page, "DomyslneZEGAR");
    clickButton(&page, "DZZEGAR");
    QTRY_COMPARE(connection.logLines().count(QStringLiteral("Konfiguracja pobrana ZEGR")), 2);
    verifyForm(page, {{"MSTP4"}, 0, false, 1});
}

QTEST_MAIN(tst_Milisekundomierz)
#include "tst_milisekundomierz.moc"
