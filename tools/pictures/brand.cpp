#include "brand.h"

#include "draw.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace brand {

// A lightning bolt (the relays' business: protection and signalling of electrical circuits).
static QPainterPath bolt()
{
    return draw::polygon({{56, 14}, {30, 55}, {47, 55}, {40, 86}, {70, 42}, {53, 42}, {62, 14}});
}

void logo(QPainter &p, const Style &s)
{
    const QPointF c(50, 50);
    p.save();
    p.setPen(Qt::NoPen);
    // Navy disc, lit from the top.
    QLinearGradient disc(50, 2, 50, 98);
    disc.setColorAt(0, s.pal.accent);
    disc.setColorAt(1, s.pal.ink);
    p.setBrush(disc);
    p.drawEllipse(c, 48, 48);
    // White ring: the "O" of ORVA.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255), 7.5));
    p.drawEllipse(c, 35, 35);
    // Amber bolt through the ring, outlined in navy so it stands out on the white.
    QTransform t;
    t.translate(50, 50);
    t.scale(0.86, 0.86);
    t.translate(-50, -50);
    const QPainterPath b = t.map(bolt());
    p.setPen(QPen(s.pal.ink, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(s.pal.amber);
    p.drawPath(b);
    // Gloss on the upper half of the disc.
    QPainterPath gloss;
    gloss.addEllipse(c, 48, 48);
    QPainterPath cut;
    cut.addEllipse(QPointF(50, 118), 78, 78);
    QLinearGradient gg(50, 2, 50, 50);
    gg.setColorAt(0, QColor(255, 255, 255, 70));
    gg.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gg);
    p.drawPath(gloss.subtracted(cut));
    p.restore();
}

void logoWide(QPainter &p, const Style &s)
{
    p.save();
    // Round logo on the left, 80 units high.
    p.save();
    p.translate(8, 8);
    p.scale(0.8, 0.8);
    logo(p, s);
    p.restore();
    // The maker's name: ORVA in navy, TECH in the accent blue, over an amber rule.
    const QRectF nameBox(102, 14, 204, 50);
    const QVector<QPainterPath> name =
        draw::textRuns(s, {QStringLiteral("ORVA"), QStringLiteral("TECH")}, nameBox, 42);
    p.setPen(Qt::NoPen);
    p.setBrush(s.pal.ink);
    p.drawPath(name[0]);
    p.setBrush(s.pal.accent);
    p.drawPath(name[1]);
    const QRectF ink = name[0].boundingRect().united(name[1].boundingRect());
    p.setPen(QPen(s.pal.amber, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(ink.left() + 2, 76), QPointF(ink.right() - 2, 76));
    p.restore();
}

void model(QPainter &p, const Style &s, const Model &m)
{
    p.save();
    // DIN-rail module seen from the front.
    const QRectF body(14, 9, 72, 78);
    p.setPen(QPen(s.pal.ink, 2.5));
    QLinearGradient g(body.topLeft(), body.topRight());
    g.setColorAt(0, QColor(0xf2, 0xf4, 0xf6));
    g.setColorAt(1, QColor(0xd6, 0xdb, 0xe1));
    p.setBrush(g);
    p.drawRoundedRect(body, 6, 6);

    // Terminal screws, top and bottom.
    p.setPen(QPen(QColor(0x5a, 0x66, 0x73), 1.4));
    p.setBrush(QColor(0xb8, 0xc0, 0xc9));
    for (int i = 0; i < 4; ++i) {
        const qreal x = 24 + i * 17.3;
        for (qreal y : {17.0, 79.0}) {
            p.drawEllipse(QPointF(x, y), 4.2, 4.2);
            p.drawLine(QPointF(x - 2.6, y + 2.6), QPointF(x + 2.6, y - 2.6));
        }
    }

    // Family colour band with the LEDs.
    const QRectF band(18, 27, 64, 17);
    p.setPen(Qt::NoPen);
    p.setBrush(m.stripe);
    p.drawRoundedRect(band, 3, 3);
    const int n = m.leds.size();
    const qreal pitch = 13;
    const qreal x0 = band.center().x() - pitch * (n - 1) / 2.0;
    for (int i = 0; i < n; ++i) {
        const QPointF c(x0 + i * pitch, band.center().y());
        p.setBrush(QColor(0x1b, 0x1e, 0x23));
        p.drawEllipse(c, 5.2, 5.2);
        QRadialGradient lg(c - QPointF(1.2, 1.2), 4.5);
        lg.setColorAt(0, m.leds[i].lighter(150));
        lg.setColorAt(1, m.leds[i]);
        p.setBrush(lg);
        p.drawEllipse(c, 4, 4);
    }

    // Name plate: the model name, as large as it fits.
    const QRectF plate(17, 48, 66, 23);
    p.setBrush(QColor(255, 255, 255));
    p.setPen(QPen(s.pal.ink, 1.6));
    p.drawRoundedRect(plate, 3, 3);
    draw::text(p, s, m.name, plate.adjusted(2.5, 3, -2.5, -3), 17, s.pal.ink);
    p.restore();
}

} // namespace brand
