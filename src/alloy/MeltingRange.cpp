#include "MeltingRange.h"

#include "phase/Equilibrium.h"
#include "phase/TernaryEquilibrium.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <memory>

namespace korvel::alloy {

namespace {

std::string upper(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The stable phases at the alloy's composition, as indices into names(), sorted.
class Equilibria {
public:
    virtual ~Equilibria() = default;
    virtual std::vector<int> phasesAt(double T) const = 0;
    virtual int liquid() const = 0;
    virtual std::vector<std::string> names() const = 0;
};

class BinaryEquilibria : public Equilibria {
public:
    BinaryEquilibria(const ParameterFile &f, const Composition &alloy)
        : m_system(*f.database, upper(alloy.elements[0]), upper(alloy.elements[1]),
                   f.idealUnassessed ? thermo::phase::BinarySystem::Unassessed::Ideal
                                     : thermo::phase::BinarySystem::Unassessed::PureForms),
          m_x(alloy.moleFractions[1])
    {
    }
    std::vector<int> phasesAt(double T) const override
    {
        const thermo::phase::Section s = m_system.equilibrium(T);
        for (const thermo::phase::Region &r : s.regions)
            if (r.xLeft - 1e-12 <= m_x && m_x <= r.xRight + 1e-12) {
                std::vector<int> p{r.left, r.right};
                if (!r.twoPhase)
                    p.pop_back();
                std::sort(p.begin(), p.end());
                return p;
            }
        return {};
    }
    int liquid() const override { return m_system.liquid(); }
    std::vector<std::string> names() const override { return m_system.phaseNames(); }

private:
    thermo::phase::BinarySystem m_system;
    double m_x;
};

class TernaryEquilibria : public Equilibria {
public:
    TernaryEquilibria(const ParameterFile &f, const Composition &alloy)
        : m_system(*f.database, {upper(alloy.elements[0]), upper(alloy.elements[1]), upper(alloy.elements[2])})
    {
        // A short line from the alloy towards the middle of the triangle: its start is the alloy.
        for (std::size_t i = 0; i < 3; ++i) {
            m_line.start[i] = alloy.moleFractions[i];
            m_line.end[i] = alloy.moleFractions[i] + 1e-4 * (1.0 / 3 - alloy.moleFractions[i]);
        }
    }
    std::vector<int> phasesAt(double T) const override
    {
        const thermo::phase::SectionIsotherm iso = m_system.isotherm(m_line, T);
        const thermo::phase::SectionField *f = iso.fieldAt(0);
        return f ? f->phases : std::vector<int>{};
    }
    int liquid() const override { return m_system.liquid(); }
    std::vector<std::string> names() const override { return m_system.phaseNames(); }

private:
    thermo::phase::TernarySystem m_system;
    thermo::phase::SectionLine m_line;
};

std::string phaseText(const std::vector<int> &phases, const std::vector<std::string> &names)
{
    std::string out;
    for (int p : phases)
        out += (out.empty() ? "" : " + ") + names[static_cast<std::size_t>(p)];
    return out;
}

} // namespace

MeltingRange computeMeltingRange(const ParameterFile *file, const Composition &alloy, const std::vector<double> &temperatures)
{
    MeltingRange out;
    out.phasesAt.assign(temperatures.size(), std::string());
    const std::size_t n = alloy.elements.size();
    auto notAssessed = [&](const std::string &why) {
        for (const char *property : {"liquidus", "solidus"})
            out.values.push_back({property, std::nullopt, "computed from the parameter file", "", "not assessed: " + why});
        return out;
    };
    if (n < 2)
        return notAssessed("a pure metal (its melting point is not computed here)");
    if (n > 3)
        return notAssessed("equilibria are computed for two or three elements only");
    if (!file)
        return notAssessed("no parameter file of the collection describes the liquid of every pair");

    std::unique_ptr<Equilibria> engine;
    if (n == 2)
        engine = std::make_unique<BinaryEquilibria>(*file, alloy);
    else if (!file->idealUnassessed)
        return notAssessed(file->file + " takes unassessed phases in their pure forms, which the ternary equilibria do not");
    else
        engine = std::make_unique<TernaryEquilibria>(*file, alloy);
    if (engine->liquid() < 0)
        return notAssessed(file->file + " has no liquid of these elements");

    std::map<double, std::vector<int>> known;
    auto at = [&](double T) -> const std::vector<int> & {
        auto it = known.find(T);
        if (it == known.end())
            it = known.emplace(T, engine->phasesAt(T)).first;
        return it->second;
    };
    const int L = engine->liquid();
    auto liquidOnly = [&](double T) { return at(T) == std::vector<int>{L}; };
    auto withLiquid = [&](double T) { const auto &p = at(T); return std::find(p.begin(), p.end(), L) != p.end(); };
    auto bisect = [&](double lo, double hi, const std::function<bool(double)> &above) {
        while (hi - lo > kMeltingTolerance) {
            const double mid = 0.5 * (lo + hi);
            (above(mid) ? hi : lo) = mid;
        }
        return 0.5 * (lo + hi);
    };
    if (!liquidOnly(kMeltingHigh) || withLiquid(kMeltingLow))
        return notAssessed("no melting range between 250 and 2500 K in " + file->file);
    const double liquidus = bisect(kMeltingLow, kMeltingHigh, liquidOnly);
    const double solidus = bisect(kMeltingLow, liquidus, withLiquid);
    const std::string source = file->file + " (" + file->caption + ")";
    out.values.push_back({"liquidus", liquidus, "computed from the parameter file", source, ""});
    out.values.push_back({"solidus", solidus, "computed from the parameter file", source, ""});
    const auto names = engine->names();
    for (std::size_t t = 0; t < temperatures.size(); ++t)
        if (temperatures[t] < liquidus)
            out.phasesAt[t] = phaseText(at(temperatures[t]), names);
    return out;
}

} // namespace korvel::alloy
