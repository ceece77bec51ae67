#include "tests/support/simulatedconnection.h"
#include "tests/support/urlrecorder.h"
#include "tests/support/widgets.h"

#include "pages/brt/brt.h"
#include "protocol/frames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>

#include <memory>
#include <vector>

// The BRT-1 page: its frame in both directions, the previews and the relay interlock.
class tst_BRT : public QObject
{
    Q_OBJECT

private slots:
    void formAsBuiltEncodesFixedFrame();
    void defaultsSetInputsOnly();
    void delays_data();
    void delays();
    void optionBits_data();
    void optionBits();
    void roundTripKeepsEveryField();
    void colourField_data();
    void colourField();
    void shortBlockReadsMissingBytesAsZero();
    void relayInterlockOnClick_data();
    void relayInterlockOnClick();
    void relayDecodeLaterBitWins();
    void relayDecodeAlwaysConsistent();
    void swapPreview_data();
    void swapPreview();
    void previewPictures_data();
    void previewPictures();
    void buttonsEmitTheirSignals_data();
    void buttonsEmitTheirSignals();
    void configurationTravelsOverTheLink();
};

namespace {

QCheckBox *box(QWidget &page, const char *name)
{
    return widget<QCheckBox>(page, name);
}

QByteArray reply(const QByteArray &payload)
{
    return QByteArray(Frame::Reply::BrtConfig) + payload;
}

const char *const RelayBoxes[] = {"WE1_PK1", "WE1_PK2", "WE2_PK1", "WE2_PK2"};

} // namespace

void tst_BRT::formAsBuiltEncodesFixedFrame()
{
    BRT page;
    QCOMPARE(page.encodeConfig(), QByteArray::fromHex("0a55020101020101000000010203"));
    QCOMPARE(widget<QTabWidget>(page, "tabWidget")->currentIndex(), 0);
    QCOMPARE(widget<QStackedWidget>(page, "We1Wiz")->currentIndex(), 0);
    // Both inputs start red, so both previews start on their red picture.
    QCOMPARE(widget<QStackedWidget>(page, "We2Wiz")->currentIndex(), 0);
    QCOMPARE(widget<QLabel>(page, "wersja")->text(), QStringLiteral("d00m00r00"));
}

void tst_BRT::defaultsSetInputsOnly()
{
    BRT page;
    widget<QComboBox>(page, "We1Kolor")->setCurrentIndex(3);
    widget<QSpinBox>(page, "We1OpoznienieZaniku")->setValue(2000);
    widget<QSpinBox>(page, "We2OpoznieniePojawienia")->setValue(900);
    box(page, "PamiecStanu")->setChecked(true);
    box(page, "ZamianaKanalow")->setChecked(true);
    box(page, "WE2_PK2")->setChecked(true);

    QTest::mouseClick(widget<QPushButton>(page, "DomyslneBRT"), Qt::LeftButton);

    const QByteArray frame = page.encodeConfig();
    QCOMPARE(frame.mid(2, 6), QByteArray::fromHex("030101050101"));
    // The options of the second tab are the engineer's wiring and survive the defaults.
    QCOMPARE(quint8(frame[8]), quint8(0x05));
    QCOMPARE(quint8(frame[9]), quint8(0x08));
    // With swapped channels the previews show the swapped pictures of red and green.
    QCOMPARE(widget<QStackedWidget>(page, "We1Wiz")->currentIndex(), 4);
    QCOMPARE(widget<QStackedWidget>(page, "We2Wiz")->currentIndex(), 5);
}

void tst_BRT::delays_data()
{
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("sent");
    QTest::addColumn<int>("shownAfterReading");
    QTest::newRow("maximum") << 25500 << 0xFF << 25500;
    QTest::newRow("minimum") << 100 << 0x01 << 100;
    QTest::newRow("half a step is dropped") << 150 << 0x01 << 100;
    QTest::newRow("five steps") << 500 << 0x05 << 500;
}

// Each of the four delays travels as one byte of 100 ms; a row checks all four at once so a
// swapped pair of bytes shows up.
void tst_BRT::delays()
{
    QFETCH(int, shown);
    QFETCH(int, sent);
    QFETCH(int, shownAfterReading);
    const char *const names[] = {"We1OpoznieniePojawienia", "We1OpoznienieZaniku",
                                 "We2OpoznieniePojawienia", "We2OpoznienieZaniku"};
    const int bytes[] = {3, 4, 6, 7};

    for (int i = 0; i < 4; ++i) {
        BRT page;
        widget<QSpinBox>(page, names[i])->setValue(shown);
        const QByteArray frame = page.encodeConfig();
        for (int j = 0; j < 4; ++j)
            QCOMPARE(quint8(frame[bytes[j]]), quint8(i == j ? sent : 1));

        BRT reader;
        QByteArray payload = frame.mid(2);
        reader.decodeConfig(reply(payload));
        QCOMPARE(widget<QSpinBox>(reader, names[i])->value(), shownAfterReading);
        QCOMPARE(reader.encodeConfig(), frame);
    }

    BRT page;
    page.decodeConfig(reply(QByteArray::fromHex("02000002000000000000")));
    QCOMPARE(widget<QSpinBox>(page, "We1OpoznieniePojawienia")->value(), 100);
}

void tst_BRT::optionBits_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("bit");
    QTest::newRow("swap is bit 0") << "ZamianaKanalow" << 8 << 0;
    QTest::newRow("no fast blinking") << "BrakMigowego" << 8 << 1;
    QTest::newRow("latching") << "PamiecStanu" << 8 << 2;
    QTest::newRow("input 1 to PK1") << "WE1_PK1" << 9 << 0;
    QTest::newRow("input 1 to PK2") << "WE1_PK2" << 9 << 1;
    QTest::newRow("input 2 to PK1") << "WE2_PK1" << 9 << 2;
    QTest::newRow("input 2 to PK2") << "WE2_PK2" << 9 << 3;
    QTest::newRow("PK1 inverted") << "INWERSJA_PK1" << 9 << 4;
    QTest::newRow("PK2 inverted") << "INWERSJA_PK2" << 9 << 5;
}

void tst_BRT::optionBits()
{
    QFETCH(QString, name);
    QFETCH(int, byte);
    QFETCH(int, bit);

    BRT page;
    box(page, name.toLatin1())->setChecked(true);
    const QByteArray frame = page.encodeConfig();
    QCOMPARE(quint8(frame[8] | frame[9]), quint8(1u << bit));
    QCOMPARE(quint8(frame[byte]), quint8(1u << bit));

    BRT reader;
    QByteArray payload = Frame::configFrame().mid(2);
    payload[byte - 2] = char(1u << bit);
    reader.decodeConfig(reply(payload));
    const auto boxes = reader.findChildren<QCheckBox *>();
    for (QCheckBox *each : boxes)
        QCOMPARE(each->isChecked(), each->objectName() == name);
}

void tst_BRT::roundTripKeepsEveryField()
{
    BRT page;
    widget<QComboBox>(page, "We1Stan")->setCurrentIndex(1);
    widget<QComboBox>(page, "We1Kolor")->setCurrentIndex(3);
    widget<QSpinBox>(page, "We1OpoznieniePojawienia")->setValue(1200);
    widget<QSpinBox>(page, "We1OpoznienieZaniku")->setValue(25500);
    widget<QComboBox>(page, "We2Kolor")->setCurrentIndex(2);
    widget<QSpinBox>(page, "We2OpoznieniePojawienia")->setValue(300);
    widget<QSpinBox>(page, "We2OpoznienieZaniku")->setValue(4500);
    for (const char *name : {"ZamianaKanalow", "PamiecStanu", "WE1_PK2", "WE2_PK1", "INWERSJA_PK2"})
        box(page, name)->setChecked(true);

    const QByteArray frame = page.encodeConfig();
    QCOMPARE(frame, QByteArray::fromHex("0a55110cff08032d052600010203"));

    BRT reader;
    reader.decodeConfig(reply(frame.mid(2)));
    QCOMPARE(reader.encodeConfig(), frame);
    QCOMPARE(widget<QStackedWidget>(reader, "We1Wiz")->currentIndex(), 7);
    QCOMPARE(widget<QStackedWidget>(reader, "We2Wiz")->currentIndex(), 6);
}

void tst_BRT::colourField_data()
{
    QTest::addColumn<int>("modeByte");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("trigger");
    QTest::addColumn<int>("colour");
    QTest::newRow("red") << 0x02 << 3 << 0 << 0;
    QTest::newRow("green, excitation") << 0x05 << 3 << 1 << 1;
    QTest::newRow("blue, high bits ignored") << 0xE8 << 3 << 0 << 2;
    QTest::newRow("white") << 0x10 << 0 << 0 << 3;
    // A damaged field keeps the colour the form had, whichever bits it carries.
    QTest::newRow("no colour bit") << 0x01 << 3 << 1 << 3;
    QTest::newRow("red and green") << 0x06 << 3 << 0 << 3;
    QTest::newRow("blue and white") << 0x19 << 0 << 1 << 0;
    QTest::newRow("every colour bit") << 0x1E << 1 << 0 << 1;
}

void tst_BRT::colourField()
{
    QFETCH(int, modeByte);
    QFETCH(int, before);
    QFETCH(int, trigger);
    QFETCH(int, colour);

    for (const char *input : {"We1", "We2"}) {
        BRT page;
        auto *colourBox = widget<QComboBox>(page, QByteArray(input) + "Kolor");
        colourBox->setCurrentIndex(before);
        QByteArray payload(12, '\0');
        payload[input == QByteArray("We1") ? 0 : 3] = char(modeByte);
        page.decodeConfig(reply(payload));
        QCOMPARE(colourBox->currentIndex(), colour);
        QCOMPARE(widget<QComboBox>(page, QByteArray(input) + "Stan")->currentIndex(), trigger);
        QCOMPARE(widget<QStackedWidget>(page, QByteArray(input) + "Wiz")->currentIndex(), colour);
    }
}

void tst_BRT::shortBlockReadsMissingBytesAsZero()
{
    BRT page;
    widget<QComboBox>(page, "We1Stan")->setCurrentIndex(1);
    widget<QComboBox>(page, "We2Kolor")->setCurrentIndex(2);
    widget<QSpinBox>(page, "We2OpoznienieZaniku")->setValue(800);
    box(page, "BrakMigowego")->setChecked(true);
    box(page, "WE1_PK1")->setChecked(true);

    page.decodeConfig(QByteArray::fromHex("444d05"));

    QCOMPARE(widget<QComboBox>(page, "We1Stan")->currentIndex(), 1);
    QCOMPARE(widget<QComboBox>(page, "We1Kolor")->currentIndex(), 1);
    QCOMPARE(page.encodeConfig(), QByteArray::fromHex("0a55050101080101000000010203"));
    QVERIFY(box(page, "WE2_PK1")->isEnabled());
}

void tst_BRT::relayInterlockOnClick_data()
{
    QTest::addColumn<QString>("ticked");
    QTest::addColumn<QString>("sameInput");
    QTest::addColumn<QString>("sameRelay");
    QTest::newRow("WE1_PK1") << "WE1_PK1"
                             << "WE1_PK2"
                             << "WE2_PK1";
    QTest::newRow("WE1_PK2") << "WE1_PK2"
                             << "WE1_PK1"
                             << "WE2_PK2";
    QTest::newRow("WE2_PK1") << "WE2_PK1"
                             << "WE2_PK2"
                             << "WE1_PK1";
    QTest::newRow("WE2_PK2") << "WE2_PK2"
                             << "WE2_PK1"
                             << "WE1_PK2";
}

void tst_BRT::relayInterlockOnClick()
{
    QFETCH(QString, ticked);
    QFETCH(QString, sameInput);
    QFETCH(QString, sameRelay);

    BRT page;
    box(page, sameInput.toLatin1())->setChecked(true);
    QTest::mouseClick(box(page, ticked.toLatin1()), Qt::LeftButton);

    QVERIFY(box(page, ticked.toLatin1())->isChecked());
    QVERIFY(!box(page, sameInput.toLatin1())->isChecked());
    QVERIFY(box(page, sameInput.toLatin1())->isEnabled());
    QVERIFY(!box(page, sameRelay.toLatin1())->isChecked());
    QVERIFY(!box(page, sameRelay.toLatin1())->isEnabled());

    QTest::mouseClick(box(page, ticked.toLatin1()), Qt::LeftButton);
    for (const char *name : RelayBoxes)
        QVERIFY2(box(page, name)->isEnabled(), name);
}

void tst_BRT::relayDecodeLaterBitWins()
{
    BRT page;
    page.decodeConfig(reply(QByteArray::fromHex("020101020101000500000000")));
    QVERIFY(box(page, "WE2_PK1")->isChecked());
    QVERIFY(box(page, "WE2_PK1")->isEnabled());
    QVERIFY(!box(page, "WE1_PK1")->isChecked());
    QVERIFY(!box(page, "WE1_PK1")->isEnabled());
}

// Whatever byte 9 a device sends, the form ends with each input on at most one relay, each
// relay on at most one input, and exactly the boxes blocked by a ticked neighbour disabled.
void tst_BRT::relayDecodeAlwaysConsistent()
{
    for (int value = 0; value < 0x100; ++value) {
        BRT page;
        QByteArray payload(12, '\0');
        payload[7] = char(value);
        page.decodeConfig(reply(payload));

        bool on[2][2];
        for (int input = 0; input < 2; ++input)
            for (int relay = 0; relay < 2; ++relay)
                on[input][relay] = box(page, RelayBoxes[input * 2 + relay])->isChecked();
        const QByteArray row = QByteArray::number(value, 16);
        for (int i = 0; i < 2; ++i) {
            QVERIFY2(!(on[i][0] && on[i][1]), row);
            QVERIFY2(!(on[0][i] && on[1][i]), row);
        }
        for (int input = 0; input < 2; ++input)
            for (int relay = 0; relay < 2; ++relay)
                QVERIFY2(box(page, RelayBoxes[input * 2 + relay])->isEnabled() ==
                             !on[1 - input][relay],
                         row);
        QCOMPARE(box(page, "INWERSJA_PK1")->isChecked(), bool(value & 0x10));
        QCOMPARE(box(page, "INWERSJA_PK2")->isChecked(), bool(value & 0x20));
    }
}

void tst_BRT::swapPreview_data()
{
    QTest::addColumn<bool>("swapped");
    QTest::addColumn<int>("colour");
    QTest::addColumn<int>("page");
    QTest::newRow("red") << false << 0 << 0;
    QTest::newRow("white") << false << 3 << 3;
    QTest::newRow("swapped red") << true << 0 << 4;
    QTest::newRow("swapped blue") << true << 2 << 6;
    QTest::newRow("swapped white") << true << 3 << 7;
}

void tst_BRT::swapPreview()
{
    QFETCH(bool, swapped);
    QFETCH(int, colour);
    QFETCH(int, page);

    BRT form;
    auto *swap = box(form, "ZamianaKanalow");
    swap->setChecked(swapped);
    for (const char *input : {"We1", "We2"}) {
        widget<QComboBox>(form, QByteArray(input) + "Kolor")->setCurrentIndex(colour);
        QCOMPARE(widget<QStackedWidget>(form, QByteArray(input) + "Wiz")->currentIndex(), page);
    }
    // Flipping the swap moves both previews to the other half of their pages.
    swap->setChecked(!swapped);
    const int flipped = swapped ? colour : colour + 4;
    QCOMPARE(widget<QStackedWidget>(form, "We1Wiz")->currentIndex(), flipped);
    QCOMPARE(widget<QStackedWidget>(form, "We2Wiz")->currentIndex(), flipped);
}

void tst_BRT::previewPictures_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("input1");
    QTest::addColumn<QString>("input2");
    QTest::newRow("red") << 0 << "BRTPIOR"
                         << "BRTPOZR";
    QTest::newRow("green") << 1 << "BRTPIOG"
                           << "BRTPOZG";
    QTest::newRow("blue") << 2 << "BRTPIOB"
                          << "BRTPOZB";
    QTest::newRow("white") << 3 << "BRTPIOBIAL"
                           << "BRTPOZBIA";
    QTest::newRow("swapped red") << 4 << "BRTPOZR"
                                 << "BRTPIOR";
    QTest::newRow("swapped green") << 5 << "BRTPOZG"
                                   << "BRTPIOG";
    QTest::newRow("swapped blue") << 6 << "BRTPOZB"
                                  << "BRTPIOB";
    QTest::newRow("swapped white") << 7 << "BRTPOZBIA"
                                   << "BRTPIOBIAL";
}

// Input 1 is the vertical bar and input 2 the horizontal one until the channels are swapped.
void tst_BRT::previewPictures()
{
    QFETCH(int, page);
    QFETCH(QString, input1);
    QFETCH(QString, input2);

    BRT form;
    const QPair<const char *, QString> previews[] = {{"We1Wiz", input1}, {"We2Wiz", input2}};
    for (const auto &preview : previews) {
        QWidget *shown = widget<QStackedWidget>(form, preview.first)->widget(page);
        const auto *picture = shown->findChild<QLabel *>();
        QVERIFY(picture);
        const QImage expected(QStringLiteral(":/GRAFIKA/%1.png").arg(preview.second));
        QVERIFY(!expected.isNull());
        QCOMPARE(picture->pixmap(Qt::ReturnByValue).toImage().convertToFormat(expected.format()),
                 expected);
    }
}

void tst_BRT::buttonsEmitTheirSignals_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<QString>("opened");
    QTest::newRow("send") << "ZapiszBRT" << QByteArray(SIGNAL(WyslijDaneBRT())) << QString();
    QTest::newRow("read") << "DZBRT" << QByteArray(SIGNAL(PobierzDaneZBRT())) << QString();
    QTest::newRow("LED test") << "pLEDBRT" << QByteArray(SIGNAL(ProbaLEDBRT())) << QString();
    QTest::newRow("disconnect") << "rozlaczBRT" << QByteArray(SIGNAL(PowrotPoczatekBRT()))
                                << QString();
    QTest::newRow("reset sends nothing") << "KASOWANIEBRT" << QByteArray() << QString();
    QTest::newRow("documentation")
        << "DTRBRT" << QByteArray()
        << QString(DevicePage::DocumentationHost +
                   QStringLiteral("/wp-content/uploads/2021/07/DTR_BRT-1.pdf"));
}

void tst_BRT::buttonsEmitTheirSignals()
{
    QFETCH(QString, button);
    QFETCH(QByteArray, signal);
    QFETCH(QString, opened);

    BRT page;
    page.show();
    UrlRecorder recorder;
    const QList<QByteArray> all = {SIGNAL(WyslijDaneBRT()), SIGNAL(PobierzDaneZBRT()),
                                   SIGNAL(ProbaLEDBRT()), SIGNAL(PowrotPoczatekBRT())};
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const QByteArray &each : all)
        spies.push_back(std::make_unique<QSignalSpy>(&page, each.constData()));
    const QByteArray before = page.encodeConfig();

    QTest::mouseClick(widget<QPushButton>(page, button.toLatin1()), Qt::LeftButton);

    for (int i = 0; i < all.size(); ++i)
        QCOMPARE(spies[i]->count(), all[i] == signal ? 1 : 0);
    QCOMPARE(recorder.urls, opened.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(opened)});
    QCOMPARE(page.isVisible(), button != QLatin1String("rozlaczBRT"));
    QCOMPARE(page.encodeConfig(), before);
    QVERIFY(!widget<QPushButton>(page, "WidokUrzadzeniaBRT")->isEnabled());
}

void tst_BRT::configurationTravelsOverTheLink()
{
    SimulatedConnection connection(Frame::Reply::Brt);
    connection.device().setStoredPayload(QByteArray::fromHex("111e0a020306010800000000"));
    QVERIFY(connection.connectAndLoad());

    BRT &page = connection.window().brtPage();
    QCOMPARE(widget<QLabel>(page, "wersja")->text(), QStringLiteral("v03d15m07r"));
    QCOMPARE(widget<QComboBox>(page, "We1Kolor")->currentIndex(), 3);
    QCOMPARE(widget<QSpinBox>(page, "We1OpoznieniePojawienia")->value(), 3000);
    QCOMPARE(widget<QStackedWidget>(page, "We2Wiz")->currentIndex(), 4);
    QVERIFY(box(page, "WE2_PK2")->isChecked());
    QVERIFY(!box(page, "WE1_PK2")->isEnabled());

    widget<QSpinBox>(page, "We2OpoznienieZaniku")->setValue(25500);
    connection.device().clearReceivedFrames();
    QTest::mouseClick(widget<QPushButton>(page, "ZapiszBRT"), Qt::LeftButton);
    QVERIFY(connection.waitForFrames(1));
    QCOMPARE(connection.device().receivedFrames().first(),
             QByteArray::fromHex("0a55111e0a0203ff010800010203"));
    QTRY_COMPARE(connection.logLines().last(), QStringLiteral("Konfiguracja odebrana"));
}

QTEST_MAIN(tst_BRT)
#include "tst_brt.moc"
