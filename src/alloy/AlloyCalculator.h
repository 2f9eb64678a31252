#pragma once
// Properties of a liquid alloy at given temperatures, each value with its method and source,
// and the alloy's melting range computed from the parameter files:
//   density and molar volume    ideal mixing of the elements' basis densities
//                               V = Σ x_i·M_i/ρ_i(T), ρ = Σ x_i·M_i / V
//   surface tension             the Butler equation for any number of components, from the
//                               liquid's excess Gibbs energy in the parameter file, the Butler
//                               catalogue's pure-metal lines and the CRC molar volumes
//   viscosity                   Dravik, Moelwyn-Hughes and Kaptay (docs/models.md) written with
//                               sums over the components, from the same thermodynamics and the
//                               elements' basis viscosities
//   liquidus, solidus, phases   equilibria of the parameter file (two or three elements)
//   the database's datasets     measured and calculated rows of the property database at the
//                               alloy's composition (DatabaseMethods.h), where one is given
// A value at a temperature below the computed liquidus carries the flag "below liquidus" and
// the phases present there.
#include "AlloyData.h"
#include "AlloyInput.h"

#include <optional>
#include <string>
#include <vector>

namespace korvel::alloy {

struct PropertyValue {
    double T = 0; // K
    std::string property; // "density", "molar volume", "surface tension", "viscosity"
    double value = 0;
    std::string unit, method, source, flags;
};

struct MeltingValue {
    std::string property; // "liquidus" or "solidus"
    std::optional<double> value; // K; none: not assessed (flags say why)
    std::string method, source, flags;
};

struct AlloyResult {
    Composition composition;
    std::vector<double> temperatures;
    std::vector<PropertyValue> values; // by temperature, then property, then method
    std::vector<MeltingValue> melting; // the computed liquidus and solidus, then measured ones
    std::vector<std::string> phasesAt;  // per temperature: "LIQUID + BCT_A5", "" when above the liquidus
    std::vector<std::string> notes;     // methods that do not apply to this alloy, and why
};

struct ButlerInputs {
    std::vector<double> sigma;  // pure surface tensions, mN/m
    std::vector<double> volume; // molar volumes, m³/mol
    double beta = 0.83, areaFactor = 1.091;
};

class LiquidMixture;
class DatabaseDatasets;
// The Butler equation for one to three components: the surface composition x^s at which
//   σ = σ_i + (R·T/A_i)·ln(x_i^s/x_i) + (β·Ḡ_i^E(x^s) − Ḡ_i^E(x))/A_i
// is one value for every i (A_i = 1.091·N_A^(1/3)·V_i^(2/3)). Two components: solved as the
// catalogue generator solves it (every root, the lowest σ); three: Newton steps from the bulk
// composition. Returns σ in mN/m, nothing when no solution is found.
std::optional<double> butlerSurfaceTension(const LiquidMixture &liquid, const ButlerInputs &in, const std::vector<double> &x,
                                           double T, std::vector<double> *surface = nullptr);

class AlloyCalculator {
public:
    // database: the property database's datasets, none to leave those methods out.
    explicit AlloyCalculator(const AlloyData &data, const DatabaseDatasets *database = nullptr) : m_data(data), m_database(database) {}

    // The molar mass of each element the data know (for parseAlloy).
    MolarMassOf molarMasses() const;

    AlloyResult compute(const Composition &alloy, const std::vector<double> &temperatures) const;

private:
    // The database's measured melting ranges of the same alloy (the same elements, each within
    // 0.25 mass %), each its own liquidus and solidus row with method "measured"; a computed
    // value more than 3 K from the measured one gets the difference in its flags.
    void addMeasuredMelting(std::vector<MeltingValue> &melting, const Composition &alloy) const;

    const AlloyData &m_data;
    const DatabaseDatasets *m_database;
};

} // namespace korvel::alloy
