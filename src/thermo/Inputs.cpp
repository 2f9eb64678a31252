#include "Inputs.h"

#include "CsvTable.h"
#include "tdb/Reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace korvel::thermo {

namespace {

struct Row {
    const CsvTable &t;
    std::size_t i;
    const std::string &text(const char *column) const
    {
        return t.rows[i][t.column(column)];
    }
    double number(const char *column) const
    {
        const std::string &s = text(column);
        double v = 0;
        const auto res = std::from_chars(s.data(), s.data() + s.size(), v);
        if (s.empty() || res.ec != std::errc() || res.ptr != s.data() + s.size())
            throw std::runtime_error(t.where(i) + ": column " + column
                                     + " is not a number: '" + s + "'");
        return v;
    }
    int integer(const char *column) const { return static_cast<int>(number(column)); }
};

std::string upperCase(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// a, b, c, d of L(T) = a + b*T + c*T*ln(T) + d*T^2 through the values of a parameter: exact for
// a term of that form (least squares on nine temperatures); a term of any other form is refused.
RKTerm termOf(const tdb::Database &db, const tdb::Parameter &p, const std::string &where)
{
    std::vector<double> T;
    for (int i = 0; i < 9; ++i)
        T.push_back(300.0 + 275.0 * i);
    std::vector<double> A, b;
    for (double t : T) {
        A.insert(A.end(), {1.0, t, t * std::log(t), t * t});
        b.push_back(db.evaluate(p.value, t));
    }
    const std::vector<double> x = leastSquares(A, b, static_cast<int>(T.size()), 4);
    const RKTerm term{x[0], x[1], x[2], x[3]};
    for (double t = 300.0; t <= 2500.0; t += 50.0) {
        const double v = db.evaluate(p.value, t);
        if (std::abs(term.value(t) - v) > 1e-9 * (1.0 + std::abs(v)))
            throw std::runtime_error(where + ": the parameter is not of the form a + b*T + c*T*ln(T) + d*T^2");
    }
    // Coefficients written with a few decimals come back within rounding noise; give them their
    // written value where it is that close.
    auto clean = [](double v) {
        for (int digits = 0; digits <= 9; ++digits) {
            const double scale = std::pow(10.0, digits);
            const double r = std::round(v * scale) / scale;
            if (std::abs(r - v) <= 1e-9 * std::max(1.0, std::abs(v)))
                return r;
        }
        return v;
    };
    return {clean(term.a), clean(term.b), clean(term.c), clean(term.d)};
}

} // namespace

LiquidSet liquidFromTdb(const std::string &tdbPath, const std::string &system)
{
    const tdb::Database db = tdb::readDatabaseFile(tdbPath);
    const auto [c1, c2] = componentsOf(system);
    const std::string e1 = upperCase(c1), e2 = upperCase(c2);
    std::map<int, std::pair<RKTerm, int>> byOrder;
    for (const tdb::Parameter *p : db.parametersOf("LIQUID")) {
        if (p->kind() != "G" || p->constituents.empty() || p->constituents[0].size() != 2)
            continue;
        const std::vector<std::string> &pair = p->constituents[0];
        const bool same = pair[0] == e1 && pair[1] == e2, swapped = pair[0] == e2 && pair[1] == e1;
        if (!same && !swapped)
            continue;
        bool onlyVacancies = true;
        for (std::size_t s = 1; s < p->constituents.size(); ++s)
            onlyVacancies = onlyVacancies && p->constituents[s] == std::vector<std::string>{"VA"};
        if (!onlyVacancies)
            continue;
        const std::string where = tdbPath + ":" + std::to_string(p->line);
        if (byOrder.count(p->order))
            throw std::runtime_error(where + ": a second liquid " + system + " term of order " + std::to_string(p->order));
        RKTerm t = termOf(db, *p, where);
        if (swapped && p->order % 2 == 1)
            t = {-t.a, -t.b, -t.c, -t.d};
        byOrder[p->order] = {t, p->line};
    }
    if (byOrder.empty())
        throw std::runtime_error(tdbPath + ": no liquid " + system + " parameters");
    LiquidSet set;
    std::vector<RKTerm> terms(static_cast<std::size_t>(byOrder.rbegin()->first + 1));
    set.tdbLines.assign(terms.size(), 0);
    for (const auto &[v, term] : byOrder) {
        terms[static_cast<std::size_t>(v)] = term.first;
        set.tdbLines[static_cast<std::size_t>(v)] = term.second;
    }
    set.excess = LiquidExcess(std::move(terms));
    return set;
}

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

    const CsvTable liquid = CsvTable::read(dir + "liquid_sources.csv");
    for (std::size_t i = 0; i < liquid.rows.size(); ++i) {
        const Row r{liquid, i};
        const std::string &system = r.text("system");
        if (in.liquid.count(system))
            throw std::runtime_error(liquid.where(i) + ": " + system
                                     + " named twice");
        LiquidSet set = liquidFromTdb(dir + "tdb/" + r.text("tdb_file"), system);
        set.sourceKey = r.text("source_key");
        set.tdbFile = r.text("tdb_file");
        in.liquid[system] = std::move(set);
    }

    const CsvTable elements = CsvTable::read(dir + "elements.csv");
    for (std::size_t i = 0; i < elements.rows.size(); ++i) {
        const Row r{elements, i};
        in.elements[r.text("symbol")] = {r.number("molar_mass"), r.number("rho_A"), r.number("rho_B")};
    }

    const CsvTable blocks = CsvTable::read(dir + "viscosity_blocks.csv");
    for (std::size_t i = 0; i < blocks.rows.size(); ++i) {
        const Row r{blocks, i};
        in.blocks.push_back({r.text("system"), r.integer("block"),
                             {r.number("E1"), r.number("E2"), r.number("A1"), r.number("A2")},
                             r.number("T_low"), r.number("T_high")});
    }

    const CsvTable fits = CsvTable::read(dir + "butler_fits.csv");
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

    const CsvTable given = CsvTable::read(dir + "given_rows.csv");
    for (std::size_t i = 0; i < given.rows.size(); ++i) {
        const Row r{given, i};
        in.givenRows.insert({r.text("system"), r.integer("block"), r.text("model")});
    }
    return in;
}

} // namespace korvel::thermo
