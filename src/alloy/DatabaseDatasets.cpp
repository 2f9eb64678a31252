#include "DatabaseDatasets.h"

#include "GasConstant.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <set>
#include <stdexcept>
#include <tuple>

namespace korvel::alloy {

namespace {

constexpr double kSameX = 1e-7; // compositions are stored with at most a few decimals
constexpr int kSharedStart = 10; // ID_EUTEKTYKI of the start alloy every section shares

struct Closer {
    void operator()(sqlite3 *db) const { sqlite3_close(db); }
};

class Statement {
public:
    Statement(sqlite3 *db, const char *sql) : m_db(db)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(std::string("cannot prepare a statement: ") + sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool next()
    {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            throw std::runtime_error(std::string("cannot read: ") + sqlite3_errmsg(m_db));
        return false;
    }
    void reset() { sqlite3_reset(m_stmt); }
    void bind(int i, int v) { sqlite3_bind_int(m_stmt, i, v); }
    void bind(int i, double v) { sqlite3_bind_double(m_stmt, i, v); }
    bool isNull(int c) const { return sqlite3_column_type(m_stmt, c) == SQLITE_NULL; }
    int integer(int c) const { return sqlite3_column_int(m_stmt, c); }
    double real(int c) const { return sqlite3_column_double(m_stmt, c); }
    std::string text(int c) const
    {
        const unsigned char *t = sqlite3_column_text(m_stmt, c);
        return t ? reinterpret_cast<const char *>(t) : std::string();
    }

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

std::vector<std::string> elementsOf(const std::string &system)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t dash; (dash = system.find('-', start)) != std::string::npos; start = dash + 1)
        out.push_back(system.substr(start, dash - start));
    out.push_back(system.substr(start));
    return out;
}

std::string fraction(double x)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.4g", x);
    return buffer;
}

bool endsWith(const std::string &s, const std::string &tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The record's kind, nothing for catalogue data.
std::optional<PropertyDataset::Kind> kindOf(const std::string &key, const std::string &title)
{
    if (key.rfind("[calc", 0) == 0)
        return PropertyDataset::Kind::Calculated;
    if (endsWith(title, "(program catalogue data)"))
        return std::nullopt;
    return PropertyDataset::Kind::Measured;
}

// A section alloy of UKL_3/UKL_4/UKL_5: the system, section (Nr), the varying element's
// fraction and the alloy's mole fractions by element.
struct SectionAlloy {
    int system = 0, section = 0;
    double x = 0;
    std::map<std::string, double> fractions;
};

// The component order of the composition tables: UKL_3 Ag, third element (= X), Sn the balance;
// UKL_4 Ag, Cu, fourth element (= X), Sn the balance; UKL_5 Ag, Cu, Bi, Sb (= X), Sn the balance.
std::vector<SectionAlloy> readSectionAlloys(sqlite3 *db)
{
    std::map<int, std::vector<std::string>> elements;
    {
        Statement s(db, "SELECT ID_TAB_UKL, OZNACZENIE FROM TAB_UKL WHERE ID_SELECT >= 3");
        while (s.next())
            elements[s.integer(0)] = elementsOf(s.text(1));
    }
    auto other = [&](int system, const std::set<std::string> &known) {
        for (const std::string &e : elements[system])
            if (!known.count(e))
                return e;
        return std::string();
    };
    std::vector<SectionAlloy> out;
    // names: the element of each fraction column, "" for the system's element not in `named`.
    auto add = [&](Statement &s, const std::vector<std::string> &names, const std::set<std::string> &named, int xColumn) {
        while (s.next()) {
            SectionAlloy a;
            a.system = s.integer(0);
            a.section = s.integer(1);
            double rest = 1;
            for (std::size_t i = 0; i < names.size(); ++i) {
                const std::string element = names[i].empty() ? other(a.system, named) : names[i];
                const double v = s.real(static_cast<int>(i) + 2);
                a.fractions[element] = v;
                rest -= v;
            }
            a.fractions["Sn"] = rest;
            a.x = s.real(xColumn);
            out.push_back(a);
        }
    };
    Statement three(db, "SELECT ID_TAB_UKL, Nr, X_A, X_C FROM UKL_3");
    add(three, {"Ag", ""}, {"Ag", "Sn"}, 3);
    Statement four(db, "SELECT ID_TAB_UKL, Nr, X_A, X_B, X_D FROM UKL_4");
    add(four, {"Ag", "Cu", ""}, {"Ag", "Cu", "Sn"}, 4);
    Statement five(db, "SELECT ID_TAB_UKL, Nr, X_A, X_B, X_C, X_E FROM UKL_5");
    add(five, {"Ag", "Cu", "Bi", "Sb"}, {}, 5);
    return out;
}

// Rows of one dataset before their temperature ranges are known.
struct RawRow {
    DatasetPoint point;
    int section = 0; // ID_EUTEKTYKI, 0 for binary rows
};

struct RawDataset {
    int systemId = 0, propertyId = 0, publicationId = 0;
    PropertyDataset head;
    std::vector<RawRow> rows;
};

} // namespace

double PropertyDataset::valueAt(const DatasetPoint &p, double T) const
{
    if (property == DatabaseProperty::Viscosity)
        return p.A * std::exp(p.B / (thermo::kGasConstant * T));
    return p.A + p.B * T;
}

const char *propertyName(DatabaseProperty p)
{
    switch (p) {
    case DatabaseProperty::Density: return "density";
    case DatabaseProperty::SurfaceTension: return "surface tension";
    case DatabaseProperty::MolarVolume: return "molar volume";
    case DatabaseProperty::Viscosity: return "viscosity";
    }
    return "";
}

const char *propertyUnit(DatabaseProperty p)
{
    switch (p) {
    case DatabaseProperty::Density: return "g/cm3";
    case DatabaseProperty::SurfaceTension: return "mN/m";
    case DatabaseProperty::MolarVolume: return "cm3/mol";
    case DatabaseProperty::Viscosity: return "mPa s";
    }
    return "";
}

std::optional<TemperatureRange> heldTemperatureRange(sqlite3 *db, const DatasetComposition &key)
{
    Statement s(db, "SELECT MIN(T), MAX(T) FROM DANE_WLASNOSCI_T WHERE ID_TAB_UKL = ?1 AND ID_WLASCIWOSCI = ?2 "
                    "AND ID_PUBLIKACJI = ?3 AND abs(X - ?4) < 1e-7 AND (?5 = 0 OR Nr = ?5)");
    s.bind(1, key.system);
    s.bind(2, key.property);
    s.bind(3, key.publication);
    s.bind(4, key.x);
    s.bind(5, key.section);
    if (!s.next() || s.isNull(0))
        return std::nullopt;
    return TemperatureRange{s.real(0), s.real(1)};
}

DatabaseDatasets DatabaseDatasets::read(const std::string &databaseFile)
{
    DatabaseDatasets out;
    out.m_file = databaseFile;
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(databaseFile.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    std::unique_ptr<sqlite3, Closer> db(raw);
    if (rc != SQLITE_OK)
        throw std::runtime_error(databaseFile + ": cannot open the database: " + (raw ? sqlite3_errmsg(raw) : "out of memory"));
    try {
        std::map<std::tuple<int, int, int>, RawDataset> byKey; // system, property, publication
        auto datasetOf = [&](int system, const std::string &name, int property, int publication, const std::string &key,
                             PropertyDataset::Kind kind) -> RawDataset & {
            RawDataset &d = byKey[{system, property, publication}];
            if (d.head.system.empty()) {
                d.systemId = system;
                d.propertyId = property;
                d.publicationId = publication;
                d.head.system = name;
                d.head.elements = elementsOf(name);
                d.head.property = static_cast<DatabaseProperty>(property);
                d.head.publication = key;
                d.head.kind = kind;
            }
            return d;
        };

        Statement binary(db.get(),
                         "SELECT t.ID_TAB_UKL, t.OZNACZENIE, t.XP, d.ID_WLASCIWOSCI, p.ID_PUBLIKACJI, p.OZNACZENIE, p.TYTUL, d.X, d.A, d.B "
                         "FROM DANE_WLASNOSCI d JOIN TAB_UKL t ON t.ID_TAB_UKL = d.ID_TAB_UKL "
                         "JOIN PUBLIKACJE p ON p.ID_PUBLIKACJI = d.ID_PUBLIKACJI "
                         "WHERE t.ID_SELECT = 2 AND d.ID_WLASCIWOSCI BETWEEN 1 AND 4");
        while (binary.next()) {
            const auto kind = kindOf(binary.text(5), binary.text(6));
            if (!kind)
                continue;
            RawDataset &d = datasetOf(binary.integer(0), binary.text(1), binary.integer(3), binary.integer(4), binary.text(5), *kind);
            // XP names the element whose fraction X is ("X Sn"); the other one takes the rest.
            const std::string xp = binary.text(2);
            const std::string xElement = xp.size() > 2 ? xp.substr(2) : d.head.elements.back();
            if (d.head.elements.size() != 2 || std::find(d.head.elements.begin(), d.head.elements.end(), xElement) == d.head.elements.end())
                throw std::runtime_error("the binary system " + d.head.system + " has no composition variable " + xp);
            RawRow r;
            r.point.x = binary.real(7);
            r.point.A = binary.real(8);
            r.point.B = binary.real(9);
            r.point.composition = d.head.elements[1] == xElement ? std::vector<double>{1 - r.point.x, r.point.x}
                                                                 : std::vector<double>{r.point.x, 1 - r.point.x};
            r.point.label = "x " + xElement + " " + fraction(r.point.x);
            d.rows.push_back(r);
        }

        const std::vector<SectionAlloy> alloys = readSectionAlloys(db.get());
        auto alloyAt = [&](int system, int section, double x) -> const SectionAlloy * {
            for (const SectionAlloy &a : alloys)
                if (a.system == system && a.section == section && std::fabs(a.x - x) < kSameX)
                    return &a;
            // The start alloy: the composition tables hold it under every section, or as its own.
            for (const SectionAlloy &a : alloys)
                if (a.system == system && std::fabs(x) < kSameX && std::fabs(a.x) < kSameX)
                    return &a;
            return nullptr;
        };
        Statement sections(db.get(),
                           "SELECT t.ID_TAB_UKL, t.OZNACZENIE, d.ID_WLASCIWOSCI, p.ID_PUBLIKACJI, p.OZNACZENIE, p.TYTUL, d.ID_EUTEKTYKI, "
                           "d.UKLAD, d.X, d.A, d.B "
                           "FROM DANE45 d JOIN TAB_UKL t ON t.ID_TAB_UKL = d.ID_TAB_UKL "
                           "JOIN PUBLIKACJE p ON p.ID_PUBLIKACJI = d.ID_PUBLIKACJI "
                           "WHERE t.ID_SELECT >= 3 AND d.ID_WLASCIWOSCI BETWEEN 1 AND 4");
        while (sections.next()) {
            const auto kind = kindOf(sections.text(4), sections.text(5));
            if (!kind)
                continue;
            RawDataset &d = datasetOf(sections.integer(0), sections.text(1), sections.integer(2), sections.integer(3), sections.text(4), *kind);
            RawRow r;
            r.section = sections.integer(6);
            r.point.label = sections.text(7);
            r.point.x = sections.real(8);
            r.point.A = sections.real(9);
            r.point.B = sections.real(10);
            const SectionAlloy *a = alloyAt(d.systemId, r.section, r.point.x);
            if (!a)
                continue; // a row without its composition cannot be placed
            for (const std::string &e : d.head.elements) {
                const auto it = a->fractions.find(e);
                r.point.composition.push_back(it == a->fractions.end() ? 0.0 : it->second);
            }
            d.rows.push_back(r);
        }

        for (auto &[key, raw] : byKey) {
            // Every composition with the temperatures it is held for; one without is left out.
            std::vector<RawRow> held;
            for (RawRow &r : raw.rows)
                if (const auto range = heldTemperatureRange(db.get(), {raw.systemId, raw.propertyId, raw.publicationId, r.point.x, r.section})) {
                    r.point.range = *range;
                    held.push_back(r);
                }
            std::set<int> own;
            for (const RawRow &r : held)
                if (r.section != kSharedStart)
                    own.insert(r.section);
            if (own.empty() && !held.empty())
                own.insert(held.front().section); // a binary dataset, or a start alloy alone
            for (const int section : own) {
                PropertyDataset d = raw.head;
                d.section = section == kSharedStart ? 0 : section;
                for (const RawRow &r : held)
                    if (r.section == section || r.section == kSharedStart)
                        d.points.push_back(r.point);
                std::stable_sort(d.points.begin(), d.points.end(), [](const DatasetPoint &a, const DatasetPoint &b) { return a.x < b.x; });
                out.m_datasets.push_back(std::move(d));
            }
        }
    } catch (const std::exception &e) {
        throw std::runtime_error(databaseFile + ": " + e.what());
    }
    return out;
}

} // namespace korvel::alloy
