#pragma once
// One Butler surface-tension fit: a closed-form expression of composition and
// temperature that stands for the Butler-model result of one system.
//
// Forms (x = mole fraction of component 2, T in K, sigma in mN/m):
//   Direct          sigma = (1-x) s1(T) + x s2(T) + x(1-x) sum_k L_k(T) v^k, v = 1-2x
//                   (or 2x-1 where the fit says so), L(T) = a + bT + cT lnT + dT^2;
//   SurfaceFraction u = fraction of the reference component, K = Q0 + Q1 u + Q2 u^2,
//                   y = u / (u + (1-u) K), sigma = y s_ref + (1-y) s_other;
//   Line            sigma = s - tT at every composition;
//   TernarySection  the Ag-Cu-Sn section from the base alloy towards Cu;
//   IsothermFit     (temperature fits) the system's isotherm fit.
// Fixed-point steps: pure lines, T^2 (fits with T lnT terms), K, y and 1-y, mole
// fractions, pair fractions and pair values are rounded to four decimals (ties to
// even) where formed; a fit with Rounding::KOnly rounds only K. Everything else is
// extended precision (long double). chartValue() rounds the result to four decimals.
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace korvel {

struct ButlerRow {
    double a = 0, b = 0, c = 0, d = 0; // L(T) = a + b T + c T lnT + d T^2
};

struct ButlerPureLine {
    QString element; // element symbol, "*" for the line form
    double s = 0, t = 0; // sigma(T) = s - t T
};

struct ButlerTernaryRow {
    double ep = 0, eq = 0, fp = 0, fq = 0, gp = 0, gq = 0; // e = ep + eq T, ...
};

struct ButlerTemperatureRange {
    double low = 0, high = 0, step = 100;
};

long double roundFour(long double value); // nearest, ties to even

class ButlerFit {
public:
    enum class Form { Direct, SurfaceFraction, Line, TernarySection, IsothermFit };
    enum class Use { Isotherm, Temperature };
    enum class Variable { OneMinusTwoX, TwoXMinusOne };
    enum class Rounding { Full, KOnly };

    QString system;
    Use use = Use::Isotherm;
    int variant = 1;
    Form form = Form::Direct;
    int reference = 0; // SurfaceFraction: 1 or 2
    int order = -1;    // Direct: n; TernarySection: order of the pair rows
    bool tlnt = false;
    std::optional<Variable> variable; // Direct; IsothermFit may override its isotherm fit's
    Rounding rounding = Rounding::Full;
    std::optional<ButlerTemperatureRange> range; // temperature fits
    int xLast = 100;  // isotherm fits: last composition index (x = i/100)
    QString key;      // publication key named in questions; empty when not known
    QString source;   // citation of the header
    QString rowSource; // citation of the coefficient rows (hand-kept or generated)
    bool rowsGenerated = false;
    // Generated isotherm rows: the temperatures they were fitted over and checked in. The
    // isotherm command refuses a temperature outside it ("Error! Temperature range <lo,hi [K]>")
    // instead of drawing a fit beyond the range where it follows its model.
    std::optional<ButlerTemperatureRange> fittedRange;

    std::vector<ButlerPureLine> pure;
    std::vector<std::optional<ButlerRow>> L;      // Direct, TernarySection pair rows
    std::array<std::optional<ButlerRow>, 3> Q;    // SurfaceFraction
    std::array<std::optional<ButlerTernaryRow>, 4> P; // TernarySection, j = 1..4
    std::vector<std::pair<QString, double>> base; // TernarySection base alloy

    // Fits this one evaluates (set by the catalogue).
    const ButlerFit* isothermFit = nullptr; // IsothermFit
    const ButlerFit* pairThirdFirst = nullptr;  // section: isotherm fit of element1-element3 (Ag-Sn)
    const ButlerFit* pairSecondThird = nullptr; // section: temperature fit of element2-element3 (Cu-Sn)

    // True when every row the form needs is present ("no rows" otherwise).
    bool complete() const;

    // Sigma at (x, T), unrounded result of the form.
    long double evaluate(long double x, long double t) const;
    // The value added to the chart: evaluate() rounded to four decimals.
    double chartValue(double x, double t) const;
    // Only the excess part x(1-x) sum L_k v^k of a direct fit.
    long double excess(long double x, long double t) const;

    // Temperature fits: the temperatures of the curve (low, low + step, ..., high).
    std::vector<double> temperatures() const;
    // The rejection message of fittedRange, in the form of the command's own range message.
    QString fittedRangeMessage() const;
    // Isotherm fits: the compositions of the curve (i/100 for i = 0..xLast).
    std::vector<double> compositions() const;

    // Component symbols of the system name ("Ag-Cu-Sn" -> Ag, Cu, Sn).
    QStringList elements() const;

private:
    long double evaluateDirect(long double x, long double t, Variable v) const;
    long double sumRows(long double v, long double t, bool roundSquare) const;
    long double pureLine(int index, long double t, bool rounded) const;
    long double evaluateSurface(long double x, long double t) const;
    long double evaluateSection(long double x, long double t) const;
};

} // namespace korvel
