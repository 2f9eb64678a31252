#include "CalculatorOutput.h"

#include <cstdio>

namespace korvel::alloy {

namespace {

std::string fixed(double v, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
    return buffer;
}

} // namespace

std::string valueText(double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6g", v);
    return buffer;
}

std::vector<std::vector<std::string>> resultRows(const AlloyResult &r)
{
    std::vector<std::vector<std::string>> rows;
    for (const PropertyValue &v : r.values)
        rows.push_back({fixed(v.T, 2), fixed(v.T - kCelsiusZero, 2), v.property, valueText(v.value), v.unit, v.method, v.source, v.flags});
    for (const MeltingValue &m : r.melting)
        rows.push_back({"", "", m.property, m.value ? fixed(*m.value, 2) : std::string(), "K", m.method, m.source, m.flags});
    return rows;
}

const char *const kHeader[] = {"T_K", "T_C", "property", "value", "unit", "method", "source", "flags"};

std::string resultCsv(const AlloyResult &r)
{
    std::string out;
    for (const char *h : kHeader)
        out += std::string(out.empty() ? "" : ",") + h;
    out += "\n";
    for (const auto &row : resultRows(r)) {
        for (std::size_t i = 0; i < row.size(); ++i)
            out += (i ? "," : "") + csvField(row[i]);
        out += "\n";
    }
    return out;
}

std::string resultTabbed(const AlloyResult &r)
{
    std::string out;
    for (const char *h : kHeader)
        out += std::string(out.empty() ? "" : "\t") + h;
    out += "\n";
    for (const auto &row : resultRows(r)) {
        for (std::size_t i = 0; i < row.size(); ++i)
            out += (i ? "\t" : "") + row[i];
        out += "\n";
    }
    return out;
}

std::string resultText(const AlloyResult &r)
{
    std::string out = r.composition.designation + ": mole fractions";
    for (std::size_t i = 0; i < r.composition.elements.size(); ++i)
        out += " " + r.composition.elements[i] + " " + fixed(r.composition.moleFractions[i], 4);
    out += "\n";
    for (const MeltingValue &m : r.melting) {
        out += m.property + ": ";
        out += m.value ? fixed(*m.value, 2) + " K (" + fixed(*m.value - kCelsiusZero, 2) + " C), " + m.method + ", " + m.source
                       : m.flags;
        out += "\n";
    }
    for (const std::string &note : r.notes)
        out += "not computed: " + note + "\n";
    double lastT = -1;
    for (const PropertyValue &v : r.values) {
        if (v.T != lastT) {
            out += "\nT = " + fixed(v.T, 2) + " K (" + fixed(v.T - kCelsiusZero, 2) + " C)\n";
            lastT = v.T;
        }
        char line[160];
        std::snprintf(line, sizeof line, "  %-16s %12s %-8s %-26s", v.property.c_str(), valueText(v.value).c_str(), v.unit.c_str(),
                      v.method.c_str());
        out += line + std::string("  ") + v.source + (v.flags.empty() ? "" : "  [" + v.flags + "]") + "\n";
    }
    return out;
}

} // namespace korvel::alloy
