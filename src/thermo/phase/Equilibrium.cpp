#include "Equilibrium.h"
#include "SiteGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace korvel::thermo::phase {

namespace {

// Same-phase hull vertices further apart than this are two states of one phase across a gap.
constexpr double kGapX = 0.02;


double logistic(double u)
{
    return 1.0 / (1.0 + std::exp(-u));
}

double logit(double y)
{
    y = std::clamp(y, 1e-15, 1 - 1e-15);
    return std::log(y / (1 - y));
}

// Whether some parameter of the phase names both elements.
bool assessedFor(const tdb::Database &db, const std::string &phase, const std::string &a, const std::string &b)
{
    for (const tdb::Parameter *p : db.parametersOf(phase)) {
        bool hasA = false, hasB = false;
        for (const auto &sub : p->constituents)
            for (const std::string &c : sub) {
                hasA = hasA || c == a;
                hasB = hasB || c == b;
            }
        if (hasA && hasB)
            return true;
    }
    return false;
}

} // namespace

std::string Section::signature(const std::vector<std::string> &names) const
{
    std::string s;
    for (const Region &r : regions) {
        if (!s.empty())
            s += '|';
        s += names[static_cast<std::size_t>(r.left)];
        if (r.twoPhase)
            s += '+' + names[static_cast<std::size_t>(r.right)];
    }
    return s;
}

BinarySystem::BinarySystem(const tdb::Database &db, const std::string &a, const std::string &b,
                           Unassessed unassessed)
    : m_a(a), m_b(b)
{
    for (const tdb::Phase &p : db.phases) {
        std::string why;
        auto model = PhaseModel::build(db, p.name, a, b, &why);
        if (!model) {
            if (!why.empty())
                m_notes.push_back(why);
            continue;
        }
        if (p.name.rfind("LIQ", 0) == 0 && m_liquid < 0)
            m_liquid = static_cast<int>(m_phases.size());
        if (unassessed == Unassessed::PureForms && model->mixes() && !assessedFor(db, p.name, a, b)) {
            m_notes.push_back(p.name + ": no parameter with both " + a + " and " + b + "; only the pure forms");
            for (const std::string &only : {a, b})
                if (auto pure = PhaseModel::build(db, p.name, only == a ? a : std::string(), only == b ? b : std::string()))
                    m_phases.push_back(std::move(*pure));
            continue;
        }
        m_phases.push_back(std::move(*model));
    }
    for (std::size_t i = 0; i < m_phases.size(); ++i)
        sample(static_cast<int>(i));
    std::sort(m_samples.begin(), m_samples.end(), [](const Sample &l, const Sample &r) {
        return l.x < r.x || (l.x == r.x && (l.phase < r.phase || (l.phase == r.phase && l.point < r.point)));
    });
    for (std::size_t i = 0; i < m_samples.size(); ++i)
        if (i == 0 || m_samples[i].x != m_samples[i - 1].x)
            m_groupStart.push_back(i);
    m_groupStart.push_back(m_samples.size());
}

std::vector<std::string> BinarySystem::phaseNames() const
{
    std::vector<std::string> names;
    for (const PhaseModel &p : m_phases)
        names.push_back(p.name());
    return names;
}

void BinarySystem::sample(int phase)
{
    const PhaseModel &p = m_phases[static_cast<std::size_t>(phase)];
    const int k = p.freeVariables();
    std::vector<double> ys;
    if (k == 0) {
        ys = {};
    } else if (k == 1) {
        ys = siteGrid(1000, 40, 1e-7);
    } else {
        ys = siteGrid(90, 12, 1e-5);
    }
    std::vector<double> point(static_cast<std::size_t>(std::max(k, 1)), 0.0);
    auto &yStore = m_y.emplace_back();
    auto &atomStore = m_atoms.emplace_back();
    auto add = [&] {
        const double n = p.atoms(point.data());
        if (!(n > 1e-12))
            return;
        const int index = static_cast<int>(atomStore.size());
        atomStore.push_back(n);
        for (int v = 0; v < k; ++v)
            yStore.push_back(point[static_cast<std::size_t>(v)]);
        m_samples.push_back({phase, index, p.xB(point.data())});
    };
    if (k == 0) {
        add();
        return;
    }
    std::vector<std::size_t> idx(static_cast<std::size_t>(k), 0);
    for (;;) {
        for (int v = 0; v < k; ++v)
            point[static_cast<std::size_t>(v)] = ys[idx[static_cast<std::size_t>(v)]];
        add();
        int v = 0;
        for (; v < k; ++v) {
            if (++idx[static_cast<std::size_t>(v)] < ys.size())
                break;
            idx[static_cast<std::size_t>(v)] = 0;
        }
        if (v == k)
            break;
    }
}

Section BinarySystem::equilibrium(double T) const
{
    Section section;
    section.T = T;
    std::vector<PhaseModel::AtT> params;
    for (const PhaseModel &p : m_phases)
        params.push_back(p.at(T));

    // Lowest sample of each group of equal x.
    const std::size_t groups = m_groupStart.size() - 1;
    std::vector<double> gx(groups), gg(groups);
    std::vector<std::size_t> best(groups);
    for (std::size_t g = 0; g < groups; ++g) {
        double low = std::numeric_limits<double>::infinity();
        std::size_t arg = m_groupStart[g];
        for (std::size_t i = m_groupStart[g]; i < m_groupStart[g + 1]; ++i) {
            const Sample &s = m_samples[i];
            const PhaseModel &p = m_phases[static_cast<std::size_t>(s.phase)];
            const int k = p.freeVariables();
            const double *y = k ? &m_y[static_cast<std::size_t>(s.phase)][static_cast<std::size_t>(s.point * k)] : nullptr;
            const double value = p.gibbs(params[static_cast<std::size_t>(s.phase)], y) /
                                 m_atoms[static_cast<std::size_t>(s.phase)][static_cast<std::size_t>(s.point)];
            if (value < low) {
                low = value;
                arg = i;
            }
        }
        gx[g] = m_samples[arg].x;
        gg[g] = low;
        best[g] = arg;
    }
    if (groups == 0)
        return section;
    // Relative to the chord between the ends, for a well-conditioned hull.
    const double g0 = gg.front(), g1 = gg.back(), x0 = gx.front(), x1 = gx.back();
    for (std::size_t g = 0; g < groups; ++g)
        gg[g] -= g0 + (g1 - g0) * (gx[g] - x0) / std::max(x1 - x0, 1e-300);

    std::vector<std::size_t> hull;
    for (std::size_t g = 0; g < groups; ++g) {
        while (hull.size() >= 2) {
            const std::size_t a = hull[hull.size() - 2], b = hull.back();
            const double cross = (gx[b] - gx[a]) * (gg[g] - gg[a]) - (gg[b] - gg[a]) * (gx[g] - gx[a]);
            if (cross <= 0)
                hull.pop_back();
            else
                break;
        }
        hull.push_back(g);
    }

    auto phaseOf = [&](std::size_t g) { return m_samples[best[g]].phase; };
    std::vector<std::pair<std::size_t, std::size_t>> ends; // samples at the ends of each tie line
    Region current{phaseOf(hull[0]), phaseOf(hull[0]), gx[hull[0]], gx[hull[0]], false};
    for (std::size_t i = 0; i + 1 < hull.size(); ++i) {
        const std::size_t a = hull[i], b = hull[i + 1];
        const bool same = phaseOf(a) == phaseOf(b);
        if (same && gx[b] - gx[a] < kGapX) {
            current.xRight = gx[b];
            continue;
        }
        current.xRight = gx[a];
        section.regions.push_back(current);
        section.regions.push_back({phaseOf(a), phaseOf(b), gx[a], gx[b], true});
        ends.emplace_back(best[a], best[b]);
        current = {phaseOf(b), phaseOf(b), gx[b], gx[b], false};
    }
    section.regions.push_back(current);
    refine(section, params, ends);
    return section;
}

double BinarySystem::phaseGibbs(int phase, double x, double T) const
{
    const PhaseModel &p = m_phases[static_cast<std::size_t>(phase)];
    const PhaseModel::AtT params = p.at(T);
    const int k = p.freeVariables();
    double low = std::numeric_limits<double>::infinity();
    const auto &ys = m_y[static_cast<std::size_t>(phase)];
    const auto &atoms = m_atoms[static_cast<std::size_t>(phase)];
    for (const Sample &s : m_samples) {
        if (s.phase != phase || std::fabs(s.x - x) > 1e-9)
            continue;
        const double *y = k ? &ys[static_cast<std::size_t>(s.point * k)] : nullptr;
        low = std::min(low, p.gibbs(params, y) / atoms[static_cast<std::size_t>(s.point)]);
    }
    return low;
}

// Newton steps on the common tangent of the two phases of a tie line, over the internal
// variables of both (at most two each), in logit coordinates u = ln(y / (1 − y)) so that dilute
// states stay inside (0, 1). With s the slope of the chord between the two states, every
// derivative ∂(G − s·x)/∂u vanishes at the common tangent (G per mole of atoms).
void BinarySystem::refine(Section &s, const std::vector<PhaseModel::AtT> &params,
                          const std::vector<std::pair<std::size_t, std::size_t>> &ends) const
{
    struct Side {
        const PhaseModel *p = nullptr;
        const PhaseModel::AtT *at = nullptr;
        int k = 0;
        double u[2] = {0, 0};
        void y(double *out, int var, double du) const
        {
            for (int i = 0; i < k; ++i)
                out[i] = logistic(u[i] + (i == var ? du : 0.0));
        }
        double x(int var = -1, double du = 0) const
        {
            double v[2];
            y(v, var, du);
            return p->xB(k ? v : nullptr);
        }
        double g(int var = -1, double du = 0) const
        {
            double v[2];
            y(v, var, du);
            return p->gibbsPerAtom(*at, k ? v : nullptr);
        }
    };
    constexpr double h = 1e-4, e = 1e-5;
    auto residuals = [&](const Side (&sides)[2], double *r) {
        const double slope = (sides[1].g() - sides[0].g()) / (sides[1].x() - sides[0].x());
        int n = 0;
        for (const Side &side : sides)
            for (int v = 0; v < side.k; ++v) {
                const double dg = (side.g(v, h) - side.g(v, -h)) / (2 * h);
                const double dx = (side.x(v, h) - side.x(v, -h)) / (2 * h);
                r[n++] = dg - slope * dx;
            }
        return n;
    };

    std::size_t tie = 0;
    for (std::size_t i = 0; i < s.regions.size(); ++i) {
        Region &r = s.regions[i];
        if (!r.twoPhase)
            continue;
        const auto [leftSample, rightSample] = ends[tie++];
        Side sides[2];
        const Sample *samples[2] = {&m_samples[leftSample], &m_samples[rightSample]};
        for (int j = 0; j < 2; ++j) {
            const int phase = samples[j]->phase;
            sides[j].p = &m_phases[static_cast<std::size_t>(phase)];
            sides[j].at = &params[static_cast<std::size_t>(phase)];
            sides[j].k = sides[j].p->freeVariables();
            for (int v = 0; v < sides[j].k; ++v)
                sides[j].u[v] = logit(m_y[static_cast<std::size_t>(phase)]
                                         [static_cast<std::size_t>(samples[j]->point * sides[j].k + v)]);
        }
        const int n = sides[0].k + sides[1].k;
        if (n == 0 || sides[0].k > 2 || sides[1].k > 2)
            continue;
        bool ok = false;
        for (int it = 0; it < 40 && !ok; ++it) {
            double r0[4];
            residuals(sides, r0);
            double norm = 0;
            for (int a = 0; a < n; ++a)
                norm = std::max(norm, std::fabs(r0[a]));
            if (norm < 1e-7) {
                ok = true;
                break;
            }
            // Numerical Jacobian, column by column.
            double jac[4][5];
            int col = 0;
            for (int j = 0; j < 2; ++j)
                for (int v = 0; v < sides[j].k; ++v, ++col) {
                    Side moved[2] = {sides[0], sides[1]};
                    moved[j].u[v] += e;
                    double r1[4];
                    residuals(moved, r1);
                    for (int a = 0; a < n; ++a)
                        jac[a][col] = (r1[a] - r0[a]) / e;
                }
            for (int a = 0; a < n; ++a)
                jac[a][n] = r0[a];
            // Gaussian elimination with partial pivoting.
            bool singular = false;
            for (int c = 0; c < n && !singular; ++c) {
                int pivot = c;
                for (int a = c + 1; a < n; ++a)
                    if (std::fabs(jac[a][c]) > std::fabs(jac[pivot][c]))
                        pivot = a;
                if (!(std::fabs(jac[pivot][c]) > 0)) {
                    singular = true;
                    break;
                }
                for (int b = 0; b <= n; ++b)
                    std::swap(jac[c][b], jac[pivot][b]);
                for (int a = c + 1; a < n; ++a) {
                    const double f = jac[a][c] / jac[c][c];
                    for (int b = c; b <= n; ++b)
                        jac[a][b] -= f * jac[c][b];
                }
            }
            if (singular)
                break;
            double step[4];
            for (int a = n - 1; a >= 0; --a) {
                double v = jac[a][n];
                for (int b = a + 1; b < n; ++b)
                    v -= jac[a][b] * step[b];
                step[a] = v / jac[a][a];
            }
            double size = 0;
            col = 0;
            for (int j = 0; j < 2; ++j)
                for (int v = 0; v < sides[j].k; ++v, ++col) {
                    const double du = std::clamp(step[col], -2.0, 2.0);
                    sides[j].u[v] -= du;
                    size = std::max(size, std::fabs(du));
                }
            ok = size < 1e-12;
        }
        const double xl = sides[0].x(), xr = sides[1].x();
        if (!ok || !(xl < xr) || std::fabs(xl - r.xLeft) > kGapX || std::fabs(xr - r.xRight) > kGapX)
            continue;
        r.xLeft = xl;
        r.xRight = xr;
        if (i > 0 && !s.regions[i - 1].twoPhase)
            s.regions[i - 1].xRight = xl;
        if (i + 1 < s.regions.size() && !s.regions[i + 1].twoPhase)
            s.regions[i + 1].xLeft = xr;
    }
    // A field narrower than the grid between two refined tie lines: one composition.
    for (std::size_t i = 0; i < s.regions.size(); ++i) {
        Region &r = s.regions[i];
        if (r.twoPhase || r.xLeft <= r.xRight)
            continue;
        const double x = 0.5 * (r.xLeft + r.xRight);
        r.xLeft = r.xRight = x;
        if (i > 0)
            s.regions[i - 1].xRight = x;
        if (i + 1 < s.regions.size())
            s.regions[i + 1].xLeft = x;
    }
}

} // namespace korvel::thermo::phase
