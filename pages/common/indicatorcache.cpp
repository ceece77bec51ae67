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

// Laid out without padding, so that its bytes are the key: a key made with text took a
// changed check box longer to find than its indicator takes to copy.
struct DrawnKey
{
    qint64 palette;
    double pixelRatio;
    qint32 element;
    qint32 width;
    qint32 height;
    qint32 state;
    qint32 colorGroup;
    qint32 dpi;
};
static_assert(sizeof(DrawnKey) == 2 * sizeof(qint64) + 6 * sizeof(qint32),
              "a key's bytes must all be its fields");

QByteArray keyOf(QStyle::PrimitiveElement element, const QStyleOption &option, qreal pixelRatio)
{
    const DrawnKey key{option.palette.cacheKey(),
                       pixelRatio,
                       qint32(element),
                       option.rect.width(),
                       option.rect.height(),
                       qint32(option.state & DrawnStates),
                       qint32(option.palette.currentColorGroup()),
                       qint32(option.fontMetrics.fontDpi())};
    return QByteArray(reinterpret_cast<const char *>(&key), sizeof key);
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
    const QByteArray key = keyOf(element, option, pixelRatio);
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
