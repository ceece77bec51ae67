#include "pages/common/picturewhenshown.h"

#include "pages/common/picturecache.h"

#include <QEvent>
#include <QLabel>
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

bool PictureWhenShown::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show && event->type() != QEvent::Hide)
        return false;
    auto *label = static_cast<QLabel *>(watched);
    const QString path = label->property(PictureProperty).toString();
    if (event->type() == QEvent::Show) {
        label->setPixmap(PictureCache::pixmap(path, label->devicePixelRatioF()));
    } else {
        label->clear();
        PictureCache::release(path, label->devicePixelRatioF());
    }
    return false;
}
