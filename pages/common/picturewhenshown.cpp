#include "pages/common/picturewhenshown.h"

#include "pages/common/picturecache.h"

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QVariant>

namespace {

const char *const PictureProperty = "picture";

} // namespace

void PictureWhenShown::installOn(QWidget *root)
{
    auto *watcher = new PictureWhenShown(root);
    const auto labels = root->findChildren<QLabel *>();
    for (QLabel *label : labels) {
        if (label->property(PictureProperty).isValid())
            label->installEventFilter(watcher);
    }
}

namespace {

// A label that scales its picture to its size keeps a copy of the picture and the scaled one
// besides. Handed the picture at the size it shows it, scaled as the label itself scales, the
// label shows the same pixels and holds only that: a quarter of a preview drawn at half its size.
QPixmap atShownSize(const QLabel *label, const QPixmap &picture)
{
    const QSize shown = label->contentsRect().size() * label->devicePixelRatioF();
    // Scaled by another ratio across than down, the picture could not ask for its whole room.
    if (!label->hasScaledContents() || shown.isEmpty() || picture.width() <= shown.width() ||
        shown.width() * picture.height() != shown.height() * picture.width())
        return picture;
    QPixmap scaled = QPixmap::fromImage(
        picture.toImage().scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    // The label still asks for the room of the whole picture.
    scaled.setDevicePixelRatio(picture.devicePixelRatio() * scaled.width() / picture.width());
    return scaled;
}

} // namespace

bool PictureWhenShown::eventFilter(QObject *watched, QEvent *event)
{
    // A label being destroyed is only a QWidget by the time it hides.
    auto *label = qobject_cast<QLabel *>(watched);
    if (!label)
        return false;
    switch (event->type()) {
    case QEvent::Resize:
        if (!label->isVisible())
            break;
        Q_FALLTHROUGH();
    case QEvent::Show: {
        const QString path = label->property(PictureProperty).toString();
        const QPixmap picture = PictureCache::pixmap(path, label->devicePixelRatioF());
        const QPixmap shown = atShownSize(label, picture);
        label->setPixmap(shown);
        // Scaled, the whole picture is needed no more.
        if (shown.cacheKey() != picture.cacheKey())
            PictureCache::release(path, label->devicePixelRatioF());
        break;
    }
    case QEvent::Hide:
        label->clear();
        PictureCache::release(label->property(PictureProperty).toString(),
                              label->devicePixelRatioF());
        break;
    default:
        break;
    }
    return false;
}
