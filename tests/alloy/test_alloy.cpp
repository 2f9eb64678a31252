// The alloy calculator: designations and temperatures read or refused, the mass-to-mole
// conversion by hand, the Butler solution against the generated binary fits and the
// generator's own solver, the viscosity models against the binary formulas, the melting range
// against the committed diagram results, and the command line's output and refusals.
#include "AlloyCalculator.h"
#include "CalculatorOutput.h"
#include "CsvTable.h"
#include "Inputs.h"
#include "LiquidMixture.h"
#include "Viscosity.h"
#include "tdb/Reader.h"

#include <QProcess>
#include <QTest>

#include <cmath>

using namespace korvel::alloy;
namespace thermo = korvel::thermo;

namespace {

const std::string kData = std::string(KORVEL_SOURCE_DIR) + "/data";

const AlloyData &data()
{
    static const AlloyData d = AlloyData::read(kData);
    return d;
}

const AlloyCalculator &calculator()
{
    static const AlloyCalculator c(data());
    return c;
}

Composition alloy(const std::string &text, Basis basis = Basis::Mass)
{
    return parseAlloy(text, basis, calculator().molarMasses());
}

const thermo::tdb::Database &database(const std::string &file)
{
    static std::map<std::string, thermo::tdb::Database> cache;
    auto it = cache.find(file);
    if (it == cache.end())
        it = cache.emplace(file, thermo::tdb::readDatabaseFile(kData + "/thermo/tdb/" + file)).first;
    return it->second;
}

// A committed result of the phase diagrams: the temperature of the first row of `file` whose
// columns hold every text of `match`.
double committedT(const std::string &file, const std::vector<std::string> &match, const std::string &column)
{
    const thermo::CsvTable t = thermo::CsvTable::read(kData + "/thermo/diagrams/" + file);
    for (const auto &row : t.rows) {
        std::string all;
        for (const auto &f : row)
            all += f + "|";
        if (std::all_of(match.begin(), match.end(), [&](const std::string &m) { return all.find(m) != std::string::npos; }))
            return std::stod(row[t.column(column)]);
    }
    throw std::runtime_error(file + ": no row with " + match.front());
}

struct Run {
    int status;
    QByteArray out, err;
};

Run calc(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(KORVEL_CALC), args + QStringList{QStringLiteral("--data"), QString::fromStdString(kData)});
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

} // namespace

class TestAlloy : public QObject {
    Q_OBJECT
private slots:
    void massToMoleByHand();
    void refusedDesignations_data();
    void refusedDesignations();
    void temperatures();
    void butlerAgainstGeneratedFits();
    void butlerAgainstTheGeneratorsSolver();
    void ternaryButlerMeetsItsBinaryEdge();
    void viscosityModelsAgainstBinaryFormulas();
    void meltingRangeAgainstCommittedDiagrams();
    void flagsAndWhatIsNotComputed();
    void measuredMeltingBesideComputed();
    void commandLineCsv();
    void commandLineRefusals_data();
    void commandLineRefusals();
};

void TestAlloy::massToMoleByHand()
{
    // Sn-3.5Ag: n_Ag = 3.5/107.8682 = 0.0324468, n_Sn = 96.5/118.710 = 0.812905,
    // x_Ag = 0.0324468/0.845352 = 0.0383828.
    const Composition a = alloy("Sn-3.5Ag");
    QCOMPARE(a.elements, (std::vector<std::string>{"Sn", "Ag"}));
    QVERIFY(std::fabs(a.moleFractions[1] - 0.0383828) < 1e-6);
    QVERIFY(std::fabs(a.moleFractions[0] + a.moleFractions[1] - 1) < 1e-12);
    // Sn-3Ag-0.5Cu: n_Cu = 0.5/63.546 = 0.00786832, total 0.848824 -> x_Ag 0.0327742, x_Cu 0.00927227.
    const Composition b = alloy("Sn-3Ag-0.5Cu");
    QVERIFY(std::fabs(b.moleFractions[1] - 0.0327742) < 1e-6 && std::fabs(b.moleFractions[2] - 0.00927227) < 1e-7);
    QVERIFY(std::fabs(b.massPercent[0] - 96.5) < 1e-12);
    // Au-20Sn: x_Sn = (20/118.710)/(20/118.710 + 80/196.96657) = 0.293189.
    QVERIFY(std::fabs(alloy("Au-20Sn").moleFractions[1] - 0.293189) < 1e-6);
    // Mole fractions back to mass %: the conversion is its own inverse.
    const Composition m = alloy("Ag0.0383828Sn0.9616172", Basis::Mole);
    QVERIFY(std::fabs(m.massPercent[0] - 3.5) < 1e-4);
    // Mole % with the balance first.
    QVERIFY(std::fabs(alloy("Sn-3.8Ag", Basis::Mole).moleFractions[1] - 0.038) < 1e-12);
}

void TestAlloy::refusedDesignations_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("mole");
    QTest::addColumn<QString>("part");
    QTest::newRow("unknown element") << "Sn-3.5Xx" << false << "Xx";
    QTest::newRow("element without data") << "Sn-3.5Fe" << false << "Fe";
    QTest::newRow("over 100") << "Sn-60Ag-50Cu" << false << "60Ag-50Cu";
    QTest::newRow("nothing left") << "Sn-100Ag" << false << "Sn";
    QTest::newRow("amount without element") << "Sn-3.5" << false << "3.5";
    QTest::newRow("no balance") << "3.5Ag-Sn" << false << "3.5Ag";
    QTest::newRow("twice") << "Sn-3Ag-1Ag" << false << "Ag";
    QTest::newRow("zero") << "Sn-0Ag" << false << "0Ag";
    QTest::newRow("empty") << "  " << false << "  ";
    QTest::newRow("fractions not 1") << "Ag0.5Sn0.4" << true << "Ag0.5Sn0.4";
    QTest::newRow("fraction without element") << "0.5Sn0.5" << true << "0.5";
    QTest::newRow("mole % over 100") << "Sn-80Ag-30Cu" << true << "80Ag-30Cu";
}

void TestAlloy::refusedDesignations()
{
    QFETCH(QString, text);
    QFETCH(bool, mole);
    QFETCH(QString, part);
    try {
        alloy(text.toStdString(), mole ? Basis::Mole : Basis::Mass);
        QFAIL("accepted");
    } catch (const InputError &e) {
        QCOMPARE(QString::fromStdString(e.part()), part);
        QVERIFY2(QString::fromUtf8(e.what()).contains(part.trimmed()), e.what());
    }
}

void TestAlloy::temperatures()
{
    QCOMPARE(parseTemperature("250C"), 523.15);
    QCOMPARE(parseTemperature("250\xC2\xB0""C"), 523.15);
    QCOMPARE(parseTemperature(" 523.15K "), 523.15);
    QCOMPARE(parseTemperature("-20C"), 253.15);
    QCOMPARE(parseTemperatureList("250C,500K"), (std::vector<double>{523.15, 500.0}));
    QCOMPARE(temperatureRange(500, 520, 10), (std::vector<double>{500, 510, 520}));
    QCOMPARE(temperatureRange(500, 525, 10), (std::vector<double>{500, 510, 520}));
    QCOMPARE(temperatureRange(parseTemperature("200C"), parseTemperature("390C"), parseTemperatureStep("10C")).size(), std::size_t(20));
    for (const char *bad : {"250", "250F", "K", "-300C", "0K", "2.5.0C", ""})
        QVERIFY_THROWS_EXCEPTION(InputError, parseTemperature(bad));
    QVERIFY_THROWS_EXCEPTION(InputError, parseTemperatureStep("0K"));
    QVERIFY_THROWS_EXCEPTION(InputError, temperatureRange(600, 500, 10));
    QVERIFY_THROWS_EXCEPTION(InputError, temperatureRange(300, 2000, 0.1));
}

void TestAlloy::butlerAgainstGeneratedFits()
{
    // Every generated fit of the direct form against the engine's Butler solution with the fit's
    // own pure-component lines, liquid and molar volumes, within the deviation stated over
    // x = 0.1..0.9 in the generated file.
    const thermo::Inputs inputs = thermo::readInputs(kData);
    QFile file(QString::fromStdString(kData + "/models/generated/butler_fits.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    std::map<std::string, double> stated;         // "Ag-Sn/iso/1" -> mN/m
    std::map<std::string, std::vector<std::array<double, 4>>> terms;
    const QRegularExpression comment(R"(^# (\S+) (iso|temp) (\d) \(direct.*over x = 0\.1\.\.0\.9: ([0-9.e+-]+) mN/m)");
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (const auto m = comment.match(line); m.hasMatch())
            stated[(m.captured(1) + "/" + m.captured(2) + "/" + m.captured(3)).toStdString()] = m.captured(4).toDouble();
        const QStringList f = line.split(',');
        if (f.size() == 10 && f[0] == "L")
            terms[(f[1] + "/" + f[2] + "/" + f[3]).toStdString()].push_back({f[5].toDouble(), f[6].toDouble(), f[7].toDouble(), f[8].toDouble()});
    }
    int checked = 0;
    for (const thermo::ButlerFitRequest &fit : inputs.butlerFits) {
        const std::string key = fit.system + "/" + fit.use + "/" + std::to_string(fit.variant);
        if (fit.form != "direct" || !stated.count(key))
            continue;
        const auto [a, b] = thermo::componentsOf(fit.system);
        const auto liquid = LiquidMixture::build(database(inputs.liquid.at(fit.system).tdbFile), {a, b});
        QVERIFY2(liquid, key.c_str());
        for (double T : {fit.Tlo, 0.5 * (fit.Tlo + fit.Thi), fit.Thi})
            for (double x : {0.1, 0.3, 0.5, 0.7, 0.9}) {
                double L = 0, r = 1;
                for (const auto &t : terms.at(key)) {
                    L += (t[0] + t[1] * T + t[2] * T * std::log(T) + t[3] * T * T) * r;
                    r *= 1 - 2 * x;
                }
                const double fitted = (1 - x) * fit.sigma1.at(T) + x * fit.sigma2.at(T) + x * (1 - x) * L;
                const ButlerInputs in{{fit.sigma1.at(T), fit.sigma2.at(T)},
                                      {inputs.elements.at(a).molarVolume(T), inputs.elements.at(b).molarVolume(T)}};
                const auto sigma = butlerSurfaceTension(*liquid, in, {1 - x, x}, T);
                QVERIFY2(sigma && std::fabs(*sigma - fitted) <= stated.at(key) * 1.01 + 1e-3,
                         qPrintable(QStringLiteral("%1 x=%2 T=%3: %4 against the fit's %5 (stated %6)")
                                        .arg(QString::fromStdString(key)).arg(x).arg(T).arg(sigma.value_or(-1)).arg(fitted).arg(stated.at(key))));
            }
        ++checked;
    }
    QVERIFY(checked >= 6);
}

void TestAlloy::butlerAgainstTheGeneratorsSolver()
{
    // The n-component solution with two components is the generator's binary solution (scan and
    // bisection on the same equations), here for liquids with strong and weak interactions.
    const thermo::Inputs inputs = thermo::readInputs(kData);
    for (const char *system : {"Ag-Sn", "Cu-Sn", "Bi-Sn", "Sn-Zn"}) {
        const auto [a, b] = thermo::componentsOf(system);
        const thermo::LiquidSet &set = inputs.liquid.at(system);
        const auto liquid = LiquidMixture::build(database(set.tdbFile), {a, b});
        QVERIFY(liquid);
        thermo::ButlerSystem sys{set.excess, {1000, 0.2}, {600, 0.1}, inputs.elements.at(a), inputs.elements.at(b)};
        for (double T : {600.0, 1200.0})
            for (double x : {0.05, 0.5, 0.95}) {
                const double expected = thermo::solveButler(sys, x, T).sigma;
                const ButlerInputs in{{sys.sigma1.at(T), sys.sigma2.at(T)}, {sys.volume1.molarVolume(T), sys.volume2.molarVolume(T)}};
                const auto sigma = butlerSurfaceTension(*liquid, in, {1 - x, x}, T);
                QVERIFY2(sigma && std::fabs(*sigma - expected) < 0.01,
                         qPrintable(QStringLiteral("%1 x=%2 T=%3: %4, generator %5").arg(system).arg(x).arg(T).arg(sigma.value_or(-1)).arg(expected)));
            }
    }
}

void TestAlloy::ternaryButlerMeetsItsBinaryEdge()
{
    // A trace of a third element leaves the binary solution: Ag-Sn with 1e-6 Cu against the
    // binary Ag-Sn solution of the same file, and the ternary's own equations balanced.
    const auto ternary = LiquidMixture::build(database("NIST-solder_2017-08-04.tdb"), {"Ag", "Sn", "Cu"});
    const auto binary = LiquidMixture::build(database("NIST-solder_2017-08-04.tdb"), {"Ag", "Sn"});
    QVERIFY(ternary && binary);
    const ElementData &ag = *data().element("Ag"), &sn = *data().element("Sn"), &cu = *data().element("Cu");
    for (double T : {600.0, 1300.0})
        for (double xAg : {0.04, 0.5}) {
            const ButlerInputs two{{ag.surfaceTension->at(T), sn.surfaceTension->at(T)}, {ag.molarVolume(T), sn.molarVolume(T)}};
            const ButlerInputs three{{ag.surfaceTension->at(T), sn.surfaceTension->at(T), cu.surfaceTension->at(T)},
                                     {ag.molarVolume(T), sn.molarVolume(T), cu.molarVolume(T)}};
            const auto b = butlerSurfaceTension(*binary, two, {xAg, 1 - xAg}, T);
            std::vector<double> surface;
            const auto t = butlerSurfaceTension(*ternary, three, {xAg, 1 - xAg - 1e-6, 1e-6}, T, &surface);
            QVERIFY(b && t);
            QVERIFY2(std::fabs(*b - *t) < 0.05, qPrintable(QStringLiteral("T=%1 xAg=%2: %3 against %4").arg(T).arg(xAg).arg(*t).arg(*b)));
            QVERIFY(std::fabs(surface[0] + surface[1] + surface[2] - 1) < 1e-12);
        }
}

void TestAlloy::viscosityModelsAgainstBinaryFormulas()
{
    // The calculator's sums over the components, for two, are the binary formulas of the
    // catalogue generator (exact excess functions of the Redlich-Kister terms).
    const thermo::Inputs inputs = thermo::readInputs(kData);
    const Composition a = alloy("Ag0.3Sn0.7", Basis::Mole);
    const double T = 1000;
    const AlloyResult r = calculator().compute(a, {T});
    thermo::ViscosityInputs vi;
    vi.eta1 = {data().element("Ag")->viscosity->A, data().element("Ag")->viscosity->E};
    vi.eta2 = {data().element("Sn")->viscosity->A, data().element("Sn")->viscosity->E};
    vi.excess = inputs.liquid.at("Ag-Sn").excess;
    vi.volume1 = inputs.elements.at("Ag");
    vi.volume2 = inputs.elements.at("Sn");
    const std::pair<const char *, thermo::ViscosityModelId> models[] = {{"Dravik (Drv)", thermo::ViscosityModelId::Dravik},
                                                                        {"Moelwyn-Hughes (M-H)", thermo::ViscosityModelId::MoelwynHughes},
                                                                        {"Kaptay (Kap)", thermo::ViscosityModelId::Kaptay}};
    for (const auto &[method, id] : models) {
        const auto v = std::find_if(r.values.begin(), r.values.end(), [&](const PropertyValue &p) { return p.method == method; });
        QVERIFY2(v != r.values.end(), method);
        const double expected = thermo::viscosity(id, vi, 0.7, T);
        QVERIFY2(std::fabs(v->value - expected) < 1e-5 * expected, qPrintable(QStringLiteral("%1: %2 against %3").arg(method).arg(v->value).arg(expected)));
        QVERIFY(v->source.find("[2025Thl1]") != std::string::npos && v->source.find("Oh1996") != std::string::npos);
    }
}

void TestAlloy::meltingRangeAgainstCommittedDiagrams()
{
    // Sn-3.5Ag-0.9Cu (mass %) melts within 3 K of the committed ternary eutectic; its solidus is
    // that eutectic. A binary alloy beside the Ag-Sn eutectic starts melting at the eutectic.
    const double eutectic = committedT("ternary_invariants.csv", {"Ag-Cu-Sn", "ternary eutectic"}, "T_K");
    const AlloyResult sac = calculator().compute(alloy("Sn-3.5Ag-0.9Cu"), {480, 600});
    QVERIFY(sac.melting.size() >= 2 && sac.melting[0].method == "computed from the parameter file");
    QVERIFY(sac.melting[0].value && sac.melting[1].value);
    QVERIFY2(std::fabs(*sac.melting[0].value - eutectic) <= 3, qPrintable(QString::number(*sac.melting[0].value)));
    QVERIFY2(std::fabs(*sac.melting[1].value - eutectic) <= 0.1, qPrintable(QString::number(*sac.melting[1].value)));
    QCOMPARE(sac.phasesAt[0], std::string("BCT_A5 + EPSILON + CU6SN5"));
    QVERIFY(sac.phasesAt[1].empty());

    const double agSn = committedT("invariants.csv", {"Ag-Sn", "eutectic"}, "T_K");
    const AlloyResult binary = calculator().compute(alloy("Sn-10Ag"), {500});
    QVERIFY(std::fabs(*binary.melting[1].value - agSn) < 0.02);
    QVERIFY2(*binary.melting[0].value > agSn + 20, qPrintable(QString::number(*binary.melting[0].value)));
    QVERIFY2(binary.phasesAt[0].find("LIQUID") != std::string::npos, binary.phasesAt[0].c_str()); // between solidus and liquidus
}

void TestAlloy::flagsAndWhatIsNotComputed()
{
    // Below the liquidus every value says so with the phases; above, no such flag.
    const AlloyResult r = calculator().compute(alloy("Sn-3.5Ag"), {480, 550});
    for (const PropertyValue &v : r.values)
        QCOMPARE(v.flags.rfind("below liquidus (", 0) == 0, v.T == 480);
    QCOMPARE(r.values.size(), std::size_t(12)); // 2 temperatures x (density, molar volume, Butler, 3 models)

    // In-Sn: no parameter file with a source holds the pair: ideal mixing only, and why.
    const AlloyResult inSn = calculator().compute(alloy("Sn-52In"), {500});
    QCOMPARE(inSn.values.size(), std::size_t(2));
    QVERIFY(!inSn.melting[0].value && inSn.melting[0].flags.find("not assessed") == 0);
    QVERIFY(!inSn.notes.empty());
    // Four elements: not assessed, with the reason.
    const AlloyResult four = calculator().compute(alloy("Sn-3Ag-0.5Cu-1Bi"), {600});
    QVERIFY(!four.melting[0].value && four.melting[0].flags.find("two or three elements") != std::string::npos);
}

void TestAlloy::measuredMeltingBesideComputed()
{
    // Sn-9Zn and Sn-58Bi: the computed rows, the measured DTA rows of the same alloy (each within
    // 0.25 mass %) and, where they differ by more than 3 K, the difference in the computed row.
    struct Case {
        const char *alloy;
        int measuredRows; // liquidus and solidus per DTA row
        const char *flag; // of the computed liquidus: "" none, nullptr not checked
    };
    // Sn-9Zn: computed 482.12 K, measured 472.15 K; Sn-58Bi: 414.52 K against 411.15 K (the first
    // of its three DTA rows); the Sn-Ag-Cu eutectic: 489.82 K against 490.35 K, within 3 K.
    const Case cases[] = {{"Sn-9Zn", 2, "assessed file differs from measurement by +10.0 K (HYBRIDMETALS)"},
                          {"Sn-58Bi", 6, "assessed file differs from measurement by +3.4 K (HYBRIDMETALS)"},
                          {"Sn-57.8Bi", 6, nullptr}, // within 0.25 mass % of 58
                          {"Sn-57.7Bi", 0, ""},      // 0.3 from it: no measured row, no flag
                          {"Sn-3.5Ag-0.9Cu", 4, ""},
                          {"Sn-5Ag-0.5Cu", 0, ""}};
    for (const Case &c : cases) {
        const AlloyResult r = calculator().compute(alloy(c.alloy), {500});
        int measured = 0;
        for (const MeltingValue &m : r.melting)
            measured += m.method == "measured" ? 1 : 0;
        QVERIFY2(measured == c.measuredRows, qPrintable(QStringLiteral("%1: %2 measured rows").arg(c.alloy).arg(measured)));
        if (c.flag)
            QCOMPARE(QString::fromStdString(r.melting[0].flags), QString::fromLatin1(c.flag));
        if (std::string(c.alloy) == "Sn-58Bi")
            QVERIFY(r.melting[1].flags.empty()); // solidus 411.96 K against 411.15 K
    }
}

void TestAlloy::commandLineCsv()
{
    const Run run = calc({QStringLiteral("Sn-3Ag-0.5Cu"), QStringLiteral("--from"), QStringLiteral("250C"), QStringLiteral("--to"),
                          QStringLiteral("523.15K"), QStringLiteral("--step"), QStringLiteral("10K"), QStringLiteral("--csv")});
    QCOMPARE(run.status, 0);
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    QCOMPARE(lines.first(), QByteArray("T_K,T_C,property,value,unit,method,source,flags"));
    // 6 values, the computed liquidus and solidus, the measured ones of SAC305 (two DTA rows).
    QCOMPARE(lines.size(), 1 + 6 + 2 + 4);
    QVERIFY(lines[1].startsWith("523.15,250.00,density,"));
    QVERIFY(lines[7].startsWith(",,liquidus,") && lines[8].startsWith(",,solidus,"));
    QCOMPARE(lines[9], QByteArray(",,liquidus,493.15,K,measured,ALASIR_SOLDER,DTA row Sn96.5Ag3.0Cu0.5 (SAC305)"));
    QCOMPARE(lines[10], QByteArray(",,solidus,490.15,K,measured,ALASIR_SOLDER,DTA row Sn96.5Ag3.0Cu0.5 (SAC305)"));
    QCOMPARE(lines[11], QByteArray(",,liquidus,491.15,K,measured,SAC305_BAR_TDS,DTA row SAC305 (Sn/Ag3.0/Cu0.5)"));
    QCOMPARE(lines[12], QByteArray(",,solidus,490.15,K,measured,SAC305_BAR_TDS,DTA row SAC305 (Sn/Ag3.0/Cu0.5)"));
    const double liquidus = lines[7].split(',')[3].toDouble();
    QVERIFY(liquidus > 480 && liquidus < 523.15);
    for (int i = 1; i < 7; ++i) // every value with a method and a source
        QVERIFY(!thermo::splitCsvLine(lines[i].toStdString())[5].empty() && !thermo::splitCsvLine(lines[i].toStdString())[6].empty());
}

void TestAlloy::commandLineRefusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("named");
    QTest::newRow("alloy") << QStringList{"Sn-3.5", "--at", "250C"} << "3.5";
    QTest::newRow("element") << QStringList{"Sn-3.5Fe", "--at", "250C"} << "Fe";
    QTest::newRow("over 100") << QStringList{"Sn-70Ag-40Cu", "--at", "250C"} << "70Ag-40Cu";
    QTest::newRow("unit") << QStringList{"Sn-3.5Ag", "--at", "250F"} << "250F";
    QTest::newRow("no temperature") << QStringList{"Sn-3.5Ag"} << "--at";
    QTest::newRow("both") << QStringList{"Sn-3.5Ag", "--at", "250C", "--from", "250C"} << "--at";
    QTest::newRow("option") << QStringList{"Sn-3.5Ag", "--at", "250C", "--fast"} << "--fast";
}

void TestAlloy::commandLineRefusals()
{
    QFETCH(QStringList, args);
    QFETCH(QString, named);
    const Run run = calc(args);
    QCOMPARE(run.status, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains(named.toUtf8()), run.err.constData());
}

QTEST_APPLESS_MAIN(TestAlloy)
#include "test_alloy.moc"
