#pragma once

#include <QPainter>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <functional>
#include <vector>

// Every picture of the program: where it goes, how large it is shown, how it is drawn.
struct Picture
{
    QString path;  // relative to the resources folder, e.g. "GRAFIKA/LOGO.png"
    QSize shown;   // size at which the program shows it (device-independent pixels)
    QSizeF design; // the box the paint function draws in; scaled to the image
    std::function<void(QPainter &)> paint;
    // Pictures shown at their natural size (rich-text <img>) get a 1x file plus an "@2x"
    // file that Qt picks on high-density screens; all others are one file at twice the
    // shown size, since style-sheet border-images are scaled to the widget anyway.
    bool naturalSize = false;
};

std::vector<Picture> catalogue();
