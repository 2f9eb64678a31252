#pragma once
// Colours of the chart series that the model code chooses. The library links
// QtCore only, so a colour is either a fixed RGB value or one of four system
// colours that the chart window resolves from the desktop's palette.
#include <QString>
#include <cstdint>

namespace korvel {

struct ChartColour {
    enum class Role {
        Fixed,           // rgb holds the colour
        Highlight,       // the system colour of selected items
        Desktop,         // the system colour of the desktop background
        InactiveCaption, // the system colour of an inactive window caption
        ToolTipBase,     // the system colour of tooltip backgrounds
    };
    Role role = Role::Fixed;
    std::uint32_t rgb = 0; // 0xRRGGBB, meaningful for Role::Fixed

    static constexpr ChartColour fixed(std::uint32_t rgb) { return {Role::Fixed, rgb}; }
    static constexpr ChartColour system(Role role) { return {role, 0}; }

    friend constexpr bool operator==(const ChartColour&, const ChartColour&) = default;
};

// Number of entries of both colour tables.
inline constexpr int ColourTableSize = 20;

// The viscosity model colour table, indexed by ModelCurveCount. An index outside
// 0..19 wraps round (index modulo 20; negative indices count from the end).
ChartColour modelColour(int index);

// The shared series colour table SeriesColours (temperature lines, Butler
// temperature curves, point series). Indices wrap round as above.
ChartColour seriesColour(int index);

// Isotherm colour of chart temperature slot n = 1..4 (red, green, blue, purple).
ChartColour isothermColour(int slot);

// Readable name of a colour ("red", "highlight"), for tests and diagnostics.
QString colourName(const ChartColour& colour);

} // namespace korvel
