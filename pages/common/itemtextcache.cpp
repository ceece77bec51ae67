#include "pages/common/itemtextcache.h"

#include <QPainter>
#include <QTextLine>
#include <QTextOption>

namespace {

// QPainter lays a line out this wide when it does not wrap.
constexpr qreal UnboundedLineWidth = 0x01000000;

constexpr int FlagsOnlyQPainterHandles = Qt::TextWordWrap | Qt::TextWrapAnywhere |
                                         Qt::TextJustificationForced | Qt::AlignJustify |
                                         Qt::TextForceRightToLeft | Qt::TextDontPrint |
                                         Qt::TextIncludeTrailingSpaces;

bool onlyQPainterDraws(const QPainter &painter, int flags, const QString &text)
{
    if (text.isEmpty() || (flags & FlagsOnlyQPainterHandles) || text.back().isSpace())
        return true;
    if (painter.layoutDirection() == Qt::RightToLeft || painter.pen().style() == Qt::NoPen ||
        painter.transform().type() > QTransform::TxTranslate)
        return true;
    const QFont &font = painter.font();
    if (font.underline() || font.overline() || font.strikeOut())
        return true;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\n':
        case '\r':
        case '\t':
        case '&':
        case 0x9c:   // the separator of a text's length variants
        case 0x2028: // QChar::LineSeparator
            return true;
        default:
            break;
        }
    }
    return false;
}

} // namespace

ItemTextCache::ItemTextCache(int capacity) : m_shaped(capacity) {}

const ItemTextCache::Shaped &ItemTextCache::shaped(const QString &text, const QPainter &painter)
{
    const QFont &font = painter.font();
    const QPaintDevice *device = painter.device();
    const Key key{text, font, device->logicalDpiX(), device->logicalDpiY()};
    if (const Shaped *known = m_shaped.object(key))
        return *known;
    auto *made = new Shaped;
    made->layout.setText(text);
    made->layout.setFont(font);
    made->layout.setCacheEnabled(true);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setAlignment(Qt::AlignLeft);
    made->layout.setTextOption(option);
    made->layout.beginLayout();
    QTextLine line = made->layout.createLine();
    line.setLineWidth(UnboundedLineWidth);
    line.setPosition(QPointF(0, 0));
    made->layout.endLayout();
    made->width = line.naturalTextWidth();
    made->height = line.height();
    m_shaped.insert(key, made);
    return *made;
}

bool ItemTextCache::draw(QPainter *painter, const QRect &rect, int flags, const QString &text)
{
    if (onlyQPainterDraws(*painter, flags, text))
        return false;
    const Shaped &shapedText = shaped(text, *painter);
    const QRectF r(rect);
    qreal y = 0;
    if (flags & Qt::AlignBottom)
        y = r.height() - shapedText.height;
    else if (flags & Qt::AlignVCenter)
        y = (r.height() - shapedText.height) / 2;
    qreal boundsX = 0;
    if (flags & Qt::AlignRight)
        boundsX = r.width() - shapedText.width;
    else if (flags & Qt::AlignHCenter)
        boundsX = (r.width() - shapedText.width) / 2;
    const QRectF bounds(r.x() + boundsX, r.y() + y, shapedText.width, shapedText.height);

    const QTextLine line = shapedText.layout.lineAt(0);
    const qreal advance = line.horizontalAdvance();
    qreal x = 0;
    if (flags & Qt::AlignRight)
        x = r.width() - advance;
    else if (flags & Qt::AlignHCenter)
        x = (r.width() - advance) / 2;

    const bool clip = !(flags & Qt::TextDontClip) && !r.contains(bounds);
    if (clip) {
        painter->save();
        painter->setClipRect(r, Qt::IntersectClip);
    }
    line.draw(painter, QPointF(r.x() + x, r.y() + y));
    if (clip)
        painter->restore();
    return true;
}
