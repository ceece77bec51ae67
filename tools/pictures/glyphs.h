#pragma once

#include "style.h"

#include <QPainter>

// One function per icon glyph, drawn in the 100 x 100 design box on top of a tile.
// `pressed` lets a glyph show its active form (lit bulb, open eye); the tile and the press
// offset are the caller's (see catalogue.cpp).
namespace glyph {

void refresh(QPainter &p, const Style &s, bool pressed);        // two circular arrows
void sendToDevice(QPainter &p, const Style &s, bool pressed);   // arrow into a device
void readFromDevice(QPainter &p, const Style &s, bool pressed); // arrow out of a device
void exit(QPainter &p, const Style &s, bool pressed);           // door frame and arrow leaving it

enum class Plug
{
    Apart,
    Plugged,
    Pulled
};
void plug(QPainter &p, const Style &s, Plug state); // connect / connected / disconnect

void ledTest(QPainter &p, const Style &s, bool pressed);       // light bulb, lit when pressed
void reset(QPainter &p, const Style &s, bool pressed);         // eraser wiping a line
void view(QPainter &p, const Style &s, bool pressed);          // eye, iris coloured when on
void documentation(QPainter &p, const Style &s, bool pressed); // document with folded corner
void info(QPainter &p, const Style &s, bool pressed);          // letter "i"
void contact(QPainter &p, const Style &s, bool pressed);       // envelope

// A small front view of a relay: the shape shared by the send/read glyphs.
void device(QPainter &p, const Style &s, const QRectF &r);

} // namespace glyph
