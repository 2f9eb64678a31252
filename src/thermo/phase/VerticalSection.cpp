#include "VerticalSection.h"

#include "TemperatureScan.h"

#include <algorithm>
#include <cmath>

namespace korvel::thermo::phase {

namespace {

constexpr double kSameField = 0.01; // fields of the same phases whose ends move less than this are one field
constexpr double kSameState = 0.04; // states of one phase closer than this (mole fraction) are one state

// Signed area of the triangle abc in the (x_B, x_C) plane.
double area(const Composition &a, const Composition &b, const Composition &c)
{
    return (b[1] - a[1]) * (c[2] - a[2]) - (b[2] - a[2]) * (c[1] - a[1]);
}

bool inside(const Composition &p, const Composition &a, const Composition &b, const Composition &c)
{
    const double d1 = area(a, b, p), d2 = area(b, c, p), d3 = area(c, a, p);
    return (d1 > 0 && d2 > 0 && d3 > 0) || (d1 < 0 && d2 < 0 && d3 < 0);
}

struct Changed {
    TernaryState state;
    int side = 0; // 1 found above the change, 2 below, 3 both
};

// The states of the three-phase fields found on one side of a change only, merged into states.
std::vector<Changed> changedStates(const SectionIsotherm &above, const SectionIsotherm &below, double &sMin,
                                   double &sMax, std::vector<std::vector<int>> &aboveTriangles)
{
    auto matched = [](const SectionField &f, const SectionIsotherm &other) {
        return std::any_of(other.fields.begin(), other.fields.end(), [&](const SectionField &o) {
            return o.phases == f.phases && std::fabs(o.sLeft - f.sLeft) < kSameField &&
                   std::fabs(o.sRight - f.sRight) < kSameField;
        });
    };
    std::vector<Changed> states;
    auto add = [&](const TernaryState &st, int side) -> int {
        for (std::size_t i = 0; i < states.size(); ++i) {
            if (states[i].state.phase != st.phase)
                continue;
            double d = 0;
            for (std::size_t e = 0; e < 3; ++e)
                d = std::max(d, std::fabs(states[i].state.x[e] - st.x[e]));
            if (d < kSameState) {
                states[i].side |= side;
                return static_cast<int>(i);
            }
        }
        states.push_back({st, side});
        return static_cast<int>(states.size() - 1);
    };
    sMin = 1;
    sMax = 0;
    for (int side = 1; side <= 2; ++side) {
        const SectionIsotherm &mine = side == 1 ? above : below;
        const SectionIsotherm &other = side == 1 ? below : above;
        for (const SectionField &f : mine.fields) {
            if (matched(f, other))
                continue;
            sMin = std::min(sMin, f.sLeft);
            sMax = std::max(sMax, f.sRight);
            if (f.states.size() != 3)
                continue;
            std::vector<int> triangle;
            for (const TernaryState &st : f.states)
                triangle.push_back(add(st, side));
            if (side == 1)
                aboveTriangles.push_back(triangle);
        }
    }
    return states;
}

std::string stateName(const std::vector<std::string> &names, const TernaryState &s)
{
    return names[static_cast<std::size_t>(s.phase)];
}

bool isLiquid(const std::vector<std::string> &names, int phase)
{
    return names[static_cast<std::size_t>(phase)].rfind("LIQ", 0) == 0;
}

// Kind and reaction (on cooling) of a four-state change.
void classify(SectionInvariant &inv, const std::vector<Changed> &states, const std::vector<std::vector<int>> &aboveTriangles,
              const std::vector<std::string> &names)
{
    auto join = [&](const std::vector<int> &which) {
        std::string s;
        for (int i : which)
            s += (s.empty() ? "" : " + ") + stateName(names, states[static_cast<std::size_t>(i)].state);
        return s;
    };
    // Three states on one line: a reaction of a binary edge (all three of fixed or edge-bound
    // composition) that the adjoining fields follow, not a ternary one.
    for (int skip = 0; skip < 4; ++skip) {
        std::vector<int> t;
        for (int j = 0; j < 4; ++j)
            if (j != skip)
                t.push_back(j);
        const auto &x = [&](int k) -> const Composition & { return states[static_cast<std::size_t>(k)].state.x; };
        if (std::fabs(area(x(t[0]), x(t[1]), x(t[2]))) > 1e-9)
            continue;
        std::sort(t.begin(), t.end(), [&](int l, int r) { return x(l)[1] < x(r)[1] || (x(l)[1] == x(r)[1] && x(l)[2] < x(r)[2]); });
        const int middle = t[1];
        inv.kind = "binary edge invariant";
        const int side = states[static_cast<std::size_t>(middle)].side;
        inv.reaction = side == 2 ? join({t[0], t[2]}) + " -> " + join({middle})
                     : side == 1 ? join({middle}) + " -> " + join({t[0], t[2]})
                                 : join(t);
        return;
    }
    for (int i = 0; i < 4; ++i) {
        std::vector<int> others;
        for (int j = 0; j < 4; ++j)
            if (j != i)
                others.push_back(j);
        const auto &x = [&](int k) -> const Composition & { return states[static_cast<std::size_t>(k)].state.x; };
        if (!inside(x(i), x(others[0]), x(others[1]), x(others[2])))
            continue;
        const bool liquid = isLiquid(names, states[static_cast<std::size_t>(i)].state.phase);
        if (states[static_cast<std::size_t>(i)].side == 1) { // the inner state decomposes on cooling
            inv.kind = liquid ? "ternary eutectic" : "ternary eutectoid";
            inv.reaction = join({i}) + " -> " + join(others);
        } else if (states[static_cast<std::size_t>(i)].side == 2) { // forms on cooling
            inv.kind = liquid ? "ternary syntectic" : "ternary peritectic";
            inv.reaction = join(others) + " -> " + join({i});
        } else {
            inv.kind = "invariant";
        }
        return;
    }
    // A quadrilateral: the diagonal found above reacts to the one found below.
    inv.kind = "transition";
    inv.reaction.clear();
    for (const auto &t : aboveTriangles)
        for (int a = 0; a < 3; ++a) {
            const int p = t[static_cast<std::size_t>(a)], q = t[static_cast<std::size_t>((a + 1) % 3)];
            std::vector<int> rest;
            for (int k = 0; k < 4; ++k)
                if (k != p && k != q)
                    rest.push_back(k);
            const auto &x = [&](int k) -> const Composition & { return states[static_cast<std::size_t>(k)].state.x; };
            // p-q is a diagonal when the other two lie on opposite sides of it.
            if (area(x(p), x(q), x(rest[0])) * area(x(p), x(q), x(rest[1])) < 0) {
                std::vector<int> left{p, q};
                std::sort(left.begin(), left.end(), [&](int l, int r) {
                    return isLiquid(names, states[static_cast<std::size_t>(l)].state.phase) >
                           isLiquid(names, states[static_cast<std::size_t>(r)].state.phase);
                });
                inv.reaction = join(left) + " -> " + join(rest);
                return;
            }
        }
    // No triangle above that shows the diagonal (the section crosses the plane elsewhere).
    inv.kind = "four-phase invariant";
    inv.reaction = join({0, 1, 2, 3});
}

// More than four states: a compound of fixed composition changing into another form (found
// above only and below only at the same composition) across several three-phase fields.
void polymorphic(SectionInvariant &inv, const std::vector<Changed> &states, const std::vector<std::string> &names)
{
    inv.kind = "invariant";
    for (const Changed &hi : states)
        for (const Changed &lo : states) {
            if (hi.side != 1 || lo.side != 2 || hi.state.phase == lo.state.phase)
                continue;
            double d = 0;
            for (std::size_t e = 0; e < 3; ++e)
                d = std::max(d, std::fabs(hi.state.x[e] - lo.state.x[e]));
            if (d < 1e-3) {
                inv.kind = "polymorphic transformation";
                inv.reaction = stateName(names, hi.state) + " -> " + stateName(names, lo.state);
                return;
            }
        }
}

} // namespace

VerticalSection computeSection(const TernarySystem &system, const SectionLine &line, const SectionOptions &options)
{
    VerticalSection d;
    d.elements = system.elements();
    d.line = line;
    d.phaseNames = system.phaseNames();
    d.tMin = options.tMin;
    d.tMax = options.tMax;
    const auto &names = d.phaseNames;
    if (d.tMax <= 0) {
        d.tMax = std::ceil((d.tMin + 100) / 50.0) * 50.0;
        while (d.tMax < 4000) {
            const SectionIsotherm s = system.isotherm(line, d.tMax);
            if (s.fields.size() == 1 && s.fields[0].phases == std::vector<int>{system.liquid()})
                break;
            d.tMax += 50;
        }
    }

    TemperatureScan<SectionIsotherm> scan([&](double T) { return system.isotherm(line, T); },
                                          [&](const SectionIsotherm &s) { return s.signature(names); });
    scan.run(d.tMin, d.tMax, options.steps, options.tolerance, [&](double a, double b, TemperatureScan<SectionIsotherm> &at) {
        double sMin = 0, sMax = 0;
        std::vector<std::vector<int>> aboveTriangles;
        const auto states = changedStates(at.at(b), at.at(a), sMin, sMax, aboveTriangles);
        if (states.size() >= 4) {
            SectionInvariant inv;
            inv.T = 0.5 * (a + b);
            for (const Changed &c : states)
                inv.states.push_back(c.state);
            inv.sMin = sMin;
            inv.sMax = sMax;
            if (states.size() == 4)
                classify(inv, states, aboveTriangles, names);
            else
                polymorphic(inv, states, names);
            std::sort(inv.states.begin(), inv.states.end(),
                      [](const TernaryState &l, const TernaryState &r) { return l.phase < r.phase; });
            d.invariants.push_back(inv);
        } else {
            // The stretches over which the field differs just below and just above.
            const SectionIsotherm &below = at.at(a), &above = at.at(b);
            constexpr int kProbes = 2000;
            double runStart = -1;
            for (int i = 0; i <= kProbes + 1; ++i) {
                const double s = std::min(1.0, (i + 0.5) / kProbes);
                const SectionField *lo = below.fieldAt(s), *hi = above.fieldAt(s);
                const bool differs = i <= kProbes && lo && hi && lo->phases != hi->phases;
                if (differs && runStart < 0)
                    runStart = std::max(0.0, s - 0.5 / kProbes);
                if (!differs && runStart >= 0) {
                    d.changes.push_back({0.5 * (a + b), runStart, std::min(1.0, s - 0.5 / kProbes)});
                    runStart = -1;
                }
            }
        }
    });
    for (const auto &[T, s] : scan.states())
        d.isotherms.push_back(s);
    std::sort(d.invariants.begin(), d.invariants.end(), [](const auto &l, const auto &r) { return l.T < r.T; });
    return d;
}

double solidusAt(const TernarySystem &system, const SectionLine &line, double s, double tLow, double tHigh)
{
    auto liquidAt = [&](double T) {
        const SectionIsotherm iso = system.isotherm(line, T);
        const std::vector<int> *phases = s == 0 ? &iso.startPhases : s == 1 ? &iso.endPhases : nullptr;
        if (!phases) {
            const SectionField *f = iso.fieldAt(s);
            phases = f ? &f->phases : nullptr;
        }
        return phases && std::find(phases->begin(), phases->end(), system.liquid()) != phases->end();
    };
    if (liquidAt(tLow) || !liquidAt(tHigh))
        return 0;
    while (tHigh - tLow > 0.005) {
        const double mid = 0.5 * (tLow + tHigh);
        (liquidAt(mid) ? tHigh : tLow) = mid;
    }
    return 0.5 * (tLow + tHigh);
}

} // namespace korvel::thermo::phase
