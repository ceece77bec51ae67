#include "pages/common/picturecache.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPixmapCache>

namespace {

const char *const CacheKeyPrefix = "orva-picture:";

QString cacheKey(const QString &file)
{
    return QLatin1String(CacheKeyPrefix) + file;
}

QString twiceAsFine(const QString &path)
{
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? path + QStringLiteral("@2x")
                   : path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

} // namespace

QString PictureCache::fileFor(const QString &path, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1) {
        const QString fine = twiceAsFine(path);
        if (QFile::exists(fine))
            return fine;
    }
    return path;
}

QPixmap PictureCache::pixmap(const QString &path, qreal devicePixelRatio)
{
    const QString file = fileFor(path, devicePixelRatio);
    const QString key = cacheKey(file);
    QPixmap picture;
    if (QPixmapCache::find(key, &picture))
        return picture;

    if (!QFile::exists(file)) {
        qWarning("Cannot read the picture %s: no such file", qPrintable(file));
        return picture;
    }
    QImageReader reader(file, QFileInfo(file).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    picture = QPixmap::fromImage(reader.read());
    if (picture.isNull()) {
        qWarning("Cannot read the picture %s: %s", qPrintable(file),
                 qPrintable(reader.errorString()));
        return picture;
    }
    picture.setDevicePixelRatio(file == path ? 1 : 2);
    QPixmapCache::insert(key, picture);
    return picture;
}

void PictureCache::release(const QString &path, qreal devicePixelRatio)
{
    QPixmapCache::remove(cacheKey(fileFor(path, devicePixelRatio)));
}

QIcon PictureCache::icon(const QString &path)
{
    QIcon icon;
    icon.addPixmap(pixmap(path, 1));
    const qreal ratio = qApp->devicePixelRatio();
    if (fileFor(path, ratio) != path)
        icon.addPixmap(pixmap(path, ratio));
    return icon;
}
