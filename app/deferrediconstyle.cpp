#include "app/deferrediconstyle.h"

#include "app/deferrediconengine.h"

#include <QGuiApplication>
#include <QPointer>
#include <QStyleOption>

QIcon DeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                                      const QWidget *widget) const
{
    if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    // The icon faces the way the bar's text runs, which is all it takes from the option.
    const Qt::LayoutDirection direction = option   ? option->direction
                                          : widget ? widget->layoutDirection()
                                                   : QGuiApplication::layoutDirection();
    const QPointer<QStyle> base = baseStyle();
    return DeferredIconEngine::icon([base, icon, direction] {
        if (!base)
            return QIcon();
        QStyleOption facing;
        facing.direction = direction;
        return base->standardIcon(icon, &facing);
    });
}
