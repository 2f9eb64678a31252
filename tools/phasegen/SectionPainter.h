#pragma once
// Draws a computed vertical section of a ternary system: temperature (K) against the mole
// fraction of the element the line runs to, the boundaries of the fields, the four-phase
// invariant lines with their temperatures, a label with the phases of every field wide enough
// for one, and a caption naming the parameter file and the section.
#include "phase/SectionSet.h"

#include <QImage>
#include <QString>

namespace korvel::phasegen {

class SectionPainter {
public:
    QImage paint(const thermo::phase::SystemSection &section) const;
    // "L+BCT_A5+CU6SN5": the phases of a field, the liquid first.
    static QString fieldLabel(const std::vector<std::string> &names, const std::vector<int> &phases);
};

} // namespace korvel::phasegen
