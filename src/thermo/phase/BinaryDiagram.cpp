#include "BinaryDiagram.h"

#include "TemperatureScan.h"

#include <algorithm>
#include <cmath>

namespace korvel::thermo::phase {

namespace {

constexpr double kSameState = 0.02; // mole fraction within which two tie-line ends are one state

// The states taking part in a change: the ends of the tie lines found on one side of it only
// (two tie lines are the same when they join the same phases at compositions within
// kSameState), merged into states; the flag says where each state is found (1 above, 2 below).
std::vector<std::pair<PhaseState, int>> changedStates(const Section &above, const Section &below)
{
    auto tieLines = [](const Section &s) {
        std::vector<Region> lines;
        for (const Region &r : s.regions)
            if (r.twoPhase)
                lines.push_back(r);
        return lines;
    };
    const auto a = tieLines(above), b = tieLines(below);
    auto matched = [](const Region &r, const std::vector<Region> &others) {
        return std::any_of(others.begin(), others.end(), [&](const Region &o) {
            return o.left == r.left && o.right == r.right && std::fabs(o.xLeft - r.xLeft) < kSameState &&
                   std::fabs(o.xRight - r.xRight) < kSameState;
        });
    };
    std::vector<std::pair<PhaseState, int>> states;
    auto add = [&](const PhaseState &st, int side) {
        auto it = std::find_if(states.begin(), states.end(), [&](const auto &known) {
            return known.first.phase == st.phase && std::fabs(known.first.x - st.x) < kSameState;
        });
        if (it == states.end())
            states.push_back({st, side});
        else
            it->second |= side;
    };
    for (const Region &r : a)
        if (!matched(r, b)) {
            add({r.left, r.xLeft}, 1);
            add({r.right, r.xRight}, 1);
        }
    for (const Region &r : b)
        if (!matched(r, a)) {
            add({r.left, r.xLeft}, 2);
            add({r.right, r.xRight}, 2);
        }
    std::sort(states.begin(), states.end(), [](const auto &l, const auto &r) { return l.first.x < r.first.x; });
    return states;
}

bool isLiquid(const std::vector<std::string> &names, int phase)
{
    return names[static_cast<std::size_t>(phase)].rfind("LIQ", 0) == 0;
}

std::string kindOf(const std::vector<std::pair<PhaseState, int>> &states, const std::vector<std::string> &names)
{
    if (states.size() != 3)
        return "invariant";
    const auto &middle = states[1];
    const bool endLiquid = isLiquid(names, states[0].first.phase) || isLiquid(names, states[2].first.phase);
    const bool bothEndsLiquid = isLiquid(names, states[0].first.phase) && isLiquid(names, states[2].first.phase);
    if (middle.second == 1) // stable only above: decomposes on cooling
        return isLiquid(names, middle.first.phase) ? (endLiquid ? "monotectic" : "eutectic")
                                                   : (endLiquid ? "metatectic" : "eutectoid");
    if (middle.second == 2) // forms on cooling
        return bothEndsLiquid ? "syntectic" : endLiquid ? "peritectic" : "peritectoid";
    return "invariant";
}

} // namespace

double meltingPoint(const BinarySystem &system, bool secondElement)
{
    const int liquid = system.liquid();
    if (liquid < 0)
        return 0;
    const double x = secondElement ? 1.0 : 0.0;
    auto solidMinusLiquid = [&](double T) {
        double solid = 1e300;
        for (int p = 0; p < static_cast<int>(system.phases().size()); ++p)
            if (p != liquid)
                solid = std::min(solid, system.phaseGibbs(p, x, T));
        return solid - system.phaseGibbs(liquid, x, T);
    };
    double lo = 200, hi = 4000;
    if (solidMinusLiquid(lo) > 0 || solidMinusLiquid(hi) < 0)
        return 0;
    while (hi - lo > 1e-4) {
        const double mid = 0.5 * (lo + hi);
        (solidMinusLiquid(mid) < 0 ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

BinaryDiagram computeDiagram(const BinarySystem &system, const DiagramOptions &options)
{
    BinaryDiagram d;
    d.first = system.first();
    d.second = system.second();
    d.phaseNames = system.phaseNames();
    d.tMin = options.tMin;
    d.tMax = options.tMax;
    const auto &names = d.phaseNames;
    if (d.tMax <= 0) {
        const double top = std::max(meltingPoint(system, false), meltingPoint(system, true));
        d.tMax = std::ceil((top + 0.08 * top) / 50.0) * 50.0;
        // Up to where the whole range is liquid.
        while (d.tMax < 4000) {
            const Section s = system.equilibrium(d.tMax);
            if (s.regions.size() == 1 && s.regions[0].left == system.liquid())
                break;
            d.tMax += 50;
        }
    }

    TemperatureScan<Section> scan([&](double T) { return system.equilibrium(T); },
                                  [&](const Section &s) { return s.signature(names); });
    scan.run(d.tMin, d.tMax, options.steps, options.tolerance, [&](double a, double b, TemperatureScan<Section> &at) {
        const Section &below = at.at(a), &above = at.at(b);
        const auto states = changedStates(above, below);
        const double T = 0.5 * (a + b);
        if (states.size() >= 3) {
            Invariant inv;
            inv.T = T;
            for (const auto &s : states)
                inv.states.push_back(s.first);
            inv.kind = kindOf(states, names);
            d.invariants.push_back(inv);
        } else if (!states.empty()) {
            Transformation t;
            t.T = T;
            for (const auto &s : states)
                t.states.push_back(s.first);
            d.transformations.push_back(t);
        }
    });
    for (const auto &[T, s] : scan.states())
        d.sections.push_back(s);
    std::sort(d.invariants.begin(), d.invariants.end(), [](const auto &l, const auto &r) { return l.T < r.T; });
    std::sort(d.transformations.begin(), d.transformations.end(), [](const auto &l, const auto &r) { return l.T < r.T; });
    return d;
}

} // namespace korvel::thermo::phase
