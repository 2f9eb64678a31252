#include "AlloyCalculator.h"

#include "DatabaseMethods.h"
#include "LiquidMixture.h"
#include "MeltingRange.h"

#include "Butler.h"
#include "GasConstant.h"
#include "phase/DiagramSet.h"
#include "phase/Text.h"

#include <algorithm>
#include <cstdio>
#include <array>
#include <cctype>
#include <cmath>
#include <map>
#include <numeric>
#include <set>

namespace korvel::alloy {

namespace {

constexpr double kPlanck = 6.62607015e-34; // J·s (SI 2019 exact value)

using thermo::phase::upper;

// "Ag [2014Hay1], Sn [2014Hay1]" -> "[2014Hay1] (Ag, Sn)": each key once with its elements.
std::string keysOf(const std::vector<std::pair<std::string, std::string>> &elementKeys)
{
    std::vector<std::pair<std::string, std::string>> grouped;
    for (const auto &[element, key] : elementKeys) {
        auto it = std::find_if(grouped.begin(), grouped.end(), [&](const auto &g) { return g.first == key; });
        if (it == grouped.end())
            grouped.push_back({key, element});
        else
            it->second += ", " + element;
    }
    std::string out;
    for (const auto &[key, elements] : grouped)
        out += (out.empty() ? "" : " ") + key + " (" + elements + ")";
    return out;
}

// The order of the properties within one temperature's rows.
int propertyRank(const std::string &property)
{
    static const char *const order[] = {"density", "molar volume", "surface tension", "viscosity"};
    for (int i = 0; i < 4; ++i)
        if (property == order[i])
            return i;
    return 4;
}

std::string joined(const std::vector<std::string> &parts, const char *separator)
{
    std::string out;
    for (const std::string &p : parts)
        out += (out.empty() ? "" : separator) + p;
    return out;
}

} // namespace

std::optional<double> butlerSurfaceTension(const LiquidMixture &liquid, const ButlerInputs &in, const std::vector<double> &x,
                                           double T, std::vector<double> *surface)
{
    const std::size_t n = x.size();
    if (n == 1)
        return in.sigma[0];
    const double RT = thermo::kGasConstant * T;
    std::vector<double> area(n);
    for (std::size_t i = 0; i < n; ++i)
        area[i] = thermo::molarSurfaceArea(in.volume[i], in.areaFactor);
    const std::vector<double> bulk = liquid.partialGibbs(x, T);
    // σ in mN/m as component i's equation gives it for the surface composition s (the J/m²
    // terms times 1000).
    auto sigmas = [&](const std::vector<double> &s) {
        const std::vector<double> surf = liquid.partialGibbs(s, T);
        std::vector<double> out(n);
        for (std::size_t i = 0; i < n; ++i)
            out[i] = in.sigma[i] + 1000.0 * (RT / area[i] * std::log(s[i] / x[i]) + (in.beta * surf[i] - bulk[i]) / area[i]);
        return out;
    };
    auto done = [&](const std::vector<double> &s) -> std::optional<double> {
        const std::vector<double> v = sigmas(s);
        if (surface)
            *surface = s;
        return std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(n);
    };

    if (n == 2) {
        // As the catalogue generator solves it: every root of σ_1 − σ_2 over the surface
        // fraction, the lowest σ of the roots taken.
        auto f = [&](double s2) {
            const std::vector<double> v = sigmas({1 - s2, s2});
            return v[0] - v[1];
        };
        std::optional<double> best;
        std::vector<double> bestSurface;
        for (const double s2 : thermo::surfaceFractionRoots(f)) {
            const std::vector<double> v = sigmas({1 - s2, s2});
            const double sigma = 0.5 * (v[0] + v[1]);
            if (!best || sigma < *best) {
                best = sigma;
                bestSurface = {1 - s2, s2};
            }
        }
        if (best && surface)
            *surface = bestSurface;
        return best;
    }

    // Three components: Newton steps on σ_i − σ_d = 0 over u_i = ln s_i for the two minor
    // components i (d, the major one, takes the rest), from the bulk composition, each step
    // halved until it stays inside the triangle and lowers the residual.
    if (n != 3)
        return std::nullopt;
    const std::size_t d = static_cast<std::size_t>(std::max_element(x.begin(), x.end()) - x.begin());
    const std::array<std::size_t, 2> free{d == 0 ? 1u : 0u, d == 2 ? 1u : 2u};
    auto state = [&](const std::array<double, 2> &u) -> std::optional<std::vector<double>> {
        std::vector<double> st(3);
        st[free[0]] = std::exp(u[0]);
        st[free[1]] = std::exp(u[1]);
        st[d] = 1 - st[free[0]] - st[free[1]];
        if (!(st[d] > 0))
            return std::nullopt;
        return st;
    };
    auto residual = [&](const std::vector<double> &st) {
        const std::vector<double> v = sigmas(st);
        return std::array<double, 2>{v[free[0]] - v[d], v[free[1]] - v[d]};
    };
    auto norm = [](const std::array<double, 2> &r) { return std::hypot(r[0], r[1]); };
    std::array<double, 2> u{std::log(x[free[0]]), std::log(x[free[1]])};
    std::vector<double> s = *state(u);
    std::array<double, 2> r = residual(s);
    for (int iteration = 0; iteration < 200; ++iteration) {
        if (norm(r) < 1e-7)
            return done(s);
        double J[2][2];
        for (int k = 0; k < 2; ++k) {
            std::array<double, 2> v = u;
            const double h = 1e-4; // well above the noise of the numerical partials
            v[static_cast<std::size_t>(k)] -= h; // towards a smaller fraction: stays inside
            const auto moved = state(v);
            if (!moved)
                return std::nullopt;
            const std::array<double, 2> rk = residual(*moved);
            J[0][k] = (r[0] - rk[0]) / h;
            J[1][k] = (r[1] - rk[1]) / h;
        }
        const double det = J[0][0] * J[1][1] - J[0][1] * J[1][0];
        if (det == 0 || !std::isfinite(det))
            return std::nullopt;
        const std::array<double, 2> step{(r[0] * J[1][1] - r[1] * J[0][1]) / det, (J[0][0] * r[1] - J[1][0] * r[0]) / det};
        double t = 1;
        bool moved = false;
        for (int k = 0; k < 60 && !moved; ++k, t *= 0.5) {
            const std::array<double, 2> v{u[0] - t * step[0], u[1] - t * step[1]};
            if (const auto next = state(v)) {
                const std::array<double, 2> rn = residual(*next);
                if (norm(rn) < norm(r)) {
                    u = v;
                    s = *next;
                    r = rn;
                    moved = true;
                }
            }
        }
        if (!moved)
            return norm(r) < 1e-4 ? done(s) : std::nullopt;
    }
    return std::nullopt;
}

void AlloyCalculator::addMeasuredMelting(std::vector<MeltingValue> &melting, const Composition &alloy) const
{
    // The same elements, each within 0.25 mass %.
    std::vector<const MeasuredMelting *> matches;
    for (const MeasuredMelting &m : m_data.measuredMelting()) {
        bool same = m.massPercent.size() == alloy.elements.size();
        for (std::size_t i = 0; i < alloy.elements.size() && same; ++i) {
            const auto it = m.massPercent.find(alloy.elements[i]);
            same = it != m.massPercent.end() && std::fabs(it->second - alloy.massPercent[i]) <= 0.25 + 1e-9;
        }
        if (same)
            matches.push_back(&m);
    }
    const std::size_t computed = melting.size();
    for (const MeasuredMelting *m : matches)
        for (const char *property : {"liquidus", "solidus"})
            melting.push_back({property, std::string(property) == "liquidus" ? m->liquidus : m->solidus, "measured", m->source,
                               "DTA row " + m->label});
    // A computed value more than 3 K from the first measurement of it says so.
    for (std::size_t c = 0; c < computed; ++c) {
        MeltingValue &v = melting[c];
        const auto measured = std::find_if(melting.begin() + static_cast<long>(computed), melting.end(),
                                           [&](const MeltingValue &m) { return m.property == v.property; });
        if (!v.value || measured == melting.end() || std::fabs(*v.value - *measured->value) <= 3)
            continue;
        char text[96];
        std::snprintf(text, sizeof text, "assessed file differs from measurement by %+.1f K", *v.value - *measured->value);
        v.flags = std::string(text) + " (" + measured->source + ")";
    }
}

MolarMassOf AlloyCalculator::molarMasses() const
{
    return [this](const std::string &symbol) -> std::optional<double> {
        if (const ElementData *e = m_data.element(symbol))
            return e->molarMass;
        return std::nullopt;
    };
}

AlloyResult AlloyCalculator::compute(const Composition &alloy, const std::vector<double> &temperatures) const
{
    AlloyResult r;
    r.composition = alloy;
    r.temperatures = temperatures;
    const auto &x = alloy.moleFractions;
    const std::size_t n = alloy.elements.size();
    std::vector<const ElementData *> el;
    for (const std::string &e : alloy.elements)
        el.push_back(m_data.element(e));

    // The first parameter file of the collection describing the liquid of every pair.
    const ParameterFile *file = nullptr;
    std::optional<LiquidMixture> liquid;
    for (const ParameterFile &f : m_data.parameterFiles()) {
        bool all = true;
        for (std::size_t i = 0; i < n && all; ++i) {
            all = f.database->element(upper(alloy.elements[i])) != nullptr;
            for (std::size_t j = i + 1; j < n && all; ++j)
                all = thermo::phase::hasLiquidPair(*f.database, upper(alloy.elements[i]), upper(alloy.elements[j]));
        }
        if (all && (liquid = LiquidMixture::build(*f.database, alloy.elements))) {
            file = &f;
            break;
        }
    }
    std::string liquidSource;
    if (file) {
        std::vector<std::string> pairs;
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = i + 1; j < n; ++j) {
                const std::string key = m_data.liquidSource(alloy.elements[i], alloy.elements[j]);
                pairs.push_back(alloy.elements[i] + "-" + alloy.elements[j] + (key.empty() ? "" : " " + key));
            }
        liquidSource = file->file + (pairs.empty() ? "" : " liquid: " + joined(pairs, ", "));
    } else {
        r.notes.push_back(n > 3 ? "Butler and the viscosity models: the liquid is described for two or three elements only"
                                : "Butler and the viscosity models: no parameter file of the collection describes the liquid of every pair of " +
                                      joined(alloy.elements, ", "));
    }

    MeltingRange range = computeMeltingRange(file, alloy, temperatures);
    r.melting = range.values;
    addMeasuredMelting(r.melting, alloy);
    const MeltingValue &liquidus = r.melting.front();
    const std::vector<std::string> &phases = range.phasesAt;

    std::vector<std::pair<std::string, std::string>> densityKeys, sigmaKeys, viscosityKeys, volumeKeys;
    bool density = true, sigma = true, viscosity = true;
    for (std::size_t i = 0; i < n; ++i) {
        density = density && el[i]->density;
        sigma = sigma && el[i]->surfaceTension;
        viscosity = viscosity && el[i]->viscosity;
        if (el[i]->density)
            densityKeys.push_back({el[i]->symbol, el[i]->density->source});
        if (el[i]->surfaceTension)
            sigmaKeys.push_back({el[i]->symbol, el[i]->surfaceTension->source});
        if (el[i]->viscosity)
            viscosityKeys.push_back({el[i]->symbol, el[i]->viscosity->source});
        volumeKeys.push_back({el[i]->symbol, el[i]->crcDensity.source});
    }
    if (!density)
        r.notes.push_back("density: an element has no basis density");
    if (!sigma)
        r.notes.push_back("surface tension (Butler): an element has no pure-metal line of the Butler catalogue");
    if (!viscosity)
        r.notes.push_back("viscosity models: an element has no basis viscosity");

    const std::string densitySource = "ideal mixing of " + keysOf(densityKeys);
    const std::string butlerSource = liquidSource + "; pure-metal surface tensions " + keysOf(sigmaKeys) + "; molar volumes " + keysOf(volumeKeys);
    const std::string viscositySource = liquidSource + "; pure-metal viscosities " + keysOf(viscosityKeys);

    std::optional<DatabaseMethods> database;
    if (m_database)
        database.emplace(*m_database, alloy);
    for (std::size_t t = 0; t < temperatures.size(); ++t) {
        const double T = temperatures[t];
        const std::size_t firstOfT = r.values.size();
        std::string flags;
        if (liquidus.value && T < *liquidus.value)
            flags = "below liquidus (" + phases[t] + ")";
        r.phasesAt.push_back(liquidus.value && T < *liquidus.value ? phases[t] : std::string());
        auto extrapolated = [&](auto member) {
            std::vector<std::string> out;
            for (std::size_t i = 0; i < n; ++i)
                if (const auto &eq = el[i]->*member; eq && !eq->covers(T))
                    out.push_back(el[i]->symbol);
            return out.empty() ? std::string() : "pure-metal data extrapolated (" + joined(out, ", ") + ")";
        };
        auto withFlags = [&](const std::string &extra) {
            return flags.empty() ? extra : extra.empty() ? flags : flags + "; " + extra;
        };
        if (density) {
            double mass = 0, volume = 0;
            for (std::size_t i = 0; i < n; ++i) {
                mass += x[i] * el[i]->molarMass;
                volume += x[i] * el[i]->molarMass / el[i]->density->at(T);
            }
            const std::string f = withFlags(extrapolated(&ElementData::density));
            r.values.push_back({T, "density", mass / volume, "g/cm3", "ideal mixing (calculated)", densitySource, f});
            r.values.push_back({T, "molar volume", volume, "cm3/mol", "ideal mixing (calculated)", densitySource, f});
        }
        if (liquid && sigma) {
            ButlerInputs in;
            for (std::size_t i = 0; i < n; ++i) {
                in.sigma.push_back(el[i]->surfaceTension->at(T));
                in.volume.push_back(el[i]->molarVolume(T));
            }
            if (const auto s = butlerSurfaceTension(*liquid, in, x, T))
                r.values.push_back({T, "surface tension", *s, "mN/m", "Butler", butlerSource, withFlags("")});
            else
                r.notes.push_back("surface tension (Butler): no solution of the equations found at " + std::to_string(T) + " K");
        }
        if (liquid && viscosity) {
            const double RT = thermo::kGasConstant * T;
            double linear = 0, volume = 0, activation = 0;
            const double hNA = kPlanck * thermo::kAvogadro;
            for (std::size_t i = 0; i < n; ++i) {
                const double eta = el[i]->viscosity->at(T), V = el[i]->molarVolume(T);
                linear += x[i] * eta;
                volume += x[i] * V;
                activation += x[i] * RT * std::log(eta * 1e-3 * V / hNA);
            }
            const double S = liquid->entropy(x, T), H = liquid->enthalpy(x, T);
            const std::string f = withFlags(extrapolated(&ElementData::viscosity));
            r.values.push_back({T, "viscosity", linear * (1 - 2 * S / thermo::kGasConstant), "mPa s", "Dravik (Drv)", viscositySource, f});
            r.values.push_back({T, "viscosity", linear * (1 - 2 * H / RT), "mPa s", "Moelwyn-Hughes (M-H)", viscositySource, f});
            r.values.push_back({T, "viscosity", 1e3 * hNA / volume * std::exp((activation - 0.155 * H) / RT), "mPa s", "Kaptay (Kap)",
                                viscositySource + "; molar volumes " + keysOf(volumeKeys), f});
        }
        if (database) {
            // The database's rows of each property after the computed ones.
            database->addValues(T, flags, r.values);
            std::stable_sort(r.values.begin() + static_cast<long>(firstOfT), r.values.end(),
                             [](const PropertyValue &a, const PropertyValue &b) { return propertyRank(a.property) < propertyRank(b.property); });
        }
    }
    if (database)
        for (std::string &note : database->notes())
            r.notes.push_back(std::move(note));
    return r;
}

} // namespace korvel::alloy
