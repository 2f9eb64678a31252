#include "TernaryEquilibrium.h"
#include "SiteGrid.h"

#include "SectionFields.h"

extern "C" {
#include <libqhull_r/qhull_ra.h>
}

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <set>
#include <stdexcept>

namespace korvel::thermo::phase {

namespace {

// Corners of one phase closer than this (largest difference of a mole fraction) are one state...
constexpr double kSameState = 0.02;
// ... unless the phase between them rises above the hull by more than this (in units of R·T):
// two states across a miscibility gap.
constexpr double kGapHeight = 0.02;
constexpr int kUniform = 20; // grid steps of a site fraction
constexpr int kPerEnd = 12;  // geometric steps towards each end
constexpr double kSmallest = 1e-7;
// Refinement: kLevels hulls more, each with samples around the corners of the crossed tie facets,
// kPatch steps to each side of a corner, the step kFiner times finer each level (from the grid's).
constexpr int kLevels = 2;
constexpr int kPatch = 3;
constexpr double kFiner = 4;
// A phase's best sample under a crossed facet less than this above it (in R·T) is refined.
constexpr double kNearlyStable = 0.05;


// Fractions of a sublattice with three constituents: the product grid of every pair of them
// (the third taking the rest), so that each edge and corner of the triangle is sampled densely.
std::vector<std::vector<double>> triangle(const std::vector<double> &v)
{
    std::set<std::array<long long, 3>> seen;
    std::vector<std::vector<double>> out;
    const int pairs[3][3] = {{0, 1, 2}, {1, 2, 0}, {2, 0, 1}};
    for (const auto &pair : pairs)
        for (double a : v)
            for (double b : v) {
                if (a + b > 1 + 1e-12)
                    continue;
                std::vector<double> y(3);
                y[static_cast<std::size_t>(pair[0])] = a;
                y[static_cast<std::size_t>(pair[1])] = b;
                y[static_cast<std::size_t>(pair[2])] = std::max(0.0, 1 - a - b);
                const std::array<long long, 3> key{std::llround(y[0] * 1e13), std::llround(y[1] * 1e13),
                                                   std::llround(y[2] * 1e13)};
                if (seen.insert(key).second)
                    out.push_back(y);
            }
    return out;
}

// Local grid step of the site-fraction grid at y.
double stepAt(double y)
{
    const double ratio = std::pow(1.0 / kUniform / kSmallest, 1.0 / kPerEnd);
    const double d = std::min(y, 1 - y);
    return std::clamp(d * (ratio - 1), kSmallest, 1.0 / kUniform);
}

} // namespace

Composition SectionLine::at(double s) const
{
    Composition x;
    for (std::size_t i = 0; i < 3; ++i)
        x[i] = start[i] + s * (end[i] - start[i]);
    return x;
}

std::string SectionIsotherm::signature(const std::vector<std::string> &names) const
{
    std::string out;
    for (const SectionField &f : fields) {
        if (!out.empty())
            out += '|';
        for (std::size_t i = 0; i < f.phases.size(); ++i)
            out += (i ? "+" : "") + names[static_cast<std::size_t>(f.phases[i])];
    }
    return out;
}

const SectionField *SectionIsotherm::fieldAt(double s) const
{
    const SectionField *found = nullptr;
    for (const SectionField &f : fields)
        if (f.sLeft <= s + 1e-12 && s <= f.sRight + 1e-12)
            found = &f;
    return found;
}

TernarySystem::TernarySystem(const tdb::Database &db, const std::array<std::string, 3> &elements)
    : m_elements(elements)
{
    for (const tdb::Phase &p : db.phases) {
        std::string why;
        auto model = TernaryPhase::build(db, p.name, elements, &why);
        if (!model) {
            if (!why.empty())
                m_notes.push_back(why);
            continue;
        }
        if (p.name.rfind("LIQ", 0) == 0 && m_liquid < 0)
            m_liquid = static_cast<int>(m_phases.size());
        m_phases.push_back(std::move(*model));
    }
    for (int i = 0; i < static_cast<int>(m_phases.size()); ++i)
        sample(i);
}

std::vector<std::string> TernarySystem::phaseNames() const
{
    std::vector<std::string> names;
    for (const TernaryPhase &p : m_phases)
        names.push_back(p.name());
    return names;
}

void TernarySystem::addState(int phase, const std::vector<double> &y, std::vector<Sample> &to,
                             std::vector<double> &ys) const
{
    const TernaryPhase &m = m_phases[static_cast<std::size_t>(phase)];
    Sample s;
    s.phase = phase;
    s.y = ys.size();
    s.atoms = m.atoms(y.data());
    if (!(s.atoms > 1e-12))
        return; // only vacancies
    s.x = m.composition(y.data());
    ys.insert(ys.end(), y.begin(), y.end());
    to.push_back(s);
}

void TernarySystem::sample(int phase)
{
    const TernaryPhase &m = m_phases[static_cast<std::size_t>(phase)];
    int mixed = 0;
    for (int s = 0; s < m.sublattices(); ++s)
        mixed += m.constituents(s).size() > 1 ? 1 : 0;
    // Phases with several mixed sublattices take a coarser grid, so that their product stays small.
    const std::vector<double> v = mixed > 1 ? siteGrid(40, 8, kSmallest) : siteGrid(kUniform, kPerEnd, kSmallest);
    std::vector<std::vector<std::vector<double>>> perSublattice;
    for (int s = 0; s < m.sublattices(); ++s) {
        const std::size_t n = m.constituents(s).size();
        std::vector<std::vector<double>> options;
        if (n == 1)
            options.push_back({1.0});
        else if (n == 2)
            for (double y : v)
                options.push_back({1 - y, y});
        else if (n == 3)
            options = triangle(mixed > 1 ? siteGrid(20, 6, 1e-6) : v);
        else
            throw std::runtime_error(m.name() + ": more than three constituents on a sublattice");
        perSublattice.push_back(options);
    }
    std::vector<std::size_t> pick(perSublattice.size(), 0);
    for (;;) {
        std::vector<double> y;
        for (std::size_t s = 0; s < pick.size(); ++s)
            y.insert(y.end(), perSublattice[s][pick[s]].begin(), perSublattice[s][pick[s]].end());
        addState(phase, y, m_samples, m_y);
        std::size_t s = 0;
        for (; s < pick.size(); ++s) {
            if (++pick[s] < perSublattice[s].size())
                break;
            pick[s] = 0;
        }
        if (s == pick.size())
            break;
    }
}

void TernarySystem::refineAround(const Sample &s, const std::vector<double> &ys, double fineness,
                                 std::vector<Sample> &to, std::vector<double> &toYs) const
{
    const TernaryPhase &m = m_phases[static_cast<std::size_t>(s.phase)];
    const std::vector<double> base(ys.begin() + static_cast<long>(s.y),
                                   ys.begin() + static_cast<long>(s.y) + m.siteFractions());
    int offset = 0;
    for (int sub = 0; sub < m.sublattices(); ++sub) {
        const int n = static_cast<int>(m.constituents(sub).size());
        const auto at = [&](int i) { return static_cast<std::size_t>(offset + i); };
        if (n == 2) {
            const double h = stepAt(base[at(1)]);
            for (int a = -kPatch; a <= kPatch; ++a) {
                if (a == 0)
                    continue;
                std::vector<double> y = base;
                y[at(1)] = base[at(1)] + a * h * fineness;
                y[at(0)] = 1 - y[at(1)];
                if (y[at(0)] >= 0 && y[at(1)] >= 0)
                    addState(s.phase, y, to, toYs);
            }
        } else if (n == 3) {
            // Moves of the two smaller fractions against the largest one.
            int k = 0;
            for (int i = 1; i < 3; ++i)
                if (base[at(i)] > base[at(k)])
                    k = i;
            const int i = (k + 1) % 3, j = (k + 2) % 3;
            const double hi = stepAt(base[at(i)]), hj = stepAt(base[at(j)]);
            for (int a = -kPatch; a <= kPatch; ++a)
                for (int b = -kPatch; b <= kPatch; ++b) {
                    if (a == 0 && b == 0)
                        continue;
                    std::vector<double> y = base;
                    y[at(i)] = base[at(i)] + a * hi * fineness;
                    y[at(j)] = base[at(j)] + b * hj * fineness;
                    y[at(k)] = 1 - y[at(i)] - y[at(j)];
                    if (y[at(i)] >= 0 && y[at(j)] >= 0 && y[at(k)] >= 0)
                        addState(s.phase, y, to, toYs);
                }
        }
        offset += n;
    }
}

std::vector<TernarySystem::Facet> TernarySystem::lowerHull(const std::vector<Sample> &samples,
                                                           const std::vector<double> &g, double T) const
{
    // Heights above the plane through the lowest states of the pure elements, in units of R·T,
    // so that the differences that decide the hull are not lost against the size of G.
    Composition corner{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                       std::numeric_limits<double>::max()};
    for (std::size_t i = 0; i < samples.size(); ++i)
        for (std::size_t e = 0; e < 3; ++e)
            if (samples[i].x[e] > 1 - 1e-9)
                corner[e] = std::min(corner[e], g[i]);
    for (double &c : corner)
        if (c == std::numeric_limits<double>::max())
            c = 0;
    const double scale = 1.0 / (kParameterFileGasConstant * T);
    std::vector<coordT> points(samples.size() * 3);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const Composition &x = samples[i].x;
        points[3 * i] = x[1];
        points[3 * i + 1] = x[2];
        points[3 * i + 2] = (g[i] - (x[0] * corner[0] + x[1] * corner[1] + x[2] * corner[2])) * scale;
    }

    qhT qhData;
    qhT *qh = &qhData;
    qh_zero(qh, stderr);
    char options[] = "qhull Qt";
    const int exitCode = qh_new_qhull(qh, 3, static_cast<int>(samples.size()), points.data(), False, options,
                                      nullptr, stderr);
    std::vector<Facet> facets;
    if (exitCode == 0) {
        facetT *facet;
        vertexT *vertex, **vertexp;
        FORALLfacets {
            if (!(facet->normal[2] < -1e-12))
                continue;
            Facet f;
            int n = 0;
            FOREACHvertex_(facet->vertices)
            {
                if (n < 3)
                    f.corners[static_cast<std::size_t>(n)] = static_cast<std::size_t>(qh_pointid(qh, vertex->point));
                ++n;
            }
            if (n == 3)
                facets.push_back(f);
        }
    }
    qh_freeqhull(qh, !qh_ALL);
    int curlong = 0, totlong = 0;
    qh_memfreeshort(qh, &curlong, &totlong);
    if (exitCode != 0)
        throw std::runtime_error("qhull could not compute the hull at " + std::to_string(T) + " K");
    return facets;
}

std::vector<TernaryState> TernarySystem::statesOf(const Hull &h, const Facet &f) const
{
    // The facet's plane, for the G of a state between two corners.
    const Sample &s0 = h.samples[f.corners[0]], &s1 = h.samples[f.corners[1]], &s2 = h.samples[f.corners[2]];
    const double g0 = h.g[f.corners[0]], g1 = h.g[f.corners[1]], g2 = h.g[f.corners[2]];
    const double ax = s1.x[1] - s0.x[1], ay = s1.x[2] - s0.x[2], az = g1 - g0;
    const double bx = s2.x[1] - s0.x[1], by = s2.x[2] - s0.x[2], bz = g2 - g0;
    const double nx = ay * bz - az * by, ny = az * bx - ax * bz, nz = ax * by - ay * bx;
    auto plane = [&](const Composition &x) {
        return nz == 0 ? g0 : g0 - (nx * (x[1] - s0.x[1]) + ny * (x[2] - s0.x[2])) / nz;
    };
    // Two corners of one phase are two states when the phase between them rises above the facet.
    auto apart = [&](std::size_t a, std::size_t b) {
        const Sample &sa = h.samples[a], &sb = h.samples[b];
        double d = 0;
        for (std::size_t e = 0; e < 3; ++e)
            d = std::max(d, std::fabs(sa.x[e] - sb.x[e]));
        if (d < kSameState)
            return false;
        const TernaryPhase &m = m_phases[static_cast<std::size_t>(sa.phase)];
        std::vector<double> y(static_cast<std::size_t>(m.siteFractions()));
        for (std::size_t i = 0; i < y.size(); ++i)
            y[i] = 0.5 * (h.ys[sa.y + i] + h.ys[sb.y + i]);
        const double g = m.gibbsPerAtom(h.params[static_cast<std::size_t>(sa.phase)], y.data());
        return g - plane(m.composition(y.data())) > kGapHeight * kParameterFileGasConstant * h.params[0].T;
    };
    std::vector<TernaryState> states;
    std::vector<std::size_t> first;
    std::vector<int> counts;
    for (std::size_t c : f.corners) {
        const Sample &s = h.samples[c];
        bool merged = false;
        for (std::size_t i = 0; i < states.size() && !merged; ++i) {
            if (states[i].phase != s.phase || apart(first[i], c))
                continue;
            for (std::size_t e = 0; e < 3; ++e)
                states[i].x[e] = (states[i].x[e] * counts[i] + s.x[e]) / (counts[i] + 1);
            ++counts[i];
            merged = true;
        }
        if (!merged) {
            states.push_back({s.phase, s.x});
            first.push_back(c);
            counts.push_back(1);
        }
    }
    std::sort(states.begin(), states.end(), [](const TernaryState &a, const TernaryState &b) {
        return a.phase != b.phase ? a.phase < b.phase : a.x < b.x;
    });
    return states;
}

SectionIsotherm TernarySystem::isotherm(const SectionLine &line, double T) const
{
    std::vector<TernaryPhase::AtT> params;
    for (const TernaryPhase &p : m_phases)
        params.push_back(p.at(T));
    auto energies = [&](const std::vector<Sample> &samples, const std::vector<double> &ys) {
        std::vector<double> g(samples.size());
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const TernaryPhase &m = m_phases[static_cast<std::size_t>(samples[i].phase)];
            g[i] = m.gibbs(params[static_cast<std::size_t>(samples[i].phase)], ys.data() + samples[i].y) / samples[i].atoms;
        }
        return g;
    };

    // The first hull over the whole grid; then, twice, the corners of the facets that matter
    // (those the line crosses and every tie line or triangle) with finer samples around the
    // corners of the tie lines and triangles the line crosses, a quarter of the step finer each
    // time. Points off one hull cannot be on the next, and the facets kept stay facets.
    struct Piece {
        double lo, hi;
        std::vector<TernaryState> states;
    };
    auto crossing = [&](const std::vector<Sample> &samples, const Facet &f) {
        return lineCrossing(line, samples[f.corners[0]].x, samples[f.corners[1]].x, samples[f.corners[2]].x);
    };

    std::vector<Sample> samples = m_samples;
    std::vector<double> ys = m_y;
    const std::vector<double> gridEnergies = energies(samples, ys);
    std::vector<double> g = gridEnergies;
    std::vector<Facet> facets = lowerHull(samples, g, T);
    for (int level = 1; level <= kLevels; ++level) {
        std::set<std::size_t> kept, refined;
        std::vector<const Facet *> crossedFacets;
        for (const Facet &f : facets) {
            const auto [lo, hi] = crossing(samples, f);
            const bool crossed = hi - lo > 1e-12;
            const bool tie = statesOf({samples, ys, g, params}, f).size() > 1;
            if (crossed)
                crossedFacets.push_back(&f);
            if (!crossed && !tie)
                continue;
            for (std::size_t c : f.corners) {
                kept.insert(c);
                if (tie && crossed)
                    refined.insert(c);
            }
        }
        // A phase missing from a crossed facet whose best sample under it lies barely above it
        // may be stable between the grid's states (a liquid appearing at an invariant): its
        // best sample is kept and refined too.
        for (const std::size_t c : nearlyStable(samples, g, crossedFacets, T)) {
            kept.insert(c);
            refined.insert(c);
        }
        std::vector<Sample> next;
        std::vector<double> nextYs;
        for (std::size_t c : kept) {
            const Sample &s = samples[c];
            Sample copy = s;
            copy.y = nextYs.size();
            const auto from = ys.begin() + static_cast<long>(s.y);
            nextYs.insert(nextYs.end(), from, from + m_phases[static_cast<std::size_t>(s.phase)].siteFractions());
            next.push_back(copy);
        }
        const double fineness = std::pow(kFiner, -level);
        for (std::size_t c : refined)
            refineAround(samples[c], ys, fineness, next, nextYs);
        // A short line inside one facet of a single phase, with no tie line anywhere (a
        // composition in the liquid at a high temperature): nothing to refine, and too few
        // points for a hull.
        if (next.size() < 4)
            break;
        samples = std::move(next);
        ys = std::move(nextYs);
        g = energies(samples, ys);
        facets = lowerHull(samples, g, T);
    }

    std::vector<Piece> pieces;
    SectionIsotherm out;
    out.T = T;
    for (const Facet &f : facets) {
        const auto [lo, hi] = crossing(samples, f);
        if (hi - lo <= 1e-12)
            continue;
        pieces.push_back({lo, hi, statesOf({samples, ys, g, params}, f)});
        // The phases at an end of the line: those of the corners that take part there (an end on
        // an edge of the triangle is in equilibrium with states of that edge only).
        for (const double end : {0.0, 1.0}) {
            if (std::fabs((end == 0 ? lo : hi) - end) > 1e-12)
                continue;
            const Composition p = line.at(end);
            const Composition &a = samples[f.corners[0]].x, &b = samples[f.corners[1]].x, &c = samples[f.corners[2]].x;
            const double total = (b[1] - a[1]) * (c[2] - a[2]) - (b[2] - a[2]) * (c[1] - a[1]);
            const double wa = ((b[1] - p[1]) * (c[2] - p[2]) - (b[2] - p[2]) * (c[1] - p[1])) / total;
            const double wb = ((c[1] - p[1]) * (a[2] - p[2]) - (c[2] - p[2]) * (a[1] - p[1])) / total;
            const double w[3] = {wa, wb, 1 - wa - wb};
            Facet part = f;
            std::vector<int> phases;
            std::vector<TernaryState> all = statesOf({samples, ys, g, params}, f);
            for (const TernaryState &st : all) {
                double weight = 0;
                for (std::size_t i = 0; i < 3; ++i) {
                    const Sample &s = samples[part.corners[i]];
                    double d = 0;
                    for (std::size_t e = 0; e < 3; ++e)
                        d = std::max(d, std::fabs(s.x[e] - st.x[e]));
                    if (s.phase == st.phase && d < kSameState)
                        weight += w[i];
                }
                if (weight > 1e-9)
                    phases.push_back(st.phase);
            }
            (end == 0 ? out.startPhases : out.endPhases) = phases;
        }
    }
    std::sort(pieces.begin(), pieces.end(), [](const Piece &a, const Piece &b) { return a.lo < b.lo; });

    std::vector<double> widest;
    for (const Piece &p : pieces) {
        std::vector<int> phases;
        for (const TernaryState &s : p.states)
            phases.push_back(s.phase);
        if (!out.fields.empty() && out.fields.back().phases == phases) {
            SectionField &f = out.fields.back();
            f.sRight = std::max(f.sRight, p.hi);
            if (p.hi - p.lo > widest.back()) {
                widest.back() = p.hi - p.lo;
                f.states = p.states;
            }
            continue;
        }
        SectionField f;
        f.phases = phases;
        f.sLeft = out.fields.empty() ? 0.0 : out.fields.back().sRight;
        f.sRight = p.hi;
        f.states = p.states;
        out.fields.push_back(f);
        widest.push_back(p.hi - p.lo);
    }
    tidyFields(out);
    // The exact boundaries of single-phase fields of substitutional solutions.
    const std::vector<std::pair<const std::vector<Sample> *, const std::vector<double> *>> sets{
        {&m_samples, &gridEnergies}, {&samples, &g}};
    settleSolutionBoundaries(
        out, [&](const SectionField &f) { return f.phases.size() == 1 && substitutional(f.phases[0]) ? f.phases[0] : -1; },
        [&](int phase, double s) { return aloneStable(phase, line.at(s), params, sets); });
    return out;
}

std::vector<std::size_t> TernarySystem::nearlyStable(const std::vector<Sample> &samples, const std::vector<double> &g,
                                                     const std::vector<const Facet *> &facets, double T) const
{
    std::vector<std::size_t> out;
    const double limit = kNearlyStable * kParameterFileGasConstant * T;
    for (const Facet *f : facets) {
        const Sample &a = samples[f->corners[0]], &b = samples[f->corners[1]], &c = samples[f->corners[2]];
        const double det = (b.x[1] - a.x[1]) * (c.x[2] - a.x[2]) - (b.x[2] - a.x[2]) * (c.x[1] - a.x[1]);
        if (std::fabs(det) < 1e-18)
            continue;
        std::vector<double> best(m_phases.size(), limit);
        std::vector<std::size_t> which(m_phases.size(), samples.size());
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const Sample &s = samples[i];
            if (s.phase == a.phase || s.phase == b.phase || s.phase == c.phase)
                continue;
            // Barycentric weights of the sample's composition in the facet.
            const double dx = s.x[1] - a.x[1], dy = s.x[2] - a.x[2];
            const double wb = (dx * (c.x[2] - a.x[2]) - dy * (c.x[1] - a.x[1])) / det;
            const double wc = ((b.x[1] - a.x[1]) * dy - (b.x[2] - a.x[2]) * dx) / det;
            const double wa = 1 - wb - wc;
            if (wa < 0 || wb < 0 || wc < 0)
                continue;
            const double height = g[i] - (wa * g[f->corners[0]] + wb * g[f->corners[1]] + wc * g[f->corners[2]]);
            const std::size_t p = static_cast<std::size_t>(s.phase);
            if (height < best[p]) {
                best[p] = height;
                which[p] = i;
            }
        }
        for (std::size_t i : which)
            if (i < samples.size())
                out.push_back(i);
    }
    return out;
}

bool TernarySystem::substitutional(int phase) const
{
    const TernaryPhase &m = m_phases[static_cast<std::size_t>(phase)];
    int withAtoms = 0;
    for (int s = 0; s < m.sublattices(); ++s) {
        const auto &c = m.constituents(s);
        const bool vacancies = std::find(c.begin(), c.end(), TernaryPhase::kVacancy) != c.end();
        if (vacancies && c.size() > 1)
            return false;
        withAtoms += vacancies ? 0 : 1;
    }
    return withAtoms == 1;
}

bool TernarySystem::aloneStable(int phase, const Composition &p, const std::vector<TernaryPhase::AtT> &params,
                                const std::vector<std::pair<const std::vector<Sample> *, const std::vector<double> *>> &sets) const
{
    const TernaryPhase &m = m_phases[static_cast<std::size_t>(phase)];
    const auto &at = params[static_cast<std::size_t>(phase)];
    for (std::size_t e = 0; e < 3; ++e)
        if (p[e] > 1e-12 && !m.holds(static_cast<int>(e)))
            return false;
    // The state of composition x: the element sublattice's fractions are the mole fractions.
    std::vector<double> y(static_cast<std::size_t>(m.siteFractions()), 1.0);
    auto energy = [&](double x1, double x2) {
        const Composition x{1 - x1 - x2, x1, x2};
        int offset = 0;
        for (int s = 0; s < m.sublattices(); ++s) {
            const auto &c = m.constituents(s);
            for (std::size_t i = 0; i < c.size(); ++i)
                y[static_cast<std::size_t>(offset) + i] = c[i] == TernaryPhase::kVacancy ? 1.0 : x[static_cast<std::size_t>(c[i])];
            offset += static_cast<int>(c.size());
        }
        return m.gibbsPerAtom(at, y.data());
    };
    // Slopes by differences that stay inside the triangle.
    const double h = 1e-7;
    auto slope = [&](int k) {
        const double x1 = p[1], x2 = p[2];
        const double up = k == 1 ? std::min(h, p[0]) : std::min(h, p[0]);
        const double down = k == 1 ? std::min(h, x1) : std::min(h, x2);
        const double step = up + down;
        if (step <= 0)
            return 0.0;
        const double gUp = k == 1 ? energy(x1 + up, x2) : energy(x1, x2 + up);
        const double gDown = k == 1 ? energy(x1 - down, x2) : energy(x1, x2 - down);
        return (gUp - gDown) / step;
    };
    const double g0 = energy(p[1], p[2]), d1 = slope(1), d2 = slope(2);
    const double tolerance = 1e-6 * kParameterFileGasConstant * at.T;
    for (const auto &[samples, energies] : sets)
        for (std::size_t i = 0; i < samples->size(); ++i) {
            const Composition &x = (*samples)[i].x;
            if ((*energies)[i] < g0 + d1 * (x[1] - p[1]) + d2 * (x[2] - p[2]) - tolerance)
                return false;
        }
    return true;
}

} // namespace korvel::thermo::phase
