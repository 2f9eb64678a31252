// korvel3-datagen DATADIR OUTDIR
//
// Writes the table files of the shipped database that are read from the
// collected sources or calculated from them: publications, equation rows,
// temperature lines, measured points, composition tables, eutectic sections
// and the DTA list. Every input lives under DATADIR (data/ of the source tree):
//   tables/TAB_UKL.csv, tables/PIERWIASTKI.csv     systems, elements, molar masses
//   sources/publications.csv                        literature and program-data records
//   sources/collected/*.csv                         the collected data, copied unchanged
//   sources/basis.csv                               pure-metal equations used for mixing
//   sources/sections.csv                            eutectic sections of the multicomponent systems
//   sources/program_equations.csv                   equations held by the program's catalogues
//   sources/viscosity_blocks.csv                    pure-component constants of the viscosity blocks
//   sources/butler_pure_lines.csv                   pure-component lines of the Butler fits
//   sources/alloy_melting_points.csv                melting points that anchor alloy density lines
//   models/butler.csv, models/generated/*.csv       the Butler fits of the program's catalogue
//   thermo/                                         liquid parameters and molar volumes (Butler equations)
// The generated files go to OUTDIR, one CSV per table; korvel3-dbbuild loads them.
#include "ButlerRows.h"
#include "core/CommandLine.h"
#include "CsvReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <tuple>

namespace {

using korvel::build::CsvTable;
using korvel::build::readCsvFile;

constexpr double kGasConstant = 8.314472;
constexpr int kDensity = 1;
constexpr int kSurfaceTension = 2;
constexpr int kMolarVolume = 3;
constexpr int kViscosity = 4;
constexpr int kEverySection = 10;

// Identifier ranges of PUBLIKACJE (see data/README.md).
constexpr int kRefitPublication = 201;
constexpr int kIdealDensityBase = 300;
constexpr int kIdealViscosityBase = 400;
constexpr int kButlerSurfaceTensionBase = 500;
constexpr int kViscosityBlockBase = 110;

[[noreturn]] void fail(const QString& message) { throw std::runtime_error(message.toStdString()); }

// ---------------------------------------------------------------- input tables

class Rows {
public:
    explicit Rows(const QString& path) : m_path(path), m_table(readCsvFile(path)) {}
    int size() const { return int(m_table.rows.size()); }
    QString at(int row, const QString& column) const
    {
        const int c = m_table.header.indexOf(column);
        if (c < 0)
            fail(QStringLiteral("%1: no column %2").arg(m_path, column));
        const QStringList& r = m_table.rows[row];
        return c < r.size() ? r[c].trimmed() : QString();
    }
    double number(int row, const QString& column) const
    {
        bool ok = false;
        const double v = at(row, column).toDouble(&ok);
        if (!ok)
            fail(QStringLiteral("%1: record %2, column %3: not a number: %4").arg(m_path).arg(row + 2).arg(column, at(row, column)));
        return v;
    }
    std::optional<double> optionalNumber(int row, const QString& column) const
    {
        const QString text = at(row, column);
        if (text.isEmpty())
            return std::nullopt;
        return number(row, column);
    }
    bool has(const QString& column) const { return m_table.header.contains(column); }
    const QString& path() const { return m_path; }

private:
    QString m_path;
    CsvTable m_table;
};

// ---------------------------------------------------------------- numbers

double round4(double v) { return std::round(v * 10000.0) / 10000.0; }

// Compositions are written with at most four decimals, the same text in every
// table, so that the equality joins of the queries (X = X_B, X = X_C, ...) hold.
QString compositionText(double x) { return QString::number(round4(x), 'g', 12); }
QString numberText(double v) { return QString::number(v, 'g', 15); }

int lowerKelvin(double t) { return int(std::ceil(t - 1e-9)); }
int upperKelvin(double t) { return int(std::floor(t + 1e-9)); }

struct Line {
    double a = 0;
    double b = 0;
};

// Least-squares straight line through f(T) sampled evenly over [lo, hi].
template <class F> Line fitLine(F f, double lo, double hi)
{
    const int n = 41;
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (int i = 0; i < n; ++i) {
        const double t = lo + (hi - lo) * i / (n - 1);
        const double y = f(t);
        sx += t;
        sy += y;
        sxx += t * t;
        sxy += t * y;
    }
    const double b = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    return {(sy - b * sx) / n, b};
}

// ---------------------------------------------------------------- model of the output

struct Publication {
    int id = 0;
    QString key, authors, title, journal, volume, pages, year, source;
};

struct Equation {
    int property = 0;
    int system = 0;
    int publication = 0;
    QString x;
    double a = 0;
    double b = 0;
    int tLow = 0;
    int tHigh = 0;
    QString source;
    // How tLow..tHigh, the range in which the equation holds, was derived
    // (the VALID_RANGE row's SOURCE).
    QString rangeSource;
    // Multicomponent systems only.
    int section = 0;
    int alloy = 0;
    QString label;
};

struct Point {
    int system, publication, property;
    QString x;
    double t, y;
};

struct Element {
    QString symbol;
    int system = 0;
    double mass = 0;
    double melting = 0;
};

struct System {
    int id = 0;
    int classId = 0;
    QString name;
    QStringList elements;
};

using Composition = QMap<QString, double>; // element -> mole fraction

struct Alloy {
    QString x;          // composition text of the varying element
    Composition comp;   // mole fractions
    int section = 0;    // 10 for the alloy common to every section
    int number = 0;     // alloy number within its section
    QString label;
};

struct Section {
    int system = 0;
    int id = 0;
    QString label;
    QStringList order; // A, B, C, ... as the composition table reads them
    QString xElement;
    Composition start, end;
    QString xValues;
};

struct PureEquation {
    double a = 0, b = 0, tMin = 0, tMax = 0;
    QString key; // the publication key that holds it
};

class Generator {
public:
    Generator(QString dataDir, QString outDir) : m_data(std::move(dataDir)), m_out(std::move(outDir)) {}

    void run()
    {
        loadSystems();
        loadPublications();
        addPureMetalRows();
        addQuadraticRefits();
        addAlloyRows();
        loadBasis();
        addViscosityBlocks();
        addPureViscosityFromBlocks();
        addButlerLines();
        loadSections();
        addProgramEquations();
        addButlerSurfaceTension();
        addIdealMixing();
        write();
    }

private:
    QString src(const QString& name) const { return m_data + QStringLiteral("/sources/") + name; }
    QString collected(const QString& name) const { return m_data + QStringLiteral("/sources/collected/") + name; }

    // ------------------------------------------------ systems and elements
    void loadSystems()
    {
        Rows systems(m_data + QStringLiteral("/tables/TAB_UKL.csv"));
        for (int r = 0; r < systems.size(); ++r) {
            System s;
            s.id = systems.at(r, QStringLiteral("ID_TAB_UKL")).toInt();
            s.classId = systems.at(r, QStringLiteral("ID_SELECT")).toInt();
            s.name = systems.at(r, QStringLiteral("OZNACZENIE"));
            s.elements = s.name.split(QLatin1Char('-'));
            m_systems.insert(s.name, s);
            m_systemNames.insert(s.id, s.name);
        }
        Rows elements(m_data + QStringLiteral("/tables/PIERWIASTKI.csv"));
        for (int r = 0; r < elements.size(); ++r) {
            Element e;
            e.system = elements.at(r, QStringLiteral("ID_TAB_UKL")).toInt();
            e.symbol = m_systemNames.value(e.system);
            e.mass = elements.number(r, QStringLiteral("MASA_ATOMOWA"));
            e.melting = elements.number(r, QStringLiteral("TEMP_TOPNIENIA"));
            m_elements.insert(e.symbol, e);
        }
    }

    const System& system(const QString& name) const
    {
        auto it = m_systems.constFind(name);
        if (it == m_systems.constEnd())
            fail(QStringLiteral("unknown system %1").arg(name));
        return *it;
    }

    const Element& element(const QString& symbol) const
    {
        auto it = m_elements.constFind(symbol);
        if (it == m_elements.constEnd())
            fail(QStringLiteral("unknown element %1").arg(symbol));
        return *it;
    }

    // "x:Ag=0.038;Sn=0.962" (mole fractions) or "wt:Bi=58;Sn=42" (mass per cent).
    Composition parseComposition(const QString& text) const
    {
        const int colon = text.indexOf(QLatin1Char(':'));
        const QString kind = text.left(colon);
        Composition c;
        double total = 0;
        for (const QString& part : text.mid(colon + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QStringList kv = part.split(QLatin1Char('='));
            double v = kv.value(1).toDouble();
            if (kind == QLatin1String("wt"))
                v /= element(kv[0]).mass;
            else if (kind != QLatin1String("x"))
                fail(QStringLiteral("composition %1: unknown basis").arg(text));
            c[kv[0]] = v;
            total += v;
        }
        for (auto it = c.begin(); it != c.end(); ++it)
            it.value() /= total;
        return c;
    }

    // ------------------------------------------------ publications
    void loadPublications()
    {
        Rows pubs(src(QStringLiteral("publications.csv")));
        for (int r = 0; r < pubs.size(); ++r) {
            Publication p;
            p.id = pubs.at(r, QStringLiteral("ID_PUBLIKACJI")).toInt();
            p.key = pubs.at(r, QStringLiteral("OZNACZENIE"));
            p.authors = pubs.at(r, QStringLiteral("NAZWISKA"));
            p.title = pubs.at(r, QStringLiteral("TYTUL"));
            p.journal = pubs.at(r, QStringLiteral("CZASOPISMO"));
            p.volume = pubs.at(r, QStringLiteral("WOLUMIN"));
            p.pages = pubs.at(r, QStringLiteral("STRONY"));
            p.year = pubs.at(r, QStringLiteral("ROK"));
            p.source = pubs.at(r, QStringLiteral("SOURCE"));
            addPublication(p);
            m_byCitation.insert(pubs.at(r, QStringLiteral("CITATION_KEY")), p.id);
        }
    }

    void addPublication(const Publication& p)
    {
        if (m_publications.contains(p.id))
            fail(QStringLiteral("publication id %1 used twice").arg(p.id));
        for (const Publication& q : m_publications)
            if (q.key == p.key)
                fail(QStringLiteral("publication key %1 used twice").arg(p.key));
        m_publications.insert(p.id, p);
    }

    const Publication& publication(int id) const { return m_publications.find(id).value(); }

    // ------------------------------------------------ rows
    void addEquation(Equation e)
    {
        if (e.tHigh < e.tLow)
            fail(QStringLiteral("empty temperature range for %1 %2").arg(m_systemNames.value(e.system), e.x));
        m_links.insert({e.property, e.system, e.publication});
        if (e.property == kDensity)
            m_links.insert({kMolarVolume, e.system, e.publication});
        m_equations.push_back(std::move(e));
    }

    // Pure metals: the A + B*T and Arrhenius rows of the collected file whose
    // citation has a publication record.
    void addPureMetalRows()
    {
        Rows rows(collected(QStringLiteral("pure_metals.csv")));
        // Upper limits missing in a row are taken from the same source's other
        // rows for the same metal (the handbook's validity range).
        QHash<QString, double> sourceUpper;
        for (int r = 0; r < rows.size(); ++r) {
            const auto tMax = rows.optionalNumber(r, QStringLiteral("T_max_K"));
            const QString k = rows.at(r, QStringLiteral("element")) + QLatin1Char('|') + rows.at(r, QStringLiteral("citation_key"));
            if (tMax)
                sourceUpper[k] = std::max(sourceUpper.value(k), *tMax);
        }
        for (int r = 0; r < rows.size(); ++r) {
            const QString form = rows.at(r, QStringLiteral("equation_form"));
            const QString citation = rows.at(r, QStringLiteral("citation_key"));
            const QString symbol = rows.at(r, QStringLiteral("element"));
            const QString property = rows.at(r, QStringLiteral("property"));
            const bool linear = form == QLatin1String("A+B*T");
            const bool arrhenius = form.startsWith(QLatin1String("A*exp(B/(R*T))"));
            if (!m_byCitation.contains(citation)) {
                m_skipped << QStringLiteral("%1 %2 %3: source without a publication record").arg(symbol, property, citation);
                continue;
            }
            if (!linear && !arrhenius) {
                m_skipped << QStringLiteral("%1 %2 %3: form '%4' not loadable as it stands").arg(symbol, property, citation, form);
                continue;
            }
            Equation e;
            e.property = property == QLatin1String("density") ? kDensity
                       : property == QLatin1String("surface_tension") ? kSurfaceTension
                       : property == QLatin1String("viscosity") ? kViscosity : 0;
            if (e.property == 0 || (e.property == kViscosity) != arrhenius)
                fail(QStringLiteral("%1: record %2: property %3 with form %4").arg(rows.path()).arg(r + 2).arg(property, form));
            e.system = system(symbol).id;
            e.publication = m_byCitation.value(citation);
            e.x = QStringLiteral("1");
            e.a = rows.number(r, QStringLiteral("A"));
            e.b = rows.number(r, QStringLiteral("B"));
            const double tMin = rows.number(r, QStringLiteral("T_min_K"));
            const auto tMax = rows.optionalNumber(r, QStringLiteral("T_max_K"));
            const double upper = tMax ? *tMax : sourceUpper.value(symbol + QLatin1Char('|') + citation);
            if (upper <= 0)
                fail(QStringLiteral("%1: record %2: no upper temperature").arg(rows.path()).arg(r + 2));
            e.tLow = lowerKelvin(tMin);
            e.tHigh = upperKelvin(upper);
            e.source = QStringLiteral("pure_metals.csv: %1 %2 %3: %4").arg(symbol, property, citation,
                                                                         rows.at(r, QStringLiteral("original_expression")));
            if (!tMax)
                e.source += QStringLiteral(" (upper limit %1 K from the same source's other rows)").arg(upper);
            e.rangeSource = QStringLiteral("pure_metals.csv: T_min_K %1, T_max_K %2%3 (lower end rounded up, upper end down)")
                                .arg(tMin).arg(upper)
                                .arg(tMax ? QString() : QStringLiteral(" taken from the same source's other rows"));
            addEquation(e);
            if (property == QLatin1String("density"))
                m_pureDensity[symbol + QLatin1Char('|') + citation] = {e.a, e.b, tMin, upper, publication(e.publication).key};
            if (arrhenius)
                m_pureViscosity[symbol + QLatin1Char('|') + citation] = {e.a, e.b, tMin, upper, publication(e.publication).key};
        }
    }

    // The quadratic densities (t in degrees C) refitted as straight lines in T.
    void addQuadraticRefits()
    {
        Rows rows(collected(QStringLiteral("pure_metals.csv")));
        QStringList metals;
        QString sourceKey;
        int sourcePublication = 0;
        QList<Equation> pending;
        static const QRegularExpression number(QStringLiteral("[-+]?\\d+(?:\\.\\d+)?(?:[eE][-+]?\\d+)?"));
        for (int r = 0; r < rows.size(); ++r) {
            if (!rows.at(r, QStringLiteral("equation_form")).startsWith(QLatin1String("quadratic in t(C)")))
                continue;
            const QString citation = rows.at(r, QStringLiteral("citation_key"));
            if (!m_byCitation.contains(citation))
                continue;
            sourcePublication = m_byCitation.value(citation);
            sourceKey = publication(sourcePublication).key;
            const double c0 = rows.number(r, QStringLiteral("A"));
            QList<double> rest;
            for (auto it = number.globalMatch(rows.at(r, QStringLiteral("B"))); it.hasNext();)
                rest << it.next().captured().toDouble();
            if (rest.size() != 2)
                fail(QStringLiteral("%1: record %2: expected b and c").arg(rows.path()).arg(r + 2));
            const double c1 = rest[0], c2 = rest[1];
            const double lo = rows.number(r, QStringLiteral("T_min_K"));
            const double hi = rows.number(r, QStringLiteral("T_max_K"));
            const QString symbol = rows.at(r, QStringLiteral("element"));
            const Line line = fitLine([&](double t) { const double c = t - 273.15; return c0 + c1 * c + c2 * c * c; }, lo, hi);
            Equation e;
            e.property = kDensity;
            e.system = system(symbol).id;
            e.publication = kRefitPublication;
            e.x = QStringLiteral("1");
            e.a = line.a;
            e.b = line.b;
            e.tLow = lowerKelvin(lo);
            e.tHigh = upperKelvin(hi);
            e.source = QStringLiteral("datagen: least-squares line of %1 over %2-%3 K").arg(rows.at(r, QStringLiteral("original_expression"))).arg(lo).arg(hi);
            e.rangeSource = QStringLiteral("the measured range of the refitted quadratic (T_min_K %1, T_max_K %2 of the collected row)").arg(lo).arg(hi);
            pending << e;
            metals << QStringLiteral("%1 (%2-%3 K)").arg(symbol).arg(e.tLow).arg(e.tHigh);
        }
        if (pending.isEmpty())
            return;
        Publication p;
        p.id = kRefitPublication;
        p.key = QStringLiteral("[calc-lin %1]").arg(sourceKey.mid(1, sourceKey.size() - 2));
        p.title = QStringLiteral("Density of liquid %1: the quadratic equations in t (deg C) of %2 refitted by least squares as A + B*T over the measured range (calculated)")
                      .arg(metals.join(QStringLiteral(", ")), sourceKey);
        p.source = QStringLiteral("tools/datagen from data/sources/collected/pure_metals.csv");
        addPublication(p);
        for (const Equation& e : pending)
            addEquation(e);
    }

    // Alloy rows of publications: densities given as rho_m - k (T - Tm), the
    // measured point, and the compiled Ag-Cu and Cu densities.
    void addAlloyRows()
    {
        Rows melting(src(QStringLiteral("alloy_melting_points.csv")));
        Rows dta(collected(QStringLiteral("solidus_liquidus.csv")));
        auto meltingPoint = [&](const QString& alloyLabel, QString* note) {
            for (int m = 0; m < melting.size(); ++m) {
                if (melting.at(m, QStringLiteral("ALLOY_LABEL")) != alloyLabel)
                    continue;
                for (int d = 0; d < dta.size(); ++d) {
                    if (dta.at(d, QStringLiteral("alloy_label")) == melting.at(m, QStringLiteral("DTA_LABEL"))
                        && dta.at(d, QStringLiteral("citation_key")) == melting.at(m, QStringLiteral("DTA_CITATION"))) {
                        *note = QStringLiteral("Tm = %1 K, %2 of %3 (%4)")
                                    .arg(dta.at(d, melting.at(m, QStringLiteral("TM_COLUMN"))), melting.at(m, QStringLiteral("TM_COLUMN")),
                                         melting.at(m, QStringLiteral("DTA_LABEL")), melting.at(m, QStringLiteral("DTA_CITATION")));
                        return dta.number(d, melting.at(m, QStringLiteral("TM_COLUMN")));
                    }
                }
            }
            fail(QStringLiteral("no melting point for %1").arg(alloyLabel));
        };
        const QStringList massColumns = {QStringLiteral("Sn"), QStringLiteral("Ag"), QStringLiteral("Cu"), QStringLiteral("Bi"),
                                         QStringLiteral("Zn"), QStringLiteral("In"), QStringLiteral("Sb"), QStringLiteral("Pb")};
        Rows alloys(collected(QStringLiteral("alloys.csv")));
        for (int r = 0; r < alloys.size(); ++r) {
            const QString citation = alloys.at(r, QStringLiteral("citation_key"));
            if (!m_byCitation.contains(citation))
                fail(QStringLiteral("%1: record %2: no publication for %3").arg(alloys.path()).arg(r + 2).arg(citation));
            const System& sys = system(alloys.at(r, QStringLiteral("system")));
            QStringList parts;
            for (const QString& c : massColumns)
                if (!alloys.at(r, c).isEmpty())
                    parts << c + QLatin1Char('=') + alloys.at(r, c);
            const Composition comp = parseComposition(QStringLiteral("wt:") + parts.join(QLatin1Char(';')));
            const QString x = compositionText(comp.value(sys.elements.value(1)));
            const QString label = alloys.at(r, QStringLiteral("alloy_label"));
            const QString property = alloys.at(r, QStringLiteral("property"));
            if (property == QLatin1String("density")) {
                QString note;
                const double tm = meltingPoint(label, &note);
                const double rhoM = alloys.number(r, QStringLiteral("value_at_Tm"));
                Equation e;
                e.property = kDensity;
                e.system = sys.id;
                e.publication = m_byCitation.value(citation);
                e.x = x;
                e.b = alloys.number(r, QStringLiteral("B"));
                e.a = rhoM - e.b * tm;
                e.tLow = lowerKelvin(tm);
                e.tHigh = upperKelvin(alloys.number(r, QStringLiteral("T_max_K")));
                e.source = QStringLiteral("alloys.csv: %1, %2; A = rho_m - B*Tm with %3; x from mass %% with the molar masses of PIERWIASTKI")
                               .arg(label, alloys.at(r, QStringLiteral("original_expression")), note);
                e.rangeSource = QStringLiteral("alloys.csv: from the melting point Tm %1 K (%2) to T_max_K").arg(tm).arg(note);
                addEquation(e);
            } else if (alloys.at(r, QStringLiteral("equation_form")) == QLatin1String("measured point")) {
                const int prop = property == QLatin1String("surface_tension") ? kSurfaceTension : kDensity;
                m_points.push_back({sys.id, m_byCitation.value(citation), prop, x, alloys.number(r, QStringLiteral("measured_T_K")),
                                    alloys.number(r, QStringLiteral("measured_value"))});
                m_links.insert({prop, sys.id, m_byCitation.value(citation)});
                m_binaryCompositions[sys.id].insert(x);
            } else {
                m_skipped << QStringLiteral("alloys.csv %1 %2: not loadable").arg(label, property);
            }
        }
        Rows compiled(collected(QStringLiteral("alloys_compiled.csv")));
        static const QRegularExpression fraction(QStringLiteral("x_(\\w+)=([0-9.]+)"));
        for (int r = 0; r < compiled.size(); ++r) {
            const QString citation = compiled.at(r, QStringLiteral("citation_key"));
            if (compiled.at(r, QStringLiteral("property")) != QLatin1String("density") || !m_byCitation.contains(citation))
                continue;
            Composition comp;
            for (auto it = fraction.globalMatch(compiled.at(r, QStringLiteral("mole_fractions_derived"))); it.hasNext();) {
                const auto m = it.next();
                comp[m.captured(1)] = m.captured(2).toDouble();
            }
            QString systemName = compiled.at(r, QStringLiteral("system"));
            if (comp.size() == 1)
                systemName = comp.firstKey();
            const System& sys = system(systemName);
            Equation e;
            e.property = kDensity;
            e.system = sys.id;
            e.publication = m_byCitation.value(citation);
            e.x = sys.elements.size() == 1 ? QStringLiteral("1") : compositionText(comp.value(sys.elements.value(1)));
            e.a = compiled.number(r, QStringLiteral("A"));
            e.b = compiled.number(r, QStringLiteral("B"));
            e.tLow = lowerKelvin(compiled.number(r, QStringLiteral("T_min_K")));
            e.tHigh = upperKelvin(compiled.number(r, QStringLiteral("T_max_K")));
            e.rangeSource = QStringLiteral("alloys_compiled.csv: T_min_K, T_max_K (lower end rounded up, upper end down)");
            e.source = QStringLiteral("alloys_compiled.csv: %1, %2").arg(compiled.at(r, QStringLiteral("composition_as_given")),
                                                                       compiled.at(r, QStringLiteral("original_expression")));
            addEquation(e);
        }
    }

    // One record per block key; the block's constants at x = 0 and x = 1.
    void addViscosityBlocks()
    {
        Rows blocks(src(QStringLiteral("viscosity_blocks.csv")));
        QMap<QString, QStringList> blocksOfKey;
        QStringList keyOrder;
        for (int r = 0; r < blocks.size(); ++r) {
            const QString key = blocks.at(r, QStringLiteral("KEY"));
            if (!blocksOfKey.contains(key))
                keyOrder << key;
            blocksOfKey[key] << QStringLiteral("%1 (block %2)").arg(blocks.at(r, QStringLiteral("SYSTEM")), blocks.at(r, QStringLiteral("BLOCK")));
        }
        for (int i = 0; i < keyOrder.size(); ++i) {
            Publication p;
            p.id = kViscosityBlockBase + i;
            p.key = keyOrder[i];
            p.authors = QStringLiteral("(authors not held)");
            p.title = QStringLiteral("Viscosity-model catalogue of this program: pure-component Arrhenius constants A [mPa*s] and E [J/mol] of the "
                                     "coefficient block(s) %1, stored at x = 0 (first element) and x = 1 (second element) over each "
                                     "system's accepted temperature range; the block's original publication is not held (program catalogue data)")
                          .arg(blocksOfKey[p.key].join(QStringLiteral(", ")));
            p.source = QStringLiteral("data/sources/viscosity_blocks.csv");
            addPublication(p);
            m_blockPublication[p.key] = p.id;
        }
        for (int r = 0; r < blocks.size(); ++r) {
            const System& sys = system(blocks.at(r, QStringLiteral("SYSTEM")));
            const int pub = m_blockPublication.value(blocks.at(r, QStringLiteral("KEY")));
            const int lo = blocks.at(r, QStringLiteral("T_MIN_K")).toInt();
            const int hi = blocks.at(r, QStringLiteral("T_MAX_K")).toInt();
            for (int c = 1; c <= 2; ++c) {
                Equation e;
                e.property = kViscosity;
                e.system = sys.id;
                e.publication = pub;
                e.x = c == 1 ? QStringLiteral("0") : QStringLiteral("1");
                e.a = blocks.number(r, QStringLiteral("A%1").arg(c));
                e.b = blocks.number(r, QStringLiteral("E%1").arg(c));
                e.tLow = lo;
                e.tHigh = hi;
                e.rangeSource = QStringLiteral("viscosity_blocks.csv: the block's accepted range T_MIN_K, T_MAX_K");
                e.source = QStringLiteral("viscosity_blocks.csv: %1 block %2, component %3 (%4)")
                               .arg(sys.name, blocks.at(r, QStringLiteral("BLOCK"))).arg(c).arg(sys.elements.value(c - 1));
                addEquation(e);
                m_blockConstants[blocks.at(r, QStringLiteral("KEY")) + QLatin1Char('|') + sys.elements.value(c - 1)] =
                    {e.a, e.b, double(lo), double(hi), blocks.at(r, QStringLiteral("KEY"))};
            }
        }
    }

    void addButlerLines()
    {
        Rows lines(src(QStringLiteral("butler_pure_lines.csv")));
        const int pub = m_byCitation.value(QStringLiteral("PROGRAM_BUTLER_LINES"));
        for (int r = 0; r < lines.size(); ++r) {
            const QString symbol = lines.at(r, QStringLiteral("ELEMENT"));
            Equation e;
            e.property = kSurfaceTension;
            e.system = system(symbol).id;
            e.publication = pub;
            e.x = QStringLiteral("1");
            e.a = lines.number(r, QStringLiteral("S"));
            e.b = -lines.number(r, QStringLiteral("T_COEF"));
            e.tLow = lowerKelvin(element(symbol).melting);
            e.tHigh = 1500;
            e.rangeSource = QStringLiteral("the line as the Butler fits draw it: from the melting point of PIERWIASTKI (rounded up) to 1500 K");
            e.source = QStringLiteral("butler_pure_lines.csv: sigma = %1 - %2*T").arg(lines.at(r, QStringLiteral("S")), lines.at(r, QStringLiteral("T_COEF")));
            addEquation(e);
        }
    }

    // ------------------------------------------------ sections of the multicomponent systems
    static QList<double> xGrid(const QString& grid, double xEnd)
    {
        QList<double> xs;
        if (grid.startsWith(QLatin1String("t:"))) {
            const int steps = grid.mid(2).toInt();
            for (int k = 0; k <= steps; ++k)
                xs << round4(xEnd * k / steps);
            return xs;
        }
        const QStringList p = grid.split(QLatin1Char(':'));
        const double from = p.value(0).toDouble(), to = p.value(1).toDouble(), step = p.value(2).toDouble();
        for (int k = 0; from + k * step <= to + 1e-9; ++k)
            xs << round4(from + k * step);
        return xs;
    }

    void loadSections()
    {
        Rows rows(src(QStringLiteral("sections.csv")));
        for (int r = 0; r < rows.size(); ++r) {
            Section s;
            s.system = system(rows.at(r, QStringLiteral("SYSTEM"))).id;
            s.id = rows.at(r, QStringLiteral("SECTION")).toInt();
            s.label = rows.at(r, QStringLiteral("LABEL"));
            s.order = rows.at(r, QStringLiteral("ORDER")).split(QLatin1Char(';'));
            s.xElement = rows.at(r, QStringLiteral("X_ELEMENT"));
            s.start = parseComposition(rows.at(r, QStringLiteral("START")));
            s.end = parseComposition(rows.at(r, QStringLiteral("END")));
            s.xValues = rows.at(r, QStringLiteral("X_VALUES"));
            if (s.start.value(s.xElement) != 0)
                fail(QStringLiteral("section %1 of %2 must start without %3").arg(s.id).arg(rows.at(r, QStringLiteral("SYSTEM")), s.xElement));
            if (s.id == kEverySection)
                fail(QStringLiteral("section 10 is the one shared by every section"));
            const System& sys = system(rows.at(r, QStringLiteral("SYSTEM")));
            QStringList sorted = s.order;
            std::sort(sorted.begin(), sorted.end());
            QStringList elems = sys.elements;
            std::sort(elems.begin(), elems.end());
            if (sorted != elems)
                fail(QStringLiteral("section order %1 does not name the elements of %2").arg(s.order.join(QLatin1Char(';')), sys.name));
            m_sections.push_back(s);
            for (double x : xGrid(s.xValues, s.end.value(s.xElement)))
                alloyAt(s, x);
        }
    }

    const Section& sectionOf(int systemId, int id) const
    {
        for (const Section& s : m_sections)
            if (s.system == systemId && s.id == id)
                return s;
        fail(QStringLiteral("no section %1 for %2").arg(id).arg(m_systemNames.value(systemId)));
    }

    // The alloy of a section at composition x of the varying element; x = 0 is
    // the section's start, shared by every section of the system (section 10).
    Alloy& alloyAt(const Section& s, double x)
    {
        const QString xText = compositionText(x);
        const bool shared = xText == QLatin1String("0");
        const int section = shared ? kEverySection : s.id;
        auto& list = m_alloys[{s.system, section}];
        for (Alloy& a : list) {
            if (a.x != xText)
                continue;
            if (shared)
                for (const QString& el : s.order)
                    if (std::abs(a.comp.value(el) - s.start.value(el)) > 1e-12)
                        fail(QStringLiteral("the sections of %1 do not share their start").arg(m_systemNames.value(s.system)));
            return a;
        }
        const double t = round4(x) / s.end.value(s.xElement);
        // Compositions carry four decimals, so a section's last alloy may lie a
        // rounding step beyond the target composition; anything more is an error.
        if (round4(x) > s.end.value(s.xElement) + 0.5e-4 + 1e-12)
            fail(QStringLiteral("x = %1 lies beyond the end of section %2").arg(xText).arg(s.id));
        Alloy a;
        a.x = xText;
        a.section = section;
        for (const QString& el : s.order)
            a.comp[el] = (1 - t) * s.start.value(el) + t * s.end.value(el);
        QString label;
        for (const QString& el : m_systems.value(m_systemNames.value(s.system)).elements) {
            const double pct = std::round(a.comp.value(el) * 10000.0) / 100.0;
            if (pct > 0)
                label += el + QString::number(pct, 'f', 2).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
        }
        a.label = label;
        list.push_back(a);
        return list.back();
    }

    // Alloy numbers in ascending composition, per section.
    void numberAlloys()
    {
        for (auto& [key, list] : m_alloys) {
            std::sort(list.begin(), list.end(), [](const Alloy& l, const Alloy& r) { return l.x.toDouble() < r.x.toDouble(); });
            for (int i = 0; i < list.size(); ++i)
                list[i].number = i + 1;
        }
    }

    // ------------------------------------------------ equations held by the program's catalogues
    void addProgramEquations()
    {
        Rows rows(src(QStringLiteral("program_equations.csv")));
        for (int r = 0; r < rows.size(); ++r) {
            const System& sys = system(rows.at(r, QStringLiteral("SYSTEM")));
            int publicationId = -1;
            for (const Publication& p : m_publications)
                if (p.key == rows.at(r, QStringLiteral("KEY")))
                    publicationId = p.id;
            if (publicationId < 0)
                fail(QStringLiteral("program equation key %1 has no publication").arg(rows.at(r, QStringLiteral("KEY"))));
            const QString form = rows.at(r, QStringLiteral("FORM"));
            double c[7];
            for (int i = 0; i < 7; ++i)
                c[i] = rows.at(r, QStringLiteral("C%1").arg(i)).toDouble();
            const int lo = rows.at(r, QStringLiteral("T_MIN_K")).toInt();
            const int hi = rows.at(r, QStringLiteral("T_MAX_K")).toInt();
            const QString xGridText = rows.at(r, QStringLiteral("X_VALUES"));
            QList<double> xs;
            if (xGridText.startsWith(QLatin1String("wt:")) || xGridText.startsWith(QLatin1String("x:")))
                xs << round4(parseComposition(xGridText).value(sys.elements.value(1)));
            else
                xs = xGrid(xGridText, 1.0);
            for (double x : xs) {
                Line line;
                if (form == QLatin1String("mix")) {
                    line = {x * c[0] + (1 - x) * c[2] + x * (1 - x) * c[4], x * c[1] + (1 - x) * c[3] + x * (1 - x) * c[5]};
                } else if (form == QLatin1String("poly2")) {
                    line = {c[0] + c[2] * x + c[4] * x * x, c[1] + c[3] * x + c[5] * x * x};
                } else if (form == QLatin1String("logfrac")) {
                    const double l = std::log(x + c[4] * (1 - x));
                    line = fitLine([&](double t) { return (c[0] + c[1] * t) * (1 + (c[2] * t + c[3]) * l); }, lo, hi);
                } else {
                    fail(QStringLiteral("unknown equation form %1").arg(form));
                }
                Equation e;
                e.property = rows.at(r, QStringLiteral("PROPERTY")).toInt();
                e.system = sys.id;
                e.publication = publicationId;
                e.a = line.a;
                e.b = line.b;
                e.tLow = lo;
                e.tHigh = hi;
                e.rangeSource = QStringLiteral("program_equations.csv: T_MIN_K, T_MAX_K of the catalogue equation");
                e.source = QStringLiteral("program_equations.csv: %1 %2 form %3%4")
                               .arg(sys.name, rows.at(r, QStringLiteral("KEY")), form,
                                    form == QLatin1String("logfrac") ? QStringLiteral(", least-squares line over %1-%2 K").arg(lo).arg(hi) : QString());
                if (sys.classId >= 3) {
                    const Section& s = sectionOf(sys.id, rows.at(r, QStringLiteral("SECTION")).toInt());
                    const Alloy& a = alloyAt(s, x);
                    e.x = a.x;
                    m_pending45.push_back({e, s.id});
                } else {
                    e.x = compositionText(x);
                    addEquation(e);
                }
            }
        }
    }

    // ------------------------------------------------ surface tension by the Butler model
    // One record per system, "[calc-st <system>]": the Butler curve of each composition as a
    // least-squares line over the curve's temperatures (ButlerRows.h says where each comes from).
    void addButlerSurfaceTension()
    {
        std::map<QString, korvel::datagen::PureLine> pure;
        Rows lines(src(QStringLiteral("butler_pure_lines.csv")));
        for (int r = 0; r < lines.size(); ++r)
            pure[lines.at(r, QStringLiteral("ELEMENT"))] = {lines.number(r, QStringLiteral("S")), lines.number(r, QStringLiteral("T_COEF"))};
        std::map<QString, double> melting;
        for (const Element& e : m_elements)
            melting[e.symbol] = e.melting;
        QStringList binaries;
        for (const System& s : m_systems)
            if (s.classId == 2)
                binaries << s.name;
        for (const korvel::datagen::SurfaceTensionSet& set : korvel::datagen::butlerSurfaceTension(m_data, binaries, pure, melting)) {
            if (!m_systems.contains(set.system))
                fail(QStringLiteral("Butler fit of %1: no such system").arg(set.system));
            const System& sys = m_systems.value(set.system);
            const Section* section = nullptr;
            if (sys.classId >= 3) {
                if (!set.section)
                    fail(QStringLiteral("Butler fit of %1 is not a section").arg(set.system));
                section = sectionStartingAt(sys, set.varying, set.base);
            }
            QStringList xs;
            for (const korvel::datagen::SurfaceTensionLine& l : set.lines)
                xs << compositionText(l.x);
            Publication p;
            p.id = kButlerSurfaceTensionBase + sys.id;
            p.key = QStringLiteral("[calc-st %1]").arg(sys.name);
            p.title = QStringLiteral("Surface tension of liquid %1 alloys by the Butler model at x(%2) = %3%4: %5; refitted as A + B*T per composition over "
                                     "%6-%7 K, within %8 mN/m of the model (calculated)")
                          .arg(sys.name, set.varying, xs.join(QStringLiteral(", ")),
                               section ? QStringLiteral(" along section %1 (%2)").arg(section->id).arg(section->label) : QString(), set.method)
                          .arg(set.tLow)
                          .arg(set.tHigh)
                          .arg(QString::number(set.deviation(), 'g', 2));
            p.source = QStringLiteral("tools/datagen (ButlerRows.cpp): data/models/butler.csv, data/models/generated/butler_fits.csv, "
                                      "data/thermo/, data/sources/butler_pure_lines.csv");
            addPublication(p);
            for (const korvel::datagen::SurfaceTensionLine& l : set.lines) {
                Equation e;
                e.property = kSurfaceTension;
                e.system = sys.id;
                e.publication = p.id;
                e.a = l.a;
                e.b = l.b;
                e.tLow = set.tLow;
                e.tHigh = set.tHigh;
                e.rangeSource = QStringLiteral("the temperature range of the Butler calculation the line is fitted over (%1)").arg(set.method);
                e.source = QStringLiteral("datagen: %1, least-squares line over %2-%3 K, largest deviation %4 mN/m")
                               .arg(set.rowSource).arg(set.tLow).arg(set.tHigh).arg(QString::number(l.deviation, 'g', 2));
                if (section) {
                    const Alloy& a = alloyAt(*section, l.x);
                    e.x = a.x;
                    m_pending45.push_back({e, section->id});
                } else {
                    e.x = compositionText(l.x);
                    addEquation(e);
                }
            }
        }
    }

    // The section of a system that runs from `base` towards pure `element`.
    const Section* sectionStartingAt(const System& sys, const QString& element, const std::vector<std::pair<QString, double>>& base) const
    {
        for (const Section& s : m_sections) {
            if (s.system != sys.id || s.xElement != element || std::abs(s.end.value(element) - 1) > 1e-12)
                continue;
            bool same = int(base.size()) == int(std::count_if(s.start.cbegin(), s.start.cend(), [](double v) { return v > 0; }));
            for (const auto& [el, fraction] : base)
                same = same && std::abs(s.start.value(el) - fraction) < 1e-9;
            if (same)
                return &s;
        }
        fail(QStringLiteral("%1: no section from the Butler fit's base alloy towards %2").arg(sys.name, element));
    }

    // ------------------------------------------------ ideal mixing
    PureEquation basisOf(const QString& symbol, bool viscosity) const
    {
        const QString key = m_basis.value(symbol).value(viscosity ? 1 : 0);
        if (key.startsWith(QLatin1Char('['))) {
            auto it = m_blockConstants.constFind(key + QLatin1Char('|') + symbol);
            if (it == m_blockConstants.constEnd())
                fail(QStringLiteral("block %1 holds no constants of %2").arg(key, symbol));
            return *it;
        }
        const auto& table = viscosity ? m_pureViscosity : m_pureDensity;
        auto it = table.constFind(symbol + QLatin1Char('|') + key);
        if (it == table.constEnd())
            fail(QStringLiteral("no %1 equation of %2 from %3").arg(viscosity ? QStringLiteral("viscosity") : QStringLiteral("density"), symbol, key));
        return *it;
    }

    struct Range {
        int lo, hi;
        bool extended;
    };
    // How a common range was derived, for the VALID_RANGE rows.
    QString rangeText(const Range& r, const QStringList& elements, bool viscosity) const
    {
        QStringList inputs;
        for (const QString& el : elements) {
            const PureEquation p = basisOf(el, viscosity);
            inputs << QStringLiteral("%1 %2-%3 K").arg(el).arg(p.tMin).arg(p.tMax);
        }
        return r.extended ? QStringLiteral("the highest lower limit of the pure-metal inputs (%1) plus 100 K: their common range is "
                                           "shorter, so the inputs are extended beyond their own ranges").arg(inputs.join(QStringLiteral(", ")))
                          : QStringLiteral("the common range of the pure-metal inputs (%1): highest lower limit to lowest upper limit")
                                .arg(inputs.join(QStringLiteral(", ")));
    }

    Range commonRange(const QStringList& elements, bool viscosity) const
    {
        double lo = 0, hi = 1e9;
        for (const QString& el : elements) {
            const PureEquation p = basisOf(el, viscosity);
            lo = std::max(lo, p.tMin);
            hi = std::min(hi, p.tMax);
        }
        Range r{lowerKelvin(lo), upperKelvin(hi), false};
        if (r.hi < r.lo + 100) {
            r.hi = r.lo + 100;
            r.extended = true;
        }
        return r;
    }

    QString basisText(const QStringList& elements, bool viscosity) const
    {
        QMap<QString, QStringList> byKey;
        for (const QString& el : elements)
            byKey[basisOf(el, viscosity).key] << el;
        QStringList parts;
        for (auto it = byKey.cbegin(); it != byKey.cend(); ++it)
            parts << QStringLiteral("%1 (%2)").arg(it.key(), it.value().join(QStringLiteral(", ")));
        return parts.join(QStringLiteral(" and "));
    }

    Line idealDensity(const Composition& comp, const Range& range) const
    {
        if (comp.size() == 1 || std::count_if(comp.cbegin(), comp.cend(), [](double v) { return v > 0; }) == 1) {
            for (auto it = comp.cbegin(); it != comp.cend(); ++it)
                if (it.value() > 0) {
                    const PureEquation p = basisOf(it.key(), false);
                    return {p.a, p.b};
                }
        }
        return fitLine([&](double t) {
            double mass = 0, volume = 0;
            for (auto it = comp.cbegin(); it != comp.cend(); ++it) {
                if (it.value() <= 0)
                    continue;
                const PureEquation p = basisOf(it.key(), false);
                const double m = element(it.key()).mass;
                mass += it.value() * m;
                volume += it.value() * m / (p.a + p.b * t);
            }
            return mass / volume;
        }, range.lo, range.hi);
    }

    Line idealViscosity(const Composition& comp) const
    {
        double lnA = 0, e = 0;
        for (auto it = comp.cbegin(); it != comp.cend(); ++it) {
            const PureEquation p = basisOf(it.key(), true);
            lnA += it.value() * std::log(p.a);
            e += it.value() * p.b;
        }
        return {std::exp(lnA), e};
    }

    void loadBasis()
    {
        Rows basis(src(QStringLiteral("basis.csv")));
        for (int r = 0; r < basis.size(); ++r)
            m_basis[basis.at(r, QStringLiteral("ELEMENT"))] = {basis.at(r, QStringLiteral("DENSITY_KEY")), basis.at(r, QStringLiteral("VISCOSITY_KEY"))};
    }

    // A metal without a sourced viscosity takes the constants of the block that
    // basis.csv names for it; they are stored as its pure-metal viscosity under
    // the block's record, so that the mixing inputs are data of the database.
    void addPureViscosityFromBlocks()
    {
        for (auto it = m_basis.cbegin(); it != m_basis.cend(); ++it) {
            const QString key = it.value().value(1);
            if (!key.startsWith(QLatin1Char('[')))
                continue;
            const PureEquation p = basisOf(it.key(), true);
            Equation e;
            e.property = kViscosity;
            e.system = system(it.key()).id;
            e.publication = m_blockPublication.value(key);
            e.x = QStringLiteral("1");
            e.a = p.a;
            e.b = p.b;
            e.tLow = int(p.tMin);
            e.tHigh = int(p.tMax);
            e.rangeSource = QStringLiteral("viscosity_blocks.csv: the accepted range of block %1").arg(key);
            e.source = QStringLiteral("viscosity_blocks.csv: constants of %1 in block %2, named for %1 by basis.csv").arg(it.key(), key);
            addEquation(e);
            Publication& pub = m_publications[e.publication];
            pub.title.replace(QStringLiteral(" (program catalogue data)"),
                              QStringLiteral("; the constants of %1 are also stored as the viscosity of pure %1 (program catalogue data)").arg(it.key()));
        }
    }

    void addIdealMixing()
    {
        for (const System& sys : m_systems) {
            if (sys.classId < 2)
                continue;
            const Range dRange = commonRange(sys.elements, false);
            const Range vRange = commonRange(sys.elements, true);
            const QString what = sys.classId == 2 ? QStringLiteral("at x(%1) = 0, 0.1, ..., 1").arg(sys.elements.value(1))
                                                  : QStringLiteral("along the eutectic sections of the system");
            Publication d;
            d.id = kIdealDensityBase + sys.id;
            d.key = QStringLiteral("[calc-d %1]").arg(sys.name);
            d.title = QStringLiteral("Ideal-mixing density of liquid %1 alloys %2: additive molar volumes from the pure-metal densities of %3 "
                                     "and the molar masses of the elements, refitted as A + B*T per composition over %4-%5 K%6 (calculated)")
                          .arg(sys.name, what, basisText(sys.elements, false)).arg(dRange.lo).arg(dRange.hi)
                          .arg(dRange.extended ? QStringLiteral(", a range that extends the pure-metal equations beyond their own ranges") : QString());
            d.source = QStringLiteral("tools/datagen: data/sources/basis.csv, sections.csv, collected/pure_metals.csv, tables/PIERWIASTKI.csv");
            addPublication(d);
            Publication v;
            v.id = kIdealViscosityBase + sys.id;
            v.key = QStringLiteral("[calc-v %1]").arg(sys.name);
            v.title = QStringLiteral("Viscosity of liquid %1 alloys %2 by ideal Arrhenius mixing: ln A and E weighted by mole fraction, from the "
                                     "pure-metal viscosities of %3; temperature lines over %4-%5 K%6 (calculated)")
                          .arg(sys.name, what, basisText(sys.elements, true)).arg(vRange.lo).arg(vRange.hi)
                          .arg(vRange.extended ? QStringLiteral(", a range that extends the pure-metal equations beyond their own ranges") : QString());
            v.source = d.source;
            addPublication(v);

            auto makeRows = [&](const QString& x, const Composition& comp, auto&& sink) {
                const Line dl = idealDensity(comp, dRange);
                Equation e;
                e.property = kDensity;
                e.system = sys.id;
                e.publication = d.id;
                e.x = x;
                e.a = dl.a;
                e.b = dl.b;
                e.tLow = dRange.lo;
                e.tHigh = dRange.hi;
                e.rangeSource = rangeText(dRange, sys.elements, false);
                e.source = QStringLiteral("datagen: ideal mixing of molar volumes, least-squares line over %1-%2 K").arg(dRange.lo).arg(dRange.hi);
                sink(e);
                const Line vl = idealViscosity(comp);
                e.property = kViscosity;
                e.publication = v.id;
                e.a = vl.a;
                e.b = vl.b;
                e.tLow = vRange.lo;
                e.tHigh = vRange.hi;
                e.rangeSource = rangeText(vRange, sys.elements, true);
                e.source = QStringLiteral("datagen: ideal Arrhenius mixing, ln A = sum x ln A_i, E = sum x E_i");
                sink(e);
            };

            if (sys.classId == 2) {
                for (int k = 0; k <= 10; ++k) {
                    const double x = k / 10.0;
                    Composition comp;
                    comp[sys.elements[0]] = 1 - x;
                    comp[sys.elements[1]] = x;
                    makeRows(compositionText(x), comp, [&](const Equation& e) { addEquation(e); });
                }
                continue;
            }
            for (const Section& s : m_sections) {
                if (s.system != sys.id)
                    continue;
                for (double x : xGrid(s.xValues, s.end.value(s.xElement))) {
                    const Alloy& a = alloyAt(s, x);
                    makeRows(a.x, a.comp, [&](const Equation& e) { m_pending45.push_back({e, s.id}); });
                }
            }
        }
        // Rows of the multicomponent systems get their alloy numbers now that
        // every alloy of every section is known.
        numberAlloys();
        std::set<std::tuple<int, int, int, int, QString>> seen;
        for (auto& [e, sectionId] : m_pending45) {
            const Section& s = sectionOf(e.system, sectionId);
            const Alloy& a = alloyAt(s, e.x.toDouble());
            e.section = a.section;
            e.alloy = a.number;
            e.label = a.label;
            // The shared start alloy is written once per publication and property.
            if (!seen.insert({e.property, e.system, e.publication, e.section, e.x}).second)
                continue;
            addEquation(e);
        }
    }

    // ------------------------------------------------ output
    class CsvOut {
    public:
        CsvOut(QString path, QStringList header) : m_path(std::move(path)), m_header(std::move(header)) {}
        void add(const QStringList& row)
        {
            if (row.size() != m_header.size())
                fail(QStringLiteral("%1: row of %2 fields").arg(m_path).arg(row.size()));
            m_rows << row;
        }
        int size() const { return int(m_rows.size()); }
        void write() const
        {
            QString text;
            auto line = [&](const QStringList& fields) {
                QStringList quoted;
                for (QString f : fields) {
                    if (f.contains(QLatin1Char(',')) || f.contains(QLatin1Char('"')) || f.contains(QLatin1Char('\n')))
                        f = QLatin1Char('"') + f.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
                    quoted << f;
                }
                text += quoted.join(QLatin1Char(',')) + QLatin1Char('\n');
            };
            line(m_header);
            for (const QStringList& r : m_rows)
                line(r);
            QFile file(m_path);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                fail(QStringLiteral("cannot write %1").arg(m_path));
            file.write(text.toUtf8());
        }

    private:
        QString m_path;
        QStringList m_header;
        QList<QStringList> m_rows;
    };

    QString out(const QString& table) const { return m_out + QLatin1Char('/') + table + QStringLiteral(".csv"); }

    void write()
    {
        QDir().mkpath(m_out);
        QTextStream log(stdout);

        CsvOut pubs(out(QStringLiteral("PUBLIKACJE")), {QStringLiteral("ID_PUBLIKACJI"), QStringLiteral("OZNACZENIE"), QStringLiteral("NAZWISKA"),
                                                        QStringLiteral("TYTUL"), QStringLiteral("CZASOPISMO"), QStringLiteral("WOLUMIN"),
                                                        QStringLiteral("STRONY"), QStringLiteral("ROK"), QStringLiteral("SOURCE")});
        for (const Publication& p : m_publications)
            pubs.add({QString::number(p.id), p.key, p.authors, p.title, p.journal, p.volume, p.pages, p.year, p.source});

        CsvOut links(out(QStringLiteral("WLA_TAB_PUB")), {QStringLiteral("ID_WLASCIWOSCI"), QStringLiteral("ID_TAB_UKL"), QStringLiteral("ID_PUBLIKACJI")});
        for (const auto& [prop, sys, pub] : m_links)
            links.add({QString::number(prop), QString::number(sys), QString::number(pub)});

        CsvOut dane(out(QStringLiteral("DANE_WLASNOSCI")), {QStringLiteral("ID_DANE_WLA"), QStringLiteral("ID_WLASCIWOSCI"), QStringLiteral("ID_TAB_UKL"),
                                                            QStringLiteral("ID_PUBLIKACJI"), QStringLiteral("X"), QStringLiteral("A"), QStringLiteral("B"),
                                                            QStringLiteral("SOURCE")});
        CsvOut dane45(out(QStringLiteral("DANE45")), {QStringLiteral("ID_WLASCIWOSCI"), QStringLiteral("ID_TAB_UKL"), QStringLiteral("ID_PUBLIKACJI"),
                                                      QStringLiteral("ID_EUTEKTYKI"), QStringLiteral("Nr"), QStringLiteral("UKLAD"), QStringLiteral("X"),
                                                      QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("SOURCE")});
        CsvOut lines(out(QStringLiteral("DANE_WLASNOSCI_T")), {QStringLiteral("ID_DANE_WLA_T"), QStringLiteral("ID_WLASCIWOSCI"), QStringLiteral("ID_TAB_UKL"),
                                                               QStringLiteral("ID_PUBLIKACJI"), QStringLiteral("X"), QStringLiteral("T"), QStringLiteral("A"),
                                                               QStringLiteral("B"), QStringLiteral("Nr"), QStringLiteral("Nr2")});
        CsvOut ranges(out(QStringLiteral("VALID_RANGE")), {QStringLiteral("ID_WLASCIWOSCI"), QStringLiteral("ID_TAB_UKL"), QStringLiteral("ID_PUBLIKACJI"),
                                                           QStringLiteral("ID_EUTEKTYKI"), QStringLiteral("Nr"), QStringLiteral("X"),
                                                           QStringLiteral("T_MIN"), QStringLiteral("T_MAX"), QStringLiteral("SOURCE")});
        std::sort(m_equations.begin(), m_equations.end(), [](const Equation& l, const Equation& r) {
            return std::make_tuple(l.system, l.property, l.publication, l.section, l.x.toDouble())
                 < std::make_tuple(r.system, r.property, r.publication, r.section, r.x.toDouble());
        });
        std::set<std::tuple<int, int, int, int, QString>> unique;
        int rowId = 0, lineId = 0;
        for (const Equation& e : m_equations) {
            if (!unique.insert({e.property, e.system, e.publication, e.section, e.x}).second)
                fail(QStringLiteral("two equations for %1, property %2, publication %3, x = %4")
                         .arg(m_systemNames.value(e.system)).arg(e.property).arg(publication(e.publication).key, e.x));
            const bool multi = m_systems.value(m_systemNames.value(e.system)).classId >= 3;
            if (multi)
                dane45.add({QString::number(e.property), QString::number(e.system), QString::number(e.publication), QString::number(e.section),
                            QString::number(e.alloy), e.label, e.x, numberText(e.a), numberText(e.b), e.source});
            else {
                dane.add({QString::number(++rowId), QString::number(e.property), QString::number(e.system), QString::number(e.publication), e.x,
                          numberText(e.a), numberText(e.b), e.source});
                if (m_systems.value(m_systemNames.value(e.system)).classId == 2)
                    m_binaryCompositions[e.system].insert(e.x);
            }
            if (e.rangeSource.isEmpty())
                fail(QStringLiteral("no range source for %1, property %2, publication %3, x = %4")
                         .arg(m_systemNames.value(e.system)).arg(e.property).arg(publication(e.publication).key, e.x));
            ranges.add({QString::number(e.property), QString::number(e.system), QString::number(e.publication),
                        multi ? QString::number(e.section) : QString(), multi ? QString::number(e.alloy) : QString(), e.x,
                        QString::number(e.tLow), QString::number(e.tHigh), e.rangeSource});
            for (int t : {e.tLow, e.tHigh})
                lines.add({QString::number(++lineId), QString::number(e.property), QString::number(e.system), QString::number(e.publication), e.x,
                           QString::number(t), numberText(e.a), numberText(e.b), multi ? QString::number(e.section) : QString(),
                           multi ? QString::number(e.alloy) : QString()});
        }

        CsvOut points(out(QStringLiteral("PUNKTY_D")), {QStringLiteral("ID_TAB_UKL"), QStringLiteral("ID_PUBLIKACJI"), QStringLiteral("ID_WLASCIWOSCI"),
                                                        QStringLiteral("X"), QStringLiteral("T"), QStringLiteral("Y"), QStringLiteral("Nr"), QStringLiteral("Nr2")});
        for (const Point& p : m_points)
            points.add({QString::number(p.system), QString::number(p.publication), QString::number(p.property), p.x, numberText(p.t),
                        numberText(p.y), QString(), QString()});

        CsvOut ukl2(out(QStringLiteral("UKL_2")), {QStringLiteral("ID_TAB_UKL"), QStringLiteral("X_B"), QStringLiteral("MASA_A"), QStringLiteral("MASA_B")});
        for (auto it = m_binaryCompositions.cbegin(); it != m_binaryCompositions.cend(); ++it) {
            const System& sys = m_systems.value(m_systemNames.value(it.key()));
            QList<QString> xs(it.value().cbegin(), it.value().cend());
            std::sort(xs.begin(), xs.end(), [](const QString& l, const QString& r) { return l.toDouble() < r.toDouble(); });
            for (const QString& x : xs)
                ukl2.add({QString::number(sys.id), x, numberText(element(sys.elements[0]).mass), numberText(element(sys.elements[1]).mass)});
        }

        CsvOut ukl3(out(QStringLiteral("UKL_3")), {QStringLiteral("ID_TAB_UKL"), QStringLiteral("X_A"), QStringLiteral("X_C"), QStringLiteral("MASA_A"),
                                                   QStringLiteral("MASA_B"), QStringLiteral("MASA_C"), QStringLiteral("Nr")});
        QStringList h4 = {QStringLiteral("ID_TAB_UKL"), QStringLiteral("X_A"), QStringLiteral("X_B"), QStringLiteral("X_D"), QStringLiteral("MASA_A"),
                          QStringLiteral("MASA_B"), QStringLiteral("MASA_C"), QStringLiteral("MASA_D"), QStringLiteral("Nr"), QStringLiteral("Nr2")};
        CsvOut ukl4(out(QStringLiteral("UKL_4")), h4);
        CsvOut ukl5(out(QStringLiteral("UKL_5")), {QStringLiteral("ID_TAB_UKL"), QStringLiteral("X_A"), QStringLiteral("X_B"), QStringLiteral("X_C"),
                                                   QStringLiteral("X_E"), QStringLiteral("MASA_A"), QStringLiteral("MASA_B"), QStringLiteral("MASA_C"),
                                                   QStringLiteral("MASA_D"), QStringLiteral("MASA_E"), QStringLiteral("Nr"), QStringLiteral("Nr2")});
        CsvOut eut(out(QStringLiteral("EUT")), {QStringLiteral("ID_EUT"), QStringLiteral("ID_TAB_UKL"), QStringLiteral("OZNACZENIE"), QStringLiteral("ID_EUTEKTYKI")});
        int eutId = 0;
        for (const Section& s : m_sections) {
            eut.add({QString::number(++eutId), QString::number(s.system), s.label, QString::number(s.id)});
            const int cls = m_systems.value(m_systemNames.value(s.system)).classId;
            QStringList masses;
            for (const QString& el : s.order)
                masses << numberText(element(el).mass);
            auto frac = [](const Alloy& a, const QString& el) { return numberText(a.comp.value(el)); };
            QList<const Alloy*> alloys;
            for (const Alloy& a : m_alloys[{s.system, s.id}])
                alloys << &a;
            if (cls == 3) {
                // The composition table of a ternary section also holds the
                // shared start alloy, joined on composition only.
                for (const Alloy& a : m_alloys[{s.system, kEverySection}])
                    alloys.prepend(&a);
                for (const Alloy* a : alloys)
                    ukl3.add({QString::number(s.system), frac(*a, s.order[0]), a->x, masses[0], masses[1], masses[2], QString::number(s.id)});
            } else {
                bool first = true;
                for (const Section& o : m_sections)
                    if (o.system == s.system && o.id < s.id)
                        first = false;
                if (first)
                    for (const Alloy& a : m_alloys[{s.system, kEverySection}])
                        alloys.prepend(&a);
                for (const Alloy* a : alloys) {
                    if (cls == 4)
                        ukl4.add({QString::number(s.system), frac(*a, s.order[0]), frac(*a, s.order[1]), a->x, masses[0], masses[1], masses[2],
                                  masses[3], QString::number(a->section), QString::number(a->number)});
                    else
                        ukl5.add({QString::number(s.system), frac(*a, s.order[0]), frac(*a, s.order[1]), frac(*a, s.order[2]), a->x, masses[0],
                                  masses[1], masses[2], masses[3], masses[4], QString::number(a->section), QString::number(a->number)});
                }
            }
        }

        writeDta();
        for (const CsvOut* t : {&pubs, &links, &dane, &dane45, &lines, &points, &ukl2, &ukl3, &ukl4, &ukl5, &eut, &ranges}) {
            t->write();
        }
        log << "korvel3-datagen: " << pubs.size() << " publications, " << links.size() << " links, " << dane.size() << " + " << dane45.size()
            << " equations, " << lines.size() << " line rows, " << points.size() << " points, " << eut.size() << " sections\n";
        for (const QString& s : m_skipped)
            log << "  not loaded: " << s << "\n";
    }

    // The DTA rows: the collected melting ranges, then those added from further
    // sources (data/sources/solidus_liquidus_added.csv, which also has an Au column).
    void writeDta()
    {
        const QStringList elements = {QStringLiteral("Ag"), QStringLiteral("Al"), QStringLiteral("Au"), QStringLiteral("Bi"), QStringLiteral("Cu"),
                                      QStringLiteral("In"), QStringLiteral("Li"), QStringLiteral("Pb"), QStringLiteral("Sb"), QStringLiteral("Sn"),
                                      QStringLiteral("Zn")};
        QStringList header = {QStringLiteral("WYTOP"), QStringLiteral("ALLOY"), QStringLiteral("Tsol"), QStringLiteral("Tliq")};
        header << elements << QStringLiteral("SOURCE");
        CsvOut dta(out(QStringLiteral("DTA")), header);
        int number = 0;
        for (const QString& path : {collected(QStringLiteral("solidus_liquidus.csv")), src(QStringLiteral("solidus_liquidus_added.csv"))}) {
            Rows rows(path);
            for (int r = 0; r < rows.size(); ++r) {
                QStringList row = {QString(), rows.at(r, QStringLiteral("alloy_label")), rows.at(r, QStringLiteral("solidus_K")),
                                   rows.at(r, QStringLiteral("liquidus_K"))};
                bool any = false;
                for (const QString& el : elements) {
                    const QString v = rows.has(el) ? rows.at(r, el) : QString();
                    any = any || !v.isEmpty();
                    row << v;
                }
                if (!any) {
                    m_skipped << QStringLiteral("%1 %2: no composition").arg(QFileInfo(path).fileName(), rows.at(r, QStringLiteral("alloy_label")));
                    continue;
                }
                rows.number(r, QStringLiteral("solidus_K"));
                rows.number(r, QStringLiteral("liquidus_K"));
                row[0] = QString::number(++number);
                row << QStringLiteral("%1 (%2); confidence %3").arg(rows.at(r, QStringLiteral("citation_key")), rows.at(r, QStringLiteral("read_at")),
                                                                   rows.at(r, QStringLiteral("confidence")));
                dta.add(row);
            }
        }
        dta.write();
    }

    QString m_data, m_out;
    QMap<QString, System> m_systems;
    QHash<int, QString> m_systemNames;
    QMap<QString, Element> m_elements;
    QMap<int, Publication> m_publications;
    QHash<QString, int> m_byCitation;
    QHash<QString, int> m_blockPublication;
    QHash<QString, PureEquation> m_pureDensity, m_pureViscosity, m_blockConstants;
    QHash<QString, QStringList> m_basis;
    std::vector<Equation> m_equations;
    std::vector<Point> m_points;
    std::set<std::tuple<int, int, int>> m_links;
    QMap<int, QSet<QString>> m_binaryCompositions;
    std::vector<Section> m_sections;
    std::map<std::pair<int, int>, QList<Alloy>> m_alloys;
    std::vector<std::pair<Equation, int>> m_pending45;
    QStringList m_skipped;
};

} // namespace

int main(int argc, char** argv)
{
    static const korvel::cli::Usage cliUsage{"korvel3-datagen", "korvel3-datagen DATADIR OUTDIR",
        "Generates the sourced and calculated tables of the property database from the data folder DATADIR into OUTDIR (run by the build).",
        {}};
    if (const std::optional<int> done = korvel::cli::handleStandardOptions(argc, argv, cliUsage))
        return *done;
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: korvel3-datagen DATADIR OUTDIR\n";
        return 2;
    }
    try {
        Generator(args[1], args[2]).run();
    } catch (const std::exception& e) {
        QTextStream(stderr) << "korvel3-datagen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
