#pragma once
// Liquidus, solidus and the phases present of an alloy of two or three elements, from the
// equilibria of a parameter file (the engines of the phase diagrams: the binary hull with its
// refined tie lines, the ternary hull along a short line from the alloy's composition).
// The liquidus is the lowest temperature above which the liquid alone is stable, the solidus
// the highest below which no liquid is; both located by bisection to 0.01 K between 250 K and
// 2500 K.
#include "AlloyCalculator.h"

namespace korvel::alloy {

struct MeltingRange {
    std::vector<MeltingValue> values; // liquidus, solidus
    std::vector<std::string> phasesAt; // per temperature asked: "BCT_A5 + LIQUID"
};

// file: the parameter file chosen for the alloy's liquid, or none.
MeltingRange computeMeltingRange(const ParameterFile *file, const Composition &alloy, const std::vector<double> &temperatures);

constexpr double kMeltingLow = 250, kMeltingHigh = 2500, kMeltingTolerance = 0.01;

} // namespace korvel::alloy
