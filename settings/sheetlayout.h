#pragma once

#include <QRectF>
#include <QVector>

#include <functional>

class QPainter;

// Blocks of known height cut into pages before anything is painted. The pages are decided
// once, in the sheet's own units, so every device that paints them (a PDF, a printer, the
// print preview) gets the same pages.
class SheetLayout
{
public:
    // Paints a block into its area; `continued` is set when a heading is repeated at the
    // top of a page for the blocks it still leads.
    using Painter = std::function<void(QPainter &painter, const QRectF &area, bool continued)>;

    explicit SheetLayout(qreal pageHeight);

    // A block that is never left alone at the foot of a page: it goes to the next page
    // together with the block after it.
    static constexpr int KeepWithNext = 1;

    // Returns the block's index. `heading` names an earlier block to repeat above this one
    // when this one opens a page (a group's title above its rows).
    int add(qreal height, Painter paint, int flags = 0, int heading = -1);

    int pageCount() const { return m_pages.size(); }
    // Paints the blocks of one page (0 is the first) from the painter's origin down.
    void paintPage(QPainter &painter, int page, qreal width) const;
    // The blocks placed on a page, in order.
    QVector<int> blocksOn(int page) const;

private:
    struct Block
    {
        qreal height;
        Painter paint;
        int flags;
        int heading;
    };
    struct Placed
    {
        int block;
        qreal top;
        bool continued;
    };

    void paginate();
    // The height the block needs on its page: itself and every block it keeps with.
    qreal keptHeight(int block) const;

    qreal m_pageHeight;
    QVector<Block> m_blocks;
    QVector<QVector<Placed>> m_pages;
};
