#pragma once

#include <QColor>

// The one visual language of every picture: palette, stroke width, corner radius.
// Button-like pictures are drawn in a 100 x 100 design box; lengths below are in those units.
struct Palette
{
    QColor ink;     // glyph outlines and device bodies (deep navy)
    QColor accent;  // arrows and highlights (blue)
    QColor green;   // "go", connected, OK
    QColor red;     // exit, cut, NOK
    QColor amber;   // light, LEDs
    QColor paper;   // light fill inside glyphs (documents, device fronts)
    QColor tileTop; // released tile gradient
    QColor tileBottom;
    QColor tileBorder;
    QColor pressedTop; // pressed tile gradient (darker, lit from below: inset)
    QColor pressedBottom;
    QColor pressedBorder;
    QColor shadow; // drop shadow under a released tile, inner shadow of a pressed one
};

struct Style
{
    Palette pal;
    qreal stroke = 6.5;     // glyph stroke width
    qreal thin = 4.0;       // secondary strokes (text lines, details)
    qreal radius = 18.0;    // tile corner radius
    qreal border = 2.5;     // tile border width
    qreal margin = 4.0;     // tile inset from the picture edge
    qreal drop = 2.5;       // drop shadow offset of a released tile
    qreal pressShift = 1.5; // how far the glyph moves down/right when pressed
    const char *fontFamily = "DejaVu Sans Condensed"; // labels (model names, logo)
};

// The shared style used by every picture.
const Style &style();
