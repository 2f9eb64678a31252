#pragma once
// The inputs of the alloy calculator, each number with its source, read from a data folder laid
// out as the repository's data/ (the build copies the files used into Database/Thermo/ beside
// the program):
//   thermo/elements.csv               molar masses (CIAAW 2021), CRC densities (molar volumes of
//                                     the Butler equation and the Kaptay model)
//   sources/butler_pure_lines.csv     pure-metal surface tensions of the Butler catalogue
//   sources/basis.csv                 which pure-metal density and viscosity each element uses
//   sources/collected/pure_metals.csv those equations (A + B·T, A·exp(B/(R·T)))
//   sources/viscosity_blocks.csv      viscosity-block constants (the basis of Au's viscosity)
//   sources/publications.csv          the program's key of each citation
//   thermo/tdb/diagram_files.csv      the parameter files, in order of preference
//   thermo/liquid_sources.csv         the publication of each binary liquid
//   sources/collected/solidus_liquidus.csv, sources/solidus_liquidus_added.csv
//                                     measured melting ranges (the database's DTA rows)
#include "tdb/Database.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace korvel::alloy {

struct LinearEquation { // A + B·T over [tMin, tMax] (0 where the source gives none)
    double A = 0, B = 0, tMin = 0, tMax = 0;
    std::string source; // the program's publication key, "[2014Hay1]"
    double at(double T) const { return A + B * T; }
    bool covers(double T) const { return (tMin <= 0 || T >= tMin) && (tMax <= 0 || T <= tMax); }
};

struct ArrheniusEquation { // A·exp(E/(R·T)), mPa·s
    double A = 0, E = 0, tMin = 0, tMax = 0;
    std::string source;
    double at(double T) const;
    bool covers(double T) const { return (tMin <= 0 || T >= tMin) && (tMax <= 0 || T <= tMax); }
};

struct ElementData {
    std::string symbol;
    double molarMass = 0;          // g/mol
    LinearEquation crcDensity;     // g/cm³, for molar volumes of the models
    std::optional<LinearEquation> density;       // the element's basis density, g/cm³
    std::optional<LinearEquation> surfaceTension; // mN/m, the Butler catalogue's line
    std::optional<ArrheniusEquation> viscosity;   // the element's basis viscosity
    double molarVolume(double T) const { return molarMass / crcDensity.at(T) * 1e-6; } // m³/mol
};

// A measured melting range: the alloy in mass % by element, solidus and liquidus in K, the
// citation key of its source.
struct MeasuredMelting {
    std::string label, source;
    std::map<std::string, double> massPercent;
    double solidus = 0, liquidus = 0;
};

struct ParameterFile {
    std::string file, caption;
    bool idealUnassessed = true; // "ideal" in diagram_files.csv, else "pure forms"
    std::unique_ptr<thermo::tdb::Database> database;
};

class AlloyData {
public:
    // Throws std::runtime_error naming the file of a missing or malformed input.
    static AlloyData read(const std::string &dataDir);

    const ElementData *element(const std::string &symbol) const;
    const std::vector<ParameterFile> &parameterFiles() const { return m_files; }
    // The publication key of a binary liquid ("Oh1996"), "" when none is listed.
    std::string liquidSource(const std::string &a, const std::string &b) const;
    // Measured melting ranges of alloys (rows marked as calculated in their source left out).
    const std::vector<MeasuredMelting> &measuredMelting() const { return m_measured; }

private:
    std::map<std::string, ElementData> m_elements;
    std::vector<ParameterFile> m_files;
    std::map<std::string, std::string> m_liquidSources; // "Ag-Sn" -> key
    std::vector<MeasuredMelting> m_measured;
};

} // namespace korvel::alloy
