#pragma once

#include <QProxyStyle>

// The platform's own style, except that the overflow buttons' icons are made only when drawn.
// The menu bar and every tool bar build an overflow button, with its icon, as they are
// constructed; reading that icon was the first image the start window read, and it made the
// image reader load every image plug-in on the system (GIF, ICO, JPEG, and SVG with its
// module) just to ask them about a PNG. The buttons show only when a bar runs out of room.
class DeferredIconStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
