#include "pages/common/itemtextcache.h"

#include "pages/common/painterpixels.h"

#include <QGlyphRun>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QTextLine>
#include <QTextOption>

#include <algorithm>
#include <cstring>

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

// Pictures of a form's changing labels, a few kilobytes each.
constexpr int PictureBytes = 256 * 1024;
constexpr int TextsRemembered = 512;

} // namespace

ItemTextCache::ItemTextCache(int capacity)
    : m_shaped(capacity), m_pictures(PictureBytes), m_drawnOnce(TextsRemembered)
{
}

ItemTextCache::Key ItemTextCache::keyOf(const QString &text, const QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    return {text, painter.font(), device->logicalDpiX(), device->logicalDpiY()};
}

const ItemTextCache::Shaped &ItemTextCache::shaped(const Key &key)
{
    const QString &text = key.text;
    const QFont &font = key.font;
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
    for (const QGlyphRun &run : line.glyphRuns())
        made->ink |= run.boundingRect();
    // Antialiasing reaches a pixel beyond the glyphs' outlines.
    made->ink.adjust(-2, -2, 2, 2);
    m_shaped.insert(key, made);
    return *made;
}

bool ItemTextCache::draw(QPainter *painter, const QRect &rect, int flags, const QString &text)
{
    if (onlyQPainterDraws(*painter, flags, text))
        return false;
    const Key key = keyOf(text, *painter);
    const Shaped &shapedText = shaped(key);
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
    const QPointF origin(r.x() + x, r.y() + y);
    if (!clip && drawPicture(painter, key, shapedText, origin))
        return true;
    line.draw(painter, origin);
    if (clip)
        painter->restore();
    return true;
}

bool ItemTextCache::drawPicture(QPainter *painter, const Key &key, const Shaped &shaped,
                                const QPointF &origin)
{
    QPaintEngine *engine = painter->paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || painter->opacity() != 1 ||
        painter->compositionMode() != QPainter::CompositionMode_SourceOver ||
        painter->pen().brush().style() != Qt::SolidPattern)
        return false;
    QPaintDevice *target = engine->paintDevice();
    if (!target || target->devType() != QInternal::Image)
        return false;
    QImage &device = *static_cast<QImage *>(target);
    const bool opaqueOrPremultiplied = device.format() == QImage::Format_RGB32 ||
                                       device.format() == QImage::Format_ARGB32_Premultiplied;
    if (!opaqueOrPremultiplied || device.devicePixelRatioF() != 1 ||
        !PainterPixels::whole(*painter))
        return false;
    const QPointF at = painter->deviceTransform().map(origin);
    const QRect area = shaped.ink.translated(at).toAlignedRect();
    if (area.isEmpty() || !device.rect().contains(area))
        return false;
    const auto row = [&device, &area](int y) {
        return reinterpret_cast<const quint32 *>(device.constScanLine(y)) + area.left();
    };
    const quint32 ground = *row(area.top());
    if (device.hasAlphaChannel() && qAlpha(ground) != 255)
        return false;
    m_groundRow.fill(ground, area.width());
    const size_t rowBytes = size_t(area.width()) * sizeof(quint32);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        if (std::memcmp(row(y), m_groundRow.constData(), rowBytes) != 0)
            return false;
    }
    const QPointF within = at - area.topLeft();
    const PictureKey pictureKey{key,          painter->pen().color().rgba(), ground,
                                int(device.format()), within, int(painter->renderHints())};
    const QImage *picture = m_pictures.object(pictureKey);
    if (!picture) {
        // Most texts are drawn once, with their page; a picture pays only for one drawn again.
        if (!m_drawnOnce.contains(pictureKey)) {
            m_drawnOnce.insert(pictureKey, new bool(true));
            return false;
        }
        m_drawnOnce.remove(pictureKey);
        auto *made = new QImage(area.size(), device.format());
        made->setDotsPerMeterX(device.dotsPerMeterX());
        made->setDotsPerMeterY(device.dotsPerMeterY());
        made->fill(ground);
        QPainter onto(made);
        onto.setRenderHints(painter->renderHints());
        onto.setPen(painter->pen());
        onto.setFont(painter->font());
        shaped.layout.lineAt(0).draw(&onto, within);
        onto.end();
        // A picture larger than the whole budget is dropped at once: that text is drawn as it is.
        if (!m_pictures.insert(pictureKey, made, int(made->sizeInBytes())))
            return false;
        picture = made;
    }
    painter->drawImage(QPointF(origin.x() - (at.x() - area.left()),
                               origin.y() - (at.y() - area.top())),
                       *picture);
    return true;
}
