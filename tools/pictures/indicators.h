#pragma once

#include "style.h"

#include <QColor>
#include <QPainter>
#include <QString>

// Pictures that show a state rather than an action.
namespace indicator {

enum class LedColour
{
    White,
    Red,
    Green,
    Yellow,
    Off
};
// A round LED filling a square design box of `size` units.
void led(QPainter &p, qreal size, LedColour colour);

// Test result marks in a 100 x 100 box.
void ok(QPainter &p, const Style &s);
void nok(QPainter &p, const Style &s);

// Toggle switch in an 85 x 50 box.
void toggle(QPainter &p, const Style &s, bool on);

// BRT-1 indicator face in a 110 x 110 box: eight bars around a centre dot; the vertical pair
// (or the horizontal pair) and the dot are lit in `lit`.
void brtFace(QPainter &p, bool vertical, const QColor &lit);

// ZEGAR-1 display in a 150 x 50 box: five seven-segment digits. `text` holds one character
// per digit (0-9, A, U, t, o, -, space); a '.' after a character lights that digit's point.
void sevenSegment(QPainter &p, const QString &text);

} // namespace indicator
