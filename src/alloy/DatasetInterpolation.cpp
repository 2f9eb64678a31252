#include "DatasetInterpolation.h"

#include <algorithm>
#include <cmath>

namespace korvel::alloy {

namespace {

double maxDistance(const std::vector<double> &a, const std::vector<double> &b)
{
    double d = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        d = std::max(d, std::fabs(a[i] - b[i]));
    return d;
}

} // namespace

std::optional<DatasetPosition> locateAlloy(const PropertyDataset &dataset, const std::vector<std::string> &elements,
                                           const std::vector<double> &moleFractions)
{
    if (dataset.points.empty() || elements.size() != dataset.elements.size())
        return std::nullopt;
    std::vector<double> c;
    for (const std::string &e : dataset.elements) {
        const auto it = std::find(elements.begin(), elements.end(), e);
        if (it == elements.end())
            return std::nullopt;
        c.push_back(moleFractions[static_cast<std::size_t>(it - elements.begin())]);
    }

    // The nearest held composition, then the nearest point of each stretch between neighbours.
    std::optional<DatasetPosition> best;
    double bestDistance = kCompositionTolerance;
    for (const DatasetPoint &p : dataset.points)
        if (const double d = maxDistance(c, p.composition); d <= bestDistance) {
            best = DatasetPosition{&p, &p, 0};
            bestDistance = d;
        }
    if (best)
        return best; // held: no interpolation
    for (std::size_t k = 0; k + 1 < dataset.points.size(); ++k) {
        const DatasetPoint &a = dataset.points[k], &b = dataset.points[k + 1];
        double dd = 0, dc = 0;
        for (std::size_t i = 0; i < c.size(); ++i) {
            const double step = b.composition[i] - a.composition[i];
            dd += step * step;
            dc += (c[i] - a.composition[i]) * step;
        }
        if (dd == 0)
            continue;
        const double t = dc / dd;
        if (t < 0 || t > 1)
            continue; // beyond this stretch: never extrapolated
        std::vector<double> q(c.size());
        for (std::size_t i = 0; i < c.size(); ++i)
            q[i] = a.composition[i] + t * (b.composition[i] - a.composition[i]);
        if (const double d = maxDistance(c, q); d <= bestDistance) {
            best = DatasetPosition{&a, &b, t};
            bestDistance = d;
        }
    }
    return best;
}

TemperatureRange positionRange(const DatasetPosition &p)
{
    return {std::max(p.lower->range.lo, p.upper->range.lo), std::min(p.lower->range.hi, p.upper->range.hi)};
}

double interpolatedValue(const PropertyDataset &dataset, const DatasetPosition &p, double T)
{
    const double lower = dataset.valueAt(*p.lower, T);
    if (p.held())
        return lower;
    return (1 - p.t) * lower + p.t * dataset.valueAt(*p.upper, T);
}

} // namespace korvel::alloy
