#include "RedlichKister.h"

#include <cmath>

namespace korvel::thermo {

double RKTerm::value(double T) const { return a + b * T + c * T * std::log(T) + d * T * T; }
double RKTerm::dT(double T) const { return b + c * (std::log(T) + 1.0) + 2.0 * d * T; }
double RKTerm::enthalpyPart(double T) const { return a - c * T - d * T * T; }

double LiquidExcess::termValue(const RKTerm &t, double T, Kind k) const
{
    switch (k) {
    case Kind::Gibbs: return t.value(T);
    case Kind::Enthalpy: return t.enthalpyPart(T);
    case Kind::Entropy: return -t.dT(T);
    }
    return 0;
}

double LiquidExcess::integral(double x, double T, Kind k) const
{
    const double x1 = 1.0 - x, x2 = x, r = x1 - x2;
    double sum = 0, p = 1;
    for (const RKTerm &t : m_terms) {
        sum += termValue(t, T, k) * p;
        p *= r;
    }
    return x1 * x2 * sum;
}

Partials LiquidExcess::partials(double x, double T, Kind k) const
{
    // F = x1·x2·S(r), r = x1 − x2 = 1 − 2·x2; dF/dx2 = r·S − 2·x1·x2·S'(r)
    const double x1 = 1.0 - x, x2 = x, r = x1 - x2;
    double S = 0, dS = 0, p = 1, pm1 = 0;
    int v = 0;
    for (const RKTerm &t : m_terms) {
        const double L = termValue(t, T, k);
        S += L * p;
        dS += v * L * pm1;
        pm1 = p;
        p *= r;
        ++v;
    }
    const double F = x1 * x2 * S;
    const double dF = r * S - 2.0 * x1 * x2 * dS;
    return {F - x2 * dF, F + x1 * dF};
}

double LiquidExcess::gibbs(double x, double T) const { return integral(x, T, Kind::Gibbs); }
double LiquidExcess::enthalpy(double x, double T) const { return integral(x, T, Kind::Enthalpy); }
double LiquidExcess::entropy(double x, double T) const { return integral(x, T, Kind::Entropy); }
Partials LiquidExcess::partialGibbs(double x, double T) const { return partials(x, T, Kind::Gibbs); }
Partials LiquidExcess::partialEnthalpy(double x, double T) const { return partials(x, T, Kind::Enthalpy); }
Partials LiquidExcess::partialEntropy(double x, double T) const { return partials(x, T, Kind::Entropy); }

LiquidExcess LiquidExcess::reversed() const
{
    std::vector<RKTerm> out = m_terms;
    for (std::size_t v = 1; v < out.size(); v += 2)
        out[v] = {-out[v].a, -out[v].b, -out[v].c, -out[v].d};
    return LiquidExcess(std::move(out));
}

} // namespace korvel::thermo
