#include "Inputs.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace korvel::thermo {

namespace {

struct CsvTable {
    std::string path;
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    std::vector<int> lineNumbers;
};

std::vector<std::string> splitFields(const std::string &line)
{
    std::vector<std::string> out;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ','))
        out.push_back(field);
    if (!line.empty() && line.back() == ',')
        out.emplace_back();
    return out;
}

CsvTable readTable(const std::string &path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    CsvTable t{path, {}, {}, {}};
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#')
            continue;
        if (t.header.empty()) {
            t.header = splitFields(line);
            continue;
        }
        std::vector<std::string> fields = splitFields(line);
        if (fields.size() != t.header.size())
            throw std::runtime_error(path + ":" + std::to_string(number) + ": expected "
                                     + std::to_string(t.header.size()) + " fields");
        t.rows.push_back(std::move(fields));
        t.lineNumbers.push_back(number);
    }
    return t;
}

struct Row {
    const CsvTable &t;
    std::size_t i;
    const std::string &text(const char *column) const
    {
        const auto it = std::find(t.header.begin(), t.header.end(), column);
        if (it == t.header.end())
            throw std::runtime_error(t.path + ": no column " + column);
        return t.rows[i][static_cast<std::size_t>(it - t.header.begin())];
    }
    double number(const char *column) const
    {
        const std::string &s = text(column);
        double v = 0;
        const auto res = std::from_chars(s.data(), s.data() + s.size(), v);
        if (s.empty() || res.ec != std::errc() || res.ptr != s.data() + s.size())
            throw std::runtime_error(t.path + ":" + std::to_string(t.lineNumbers[i]) + ": column " + column
                                     + " is not a number: '" + s + "'");
        return v;
    }
    int integer(const char *column) const { return static_cast<int>(number(column)); }
};

} // namespace

std::pair<std::string, std::string> componentsOf(const std::string &system)
{
    const auto dash = system.find('-');
    if (dash == std::string::npos)
        throw std::runtime_error("not a binary system: " + system);
    return {system.substr(0, dash), system.substr(dash + 1)};
}

Inputs readInputs(const std::string &dataDir)
{
    const std::string dir = dataDir + "/thermo/";
    Inputs in;

    const CsvTable liquid = readTable(dir + "liquid_parameters.csv");
    std::map<std::string, std::map<int, RKTerm>> terms;
    for (std::size_t i = 0; i < liquid.rows.size(); ++i) {
        const Row r{liquid, i};
        const std::string &system = r.text("system");
        terms[system][r.integer("v")] = {r.number("a"), r.number("b"), r.number("c"), r.number("d")};
        std::string &key = in.liquid[system].sourceKey;
        const std::string &src = r.text("source_key");
        if (key.find(src) == std::string::npos)
            key += key.empty() ? src : "+" + src;
    }
    for (auto &[system, byOrder] : terms) {
        std::vector<RKTerm> list(static_cast<std::size_t>(byOrder.rbegin()->first + 1));
        for (const auto &[v, t] : byOrder)
            list[static_cast<std::size_t>(v)] = t;
        in.liquid[system].excess = LiquidExcess(std::move(list));
    }

    const CsvTable elements = readTable(dir + "elements.csv");
    for (std::size_t i = 0; i < elements.rows.size(); ++i) {
        const Row r{elements, i};
        in.elements[r.text("symbol")] = {r.number("molar_mass"), r.number("rho_A"), r.number("rho_B")};
    }

    const CsvTable blocks = readTable(dir + "viscosity_blocks.csv");
    for (std::size_t i = 0; i < blocks.rows.size(); ++i) {
        const Row r{blocks, i};
        in.blocks.push_back({r.text("system"), r.integer("block"),
                             {r.number("E1"), r.number("E2"), r.number("A1"), r.number("A2")},
                             r.number("T_low"), r.number("T_high")});
    }

    const CsvTable fits = readTable(dir + "butler_fits.csv");
    for (std::size_t i = 0; i < fits.rows.size(); ++i) {
        const Row r{fits, i};
        ButlerFitRequest f;
        f.system = r.text("system");
        f.use = r.text("use");
        f.variant = r.integer("variant");
        f.form = r.text("form");
        f.ref = f.form == "surface" ? r.integer("ref") : 0;
        f.sigma1 = {r.number("s1"), r.number("t1")};
        f.sigma2 = {r.number("s2"), r.number("t2")};
        f.order = r.integer("order");
        f.tlnt = r.text("tlnt") == "yes";
        f.Tlo = r.number("T_low");
        f.Thi = r.number("T_high");
        in.butlerFits.push_back(f);
    }

    const CsvTable given = readTable(dir + "given_rows.csv");
    for (std::size_t i = 0; i < given.rows.size(); ++i) {
        const Row r{given, i};
        in.givenRows.insert({r.text("system"), r.integer("block"), r.text("model")});
    }
    return in;
}

} // namespace korvel::thermo
