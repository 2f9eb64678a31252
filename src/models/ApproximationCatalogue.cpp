#include "ApproximationCatalogue.h"

#include <QLatin1String>
#include <cmath>

namespace korvel {

namespace {

double r4(double v) { return FixedPoint4::fromDouble(v).toDouble(); }

constexpr double kAg = 107.868, kBi = 208.9804, kPb = 207.2, kSn = 118.69;

// One system's entry: its sources, abscissa and equations (nullopt: not defined by the source).
struct Entry {
    const char* system;
    QStringList keys;
    double xFirst, xLast, xStep;
    double (*molarMass)(double x);
    std::optional<double> (*density)(double x, double t);
    std::optional<double> (*surfaceTension)(double x, double t);
};

// Ag-Bi, 2003 source, x = x(Bi).
double agBiMass(double x) { return (1 - x) * kAg + x * kBi; }
std::optional<double> agBiDensity(double x, double t)
{
    return x * (10.692 - 0.00119 * t) + (1 - x) * (10.47 - 0.000911 * t)
           + x * (1 - x) * (0.9327771673 - 0.0007357473073 * t);
}
std::optional<double> agBiSurfaceTension(double x, double t)
{
    return (404.5 - 0.0492 * t) * (1 + (3.77e-5 * t - 0.3918) * std::log(x + 0.00933 * (1 - x)));
}

// Ag-Bi-Sn, 2001 source, x = x(Bi) on the section from the Ag-Sn eutectic (Ag 0.038, Sn 0.962).
double agBiSnMass(double x) { return 0.038 * (1 - x) * kAg + x * kBi + 0.962 * (1 - x) * kSn; }
std::optional<double> agBiSnDensity(double x, double t)
{
    return 7.354 - 0.000594 * t + (5.445833333 - 0.004856089744 * t) * x + (28.93518519 + 0.00240384615 * t) * x * x;
}
std::optional<double> agBiSnSurfaceTension(double x, double t)
{
    return 586.0 - 0.09 * t + (0.00810897436 * t - 30.03205128) * x + (1.472578347 * t - 5781.695157) * x * x;
}

// The Pb-Sn eutectic reference lines, x = x(Sn) for the molar mass.
double pbSnMass(double x) { return (1 - x) * kPb + x * kSn; }
std::optional<double> pbSnDensity(double, double t) { return 8.8256 - 0.001121 * t; }
std::optional<double> pbSnSurfaceTension(double, double t) { return 505.1 - 0.0644 * t; }

const std::vector<Entry>& entries()
{
    static const std::vector<Entry> list = {
        {"Ag-Bi", {QStringLiteral("[2003Src1]")}, 0, 1, 0.04, agBiMass, agBiDensity, agBiSurfaceTension},
        {"Ag-Bi-Sn", {QStringLiteral("[2001Src1]")}, 0, 0.12, 0.005, agBiSnMass, agBiSnDensity, agBiSnSurfaceTension},
        {"Pb-Sn", {QStringLiteral("[(Pb-Sn)eut]")}, 0, 1, 0.04, pbSnMass, pbSnDensity, pbSnSurfaceTension},
    };
    return list;
}

const Entry* entryOf(const QString& system)
{
    for (const Entry& e : entries())
        if (system == QLatin1String(e.system))
            return &e;
    return nullptr;
}

} // namespace

ApproximationKind ApproximationCatalogue::kindOf(const QString& system)
{
    if (entryOf(system))
        return ApproximationKind::Equations;
    if (system == QLatin1String("Ag-Bi-Cu-Sn") || system == QLatin1String("Ag-Bi-Cu-Sb-Sn"))
        return ApproximationKind::CalculatedValues;
    for (const char* name : {"Ag-Cu", "Al-In", "Au-In", "Au-Sn", "Cu-In"})
        if (system == QLatin1String(name))
            return ApproximationKind::NoEquations;
    return ApproximationKind::NotHeld;
}

QStringList ApproximationCatalogue::sourceKeys(const QString& system)
{
    const Entry* e = entryOf(system);
    return e ? e->keys : QStringList();
}

std::vector<double> ApproximationCatalogue::abscissa(const QString& system)
{
    std::vector<double> xs;
    if (const Entry* e = entryOf(system)) {
        const int n = int(std::lround((e->xLast - e->xFirst) / e->xStep)) + 1;
        for (int i = 0; i < n; ++i)
            xs.push_back(r4(e->xFirst + i * e->xStep));
    }
    return xs;
}

ApproximationResult ApproximationCatalogue::curve(const QString& system, const QString& key, const QString& property,
                                                  FixedPoint4 t)
{
    ApproximationResult result;
    const Entry* e = entryOf(system);
    if (!e || !e->keys.contains(key))
        return result;
    const bool density = property == QLatin1String("Density");
    const bool tension = property == QLatin1String("Surface tension");
    const bool molar = property == QLatin1String("Molar volume");
    result.status = ApproximationResult::Status::PropertyNotDefined;
    if (!density && !tension && !molar)
        return result;
    const double temperature = t.toDouble();
    std::vector<QPointF> points;
    for (double x : abscissa(system)) {
        std::optional<double> value;
        if (tension) {
            value = e->surfaceTension(x, temperature);
        } else if (const auto rho = e->density(x, temperature)) {
            const double rounded = r4(*rho);
            if (density)
                value = rounded;
            else if (rounded > 0)
                value = r4(e->molarMass(x)) / rounded;
        }
        if (!value || !std::isfinite(*value))
            return result;
        points.emplace_back(x, r4(*value));
    }
    result.status = ApproximationResult::Status::Drawn;
    result.points = std::move(points);
    return result;
}

std::optional<std::vector<QPointF>> ApproximationCatalogue::pbSnReference(const QString& property)
{
    const bool density = property == QLatin1String("Density");
    if (!density && property != QLatin1String("Surface tension"))
        return std::nullopt;
    std::vector<QPointF> points;
    for (int t = 500; t <= 1300; t += 100)
        points.emplace_back(t, r4(density ? *pbSnDensity(0, t) : *pbSnSurfaceTension(0, t)));
    return points;
}

} // namespace korvel
