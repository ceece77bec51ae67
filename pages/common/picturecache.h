#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's own pictures, shared by every widget that shows them. They are PNG files
// from the resources, so they are read as PNG straight away: a reader left to detect the
// format first loads every image plug-in on the system to ask it, which cost the start
// window more than drawing all its pictures.
class PictureCache
{
public:
    // The picture at path for a screen of the given pixel ratio: its "@2x" twin where the
    // screen is finer than one pixel per point and the twin exists. Null when neither reads.
    static QPixmap pixmap(const QString &path, qreal devicePixelRatio);

    // Forgets the picture: the next pixmap() reads it again. Widgets that hold it keep it.
    static void release(const QString &path, qreal devicePixelRatio);

    // An icon of the picture, with its twin where the application's screens are finer.
    static QIcon icon(const QString &path);

    // The file pixmap() reads for that ratio.
    static QString fileFor(const QString &path, qreal devicePixelRatio);
};
