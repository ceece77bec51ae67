#pragma once

#include <QCache>
#include <QPixmap>
#include <QStyle>

class QPainter;
class QStyleOption;
class QWidget;

// Small drawings a style makes afresh on every paint, the same each time, drawn once each and
// copied: a check box's or radio button's indicator (antialiased gradients and strokes), and a
// scroll bar's arrow buttons and slider (raised buttons drawn line by line, again for every
// line the log adds). Only drawings that look the same wherever they stand are kept.
class DrawingCache
{
public:
    explicit DrawingCache(int capacity = 64);

    // Draws a check box or radio button indicator as `style` draws it. Returns false, having
    // drawn nothing, for any other element or option and for painters that scale or rotate.
    bool draw(const QStyle &style, QStyle::PrimitiveElement element, const QStyleOption &option,
              QPainter *painter, const QWidget *widget);
    // Draws a scroll bar's arrow button or its enabled slider as `style` draws it. Returns
    // false, having drawn nothing, for any other element or option (a disabled slider's
    // dithered fill lines up with the screen, not with the slider) and for painters that
    // scale or rotate.
    bool draw(const QStyle &style, QStyle::ControlElement element, const QStyleOption &option,
              QPainter *painter, const QWidget *widget);

private:
    // Copies the drawing kept under `key`, made first by `draw`, at the painter's device's
    // `pixelRatio`, from the option with its rectangle moved to the origin.
    template <typename Option, typename Draw>
    void copyKept(const QByteArray &key, qreal pixelRatio, const Option &option, QPainter *painter,
                  const Draw &draw);

    QCache<QByteArray, QPixmap> m_drawn;
};
