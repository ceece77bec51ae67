#include "tests/pages/common/pageform.h"
#include "tests/support/widgets.h"

#include "codecs/brtconfig.h"
#include "pages/brt/brt.h"
#include "protocol/frames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>

// The BRT-1 page: its frame in both directions, the previews and the relay interlock.
class tst_BRT : public QObject
{
    Q_OBJECT

private slots:
    void defaultsSetInputsOnly();
    void decodeSetsEachWidget_data();
    void decodeSetsEachWidget();
    void damagedColourKeepsTheForm();
    void relayInterlockOnClick_data();
    void relayInterlockOnClick();
    void relayDecodeLaterBitWins();
    void relayDecodeAlwaysConsistent();
    void previewPictures_data();
    void previewPictures();
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

const QStringList PreviewPictures = {"BRTPIOR", "BRTPIOG", "BRTPIOB", "BRTPIOBIAL",
                                     "BRTPOZR", "BRTPOZG", "BRTPOZB", "BRTPOZBIA"};

// Which of the preview pictures the preview shows: the one whose resource, loaded as the form
// loads it, gives the same image.
QString pictureShown(QStackedWidget *preview)
{
    const QLabel *label = preview->currentWidget()->findChild<QLabel *>();
    const QImage shown = label ? label->pixmap(Qt::ReturnByValue).toImage() : QImage();
    for (const QString &name : PreviewPictures) {
        if (QPixmap(QStringLiteral(":/GRAFIKA/%1.png").arg(name)).toImage() == shown)
            return name;
    }
    return QString();
}

} // namespace

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
    QCOMPARE(frame.mid(2, 6), BrtConfig::defaults().encode().mid(2, 6));
    // The options of the second tab are the engineer's wiring and survive the defaults.
    QCOMPARE(quint8(frame[8]), quint8(0x05));
    QCOMPARE(quint8(frame[9]), quint8(0x08));
    // With swapped channels the previews show the swapped pictures of red and green.
    QCOMPARE(widget<QStackedWidget>(page, "We1Wiz")->currentIndex(), 4);
    QCOMPARE(widget<QStackedWidget>(page, "We2Wiz")->currentIndex(), 5);
}

void tst_BRT::decodeSetsEachWidget_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<QList<int>>("inputs"); // trigger, colour, both delays, preview; per input

    QTest::newRow("swapped") << QByteArray::fromHex("110cff08032d0526")
                             << QStringList{"INWERSJA_PK2", "PamiecStanu", "WE1_PK2", "WE2_PK1",
                                            "ZamianaKanalow"}
                             << QList<int>{1, 3, 1200, 25500, 7, 0, 2, 300, 4500, 6};
    QTest::newRow("not swapped") << QByteArray::fromHex("0400020303040219")
                                 << QStringList{"BrakMigowego", "INWERSJA_PK1", "WE1_PK1", "WE2_PK2"}
                                 << QList<int>{0, 1, 100, 200, 1, 1, 0, 300, 400, 0};
}

// Every widget is read from its own place; a delay byte of 0 shows the spin box minimum.
void tst_BRT::decodeSetsEachWidget()
{
    QFETCH(QByteArray, payload);
    QFETCH(QStringList, ticked);
    QFETCH(QList<int>, inputs);

    BRT page;
    page.decodeConfig(reply(payload));
    QCOMPARE(checkedBoxes(page), ticked);
    QList<int> shown;
    for (const char *input : {"We1", "We2"}) {
        const QByteArray name(input);
        shown << widget<QComboBox>(page, name + "Stan")->currentIndex()
              << widget<QComboBox>(page, name + "Kolor")->currentIndex()
              << widget<QSpinBox>(page, name + "OpoznieniePojawienia")->value()
              << widget<QSpinBox>(page, name + "OpoznienieZaniku")->value()
              << widget<QStackedWidget>(page, name + "Wiz")->currentIndex();
    }
    QCOMPARE(shown, inputs);
}

// A colour field with no bit or several bits set keeps the colour and preview the form had.
void tst_BRT::damagedColourKeepsTheForm()
{
    BRT page;
    widget<QComboBox>(page, "We1Kolor")->setCurrentIndex(3);
    widget<QComboBox>(page, "We2Kolor")->setCurrentIndex(2);
    page.decodeConfig(reply(QByteArray::fromHex("010101190101")));
    QCOMPARE(widget<QComboBox>(page, "We1Stan")->currentIndex(), 1);
    QCOMPARE(widget<QComboBox>(page, "We1Kolor")->currentIndex(), 3);
    QCOMPARE(widget<QComboBox>(page, "We2Kolor")->currentIndex(), 2);
    QCOMPARE(widget<QStackedWidget>(page, "We1Wiz")->currentIndex(), 3);
    QCOMPARE(widget<QStackedWidget>(page, "We2Wiz")->currentIndex(), 2);
}

void tst_BRT::relayInterlockOnClick_data()
{
    QTest::addColumn<QString>("ticked");
    QTest::addColumn<QString>("sameInput");
    QTest::addColumn<QString>("sameRelay");
    QTest::newRow("WE1_PK1") << "WE1_PK1" << "WE1_PK2" << "WE2_PK1";
    QTest::newRow("WE1_PK2") << "WE1_PK2" << "WE1_PK1" << "WE2_PK2";
    QTest::newRow("WE2_PK1") << "WE2_PK1" << "WE2_PK2" << "WE1_PK1";
    QTest::newRow("WE2_PK2") << "WE2_PK2" << "WE2_PK1" << "WE1_PK2";
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

void tst_BRT::previewPictures_data()
{
    QTest::addColumn<bool>("swapped");
    QTest::addColumn<int>("colour");
    QTest::addColumn<QString>("input1");
    QTest::addColumn<QString>("input2");
    QTest::newRow("red") << false << 0 << "BRTPIOR" << "BRTPOZR";
    QTest::newRow("green") << false << 1 << "BRTPIOG" << "BRTPOZG";
    QTest::newRow("blue") << false << 2 << "BRTPIOB" << "BRTPOZB";
    QTest::newRow("white") << false << 3 << "BRTPIOBIAL" << "BRTPOZBIA";
    QTest::newRow("swapped red") << true << 0 << "BRTPOZR" << "BRTPIOR";
    QTest::newRow("swapped green") << true << 1 << "BRTPOZG" << "BRTPIOG";
    QTest::newRow("swapped blue") << true << 2 << "BRTPOZB" << "BRTPIOB";
    QTest::newRow("swapped white") << true << 3 << "BRTPOZBIA" << "BRTPIOBIAL";
}

// Input 1 is the vertical bar and input 2 the horizontal one until the channels are swapped;
// the previews follow a swap made after the colours were chosen.
void tst_BRT::previewPictures()
{
    QFETCH(bool, swapped);
    QFETCH(int, colour);
    QFETCH(QString, input1);
    QFETCH(QString, input2);

    BRT form;
    box(form, "ZamianaKanalow")->setChecked(!swapped);
    widget<QComboBox>(form, "We1Kolor")->setCurrentIndex(colour);
    widget<QComboBox>(form, "We2Kolor")->setCurrentIndex(colour);
    box(form, "ZamianaKanalow")->setChecked(swapped);
    QCOMPARE(pictureShown(widget<QStackedWidget>(form, "We1Wiz")), input1);
    QCOMPARE(pictureShown(widget<QStackedWidget>(form, "We2Wiz")), input2);
}

QTEST_MAIN(tst_BRT)
#include "tst_brt.moc"
