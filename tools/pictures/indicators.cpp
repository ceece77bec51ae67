#include "indicators.h"

#include "draw.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QVector>
#include <QtMath>

#include <cmath>

namespace indicator {

void led(QPainter &p, qreal size, LedColour colour)
{
    draw::LedColours c;
    switch (colour) {
    case LedColour::White: // unlit indicator: milky white
        c = {QColor(0xff, 0xff, 0xff), QColor(0xc4, 0xcb, 0xd3), false};
        break;
    case LedColour::Red:
        c = {QColor(0xff, 0x4a, 0x3d), QColor(0xa3, 0x0d, 0x0d), true};
        break;
    case LedColour::Green:
        c = {QColor(0x4c, 0xe0, 0x6a), QColor(0x0f, 0x7a, 0x2b), true};
        break;
    case LedColour::Yellow:
        c = {QColor(0xff, 0xd8, 0x2a), QColor(0xc2, 0x84, 0x00), true};
        break;
    case LedColour::Off: // dark, switched-off lamp
        c = {QColor(0x7a, 0x80, 0x88), QColor(0x3a, 0x3f, 0x46), false};
        break;
    }
    draw::led(p, QPointF(size / 2, size / 2), size / 2 - size * 0.02, c);
}

void ok(QPainter &p, const Style &s)
{
    p.save();
    p.setPen(draw::pen(s.pal.green, 17));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(17, 53), QPointF(40, 76), QPointF(83, 25)}));
    p.restore();
}

void nok(QPainter &p, const Style &s)
{
    p.save();
    p.setPen(draw::pen(s.pal.red, 17));
    p.drawLine(QPointF(22, 22), QPointF(78, 78));
    p.drawLine(QPointF(78, 22), QPointF(22, 78));
    p.restore();
}

void toggle(QPainter &p, const Style &s, bool on)
{
    p.save();
    const QRectF track(4, 8, 77, 34);
    const qreal rr = track.height() / 2;
    // Track.
    p.setPen(Qt::NoPen);
    p.setBrush(s.pal.shadow);
    p.drawRoundedRect(track.translated(0, 1.2), rr, rr);
    QLinearGradient g(track.topLeft(), track.bottomLeft());
    if (on) {
        g.setColorAt(0, s.pal.green.darker(125));
        g.setColorAt(1, s.pal.green.lighter(115));
    } else {
        g.setColorAt(0, QColor(0x9a, 0xa3, 0xad));
        g.setColorAt(1, QColor(0xc9, 0xd0, 0xd7));
    }
    p.setBrush(g);
    p.drawRoundedRect(track, rr, rr);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(on ? s.pal.green.darker(150) : s.pal.tileBorder.darker(120), 1.2));
    p.drawRoundedRect(track, rr, rr);

    // Mark on the free side of the track: "I" when on, "O" when off.
    const qreal knobX = on ? track.right() - rr : track.left() + rr;
    const qreal markX = on ? track.left() + rr + 4 : track.right() - rr - 4;
    p.setPen(draw::pen(on ? QColor(255, 255, 255) : QColor(0x4a, 0x55, 0x62), 3.2));
    if (on)
        p.drawLine(QPointF(markX, track.center().y() - 8), QPointF(markX, track.center().y() + 8));
    else
        p.drawEllipse(QPointF(markX, track.center().y()), 7, 7);

    // Knob.
    const QPointF kc(knobX, track.center().y());
    const qreal kr = rr - 3;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(kc + QPointF(0, 1.5), kr, kr);
    QRadialGradient kg(kc + QPointF(-kr * 0.3, -kr * 0.4), kr * 1.4);
    kg.setColorAt(0, QColor(255, 255, 255));
    kg.setColorAt(1, QColor(0xd5, 0xdb, 0xe2));
    p.setBrush(kg);
    p.drawEllipse(kc, kr, kr);
    p.setPen(QPen(QColor(0x7d, 0x8a, 0x98), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(kc, kr, kr);
    p.restore();
}

void brtFace(QPainter &p, bool vertical, const QColor &lit)
{
    const QPointF c(55, 55);
    p.save();
    // Housing: dark face in a metal rim.
    QLinearGradient rim(0, 0, 110, 110);
    rim.setColorAt(0, QColor(0xe8, 0xec, 0xf0));
    rim.setColorAt(1, QColor(0x60, 0x69, 0x74));
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawEllipse(c, 53, 53);
    QRadialGradient face(c, 48);
    face.setColorAt(0, QColor(0x33, 0x38, 0x40));
    face.setColorAt(1, QColor(0x1b, 0x1e, 0x23));
    p.setBrush(face);
    p.drawEllipse(c, 48, 48);

    const QColor unlit(0x4a, 0x50, 0x5a);
    const qreal inner = 15, outer = 39, width = 9;
    auto bar = [&](int k) {
        const qreal a = qDegreesToRadians(45.0 * k);
        const QPointF d(std::cos(a), -std::sin(a));
        return QLineF(c + d * inner, c + d * outer);
    };
    auto isLit = [&](int k) { return vertical ? (k == 2 || k == 6) : (k == 0 || k == 4); };

    for (int k = 0; k < 8; ++k) {
        if (isLit(k))
            continue;
        p.setPen(draw::pen(unlit, width));
        p.drawLine(bar(k));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(unlit);
    p.drawEllipse(c, 7.5, 7.5);

    // Lit parts: a soft halo (many faint, ever wider strokes), then the bright core.
    QVector<QLineF> litBars;
    for (int k = 0; k < 8; ++k)
        if (isLit(k))
            litBars << bar(k);
    QPainterPath faceArea;
    faceArea.addEllipse(c, 48, 48);
    p.setClipPath(faceArea);
    const int haloSteps = 10;
    for (int i = haloSteps; i >= 1; --i) {
        const qreal grow = i * 1.1;
        QColor halo = lit;
        halo.setAlpha(20);
        p.setPen(draw::pen(halo, width + 2 * grow));
        p.drawLines(litBars);
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(c, 7.5 + grow, 7.5 + grow);
    }
    p.setClipping(false);
    p.setPen(draw::pen(lit, width));
    p.drawLines(litBars);
    p.setPen(Qt::NoPen);
    p.setBrush(lit);
    p.drawEllipse(c, 7.5, 7.5);
    // A white-hot centre line makes coloured light look lit rather than painted.
    QColor core = lit.lighter(160);
    core.setAlpha(200);
    p.setPen(draw::pen(core, width * 0.35));
    p.drawLines(litBars);
    p.setPen(Qt::NoPen);
    p.setBrush(core);
    p.drawEllipse(c, 3, 3);
    p.restore();
}

// Segment bits: a b c d e f g (a = top, then clockwise, g = middle).
static int segmentsFor(QChar ch)
{
    switch (ch.toLatin1()) {
    case '0':
        return 0b0111111;
    case '1':
        return 0b0000110;
    case '2':
        return 0b1011011;
    case '3':
        return 0b1001111;
    case '4':
        return 0b1100110;
    case '5':
        return 0b1101101;
    case '6':
        return 0b1111101;
    case '7':
        return 0b0000111;
    case '8':
        return 0b1111111;
    case '9':
        return 0b1101111;
    case 'A':
        return 0b1110111;
    case 'U':
        return 0b0111110;
    case 't':
        return 0b1111000;
    case 'o':
        return 0b1011100;
    case '-':
        return 0b1000000;
    default:
        return 0;
    }
}

// One digit with its top-left at `o`, w x h, slanted like a real display.
static void digit(QPainter &p, QPointF o, qreal w, qreal h, int segs, bool point, const QColor &on,
                  const QColor &off)
{
    const qreal t = w * 0.2;    // segment thickness
    const qreal gap = t * 0.14; // gap between segments
    const qreal hh = h / 2;
    // Horizontal segment centred on (x0..x1, y).
    auto hseg = [&](qreal y) {
        const qreal x0 = t / 2 + gap, x1 = w - t / 2 - gap;
        return draw::polygon({{x0, y},
                              {x0 + t / 2, y - t / 2},
                              {x1 - t / 2, y - t / 2},
                              {x1, y},
                              {x1 - t / 2, y + t / 2},
                              {x0 + t / 2, y + t / 2}});
    };
    // Vertical segment centred on (x, y0..y1).
    auto vseg = [&](qreal x, qreal y0, qreal y1) {
        y0 += gap + t / 2;
        y1 -= gap + t / 2;
        return draw::polygon({{x, y0 - t / 2},
                              {x + t / 2, y0},
                              {x + t / 2, y1},
                              {x, y1 + t / 2},
                              {x - t / 2, y1},
                              {x - t / 2, y0}});
    };
    const QPainterPath seg[7] = {
        hseg(t / 2),                    // a
        vseg(w - t / 2, t / 2, hh),     // b
        vseg(w - t / 2, hh, h - t / 2), // c
        hseg(h - t / 2),                // d
        vseg(t / 2, hh, h - t / 2),     // e
        vseg(t / 2, t / 2, hh),         // f
        hseg(hh),                       // g
    };
    p.save();
    QTransform slant;
    slant.translate(o.x(), o.y());
    slant.shear(-0.1, 0);
    slant.translate(h * 0.1, 0); // shear around the bottom edge
    p.setTransform(slant, true);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
        p.setBrush((segs >> i) & 1 ? on : off);
        p.drawPath(seg[i]);
    }
    p.setBrush(point ? on : off);
    p.drawEllipse(QPointF(w + t * 0.95, h - t / 2), t * 0.55, t * 0.55);
    p.restore();
}

void sevenSegment(QPainter &p, const QString &text)
{
    p.save();
    // Bezel and dark window.
    const QRectF box(1, 1, 148, 48);
    QLinearGradient bezel(box.topLeft(), box.bottomLeft());
    bezel.setColorAt(0, QColor(0x55, 0x5c, 0x66));
    bezel.setColorAt(1, QColor(0x2a, 0x2e, 0x34));
    p.setPen(Qt::NoPen);
    p.setBrush(bezel);
    p.drawRoundedRect(box, 6, 6);
    p.setBrush(QColor(0x12, 0x12, 0x14));
    p.drawRoundedRect(box.adjusted(3, 3, -3, -3), 4, 4);

    const QColor on(0xff, 0x3b, 0x2a);
    const QColor off(0x3a, 0x1c, 0x1a);
    const qreal w = 19, h = 34, pitch = 27.5;
    const qreal x0 = (150 - (4 * pitch + w)) / 2 - 1.5, y0 = 8;

    // Parse: each visible character takes a digit; a '.' lights the previous digit's point.
    struct Cell
    {
        int segs;
        bool point;
    };
    QVector<Cell> cells;
    for (QChar ch : text) {
        if (ch == QLatin1Char('.') && !cells.isEmpty())
            cells.last().point = true;
        else
            cells.append({segmentsFor(ch), false});
    }
    cells.resize(5);
    for (int i = 0; i < 5; ++i) {
        const QPointF o(x0 + i * pitch, y0);
        digit(p, o, w, h, cells[i].segs, cells[i].point, on, off);
    }
    p.restore();
}

} // namespace indicator
