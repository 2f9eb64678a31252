#include "AlloyCalculator.h"

#include "LiquidMixture.h"
#include "MeltingRange.h"

#include "Butler.h"
#include "GasConstant.h"
#include "phase/DiagramSet.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <numeric>
#include <set>

namespace korvel::alloy {

namespace {

constexpr double kPlanck = 6.62607015e-34; // J·s (SI 2019 exact value)

std::string upper(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

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
    std::vector<double> area(n), sigma(n);
    for (std::size_t i = 0; i < n; ++i) {
        area[i] = thermo::molarSurfaceArea(in.volume[i], in.areaFactor);
        sigma[i] = in.sigma[i] * 1e-3; // J/m²
    }
    const std::vector<double> bulk = liquid.partialGibbs(x, T);
    std::vector<double> s(x), next(n);
    double result = 0;
    for (int iteration = 0; iteration < 2000; ++iteration) {
        const std::vector<double> surf = liquid.partialGibbs(s, T);
        // x_i^s(σ) for the surface partials of the current estimate; Σ x_i^s grows with σ.
        auto fractions = [&](double sig, std::vector<double> &out) {
            double sum = 0;
            for (std::size_t i = 0; i < n; ++i) {
                out[i] = x[i] * std::exp((area[i] * (sig - sigma[i]) - (in.beta * surf[i] - bulk[i])) / RT);
                sum += out[i];
            }
            return sum;
        };
        double lo = *std::min_element(sigma.begin(), sigma.end()) - 1, hi = *std::max_element(sigma.begin(), sigma.end()) + 1;
        for (int k = 0; k < 40 && fractions(lo, next) > 1; ++k)
            lo -= 1;
        for (int k = 0; k < 40 && fractions(hi, next) < 1; ++k)
            hi += 1;
        for (int k = 0; k < 200 && hi - lo > 1e-15; ++k) {
            const double mid = 0.5 * (lo + hi);
            (fractions(mid, next) < 1 ? lo : hi) = mid;
        }
        result = 0.5 * (lo + hi);
        const double sum = fractions(result, next);
        double change = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const double v = 0.5 * s[i] + 0.5 * next[i] / sum;
            change = std::max(change, std::fabs(v - s[i]));
            s[i] = v;
        }
        if (change < 1e-13) {
            if (surface)
                *surface = s;
            return result * 1e3;
        }
    }
    return std::nullopt;
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

    for (std::size_t t = 0; t < temperatures.size(); ++t) {
        const double T = temperatures[t];
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
    }
    return r;
}

} // namespace korvel::alloy
