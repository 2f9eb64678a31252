#pragma once
// The names the drawings give phases. A parameter file names phases by crystal
// structure or by an upper-case formula (FCC_A1, BCT_A5, CU6SN5, AU5SN_ZETA);
// a reader of a phase diagram expects the conventional names: "L" for the
// liquid, "(Sn)" for the solid solution of an element at its end of the
// diagram, formulae in their usual case with the Greek letter of the phase
// (Cu6Sn5 (η)). The parameter file's names stay in the references file, so
// every name on a picture can be traced back.
#include <QString>
#include <string>
#include <vector>

namespace korvel::phasegen {

// The composition span of the field a name labels, in mole fraction of the
// diagram's second element; a structure name reaching an end of the diagram is
// that element's solid solution. Without a span (vertical sections) structure
// names stay as the file gives them.
struct FieldSpan {
    double xLeft = -1, xRight = -1;
    bool known() const { return xLeft >= 0 && xRight >= 0; }
};

// `elements`: the system's elements as the file writes them ("AG", "SN"), the
// first and the second element of a binary diagram first.
QString conventionalPhaseName(const std::string &fileName, const std::vector<std::string> &elements,
                              const FieldSpan &span = {});

// The line the references file gives a diagram: every name on the picture with
// the parameter file's name it stands for, "Phase names on the diagram: (Ag), (Cu) = FCC_A1; L = LIQUID".
// `used`: pairs of (file name, name on the picture) as the drawing used them.
std::string phaseNamesLine(const std::vector<std::pair<std::string, QString>> &used);

} // namespace korvel::phasegen
