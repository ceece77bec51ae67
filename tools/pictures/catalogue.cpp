#include "catalogue.h"

#include "brand.h"
#include "draw.h"
#include "glyphs.h"
#include "indicators.h"
#include "style.h"

namespace {

using Glyph = std::function<void(QPainter &, const Style &, bool)>;

const QString kGrafika = QStringLiteral("GRAFIKA/");
const QString kSymul = QStringLiteral("GRAFIKASYMUL/");

// Sizes at which the forms show the pictures.
constexpr int kStartButton = 75; // start page and offline chooser
constexpr int kPageButton = 50;  // "Menu" group of the device pages
constexpr int kSmallButton = 25; // contact / about on the start page (20..25)

// Small buttons keep the same look but need heavier lines to survive being 25 px wide.
Style smallStyle()
{
    Style s = style();
    s.stroke *= 1.3;
    s.thin *= 1.3;
    s.border *= 1.8;
    s.margin = 3;
    s.drop = 3;
    s.radius = 22;
    return s;
}

// A button picture: the tile, then the glyph, moved a little when pressed.
Picture button(const QString &name, int shown, const Style &s, bool pressed, Glyph glyph)
{
    return {kGrafika + name + QStringLiteral(".png"), QSize(shown, shown), QSizeF(100, 100),
            [s, pressed, glyph](QPainter &p) {
                draw::tile(p, s, pressed);
                if (pressed)
                    p.translate(s.pressShift, s.pressShift);
                glyph(p, s, pressed);
            }};
}

// Released and pressed pictures of one button.
void buttonPair(std::vector<Picture> &out, const QString &released, const QString &pressed,
                int shown, const Glyph &glyph, const Style &s = style())
{
    out.push_back(button(released, shown, s, false, glyph));
    out.push_back(button(pressed, shown, s, true, glyph));
}

Glyph plugGlyph(glyph::Plug state)
{
    return [state](QPainter &p, const Style &s, bool) { glyph::plug(p, s, state); };
}

void addButtons(std::vector<Picture> &out)
{
    // Start page (75) and pages (50): pictures used on both are drawn for the larger size.
    buttonPair(out, "ODSWIEZOFF", "ODSWIEZON", kStartButton, glyph::refresh);
    buttonPair(out, "WYJSCIEOFF", "WYJSCIEON", kStartButton, glyph::exit);
    // Connect (start page) and disconnect (pages). POLACZON is both the pressed connect
    // button and the released disconnect button, so it shows the plugged-in state on a
    // raised tile; POLACZEND is the disconnect button pressed: plug pulled, link cut.
    out.push_back(button("POLACZOFF", kStartButton, style(), false, plugGlyph(glyph::Plug::Apart)));
    out.push_back(
        button("POLACZON", kStartButton, style(), false, plugGlyph(glyph::Plug::Plugged)));
    out.push_back(button("POLACZEND", kPageButton, style(), true, plugGlyph(glyph::Plug::Pulled)));

    buttonPair(out, "ZAPISZOFF", "ZAPISZON", kPageButton, glyph::sendToDevice);
    buttonPair(out, "ODSWIEZOFF2", "ODSWIEZON2", kPageButton, glyph::readFromDevice);
    buttonPair(out, "pLEDOFF", "pLEDON", kPageButton, glyph::ledTest);
    buttonPair(out, "VIEWOFF", "VIEWON", kPageButton, glyph::view);
    buttonPair(out, "DTROFF", "DTRON", kPageButton, glyph::documentation);
    buttonPair(out, "KASOWOff", "KASOWOn", kPageButton, glyph::reset);

    buttonPair(out, "infoff", "infon", kSmallButton, glyph::info, smallStyle());
    buttonPair(out, "kontoff", "konton", kSmallButton, glyph::contact, smallStyle());
}

void addBrand(std::vector<Picture> &out)
{
    out.push_back({kGrafika + "LOGO.png", QSize(145, 145), QSizeF(100, 100),
                   [](QPainter &p) { brand::logo(p, style()); }});
    out.push_back({kGrafika + "logocale.png", QSize(320, 96), QSizeF(320, 96),
                   [](QPainter &p) { brand::logoWide(p, style()); }});
}

void addModels(std::vector<Picture> &out)
{
    const QColor red(0xff, 0x3b, 0x30), green(0x34, 0xc7, 0x59), amber(0xff, 0xb0, 0x00);
    struct Entry
    {
        const char *file;
        brand::Model model;
    };
    const Entry models[] = {
        {"modelKZR", {"KZR-1", {red, red, red, green}, QColor(0x2f, 0x5d, 0x8a)}},
        {"modelTLMX", {"TLMX-1", {red, green}, QColor(0x1f, 0x7a, 0x7a)}},
        {"modelGA", {"GA-1", {amber, red}, QColor(0xc8, 0x69, 0x1c)}},
        {"modelWRN", {"WRN-1", {red, amber}, QColor(0x2e, 0x7d, 0x4f)}},
        {"modelWRN2", {"WRN-2", {red, amber, red}, QColor(0x1d, 0x5e, 0x39)}},
        {"modelDRAV", {"DRAV-1", {red, red, red}, QColor(0x6a, 0x3d, 0x9a)}},
        {"modelGAMI", {"GA-1 MI", {amber, red, green}, QColor(0x9c, 0x4f, 0x12)}},
    };
    for (const Entry &e : models) {
        const brand::Model m = e.model;
        buttonPair(out, e.file, QString::fromLatin1(e.file) + "on", kStartButton,
                   [m](QPainter &p, const Style &s, bool) { brand::model(p, s, m); });
    }
}

void addIndicators(std::vector<Picture> &out)
{
    using indicator::LedColour;
    auto led = [&](const QString &path, int shown, LedColour c) {
        out.push_back({path, QSize(shown, shown), QSizeF(100, 100),
                       [c](QPainter &p) { indicator::led(p, 100, c); }});
    };
    // KZR device view: 35 x 35 and 21 x 21 indicators.
    led(kGrafika + "whiteLED2.png", 35, LedColour::White);
    led(kGrafika + "redLED2.png", 35, LedColour::Red);
    led(kGrafika + "greenLED2.png", 35, LedColour::Green);
    led(kGrafika + "whiteLEDsmall2.png", 21, LedColour::White);
    led(kGrafika + "redLEDsmall2.png", 21, LedColour::Red);
    // WRN-2 simulator: 50 x 50 labels.
    led(kSymul + "simLEDzolty.png", 50, LedColour::Yellow);
    led(kSymul + "simLEDwylacz.png", 50, LedColour::Off);
    led(kSymul + "simLEDczerwony.png", 50, LedColour::Red);

    // Tester results: 18 x 18 indicators.
    out.push_back({kGrafika + "OK.png", QSize(18, 18), QSizeF(100, 100),
                   [](QPainter &p) { indicator::ok(p, style()); }});
    out.push_back({kGrafika + "NOK.png", QSize(18, 18), QSizeF(100, 100),
                   [](QPainter &p) { indicator::nok(p, style()); }});

    // WRN-2 simulator switches: 85 x 50 indicators.
    out.push_back({kGrafika + "PRZYCWYLACZ.png", QSize(85, 50), QSizeF(85, 50),
                   [](QPainter &p) { indicator::toggle(p, style(), false); }});
    out.push_back({kGrafika + "PRZYCZALACZ.png", QSize(85, 50), QSizeF(85, 50),
                   [](QPainter &p) { indicator::toggle(p, style(), true); }});

    // BRT-1 previews: 110 x 110; PIO = vertical bars lit, POZ = horizontal.
    struct Brt
    {
        const char *suffixPio;
        const char *suffixPoz;
        QColor colour;
    };
    const Brt brt[] = {
        {"R", "R", QColor(0xff, 0x3b, 0x30)},
        {"G", "G", QColor(0x2b, 0xd6, 0x5a)},
        {"B", "B", QColor(0x3a, 0x86, 0xff)},
        {"BIAL", "BIA", QColor(0xff, 0xff, 0xff)},
    };
    for (const Brt &b : brt) {
        const QColor c = b.colour;
        out.push_back({kGrafika + "BRTPIO" + b.suffixPio + ".png", QSize(110, 110),
                       QSizeF(110, 110), [c](QPainter &p) { indicator::brtFace(p, true, c); }, true});
        out.push_back({kGrafika + "BRTPOZ" + b.suffixPoz + ".png", QSize(110, 110),
                       QSizeF(110, 110), [c](QPainter &p) { indicator::brtFace(p, false, c); }, true});
    }

    // ZEGAR-1 work modes: 150 x 50 labels showing the display with its points.
    const std::pair<const char *, const char *> modes[] = {
        {"MSTP1", "1.234.5"}, // [s.][ms][ms][ms.][us]
        {"MSTP2", "12.345"},  // [s][s.][ms][ms][ms]
        {"MSTP3", "123.45"},  // [s][s][s.][ms][ms]
        {"MSTP4", "1234.5"},  // [s][s][s][s.][ms]
        {"MSTP5", "AUto "},   // automatic format
        {"MSTP6", "12345"},   // [s][s][s][s][s]
    };
    for (const auto &m : modes) {
        const QString digits = QString::fromLatin1(m.second);
        out.push_back({kGrafika + m.first + ".png", QSize(150, 50), QSizeF(150, 50),
                       [digits](QPainter &p) { indicator::sevenSegment(p, digits); }, true});
    }
}

} // namespace

std::vector<Picture> catalogue()
{
    std::vector<Picture> out;
    addButtons(out);
    addBrand(out);
    addModels(out);
    addIndicators(out);
    return out;
}
