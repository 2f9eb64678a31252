#pragma once
// The database's datasets as methods of the calculator: each dataset of a system with exactly
// the alloy's elements that holds the alloy's composition (or the two compositions around it)
// gives one row per temperature it holds, with the publication key as its source:
//   "measured (interpolated)"                 a publication's measurements
//   "database, ideal mixing (calculated)"     the generator's ideal-mixing rows ([calc-d …], [calc-v …])
//   "database, Butler (calculated)"           the generator's Butler rows ([calc-st …])
// A temperature outside the range both neighbouring compositions are held for gets no value
// (the rows are straight-line fits or measurements over that range; beyond it they are
// extrapolations); the notes say which datasets gave no value, and why.
#include "AlloyCalculator.h"
#include "DatasetInterpolation.h"

#include <string>
#include <vector>

namespace korvel::alloy {

// The method name of a dataset's rows.
std::string databaseMethod(const PropertyDataset &dataset);
// Whether a method is one of those: its rows are told apart by their source as well.
bool isDatabaseMethod(const std::string &method);

class DatabaseMethods {
public:
    DatabaseMethods(const DatabaseDatasets &database, const Composition &alloy);

    // The rows at temperature T; flags are the temperature's own (below liquidus).
    void addValues(double T, const std::string &flags, std::vector<PropertyValue> &out);
    // What did not apply: datasets of the alloy's system away from its composition, and
    // temperatures outside a dataset's range. Call after the last temperature.
    std::vector<std::string> notes() const;

private:
    struct Located {
        const PropertyDataset *dataset;
        DatasetPosition position;
        std::string flag; // "between x Sn 0.7 and x Sn 0.8", "" at a held composition
        int outside = 0;  // temperatures asked outside the range
    };
    std::vector<Located> m_located;
    std::vector<const PropertyDataset *> m_away; // the alloy's system, not its composition
};

} // namespace korvel::alloy
