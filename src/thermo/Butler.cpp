#include "Butler.h"

#include <cmath>
#include <limits>
#include <vector>

namespace korvel::thermo {

double DensityLine::molarVolume(double T) const { return molarMass / (A + B * T) * 1e-6; }

double molarSurfaceArea(double molarVolume, double areaFactor)
{
    return areaFactor * std::cbrt(kAvogadro) * std::pow(molarVolume, 2.0 / 3.0);
}

namespace {

struct Sides {
    double s1, s2;
};

Sides sides(const ButlerSystem &sys, double x, double xs, double T, const Partials &bulk, double A1, double A2)
{
    const Partials surf = sys.excess.partialGibbs(xs, T);
    const double RT = kGasConstant * T;
    // σ in mN/m: the J/m² terms are multiplied by 1000.
    const double s1 = sys.sigma1.at(T)
        + 1000.0 * (RT / A1 * std::log((1.0 - xs) / (1.0 - x)) + (sys.beta * surf.g1 - bulk.g1) / A1);
    const double s2 = sys.sigma2.at(T)
        + 1000.0 * (RT / A2 * std::log(xs / x) + (sys.beta * surf.g2 - bulk.g2) / A2);
    return {s1, s2};
}

} // namespace

std::vector<double> surfaceFractionRoots(const std::function<double(double)> &f)
{
    constexpr int kSteps = 600;
    auto at = [](int i) {
        const double z = -36.0 + 72.0 * i / kSteps;
        return 1.0 / (1.0 + std::exp(-z));
    };
    std::vector<double> roots;
    double xPrev = at(0), fPrev = f(xPrev);
    for (int i = 1; i <= kSteps; ++i) {
        const double xCur = at(i), fCur = f(xCur);
        if ((fPrev > 0) != (fCur > 0) || fCur == 0) {
            double lo = xPrev, hi = xCur, flo = fPrev;
            for (int it = 0; it < 200 && hi - lo > 1e-16; ++it) {
                const double m = 0.5 * (lo + hi), fm = f(m);
                if ((fm > 0) == (flo > 0)) {
                    lo = m;
                    flo = fm;
                } else {
                    hi = m;
                }
            }
            roots.push_back(0.5 * (lo + hi));
        }
        xPrev = xCur;
        fPrev = fCur;
    }
    return roots;
}

ButlerResult solveButler(const ButlerSystem &sys, double x, double T)
{
    if (x <= 0.0)
        return {sys.sigma1.at(T), 0.0};
    if (x >= 1.0)
        return {sys.sigma2.at(T), 1.0};
    const double A1 = molarSurfaceArea(sys.volume1.molarVolume(T), sys.areaFactor);
    const double A2 = molarSurfaceArea(sys.volume2.molarVolume(T), sys.areaFactor);
    const Partials bulk = sys.excess.partialGibbs(x, T);
    auto f = [&](double xs) {
        const Sides s = sides(sys, x, xs, T, bulk, A1, A2);
        return s.s1 - s.s2;
    };
    ButlerResult best{std::numeric_limits<double>::infinity(), 0.0};
    for (const double xs : surfaceFractionRoots(f)) {
        const Sides s = sides(sys, x, xs, T, bulk, A1, A2);
        const double sigma = 0.5 * (s.s1 + s.s2);
        if (sigma < best.sigma)
            best = {sigma, xs};
    }
    return best;
}

} // namespace korvel::thermo
