#include "SectionFields.h"

#include <algorithm>
#include <cmath>

namespace korvel::thermo::phase {

namespace {

constexpr double kNoWidth = 1e-5;
constexpr double kSliver = 2e-3;

} // namespace

std::pair<double, double> lineCrossing(const SectionLine &line, const Composition &a, const Composition &b,
                                       const Composition &c)
{
    const double sx = line.start[1], sy = line.start[2];
    const double dx = line.end[1] - sx, dy = line.end[2] - sy;
    const double px[3] = {a[1], b[1], c[1]}, py[3] = {a[2], b[2], c[2]};
    const double area = (px[1] - px[0]) * (py[2] - py[0]) - (py[1] - py[0]) * (px[2] - px[0]);
    if (std::fabs(area) < 1e-18)
        return {1.0, 0.0};
    const double sign = area > 0 ? 1 : -1;
    double lo = 0, hi = 1;
    for (int e = 0; e < 3 && lo < hi; ++e) {
        const int i = e, j = (e + 1) % 3;
        const double ex = px[j] - px[i], ey = py[j] - py[i];
        const double f0 = sign * (ex * (sy - py[i]) - ey * (sx - px[i]));
        const double f1 = sign * (ex * dy - ey * dx);
        if (std::fabs(f1) < 1e-15) {
            if (f0 < 0)
                hi = lo - 1;
        } else if (f1 > 0) {
            lo = std::max(lo, -f0 / f1);
        } else {
            hi = std::min(hi, -f0 / f1);
        }
    }
    return {lo, hi};
}

void tidyFields(SectionIsotherm &isotherm)
{
    auto &fields = isotherm.fields;
    // A field of no width (the line crossing one tie line between two triangles) is a line of
    // the drawing, not a field: its neighbours meet there.
    for (std::size_t i = 0; i < fields.size();) {
        if (fields.size() > 1 && fields[i].sRight - fields[i].sLeft < kNoWidth) {
            if (i + 1 < fields.size())
                fields[i + 1].sLeft = fields[i].sLeft;
            else
                fields[i - 1].sRight = fields[i].sRight;
            fields.erase(fields.begin() + static_cast<long>(i));
            if (i > 0 && i < fields.size() && fields[i - 1].phases == fields[i].phases) {
                fields[i - 1].sRight = fields[i].sRight;
                fields.erase(fields.begin() + static_cast<long>(i));
            }
            continue;
        }
        ++i;
    }
    // A narrow field between two fields of the same phases is the grid's, not the system's.
    for (bool merged = true; merged;) {
        merged = false;
        for (std::size_t i = 1; i + 1 < fields.size(); ++i) {
            SectionField &mid = fields[i];
            if (mid.sRight - mid.sLeft < kSliver && fields[i - 1].phases == fields[i + 1].phases) {
                fields[i - 1].sRight = fields[i + 1].sRight;
                fields.erase(fields.begin() + static_cast<long>(i), fields.begin() + static_cast<long>(i) + 2);
                merged = true;
                break;
            }
        }
    }
    if (!fields.empty())
        fields.back().sRight = 1;
}

void settleSolutionBoundaries(SectionIsotherm &isotherm, const std::function<int(const SectionField &)> &single,
                              const std::function<bool(int, double)> &alone)
{
    auto &fields = isotherm.fields;
    // Where a single-phase field of a substitutional solution meets another field, the grid's
    // boundary is replaced by the exact one: the point at which the solution's tangent plane
    // there stops lying below every sampled state. A single-phase field that fails the test in
    // its middle, or a field beside it that passes, was the grid's and is merged away.
    auto mergeAt = [&](std::size_t i) { // fields i-1, i, i+1 into one (i-1 and i+1 alike)
        fields[i - 1].sRight = fields[i + 1].sRight;
        fields.erase(fields.begin() + static_cast<long>(i), fields.begin() + static_cast<long>(i) + 2);
    };
    for (bool merged = true; merged;) {
        merged = false;
        for (std::size_t i = 1; i + 1 < fields.size() && !merged; ++i) {
            const SectionField &f = fields[i], &left = fields[i - 1], &right = fields[i + 1];
            if (left.phases != right.phases)
                continue;
            const double mid = 0.5 * (f.sLeft + f.sRight);
            const int p = single(f), q = single(left);
            if ((p >= 0 && !alone(p, mid)) || (q >= 0 && alone(q, mid))) {
                mergeAt(i);
                merged = true;
            }
        }
    }
    for (std::size_t i = 0; i + 1 < fields.size(); ++i) {
        SectionField &a = fields[i], &b = fields[i + 1];
        const int pa = single(a), pb = single(b);
        if ((pa < 0) == (pb < 0))
            continue; // two single-phase fields meet only at a point; two others are the hull's
        const int p = pa >= 0 ? pa : pb;
        double in = pa >= 0 ? 0.5 * (a.sLeft + a.sRight) : 0.5 * (b.sLeft + b.sRight);
        double outside = pa >= 0 ? 0.5 * (b.sLeft + b.sRight) : 0.5 * (a.sLeft + a.sRight);
        if (!alone(p, in) || alone(p, outside))
            continue;
        while (std::fabs(in - outside) > 1e-6) {
            const double m = 0.5 * (in + outside);
            (alone(p, m) ? in : outside) = m;
        }
        const double boundary = 0.5 * (in + outside);
        a.sRight = b.sLeft = std::clamp(boundary, a.sLeft, b.sRight);
    }
}

} // namespace korvel::thermo::phase
