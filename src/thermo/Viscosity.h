#pragma once
// Viscosity models of binary liquid alloys, evaluated from the pure-component viscosities and the
// thermodynamics of the liquid (LiquidExcess). x is the mole fraction of component 2,
// x1 = 1 − x, x2 = x; η_i(T) = A_i·exp(E_i/(R·T)) in mPa·s. Each model's formula and reference
// stand beside its function in Viscosity.cpp and in docs/models.md.
#include "Butler.h"
#include "RedlichKister.h"

#include <string>
#include <vector>

namespace korvel::thermo {

struct PureViscosity {
    double A = 0; // mPa·s
    double E = 0; // J/mol
    double at(double T) const;
};

struct ViscosityInputs {
    PureViscosity eta1, eta2;
    LiquidExcess excess;
    DensityLine volume1, volume2; // used by the models that need molar volumes
};

enum class ViscosityModelId { Dravik, MoelwynHughes, Kaptay };

struct ViscosityModelInfo {
    ViscosityModelId id;
    const char *caption;      // the program's caption of the model
    const char *abbreviation; // the program's abbreviation
};

const std::vector<ViscosityModelInfo> &implementedViscosityModels();

double dravikViscosity(const ViscosityInputs &in, double x, double T);
double moelwynHughesViscosity(const ViscosityInputs &in, double x, double T);
double kaptayViscosity(const ViscosityInputs &in, double x, double T);
double viscosity(ViscosityModelId model, const ViscosityInputs &in, double x, double T);

} // namespace korvel::thermo
