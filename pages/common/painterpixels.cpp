#include "pages/common/painterpixels.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>

#include <cmath>

bool PainterPixels::reach(const QPainter &painter, const QRect &rect)
{
    // A pixel around it, for the rounding of screens finer than one pixel per point.
    const QRect onDevice = painter.deviceTransform().mapRect(rect.adjusted(-1, -1, 1, 1));
    const QPaintEngine *engine = painter.paintEngine();
    if (engine && !engine->systemClip().isEmpty() && !engine->systemClip().intersects(onDevice))
        return false;
    return !painter.hasClipping() ||
           painter.deviceTransform().map(painter.clipRegion()).intersects(onDevice);
}

bool PainterPixels::whole(const QPainter &painter)
{
    const QTransform moved = painter.deviceTransform();
    return moved.type() <= QTransform::TxTranslate && moved.dx() == std::round(moved.dx()) &&
           moved.dy() == std::round(moved.dy()) && painter.device()->devicePixelRatioF() == 1;
}
