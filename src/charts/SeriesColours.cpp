#include "SeriesColours.h"

#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace korvel {

int SeriesColours::wrap(int index)
{
    const int m = index % Count;
    return m < 0 ? m + Count : m;
}

QColor SeriesColours::at(int index)
{
    static const QRgb fixed[16] = {
        0xFF0000, // red
        0x008000, // green
        0x800080, // purple
        0x0000FF, // blue
        0x808000, // olive
        0x800000, // maroon
        0x000080, // navy
        0x008080, // teal
        0x808080, // gray
        0x00FF00, // lime
        0xFFFF00, // yellow
        0x00FFFF, // aqua
        0xC0C0C0, // silver
        0x000000, // black
        0xFF00FF, // fuchsia
        0xC0C0C0, // silver
    };
    const int i = wrap(index);
    if (i < 16)
        return QColor(fixed[i]);
    // The last four follow the desktop's palette.
    const QPalette palette = QGuiApplication::palette();
    switch (i) {
    case 16: return palette.color(QPalette::Active, QPalette::Highlight);
    case 17: return palette.color(QPalette::Active, QPalette::Dark); // desktop background
    case 18: return palette.color(QPalette::Inactive, QPalette::Mid); // inactive caption
    default: return palette.color(QPalette::Active, QPalette::ToolTipBase);
    }
}

QColor slotColour(int slot)
{
    switch (slot) {
    case 1: return QColor(0xFF0000);
    case 2: return QColor(0x008000);
    case 3: return QColor(0x0000FF);
    default: return QColor(0x800080);
    }
}

} // namespace korvel

namespace korvel {

namespace {

double luminance(const QColor& c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& colour, const QColor& ground)
{
    constexpr double wanted = 3.0;
    if (!colour.isValid() || contrastRatio(colour, ground) >= wanted)
        return colour;
    // Darken on a light ground, lighten on a dark one, keeping hue and saturation.
    const bool darken = luminance(ground) > 0.18;
    QColor c = colour.toHsl();
    for (int step = 0; step < 100 && contrastRatio(c, ground) < wanted; ++step) {
        const double l = std::clamp(c.lightnessF() + (darken ? -0.01 : 0.01), 0.0, 1.0);
        c.setHslF(c.hslHueF(), c.hslSaturationF(), l, c.alphaF());
    }
    return c.toRgb();
}

} // namespace korvel
