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
    // Style sheets, rich text and icons pick an "@2x" file on high-density screens, so a
    // picture is a file at its shown size plus one at twice that size, and an ordinary screen
    // decodes a quarter of the pixels. A label's pixmap property picks no "@2x" file in Qt 5:
    // those pictures are one file at twice the shown size, which the label scales down.
    bool scaledByLabel = false;
};

std::vector<Picture> catalogue();
