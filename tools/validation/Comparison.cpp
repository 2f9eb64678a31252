#include "Comparison.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace korvel::validation {

bool inKelvin(const std::string &property)
{
    return property == "liquidus" || property == "solidus";
}

std::string deviationUnit(const std::string &property)
{
    return inKelvin(property) ? "K" : "%";
}

Deviations deviationsOf(const std::vector<Pair> &pairs, bool relative)
{
    Deviations d;
    d.points = pairs.size();
    if (pairs.empty())
        return d;
    double sumAbs = 0, sum = 0;
    for (const Pair &p : pairs) {
        const double dev = relative ? 100.0 * (p.computed - p.measured) / p.measured : p.computed - p.measured;
        sumAbs += std::fabs(dev);
        sum += dev;
        if (std::fabs(dev) > std::fabs(d.largest))
            d.largest = dev;
    }
    d.meanAbsolute = sumAbs / static_cast<double>(pairs.size());
    d.mean = sum / static_cast<double>(pairs.size());
    return d;
}

namespace {

// A method that is itself a measurement (the dataset, or another one) is not a computation.
bool isComputation(const std::string &method, const std::string &source, const MeasuredDataset &d)
{
    return method.rfind("measured", 0) == std::string::npos && source.find(d.source) == std::string::npos;
}

alloy::Composition compositionOf(const alloy::AlloyCalculator &calculator, const MeasuredAlloy &a)
{
    alloy::Composition c;
    c.elements = a.elements;
    c.designation = a.label;
    std::vector<double> masses;
    const alloy::MolarMassOf massOf = calculator.molarMasses();
    for (const std::string &e : a.elements) {
        const auto m = massOf(e);
        if (!m)
            throw std::runtime_error("no data for the element " + e);
        masses.push_back(*m);
    }
    if (!a.massPercent.empty()) {
        c.massPercent = a.massPercent;
        c.moleFractions = alloy::massToMole(a.massPercent, masses);
    } else {
        c.moleFractions = a.moleFractions;
        c.massPercent = alloy::moleToMass(a.moleFractions, masses);
    }
    return c;
}

std::string joinedNotes(const std::set<std::string> &notes)
{
    std::string out;
    for (const std::string &n : notes)
        out += (out.empty() ? "" : "; ") + n;
    return out;
}

DatasetComparison compareOne(const alloy::AlloyCalculator &calculator, const MeasuredDataset &d)
{
    DatasetComparison out;
    out.dataset = d;
    std::map<std::string, MethodComparison> methods;
    std::set<std::string> reasons;
    for (const MeasuredAlloy &a : d.alloys)
        out.points += a.points.size();
    const bool melting = inKelvin(d.property);
    for (const MeasuredAlloy &a : d.alloys) {
        if (a.points.empty()) {
            reasons.insert(a.label);
            continue;
        }
        alloy::Composition c;
        try {
            c = compositionOf(calculator, a);
        } catch (const std::exception &e) {
            reasons.insert(e.what());
            continue;
        }
        std::vector<double> temperatures;
        if (!melting)
            for (const MeasuredPoint &p : a.points)
                temperatures.push_back(p.T);
        const alloy::AlloyResult r = calculator.compute(c, temperatures);
        if (melting) {
            for (const alloy::MeltingValue &v : r.melting) {
                if (v.property != d.property || !isComputation(v.method, v.source, d))
                    continue;
                MethodComparison &m = methods[v.method];
                m.method = v.method;
                if (v.value)
                    m.pairs.push_back({a.points.front().value, *v.value});
                else
                    reasons.insert(v.flags);
            }
        } else {
            for (const alloy::PropertyValue &v : r.values) {
                if (v.property != d.property || !isComputation(v.method, v.source, d))
                    continue;
                const auto at = std::find_if(a.points.begin(), a.points.end(), [&](const MeasuredPoint &p) { return p.T == v.T; });
                if (at == a.points.end())
                    continue;
                MethodComparison &m = methods[v.method];
                m.method = v.method;
                m.pairs.push_back({at->value, v.value});
            }
            for (const std::string &n : r.notes)
                reasons.insert(n);
        }
    }
    for (auto &[name, m] : methods) {
        if (m.pairs.empty())
            continue;
        m.missing = out.points - m.pairs.size();
        m.deviations = deviationsOf(m.pairs, !melting);
        out.methods.push_back(m);
    }
    if (out.methods.empty())
        out.notComputed = reasons.empty() ? "no method of the calculator gives the " + d.property + " of " + d.system : joinedNotes(reasons);
    return out;
}

} // namespace

Report compare(const alloy::AlloyCalculator &calculator, const std::vector<MeasuredDataset> &datasets)
{
    Report report;
    std::map<std::pair<std::size_t, std::string>, std::pair<MethodSummary, std::vector<Pair>>> summaries;
    const auto &properties = reportProperties();
    for (const MeasuredDataset &d : datasets) {
        report.datasets.push_back(compareOne(calculator, d));
        const std::size_t order = static_cast<std::size_t>(
            std::find_if(properties.begin(), properties.end(), [&](const PropertyInfo &p) { return d.property == p.name; }) - properties.begin());
        for (const MethodComparison &m : report.datasets.back().methods) {
            auto &[summary, pairs] = summaries[{order, m.method}];
            summary.property = d.property;
            summary.method = m.method;
            summary.unit = deviationUnit(d.property);
            ++summary.datasets;
            pairs.insert(pairs.end(), m.pairs.begin(), m.pairs.end());
        }
    }
    for (auto &[key, entry] : summaries) {
        entry.first.deviations = deviationsOf(entry.second, !inKelvin(entry.first.property));
        report.methods.push_back(entry.first);
    }
    return report;
}

} // namespace korvel::validation
