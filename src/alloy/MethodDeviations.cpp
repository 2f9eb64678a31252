#include "MethodDeviations.h"

#include "CsvTable.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace korvel::alloy {

namespace {

double number(const thermo::CsvTable &t, std::size_t row, const std::string &column)
{
    const std::string &text = t.rows[row][t.column(column)];
    std::size_t used = 0;
    double v = 0;
    try {
        v = std::stod(text, &used);
    } catch (const std::exception &) {
        used = 0;
    }
    if (used == 0 || used != text.size() || !std::isfinite(v))
        throw std::runtime_error(t.where(row) + ": \"" + text + "\" in " + column + " is not a number");
    return v;
}

} // namespace

MethodDeviations MethodDeviations::read(const std::string &csvFile)
{
    MethodDeviations d;
    std::error_code error;
    if (!std::filesystem::exists(csvFile, error))
        return d;
    const thermo::CsvTable t = thermo::CsvTable::read(csvFile);
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        if (t.rows[i][t.column("kind")] != "method")
            continue;
        const std::string &property = t.rows[i][t.column("property")];
        const std::string &method = t.rows[i][t.column("method")];
        const std::string &unit = t.rows[i][t.column("unit")];
        if (property.empty() || method.empty() || (unit != "%" && unit != "K"))
            throw std::runtime_error(t.where(i) + ": a method row needs its property, method and the unit % or K");
        const double datasets = number(t, i, "datasets");
        if (datasets < 1 || datasets != std::floor(datasets))
            throw std::runtime_error(t.where(i) + ": the number of datasets is not a whole number above 0");
        char text[160];
        std::snprintf(text, sizeof text, ": mean %.1f %s, largest %.1f %s, %.0f dataset%s", number(t, i, "mean_abs_deviation"), unit.c_str(),
                      std::fabs(number(t, i, "largest_deviation")), unit.c_str(), datasets, datasets == 1 ? "" : "s");
        d.m_lines[{property, method}] = method + text;
    }
    return d;
}

std::string MethodDeviations::fileFor(const std::string &dataDir)
{
    namespace fs = std::filesystem;
    const fs::path beside = fs::path(dataDir) / "validation.csv";
    std::error_code error;
    if (fs::exists(beside, error))
        return beside.string();
    return (fs::path(dataDir) / ".." / "docs" / "validation.csv").lexically_normal().string();
}

std::string MethodDeviations::describe(const std::string &property, const std::string &method) const
{
    const auto it = m_lines.find({property, method});
    return it == m_lines.end() ? std::string() : it->second;
}

AlloyResult MethodDeviations::described(AlloyResult result) const
{
    for (PropertyValue &v : result.values)
        if (std::string line = describe(v.property, v.method); !line.empty())
            v.method = std::move(line);
    for (MeltingValue &m : result.melting)
        if (std::string line = describe(m.property, m.method); !line.empty())
            m.method = std::move(line);
    return result;
}

} // namespace korvel::alloy
