#pragma once

#include <QCache>
#include <QPixmap>
#include <QStyle>

class QPainter;
class QStyleOption;
class QWidget;

// A check box or radio button that changes repaints its indicator, which the native style
// draws afresh each time with antialiased gradients and strokes. The few indicators a form
// shows (on or off, enabled or not, in one palette and size) are drawn once each and copied.
class IndicatorCache
{
public:
    explicit IndicatorCache(int capacity = 64);

    // Draws a check box or radio button indicator as `style` draws it. Returns false, having
    // drawn nothing, for any other element or option and for painters that scale or rotate.
    bool draw(const QStyle &style, QStyle::PrimitiveElement element, const QStyleOption &option,
              QPainter *painter, const QWidget *widget);

private:
    QCache<QByteArray, QPixmap> m_drawn;
};
