#include "pages/common/indicatorcache.h"

#include <QImage>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>

#include <algorithm>
#include <memory>

// An indicator copied from its kept drawing must look as the style draws it in place, in every
// state a form shows, and a drawing kept for one state must never stand in for another.
class tst_IndicatorCache : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void drawsWhatTheStyleDraws_data();
    void drawsWhatTheStyleDraws();
    void eachStateHasItsOwnDrawing();
    void leavesOtherElementsToTheStyle();

private:
    std::unique_ptr<QStyle> m_style;
};

namespace {

constexpr QSize Canvas(40, 40);

QImage white(qreal pixelRatio = 1)
{
    QImage image(Canvas * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    return image;
}

QStyleOptionButton indicator(const QRect &rect, QStyle::State state)
{
    QStyleOptionButton option;
    option.rect = rect;
    option.state = state;
    option.palette = QPalette(QColor(0xef, 0xef, 0xef));
    if (!(state & QStyle::State_Enabled))
        option.palette.setCurrentColorGroup(QPalette::Disabled);
    return option;
}

// The largest difference in any channel of any pixel.
int largestDifference(const QImage &a, const QImage &b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            largest = std::max({largest, qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)),
                                qAbs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

} // namespace

void tst_IndicatorCache::initTestCase()
{
    m_style.reset(QStyleFactory::create(QStringLiteral("Fusion")));
    QVERIFY(m_style);
}

void tst_IndicatorCache::drawsWhatTheStyleDraws_data()
{
    QTest::addColumn<int>("element");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<int>("state");
    QTest::addColumn<qreal>("pixelRatio");

    const int enabled = QStyle::State_Enabled;
    const int check = QStyle::PE_IndicatorCheckBox;
    const int radio = QStyle::PE_IndicatorRadioButton;
    const QRect box(5, 7, 13, 13);
    QTest::newRow("check box off") << check << box << (enabled | QStyle::State_Off) << 1.0;
    QTest::newRow("check box on") << check << box << (enabled | QStyle::State_On) << 1.0;
    QTest::newRow("check box on, disabled") << check << box << int(QStyle::State_On) << 1.0;
    QTest::newRow("check box partly on")
        << check << box << (enabled | QStyle::State_NoChange) << 1.0;
    QTest::newRow("check box pressed")
        << check << box << (enabled | QStyle::State_On | QStyle::State_Sunken) << 1.0;
    QTest::newRow("check box focused by keyboard")
        << check << box
        << (enabled | QStyle::State_On | QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange)
        << 1.0;
    QTest::newRow("larger check box") << check << QRect(2, 3, 20, 20)
                                      << (enabled | QStyle::State_On) << 1.0;
    QTest::newRow("radio button off") << radio << box << (enabled | QStyle::State_Off) << 1.0;
    QTest::newRow("radio button on") << radio << box << (enabled | QStyle::State_On) << 1.0;
    QTest::newRow("radio button on, disabled") << radio << box << int(QStyle::State_On) << 1.0;
    QTest::newRow("check box on, double density screen")
        << check << box << (enabled | QStyle::State_On) << 2.0;
}

void tst_IndicatorCache::drawsWhatTheStyleDraws()
{
    QFETCH(int, element);
    QFETCH(QRect, rect);
    QFETCH(int, state);
    QFETCH(qreal, pixelRatio);
    const auto primitive = QStyle::PrimitiveElement(element);
    const QStyleOptionButton option = indicator(rect, QStyle::State(state));

    QImage expected = white(pixelRatio);
    QPainter direct(&expected);
    m_style->drawPrimitive(primitive, &option, &direct);
    direct.end();

    IndicatorCache cache;
    // The second drawing is the kept one.
    for (int time = 0; time < 2; ++time) {
        QImage image = white(pixelRatio);
        QPainter painter(&image);
        QVERIFY(cache.draw(*m_style, primitive, option, &painter, nullptr));
        painter.end();
        // Antialiased edges blended twice (into the kept drawing, then onto the form) may
        // round one step apart from edges blended once.
        QVERIFY2(largestDifference(image, expected) <= 1,
                 qPrintable(QStringLiteral("drawing %1 differs by %2")
                                .arg(time + 1)
                                .arg(largestDifference(image, expected))));
    }
}

void tst_IndicatorCache::eachStateHasItsOwnDrawing()
{
    const QRect box(5, 7, 13, 13);
    const QStyle::State enabled = QStyle::State_Enabled;
    const QStyleOptionButton options[] = {indicator(box, enabled | QStyle::State_Off),
                                          indicator(box, enabled | QStyle::State_On),
                                          indicator(box, QStyle::State_On),
                                          indicator(box, enabled | QStyle::State_Off)};
    IndicatorCache cache;
    QList<QImage> drawn;
    for (const QStyleOptionButton &option : options) {
        QImage image = white();
        QPainter painter(&image);
        QVERIFY(cache.draw(*m_style, QStyle::PE_IndicatorCheckBox, option, &painter, nullptr));
        painter.end();
        drawn << image;
    }
    QVERIFY(drawn[0] != drawn[1]);
    QVERIFY(drawn[1] != drawn[2]);
    QCOMPARE(drawn[3], drawn[0]);
}

void tst_IndicatorCache::leavesOtherElementsToTheStyle()
{
    IndicatorCache cache;
    QImage image = white();
    QPainter painter(&image);
    const QStyleOptionButton button = indicator(QRect(0, 0, 13, 13), QStyle::State_Enabled);
    QVERIFY(!cache.draw(*m_style, QStyle::PE_FrameFocusRect, button, &painter, nullptr));
    QStyleOption plain;
    plain.rect = button.rect;
    QVERIFY(!cache.draw(*m_style, QStyle::PE_IndicatorCheckBox, plain, &painter, nullptr));
    painter.scale(2, 2);
    QVERIFY(!cache.draw(*m_style, QStyle::PE_IndicatorCheckBox, button, &painter, nullptr));
    painter.end();
    QCOMPARE(image, white());
}

QTEST_MAIN(tst_IndicatorCache)
#include "tst_indicatorcache.moc"
