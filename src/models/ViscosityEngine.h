#pragma once
// The common formula of the twelve viscosity models and the texts of a run:
// the 101 curve points, the buffer lines of MemoViscoModel and the curve title.
#include "ViscosityCatalogue.h"
#include "core/Numbers.h"

#include <QLocale>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <vector>

namespace korvel {

inline constexpr double GasConstant = 8.314472; // J/(mol*K)
inline constexpr int ViscosityPointCount = 101;  // x = i/100, i = 0..100

// Viscosity in mPa*s at mole fraction x of component 2 and temperature t (K):
//   eta = exp(((1-x)E1 + x E2 + Eex) / (R t)) * ((1-x)A1 + x A2 + Aex)
// with Aex = x(1-x) sum_k (a_k + b_k t) r^k, Eex = x(1-x) sum_k (c_k + d_k t) r^k,
// r = 1 - 2x. `rows` null means no model: Aex = Eex = 0 (ideal mixing of A and E).
double viscosityAt(const ViscosityBlock& block, const ViscosityModelRows* rows, double x, double t);

// The 101 points (x_i = i/100, eta_i). A null block gives the zero curve.
std::vector<QPointF> viscosityCurve(const ViscosityBlock* block, const ViscosityModelRows* rows, double t);

// The four header lines of a run (WriteViscosityHeader):
//   "Model of viscosity: <model text>,  Temerature: <temperature text> K", "",
//   "X        <left-axis title>", "".
QStringList WriteViscosityHeader(const QString& modelText, const QString& temperatureText,
                                 const QString& leftAxisTitle);

// One buffer line per point: x, two TABs, eta rounded to two decimals (ties to
// even); both in the general 15-digit form with the locale's decimal separator.
QStringList viscosityValueLines(const std::vector<QPointF>& points, const QLocale& locale = QLocale());

// The legend title of a model curve (TitleViscosityCurve):
// <publication key>_<abbreviation>_<temperature, shortest form>[K].
QString viscosityCurveTitle(const QString& publicationKey, const QString& abbreviation,
                            FixedPoint4 temperature, const QLocale& locale = QLocale());

} // namespace korvel
