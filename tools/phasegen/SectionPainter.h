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
    // The whole section, or with xMax < 1 its corner up to that mole fraction of the
    // added element (the compositions that matter for solders).
    QImage paint(const thermo::phase::SystemSection &section, double xMax = 1.0) const;
    static constexpr double kSolderCorner = 0.1;
    // "L+BCT_A5+CU6SN5": the phases of a field, the liquid first.
    static QString fieldLabel(const std::vector<std::string> &names, const std::vector<int> &phases,
                              const std::vector<std::string> &elements);
    // "Ag-Cu-Sn" -> AG, CU, SN.
    static std::vector<std::string> elementsOf(const std::string &system);
};

} // namespace korvel::phasegen
