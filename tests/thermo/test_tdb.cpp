// The reader of thermodynamic database files: each construct on a small fragment, the
// expressions, malformed files refused with their line, and the shipped parameter files.
#include "tdb/Reader.h"

#include <QtTest>

#include <cmath>

using namespace korvel::thermo::tdb;

namespace {

const std::string kTdbDir = std::string(KORVEL_SOURCE_DIR) + "/data/thermo/tdb/";

// Ag-Sn in miniature: every construct the shipped files use.
const char *kFragment = R"TDB($ A comment line
ELEMENT VA   VACUUM    0.0000E+00  0.0000E+00  0.0000E+00 !
ELEMENT AG   FCC_A1    1.0787E+02  5.7446E+03  4.2551E+01 !
ELEM SN   BCT_A5       1.1869E+02  6.3220E+03  5.1195E+01 !
SPECIES AG3SN  AG3SN1 !
TYPE_DEFINITION % SEQ * !
TYPE_DEF A GES A_P_D @ MAGNETIC -3.0 0.280 !
FUNCTION GA 298.15 -7209.5+118.2*T-23.8*T*LN(T)-1.79E-3*T**2
   -12011*T**(-1); 1234.93 Y
   -15095.252+190.266404*T-33.472*T*LN(T)+1.412E+29*T**(-9); 3000.00 N 91Din !
FUN GB   298.15  +300.0+0.30*T+GA#;,,N 91Din !
FUNCT GC
   298.15-5+2*GB; 6000 N !
PHASE LIQUID:L %  1  1.0 !
   CONSTITUENT LIQUID:L  :AG,SN : !
PHASE FCC_A1 %A  2  1.0 1.0 !
   CONSTITUENT FCC_A1  :AG%,SN :VA% : !
PHASE EPSILON %  2  0.75  0.25  !
   CONSTITUENT EPSILON :AG :SN :  !
PARA G(LIQUID,AG;0)  298.15  +11025.076-8.891021*T+GA#;
$ a comment inside a command
                    3000.00  N 91Din !
PARAMETER L(LIQUID,AG,SN;0)  298.15  -5146.7-5.0103*T;,,N 96Oh !
PARAMETER L(LIQUID,AG,SN;1)  298.15  -15799.3+3.3208*T;,,N REF: 96Oh !
PARAMETER G(FCC_A1,AG,SN:VA;2)  298.15  1000;,,N REF7 !
PARAMETER TC(FCC_A1,AG:VA;0)  298.15  -1;,,N !
PARAMETER G(EPSILON,AG:SN;0)  298.15  -11085.3+110.01471*T
 -23.18*T*LN(T)-0.00359*T**2+4389.5*T**(-1);,,N 96Oh !
 LIST_OF_REFERENCES
 NUMBER  SOURCE
 91Din     'A.T. Dinsdale, CALPHAD 15 (1991)
               317-425; Unaries'
 96Oh      'C.-S. Oh et al., J. Alloys Comp. 238 (1996) 155-166'
 !
)TDB";

double ga(double T)
{
    if (T < 1234.93)
        return -7209.5 + 118.2 * T - 23.8 * T * std::log(T) - 1.79e-3 * T * T - 12011 / T;
    return -15095.252 + 190.266404 * T - 33.472 * T * std::log(T) + 1.412e29 * std::pow(T, -9);
}

} // namespace

class TestTdb : public QObject {
    Q_OBJECT
private slots:
    void readsEveryConstruct();
    void evaluatesFunctionsOverTheirRanges();
    void expressions_data();
    void expressions();
    void refusesMalformedFiles_data();
    void refusesMalformedFiles();
    void readsTheShippedFiles();
};

void TestTdb::readsEveryConstruct()
{
    const Database db = readDatabase(kFragment, "fragment");
    QCOMPARE(db.elements.size(), std::size_t(3));
    QCOMPARE(db.element("ag")->referencePhase, std::string("FCC_A1"));
    QCOMPARE(db.element("SN")->mass, 118.69);
    QCOMPARE(db.species.at(0).stoichiometry, std::string("AG3SN1"));

    const Phase *liquid = db.phase("LIQUID");
    QVERIFY(liquid);
    QCOMPARE(liquid->siteRatios, std::vector<double>{1.0});
    QCOMPARE(liquid->constituents, (std::vector<std::vector<std::string>>{{"AG", "SN"}}));
    QVERIFY(!liquid->magnetic);
    const Phase *fcc = db.phase("FCC_A1");
    QCOMPARE(fcc->constituents, (std::vector<std::vector<std::string>>{{"AG", "SN"}, {"VA"}}));
    QVERIFY(fcc->magnetic);
    QCOMPARE(fcc->magnetic->antiferromagneticFactor, -3.0);
    QCOMPARE(fcc->magnetic->structureFactor, 0.28);
    QCOMPARE(db.phase("EPSILON")->siteRatios, (std::vector<double>{0.75, 0.25}));

    QCOMPARE(db.parameters.size(), std::size_t(6));
    const Parameter *l1 = db.find("L", "LIQUID", {{"SN", "AG"}}, 1); // sets, any order
    QVERIFY(l1);
    QCOMPARE(l1->reference, std::string("96Oh")); // "REF:" dropped
    QCOMPARE(l1->constituents, (std::vector<std::vector<std::string>>{{"AG", "SN"}}));
    QVERIFY(l1->isInteraction());
    QCOMPARE(db.evaluate(l1->value, 500), -15799.3 + 3.3208 * 500);
    const Parameter *fccL2 = db.find("G", "FCC_A1", {{"AG", "SN"}, {"VA"}}, 2); // G finds L lines
    QVERIFY(fccL2);
    QCOMPARE(fccL2->type, std::string("G"));
    QCOMPARE(fccL2->reference, std::string("REF7"));
    QVERIFY(db.find("TC", "FCC_A1", {{"AG"}, {"VA"}}, 0));
    QVERIFY(!db.find("G", "FCC_A1", {{"AG"}, {"VA"}}, 0));
    QVERIFY(!db.find("L", "LIQUID", {{"AG", "SN"}}, 2));
    QCOMPARE(db.parametersOf("EPSILON").size(), std::size_t(1));
    const Parameter *gl = db.find("G", "LIQUID", {{"AG"}}, 0);
    QCOMPARE(gl->line, 20);
    QCOMPARE(gl->value.pieces.size(), std::size_t(1));
    QCOMPARE(gl->value.highT(), 3000.0);

    QCOMPARE(db.references.size(), std::size_t(2));
    QCOMPARE(db.reference("91DIN")->text, std::string("A.T. Dinsdale, CALPHAD 15 (1991) 317-425; Unaries"));
    QVERIFY(!db.reference("REF7"));
}

void TestTdb::evaluatesFunctionsOverTheirRanges()
{
    const Database db = readDatabase(kFragment, "fragment");
    const Function *f = db.function("GA");
    QCOMPARE(f->value.pieces.size(), std::size_t(2));
    QCOMPARE(f->value.lowT(), 298.15);
    QCOMPARE(f->reference, std::string("91Din"));
    QCOMPARE(db.function("GB")->value.highT(), kDefaultHighT); // ",,"
    for (double T : {298.15, 700.0, 1234.92, 1234.93, 2500.0, 250.0, 3500.0}) // outside: nearest range
        QVERIFY2(std::fabs(db.functionValue("GA", T) - ga(T)) < 1e-9 * std::fabs(ga(T)),
                 qPrintable(QString::number(T)));
    QCOMPARE(db.functionValue("GB", 800), 300 + 0.3 * 800 + ga(800));
    QCOMPARE(db.functionValue("GC", 800), -5 + 2 * (300 + 0.3 * 800 + ga(800))); // "298.15-5" glued
    const Parameter *eps = db.find("G", "EPSILON", {{"AG"}, {"SN"}}, 0);
    const double T = 600;
    QVERIFY(std::fabs(db.evaluate(eps->value, T) -
                      (-11085.3 + 110.01471 * T - 23.18 * T * std::log(T) - 0.00359 * T * T + 4389.5 / T)) < 1e-9);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, db.functionValue("NOSUCH", 500));
}

void TestTdb::expressions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("T");
    QTest::addColumn<double>("expected");
    QTest::newRow("unary minus below power") << "-T**2" << 3.0 << -9.0;
    QTest::newRow("negative exponent") << "2*T**(-1)" << 4.0 << 0.5;
    QTest::newRow("power right-assoc") << "2**3**2" << 0.0 << 512.0;
    QTest::newRow("ln") << "T*LN(T)" << std::exp(2.0) << 2 * std::exp(2.0);
    QTest::newRow("exp and brackets") << "EXP((T-1)/2)" << 3.0 << std::exp(1.0);
    QTest::newRow("exponent letters") << "1.5E+02+.25D1-T" << 1.0 << 151.5;
    QTest::newRow("left-assoc minus") << "10-3-2" << 0.0 << 5.0;
    QTest::newRow("division chain") << "T/2/2" << 8.0 << 2.0;
    QTest::newRow("pressure") << "P" << 0.0 << Expression::kPressure;
}

void TestTdb::expressions()
{
    QFETCH(QString, text);
    QFETCH(double, T);
    QFETCH(double, expected);
    QCOMPARE(Expression::parse(text.toStdString()).evaluate(T), expected);
}

void TestTdb::refusesMalformedFiles_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("message");
    const QString ok = "ELEMENT AG FCC_A1 107.87 5744.6 42.551 !\nELEMENT VA VACUUM 0 0 0 !\n"
                       "PHASE LIQUID % 1 1.0 !\nCONSTITUENT LIQUID :AG : !\n";
    QTest::newRow("unknown command") << ok + "FROBNICATE X !\n" << 5 << "unknown command \"FROBNICATE\"";
    QTest::newRow("no end") << ok + "FUNCTION GA 298.15 1; 6000 N\n" << 5 << "not ended by '!'";
    QTest::newRow("bad expression") << ok + "FUNCTION GA 298.15\n 1+*T; 6000 N !\n" << 6 << "unexpected '*'";
    QTest::newRow("unclosed bracket") << ok + "FUNCTION GA 298.15 (1+T; 6000 N !\n" << 5 << "missing ')'";
    QTest::newRow("missing semicolon") << ok + "FUNCTION GA 298.15 1+T 6000 N !\n" << 5 << "missing ';'";
    QTest::newRow("missing range flag") << ok + "FUNCTION GA 298.15 1+T; 6000 !\n" << 5 << "expected Y";
    QTest::newRow("empty range") << ok + "FUNCTION GA 298.15 1; 200 N !\n" << 5 << "is empty";
    QTest::newRow("unknown function") << ok + "\nFUNCTION GA 298.15 1+GX#; 6000 N !\n" << 6 << "unknown function GX";
    QTest::newRow("bad number") << "ELEMENT AG FCC_A1 1O7.87 0 0 !\n" << 1 << "\"1O7.87\" is not a number";
    QTest::newRow("phase sites") << "PHASE X % 2 1.0 !\n" << 1 << "site ratio of sublattice 2";
    QTest::newRow("constituents of undefined phase") << "\n\nCONSTITUENT Y :AG: !\n" << 3 << "undefined phase Y";
    QTest::newRow("sublattice count") << ok + "PHASE B % 2 1 1 !\nCONSTITUENT B :AG: !\n" << 6 << "2 sublattices";
    QTest::newRow("unknown constituent") << "ELEMENT AG FCC_A1 1 0 0 !\nPHASE L % 1 1 !\nCONSTITUENT L :AG,CU: !\n"
                                         << 2 << "unknown constituent CU";
    QTest::newRow("parameter form") << ok + "PARAMETER G LIQUID,AG;0 298.15 1; 6000 N !\n" << 5 << "TYPE(PHASE";
    QTest::newRow("parameter order") << ok + "PARAMETER G(LIQUID,AG;x) 298.15 1; 6000 N !\n" << 5 << "whole number";
    QTest::newRow("parameter phase") << ok + "PARAMETER G(SOLID,AG;0) 298.15 1; 6000 N !\n" << 5 << "undefined phase SOLID";
    QTest::newRow("parameter sublattices") << ok + "PARAMETER G(LIQUID,AG:VA;0) 298.15 1; 6000 N !\n" << 5
                                           << "names 2 sublattices";
    QTest::newRow("parameter constituent") << ok + "PARAMETER G(LIQUID,VA;0) 298.15 1; 6000 N !\n" << 5
                                           << "VA is not a constituent";
    QTest::newRow("duplicate function") << ok + "FUN GA 298.15 1; 6000 N !\nFUN GA 298.15 2; 6000 N !\n" << 6
                                        << "defined twice";
    QTest::newRow("function calling itself") << ok + "FUN GA 298.15 1+GB#; 6000 N !\nFUN GB 298.15 2*GA#; 6000 N !\n" << 5
                                             << "calls itself";
    QString doubling = ok + "FUN F0 298.15 T; 6000 N !\n";
    for (int i = 1; i <= 25; ++i)
        doubling += QStringLiteral("FUN F%1 298.15 F%2#+F%2#; 6000 N !\n").arg(i).arg(i - 1);
    QTest::newRow("exponential expansion") << doubling << 18 << "more than ten thousand calls";
    QTest::newRow("nested too deeply") << ok + "FUN GA 298.15 " + QString(300, '(') + "1" + QString(300, ')') + "; 6000 N !\n"
                                       << 5 << "nested too deeply";
    QTest::newRow("huge sublattice count") << "PHASE X % 1.5E97 1 !\n" << 1 << "whole number from 1 to 10";
    QTest::newRow("magnetic without numbers") << "TYPE_DEF A GES A_P_D @ MAGNETIC -3.0 !\n" << 1 << "MAGNETIC needs";
    QTest::newRow("unquoted reference") << "LIST_OF_REFERENCES NUMBER SOURCE\n R1 'one'\n R2 two !\n" << 3
                                        << "needs its text in quotes";
    QTest::newRow("unclosed reference") << "LIST_OF_REFERENCES\n R1 'one\n !\n" << 2 << "no closing quote";
}

void TestTdb::refusesMalformedFiles()
{
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(QString, message);
    try {
        readDatabase(text.toStdString(), "bad.tdb");
        QFAIL("the malformed text was read");
    } catch (const ReadError &e) {
        QCOMPARE(e.line(), line);
        QVERIFY2(QString::fromStdString(e.message()).contains(message), e.what());
        QVERIFY(QString::fromStdString(e.what()).startsWith("bad.tdb:" + QString::number(line) + ": "));
    }
}

void TestTdb::readsTheShippedFiles()
{
    const Database nist = readDatabaseFile(kTdbDir + "NIST-solder_2017-08-04.tdb");
    QCOMPARE(nist.elements.size(), std::size_t(8));
    QCOMPARE(nist.phases.size(), std::size_t(15));
    QCOMPARE(nist.references.size(), std::size_t(14));
    QVERIFY(nist.reference("96Oh")->text.find("J. Alloys Comp. 238 (1996) 155-166") != std::string::npos);
    // GHSERSN has four ranges from 100 K; the third runs from 505.08 K to 800 K.
    const Function *sn = nist.function("GHSERSN");
    QCOMPARE(sn->value.pieces.size(), std::size_t(4));
    const double T = 600;
    const double expected = 2524.724 + 4.005269 * T - 8.2590486 * T * std::log(T) - 0.016814429 * T * T +
                            2.623131E-06 * T * T * T - 1081244 / T - 1.2307E+25 * std::pow(T, -9);
    QVERIFY(std::fabs(nist.functionValue("GHSERSN", T) - expected) < 1e-8);
    // The active Pb-Sn liquid description is the 1989 one; the commented-out lines are not read.
    const Parameter *pbsn = nist.find("L", "LIQUID", {{"PB", "SN"}}, 0);
    QCOMPARE(pbsn->reference, std::string("89Fec"));
    QCOMPARE(nist.evaluate(pbsn->value, 500), 5368 + 0.93414 * 500);

    const Database cost = readDatabaseFile(kTdbDir + "cost507R_opencalphad-examples.TDB");
    QVERIFY(cost.find("G", "LIQUID", {{"SN", "ZN"}}, 0));
    QVERIFY(cost.phase("BCC_A2")->magnetic);
    QCOMPARE(cost.phase("BCC_A2")->magnetic->antiferromagneticFactor, -1.0);
    QVERIFY(cost.functionValue("ALFEW1", 500) == 860 * korvel::thermo::kParameterFileGasConstant); // R: the gas constant

    const Database nims = readDatabaseFile(kTdbDir + "aupt_gro_NIMS.tdb");
    QVERIFY(nims.phase("AU5SN"));
    const Database ngai = readDatabaseFile(kTdbDir + "pbsn_NIMS.tdb");
    QVERIFY(ngai.find("L", "LIQUID", {{"PB", "SN"}}, 0));
    const Database alzn = readDatabaseFile(kTdbDir + "alzn_mey_NIMS.tdb");
    QVERIFY(alzn.find("L", "LIQUID", {{"AL", "ZN"}}, 0));
    QVERIFY_THROWS_EXCEPTION(ReadError, readDatabaseFile(kTdbDir + "no-such-file.tdb"));
}

QTEST_APPLESS_MAIN(TestTdb)
#include "test_tdb.moc"
