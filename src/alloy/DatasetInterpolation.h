#pragma once
// Where an alloy lies among the compositions of a database dataset, and the dataset's value
// there: linear in the mole fraction between the two neighbouring compositions of its line (a
// binary system's x, a section's run from its start alloy), never beyond the first or the last
// composition held. An alloy counts as on the line, or at a held composition, when no element's
// mole fraction is more than kCompositionTolerance from it.
#include "DatabaseDatasets.h"

#include <optional>
#include <string>
#include <vector>

namespace korvel::alloy {

// 0.0005 in mole fraction: above the four-decimal rounding of the stored compositions and the
// spread of the atomic weights behind them, well below the 0.01 steps of the grids.
inline constexpr double kCompositionTolerance = 5e-4;

struct DatasetPosition {
    const DatasetPoint *lower = nullptr, *upper = nullptr; // the same point at a held composition
    double t = 0;                                           // 0 at lower, 1 at upper
    bool held() const { return lower == upper; }
};

// The alloy's mole fractions by element (elements it does not name are 0). Nothing when the
// dataset's system has other elements than the alloy, or the alloy is off its line or beyond
// the compositions held.
std::optional<DatasetPosition> locateAlloy(const PropertyDataset &dataset, const std::vector<std::string> &elements,
                                           const std::vector<double> &moleFractions);

// The temperatures both neighbours are held for.
TemperatureRange positionRange(const DatasetPosition &p);

// The dataset's value at the position: (1 − t)·v_lower(T) + t·v_upper(T).
double interpolatedValue(const PropertyDataset &dataset, const DatasetPosition &p, double T);

} // namespace korvel::alloy
