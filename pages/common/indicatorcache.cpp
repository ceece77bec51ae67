#include "pages/common/indicatorcache.h"

#include <QPaintDevice>
#include <QPainter>
#include <QStyleOption>

namespace {

// The states an indicator's drawing may depend on; the window's activity does not change it.
constexpr QStyle::State DrawnStates = QStyle::State_On | QStyle::State_Off |
                                      QStyle::State_NoChange | QStyle::State_Sunken |
                                      QStyle::State_Enabled | QStyle::State_HasFocus |
                                      QStyle::State_KeyboardFocusChange |
                                      QStyle::State_MouseOver;

QString keyOf(QStyle::PrimitiveElement element, const QStyleOption &option, qreal pixelRatio)
{
    return QStringLiteral("%1|%2x%3|%4|%5:%6|%7|%8")
        .arg(int(element))
        .arg(option.rect.width())
        .arg(option.rect.height())
        .arg(int(option.state & DrawnStates))
        .arg(option.palette.cacheKey())
        .arg(int(option.palette.currentColorGroup()))
        .arg(option.fontMetrics.fontDpi())
        .arg(pixelRatio);
}

} // namespace

IndicatorCache::IndicatorCache(int capacity) : m_drawn(capacity) {}

bool IndicatorCache::draw(const QStyle &style, QStyle::PrimitiveElement element,
                          const QStyleOption &option, QPainter *painter, const QWidget *widget)
{
    const auto *button = qstyleoption_cast<const QStyleOptionButton *>(&option);
    if ((element != QStyle::PE_IndicatorCheckBox && element != QStyle::PE_IndicatorRadioButton) ||
        !button || option.rect.isEmpty() || painter->transform().type() > QTransform::TxTranslate)
        return false;
    const qreal pixelRatio = painter->device()->devicePixelRatioF();
    const QString key = keyOf(element, option, pixelRatio);
    const QPixmap *drawn = m_drawn.object(key);
    if (!drawn) {
        auto *made = new QPixmap(option.rect.size() * pixelRatio);
        made->setDevicePixelRatio(pixelRatio);
        made->fill(Qt::transparent);
        QStyleOptionButton atOrigin(*button);
        atOrigin.rect.moveTopLeft(QPoint(0, 0));
        QPainter onto(made);
        style.drawPrimitive(element, &atOrigin, &onto, widget);
        onto.end();
        m_drawn.insert(key, made);
        drawn = made;
    }
    painter->drawPixmap(option.rect.topLeft(), *drawn);
    return true;
}
