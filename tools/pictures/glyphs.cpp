#include "glyphs.h"

#include "draw.h"

#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <cmath>

namespace glyph {

void refresh(QPainter &p, const Style &s, bool)
{
    const QPointF c(50, 50);
    const qreal r = 23;
    draw::arcArrow(p, c, r, 35, 140, s.stroke, 13, s.pal.accent);
    draw::arcArrow(p, c, r, 215, 140, s.stroke, 13, s.pal.accent);
}

void device(QPainter &p, const Style &s, const QRectF &r)
{
    p.save();
    // Housing.
    p.setPen(draw::pen(s.pal.ink, s.thin));
    p.setBrush(s.pal.paper);
    p.drawRoundedRect(r, 5, 5);
    // Terminal strips top and bottom.
    p.setPen(Qt::NoPen);
    p.setBrush(s.pal.ink);
    const qreal strip = r.height() * 0.14;
    p.drawRoundedRect(QRectF(r.left(), r.top(), r.width(), strip), 4, 4);
    p.drawRoundedRect(QRectF(r.left(), r.bottom() - strip, r.width(), strip), 4, 4);
    // Two LEDs on the front.
    const qreal ledR = r.width() * 0.11;
    const qreal y = r.top() + r.height() * 0.36;
    p.setBrush(s.pal.green);
    p.drawEllipse(QPointF(r.center().x() - r.width() * 0.2, y), ledR, ledR);
    p.setBrush(s.pal.red);
    p.drawEllipse(QPointF(r.center().x() + r.width() * 0.2, y), ledR, ledR);
    // Label plate.
    p.setBrush(QColor(s.pal.ink.red(), s.pal.ink.green(), s.pal.ink.blue(), 60));
    p.drawRoundedRect(QRectF(r.left() + r.width() * 0.2, r.top() + r.height() * 0.56,
                             r.width() * 0.6, r.height() * 0.14),
                      2, 2);
    p.restore();
}

static const QRectF kDeviceBox(56, 20, 28, 60);

void sendToDevice(QPainter &p, const Style &s, bool)
{
    device(p, s, kDeviceBox);
    draw::arrow(p, QPointF(13, 50), QPointF(53, 50), s.stroke, 15, s.pal.green);
}

void readFromDevice(QPainter &p, const Style &s, bool)
{
    device(p, s, kDeviceBox);
    draw::arrow(p, QPointF(52, 50), QPointF(12, 50), s.stroke, 15, s.pal.accent);
}

void exit(QPainter &p, const Style &s, bool)
{
    p.save();
    // Door frame, open on the right.
    QPainterPath frame;
    frame.moveTo(56, 32);
    frame.lineTo(56, 20);
    frame.lineTo(22, 20);
    frame.lineTo(22, 80);
    frame.lineTo(56, 80);
    frame.lineTo(56, 68);
    p.setPen(draw::pen(s.pal.ink, s.stroke));
    p.setBrush(Qt::NoBrush);
    p.drawPath(frame);
    p.restore();
    draw::arrow(p, QPointF(38, 50), QPointF(85, 50), s.stroke, 16, s.pal.red);
}

void plug(QPainter &p, const Style &s, Plug state)
{
    // Plug on the left, socket on the right, cables leaving the picture sideways.
    // Apart and Pulled leave a gap between them that carries the meaning: a green chevron
    // (join them) or a red cross (the link is cut).
    const qreal shift = state == Plug::Plugged ? 14 : -5;
    const QColor &ink = s.pal.ink;
    p.save();
    p.translate(shift, 0);
    p.setPen(draw::pen(ink, s.stroke));
    p.drawLine(QPointF(8 - shift, 50), QPointF(20, 50)); // cable
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(17, 43, 8, 14), 2, 2);  // strain relief
    p.drawRoundedRect(QRectF(23, 34, 21, 32), 6, 6); // body
    p.setPen(QPen(ink, 5.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(43, 42.5), QPointF(55, 42.5)); // prongs
    p.drawLine(QPointF(43, 57.5), QPointF(55, 57.5));
    p.restore();

    p.save();
    // Socket.
    p.setPen(draw::pen(ink, s.stroke));
    p.drawLine(QPointF(80, 50), QPointF(92, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(66, 31, 18, 38), 5, 5);
    if (state == Plug::Plugged) {
        // A green band on the joint: current flows.
        p.setBrush(s.pal.green);
        p.drawRoundedRect(QRectF(60.5, 32, 5, 36), 2, 2);
    } else {
        p.setBrush(s.pal.paper);
        p.drawRoundedRect(QRectF(66, 39.5, 6, 6), 1.5, 1.5);
        p.drawRoundedRect(QRectF(66, 54.5, 6, 6), 1.5, 1.5);
    }
    p.restore();

    p.save();
    p.setBrush(Qt::NoBrush);
    if (state == Plug::Apart) {
        p.setPen(draw::pen(s.pal.green, s.thin + 1));
        p.drawPolyline(QPolygonF({QPointF(54, 41), QPointF(61, 50), QPointF(54, 59)}));
    } else if (state == Plug::Pulled) {
        p.setPen(draw::pen(s.pal.red, s.thin + 1));
        p.drawLine(QPointF(52, 43), QPointF(61, 57));
        p.drawLine(QPointF(61, 43), QPointF(52, 57));
    }
    p.restore();
}

void ledTest(QPainter &p, const Style &s, bool pressed)
{
    const QPointF c(50, 42);
    const qreal r = 17;
    p.save();
    if (pressed) {
        QRadialGradient glow(c, r * 2.1);
        glow.setColorAt(0, QColor(255, 214, 64, 190));
        glow.setColorAt(1, QColor(255, 214, 64, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(c, r * 2.1, r * 2.1);
    }
    // Glass: a circle that narrows into the neck.
    QPainterPath bulb;
    bulb.moveTo(42, 66);
    bulb.lineTo(42, 60);
    bulb.cubicTo(42, 56, 33, 52, 33, 42);
    bulb.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 180, -180);
    bulb.cubicTo(67, 52, 58, 56, 58, 60);
    bulb.lineTo(58, 66);
    bulb.closeSubpath();
    p.setPen(draw::pen(s.pal.ink, s.thin + 0.5));
    p.setBrush(pressed ? QColor(0xff, 0xcc, 0x2e) : QColor(0xff, 0xf6, 0xd2));
    p.drawPath(bulb);
    // Filament.
    p.setPen(draw::pen(pressed ? QColor(0xc0, 0x5a, 0x00) : s.pal.ink, 2.6));
    p.setBrush(Qt::NoBrush);
    QPainterPath filament;
    filament.moveTo(45, 61);
    filament.lineTo(45, 51);
    filament.cubicTo(45, 44, 55, 44, 55, 51);
    filament.lineTo(55, 61);
    p.drawPath(filament);
    // Screw base.
    p.setPen(draw::pen(s.pal.ink, s.thin + 0.5));
    p.drawLine(QPointF(43, 71), QPointF(57, 71));
    p.drawLine(QPointF(44, 77), QPointF(56, 77));
    p.drawLine(QPointF(47, 82), QPointF(53, 82));
    // Rays.
    p.setPen(draw::pen(s.pal.amber, s.thin + (pressed ? 1.5 : 0.5)));
    const qreal r1 = r + 6, r2 = r + (pressed ? 15 : 12);
    for (qreal deg : {0.0, 40.0, 90.0, 140.0, 180.0}) {
        const qreal a = qDegreesToRadians(deg);
        const QPointF d(std::cos(a), -std::sin(a));
        p.drawLine(c + d * r1, c + d * r2);
    }
    p.restore();
}

void reset(QPainter &p, const Style &s, bool)
{
    p.save();
    // The line being wiped, fading out where the eraser has been.
    p.setPen(draw::pen(s.pal.ink, s.thin));
    p.drawLine(QPointF(47, 78), QPointF(84, 78));
    p.setPen(draw::pen(s.pal.tileBorder, s.thin));
    p.drawLine(QPointF(16, 78), QPointF(26, 78));
    // Eraser, tilted.
    p.translate(46, 50);
    p.rotate(-38);
    const QRectF body(-28, -13, 56, 26);
    p.setPen(draw::pen(s.pal.ink, s.thin + 0.5));
    p.setBrush(s.pal.paper);
    p.drawRoundedRect(body, 5, 5);
    QPainterPath rubber;
    rubber.addRoundedRect(QRectF(-28, -13, 22, 26), 5, 5);
    p.setBrush(s.pal.red);
    p.drawPath(rubber);
    p.restore();
}

void view(QPainter &p, const Style &s, bool pressed)
{
    p.save();
    QPainterPath eye;
    eye.moveTo(14, 50);
    eye.quadTo(50, 14, 86, 50);
    eye.quadTo(50, 86, 14, 50);
    eye.closeSubpath();
    p.setPen(draw::pen(s.pal.ink, s.stroke));
    p.setBrush(s.pal.paper);
    p.drawPath(eye);
    p.setClipPath(eye);
    p.setPen(Qt::NoPen);
    p.setBrush(pressed ? s.pal.accent : QColor(0x9f, 0xc3, 0xe6));
    p.drawEllipse(QPointF(50, 50), 14, 14);
    p.setBrush(s.pal.ink);
    p.drawEllipse(QPointF(50, 50), 6.5, 6.5);
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawEllipse(QPointF(45, 45), 3.2, 3.2);
    p.setClipping(false);
    p.restore();
}

void documentation(QPainter &p, const Style &s, bool)
{
    p.save();
    const qreal l = 28, t = 16, r = 72, b = 84, fold = 14;
    QPainterPath page;
    page.moveTo(l, t);
    page.lineTo(r - fold, t);
    page.lineTo(r, t + fold);
    page.lineTo(r, b);
    page.lineTo(l, b);
    page.closeSubpath();
    p.setPen(draw::pen(s.pal.ink, s.stroke));
    p.setBrush(s.pal.paper);
    p.drawPath(page);
    QPainterPath corner;
    corner.moveTo(r - fold, t);
    corner.lineTo(r - fold, t + fold);
    corner.lineTo(r, t + fold);
    p.setPen(draw::pen(s.pal.ink, s.thin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(corner);
    // Lines of text, the first as a heading in the accent colour.
    p.setPen(draw::pen(s.pal.accent, s.thin + 1));
    p.drawLine(QPointF(37, 31), QPointF(53, 31));
    p.setPen(draw::pen(s.pal.ink, s.thin - 0.5));
    for (qreal y : {45.0, 55.0, 65.0})
        p.drawLine(QPointF(37, y), QPointF(63, y));
    p.drawLine(QPointF(37, 75), QPointF(53, 75));
    p.restore();
}

void info(QPainter &p, const Style &s, bool)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(s.pal.accent);
    p.drawEllipse(QPointF(52, 26), 7.5, 7.5);
    p.setPen(draw::pen(s.pal.accent, s.stroke * 1.35));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(41, 42), QPointF(53, 42), QPointF(53, 75)}));
    p.drawLine(QPointF(40, 76), QPointF(65, 76));
    p.restore();
}

void contact(QPainter &p, const Style &s, bool)
{
    p.save();
    const QRectF env(17, 28, 66, 44);
    p.setPen(draw::pen(s.pal.ink, s.stroke * 1.15));
    p.setBrush(s.pal.paper);
    p.drawRoundedRect(env, 4, 4);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(20, 31), QPointF(50, 53), QPointF(80, 31)}));
    p.restore();
}

} // namespace glyph
