#include "DatabaseMethods.h"

#include "DatabaseDatasets.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace korvel::alloy {

namespace {

bool sameElements(const PropertyDataset &d, const std::vector<std::string> &elements)
{
    return d.elements.size() == elements.size() &&
           std::all_of(elements.begin(), elements.end(), [&](const std::string &e) { return std::find(d.elements.begin(), d.elements.end(), e) != d.elements.end(); });
}

std::string kelvin(double T)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.0f", T);
    return buffer;
}

// "x Sn 0.7236" or "x Sn 0.1 to x Sn 0.9", with the section for a section's rows.
std::string heldText(const PropertyDataset &d)
{
    std::string out = d.points.front().label;
    if (d.points.size() > 1)
        out += " to " + d.points.back().label;
    return d.section ? "section " + std::to_string(d.section) + ", " + out : out;
}

} // namespace

std::string databaseMethod(const PropertyDataset &dataset)
{
    if (dataset.kind == PropertyDataset::Kind::Measured)
        return "measured (interpolated)";
    if (dataset.publication.rfind("[calc-st", 0) == 0)
        return "database, Butler (calculated)";
    if (dataset.publication.rfind("[calc-d", 0) == 0 || dataset.publication.rfind("[calc-v", 0) == 0)
        return "database, ideal mixing (calculated)";
    return "database (calculated)";
}

bool isDatabaseMethod(const std::string &method)
{
    return method == "measured (interpolated)" || method.rfind("database, ", 0) == 0 || method == "database (calculated)";
}

DatabaseMethods::DatabaseMethods(const DatabaseDatasets &database, const Composition &alloy)
{
    for (const PropertyDataset &d : database.datasets()) {
        if (!sameElements(d, alloy.elements))
            continue;
        if (const auto p = locateAlloy(d, alloy.elements, alloy.moleFractions)) {
            const std::string flag = p->held() ? std::string() : "between " + p->lower->label + " and " + p->upper->label;
            m_located.push_back({&d, *p, flag, 0});
        } else {
            m_away.push_back(&d);
        }
    }
}

void DatabaseMethods::addValues(double T, const std::string &flags, std::vector<PropertyValue> &out)
{
    for (Located &l : m_located) {
        if (!positionRange(l.position).covers(T)) {
            ++l.outside;
            continue;
        }
        const PropertyDataset &d = *l.dataset;
        const std::string f = flags.empty() ? l.flag : l.flag.empty() ? flags : flags + "; " + l.flag;
        out.push_back({T, propertyName(d.property), interpolatedValue(d, l.position, T), propertyUnit(d.property), databaseMethod(d),
                       d.publication, f});
    }
}

std::vector<std::string> DatabaseMethods::notes() const
{
    std::vector<std::string> out;
    for (const Located &l : m_located)
        if (l.outside) {
            const TemperatureRange r = positionRange(l.position);
            out.push_back(std::string(propertyName(l.dataset->property)) + " " + l.dataset->publication + ": held for " + kelvin(r.lo) + "-" +
                          kelvin(r.hi) + " K at this composition, no value at " + std::to_string(l.outside) + " of the temperatures");
        }
    // One line per system: the datasets whose compositions the alloy is not at.
    std::map<std::string, std::string> away;
    std::vector<std::string> order;
    for (const PropertyDataset *d : m_away) {
        std::string &line = away[d->system];
        if (line.empty())
            order.push_back(d->system);
        line += (line.empty() ? "" : "; ") + std::string(propertyName(d->property)) + " " + d->publication + " (" + heldText(*d) + ")";
    }
    for (const std::string &system : order)
        out.push_back("database rows of " + system + " at other compositions only: " + away[system]);
    return out;
}

} // namespace korvel::alloy
