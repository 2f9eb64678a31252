#include "Viscosity.h"

#include <cmath>

namespace korvel::thermo {

namespace {
constexpr double kPlanck = 6.62607015e-34; // J·s (SI 2019 exact value)
}

double PureViscosity::at(double T) const { return A * std::exp(E / (kGasConstant * T)); }

const std::vector<ViscosityModelInfo> &implementedViscosityModels()
{
    static const std::vector<ViscosityModelInfo> models = {
        {ViscosityModelId::Dravik, "Dravik (Drv)", "Drv"},
        {ViscosityModelId::MoelwynHughes, "Moelwyn-Hughes (M-H)", "M-H"},
        {ViscosityModelId::Kaptay, "Kaptay (Kap)", "Kap"},
    };
    return models;
}

// Dravik: the excess-entropy form
//   η = (x1·η1 + x2·η2)·(1 − 2·S^E/R)
// with S^E the excess entropy of the liquid.
double dravikViscosity(const ViscosityInputs &in, double x, double T)
{
    const double linear = (1.0 - x) * in.eta1.at(T) + x * in.eta2.at(T);
    return linear * (1.0 - 2.0 * in.excess.entropy(x, T) / kGasConstant);
}

// Moelwyn-Hughes: E.A. Moelwyn-Hughes, Physical Chemistry, Pergamon Press, Oxford (1961), the
// interchange-energy form (docs/models.md: how it was checked against the catalogue's Sn-Zn row):
//   η = (x1·η1 + x2·η2)·(1 − 2·x1·x2·Ω/(R·T)),  with H^E = x1·x2·Ω,
// i.e. η = (x1·η1 + x2·η2)·(1 − 2·H^E/(R·T)). A strongly positive H^E drives the value below
// zero near x = 0.5 at low temperature (Sn-Zn at 700 K).
double moelwynHughesViscosity(const ViscosityInputs &in, double x, double T)
{
    const double linear = (1.0 - x) * in.eta1.at(T) + x * in.eta2.at(T);
    return linear * (1.0 - 2.0 * in.excess.enthalpy(x, T) / (kGasConstant * T));
}

// Kaptay: G. Kaptay, Proc. microCAD 2003 (Metallurgy), University of Miskolc (2003) 23-28;
// G. Kaptay, D. Zivkovic, I. Budai, CALPHAD XXXIII (2004) paper 12.5. The Eyring equation with
// the molar volume and the cohesion energy of the alloy:
//   η = h·N_A / (Σ x_i·V_i + ΔV^E) · exp((Σ x_i·ΔG_i* − α·ΔH)/(R·T)),  α = 0.155,
// ΔG_i* from the same equation for the pure component (ΔV^E = 0, ΔH = 0):
//   ΔG_i* = R·T·ln(η_i·V_i/(h·N_A)).
// ΔH = H^E of the liquid; the excess molar volume is not known for these systems and is
// neglected (ΔV^E = 0), as the authors allow.
double kaptayViscosity(const ViscosityInputs &in, double x, double T)
{
    const double RT = kGasConstant * T;
    const double hNA = kPlanck * kAvogadro;
    const double V1 = in.volume1.molarVolume(T), V2 = in.volume2.molarVolume(T);
    // η in Pa·s inside the logarithm; the result converted back to mPa·s.
    const double G1 = RT * std::log(in.eta1.at(T) * 1e-3 * V1 / hNA);
    const double G2 = RT * std::log(in.eta2.at(T) * 1e-3 * V2 / hNA);
    const double V = (1.0 - x) * V1 + x * V2;
    const double H = in.excess.enthalpy(x, T);
    return 1e3 * hNA / V * std::exp(((1.0 - x) * G1 + x * G2 - 0.155 * H) / RT);
}

double viscosity(ViscosityModelId model, const ViscosityInputs &in, double x, double T)
{
    switch (model) {
    case ViscosityModelId::Dravik: return dravikViscosity(in, x, T);
    case ViscosityModelId::MoelwynHughes: return moelwynHughesViscosity(in, x, T);
    case ViscosityModelId::Kaptay: return kaptayViscosity(in, x, T);
    }
    return 0;
}

} // namespace korvel::thermo
