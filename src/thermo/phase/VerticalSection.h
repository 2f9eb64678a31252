#pragma once
// A vertical section (isopleth) of a ternary system at one atmosphere: isotherms along a line of
// compositions from a low temperature to above the liquidus, and every change of the sequence
// of fields between two isotherms located by bisection. A change in which four phase states
// take part is a four-phase invariant reaction of the ternary (a horizontal line of the
// section): a ternary eutectic (L -> A + B + C), a transition reaction (L + A -> B + C) or a
// ternary peritectic (L + A + B -> C), and their solid-state counterparts.
#include "TernaryEquilibrium.h"

#include <string>
#include <vector>

namespace korvel::thermo::phase {

struct SectionInvariant {
    double T = 0;
    std::vector<TernaryState> states; // the four states, by phase index
    std::string kind;                 // "ternary eutectic", "transition", "ternary peritectic", ... "invariant"
    std::string reaction;             // "LIQUID -> BCT_A5 + CU6SN5 + EPSILON"
    double sMin = 0, sMax = 0;        // where the section crosses the invariant plane
};

// A change of the fields between two isotherms that is no invariant: where a boundary runs
// (nearly) flat, the stretch of the line over which the fields differ.
struct SectionChange {
    double T = 0;
    double sMin = 0, sMax = 0;
};

struct SectionOptions {
    double tMin = 300;
    double tMax = 0;          // 0: in steps of 50 K up to where the whole line is liquid
    int steps = 160;          // isotherms between tMin and tMax
    double tolerance = 0.05;  // K, of the located changes
};

struct VerticalSection {
    std::array<std::string, 3> elements;
    SectionLine line;
    std::vector<std::string> phaseNames;
    double tMin = 0, tMax = 0;
    std::vector<SectionIsotherm> isotherms; // by rising T, with a pair just below and above each change
    std::vector<SectionInvariant> invariants;
    std::vector<SectionChange> changes;
};

VerticalSection computeSection(const TernarySystem &system, const SectionLine &line, const SectionOptions &options = {});

// The lowest temperature between tLow and tHigh at which liquid is stable at s on the line (the
// solidus there), located by bisection to 0.005 K; 0 when there is none in the range.
double solidusAt(const TernarySystem &system, const SectionLine &line, double s, double tLow, double tHigh);

} // namespace korvel::thermo::phase
