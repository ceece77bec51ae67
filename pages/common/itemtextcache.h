#pragma once

#include <QCache>
#include <QFont>
#include <QString>
#include <QTextLayout>
#include <QVector>
#include <QtGui/qrgb.h>

class QPainter;
class QRect;

// A check box, a radio button, a group box or a label repainted because its value or state
// changed draws the same text again. QPainter shapes a text afresh on every call; this keeps
// each one-line text shaped once per font and draws it where, and as, QPainter::drawText(rect,
// flags, text) would. Blending each glyph onto the form costs more still: where the ground
// beneath a text drawn again is one colour, the text is drawn onto that colour once and its
// pixels copied from then on.
class ItemTextCache
{
public:
    explicit ItemTextCache(int capacity = 256);

    // Draws the text with the painter's pen and font. Returns false, having drawn nothing, for
    // what only QPainter's own text drawing does: several lines, wrapping, tabs, mnemonics,
    // trailing spaces, decorated fonts, right-to-left painting or a scaled painter.
    bool draw(QPainter *painter, const QRect &rect, int flags, const QString &text);

private:
    // Fonts compare equal across devices of different resolutions, where their texts are of
    // different sizes.
    struct Key
    {
        QString text;
        QFont font;
        int dpiX;
        int dpiY;
        bool operator==(const Key &other) const
        {
            return text == other.text && font == other.font && dpiX == other.dpiX &&
                   dpiY == other.dpiY;
        }
    };
    friend uint qHash(const Key &key, uint seed)
    {
        return qHash(key.text, seed) ^ qHash(key.font) ^ uint(key.dpiY);
    }

    struct Shaped
    {
        QTextLayout layout;
        qreal width = 0;
        qreal height = 0;
        // Where the glyphs' pixels may fall, from where the line is drawn.
        QRectF ink;
    };
    static Key keyOf(const QString &text, const QPainter &painter);
    const Shaped &shaped(const Key &key);
    // Copies the line's pixels drawn onto the ground beneath it, when the painter paints into
    // an image whose pixels there are all of one opaque colour.
    bool drawPicture(QPainter *painter, const Key &key, const Shaped &shaped,
                     const QPointF &origin);

    // A picture is of one text in one font, pen and ground, and in one place within a pixel:
    // glyphs are drawn differently a fraction of a pixel along.
    struct PictureKey
    {
        Key text;
        QRgb pen;
        quint32 ground;
        int format;
        QPointF within;
        int hints;
        bool operator==(const PictureKey &other) const
        {
            return text == other.text && pen == other.pen && ground == other.ground &&
                   format == other.format && within == other.within && hints == other.hints;
        }
    };
    friend uint qHash(const PictureKey &key, uint seed)
    {
        return qHash(key.text, seed) ^ key.pen ^ (key.ground * 31u);
    }

    QCache<Key, Shaped> m_shaped;
    // By size in bytes.
    QCache<PictureKey, QImage> m_pictures;
    // Texts drawn once as they are, without a picture.
    QCache<PictureKey, bool> m_drawnOnce;
    // One row of the ground, for comparing the pixels beneath a text with it a row at a time.
    QVector<quint32> m_groundRow;
};
