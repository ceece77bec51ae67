#include "pages/common/disabledpictureeffect.h"

#include "pages/common/picturebutton.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace {

bool showsPicture(const QAbstractButton *button)
{
    return qobject_cast<const PictureButton *>(button) ||
           (!qobject_cast<const QCheckBox *>(button) &&
            button->styleSheet().contains(QLatin1String("image:")));
}

} // namespace

void DisabledPictureEffect::installOnPictureButtons(QWidget *root)
{
    const auto buttons = root->findChildren<QAbstractButton *>();
    for (QAbstractButton *button : buttons) {
        if (showsPicture(button) && !button->graphicsEffect())
            new DisabledPictureEffect(button);
    }
}

DisabledPictureEffect::DisabledPictureEffect(QWidget *button) : QGraphicsEffect(button)
{
    setEnabled(!button->isEnabled());
    button->setGraphicsEffect(this);
    button->installEventFilter(this);
}

// Follows the button's own enabled state, which also changes when a parent is disabled.
bool DisabledPictureEffect::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        setEnabled(!static_cast<QWidget *>(watched)->isEnabled());
    return QGraphicsEffect::eventFilter(watched, event);
}

void DisabledPictureEffect::draw(QPainter *painter)
{
    QPoint offset;
    const QPixmap picture = sourcePixmap(Qt::LogicalCoordinates, &offset, NoPad);
    auto *button = static_cast<QWidget *>(parent());
    QStyleOption option;
    option.initFrom(button);
    painter->drawPixmap(offset,
                        button->style()->generatedIconPixmap(QIcon::Disabled, picture, &option));
}
