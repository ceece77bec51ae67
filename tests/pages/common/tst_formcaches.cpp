#include "pages/common/drawingcache.h"
#include "pages/common/formstyle.h"
#include "pages/common/groupboxframes.h"
#include "pages/common/itemtextcache.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QMainWindow>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>

// What the form style keeps drawn must look as drawing it afresh does, wherever and in whatever
// state it is drawn, and must never stand in for another text, font, resolution or state.
class tst_FormCaches : public QObject
{
    Q_OBJECT

private slots:
    void textIsWhatQPainterDraws_data();
    void textIsWhatQPainterDraws();
    void textsOnlyQPainterPlacesAreLeftToIt_data();
    void textsOnlyQPainterPlacesAreLeftToIt();
    void sameTextInAnotherFontResolutionGroundOrColourIsDrawnAgain();
    void indicatorIsWhatTheStyleDraws_data();
    void indicatorIsWhatTheStyleDraws();
    void onlyIndicatorsAreKept();
    void scrollBarPartIsWhatTheStyleDraws();
    void comboBoxTextIsWhereTheStyleDrawsIt();
    void groupBoxFrameIsWhatTheStyleDraws_data();
    void groupBoxFrameIsWhatTheStyleDraws();
    void containerOnScreenIsWhatDrawingTheWindowAfreshGives_data();
    void containerOnScreenIsWhatDrawingTheWindowAfreshGives();
};

namespace {

// Images are of the screen's usual resolution unless a drawing asks for another.
constexpr int ScreenDotsPerMeter = 3780;

QImage blank(int dotsPerMeter = ScreenDotsPerMeter, qreal pixelRatio = 1)
{
    QImage image(QSize(220, 60) * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    return image;
}

QFont sized(qreal points, bool bold = false)
{
    QFont font;
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

struct Text
{
    QString text;
    QRect rect;
    int flags;
    QFont font;
    QPointF offset;
    QTransform transform;
    int dotsPerMeter = ScreenDotsPerMeter;
    QColor ground = Qt::white;
    // Where the ground is of another colour; nowhere when empty.
    QRect otherGround = {};
    QColor pen = QColor(20, 40, 160);
};

const QColor FormGrey(0xfc, 0xfc, 0xfc);

// Drawn by QPainter itself, or by the cache (`drawn` then says whether it drew).
QImage drawText(const Text &text, ItemTextCache *cache = nullptr, bool *drawn = nullptr)
{
    QImage image = blank(text.dotsPerMeter);
    image.fill(text.ground);
    QPainter painter(&image);
    painter.fillRect(text.otherGround, QColor(0xe4, 0xe4, 0xe4));
    painter.setFont(text.font);
    painter.setPen(text.pen);
    painter.translate(text.offset);
    painter.setTransform(text.transform, true);
    if (cache)
        *drawn = cache->draw(&painter, text.rect, text.flags, text.text);
    else
        painter.drawText(text.rect, text.flags, text.text);
    return image;
}

QStyleOptionButton indicator(QStyle::State state, const QRect &rect = QRect(5, 7, 13, 13))
{
    QStyleOptionButton option;
    option.rect = rect;
    option.state = state;
    static const QPalette grey(QColor(0xef, 0xef, 0xef));
    option.palette = grey;
    if (!(state & QStyle::State_Enabled))
        option.palette.setCurrentColorGroup(QPalette::Disabled);
    return option;
}

QImage drawIndicator(const QStyle &style, QStyle::PrimitiveElement element,
                     const QStyleOptionButton &option, qreal pixelRatio,
                     DrawingCache *cache = nullptr)
{
    QImage image = blank(ScreenDotsPerMeter, pixelRatio);
    QPainter painter(&image);
    if (!cache)
        style.drawPrimitive(element, &option, &painter);
    else if (!cache->draw(style, element, option, &painter, nullptr))
        return QImage();
    return image;
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

struct Frame
{
    QRect rect;
    QString title;
    bool checkable = false;
    bool enabled = true;
    qreal points = 9;
    QPointF offset;
    QTransform transform;
    // Where the painter may draw; everywhere when empty.
    QRegion clip;
};

// Drawn by the style over white, or by `frames` (`drawn` then says whether it drew).
QImage drawFrame(const QStyle &style, const Frame &frame, GroupBoxFrames *frames = nullptr,
                 bool *drawn = nullptr)
{
    QGroupBox box(frame.title);
    box.setStyle(const_cast<QStyle *>(&style));
    box.setCheckable(frame.checkable);
    box.setEnabled(frame.enabled);
    box.setFont(sized(frame.points));
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.rect = frame.rect;
    QImage image(260, 200, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(frame.offset);
    painter.setTransform(frame.transform, true);
    if (!frame.clip.isEmpty())
        painter.setClipRegion(frame.clip);
    if (frames)
        *drawn = frames->draw(style, option, Qt::white, &painter, &box);
    else
        style.drawPrimitive(QStyle::PE_FrameGroupBox, &option, &painter, &box);
    return image;
}

} // namespace

Q_DECLARE_METATYPE(Text)
Q_DECLARE_METATYPE(Frame)

void tst_FormCaches::textIsWhatQPainterDraws_data()
{
    QTest::addColumn<Text>("text");
    const QString label = QStringLiteral("Załączenie przekaźnika");
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    const QFont normal = sized(9);
    // Check box labels, centred vertically in rectangles of even and odd heights, where
    // centring falls on half a pixel; group box titles centred both ways; other alignments.
    QTest::newRow("check box label")
        << Text{label, {21, 3, 180, 20}, left | Qt::TextShowMnemonic, normal, {}, {}};
    QTest::newRow("odd height") << Text{label, {21, 3, 180, 21}, left, normal, {}, {}};
    QTest::newRow("odd font") << Text{
        "Czas odblokowania [s]", {4, 2, 200, 17}, left, sized(10.5), {}, {}};
    QTest::newRow("bold, centred")
        << Text{"Przekaźnik 1", {10, 5, 151, 24}, Qt::AlignCenter, sized(9, true), {}, {}};
    QTest::newRow("right, bottom")
        << Text{"12,5 kV", {0, 0, 97, 41}, Qt::AlignRight | Qt::AlignBottom, normal, {}, {}};
    QTest::newRow("top left") << Text{
        "ĄĆĘŁŃÓŚŹŻ ąćęłńóśźż", {3, 1, 210, 40}, Qt::AlignLeft | Qt::AlignTop, normal, {}, {}};
    QTest::newRow("leading spaces")
        << Text{"  wcięcie", {0, 0, 150, 20}, Qt::AlignRight | Qt::AlignVCenter, normal, {}, {}};
    // Wider than its rectangle: clipped to it, or not when asked not to.
    QTest::newRow("clipped") << Text{label, {5, 5, 70, 12}, left, normal, {}, {}};
    QTest::newRow("not clipped") << Text{label, {5, 5, 70, 12}, left | Qt::TextDontClip, normal, {},
                                         {}};
    QTest::newRow("centred, clipped")
        << Text{label, {40, 20, 60, 14}, Qt::AlignCenter, normal, {}, {}};
    // A painter moved by a widget's offset, whole and fractional.
    QTest::newRow("moved painter") << Text{label, {0, 0, 180, 20}, left, normal, {13, 7}, {}};
    QTest::newRow("fractionally moved")
        << Text{label, {0, 0, 180, 21}, Qt::AlignCenter, normal, {2.5, 3.5}, {}};
    // Over a ground of one colour the text's pixels are kept; over two they are not.
    const int screen = ScreenDotsPerMeter;
    QTest::newRow("on the form's grey")
        << Text{label, {21, 3, 180, 20}, left, normal, {}, {}, screen, FormGrey};
    QTest::newRow("on grey, fractionally moved")
        << Text{label, {0, 0, 180, 21}, Qt::AlignCenter, normal, {2.5, 3.5}, {}, screen, FormGrey};
    QTest::newRow("ground of two colours")
        << Text{label, {21, 3, 180, 20}, left, normal, {}, {}, screen, Qt::white, {60, 0, 30, 60}};
}

void tst_FormCaches::textIsWhatQPainterDraws()
{
    QFETCH(Text, text);
    ItemTextCache cache;
    const QImage expected = drawText(text);
    // The second drawing comes from the kept shape.
    for (int time = 1; time <= 2; ++time) {
        bool drawn = false;
        QVERIFY2(drawText(text, &cache, &drawn) == expected, qPrintable(QString::number(time)));
        QVERIFY(drawn);
    }
}

void tst_FormCaches::textsOnlyQPainterPlacesAreLeftToIt_data()
{
    QTest::addColumn<Text>("text");
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    const QRect rect(0, 0, 200, 40);
    const QFont font = sized(9);
    QTest::newRow("mnemonic") << Text{"&Zapisz", rect, left | Qt::TextShowMnemonic, font, {}, {}};
    QTest::newRow("two lines") << Text{"Czas\nodblokowania", rect, left, font, {}, {}};
    QTest::newRow("tab") << Text{"a\tb", rect, left, font, {}, {}};
    QTest::newRow("trailing space") << Text{"Czas: ", rect, Qt::AlignRight, font, {}, {}};
    QTest::newRow("word wrap") << Text{
        "Czas odblokowania", rect, left | Qt::TextWordWrap, font, {}, {}};
    QTest::newRow("scaled painter")
        << Text{"Czas", rect, left, font, {}, QTransform::fromScale(1.5, 1.5)};
    QTest::newRow("empty") << Text{QString(), rect, left, font, {}, {}};
}

void tst_FormCaches::textsOnlyQPainterPlacesAreLeftToIt()
{
    QFETCH(Text, text);
    ItemTextCache cache;
    bool drawn = true;
    QCOMPARE(drawText(text, &cache, &drawn), blank());
    QVERIFY(!drawn);
}

void tst_FormCaches::sameTextInAnotherFontResolutionGroundOrColourIsDrawnAgain()
{
    const QRect rect(0, 0, 200, 40);
    // The same font on a device of twice the resolution is a text of twice the size.
    const Text texts[] = {
        {"Blokada", rect, Qt::AlignCenter, sized(9), {}, {}},
        {"Blokada", rect, Qt::AlignCenter, sized(14, true), {}, {}},
        {"Blokada", rect, Qt::AlignCenter, sized(9), {}, {}, 2 * ScreenDotsPerMeter},
        {"Blokada", rect, Qt::AlignCenter, sized(9), {}, {}},
        // Nor does a text kept over one ground or in one colour stand in for another.
        {"Blokada", rect, Qt::AlignCenter, sized(9), {}, {}, ScreenDotsPerMeter, FormGrey},
        {"Blokada", rect, Qt::AlignCenter, sized(9), {}, {}, ScreenDotsPerMeter, FormGrey, {},
         QColor(0xa0, 0xa0, 0xa0)}};
    ItemTextCache cache;
    // Each drawn twice: a text drawn again is kept as a picture.
    for (int time = 1; time <= 2; ++time) {
        for (const Text &text : texts) {
            bool drawn = false;
            QCOMPARE(drawText(text, &cache, &drawn), drawText(text));
            QVERIFY(drawn);
        }
    }
}

void tst_FormCaches::indicatorIsWhatTheStyleDraws_data()
{
    QTest::addColumn<int>("element");
    QTest::addColumn<int>("state");
    QTest::addColumn<qreal>("pixelRatio");
    const int on = QStyle::State_Enabled | QStyle::State_On;
    const int check = QStyle::PE_IndicatorCheckBox;
    const int radio = QStyle::PE_IndicatorRadioButton;
    QTest::newRow("check box off")
        << check << int(QStyle::State_Enabled | QStyle::State_Off) << 1.0;
    QTest::newRow("check box on") << check << on << 1.0;
    QTest::newRow("check box on, disabled") << check << int(QStyle::State_On) << 1.0;
    QTest::newRow("check box partly on")
        << check << int(QStyle::State_Enabled | QStyle::State_NoChange) << 1.0;
    QTest::newRow("check box pressed") << check << (on | QStyle::State_Sunken) << 1.0;
    QTest::newRow("check box focused by keyboard")
        << check << (on | QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange) << 1.0;
    QTest::newRow("radio button off")
        << radio << int(QStyle::State_Enabled | QStyle::State_Off) << 1.0;
    QTest::newRow("radio button on, disabled") << radio << int(QStyle::State_On) << 1.0;
    QTest::newRow("double density screen") << check << on << 2.0;
}

void tst_FormCaches::indicatorIsWhatTheStyleDraws()
{
    QFETCH(int, element);
    QFETCH(int, state);
    QFETCH(qreal, pixelRatio);
    const std::unique_ptr<QStyle> style(QStyleFactory::create(QStringLiteral("Fusion")));
    const auto primitive = QStyle::PrimitiveElement(element);
    const QStyleOptionButton option = indicator(QStyle::State(state));
    const QImage expected = drawIndicator(*style, primitive, option, pixelRatio);
    static DrawingCache cache; // one for every row: no state may stand in for another
    for (int time = 1; time <= 2; ++time) {
        const QImage image = drawIndicator(*style, primitive, option, pixelRatio, &cache);
        QVERIFY(!image.isNull());
        // Antialiased edges blended twice (into the kept drawing, then onto the form) may
        // round one step apart from edges blended once.
        QVERIFY2(largestDifference(image, expected) <= 1, qPrintable(QString::number(time)));
    }
}

// Plain, after an icon, disabled, right to left or too wide: drawn as the native style does.
void tst_FormCaches::comboBoxTextIsWhereTheStyleDrawsIt()
{
    QComboBox combo;
    FormStyle::apply(&combo);
    QPixmap swatch(16, 16);
    swatch.fill(Qt::red);
    const struct { QString text; bool icon, enabled, rightToLeft; } cases[] = {
        {"Czerwony", false, true, false}, {"Zielony", true, true, false},
        {"Niebieski", true, false, false}, {"Żółty", true, true, true},
        {QString(30, QLatin1Char('W')), true, true, false}};
    for (const auto &shown : cases) {
        QStyleOptionComboBox option;
        option.initFrom(&combo);
        option.rect = QRect(7, 5, 140, 22);
        option.currentText = shown.text;
        option.direction = shown.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight;
        option.state.setFlag(QStyle::State_Enabled, shown.enabled);
        option.currentIcon = shown.icon ? QIcon(swatch) : QIcon();
        option.iconSize = swatch.size();
        const auto drawn = [&](const QStyle &style) {
            QImage image = blank();
            QPainter painter(&image);
            style.drawControl(QStyle::CE_ComboBoxLabel, &option, &painter, &combo);
            return image;
        };
        QVERIFY2(drawn(*combo.style()) == drawn(*QApplication::style()), qPrintable(shown.text));
    }
}

// Only check boxes and radio buttons drawn from a button's option are kept.
void tst_FormCaches::onlyIndicatorsAreKept()
{
    const std::unique_ptr<QStyle> style(QStyleFactory::create(QStringLiteral("Fusion")));
    DrawingCache cache;
    QStyleOption plain;
    plain.rect = QRect(0, 0, 13, 13);
    QImage image = blank();
    QPainter painter(&image);
    QVERIFY(!cache.draw(*style, QStyle::PE_FrameFocusRect, indicator({}), &painter, nullptr));
    QVERIFY(!cache.draw(*style, QStyle::PE_IndicatorCheckBox, plain, &painter, nullptr));
}

// Every arrow and slider through one cache: none may stand in for another.
void tst_FormCaches::scrollBarPartIsWhatTheStyleDraws()
{
    const std::unique_ptr<QStyle> style(QStyleFactory::create(QStringLiteral("Windows")));
    const QStyle::State on = QStyle::State_Enabled, across = on | QStyle::State_Horizontal;
    const auto down = QStyle::CE_ScrollBarAddLine, slider = QStyle::CE_ScrollBarSlider;
    const struct { const char *name; QStyle::ControlElement part; QStyle::State state;
                   bool rightToLeft; qreal pixelRatio; bool kept; } cases[] = {
        {"down arrow", down, on, false, 1, true},
        {"down arrow, pressed", down, on | QStyle::State_Sunken, false, 1, true},
        {"right arrow", down, across, false, 1, true},
        {"right arrow, right to left", down, across, true, 1, true},
        {"up arrow, disabled", QStyle::CE_ScrollBarSubLine, {}, false, 1, true},
        {"slider", slider, on, false, 1, true},
        {"slider, double density", slider, on, false, 2, true},
        // Dithered in step with the screen: copied elsewhere it would be out of step.
        {"slider, disabled", slider, {}, false, 1, false}};
    DrawingCache cache;
    QStyleOptionSlider option;
    option.palette = QPalette(QColor(0x80, 0x80, 0x80)); // a disabled dither shows on white
    for (const auto &shown : cases) {
        option.state = shown.state;
        option.orientation =
            shown.state & QStyle::State_Horizontal ? Qt::Horizontal : Qt::Vertical;
        option.direction = shown.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight;
        option.palette.setCurrentColorGroup(shown.state ? QPalette::Active : QPalette::Disabled);
        // Drawn again where the screen's dither is out of step with the first place.
        for (const QPoint place : {QPoint(4, 6), QPoint(31, 6), QPoint(61, 7)}) {
            option.rect = QRect(place, QSize(17, 23));
            bool drawn = false;
            const auto draw = [&](DrawingCache *through) {
                QImage image = blank(ScreenDotsPerMeter, shown.pixelRatio);
                QPainter painter(&image);
                if (!through ||
                    !(drawn = through->draw(*style, shown.part, option, &painter, nullptr)))
                    style->drawControl(shown.part, &option, &painter);
                return image;
            };
            const QImage expected = draw(nullptr);
            QVERIFY2(draw(&cache) == expected && drawn == shown.kept, shown.name);
        }
    }
}

void tst_FormCaches::groupBoxFrameIsWhatTheStyleDraws_data()
{
    QTest::addColumn<Frame>("frame");
    // False where the cache must leave the frame to the style.
    QTest::addColumn<bool>("kept");
    // A titled box of the form's usual size, as each row changes it.
    const auto box = [](const std::function<void(Frame &)> &change) {
        Frame frame;
        frame.rect = QRect(10, 12, 220, 150);
        frame.title = QStringLiteral("Przekaźnik 1");
        change(frame);
        return frame;
    };
    QTest::newRow("titled") << box([](Frame &) {}) << true;
    QTest::newRow("without title") << box([](Frame &f) { f.title.clear(); }) << true;
    QTest::newRow("with check box") << box([](Frame &f) { f.checkable = true; }) << true;
    QTest::newRow("disabled") << box([](Frame &f) { f.enabled = false; }) << true;
    QTest::newRow("larger title") << box([](Frame &f) { f.points = 16; }) << true;
    QTest::newRow("moved painter") << box([](Frame &f) { f.offset = {13, 7}; }) << true;
    QTest::newRow("title clipped out") << box([](Frame &f) {
        f.clip = QRegion(0, 0, 260, 200) - QRect(20, 5, 90, 24);
    }) << true;
    QTest::newRow("one field drawn again")
        << box([](Frame &f) { f.clip = QRegion(30, 60, 80, 20); }) << true;
    QTest::newRow("across the rim")
        << box([](Frame &f) { f.clip = QRegion(0, 100, 40, 30); }) << true;
    QTest::newRow("narrow and tall")
        << box([](Frame &f) { f.rect = QRect(10, 5, 40, 190); }) << true;
    QTest::newRow("wide and short")
        << box([](Frame &f) { f.rect = QRect(3, 12, 254, 44); }) << true;
    QTest::newRow("too small for an inside")
        << box([](Frame &f) { f.rect = QRect(10, 12, 9, 9); }) << false;
    QTest::newRow("fractionally moved") << box([](Frame &f) { f.offset = {0.5, 0}; }) << false;
    QTest::newRow("scaled painter")
        << box([](Frame &f) { f.transform = QTransform::fromScale(1.1, 1.1); }) << false;
}

void tst_FormCaches::groupBoxFrameIsWhatTheStyleDraws()
{
    QFETCH(Frame, frame);
    QFETCH(bool, kept);
    const std::unique_ptr<QStyle> style(QStyleFactory::create(QStringLiteral("Fusion")));
    const QImage expected = drawFrame(*style, frame);
    QImage blank(expected.size(), expected.format());
    blank.fill(Qt::white);
    GroupBoxFrames frames;
    // The second drawing comes from what was measured for the first.
    for (int time = 1; time <= 2; ++time) {
        bool drawn = !kept;
        const QImage image = drawFrame(*style, frame, &frames, &drawn);
        QCOMPARE(drawn, kept);
        QVERIFY2(image == (kept ? expected : blank), qPrintable(QString::number(time)));
    }
}

// A container leaves its white to the parent beneath it only where that parent has just painted
// itself white; over anything else it paints its own.
void tst_FormCaches::containerOnScreenIsWhatDrawingTheWindowAfreshGives_data()
{
    QTest::addColumn<QString>("beneath");
    QTest::newRow("a plain container") << QStringLiteral("plain");
    QTest::newRow("a scroll area's viewport") << QStringLiteral("scrolled");
    QTest::newRow("a framed parent, the container over its lines") << QStringLiteral("framed");
    QTest::newRow("a group box's inside") << QStringLiteral("group");
}

void tst_FormCaches::containerOnScreenIsWhatDrawingTheWindowAfreshGives()
{
    QFETCH(QString, beneath);
    QWidget *parent = nullptr;
    if (beneath == QLatin1String("group")) {
        parent = new QGroupBox(QStringLiteral("Grupa"));
    } else {
        auto *frame = new QFrame;
        frame->setFrameShape(beneath == QLatin1String("framed") ? QFrame::Box : QFrame::NoFrame);
        frame->setLineWidth(3);
        parent = frame;
    }
    QMainWindow window;
    if (beneath == QLatin1String("scrolled")) {
        auto *area = new QScrollArea;
        area->setFrameShape(QFrame::NoFrame);
        area->setWidgetResizable(true);
        area->setWidget(parent);
        window.setCentralWidget(area);
    } else {
        window.setCentralWidget(parent);
    }
    // Over the parent's own drawing, if it has any: a frame's lines, a group box's title.
    auto *container = new QFrame(parent);
    container->setGeometry(0, 0, 120, 60);
    FormStyle::apply(&window);
    window.resize(240, 160);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect place(container->mapTo(&window, QPoint(0, 0)), container->size());
    const auto onScreen = [&] {
        const QImage screen = window.screen()->grabWindow(window.winId()).toImage();
        return screen.copy(place).convertToFormat(QImage::Format_RGB32);
    };
    const QImage afresh = window.grab().toImage().copy(place).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(afresh.pixelColor(afresh.rect().center()), QColor(Qt::white));
    QTRY_COMPARE(onScreen(), afresh);
    // Repainting the container alone paints its parent beneath it first.
    container->update();
    QTRY_COMPARE(onScreen(), afresh);
}

QTEST_MAIN(tst_FormCaches)
#include "tst_formcaches.moc"
