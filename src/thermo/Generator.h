#pragma once
// The catalogue generator: computes the viscosity model rows and the Butler fit rows that the
// program's model catalogues do not give, from the inputs under data/thermo/, and writes them in
// the layout of data/models/FORMAT.md (generated/viscosity_rows.csv, generated/butler_fits.csv).
#include "Fitting.h"
#include "Inputs.h"
#include "Viscosity.h"

#include <string>
#include <vector>

namespace korvel::thermo {

struct GeneratedViscosity {
    std::string system;
    int block = 0;
    std::string model; // abbreviation
    ViscosityRows rows; // as written (rounded to the written digits)
    Deviation deviation;
    double Tlo = 0, Thi = 0;
};

struct GeneratedButler {
    ButlerFitRequest request;
    std::vector<CoefficientRow> rows; // L_0..L_n (direct) or Q0..Q2 (surface), as written
    Deviation deviation;
};

struct GenerationResult {
    std::vector<GeneratedViscosity> viscosity;
    std::vector<GeneratedButler> butler;
    std::vector<std::string> notGenerated; // "what: reason"
    std::string viscosityText, butlerText; // the two files, byte for byte
};

// Number text as written to the catalogue files: 10 significant digits, shortest general form,
// point as decimal separator, independent of the locale.
std::string numberText(double v);
// The value the engines read back from numberText(v).
double asWritten(double v);

ButlerSystem butlerSystemFor(const Inputs &in, const std::string &system, const Line &s1, const Line &s2);
ViscosityInputs viscosityInputsFor(const Inputs &in, const ViscosityBlock &block);

GenerationResult generateCatalogues(const std::string &dataDir);
// Writes viscosity_rows.csv and butler_fits.csv into outDir; false when a file cannot be written.
bool writeCatalogues(const GenerationResult &result, const std::string &outDir);

} // namespace korvel::thermo
