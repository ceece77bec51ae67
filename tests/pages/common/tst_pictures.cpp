#include "pages/common/picturebutton.h"
#include "pages/common/picturecache.h"
#include "pages/common/picturewhenshown.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>

// The program's pictures read at the screen's pixel ratio, and the buttons that are nothing
// but a picture.
class tst_Pictures : public QObject
{
    Q_OBJECT

private slots:
    void pictureForTheScreen_data();
    void pictureForTheScreen();
    void unreadablePictureIsNull();
    void buttonShowsItsPressedPictureWhileDown_data();
    void buttonShowsItsPressedPictureWhileDown();
    void focusedButtonShowsWhereTheKeyboardIs();
    void labelHoldsItsPictureOnlyWhileShown();
    void scalingLabelHoldsThePictureAtTheSizeShown_data();
    void scalingLabelHoldsThePictureAtTheSizeShown();
};

namespace {

const QString Logo = QStringLiteral(":/GRAFIKA/LOGO.png");
const QString Connect = QStringLiteral(":/GRAFIKA/POLACZOFF.png");
const QString ConnectPressed = QStringLiteral(":/GRAFIKA/POLACZON.png");
// A preview picture without a twin for finer screens.
const QString Preview = QStringLiteral(":/GRAFIKA/BRTPIOB.png");

// The file as the toolkit reads it on its own, format detected from the contents.
QImage fileImage(const QString &path)
{
    return QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage shown(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The picture as a window of the given colour shows it.
QImage over(const QString &path, const QColor &background)
{
    QImage composed(fileImage(path).size(), QImage::Format_ARGB32_Premultiplied);
    composed.fill(background);
    QPainter painter(&composed);
    painter.drawImage(0, 0, fileImage(path));
    return composed;
}

QPixmap picture(const QLabel *label)
{
    return label->pixmap(Qt::ReturnByValue);
}

} // namespace

void tst_Pictures::pictureForTheScreen_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("pointSize");

    QTest::newRow("plain screen") << Logo << 1.0 << Logo << QSize(145, 145);
    QTest::newRow("doubled screen")
        << Logo << 2.0 << QStringLiteral(":/GRAFIKA/LOGO@2x.png") << QSize(145, 145);
    QTest::newRow("screen at 150 %")
        << Logo << 1.5 << QStringLiteral(":/GRAFIKA/LOGO@2x.png") << QSize(145, 145);
    QTest::newRow("button, doubled")
        << Connect << 2.0 << QStringLiteral(":/GRAFIKA/POLACZOFF@2x.png") << QSize(75, 75);
    QTest::newRow("no twin, doubled") << Preview << 2.0 << Preview << fileImage(Preview).size();
}

// The twin is drawn at the same size in points as the picture, with twice the pixels.
void tst_Pictures::pictureForTheScreen()
{
    QFETCH(QString, path);
    QFETCH(qreal, ratio);
    QFETCH(QString, file);
    QFETCH(QSize, pointSize);

    QCOMPARE(PictureCache::fileFor(path, ratio), file);
    const QPixmap picture = PictureCache::pixmap(path, ratio);
    QCOMPARE(shown(picture), fileImage(file));
    QCOMPARE(picture.size() / picture.devicePixelRatio(), pointSize);
    // Asked again, the same picture comes from the cache.
    QCOMPARE(PictureCache::pixmap(path, ratio).cacheKey(), picture.cacheKey());
}

void tst_Pictures::unreadablePictureIsNull()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Cannot read the picture :/GRAFIKA/"));
    QVERIFY(PictureCache::pixmap(QStringLiteral(":/GRAFIKA/BRAK.png"), 1).isNull());
    PictureButton button;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Cannot read the picture"));
    button.setPicture(QStringLiteral(":/GRAFIKA/BRAK.png"));
    // Without its picture the button keeps a size it can be found and pressed at.
    QVERIFY(!button.sizeHint().isEmpty());
}

void tst_Pictures::buttonShowsItsPressedPictureWhileDown_data()
{
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<QString>("whileDown");

    QTest::newRow("own pressed picture") << ConnectPressed << ConnectPressed;
    QTest::newRow("no pressed picture") << QString() << Connect;
}

void tst_Pictures::buttonShowsItsPressedPictureWhileDown()
{
    QFETCH(QString, pressed);
    QFETCH(QString, whileDown);

    PictureButton button;
    button.setPicture(Connect);
    button.setPressedPicture(pressed);
    QCOMPARE(button.sizeHint(), QSize(75, 75));
    button.resize(button.sizeHint());
    // The button has nothing of its own but the picture: what is around it shows through.
    const QColor behind(Qt::magenta);
    QPalette palette = button.palette();
    palette.setColor(QPalette::Window, behind);
    palette.setColor(QPalette::Button, behind);
    button.setPalette(palette);

    QCOMPARE(shown(button.grab()), over(Connect, behind));
    button.setDown(true);
    QCOMPARE(button.shownPicture(), whileDown);
    QCOMPARE(shown(button.grab()), over(whileDown, behind));
    button.setDown(false);
    QCOMPARE(shown(button.grab()), over(Connect, behind));
}

void tst_Pictures::focusedButtonShowsWhereTheKeyboardIs()
{
    QWidget window;
    auto *first = new PictureButton(&window);
    auto *button = new PictureButton(&window);
    for (PictureButton *each : {first, button}) {
        each->setPicture(Connect);
        each->resize(each->sizeHint());
    }
    button->move(100, 0);
    window.resize(200, 100);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    first->setFocus();
    const QImage elsewhere = shown(button->grab());
    QTest::keyClick(first, Qt::Key_Tab);
    QTRY_VERIFY(button->hasFocus());
    QVERIFY(shown(button->grab()) != elsewhere);
}

// A page left keeps its labels but not their pictures; shown again, each has its own back.
void tst_Pictures::labelHoldsItsPictureOnlyWhileShown()
{
    QWidget page;
    auto *preview = new QLabel(&page);
    preview->setProperty("picture", Preview);
    auto *logo = new QLabel(&page);
    logo->setProperty("picture", Logo);
    logo->move(0, 200);
    page.resize(400, 400);
    PictureWhenShown::installOn(&page);
    QVERIFY(picture(preview).isNull());

    for (int round = 0; round < 2; ++round) {
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCOMPARE(shown(picture(preview)), fileImage(Preview));
        QCOMPARE(shown(picture(logo)),
                 shown(PictureCache::pixmap(Logo, logo->devicePixelRatioF())));
        page.hide();
        QVERIFY(picture(preview).isNull());
        QVERIFY(picture(logo).isNull());
    }
    // A label hidden on its own lets its picture go as well.
    page.show();
    preview->hide();
    QVERIFY(picture(preview).isNull());
    QVERIFY(!picture(logo).isNull());
}

void tst_Pictures::scalingLabelHoldsThePictureAtTheSizeShown_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("held");

    const QSize whole = fileImage(Preview).size();
    QTest::newRow("half") << whole / 2 << whole / 2;
    QTest::newRow("a quarter") << whole / 4 << whole / 4;
    QTest::newRow("squeezed") << QSize(whole.width() / 2, whole.height() / 4) << whole;
    QTest::newRow("larger than the picture") << whole * 2 << whole;
}

// Shown smaller than the picture, a label that scales it holds it at that size, and shows the
// very pixels it would show scaling the whole picture itself, after a resize too.
void tst_Pictures::scalingLabelHoldsThePictureAtTheSizeShown()
{
    QFETCH(QSize, size);
    QFETCH(QSize, held);
    QWidget page;
    auto *watched = new QLabel(&page);
    auto *whole = new QLabel(&page);
    watched->setProperty("picture", Preview);
    whole->setPixmap(PictureCache::pixmap(Preview, 1));
    for (QLabel *label : {watched, whole})
        label->setScaledContents(true);
    whole->move(500, 0);
    page.resize(1000, 500);
    PictureWhenShown::installOn(&page);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));

    for (QLabel *label : {watched, whole})
        label->resize(size);
    QCOMPARE(picture(watched).size(), held);
    QCOMPARE(shown(watched->grab()), shown(whole->grab()));
    // The label asks for the room of the whole picture, however it holds it.
    QCOMPARE(watched->sizeHint(), whole->sizeHint());
}

QTEST_MAIN(tst_Pictures)
#include "tst_pictures.moc"
