#include "pages/common/groupboxframes.h"

#include "pages/common/painterpixels.h"

#include <QGroupBox>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace {

// Large enough that every pixel of the picture's middle is stretched onto the probe: a middle
// of one colour here is one colour at any size.
constexpr int ProbeWidth = 160;
constexpr int ProbeInsideHeight = 160;

// What a frame's drawing may depend on besides its size: the title's height, whether the box
// has a title or check box, and the state.
QString keyOf(const QStyleOptionFrame &option, const QColor &beneath, const QWidget *widget)
{
    const auto *box = qobject_cast<const QGroupBox *>(widget);
    const bool bare = box && !box->isCheckable() && box->title().isEmpty();
    return QStringLiteral("%1|%2|%3|%4|%5")
        .arg(option.fontMetrics.height())
        .arg(option.fontMetrics.fontDpi())
        .arg(int(option.state &
                 (QStyle::State_Enabled | QStyle::State_Sunken | QStyle::State_Raised)))
        .arg(beneath.rgba())
        .arg(bare  ? QStringLiteral("bare")
             : box ? QStringLiteral("titled")
                   : QString());
}

} // namespace

GroupBoxFrames::Drawn GroupBoxFrames::measure(const QStyle &style, const QStyleOptionFrame &option,
                                              const QColor &beneath, const QWidget *widget) const
{
    const int height = ProbeInsideHeight + 4 * option.fontMetrics.height();
    QImage probe(ProbeWidth, height, QImage::Format_ARGB32_Premultiplied);
    probe.fill(beneath);
    QStyleOptionFrame atOrigin(option);
    atOrigin.rect = probe.rect();
    {
        QPainter painter(&probe);
        style.drawPrimitive(QStyle::PE_FrameGroupBox, &atOrigin, &painter, widget);
    }
    const auto pixel = [&probe](int column, int row) {
        return reinterpret_cast<const QRgb *>(probe.constScanLine(row))[column];
    };
    const auto sameColumns = [&](int a, int b) {
        for (int row = 0; row < height; ++row) {
            if (pixel(a, row) != pixel(b, row))
                return false;
        }
        return true;
    };
    const auto sameRows = [&](int a, int b) {
        return std::equal(probe.constScanLine(a), probe.constScanLine(a) + probe.bytesPerLine(),
                          probe.constScanLine(b));
    };
    // From the middle, as far as every column is the middle one, and every row the middle one:
    // what lies beyond are the corners, and the edges are those columns' and rows' ends.
    const int column = ProbeWidth / 2;
    const int row = height - ProbeInsideHeight / 2;
    int left = column, right = column, top = row, bottom = row;
    while (left > 0 && sameColumns(left - 1, column))
        --left;
    while (right < ProbeWidth - 1 && sameColumns(right + 1, column))
        ++right;
    while (top > 0 && sameRows(top - 1, row))
        --top;
    while (bottom < height - 1 && sameRows(bottom + 1, row))
        ++bottom;
    // Stretching reaching the probe's edge is no frame; the inside must be one opaque colour.
    const QRgb inside = pixel(column, row);
    if (left == 0 || top == 0 || right == ProbeWidth - 1 || bottom == height - 1 ||
        qAlpha(inside) != 255)
        return {};
    for (int across = left; across <= right; ++across) {
        if (pixel(across, row) != inside)
            return {};
    }
    Drawn result;
    result.rim = QMargins(left, top, ProbeWidth - 1 - right, height - 1 - bottom);
    result.inside = QColor::fromRgba(inside);
    const QImage opaque = probe.convertToFormat(QImage::Format_RGB32);
    result.corners = {opaque.copy(0, 0, left, top),
                      opaque.copy(right + 1, 0, result.rim.right(), top),
                      opaque.copy(0, bottom + 1, left, result.rim.bottom()),
                      opaque.copy(right + 1, bottom + 1, result.rim.right(), result.rim.bottom())};
    const auto keep = [&](QVector<Line> &lines, int at, QRgb colour) {
        if (colour != beneath.rgba())
            lines.append({at, QColor::fromRgba(colour)});
    };
    for (int y = 0; y < top; ++y)
        keep(result.top, y, pixel(left, y));
    for (int y = bottom + 1; y < height; ++y)
        keep(result.bottom, height - 1 - y, pixel(left, y));
    for (int x = 0; x < left; ++x)
        keep(result.left, x, pixel(x, top));
    for (int x = right + 1; x < ProbeWidth; ++x)
        keep(result.right, ProbeWidth - 1 - x, pixel(x, top));
    return result;
}

bool GroupBoxFrames::draw(const QStyle &style, const QStyleOptionFrame &option,
                          const QColor &beneath, QPainter *painter, const QWidget *widget)
{
    if (!PainterPixels::whole(*painter))
        return false;
    const QString key = keyOf(option, beneath, widget);
    auto found = m_drawn.constFind(key);
    if (found == m_drawn.constEnd())
        found = m_drawn.insert(key, measure(style, option, beneath, widget));
    const Drawn &drawn = *found;
    const QRect &box = option.rect;
    const QMargins &rim = drawn.rim;
    const QRect inside = box - rim;
    if (drawn.corners.isEmpty() || inside.width() <= 0 || inside.height() <= 0)
        return false;
    const QPoint corners[] = {box.topLeft(),
                              {inside.right() + 1, box.top()},
                              {box.left(), inside.bottom() + 1},
                              {inside.right() + 1, inside.bottom() + 1}};
    for (int corner = 0; corner < 4; ++corner) {
        const QRect at(corners[corner], drawn.corners[corner].size());
        if (PainterPixels::reach(*painter, at))
            painter->drawImage(at.topLeft(), drawn.corners[corner]);
    }
    // Each edge's lines run between its corners.
    const auto edge = [&](const QRect &band, const QVector<Line> &lines, auto lineAt) {
        if (!PainterPixels::reach(*painter, band))
            return;
        for (const Line &line : lines)
            painter->fillRect(lineAt(line.at), line.colour);
    };
    const int across = inside.width();
    const int down = inside.height();
    edge(QRect(inside.left(), box.top(), across, rim.top()), drawn.top,
         [&](int at) { return QRect(inside.left(), box.top() + at, across, 1); });
    edge(QRect(inside.left(), inside.bottom() + 1, across, rim.bottom()), drawn.bottom,
         [&](int at) { return QRect(inside.left(), box.bottom() - at, across, 1); });
    edge(QRect(box.left(), inside.top(), rim.left(), down), drawn.left,
         [&](int at) { return QRect(box.left() + at, inside.top(), 1, down); });
    edge(QRect(inside.right() + 1, inside.top(), rim.right(), down), drawn.right,
         [&](int at) { return QRect(box.right() - at, inside.top(), 1, down); });
    painter->fillRect(inside, drawn.inside);
    return true;
}
