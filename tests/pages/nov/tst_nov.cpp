#include "tests/codecs/untouchedwriteback.h"
#include "tests/support/simulatedconnection.h"
#include "tests/support/widgets.h"

#include "pages/nov/nov.h"
#include "protocol/frames.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <array>

namespace {

// Integer part and digits after the comma of AA, AB, BA, BB, then calibration.
struct Settings
{
    std::array<int, 8> spins;
    bool calibration;
};

const std::array<const char *, 8> SpinNames = {"ZakresAA1", "ZakresAA2", "ZakresAB1", "ZakresAB2",
                                               "ZakresBA1", "ZakresBA2", "ZakresBB1", "ZakresBB2"};

QSpinBox *spinBox(QWidget &page, const char *name)
{
    return widget<QSpinBox>(page, QLatin1String(name));
}

QCheckBox *calibration(QWidget &page)
{
    return page.findChild<QCheckBox *>(QStringLiteral("TrybKalibracji"));
}

void apply(QWidget &page, const Settings &settings)
{
    for (std::size_t i = 0; i < SpinNames.size(); ++i)
        spinBox(page, SpinNames[i])->setValue(settings.spins[i]);
    calibration(page)->setChecked(settings.calibration);
}

Settings formOf(QWidget &page)
{
    Settings settings{};
    for (std::size_t i = 0; i < SpinNames.size(); ++i)
        settings.spins[i] = spinBox(page, SpinNames[i])->value();
    settings.calibration = calibration(page)->isChecked();
    return settings;
}

bool operator==(const Settings &a, const Settings &b)
{
    return a.spins == b.spins && a.calibration == b.calibration;
}

char *toString(const Settings &settings)
{
    QStringList values;
    for (int value : settings.spins)
        values << QString::number(value);
    values << (settings.calibration ? QStringLiteral("calibration") : QStringLiteral("normal"));
    return qstrdup(qPrintable(values.join(QLatin1Char(' '))));
}

// A frame: its header, then the payload spelled in hexadecimal.
QByteArray withHeader(const char *header, const char *payloadHex)
{
    return QByteArray(header) + QByteArray::fromHex(payloadHex);
}

const Settings Scrambled = {{-7, 7, 8, 8, -9, 9, 10, 10}, true};

} // namespace

Q_DECLARE_METATYPE(Settings)

class tst_Nov : public QObject
{
    Q_OBJECT

private slots:
    void untouchedWriteBackKeepsEveryByte();
    void negativeZeroKeepsItsSign();
    void engineerCanTypeNegativeZero();
    void fractionAbove99Shows99();
    void menuButtons_data();
    void menuButtons();
    void writeThenReadThroughDevice();
};

void tst_Nov::untouchedWriteBackKeepsEveryByte()
{
    nov page;
    for (const CodecDomain &domain : codecDomainsOf(Frame::Reply::Nov)) {
        const QString lost = firstLostSetting(
            domain,
            [&page](const QByteArray &reply) {
                page.decodeConfig(reply);
                return page.encodeConfig();
            },
            300, 0x444e);
        QVERIFY2(lost.isEmpty(), qPrintable(lost));
    }
}

void tst_Nov::negativeZeroKeepsItsSign()
{
    nov page;
    // -0,50 for B of range A: the sign travels in bit 1 of the flags with a magnitude of 0.
    const QByteArray received =
        withHeader(Frame::Reply::NovConfig, "0000 0032 0000 0000 02 010203");
    page.decodeConfig(received);
    QCOMPARE(spinBox(page, "ZakresAB1")->text(), QStringLiteral("-0"));
    QCOMPARE(page.encodeConfig(), withHeader("\nU", "0000 0032 0000 0000 02 010203"));

    // A value the engineer brings to 0 is +0, as before.
    apply(page, {{0, 0, -3, 50, 0, 0, 0, 0}, false});
    spinBox(page, "ZakresAB1")->setValue(0);
    QCOMPARE(spinBox(page, "ZakresAB1")->text(), QStringLiteral("0"));
    QCOMPARE(page.encodeConfig(), withHeader("\nU", "0000 0032 0000 0000 00 010203"));

    // Reading a positive zero over a negative one clears the sign.
    page.decodeConfig(received);
    page.decodeConfig(withHeader(Frame::Reply::NovConfig, "0000 0032 0000 0000 00"));
    QCOMPARE(spinBox(page, "ZakresAB1")->text(), QStringLiteral("0"));
}

void tst_Nov::engineerCanTypeNegativeZero()
{
    nov page;
    page.show();
    QSpinBox *integerPart = spinBox(page, "ZakresBA1");
    spinBox(page, "ZakresBA2")->setValue(25);
    const auto type = [integerPart](const char *text) {
        integerPart->setFocus();
        integerPart->selectAll();
        QTest::keyClicks(integerPart, QLatin1String(text));
        QTest::keyClick(integerPart, Qt::Key_Return);
    };

    type("-0");
    QCOMPARE(integerPart->text(), QStringLiteral("-0"));
    QCOMPARE(page.encodeConfig().at(10), '\x04');
    QCOMPARE(page.encodeConfig().mid(6, 2), QByteArray::fromHex("0019"));

    type("0");
    QCOMPARE(page.encodeConfig().at(10), '\x00');

    // Stepping away from -0 leaves an ordinary signed value.
    type("-0");
    QTest::keyClick(integerPart, Qt::Key_Up);
    QCOMPARE(integerPart->value(), 1);
    QCOMPARE(page.encodeConfig().at(10), '\x00');
}

void tst_Nov::fractionAbove99Shows99()
{
    nov page;
    page.decodeConfig(withHeader("DN", "01ff 0264 0364 0463 00"));
    QCOMPARE(formOf(page), (Settings{{1, 99, 2, 99, 3, 99, 4, 99}, false}));
}

void tst_Nov::menuButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<bool>("staysOpen");
    QTest::newRow("send") << "ZapiszNOV" << QByteArray(SIGNAL(WyslijDaneNOV())) << true;
    QTest::newRow("read") << "DZNOV" << QByteArray(SIGNAL(PobierzDaneZNOV())) << true;
    QTest::newRow("LED test") << "pLED" << QByteArray(SIGNAL(ProbaLEDNOV())) << true;
    QTest::newRow("disconnect closes the page")
        << "rozlaczNOV" << QByteArray(SIGNAL(PowrotPoczatekNOV())) << false;
}

void tst_Nov::menuButtons()
{
    QFETCH(QString, button);
    QFETCH(QByteArray, signal);
    QFETCH(bool, staysOpen);
    nov page;
    page.show();
    QSignalSpy spy(&page, signal.constData());

    QTest::mouseClick(page.findChild<QWidget *>(button), Qt::LeftButton);

    QCOMPARE(spy.count(), 1);
    QCOMPARE(page.isVisible(), staysOpen);
}

void tst_Nov::writeThenReadThroughDevice()
{
    SimulatedConnection connection(Frame::Reply::Nov);
    connection.device().setStoredPayload(QByteArray::fromHex("0c22 0000 0000 0000 01"));
    QVERIFY(connection.connectAndLoad());
    nov &page = connection.window().novPage();
    QCOMPARE(connection.logLines().last(), QStringLiteral("Konfiguracja pobrana NOV"));
    QCOMPARE(formOf(page), (Settings{{-12, 34, 0, 0, 0, 0, 0, 0}, false}));

    const Settings edited = {{3, 5, -1, 99, 0, 7, -200, 1}, true};
    apply(page, edited);
    connection.device().clearReceivedFrames();
    clickButton(&page, "ZapiszNOV");
    QVERIFY(connection.waitForFrames(1));
    const QByteArray payload = QByteArray::fromHex("0305 0163 0007 c801 1a 010203");
    QCOMPARE(connection.device().receivedFrames(), QList<QByteArray>{QByteArray("\nU") + payload});
    QTRY_COMPARE(connection.logLines().last(), QStringLiteral("Konfiguracja odebrana"));

    apply(page, Scrambled);
    clickButton(&page, "DZNOV");
    QTRY_COMPARE(connection.logLines().count(QStringLiteral("Konfiguracja pobrana NOV")), 2);
    QCOMPARE(formOf(page), edited);
}

QTEST_MAIN(tst_Nov)
#include "tst_nov.moc"
