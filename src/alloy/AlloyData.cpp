#include "AlloyData.h"

#include <algorithm>

#include "CsvTable.h"
#include "GasConstant.h"
#include "tdb/Reader.h"

#include <cmath>
#include <stdexcept>

namespace korvel::alloy {

using thermo::CsvTable;

namespace {

double numberIn(const CsvTable &t, std::size_t row, const std::string &column)
{
    const std::string &s = t.rows[row][t.column(column)];
    if (s.empty())
        return 0;
    try {
        std::size_t used = 0;
        const double v = std::stod(s, &used);
        if (used == s.size())
            return v;
    } catch (const std::exception &) {
    }
    throw std::runtime_error(t.where(row) + ": " + column + " is not a number: " + s);
}

std::string textIn(const CsvTable &t, std::size_t row, const std::string &column)
{
    return t.rows[row][t.column(column)];
}

} // namespace

double ArrheniusEquation::at(double T) const
{
    return A * std::exp(E / (thermo::kGasConstant * T));
}

AlloyData AlloyData::read(const std::string &dataDir)
{
    AlloyData d;
    const CsvTable publications = CsvTable::read(dataDir + "/sources/publications.csv");
    std::map<std::string, std::string> keyOf; // citation key -> program key
    for (std::size_t i = 0; i < publications.rows.size(); ++i)
        keyOf[textIn(publications, i, "CITATION_KEY")] = textIn(publications, i, "OZNACZENIE");
    auto programKey = [&](const std::string &citation) {
        if (!citation.empty() && citation[0] == '[')
            return citation;
        const auto it = keyOf.find(citation);
        if (it == keyOf.end())
            throw std::runtime_error(publications.path + ": no record of the citation " + citation);
        return it->second;
    };

    const CsvTable elements = CsvTable::read(dataDir + "/thermo/elements.csv");
    for (std::size_t i = 0; i < elements.rows.size(); ++i) {
        ElementData e;
        e.symbol = textIn(elements, i, "symbol");
        e.molarMass = numberIn(elements, i, "molar_mass");
        e.crcDensity = {numberIn(elements, i, "rho_A"), numberIn(elements, i, "rho_B"), 0, 0, programKey("CRC95")};
        d.m_elements[e.symbol] = e;
    }

    const CsvTable lines = CsvTable::read(dataDir + "/sources/butler_pure_lines.csv");
    for (std::size_t i = 0; i < lines.rows.size(); ++i)
        if (auto it = d.m_elements.find(textIn(lines, i, "ELEMENT")); it != d.m_elements.end())
            it->second.surfaceTension = LinearEquation{numberIn(lines, i, "S"), -numberIn(lines, i, "T_COEF"), 0, 0,
                                                       programKey("PROGRAM_BUTLER_LINES")};

    const CsvTable basis = CsvTable::read(dataDir + "/sources/basis.csv");
    const CsvTable pure = CsvTable::read(dataDir + "/sources/collected/pure_metals.csv");
    const CsvTable blocks = CsvTable::read(dataDir + "/sources/viscosity_blocks.csv");
    for (std::size_t i = 0; i < basis.rows.size(); ++i) {
        const auto it = d.m_elements.find(textIn(basis, i, "ELEMENT"));
        if (it == d.m_elements.end())
            continue;
        ElementData &e = it->second;
        const std::string densityKey = textIn(basis, i, "DENSITY_KEY"), viscosityKey = textIn(basis, i, "VISCOSITY_KEY");
        for (std::size_t r = 0; r < pure.rows.size(); ++r) {
            if (textIn(pure, r, "element") != e.symbol)
                continue;
            const std::string property = textIn(pure, r, "property"), key = textIn(pure, r, "citation_key");
            const double A = numberIn(pure, r, "A"), tMin = numberIn(pure, r, "T_min_K"), tMax = numberIn(pure, r, "T_max_K");
            if (property == "density" && key == densityKey && textIn(pure, r, "equation_form") == "A+B*T" && !e.density)
                e.density = LinearEquation{A, numberIn(pure, r, "B"), tMin, tMax, programKey(key)};
            if (property == "viscosity" && key == viscosityKey && !e.viscosity)
                e.viscosity = ArrheniusEquation{A, numberIn(pure, r, "B"), tMin, tMax, programKey(key)};
        }
        // A viscosity-block key: the element's constants in that block.
        for (std::size_t r = 0; r < blocks.rows.size() && !e.viscosity; ++r) {
            if (textIn(blocks, r, "KEY") != viscosityKey)
                continue;
            const std::string system = textIn(blocks, r, "SYSTEM");
            const bool first = system.rfind(e.symbol + "-", 0) == 0;
            const bool second = system.size() > e.symbol.size() && system.compare(system.size() - e.symbol.size() - 1, std::string::npos, "-" + e.symbol) == 0;
            if (first || second)
                e.viscosity = ArrheniusEquation{numberIn(blocks, r, first ? "A1" : "A2"), numberIn(blocks, r, first ? "E1" : "E2"),
                                                numberIn(blocks, r, "T_MIN_K"), numberIn(blocks, r, "T_MAX_K"), viscosityKey};
        }
    }

    const std::string tdbDir = dataDir + "/thermo/tdb/";
    const CsvTable files = CsvTable::read(tdbDir + "diagram_files.csv");
    for (std::size_t i = 0; i < files.rows.size(); ++i) {
        ParameterFile f;
        f.file = textIn(files, i, "file");
        f.caption = textIn(files, i, "caption");
        f.idealUnassessed = textIn(files, i, "unassessed_phases") == "ideal";
        f.database = std::make_unique<thermo::tdb::Database>(thermo::tdb::readDatabaseFile(tdbDir + f.file));
        d.m_files.push_back(std::move(f));
    }
    const CsvTable liquids = CsvTable::read(dataDir + "/thermo/liquid_sources.csv");
    for (std::size_t i = 0; i < liquids.rows.size(); ++i)
        d.m_liquidSources[textIn(liquids, i, "system")] = textIn(liquids, i, "source_key");

    // The collected melting ranges and the rows added from further sources share their columns;
    // the added file also gives gold.
    for (const char *file : {"/sources/collected/solidus_liquidus.csv", "/sources/solidus_liquidus_added.csv"}) {
        const CsvTable dta = CsvTable::read(dataDir + file);
        for (std::size_t i = 0; i < dta.rows.size(); ++i) {
            MeasuredMelting m;
            m.label = textIn(dta, i, "alloy_label");
            if (textIn(dta, i, "composition_basis") != "mass %" || m.label.find("(calculated)") != std::string::npos)
                continue;
            for (const char *e : {"Sn", "Ag", "Cu", "Bi", "Zn", "Sb", "In", "Pb", "Au"}) {
                const auto &h = dta.header;
                if (std::find(h.begin(), h.end(), e) == h.end())
                    continue;
                if (const double w = numberIn(dta, i, e); w > 0)
                    m.massPercent[e] = w;
            }
            m.solidus = numberIn(dta, i, "solidus_K");
            m.liquidus = numberIn(dta, i, "liquidus_K");
            m.source = textIn(dta, i, "citation_key");
            if (!m.massPercent.empty() && m.liquidus > 0)
                d.m_measured.push_back(m);
        }
    }
    return d;
}

const ElementData *AlloyData::element(const std::string &symbol) const
{
    const auto it = m_elements.find(symbol);
    return it == m_elements.end() ? nullptr : &it->second;
}

std::string AlloyData::liquidSource(const std::string &a, const std::string &b) const
{
    for (const std::string &key : {a + "-" + b, b + "-" + a})
        if (const auto it = m_liquidSources.find(key); it != m_liquidSources.end())
            return it->second;
    return {};
}

} // namespace korvel::alloy
