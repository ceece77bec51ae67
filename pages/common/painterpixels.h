#pragma once

class QPainter;
class QRect;

// Which pixels a painter's drawing changes, for the form style's shortcuts: what need not be
// drawn at all, and where a drawing kept from before may be copied pixel for pixel.
class PainterPixels
{
public:
    // Whether drawing in `rect` can change a pixel: part of a widget is painted again when a
    // widget above it changes, and the painter may clip further.
    static bool reach(const QPainter &painter, const QRect &rect);
    // Whether the painter moves by whole pixels only, onto a device of one pixel per point.
    static bool whole(const QPainter &painter);
};
