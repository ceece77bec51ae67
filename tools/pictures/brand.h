#pragma once

#include "style.h"

#include <QColor>
#include <QList>
#include <QPainter>
#include <QString>

// The maker's logo and the model drawings of the offline chooser.
namespace brand {

// The round logo in a 100 x 100 box (also the window icon).
void logo(QPainter &p, const Style &s);

// The wide contact logo in a 320 x 96 box: the round logo and the name "ORVATECH".
void logoWide(QPainter &p, const Style &s);

// One model as drawn on its chooser button, in a 100 x 100 box (on top of a tile).
struct Model
{
    QString name;       // printed on the front, e.g. "GA-1 MI"
    QList<QColor> leds; // the front LEDs, left to right
    QColor stripe;      // colour band of the model family
};
void model(QPainter &p, const Style &s, const Model &m);

} // namespace brand
