// Ternary Gibbs energies against hand computations from the same parameters, the shipped
// vertical sections against the measured Sn-Ag-Cu ternary eutectic and the computed Ag-Sn
// binary, and the committed section results against the build's own output (the results the
// build wrote beside the pictures it drew: the sections are not computed again here).
#include "phase/SectionFields.h"
#include "phase/SectionSet.h"
#include "CsvTable.h"
#include "tdb/Reader.h"

#include <QFile>
#include <QtTest>

#include <cmath>
#include <map>
#include <tuple>

using namespace korvel::thermo;
using namespace korvel::thermo::phase;

namespace {

const std::string kData = std::string(KORVEL_SOURCE_DIR) + "/data";
constexpr double R = 8.31451;
constexpr double mAg = 107.8682, mCu = 63.546, mSn = 118.710;

const tdb::Database &nist()
{
    static const tdb::Database db = tdb::readDatabaseFile(kData + "/thermo/tdb/NIST-solder_2017-08-04.tdb");
    return db;
}

// An invariant of a shipped section as the build wrote it (ternary_invariants.csv and
// section_extent.csv of the build's diagram results).
struct BuiltInvariant {
    std::string system, kind, reaction;
    double T = 0;
    std::vector<std::string> phases;
    std::vector<Composition> x; // per state, in the order of phases
    double sMin = -1, sMax = -1;
};

struct BuiltSections {
    std::vector<BuiltInvariant> invariants;
    // Per system: the fields of the lowest isotherm with where they start and end, and of the highest.
    std::map<std::string, std::tuple<std::string, double, double>> bottom;
    std::map<std::string, std::string> top;
};

const std::string kResults = KORVEL_DIAGRAM_RESULTS_DIR;

std::vector<std::string> words(const std::string &text, char separator)
{
    std::vector<std::string> out;
    std::string word;
    for (char c : text + separator) {
        if (c != separator) {
            word += c;
        } else if (!word.empty()) {
            out.push_back(word);
            word.clear();
        }
    }
    return out;
}

const BuiltSections &built()
{
    static const BuiltSections sections = [] {
        BuiltSections b;
        const CsvTable table = CsvTable::read(kResults + "/ternary_invariants.csv");
        for (const auto &r : table.rows) {
            BuiltInvariant inv{r[0], r[3], r[5], std::stod(r[4]), words(r[6], ' '), {}};
            const auto xs = words(r[7], ' ');
            for (std::size_t i = 3; i < xs.size(); ++i) { // after "x(A B C)"
                const auto f = words(xs[i], '/');
                inv.x.push_back({std::stod(f.at(0)), std::stod(f.at(1)), std::stod(f.at(2))});
            }
            b.invariants.push_back(inv);
        }
        for (const auto &r : CsvTable::read(kResults + "/section_extent.csv").rows) {
            if (r[0] == "invariant") {
                for (BuiltInvariant &inv : b.invariants)
                    if (inv.system == r[1] && inv.reaction == r[3] && std::fabs(inv.T - std::stod(r[2])) < 1e-9) {
                        inv.sMin = std::stod(r[4]);
                        inv.sMax = std::stod(r[5]);
                    }
            } else if (r[0] == "bottom") {
                b.bottom[r[1]] = {r[3], std::stod(r[4]), std::stod(r[5])};
            } else if (r[0] == "top") {
                b.top[r[1]] = r[3];
            }
        }
        if (b.invariants.empty() || b.top.empty())
            throw std::runtime_error(kResults + ": no section results: build the target korvel_shipped_database first");
        return b;
    }();
    return sections;
}

std::vector<BuiltInvariant> invariantsOf(const std::string &system)
{
    std::vector<BuiltInvariant> out;
    for (const BuiltInvariant &inv : built().invariants)
        if (inv.system == system)
            out.push_back(inv);
    return out;
}

// The texts of a system's block of the build's References.txt.
std::vector<std::string> builtReferences(const std::string &system)
{
    QFile f(QString::fromStdString(kResults + "/References.txt"));
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(kResults + "/References.txt cannot be read");
    const std::string text = f.readAll().toStdString();
    const std::size_t start = text.find("[" + system + "]");
    if (start == std::string::npos)
        return {};
    const std::size_t from = start + system.size() + 2, end = text.find('|', from);
    return words(text.substr(from, end - from), '\n');
}

double xlnx(double x)
{
    return x > 0 ? x * std::log(x) : 0;
}

// °G of a pure element in a phase of the NIST file, as the file writes it.
double pureG(const std::string &phase, const std::string &element, double T)
{
    const tdb::Parameter *p = nist().find("G", phase, {{element}}, 0);
    if (!p)
        throw std::runtime_error("no G(" + phase + "," + element + ")");
    return nist().evaluate(p->value, T);
}

// A state of a one-sublattice phase from mole fractions by element index (the phase's own
// order of constituents differs from the system's).
std::vector<double> stateOf(const TernaryPhase &phase, const Composition &x)
{
    std::vector<double> y;
    for (int c : phase.constituents(0))
        y.push_back(x[static_cast<std::size_t>(c)]);
    return y;
}

// Three elements, pure end members at 0, ternary interactions only.
const char *kTernaryOnly = R"(ELEMENT VA VACUUM 0 0 0 !
ELEMENT A FCC_A1 10 0 0 !
ELEMENT B FCC_A1 20 0 0 !
ELEMENT C FCC_A1 30 0 0 !
TYPE_DEFINITION % SEQ * !
PHASE WEIGHTED % 1 1 !
CONSTITUENT WEIGHTED :A,B,C: !
PARAMETER G(WEIGHTED,A;0) 1 0; 6000 N !
PARAMETER G(WEIGHTED,B;0) 1 0; 6000 N !
PARAMETER G(WEIGHTED,C;0) 1 0; 6000 N !
PARAMETER L(WEIGHTED,A,B,C;0) 1 -30000; 6000 N !
PARAMETER L(WEIGHTED,A,B,C;1) 1 12000+10*T; 6000 N !
PARAMETER L(WEIGHTED,A,B,C;2) 1 5000; 6000 N !
PHASE CONSTANT % 2 1 2 !
CONSTITUENT CONSTANT :A,B,C:VA: !
PARAMETER G(CONSTANT,A:VA;0) 1 0; 6000 N !
PARAMETER G(CONSTANT,B:VA;0) 1 0; 6000 N !
PARAMETER G(CONSTANT,C:VA;0) 1 0; 6000 N !
PARAMETER L(CONSTANT,A,B,C:VA;0) 1 -30000; 6000 N !
)";

} // namespace

class TestSection : public QObject {
    Q_OBJECT
private slots:
    void ternaryLiquidAndBct();
    void sublatticeCompoundInTheTernary();
    void ternaryInteractionOrders_data();
    void ternaryInteractionOrders();
    void fieldsAlongTheLine();
    void sectionLineFromTheTable();
    void ternaryEutecticAgainstMeasurement();
    void sectionStartMeltsAtTheBinaryEutectic();
    void invariantsOfTheSections();
    void referencesOfTheSections();
    void committedResultsAreRegenerated();
};

void TestSection::ternaryLiquidAndBct()
{
    // Ag-Sn-Cu at 800 K, x(Ag) 0.2, x(Sn) 0.5, x(Cu) 0.3; parameters typed from the NIST file.
    const double T = 800, xAg = 0.2, xSn = 0.5, xCu = 0.3;
    const std::array<std::string, 3> elements{"AG", "SN", "CU"};
    const auto liquid = TernaryPhase::build(nist(), "LIQUID", elements);
    QVERIFY(liquid);
    const double ideal = R * T * (xlnx(xAg) + xlnx(xSn) + xlnx(xCu));
    const double agCu = xAg * xCu * ((17323.40 - 4.46819 * T) + (1654.38 - 2.35285 * T) * (xAg - xCu));
    const double agSn = xAg * xSn * ((-5146.7 - 5.0103 * T) + (-15799.3 + 3.3208 * T) * (xAg - xSn) + -6687.5 * std::pow(xAg - xSn, 2));
    const double cuSn = xCu * xSn * ((-9002.8 - 5.8381 * T) + (-20100.4 + 3.6366 * T) * (xCu - xSn) + -10528.40 * std::pow(xCu - xSn, 2));
    const double ternary = xAg * xCu * xSn * -30000; // order 0 only: no composition weight
    const double expected = xAg * pureG("LIQUID", "AG", T) + xSn * pureG("LIQUID", "SN", T) + xCu * pureG("LIQUID", "CU", T) +
                            ideal + agCu + agSn + cuSn + ternary;
    auto y = stateOf(*liquid, {xAg, xSn, xCu});
    QVERIFY2(std::fabs(liquid->gibbsPerAtom(liquid->at(T), y.data()) - expected) < 1e-6,
             qPrintable(QString::number(liquid->gibbsPerAtom(liquid->at(T), y.data()) - expected)));
    const Composition x = liquid->composition(y.data());
    QCOMPARE(x[0], xAg);
    QCOMPARE(x[2], xCu);

    // BCT_A5 of the same three elements: constant binary terms, no ternary one.
    const auto bct = TernaryPhase::build(nist(), "BCT_A5", elements);
    QVERIFY(bct);
    const double bctExpected = xAg * pureG("BCT_A5", "AG", T) + xSn * pureG("BCT_A5", "SN", T) + xCu * pureG("BCT_A5", "CU", T) +
                               ideal + xAg * xCu * 20000 + xAg * xSn * 18358.8 + xCu * xSn * 21000.0;
    y = stateOf(*bct, {xAg, xSn, xCu});
    QVERIFY(std::fabs(bct->gibbsPerAtom(bct->at(T), y.data()) - bctExpected) < 1e-6);
}

void TestSection::sublatticeCompoundInTheTernary()
{
    // EPSILON (Ag3Sn) is (AG,SB)0.75(AG,SB,SN)0.25 in the file: in Ag-Sn-Cu it is AG:AG,SN, Cu-free.
    const auto eps = TernaryPhase::build(nist(), "EPSILON", {"AG", "SN", "CU"});
    QVERIFY(eps);
    QCOMPARE(eps->sublattices(), 2);
    QCOMPARE(eps->siteFractions(), 3);
    QVERIFY(!eps->holds(2));
    const double T = 450, ySn = 0.9;
    const double y[3] = {1.0, 1 - ySn, ySn}; // sublattice 1: Ag; sublattice 2: Ag, Sn
    const Composition x = eps->composition(y);
    QVERIFY(std::fabs(x[1] - 0.25 * ySn) < 1e-12);
    QCOMPARE(x[2], 0.0);
    const double gAgAg = 4750 - 0.5 * T + nist().functionValue("GHSERAG", T);
    const double gAgSn = nist().evaluate(nist().find("G", "EPSILON", {{"AG"}, {"SN"}}, 0)->value, T);
    const double expected = (1 - ySn) * gAgAg + ySn * gAgSn + R * T * 0.25 * (xlnx(ySn) + xlnx(1 - ySn));
    QVERIFY(std::fabs(eps->gibbs(eps->at(T), y) - expected) < 1e-6);
    // A phase without any of the three elements on a sublattice cannot take part.
    QVERIFY(!TernaryPhase::build(nist(), "SB2SN3", {"AG", "SN", "CU"}));
}

void TestSection::ternaryInteractionOrders_data()
{
    QTest::addColumn<double>("xA");
    QTest::addColumn<double>("xB");
    QTest::newRow("centre") << 1.0 / 3 << 1.0 / 3;
    QTest::newRow("A-rich") << 0.7 << 0.2;
    QTest::newRow("near the B-C edge") << 0.001 << 0.6;
}

void TestSection::ternaryInteractionOrders()
{
    QFETCH(double, xA);
    QFETCH(double, xB);
    const double xC = 1 - xA - xB, T = 900;
    const tdb::Database db = tdb::readDatabase(kTernaryOnly, "ternary fixture");
    const double ideal = R * T * (xlnx(xA) + xlnx(xB) + xlnx(xC));
    // With orders 0, 1 and 2 each weighs its constituent's fraction (v_i = x_i on one sublattice).
    const auto weighted = TernaryPhase::build(db, "WEIGHTED", {"A", "B", "C"});
    QVERIFY(weighted);
    auto y = stateOf(*weighted, {xA, xB, xC});
    const double l0 = -30000, l1 = 12000 + 10 * T, l2 = 5000;
    QVERIFY(std::fabs(weighted->gibbsPerAtom(weighted->at(T), y.data()) - (ideal + xA * xB * xC * (xA * l0 + xB * l1 + xC * l2))) < 1e-8);
    // With order 0 alone it is constant; a vacancy sublattice of 2 sites carries no atoms.
    const auto constant = TernaryPhase::build(db, "CONSTANT", {"A", "B", "C"});
    QVERIFY(constant);
    std::vector<double> yc = stateOf(*constant, {xA, xB, xC});
    yc.push_back(1.0);
    QCOMPARE(constant->atoms(yc.data()), 1.0);
    QVERIFY(std::fabs(constant->gibbsPerAtom(constant->at(T), yc.data()) - (ideal + xA * xB * xC * l0)) < 1e-8);
}

void TestSection::fieldsAlongTheLine()
{
    // The line from the Ag-Sn eutectic to Cu enters a triangle through the edge across it at
    // x(Cu) 0.2 (Ag 0.01 to each side) and leaves it through the corner on it at 0.9.
    const SectionLine line{{0.038, 0.962, 0}, {0, 0, 1}};
    const Composition p = line.at(0.2);
    const auto [lo, hi] = lineCrossing(line, {p[0] + 0.01, p[1] - 0.01, p[2]}, {p[0] - 0.01, p[1] + 0.01, p[2]}, line.at(0.9));
    QVERIFY2(std::fabs(lo - 0.2) < 1e-9 && std::fabs(hi - 0.9) < 1e-9, qPrintable(QStringLiteral("%1 %2").arg(lo).arg(hi)));
    const auto miss = lineCrossing(line, {0.9, 0.1, 0.0}, {0.8, 0.1, 0.1}, {0.85, 0.05, 0.1});
    QVERIFY(miss.first > miss.second);

    auto fields = [](std::vector<std::pair<std::vector<int>, double>> ends) {
        SectionIsotherm iso;
        double left = 0;
        for (const auto &[phases, right] : ends) {
            iso.fields.push_back({phases, left, right, {}});
            left = right;
        }
        return iso;
    };
    auto phasesOf = [](const SectionIsotherm &iso) {
        std::vector<std::vector<int>> out;
        for (const SectionField &f : iso.fields)
            out.push_back(f.phases);
        return out;
    };
    // No width, then grid noise between two fields of the same phases.
    SectionIsotherm iso = fields({{{0}, 0.3}, {{0, 1}, 0.300001}, {{1}, 0.5}, {{1, 2}, 0.501}, {{1}, 1.0}});
    tidyFields(iso);
    QCOMPARE(phasesOf(iso), (std::vector<std::vector<int>>{{0}, {1}}));
    QCOMPARE(iso.fields[0].sRight, iso.fields[1].sLeft);
    QCOMPARE(iso.fields.back().sRight, 1.0);

    // Solution 0 alone is stable below s = 0.37: the grid's end at 0.4 moves there; a field of
    // 0 + 1 in the middle of the 0 field passes the test and goes; the single field of 0 at 0.8
    // fails it and goes.
    iso = fields({{{0}, 0.2}, {{0, 1}, 0.25}, {{0}, 0.4}, {{0, 1}, 0.75}, {{0}, 0.85}, {{0, 1}, 1.0}});
    auto single = [](const SectionField &f) { return f.phases.size() == 1 ? f.phases[0] : -1; };
    auto alone = [](int phase, double s) { return phase == 0 && s < 0.37; };
    settleSolutionBoundaries(iso, single, alone);
    QCOMPARE(phasesOf(iso), (std::vector<std::vector<int>>{{0}, {0, 1}}));
    QVERIFY(std::fabs(iso.fields[0].sRight - 0.37) < 1e-5);
}

void TestSection::sectionLineFromTheTable()
{
    const SectionDefinition d = readSectionDefinition(kData + "/sources/sections.csv", "Ag-Cu-Sn");
    QCOMPARE(d.order, (std::array<std::string, 3>{"AG", "SN", "CU"}));
    QCOMPARE(d.line.start, (Composition{0.038, 0.962, 0.0}));
    QCOMPARE(d.line.end, (Composition{0.0, 0.0, 1.0}));
    QCOMPARE(d.label, std::string("Ag0.038Sn0.962 - Cu"));
    QCOMPARE(d.xElement, std::string("Cu"));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, readSectionDefinition(kData + "/sources/sections.csv", "Au-Pt-Sn"));
}

void TestSection::ternaryEutecticAgainstMeasurement()
{
    // solidus_liquidus.csv of the collected data: the Sn-Ag-Cu ternary eutectic measured at
    // (217.2 ± 0.2) °C = 490.35 K, Sn-3.57Ag-0.9Cu mass % (K.-W. Moon, W.J. Boettinger,
    // U.R. Kattner, F.S. Biancaniello, C.A. Handwerker, Proc. SMTA International 2000).
    const auto invariants = invariantsOf("Ag-Cu-Sn");
    const auto e = std::find_if(invariants.begin(), invariants.end(), [](const BuiltInvariant &inv) { return inv.kind == "ternary eutectic"; });
    QVERIFY(e != invariants.end());
    QCOMPARE(e->reaction, std::string("LIQUID -> BCT_A5 + EPSILON + CU6SN5"));
    QVERIFY2(std::fabs(e->T - 490.35) <= 3, qPrintable(QString::number(e->T)));
    const auto liquid = std::find(e->phases.begin(), e->phases.end(), "LIQUID");
    QVERIFY(liquid != e->phases.end() && e->x.size() == e->phases.size());
    const Composition &x = e->x[static_cast<std::size_t>(liquid - e->phases.begin())]; // order Ag, Sn, Cu
    const double mass = x[0] * mAg + x[1] * mSn + x[2] * mCu;
    const double ag = 100 * x[0] * mAg / mass, cu = 100 * x[2] * mCu / mass;
    QVERIFY2(std::fabs(ag - 3.57) < 0.5 && std::fabs(cu - 0.9) < 0.3, qPrintable(QStringLiteral("Ag %1, Cu %2 mass %").arg(ag).arg(cu)));
    // The section crosses the eutectic plane from the Ag-Sn edge to the Cu6Sn5 composition.
    QVERIFY(e->sMin >= 0 && e->sMin < 0.01);
    QVERIFY(std::fabs(e->sMax - 0.5321) < 0.002);
}

void TestSection::sectionStartMeltsAtTheBinaryEutectic()
{
    // The line starts in the Ag-Sn binary (x Ag 0.038): melting begins at the binary eutectic,
    // 493.40 K as the binary diagram computes it (invariants.csv).
    const std::pair<const char *, const char *> thirds[] = {{"CU", "Ag-Cu-Sn"}, {"BI", "Ag-Bi-Sn"}, {"SB", "Ag-Sb-Sn"}};
    for (const auto &[third, name] : thirds) {
        const TernarySystem system(nist(), {"AG", "SN", third});
        const SectionDefinition d = readSectionDefinition(kData + "/sources/sections.csv", name);
        const double solidus = solidusAt(system, d.line, 0, 450, 550);
        QVERIFY2(std::fabs(solidus - 493.40) < 0.5, qPrintable(QStringLiteral("%1: %2 K").arg(third).arg(solidus)));
        // A little copper or bismuth brings the ternary eutectic or a three-phase field with liquid lower.
        if (third != std::string("SB"))
            QVERIFY(solidusAt(system, d.line, 0.01, 350, 550) < solidus - 1);
    }
}

void TestSection::invariantsOfTheSections()
{
    const auto bi = invariantsOf("Ag-Bi-Sn");
    const auto e = std::find_if(bi.begin(), bi.end(), [](const BuiltInvariant &inv) { return inv.kind == "ternary eutectic"; });
    QVERIFY(e != bi.end());
    QCOMPARE(e->reaction, std::string("LIQUID -> BCT_A5 + EPSILON + RHOMBO_A7"));
    // Below the Bi-Sn binary eutectic (411.96 K computed from the same file).
    QVERIFY(e->T < 411.96 && e->T > 400);
    // Ag-Sb-Sn: the Sn-rich liquid reacts with SbSn to (Sn) and Ag3Sn above the Ag-Sn eutectic
    // (493.40 K) and below the Sb-Sn peritectic L + SbSn -> Sb2Sn3 (523.78 K, invariants.csv);
    // the collected data hold no measured invariant of this ternary.
    const auto sb = invariantsOf("Ag-Sb-Sn");
    const auto low = std::find_if(sb.begin(), sb.end(), [](const BuiltInvariant &inv) { return inv.reaction == "LIQUID + SBSN -> BCT_A5 + EPSILON"; });
    QVERIFY(low != sb.end());
    QVERIFY2(low->T > 493.40 && low->T < 523.78, qPrintable(QString::number(low->T)));
    QVERIFY(std::none_of(sb.begin(), sb.end(), [](const BuiltInvariant &inv) { return inv.kind == "ternary eutectic"; }));
    // Every section ends liquid at its top and starts solid at its bottom.
    QCOMPARE(built().top.size(), std::size_t(3));
    for (const auto &[system, top] : built().top) {
        QCOMPARE(top, std::string("LIQUID"));
        const auto &[bottom, sLeft, sRight] = built().bottom.at(system);
        QVERIFY2(bottom.find("LIQUID") == std::string::npos, system.c_str());
        QCOMPARE(sLeft, 0.0);
        QCOMPARE(sRight, 1.0);
    }
    // Reactions of the Cu-Sn edge that the section's fields follow come out at the binary
    // diagram's temperatures (invariants.csv: 460.69 K, Cu6Sn5 to its low-temperature form
    // CU6SN5_L of the file; the eutectoid at 855.61 K, the peritectoids at 863.12 and 913.33 K).
    const auto cu = invariantsOf("Ag-Cu-Sn");
    const std::pair<const char *, double> edge[] = {{"CU6SN5 -> CU6SN5_L", 460.69},
                                                    {"CU10SN3 -> CU41SN11 + CU3SN", 855.61},
                                                    {"DO3 + CU10SN3 -> CU41SN11", 863.12},
                                                    {"DO3 + CU3SN -> CU10SN3", 913.33}};
    for (const auto &[reaction, T] : edge) {
        const auto it = std::find_if(cu.begin(), cu.end(), [&](const BuiltInvariant &inv) { return inv.reaction == reaction; });
        QVERIFY2(it != cu.end(), reaction);
        QVERIFY2(std::fabs(it->T - T) < 0.1, qPrintable(QStringLiteral("%1: %2 K").arg(reaction).arg(it->T)));
    }
}

void TestSection::referencesOfTheSections()
{
    const auto cu = builtReferences("Ag-Cu-Sn");
    auto has = [](const std::vector<std::string> &refs, const char *text) {
        return std::any_of(refs.begin(), refs.end(), [&](const std::string &r) { return r.find(text) != std::string::npos; });
    };
    QVERIFY(has(cu, "Hayes") && has(cu, "Shim") && has(cu, "C.-S.Oh"));
    QVERIFY(has(cu, "L(LIQUID,AG,CU,SN;0)")); // the ternary parameter without a listed reference
    QVERIFY(!has(cu, "Bi-Sn"));
    const auto bi = builtReferences("Ag-Bi-Sn");
    QVERIFY(!bi.empty() && bi.front().find("Kattner") != std::string::npos);
    QVERIFY(has(bi, "Lee, C.-S. Oh and J.-H. Shim") && !has(bi, "Cu-Sn"));
    const auto sb = builtReferences("Ag-Sb-Sn");
    QVERIFY(!sb.empty() && sb.front().find("C.-S.Oh") != std::string::npos && has(sb, "Jonsson"));
    QVERIFY(!has(sb, "Bi-Sn") && !has(sb, "Cu-Sn") && !has(sb, "Kattner"));
}

void TestSection::committedResultsAreRegenerated()
{
    // The build computed the diagrams and sections from the committed inputs and wrote their
    // results beside the pictures; the committed results must be those.
    const std::pair<std::string, std::string> files[] = {
        {kData + "/docs/Diagram/References.txt", kResults + "/References.txt"},
        {kData + "/thermo/diagrams/ternary_invariants.csv", kResults + "/ternary_invariants.csv"},
        {kData + "/thermo/diagrams/invariants.csv", kResults + "/invariants.csv"},
        {kData + "/thermo/diagrams/systems.csv", kResults + "/systems.csv"},
    };
    for (const auto &[committed, fresh] : files) {
        QFile c(QString::fromStdString(committed)), f(QString::fromStdString(fresh));
        QVERIFY2(c.open(QIODevice::ReadOnly), committed.c_str());
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(QString::fromStdString(fresh) + QStringLiteral(": build the target korvel_shipped_database")));
        QVERIFY2(c.readAll() == f.readAll(),
                 qPrintable(QString::fromStdString(committed) + QStringLiteral(" differs: run the target korvel_generate_diagram_data")));
    }
}

QTEST_APPLESS_MAIN(TestSection)
#include "test_section.moc"
