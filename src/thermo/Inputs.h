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
    std::string tdbFile;   // the parameter file under data/thermo/tdb/ the terms were read from
    std::vector<int> tdbLines; // line of each term's parameter in that file, by order v
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

// Reads data/thermo/*.csv below dataDir (the repository's data/ folder) and the liquid
// parameters from the parameter files that data/thermo/liquid_sources.csv names (data/thermo/tdb/).
// Throws std::runtime_error naming the file and line of a malformed record.
Inputs readInputs(const std::string &dataDir);

// The Redlich-Kister terms of the binary liquid `system` ("Ag-Sn") in a parameter file: every
// interaction parameter of the phase LIQUID between exactly these two elements (a second
// sublattice may hold VA only), by order, in the system's own component order (odd terms
// flipped where the file lists the pair the other way round). Each term must be of the form
// a + b*T + c*T*ln(T) + d*T^2 from 300 K to 2500 K; anything else is refused.
LiquidSet liquidFromTdb(const std::string &tdbPath, const std::string &system);

// Splits "Ag-Sn" into {"Ag", "Sn"}.
std::pair<std::string, std::string> componentsOf(const std::string &system);

} // namespace korvel::thermo
