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
    if (event->type() == QEvent::Show) {
        auto *label = static_cast<QLabel *>(watched);
        label->removeEventFilter(this);
        label->setPixmap(PictureCache::pixmap(label->property(PictureProperty).toString(),
                                              label->devicePixelRatioF()));
    }
    return false;
}
