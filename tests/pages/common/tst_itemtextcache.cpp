#include "pages/common/itemtextcache.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QTest>

// Texts drawn from their kept shapes must be the very pixels QPainter would draw, wherever the
// widget's rectangle and alignment put them, and texts the cache cannot place must be left to
// QPainter untouched.
class tst_ItemTextCache : public QObject
{
    Q_OBJECT

private slots:
    void drawsWhatQPainterDraws_data();
    void drawsWhatQPainterDraws();
    void leavesToQPainterWhatItCannotPlace_data();
    void leavesToQPainterWhatItCannotPlace();
    void sameTextInAnotherFontOrResolutionIsShapedAgain();
};

namespace {

constexpr QSize Canvas(220, 60);

// Images are of the screen's usual resolution unless a drawing asks for another.
constexpr int ScreenDotsPerMeter = 3780;

struct Drawing
{
    QFont font;
    QPointF offset;
    QTransform transform;
    int dotsPerMeter = ScreenDotsPerMeter;
};

QImage blank(int dotsPerMeter = ScreenDotsPerMeter)
{
    QImage image(Canvas, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    return image;
}

QPainter *begin(QPainter *painter, const Drawing &drawing)
{
    painter->setFont(drawing.font);
    painter->setPen(QColor(20, 40, 160));
    painter->translate(drawing.offset);
    painter->setTransform(drawing.transform, true);
    return painter;
}

QImage byQPainter(const Drawing &drawing, const QRect &rect, int flags, const QString &text)
{
    QImage image = blank(drawing.dotsPerMeter);
    QPainter painter(&image);
    begin(&painter, drawing)->drawText(rect, flags, text);
    return image;
}

QImage byCache(ItemTextCache &cache, const Drawing &drawing, const QRect &rect, int flags,
               const QString &text, bool *drawn)
{
    QImage image = blank(drawing.dotsPerMeter);
    QPainter painter(&image);
    *drawn = cache.draw(begin(&painter, drawing), rect, flags, text);
    return image;
}

QFont sized(qreal points, bool bold = false)
{
    QFont font;
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace

void tst_ItemTextCache::drawsWhatQPainterDraws_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QPointF>("offset");

    const QString label = QStringLiteral("Załączenie przekaźnika");
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    const int mnemonic = Qt::TextShowMnemonic;
    const QFont normal = sized(9);
    // Check box and radio labels: left, centred vertically, in rectangles of even and odd
    // heights, where centring falls on half a pixel.
    QTest::newRow("check box label") << label << QRect(21, 3, 180, 20) << (left | mnemonic)
                                     << normal << QPointF();
    QTest::newRow("odd height") << label << QRect(21, 3, 180, 21) << (left | mnemonic) << normal
                                << QPointF();
    QTest::newRow("odd font") << QStringLiteral("Czas odblokowania [s]") << QRect(4, 2, 200, 17)
                              << left << sized(10.5) << QPointF();
    QTest::newRow("bold") << QStringLiteral("Konfiguracja kolorów") << QRect(0, 0, 200, 30)
                          << left << sized(9, true) << QPointF();
    // Group box titles are centred both ways; labels may sit right or at the bottom.
    QTest::newRow("centred") << QStringLiteral("Przekaźnik 1") << QRect(10, 5, 151, 24)
                             << int(Qt::AlignCenter) << normal << QPointF();
    QTest::newRow("right, bottom") << QStringLiteral("12,5 kV") << QRect(0, 0, 97, 41)
                                   << int(Qt::AlignRight | Qt::AlignBottom) << normal << QPointF();
    QTest::newRow("top left") << QStringLiteral("ĄĆĘŁŃÓŚŹŻ ąćęłńóśźż") << QRect(3, 1, 210, 40)
                              << int(Qt::AlignLeft | Qt::AlignTop) << normal << QPointF();
    // Wider than its rectangle: clipped to it, or not when asked not to.
    QTest::newRow("clipped") << label << QRect(5, 5, 70, 12) << left << normal << QPointF();
    QTest::newRow("not clipped") << label << QRect(5, 5, 70, 12)
                                 << (left | Qt::TextDontClip) << normal << QPointF();
    QTest::newRow("centred, clipped") << label << QRect(40, 20, 60, 14)
                                      << int(Qt::AlignCenter) << normal << QPointF();
    // A painter moved by the widget's offset, whole and fractional.
    QTest::newRow("moved painter") << label << QRect(0, 0, 180, 20) << left << normal
                                   << QPointF(13, 7);
    QTest::newRow("fractionally moved painter")
        << label << QRect(0, 0, 180, 21) << int(Qt::AlignCenter) << normal << QPointF(2.5, 3.5);
    QTest::newRow("leading spaces") << QStringLiteral("  wcięcie") << QRect(0, 0, 150, 20)
                                    << int(Qt::AlignRight | Qt::AlignVCenter) << normal
                                    << QPointF();
}

void tst_ItemTextCache::drawsWhatQPainterDraws()
{
    QFETCH(QString, text);
    QFETCH(QRect, rect);
    QFETCH(int, flags);
    QFETCH(QFont, font);
    QFETCH(QPointF, offset);
    const Drawing drawing{font, offset, QTransform()};

    ItemTextCache cache;
    const QImage expected = byQPainter(drawing, rect, flags, text);
    // The second drawing comes from the kept shape.
    for (int time = 0; time < 2; ++time) {
        bool drawn = false;
        const QImage image = byCache(cache, drawing, rect, flags, text, &drawn);
        QVERIFY(drawn);
        QVERIFY2(image == expected, qPrintable(QStringLiteral("drawing %1").arg(time + 1)));
    }
}

void tst_ItemTextCache::leavesToQPainterWhatItCannotPlace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QTransform>("transform");

    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    QTest::newRow("mnemonic") << QStringLiteral("&Zapisz") << (left | Qt::TextShowMnemonic)
                              << QTransform();
    QTest::newRow("two lines") << QStringLiteral("Czas\nodblokowania") << left << QTransform();
    QTest::newRow("tab") << QStringLiteral("a\tb") << left << QTransform();
    QTest::newRow("trailing space") << QStringLiteral("Czas: ") << int(Qt::AlignRight)
                                    << QTransform();
    QTest::newRow("word wrap") << QStringLiteral("Czas odblokowania")
                               << (left | Qt::TextWordWrap) << QTransform();
    QTest::newRow("scaled painter") << QStringLiteral("Czas") << left
                                    << QTransform::fromScale(1.5, 1.5);
    QTest::newRow("empty") << QString() << left << QTransform();
}

void tst_ItemTextCache::leavesToQPainterWhatItCannotPlace()
{
    QFETCH(QString, text);
    QFETCH(int, flags);
    QFETCH(QTransform, transform);

    ItemTextCache cache;
    bool drawn = true;
    const QImage image =
        byCache(cache, {sized(9), QPointF(), transform}, QRect(0, 0, 200, 40), flags, text, &drawn);
    QVERIFY(!drawn);
    QCOMPARE(image, blank());
}

void tst_ItemTextCache::sameTextInAnotherFontOrResolutionIsShapedAgain()
{
    const QString text = QStringLiteral("Blokada");
    const QRect rect(0, 0, 200, 40);
    ItemTextCache cache;
    // The same font on a device of twice the resolution is a text of twice the size.
    const Drawing drawings[] = {{sized(9), QPointF(), QTransform()},
                                {sized(14, true), QPointF(), QTransform()},
                                {sized(9), QPointF(), QTransform(), 2 * ScreenDotsPerMeter},
                                {sized(9), QPointF(), QTransform()}};
    for (const Drawing &drawing : drawings) {
        bool drawn = false;
        QCOMPARE(byCache(cache, drawing, rect, Qt::AlignCenter, text, &drawn),
                 byQPainter(drawing, rect, Qt::AlignCenter, text));
        QVERIFY(drawn);
    }
}

QTEST_MAIN(tst_ItemTextCache)
#include "tst_itemtextcache.moc"
