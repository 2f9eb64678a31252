#pragma once
// Reading the generator's inputs under data/thermo/ (plain CSV, '#' comment lines, a header line).
#include "Butler.h"
#include "Fitting.h"
#include "RedlichKister.h"

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace korvel::thermo {

struct LiquidSet {
    LiquidExcess excess;
    std::string sourceKey; // citation key(s), see data/thermo/README.md
};

struct ViscosityBlock {
    std::string system;
    int block = 0;
    PureConstants constants;
    double Tlo = 0, Thi = 0;
};

struct ButlerFitRequest {
    std::string system, use; // use: iso | temp
    int variant = 1;
    std::string form;        // direct | surface
    int ref = 0;             // surface: reference component
    Line sigma1, sigma2;
    int order = 0;
    bool tlnt = false;
    double Tlo = 0, Thi = 0;
};

struct Inputs {
    std::map<std::string, LiquidSet> liquid;           // by system name
    std::map<std::string, DensityLine> elements;       // by element symbol
    std::vector<ViscosityBlock> blocks;
    std::vector<ButlerFitRequest> butlerFits;
    std::set<std::tuple<std::string, int, std::string>> givenRows; // (system, block, model)
};

// Reads data/thermo/*.csv below dataDir (the repository's data/ folder). Throws
// std::runtime_error naming the file and line of a malformed record.
Inputs readInputs(const std::string &dataDir);

// Splits "Ag-Sn" into {"Ag", "Sn"}.
std::pair<std::string, std::string> componentsOf(const std::string &system);

} // namespace korvel::thermo
