#pragma once

#include "style.h"

#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QStringList>
#include <QVector>

// Drawing primitives shared by all pictures. Coordinates are design units of the picture.
namespace draw {

QPen pen(const QColor &c, qreal width);

// A straight arrow with a filled head whose tip is at `to`.
void arrow(QPainter &p, QPointF from, QPointF to, qreal width, qreal head, const QColor &c);

// An arc arrow around `centre` (angles in degrees, counter-clockwise from 3 o'clock, as
// QPainterPath::arcTo) with a filled head at the end of the span.
void arcArrow(QPainter &p, QPointF centre, qreal radius, qreal startDeg, qreal spanDeg, qreal width,
              qreal head, const QColor &c);

// The button tile: rounded square inside `box`, raised (released) or inset (pressed).
void tile(QPainter &p, const Style &s, bool pressed, const QRectF &box = QRectF(0, 0, 100, 100));

// The path of the tile face (for clipping).
QPainterPath tilePath(const Style &s, const QRectF &box = QRectF(0, 0, 100, 100));

// Text outline in the label font, scaled to fit `r` (at most `maxHeight` cap height) and
// centred in it. Drawn as a path, so it scales cleanly and does not depend on hinting.
QPainterPath textPath(const Style &s, const QString &text, const QRectF &r, qreal maxHeight,
                      bool bold = true);
// The same for several runs set one after another on one line (to colour them apart).
QVector<QPainterPath> textRuns(const Style &s, const QStringList &runs, const QRectF &r,
                               qreal maxHeight, bool bold = true);
void text(QPainter &p, const Style &s, const QString &text, const QRectF &r, qreal maxHeight,
          const QColor &c, bool bold = true);

// A round LED: metal bezel, dome coloured `lit` (glowing) or an unlit dome of colour `body`.
struct LedColours
{
    QColor core; // centre of the dome
    QColor edge; // rim of the dome
    bool glow;   // lit LEDs glow and get a stronger highlight
};
void led(QPainter &p, QPointF centre, qreal radius, const LedColours &c);

// A polygon as a closed path, a convenience for the seven-segment display and glyphs.
QPainterPath polygon(std::initializer_list<QPointF> pts);

} // namespace draw
