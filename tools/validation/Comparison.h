#pragma once
// Every measured dataset against every computation the calculator offers for it: the alloy and
// the temperatures of the measurement go through the calculator's engine, and each method's
// values are set beside the measured ones. Deviations are (computed − measured)/measured in %
// for the properties and computed − measured in K for the melting temperatures.
#include "MeasuredData.h"

#include "AlloyCalculator.h"

#include <string>
#include <vector>

namespace korvel::validation {

struct Pair {
    double measured = 0, computed = 0;
};

struct Deviations {
    std::size_t points = 0;
    double meanAbsolute = 0, mean = 0, largest = 0; // largest: the one of largest magnitude, with its sign
};
Deviations deviationsOf(const std::vector<Pair> &pairs, bool relative);

struct MethodComparison {
    std::string method;
    std::vector<Pair> pairs;
    std::size_t missing = 0; // measured points the method gives no value for
    Deviations deviations;
};

struct DatasetComparison {
    MeasuredDataset dataset;
    std::size_t points = 0;             // measured points of the dataset
    std::vector<MethodComparison> methods; // sorted by method
    std::string notComputed;            // why no method gives a value ("" when one does)
};

struct MethodSummary {
    std::string property, method, unit; // unit "%" or "K"
    std::size_t datasets = 0;
    Deviations deviations; // over every point of those datasets
};

struct Report {
    std::vector<DatasetComparison> datasets;
    std::vector<MethodSummary> methods; // sorted by property (report order), then method
};

// True for the melting temperatures, whose deviations are in K.
bool inKelvin(const std::string &property);
std::string deviationUnit(const std::string &property);

Report compare(const alloy::AlloyCalculator &calculator, const std::vector<MeasuredDataset> &datasets);

} // namespace korvel::validation
