#pragma once
// Surface tension of a binary liquid alloy by the Butler equation.
//
//   σ = σ_i + (R·T / A_i)·ln(x_i^s / x_i^b) + (1 / A_i)·(Ḡ_i^{E,s}(x^s) − Ḡ_i^{E,b}(x^b)),  i = 1, 2
//
// J.A.V. Butler, "The thermodynamics of the surfaces of solutions", Proc. R. Soc. London A 135
// (1932) 348, doi:10.1098/rspa.1932.0040. With the choices for liquid metals of Tanaka et al.,
// "Application of thermodynamic databases to the evaluation of surface tensions of molten alloys,
// salt mixtures and oxide mixtures", Z. Metallkd. 87 (1996) 380 (docs/models.md tells how the
// two constants were checked against the catalogue's own fits):
//   - molar surface area A_i = 1.091·N_A^(1/3)·V_i^(2/3) (close-packed surface layer),
//   - partial excess Gibbs energy of the surface Ḡ_i^{E,s}(x^s) = β·Ḡ_i^{E,b}(x^s), β = 0.83
//     (the ratio of the coordination numbers of surface and bulk atoms of liquid metals).
// x^b is the bulk and x^s the surface composition; the two equations are solved for x^s, then
// either gives σ. σ_i are the pure-component surface tensions, V_i the molar volumes.
#include "GasConstant.h"
#include "RedlichKister.h"

#include <functional>
#include <vector>

namespace korvel::thermo {

constexpr double kAvogadro = 6.02214076e23; // 1/mol (SI 2019 exact value)

struct Line { // s − t·T
    double s = 0, t = 0;
    double at(double T) const { return s - t * T; }
};

struct DensityLine { // ρ = A + B·T in g/cm³, molar mass M in g/mol
    double molarMass = 0, A = 0, B = 0;
    double molarVolume(double T) const; // m³/mol
};

struct ButlerSystem {
    LiquidExcess excess;      // component order: 1 = first element of the system name
    Line sigma1, sigma2;      // mN/m
    DensityLine volume1, volume2;
    double beta = 0.83;
    double areaFactor = 1.091;
};

struct ButlerResult {
    double sigma = 0;    // mN/m
    double surfaceX = 0; // surface mole fraction of component 2
};

double molarSurfaceArea(double molarVolume, double areaFactor = 1.091); // m²/mol

// Every root of f(surface fraction) in (0, 1), as the binary Butler equations are solved: the
// fraction scanned in 600 logit steps (which reach very dilute surfaces), each sign change
// refined by bisection; in ascending order.
std::vector<double> surfaceFractionRoots(const std::function<double(double)> &f);

// Solves the Butler equations at bulk mole fraction x (component 2) and temperature T.
// x = 0 and x = 1 give the pure-component lines. Where the equations have several roots the
// one with the lowest surface tension is taken.
ButlerResult solveButler(const ButlerSystem &sys, double x, double T);

} // namespace korvel::thermo
