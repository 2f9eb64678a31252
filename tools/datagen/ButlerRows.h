#pragma once
// Surface-tension rows of the property database computed by the Butler model.
//
// Two kinds of input, both held in data/:
//  - a system with a complete Butler temperature fit in the program's catalogue
//    (data/models/butler.csv with data/models/generated/butler_fits.csv): the fit is
//    evaluated exactly as the program's Butler command draws it;
//  - a binary with a sourced Redlich-Kister liquid (data/thermo/liquid_sources.csv) but no
//    fit in the catalogue: the Butler equations are solved directly (tools/thermo), with the
//    pure-component lines of the catalogue (data/sources/butler_pure_lines.csv) and the molar
//    volumes of data/thermo/elements.csv.
// Each composition gets the least-squares line A + B*T over the temperatures of the curve, and
// the largest distance of that line from the model is kept with it.
#include <QString>
#include <QStringList>

#include <map>
#include <vector>

namespace korvel::datagen {

struct SurfaceTensionLine {
    double x = 0;            // mole fraction of the varying element (binary: second element)
    double a = 0, b = 0;     // sigma = a + b*T, mN/m
    double deviation = 0;    // largest |line - model| over the range, mN/m
};

struct SurfaceTensionSet {
    QString system;
    bool section = false;    // the catalogue's ternary section fit: from `base` towards pure `varying`
    QString varying;         // the element whose mole fraction x is
    std::vector<std::pair<QString, double>> base;
    int tLow = 0, tHigh = 0; // K
    QString method;          // how the curve was obtained: model, fit, inputs (for the record's title)
    QString rowSource;       // short provenance of each row
    std::vector<SurfaceTensionLine> lines;
    double deviation() const;
};

struct PureLine {
    double s = 0, t = 0; // sigma = s - t*T
};

// The sets of every system of the catalogue with a complete temperature fit (Bi-Sn: the first
// one that evaluates the Butler isotherm, not the single line), then of every binary of
// `binaries` with a sourced liquid and no fit of its own. `pureLines` are the catalogue's
// pure-component lines by element, `melting` the melting points by element (K).
// Binary compositions: x = 0, 0.1, ..., 1; the section: x = 0, 0.01, ... up to its last point.
// Throws std::runtime_error on an unreadable input.
std::vector<SurfaceTensionSet> butlerSurfaceTension(const QString& dataDir, const QStringList& binaries,
                                                    const std::map<QString, PureLine>& pureLines,
                                                    const std::map<QString, double>& melting);

} // namespace korvel::datagen
