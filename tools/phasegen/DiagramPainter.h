#pragma once
// Draws a computed binary phase diagram: temperature (K) against the mole fraction of the
// second element, the phase boundaries, the invariant lines with their temperatures, a label
// in every field wide enough to hold one, and a caption naming the parameter file.
#include "phase/DiagramSet.h"

#include <QImage>
#include <QString>
#include <utility>
#include <vector>

namespace korvel::phasegen {

class DiagramPainter {
public:
    static constexpr int kWidth = 960;
    static constexpr int kHeight = 760;

    QImage paint(const thermo::phase::SystemDiagram &diagram) const;
    // The label of a phase on the drawing ("L" for the liquid).
    static QString phaseLabel(const std::string &name);
    // Every phase of the diagram with the name(s) the picture gives it.
    static std::vector<std::pair<std::string, QString>> phaseNamesUsed(const thermo::phase::BinaryDiagram &diagram);
};

} // namespace korvel::phasegen
