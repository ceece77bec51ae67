#include "app/deferrediconengine.h"
#include "app/deferrediconstyle.h"

#include <QImage>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>

#include <functional>
#include <memory>

// Icons made only when first drawn, and the application style that makes the bars' overflow
// icons that way: they must draw exactly what they stand for.
class tst_DeferredIcons : public QObject
{
    Q_OBJECT

private slots:
    void madeOnceWhenFirstAsked_data();
    void madeOnceWhenFirstAsked();
    void nullSourceIsNullOnceMade();
    void overflowIconsAsTheBaseStyleDrawsThem_data();
    void overflowIconsAsTheBaseStyleDrawsThem();
};

namespace {

QIcon square(Qt::GlobalColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

QImage imageOf(const QIcon &icon)
{
    return icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
}

// One way of asking an icon for what it draws, true when the answer is the red square's.
using Ask = std::function<bool(const QIcon &)>;

} // namespace

Q_DECLARE_METATYPE(Ask)

void tst_DeferredIcons::madeOnceWhenFirstAsked_data()
{
    QTest::addColumn<Ask>("ask");
    const QImage red = imageOf(square(Qt::red));
    QTest::newRow("pixmap") << Ask([red](const QIcon &icon) { return imageOf(icon) == red; });
    QTest::newRow("available sizes") << Ask(
        [](const QIcon &icon) { return icon.availableSizes() == QList<QSize>{QSize(16, 16)}; });
    QTest::newRow("actual size") << Ask(
        [](const QIcon &icon) { return icon.actualSize(QSize(32, 32)) == QSize(16, 16); });
    QTest::newRow("paint") << Ask([red](const QIcon &icon) {
        QImage painted(16, 16, QImage::Format_ARGB32);
        painted.fill(Qt::transparent);
        QPainter painter(&painted);
        icon.paint(&painter, painted.rect());
        painter.end();
        return painted == red;
    });
}

void tst_DeferredIcons::madeOnceWhenFirstAsked()
{
    QFETCH(Ask, ask);
    auto made = std::make_shared<int>(0);
    const QIcon icon = DeferredIconEngine::icon([made] {
        ++*made;
        return square(Qt::red);
    });
    QVERIFY(!icon.isNull());
    const QIcon copy = icon;
    QCOMPARE(*made, 0);

    QVERIFY(ask(icon));
    QCOMPARE(*made, 1);
    // A copy shares what was made.
    QCOMPARE(imageOf(copy), imageOf(square(Qt::red)));
    QCOMPARE(*made, 1);
}

void tst_DeferredIcons::nullSourceIsNullOnceMade()
{
    const QIcon icon = DeferredIconEngine::icon([] { return QIcon(); });
    QVERIFY(icon.pixmap(16).isNull());
    QVERIFY(icon.isNull());
}

void tst_DeferredIcons::overflowIconsAsTheBaseStyleDrawsThem_data()
{
    QTest::addColumn<QStyle::StandardPixmap>("icon");
    QTest::addColumn<Qt::LayoutDirection>("direction");

    QTest::newRow("horizontal bar")
        << QStyle::SP_ToolBarHorizontalExtensionButton << Qt::LeftToRight;
    QTest::newRow("horizontal bar, right to left")
        << QStyle::SP_ToolBarHorizontalExtensionButton << Qt::RightToLeft;
    QTest::newRow("vertical bar") << QStyle::SP_ToolBarVerticalExtensionButton << Qt::LeftToRight;
    QTest::newRow("other icons pass through") << QStyle::SP_MessageBoxWarning << Qt::LeftToRight;
}

void tst_DeferredIcons::overflowIconsAsTheBaseStyleDrawsThem()
{
    QFETCH(QStyle::StandardPixmap, icon);
    QFETCH(Qt::LayoutDirection, direction);

    const std::unique_ptr<QStyle> base(QStyleFactory::create(QStringLiteral("Fusion")));
    DeferredIconStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
    QStyleOption option;
    option.direction = direction;
    const QImage expected = imageOf(base->standardIcon(icon, &option));
    QVERIFY(!expected.isNull());
    QCOMPARE(imageOf(style.standardIcon(icon, &option)), expected);
}

QTEST_MAIN(tst_DeferredIcons)
#include "tst_deferredicons.moc"
