#include "pages/common/drawingcache.h"

#include <QPaintDevice>
#include <QPainter>
#include <QStyleOption>

namespace {

// The states an indicator's drawing may depend on; the window's activity does not change it.
constexpr QStyle::State IndicatorStates =
    QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange | QStyle::State_Sunken |
    QStyle::State_Enabled | QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange |
    QStyle::State_MouseOver;
// The states a scroll bar's button or slider may depend on.
constexpr QStyle::State ScrollBarStates = QStyle::State_Horizontal | QStyle::State_Sunken |
                                          QStyle::State_On | QStyle::State_Enabled |
                                          QStyle::State_MouseOver;

// Which of the style's drawing functions an element number belongs to.
enum class Kind : qint32
{
    Primitive,
    Control
};

// Laid out without padding, so that its bytes are the key: a key made with text took a
// changed check box longer to find than its indicator takes to copy.
struct DrawnKey
{
    qint64 palette;
    double pixelRatio;
    Kind kind;
    qint32 element;
    qint32 width;
    qint32 height;
    qint32 state;
    qint32 colorGroup;
    qint32 dpi;
    qint32 direction;
};
static_assert(sizeof(DrawnKey) == 2 * sizeof(qint64) + 8 * sizeof(qint32),
              "a key's bytes must all be its fields");

QByteArray keyOf(Kind kind, int element, const QStyleOption &option, QStyle::State states,
                 qreal pixelRatio)
{
    const DrawnKey key{option.palette.cacheKey(),
                       pixelRatio,
                       kind,
                       qint32(element),
                       option.rect.width(),
                       option.rect.height(),
                       qint32(option.state & states),
                       qint32(option.palette.currentColorGroup()),
                       qint32(option.fontMetrics.fontDpi()),
                       qint32(option.direction)};
    return QByteArray(reinterpret_cast<const char *>(&key), sizeof key);
}

bool keepable(const QStyleOption &option, const QPainter &painter)
{
    return !option.rect.isEmpty() && painter.transform().type() <= QTransform::TxTranslate;
}

} // namespace

DrawingCache::DrawingCache(int capacity) : m_drawn(capacity) {}

template <typename Option, typename Draw>
void DrawingCache::copyKept(const QByteArray &key, qreal pixelRatio, const Option &option,
                            QPainter *painter, const Draw &draw)
{
    const QPixmap *drawn = m_drawn.object(key);
    if (!drawn) {
        auto *made = new QPixmap(option.rect.size() * pixelRatio);
        made->setDevicePixelRatio(pixelRatio);
        made->fill(Qt::transparent);
        Option atOrigin(option);
        atOrigin.rect.moveTopLeft(QPoint(0, 0));
        QPainter onto(made);
        draw(atOrigin, &onto);
        onto.end();
        m_drawn.insert(key, made);
        drawn = made;
    }
    painter->drawPixmap(option.rect.topLeft(), *drawn);
}

bool DrawingCache::draw(const QStyle &style, QStyle::PrimitiveElement element,
                        const QStyleOption &option, QPainter *painter, const QWidget *widget)
{
    const auto *button = qstyleoption_cast<const QStyleOptionButton *>(&option);
    if ((element != QStyle::PE_IndicatorCheckBox && element != QStyle::PE_IndicatorRadioButton) ||
        !button || !keepable(option, *painter))
        return false;
    const qreal pixelRatio = painter->device()->devicePixelRatioF();
    copyKept(keyOf(Kind::Primitive, element, option, IndicatorStates, pixelRatio), pixelRatio,
             *button, painter, [&](const QStyleOptionButton &atOrigin, QPainter *onto) {
                 style.drawPrimitive(element, &atOrigin, onto, widget);
             });
    return true;
}

bool DrawingCache::draw(const QStyle &style, QStyle::ControlElement element,
                        const QStyleOption &option, QPainter *painter, const QWidget *widget)
{
    const auto *slider = qstyleoption_cast<const QStyleOptionSlider *>(&option);
    const bool button =
        element == QStyle::CE_ScrollBarAddLine || element == QStyle::CE_ScrollBarSubLine;
    const bool enabledSlider =
        element == QStyle::CE_ScrollBarSlider && (option.state & QStyle::State_Enabled);
    if (!(button || enabledSlider) || !slider || !keepable(option, *painter))
        return false;
    const qreal pixelRatio = painter->device()->devicePixelRatioF();
    copyKept(keyOf(Kind::Control, element, option, ScrollBarStates, pixelRatio), pixelRatio,
             *slider, painter, [&](const QStyleOptionSlider &atOrigin, QPainter *onto) {
                 style.drawControl(element, &atOrigin, onto, widget);
             });
    return true;
}
