#include "draw.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>

namespace draw {

QPen pen(const QColor &c, qreal width)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

static void head(QPainter &p, QPointF tip, QPointF dir, qreal width, qreal size, const QColor &c)
{
    const qreal len = std::hypot(dir.x(), dir.y());
    const QPointF u = dir / len;
    const QPointF n(-u.y(), u.x());
    // The tip of the triangle is pulled back by the join's rounding so the head ends at `tip`.
    const qreal joinPad = width * 0.25;
    const QPointF t = tip - u * joinPad;
    const QPointF base = t - u * size;
    p.setPen(pen(c, width * 0.5));
    p.setBrush(c);
    p.drawPolygon(QPolygonF({t, base + n * size * 0.72, base - n * size * 0.72}));
}

void arrow(QPainter &p, QPointF from, QPointF to, qreal width, qreal headSize, const QColor &c)
{
    const QPointF d = to - from;
    const qreal len = std::hypot(d.x(), d.y());
    const QPointF u = d / len;
    p.save();
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawLine(from, to - u * (headSize * 0.8));
    head(p, to, d, width, headSize, c);
    p.restore();
}

void arcArrow(QPainter &p, QPointF centre, qreal radius, qreal startDeg, qreal spanDeg, qreal width,
              qreal headSize, const QColor &c)
{
    auto at = [&](qreal deg) {
        const qreal a = qDegreesToRadians(deg);
        return QPointF(centre.x() + radius * std::cos(a), centre.y() - radius * std::sin(a));
    };
    const qreal sign = spanDeg >= 0 ? 1.0 : -1.0;
    const qreal headDeg = qRadiansToDegrees(headSize / radius) * sign;
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);

    p.save();
    QPainterPath arc;
    arc.arcMoveTo(box, startDeg);
    arc.arcTo(box, startDeg, spanDeg - headDeg * 0.8);
    p.setPen(pen(c, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    const qreal endDeg = startDeg + spanDeg;
    const QPointF tip = at(endDeg);
    const QPointF back = at(endDeg - headDeg);
    head(p, tip, tip - back, width, headSize, c);
    p.restore();
}

QPainterPath tilePath(const Style &s, const QRectF &box)
{
    const QRectF r = box.adjusted(s.margin, s.margin, -s.margin, -s.margin - s.drop);
    QPainterPath path;
    path.addRoundedRect(r, s.radius * box.width() / 100.0, s.radius * box.height() / 100.0);
    return path;
}

void tile(QPainter &p, const Style &s, bool pressed, const QRectF &box)
{
    const QPainterPath face = tilePath(s, box);
    const QRectF r = face.boundingRect();
    p.save();
    p.setPen(Qt::NoPen);
    if (!pressed) {
        // Soft drop shadow: two offset layers.
        QColor sh = s.pal.shadow;
        p.setBrush(sh);
        p.drawPath(face.translated(0, s.drop));
        sh.setAlpha(sh.alpha() / 2);
        p.setBrush(sh);
        p.drawPath(face.translated(0, s.drop * 0.5).united(face));
    }
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, pressed ? s.pal.pressedTop : s.pal.tileTop);
    g.setColorAt(1, pressed ? s.pal.pressedBottom : s.pal.tileBottom);
    p.setBrush(g);
    p.drawPath(face);

    if (pressed) {
        // Inner shadow along the top and left edge: the face looks pushed in.
        p.setClipPath(face);
        QPainterPath outside;
        outside.addRect(r.adjusted(-20, -20, 20, 20));
        const qreal d = s.drop * 1.6;
        outside = outside.subtracted(face.translated(d * 0.6, d));
        QColor sh = s.pal.shadow;
        sh.setAlpha(sh.alpha() + 30);
        p.setBrush(sh);
        p.drawPath(outside);
        p.setClipping(false);
    } else {
        // A thin highlight just inside the top edge: the face looks raised.
        p.setClipPath(face);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 200), s.border));
        p.drawPath(face.translated(0, s.border * 0.8));
        p.setClipping(false);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(pressed ? s.pal.pressedBorder : s.pal.tileBorder, s.border));
    p.drawPath(face);
    p.restore();
}

QVector<QPainterPath> textRuns(const Style &s, const QStringList &runs, const QRectF &r,
                               qreal maxHeight, bool bold)
{
    QFont f(QString::fromLatin1(s.fontFamily));
    f.setBold(bold);
    f.setPixelSize(100);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(true);
    const QFontMetricsF fm(f);
    QVector<QPainterPath> paths;
    QPainterPath all;
    qreal x = 0;
    for (const QString &run : runs) {
        QPainterPath path;
        path.addText(x, 0, f, run);
        x += fm.horizontalAdvance(run);
        paths << path;
        all.addPath(path);
    }
    // Fit on the ink box, and centre vertically on the cap height so that labels with and
    // without descenders sit alike.
    const QRectF ink = all.boundingRect();
    QPainterPath cap;
    cap.addText(0, 0, f, QStringLiteral("H"));
    const qreal capH = cap.boundingRect().height();
    const qreal scale = std::min({r.width() / ink.width(), r.height() / capH, maxHeight / capH});
    QTransform t;
    t.translate(r.center().x(), r.center().y());
    t.scale(scale, scale);
    t.translate(-ink.center().x(), capH / 2.0);
    for (QPainterPath &path : paths)
        path = t.map(path);
    return paths;
}

QPainterPath textPath(const Style &s, const QString &text, const QRectF &r, qreal maxHeight,
                      bool bold)
{
    return textRuns(s, QStringList{text}, r, maxHeight, bold).first();
}

void text(QPainter &p, const Style &s, const QString &str, const QRectF &r, qreal maxHeight,
          const QColor &c, bool bold)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(textPath(s, str, r, maxHeight, bold));
    p.restore();
}

void led(QPainter &p, QPointF c, qreal radius, const LedColours &col)
{
    p.save();
    p.setPen(Qt::NoPen);
    // Bezel: brushed metal ring, lit from the top left.
    QLinearGradient bezel(c.x() - radius, c.y() - radius, c.x() + radius, c.y() + radius);
    bezel.setColorAt(0, QColor(0xf4, 0xf6, 0xf8));
    bezel.setColorAt(0.5, QColor(0xa9, 0xb1, 0xba));
    bezel.setColorAt(1, QColor(0x5f, 0x68, 0x73));
    p.setBrush(bezel);
    p.drawEllipse(c, radius, radius);
    const qreal groove = radius * 0.86;
    p.setBrush(QColor(0x3b, 0x42, 0x4c));
    p.drawEllipse(c, groove, groove);

    // Dome.
    const qreal dome = radius * 0.78;
    QRadialGradient g(c + QPointF(-dome * 0.25, -dome * 0.3), dome * 1.25);
    g.setColorAt(0, col.core);
    g.setColorAt(0.55, col.core);
    g.setColorAt(1, col.edge);
    p.setBrush(g);
    p.drawEllipse(c, dome, dome);

    if (col.glow) {
        QRadialGradient glow(c, dome);
        QColor bright = col.core.lighter(130);
        bright.setAlpha(170);
        glow.setColorAt(0, QColor(255, 255, 255, 200));
        glow.setColorAt(0.35, bright);
        glow.setColorAt(1, QColor(bright.red(), bright.green(), bright.blue(), 0));
        p.setBrush(glow);
        p.drawEllipse(c, dome, dome);
    }
    // Specular highlight.
    QRadialGradient hl(c + QPointF(-dome * 0.35, -dome * 0.42), dome * 0.55);
    hl.setColorAt(0, QColor(255, 255, 255, col.glow ? 230 : 210));
    hl.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(hl);
    p.drawEllipse(c + QPointF(-dome * 0.32, -dome * 0.4), dome * 0.5, dome * 0.36);
    p.restore();
}

QPainterPath polygon(std::initializer_list<QPointF> pts)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QVector<QPointF>(pts)));
    path.closeSubpath();
    return path;
}

} // namespace draw
