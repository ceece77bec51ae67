#pragma once

#include <QCache>
#include <QFont>
#include <QString>
#include <QTextLayout>

class QPainter;
class QRect;

// A check box, a radio button, a group box or a label repainted because its value or state
// changed draws the same text again. QPainter shapes a text afresh on every call; this keeps
// each one-line text shaped once per font and draws it where, and as, QPainter::drawText(rect,
// flags, text) would.
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
    };
    const Shaped &shaped(const QString &text, const QPainter &painter);

    QCache<Key, Shaped> m_shaped;
};
