#include "tests/support/simulatedconnection.h"
#include "tests/support/urlrecorder.h"

#include "pages/zegar/milisekundomierz.h"
#include "protocol/frames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTest>
#include <QUrl>

namespace {

const QStringList ModeNames = {"MSTP1", "MSTP2", "MSTP3", "MSTP4", "MSTP6", "MSTP5"};

QCheckBox *checkBox(QWidget &page, const QString &name)
{
    auto *box = page.findChild<QCheckBox *>(name);
    Q_ASSERT_X(box, "checkBox", qPrintable(name));
    return box;
}

QComboBox *comboBox(QWidget &page, const QString &name)
{
    auto *combo = page.findChild<QComboBox *>(name);
    Q_ASSERT_X(combo, "comboBox", qPrintable(name));
    return combo;
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
    void freshFormSetsNothing();
    void encodes_data();
    void encodes();
    void atMostOneModeIsTicked();
    void defaultsReplaceAnyForm();
    void decodes_data();
    void decodes();
    void menuButtons_data();
    void menuButtons();
    void documentationOpensTheManual();
    void writeThenReadThroughDevice();
};

void tst_Milisekundomierz::freshFormSetsNothing()
{
    Milisekundomierz page;
    verifyForm(page, {{}, 0, false, 0});
}

void tst_Milisekundomierz::encodes_data()
{
    QTest::addColumn<Settings>("form");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("nothing set") << Settings{{}, 0, false, 0} << QByteArray::fromHex("000000");
    QTest::newRow("A") << Settings{{"MSTP1"}, 0, false, 0} << QByteArray::fromHex("010000");
    QTest::newRow("B") << Settings{{"MSTP2"}, 0, false, 0} << QByteArray::fromHex("020000");
    QTest::newRow("C") << Settings{{"MSTP3"}, 0, false, 0} << QByteArray::fromHex("040000");
    QTest::newRow("D") << Settings{{"MSTP4"}, 0, false, 0} << QByteArray::fromHex("080000");
    QTest::newRow("E is bit 4") << Settings{{"MSTP6"}, 0, false, 0}
                                << QByteArray::fromHex("100000");
    QTest::newRow("AUTO is bit 5")
        << Settings{{"MSTP5"}, 0, false, 0} << QByteArray::fromHex("200000");
    QTest::newRow("both on loss") << Settings{{}, 1, false, 1} << QByteArray::fromHex("000101");
    QTest::newRow("start clears") << Settings{{}, 0, true, 0} << QByteArray::fromHex("000200");
    QTest::newRow("start on loss and clears")
        << Settings{{"MSTP2"}, 1, true, 0} << QByteArray::fromHex("020300");
}

void tst_Milisekundomierz::encodes()
{
    QFETCH(Settings, form);
    QFETCH(QByteArray, expected);
    Milisekundomierz page;
    apply(page, form);
    const QByteArray frame = page.encodeConfig();
    QCOMPARE(frame, frameWith(expected));
    QCOMPARE(page.encodeConfig(), frame);
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
    QCOMPARE(page.encodeConfig(), frameWith(QByteArray::fromHex("010200")));
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
    QTest::newRow("E alone") << QByteArray::fromHex("444b100000")
                             << Settings{{"MSTP6"}, 0, false, 0};
    QTest::newRow("no mode clears the ticked one")
        << QByteArray::fromHex("444b000000") << Settings{{}, 0, false, 0};
    QTest::newRow("bits 6 and 7 are no mode")
        << QByteArray::fromHex("444bc00000") << Settings{{}, 0, false, 0};
    QTest::newRow("start and stop on loss, start clears")
        << QByteArray::fromHex("444b010301") << Settings{{"MSTP1"}, 1, true, 1};
    QTest::newRow("unnamed start and stop bits ignored")
        << QByteArray::fromHex("444b02fcfe") << Settings{{"MSTP2"}, 0, false, 0};
    QTest::newRow("header only") << QByteArray("DK") << Settings{{}, 0, false, 0};
    QTest::newRow("short block reads missing bytes as 0")
        << QByteArray::fromHex("444b08") << Settings{{"MSTP4"}, 0, false, 0};
    QTest::newRow("bytes after the fifth ignored")
        << QByteArray::fromHex("444b200201ffffffffffffffffffff") << Settings{{"MSTP5"}, 0, true, 1};
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
    QTest::newRow("view is inactive") << "WidokUrzadzeniaZEGAR" << QStringList();
    QTest::newRow("reset is inactive") << "KASOWANIE" << QStringList();
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

void tst_Milisekundomierz::documentationOpensTheManual()
{
    Milisekundomierz page;
    UrlRecorder recorder;
    QTest::mouseClick(page.findChild<QWidget *>(QStringLiteral("DTRZEGAR")), Qt::LeftButton);

    const QUrl manual(QLatin1String(DevicePage::DocumentationHost) +
                      QLatin1String("/wp-content/uploads/2024/06/DTR_ZEGAR-1.pdf"));
    QCOMPARE(recorder.urls, QList<QUrl>{manual});
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
