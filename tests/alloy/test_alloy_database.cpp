// The database's datasets as methods of the alloy calculator: a fixture database whose rows give
// values by hand (interpolation between two compositions, a composition held, the start of a
// section and a point along it, outside the compositions and the temperatures held, catalogue
// data left out, a system without datasets), the shipped database's measured Pb-Sn density,
// and the same rows on the command line.
#include "AlloyCalculator.h"
#include "CalculatorOutput.h"
#include "DatabaseDatasets.h"
#include "DatabaseMethods.h"

#include <sqlite3.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace korvel::alloy;

namespace {

const std::string kData = std::string(KORVEL_SOURCE_DIR) + "/data";

const AlloyData &data()
{
    static const AlloyData d = AlloyData::read(kData);
    return d;
}

// Pb-Sn (x = x Sn):
//   density [2000Tst1], measured:  x 0.2: 10 − 0.001·T, x 0.6: 8 − 0.001·T, both 500–700 K
//                                  (the x 0.6 composition's lines reach 750 K)
//   viscosity [calc-v Pb-Sn]:      x 0.2: 1·exp(B/(R·T)), x 0.6: 2·exp(B/(R·T)), B = R·600 K,
//                                  so at 600 K e and 2e; 400–900 K
//   surface tension [2000Cat1]:    catalogue data (its title says so): never a method
// Ag-Cu-Sn section 1 (x Cu from the start alloy Ag 0.038 Sn 0.962 towards Cu):
//   density [calc-d Ag-Cu-Sn]:     X 0 (the shared start, section 10): 7, X 0.1: 8; 1000–1500 K
constexpr const char *kFixture = R"(
INSERT INTO TAB_UKL VALUES (9, 1, 'Sn', 'X'), (16, 2, 'Ag-Sn', 'X Sn'), (31, 2, 'Pb-Sn', 'X Sn'), (42, 3, 'Ag-Cu-Sn', 'X Cu');
INSERT INTO PUBLIKACJE (ID_PUBLIKACJI, OZNACZENIE, TYTUL) VALUES
  (7, '[2000Tst1]', 'Density of liquid Pb-Sn alloys'),
  (101, '[2000Cat1]', 'Surface tension of Pb-Sn (program catalogue data)'),
  (331, '[calc-v Pb-Sn]', 'Viscosity of liquid Pb-Sn alloys by ideal Arrhenius mixing (calculated)'),
  (342, '[calc-d Ag-Cu-Sn]', 'Ideal-mixing density of liquid Ag-Cu-Sn alloys (calculated)');
INSERT INTO DANE_WLASNOSCI (ID_WLASCIWOSCI, ID_TAB_UKL, ID_PUBLIKACJI, X, A, B) VALUES
  (1, 31, 7, 0.2, 10, -0.001), (1, 31, 7, 0.6, 8, -0.001),
  (4, 31, 331, 0.2, 1, 4988.6832), (4, 31, 331, 0.6, 2, 4988.6832),
  (2, 31, 101, 0.2, 500, -0.1), (2, 31, 101, 0.6, 450, -0.1),
  (1, 9, 7, 1, 7, -0.001);
INSERT INTO DANE_WLASNOSCI_T (ID_WLASCIWOSCI, ID_TAB_UKL, ID_PUBLIKACJI, X, T, A, B) VALUES
  (1, 31, 7, 0.2, 500, 10, -0.001), (1, 31, 7, 0.2, 700, 10, -0.001),
  (1, 31, 7, 0.6, 500, 8, -0.001), (1, 31, 7, 0.6, 750, 8, -0.001),
  (4, 31, 331, 0.2, 400, 1, 0), (4, 31, 331, 0.2, 900, 1, 0),
  (4, 31, 331, 0.6, 400, 2, 0), (4, 31, 331, 0.6, 900, 2, 0),
  (2, 31, 101, 0.2, 500, 500, -0.1), (2, 31, 101, 0.2, 900, 500, -0.1),
  (2, 31, 101, 0.6, 500, 450, -0.1), (2, 31, 101, 0.6, 900, 450, -0.1),
  (1, 9, 7, 1, 500, 7, -0.001), (1, 9, 7, 1, 900, 7, -0.001);
INSERT INTO EUT VALUES (3, 42, 'Ag-Sn eutectic (x Ag 0.038) towards Cu', 1);
INSERT INTO UKL_3 VALUES (42, 0.038, 0.0, 107.8682, 118.71, 63.546, 1), (42, 0.0342, 0.1, 107.8682, 118.71, 63.546, 1);
INSERT INTO DANE45 (ID_WLASCIWOSCI, ID_TAB_UKL, ID_PUBLIKACJI, ID_EUTEKTYKI, Nr, UKLAD, X, A, B) VALUES
  (1, 42, 342, 10, 1, 'Ag3.8Sn96.2', 0.0, 7, 0), (1, 42, 342, 1, 2, 'Ag3.42Cu10Sn86.58', 0.1, 8, 0);
INSERT INTO DANE_WLASNOSCI_T (ID_WLASCIWOSCI, ID_TAB_UKL, ID_PUBLIKACJI, X, T, A, B, Nr, Nr2) VALUES
  (1, 42, 342, 0.0, 1000, 7, 0, 10, 1), (1, 42, 342, 0.0, 1500, 7, 0, 10, 1),
  (1, 42, 342, 0.1, 1000, 8, 0, 1, 2), (1, 42, 342, 0.1, 1500, 8, 0, 1, 2);
)";

struct Fixture {
    QTemporaryDir dir;
    std::string file;
    Fixture()
    {
        file = dir.filePath(QStringLiteral("fixture.sqlite")).toStdString();
        QFile schema(QString::fromStdString(kData + "/schema.sql"));
        if (!schema.open(QIODevice::ReadOnly))
            throw std::runtime_error("no schema.sql");
        const std::string sql = schema.readAll().toStdString() + kFixture;
        sqlite3 *db = nullptr;
        sqlite3_open(file.c_str(), &db);
        char *error = nullptr;
        const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
        const std::string message = error ? error : "";
        sqlite3_free(error);
        sqlite3_close(db);
        if (rc != SQLITE_OK)
            throw std::runtime_error("fixture: " + message);
    }
};

const Fixture &fixture()
{
    static const Fixture f;
    return f;
}

Composition mole(const std::string &text)
{
    return parseAlloy(text, Basis::Mole, AlloyCalculator(data()).molarMasses());
}

// The rows of the database's methods in a result.
std::vector<PropertyValue> databaseRows(const AlloyResult &r)
{
    std::vector<PropertyValue> out;
    for (const PropertyValue &v : r.values)
        if (isDatabaseMethod(v.method))
            out.push_back(v);
    return out;
}

bool anyNote(const AlloyResult &r, const std::string &text)
{
    return std::any_of(r.notes.begin(), r.notes.end(), [&](const std::string &n) { return n.find(text) != std::string::npos; });
}

} // namespace

class TestAlloyDatabase : public QObject {
    Q_OBJECT
private slots:
    void readsTheFixture();
    void valuesByHand_data();
    void valuesByHand();
    void outsideTheTemperaturesHeld();
    void rowsAmongTheOtherMethods();
    void shippedPbSnDensity();
    void commandLine();
};

void TestAlloyDatabase::readsTheFixture()
{
    const DatabaseDatasets db = DatabaseDatasets::read(fixture().file);
    // Pb-Sn density, Pb-Sn viscosity, Ag-Cu-Sn section 1; not the catalogue's surface tension
    // nor the pure metal.
    QCOMPARE(db.datasets().size(), std::size_t(3));
    for (const PropertyDataset &d : db.datasets()) {
        QVERIFY(d.publication != "[2000Cat1]");
        QCOMPARE(d.elements.size() > 1, true);
    }
    const PropertyDataset &density = db.datasets()[0];
    QCOMPARE(density.publication, std::string("[2000Tst1]"));
    QVERIFY(density.kind == PropertyDataset::Kind::Measured);
    QCOMPARE(density.elements, (std::vector<std::string>{"Pb", "Sn"}));
    QCOMPARE(density.points.size(), std::size_t(2));
    QCOMPARE(density.points[1].composition, (std::vector<double>{0.4, 0.6}));
    QCOMPARE(density.points[1].range.hi, 750.0);
    const PropertyDataset &section = db.datasets()[2];
    QCOMPARE(section.section, 1);
    QCOMPARE(section.points.size(), std::size_t(2)); // the shared start alloy first
    QCOMPARE(section.points[0].label, std::string("Ag3.8Sn96.2"));
    QVERIFY(std::fabs(section.points[1].composition[1] - 0.1) < 1e-12); // Cu, in Ag-Cu-Sn's order

    // A file that is no database is refused with its name.
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("bad.sqlite"));
    QFile f(bad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a database at all, just text that is long enough to be read as a header");
    f.close();
    try {
        DatabaseDatasets::read(bad.toStdString());
        QFAIL("a text file read as a database");
    } catch (const std::runtime_error &e) {
        QVERIFY(std::string(e.what()).find("bad.sqlite") != std::string::npos);
    }
}

void TestAlloyDatabase::valuesByHand_data()
{
    QTest::addColumn<QString>("alloy"); // mole fractions
    QTest::addColumn<double>("T");
    QTest::addColumn<QString>("property");
    QTest::addColumn<double>("value"); // < 0: no row
    QTest::addColumn<QString>("flags");
    // x Sn 0.5 lies 0.75 of the way from x 0.2 to x 0.6: 0.25·(10 − 0.6) + 0.75·(8 − 0.6) = 7.9.
    QTest::newRow("between two") << "Pb0.5Sn0.5" << 600.0 << "density" << 7.9 << "between x Sn 0.2 and x Sn 0.6";
    // The viscosity the same way: 0.25·e + 0.75·2e = 1.75·e.
    QTest::newRow("between two, viscosity") << "Pb0.5Sn0.5" << 600.0 << "viscosity" << 1.75 * std::exp(1.0) << "between x Sn 0.2 and x Sn 0.6";
    // Held exactly (within the tolerance): 8 − 0.6, no interpolation flag.
    QTest::newRow("held") << "Pb0.4Sn0.6" << 600.0 << "density" << 7.4 << "";
    QTest::newRow("held within tolerance") << "Pb0.3996Sn0.6004" << 600.0 << "density" << 7.4 << "";
    // Beyond the compositions held: never extrapolated.
    QTest::newRow("beyond") << "Pb0.3Sn0.7" << 600.0 << "density" << -1.0 << "";
    QTest::newRow("just beyond the tolerance") << "Pb0.399Sn0.601" << 600.0 << "density" << -1.0 << "";
    QTest::newRow("below the first") << "Pb0.9Sn0.1" << 600.0 << "viscosity" << -1.0 << "";
    // A section: its start alloy, halfway along it (x Cu 0.05, x Ag 0.038·0.95), off it.
    QTest::newRow("section start") << "Ag0.038Cu0.0002Sn0.9618" << 1200.0 << "density" << 7.0 << "";
    QTest::newRow("along the section") << "Ag0.0361Cu0.05Sn0.9139" << 1200.0 << "density" << 7.5 << "between Ag3.8Sn96.2 and Ag3.42Cu10Sn86.58";
    QTest::newRow("off the section") << "Ag0.02Cu0.05Sn0.93" << 1200.0 << "density" << -1.0 << "";
    // A system without datasets: no row (and nothing said about it).
    QTest::newRow("no dataset") << "Ag0.5Sn0.5" << 1200.0 << "density" << -1.0 << "";
}

void TestAlloyDatabase::valuesByHand()
{
    QFETCH(QString, alloy);
    QFETCH(double, T);
    QFETCH(QString, property);
    QFETCH(double, value);
    QFETCH(QString, flags);
    const DatabaseDatasets db = DatabaseDatasets::read(fixture().file);
    const AlloyCalculator calculator(data(), &db);
    const AlloyResult r = calculator.compute(mole(alloy.toStdString()), {T});
    std::vector<PropertyValue> rows;
    for (const PropertyValue &v : databaseRows(r))
        if (v.property == property.toStdString())
            rows.push_back(v);
    if (value < 0) {
        QVERIFY(rows.empty());
        if (alloy == QLatin1String("Ag0.5Sn0.5"))
            QVERIFY(!anyNote(r, "database"));
        else // the datasets of the system are named with what they hold
            QVERIFY(anyNote(r, "database rows of "));
        return;
    }
    QCOMPARE(rows.size(), std::size_t(1));
    QVERIFY2(std::fabs(rows[0].value - value) < 1e-9 * value, qPrintable(QString::number(rows[0].value, 'g', 12)));
    QCOMPARE(QString::fromStdString(rows[0].flags), flags); // above the liquidus: the interpolation's flag only
    const bool measured = property == QLatin1String("density") && rows[0].source == "[2000Tst1]";
    QCOMPARE(QString::fromStdString(rows[0].method), measured ? QStringLiteral("measured (interpolated)") : QStringLiteral("database, ideal mixing (calculated)"));
}

void TestAlloyDatabase::outsideTheTemperaturesHeld()
{
    // Between x 0.2 (500–700 K) and x 0.6 (500–750 K) the range both hold is 500–700 K; at the
    // held x 0.6 it is 500–750 K. Outside it: no value, and a note says where the data end.
    const DatabaseDatasets db = DatabaseDatasets::read(fixture().file);
    const AlloyCalculator calculator(data(), &db);
    struct Case {
        const char *alloy;
        double T;
        bool value;
    };
    const Case cases[] = {{"Pb0.5Sn0.5", 700, true}, {"Pb0.5Sn0.5", 720, false}, {"Pb0.4Sn0.6", 720, true},
                          {"Pb0.4Sn0.6", 760, false}, {"Pb0.5Sn0.5", 499, false}};
    for (const Case &c : cases) {
        const AlloyResult r = calculator.compute(mole(c.alloy), {c.T});
        const auto rows = databaseRows(r);
        const bool density = std::any_of(rows.begin(), rows.end(), [](const PropertyValue &v) { return v.source == "[2000Tst1]"; });
        QVERIFY2(density == c.value, qPrintable(QStringLiteral("%1 at %2 K").arg(c.alloy).arg(c.T)));
        QCOMPARE(anyNote(r, "density [2000Tst1]: held for 500-"), !c.value);
    }
}

void TestAlloyDatabase::rowsAmongTheOtherMethods()
{
    // Per temperature the rows stay ordered by property, the database's after the computed
    // ones, a temperature below the liquidus flagged on them too; the CSV carries them whole.
    const DatabaseDatasets db = DatabaseDatasets::read(fixture().file);
    const AlloyCalculator calculator(data(), &db);
    const AlloyResult r = calculator.compute(mole("Pb0.5Sn0.5"), {450, 600});
    const char *const order[] = {"density", "molar volume", "surface tension", "viscosity"};
    auto rank = [&](const std::string &p) { return std::find(std::begin(order), std::end(order), p) - std::begin(order); };
    for (std::size_t i = 1; i < r.values.size(); ++i)
        if (r.values[i].T == r.values[i - 1].T)
            QVERIFY(rank(r.values[i].property) >= rank(r.values[i - 1].property));
    const auto rows = databaseRows(r);
    QCOMPARE(rows.size(), std::size_t(3)); // the viscosity at 450 K (400–900 K), both at 600 K
    QVERIFY(rows[0].T == 450 && rows[0].flags.rfind("below liquidus (", 0) == 0);
    QVERIFY(rows[0].flags.find("; between x Sn 0.2 and x Sn 0.6") != std::string::npos);
    QVERIFY(resultCsv(r).find("600.00,326.85,density,7.9,g/cm3,measured (interpolated),[2000Tst1],between x Sn 0.2 and x Sn 0.6\n") !=
            std::string::npos);
}

void TestAlloyDatabase::shippedPbSnDensity()
{
    // Sn-40Pb: the density of [2005Jem1], ρ = 8.15 − 0.00138·(T − 464.15 K) g/cm³ as the
    // publication gives it, held for 465–523 K; at 200 °C 8.15 − 0.00138·9 = 8.13758.
    const DatabaseDatasets db = DatabaseDatasets::read(KORVEL_SHIPPED_DATABASE);
    const AlloyCalculator calculator(data(), &db);
    const AlloyResult r = calculator.compute(parseAlloy("Sn-40Pb", Basis::Mass, calculator.molarMasses()), {473.15, 550});
    std::vector<PropertyValue> measured;
    for (const PropertyValue &v : r.values)
        if (v.method == "measured (interpolated)")
            measured.push_back(v);
    QCOMPARE(measured.size(), std::size_t(1)); // none at 550 K
    QCOMPARE(measured[0].source, std::string("[2005Jem1]"));
    QCOMPARE(measured[0].property, std::string("density"));
    QVERIFY(std::fabs(measured[0].value - 8.13758) < 1e-5);
    QVERIFY(measured[0].flags.empty()); // held at the alloy's composition, above the liquidus
    QVERIFY(anyNote(r, "density [2005Jem1]: held for 465-523 K"));
    // Sn-3.5Ag has calculated rows only: at 250 °C the Butler rows (held for 500-1500 K), at
    // 1250 K the ideal-mixing density and viscosity too (they start at 1235 K, Ag's melting point).
    const AlloyResult snAg = calculator.compute(parseAlloy("Sn-3.5Ag", Basis::Mass, calculator.molarMasses()), {523.15, 1250});
    std::vector<std::string> at250, at1250;
    for (const PropertyValue &v : databaseRows(snAg))
        (v.T == 1250 ? at1250 : at250).push_back(v.method + " " + v.source);
    QCOMPARE(at250, (std::vector<std::string>{"database, Butler (calculated) [calc-st Ag-Sn]"}));
    QCOMPARE(at1250, (std::vector<std::string>{"database, ideal mixing (calculated) [calc-d Ag-Sn]", "database, Butler (calculated) [calc-st Ag-Sn]",
                                               "database, ideal mixing (calculated) [calc-v Ag-Sn]"}));
}

void TestAlloyDatabase::commandLine()
{
    auto run = [](const QStringList &args) {
        QProcess p;
        p.start(QStringLiteral(KORVEL_CALC), args + QStringList{QStringLiteral("--data"), QString::fromStdString(kData)});
        p.waitForFinished(60000);
        return std::make_tuple(p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError());
    };
    // The shipped database beside the program is the default.
    auto [status, out, err] = run({QStringLiteral("Sn-40Pb"), QStringLiteral("--at"), QStringLiteral("200C"), QStringLiteral("--csv")});
    QCOMPARE(status, 0);
    QVERIFY2(out.contains("\n473.15,200.00,density,8.13758,g/cm3,measured (interpolated),[2005Jem1],\n"), out.constData());
    // A fixture given with --database; its note in the text output.
    std::tie(status, out, err) = run({QStringLiteral("Pb0.5Sn0.5"), QStringLiteral("--mole"), QStringLiteral("--at"), QStringLiteral("600K,720K"),
                                      QStringLiteral("--database"), QString::fromStdString(fixture().file)});
    QCOMPARE(status, 0);
    QVERIFY(out.contains("measured (interpolated)"));
    QVERIFY(out.contains("not computed: density [2000Tst1]: held for 500-700 K at this composition, no value at 1 of the temperatures"));
    // A database that is not there: the program's input is missing, status 1, nothing on stdout.
    std::tie(status, out, err) = run({QStringLiteral("Sn-40Pb"), QStringLiteral("--at"), QStringLiteral("200C"), QStringLiteral("--database"),
                                      QStringLiteral("/nonexistent/korvel3.sqlite")});
    QCOMPARE(status, 1);
    QVERIFY(out.isEmpty());
    QVERIFY(err.contains("/nonexistent/korvel3.sqlite"));
}

QTEST_APPLESS_MAIN(TestAlloyDatabase)
#include "test_alloy_database.moc"
