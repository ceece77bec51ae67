#include "pages/common/picturebutton.h"

#include "pages/common/picturecache.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

PictureButton::PictureButton(QWidget *parent) : QPushButton(parent) {}

void PictureButton::setPicture(const QString &path)
{
    m_picture = path;
    updateGeometry();
    update();
}

void PictureButton::setPressedPicture(const QString &path)
{
    m_pressedPicture = path;
    update();
}

QString PictureButton::shownPicture() const
{
    return isDown() && !m_pressedPicture.isEmpty() ? m_pressedPicture : m_picture;
}

QSize PictureButton::sizeHint() const
{
    const QPixmap picture = PictureCache::pixmap(m_picture, devicePixelRatioF());
    if (picture.isNull())
        return QPushButton::sizeHint();
    return picture.size() / picture.devicePixelRatio();
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), PictureCache::pixmap(shownPicture(), devicePixelRatioF()));
    // The keyboard's place must still show on a button without a frame: around the whole
    // picture, as nothing else is drawn there.
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
