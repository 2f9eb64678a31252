#pragma once
// Least-squares fitting of the closed forms that the program's model engines evaluate.
//
// Viscosity row pair of one model (engine form):
//   η = exp(((1 − x)·E1 + x·E2 + Eex)/(R·T)) · ((1 − x)·A1 + x·A2 + Aex)
//   Aex = x(1 − x)·Σ_{k=0..5} (a_k + b_k·T)·r^k,  Eex = x(1 − x)·Σ_{k=0..5} (c_k + d_k·T)·r^k,  r = 1 − 2x
// Butler fits (engine forms):
//   direct:           σ = (1 − x)·σ1 + x·σ2 + x(1 − x)·Σ_{k=0..n} L_k(T)·r^k,  L = a + b·T + c·T·ln T + d·T²
//   surface fraction: K = Q0 + Q1·u + Q2·u², y = u/(u + (1 − u)·K), σ = y·σref + (1 − y)·σother,
//                     u the mole fraction of the reference component.
#include "Butler.h"

#include <array>
#include <functional>
#include <vector>

namespace korvel::thermo {

// Dense least squares min ||A·p − b|| by Householder QR with column scaling. Columns whose scaled
// pivot falls below 1e-13 of the largest are treated as dependent and get 0.
std::vector<double> leastSquares(std::vector<double> A, std::vector<double> b, int rows, int cols);

struct PureConstants { // the block's constants of the viscosity engine
    double E1 = 0, E2 = 0, A1 = 0, A2 = 0;
};

struct ViscosityRows {
    std::array<double, 6> a{}, b{}, c{}, d{};
};

double evalViscosityForm(const PureConstants &pc, const ViscosityRows &rows, double x, double T);

struct CoefficientRow {
    double a = 0, b = 0, c = 0, d = 0;
    double at(double T) const;
};

double evalDirect(const Line &s1, const Line &s2, const std::vector<CoefficientRow> &L, double x, double T);
// refIsComponent2: the reference component of the surface-fraction form is component 2 (u = x).
double evalSurfaceFraction(const Line &s1, const Line &s2, bool refIsComponent2, const std::array<CoefficientRow, 3> &Q,
                           double x, double T);

using Model2D = std::function<double(double x, double T)>;

struct Deviation {
    double maxAbs = 0;      // max |fit − model|
    double maxRel = 0;      // max |fit − model| / |model| over the points where |model| ≥ relFloor
    double atX = 0, atT = 0; // where maxAbs occurs
    double maxAbsInterior = 0; // max |fit − model| over 0.1 ≤ x ≤ 0.9
};

// The check grid of every reported deviation: x = i/100 (i = 0..100) and 21 temperatures evenly
// spaced over [Tlo, Thi] (one when Tlo = Thi).
Deviation measureDeviation(const Model2D &fit, const Model2D &model, double Tlo, double Thi, double relFloor);
std::vector<double> checkTemperatures(double Tlo, double Thi);

ViscosityRows fitViscosityRows(const Model2D &model, const PureConstants &pc, double Tlo, double Thi);

std::vector<CoefficientRow> fitDirect(const Model2D &sigma, const Line &s1, const Line &s2, int order, bool tlnt,
                                      double Tlo, double Thi);

std::array<CoefficientRow, 3> fitSurfaceFraction(const Model2D &sigma, const Line &s1, const Line &s2,
                                                 bool refIsComponent2, bool tlnt, double Tlo, double Thi);

} // namespace korvel::thermo
