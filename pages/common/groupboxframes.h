#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QMargins>
#include <QString>
#include <QVector>

class QPainter;
class QStyle;
class QStyleOptionFrame;
class QWidget;

// A native group box frame may be a picture stretched over the whole box, its inside
// included, and loaded afresh each time: drawing it behind every field that changed was most
// of what a form's repaint cost, and of a page's first paint. The native style draws it once
// for each look; where that drawing is corners, edges the same all along and an inside of one
// colour, any box's frame is made of its corners, its edges stretched and the colour filled.
class GroupBoxFrames
{
public:
    // Draws the frame of `option` as `style` draws it over `beneath`, which the painter must
    // already show there. Returns false, having drawn nothing, where the native frame is not
    // made that way, for painters that scale, rotate or move by parts of a pixel, and for finer
    // pixel ratios than one.
    bool draw(const QStyle &style, const QStyleOptionFrame &option, const QColor &beneath,
              QPainter *painter, const QWidget *widget);

private:
    // A line of one colour along an edge, so many pixels in from the box's side.
    struct Line
    {
        int at;
        QColor colour;
    };
    struct Drawn
    {
        // Top left, top right, bottom left, bottom right; none where the native frame is not
        // made as above.
        QVector<QImage> corners;
        // The edges' lines, where they differ from what is beneath.
        QVector<Line> top, bottom, left, right;
        // Where the inside starts, from each side of the frame's rectangle.
        QMargins rim;
        QColor inside;
    };

    Drawn measure(const QStyle &style, const QStyleOptionFrame &option, const QColor &beneath,
                  const QWidget *widget) const;

    QHash<QString, Drawn> m_drawn;
};
