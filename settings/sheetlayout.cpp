#include "settings/sheetlayout.h"

#include <QPainter>

SheetLayout::SheetLayout(qreal pageHeight) : m_pageHeight(pageHeight) {}

int SheetLayout::add(qreal height, Painter paint, int flags, int heading)
{
    m_blocks.append({height, std::move(paint), flags, heading});
    paginate();
    return m_blocks.size() - 1;
}

qreal SheetLayout::keptHeight(int block) const
{
    qreal height = m_blocks[block].height;
    while ((m_blocks[block].flags & KeepWithNext) && block + 1 < m_blocks.size())
        height += m_blocks[++block].height;
    return height;
}

void SheetLayout::paginate()
{
    m_pages.clear();
    m_pages.append(QVector<Placed>());
    qreal top = 0;
    for (int index = 0; index < m_blocks.size(); ++index) {
        const Block &block = m_blocks[index];
        // A chain taller than a page cannot be kept together; it then starts where it is.
        const qreal needed = qMin(keptHeight(index), m_pageHeight);
        const bool keptWithPrevious =
            index > 0 && (m_blocks[index - 1].flags & KeepWithNext) && !m_pages.last().isEmpty() &&
            m_pages.last().last().block == index - 1;
        if (top > 0 && top + needed > m_pageHeight &&
            !(keptWithPrevious && top + block.height <= m_pageHeight)) {
            m_pages.append(QVector<Placed>());
            top = 0;
            if (block.heading >= 0 && block.heading != index - 1) {
                m_pages.last().append({block.heading, top, true});
                top += m_blocks[block.heading].height;
            }
        }
        m_pages.last().append({index, top, false});
        top += block.height;
    }
}

QVector<int> SheetLayout::blocksOn(int page) const
{
    QVector<int> blocks;
    for (const Placed &placed : m_pages.value(page))
        blocks.append(placed.block);
    return blocks;
}

void SheetLayout::paintPage(QPainter &painter, int page, qreal width) const
{
    for (const Placed &placed : m_pages.value(page)) {
        const Block &block = m_blocks[placed.block];
        painter.save();
        block.paint(painter, QRectF(0, placed.top, width, block.height), placed.continued);
        painter.restore();
    }
}
