#pragma once
// The measured datasets of the property database, as the validation report compares them:
// every equation of a publication (not a calculation of ours, not catalogue data) for an alloy
// system, as the calculator reads them (DatabaseDatasets.h), and every measured point of one,
// one dataset per system (a section of a multicomponent system its own), property and
// publication; and every measured
// melting range of the DTA table (rows their source marks as calculated left out), one
// liquidus and one solidus dataset per row.
#include "DatabaseDatasets.h"

#include <string>
#include <vector>

namespace korvel::validation {

struct MeasuredPoint {
    double T = 0;     // K (0 for a melting temperature, which is itself the value)
    double value = 0; // in the dataset's unit
};

struct MeasuredAlloy {
    std::vector<std::string> elements; // as the system names them
    std::vector<double> moleFractions;
    std::vector<double> massPercent; // for the DTA rows, as their source gives them; else empty
    std::string label;               // "x Sn 0.7236", "Sn-9Zn (91Sn/9Zn)"
    std::vector<MeasuredPoint> points;
};

struct MeasuredDataset {
    std::string property; // "density", "surface tension", "viscosity", "liquidus", "solidus"
    std::string unit;     // "g/cm3", "mN/m", "mPa s", "K"
    std::string system;   // "Pb-Sn"
    std::string source;   // "[2005Jem1]", or the DTA row's citation key
    std::string name;     // "Pb-Sn [2005Jem1]"
    std::vector<MeasuredAlloy> alloys;
};

// The properties of the report, in its order, with their units.
struct PropertyInfo {
    const char *name, *unit, *fileStem;
    int databaseId; // ID_WLASCIWOSCI, 0 for the melting temperatures
};
const std::vector<PropertyInfo> &reportProperties();

// An equation A + B·T (A·exp(B/(R·T)) for viscosity) of a measured line is compared at this
// many evenly spaced temperatures of the range the database holds it for, both ends included.
constexpr int kLineTemperatures = 11;

// The equations' datasets from `equations`, the points and melting ranges from the database file
// they were read from; throws std::runtime_error naming what could not be read. Datasets come
// sorted by property (report order), then system, then name.
std::vector<MeasuredDataset> readMeasuredDatasets(const alloy::DatabaseDatasets &equations, const std::string &databaseFile);

} // namespace korvel::validation
