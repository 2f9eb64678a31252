#pragma once
// The twenty series colours that every drawing with a variable number of series
// takes in turn (temperature lines, point series built from records).
#include <QColor>

namespace korvel {

class SeriesColours {
public:
    static constexpr int Count = 20;
    // Colour at an index; indices of 20 and more start again at 0 (index mod 20),
    // negative indices count from the end, so no read falls outside the table.
    static QColor at(int index);
    // Index into the table that `at` reads for a running index.
    static int wrap(int index);
};

// Colours of the four isotherm slots (1..4): red, green, blue, purple.
QColor slotColour(int slot);

// The colour a series is drawn in on `ground`: the series' own colour where it
// stands out (a contrast ratio of at least 3 : 1), otherwise the same hue
// darkened until it does, so yellow, lime, aqua or silver stay visible on the
// white back wall. The series keeps its own colour; only the drawing changes.
QColor readableOn(const QColor& colour, const QColor& ground = Qt::white);

// Contrast ratio of two colours by their relative luminance (1 to 21).
double contrastRatio(const QColor& a, const QColor& b);

} // namespace korvel
