#include "ModelColours.h"

#include <array>

namespace korvel {

namespace {

using R = ChartColour::Role;

constexpr ChartColour Red = ChartColour::fixed(0xFF0000);
constexpr ChartColour Green = ChartColour::fixed(0x008000);
constexpr ChartColour Blue = ChartColour::fixed(0x0000FF);
constexpr ChartColour Purple = ChartColour::fixed(0x800080);
constexpr ChartColour Yellow = ChartColour::fixed(0xFFFF00);
constexpr ChartColour Black = ChartColour::fixed(0x000000);
constexpr ChartColour Navy = ChartColour::fixed(0x000080);
constexpr ChartColour Teal = ChartColour::fixed(0x008080);
constexpr ChartColour Gray = ChartColour::fixed(0x808080);
constexpr ChartColour Lime = ChartColour::fixed(0x00FF00);
constexpr ChartColour Olive = ChartColour::fixed(0x808000);
constexpr ChartColour Aqua = ChartColour::fixed(0x00FFFF);
constexpr ChartColour Silver = ChartColour::fixed(0xC0C0C0);
constexpr ChartColour Maroon = ChartColour::fixed(0x800000);
constexpr ChartColour Fuchsia = ChartColour::fixed(0xFF00FF);

constexpr std::array<ChartColour, ColourTableSize> ModelTable{
    Red, Green, Blue, Purple, Yellow, Black, Navy, Teal, Gray, Lime,
    Olive, Aqua, Silver, Maroon, Fuchsia, Silver,
    ChartColour::system(R::Highlight), ChartColour::system(R::Desktop),
    ChartColour::system(R::InactiveCaption), ChartColour::system(R::ToolTipBase)};

constexpr std::array<ChartColour, ColourTableSize> SeriesTable{
    Red, Green, Purple, Blue, Olive, Maroon, Navy, Teal, Gray, Lime,
    Yellow, Aqua, Silver, Black, Fuchsia, Silver,
    ChartColour::system(R::Highlight), ChartColour::system(R::Desktop),
    ChartColour::system(R::InactiveCaption), ChartColour::system(R::ToolTipBase)};

int wrap(int index)
{
    const int m = index % ColourTableSize;
    return m < 0 ? m + ColourTableSize : m;
}

} // namespace

ChartColour modelColour(int index) { return ModelTable[wrap(index)]; }

ChartColour seriesColour(int index) { return SeriesTable[wrap(index)]; }

ChartColour isothermColour(int slot)
{
    static constexpr std::array<ChartColour, 4> slotColours{Red, Green, Blue, Purple};
    return slotColours[(slot - 1 + 4 * 1024) % 4];
}

QString colourName(const ChartColour& colour)
{
    switch (colour.role) {
    case R::Highlight: return QStringLiteral("highlight");
    case R::Desktop: return QStringLiteral("desktop");
    case R::InactiveCaption: return QStringLiteral("inactive caption");
    case R::ToolTipBase: return QStringLiteral("tooltip");
    case R::Fixed: break;
    }
    switch (colour.rgb) {
    case 0xFF0000: return QStringLiteral("red");
    case 0x008000: return QStringLiteral("green");
    case 0x0000FF: return QStringLiteral("blue");
    case 0x800080: return QStringLiteral("purple");
    case 0xFFFF00: return QStringLiteral("yellow");
    case 0x000000: return QStringLiteral("black");
    case 0x000080: return QStringLiteral("navy");
    case 0x008080: return QStringLiteral("teal");
    case 0x808080: return QStringLiteral("gray");
    case 0x00FF00: return QStringLiteral("lime");
    case 0x808000: return QStringLiteral("olive");
    case 0x00FFFF: return QStringLiteral("aqua");
    case 0xC0C0C0: return QStringLiteral("silver");
    case 0x800000: return QStringLiteral("maroon");
    case 0xFF00FF: return QStringLiteral("fuchsia");
    default: return QStringLiteral("#%1").arg(colour.rgb, 6, 16, QLatin1Char('0'));
    }
}

} // namespace korvel
