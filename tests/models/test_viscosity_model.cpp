// Viscosity models: the model table, the catalogue files, the common formula
// against the worked example, the buffer lines and the run logic of the panel.
#include "models/ViscosityCatalogue.h"
#include "models/ViscosityEngine.h"
#include "models/ViscosityModelRun.h"
#include "ScriptedUi.h"

#include <QtTest>
#include <cmath>

using namespace korvel;
using Status = ViscosityRunResult::Status;

namespace {

QString dataFile(const char* name) { return QStringLiteral(KORVEL_MODELS_DATA_DIR "/") + QLatin1String(name); }
QString fixture(const char* name) { return QStringLiteral(KORVEL_MODELS_FIXTURES "/") + QLatin1String(name); }

// The shipped catalogue with synthetic keys, so publications can select blocks.
const ViscosityCatalogue& keyedCatalogue()
{
    static const ViscosityCatalogue c = ViscosityCatalogue::load(
        {dataFile("viscosity.csv"), fixture("viscosity_test_keys.csv")}, {});
    return c;
}

double round4(double v) { return std::nearbyint(v * 1e4) / 1e4; }

ViscosityRunInput input(const QString& t, const QString& model, const QString& system, const QString& key)
{
    ViscosityRunInput in;
    in.temperatureText = t;
    in.modelText = model;
    in.systemName = system;
    in.publicationKey = key;
    in.locale = QLocale::c();
    return in;
}

// Arms the panel as the window's change handlers do, then presses OK.
ViscosityRunResult press(ViscosityModelRun& run, const ViscosityRunInput& in)
{
    run.cbModel1Change(in.temperatureText, in.modelText, in.publicationKey);
    return run.RunViscosityModel(in);
}

} // namespace

class TestViscosityModel : public QObject {
    Q_OBJECT
    korvel::test::ScriptedUi m_ui; // a curve of non-positive values shows its warning through it
private slots:
    void modelTable();
    void builtInCatalogue();
    void workedExample();
    void pureComponentEnds();
    void bufferLines_data();
    void bufferLines();
    void runDrawsCurveAndBuffer();
    void rangeEdges_data();
    void rangeEdges();
    void notArmedAndInputErrors();
    void missingData();
    void unknownModelTextIsIdealMixing();
    void colourSequence();
    void sameKeyInSeveralSystems();
    void generatedRowsPrecedence();
    void panelEnabling();
};

void TestViscosityModel::modelTable()
{
    const QStringList captions = ViscosityModel::captions();
    QCOMPARE(captions.size(), 12);
    QCOMPARE(captions.first(), QStringLiteral("Dravik (Drv)"));
    QCOMPARE(captions.at(4), QStringLiteral("Kaptay (Kap)"));
    QCOMPARE(captions.last(), QStringLiteral("Sichen-Bygden-Seetharaman (S-B-S)"));
    QStringList abbreviations;
    for (const auto& m : ViscosityModel::all())
        abbreviations << m.abbreviation();
    QCOMPARE(abbreviations, (QStringList{"Drv", "D-M", "I-U-M_G", "I-U-M_H", "Kap", "K-R-P", "Kuc", "M-H",
                                         "Sat", "S-B-E-H", "S-S", "S-B-S"}));
    // The chosen model is the one whose caption equals the text exactly.
    QCOMPARE(ViscosityModel::fromCaption(QStringLiteral("Kucharski (Kuc)"))->abbreviation(), QStringLiteral("Kuc"));
    QVERIFY(!ViscosityModel::fromCaption(QStringLiteral("Kucharski (Kuc) ")));
    QVERIFY(!ViscosityModel::fromCaption(QStringLiteral("Kuc")));
}

void TestViscosityModel::builtInCatalogue()
{
    QStringList warnings;
    const ViscosityCatalogue loaded = ViscosityCatalogue::load(
        {dataFile("viscosity.csv")}, {dataFile("generated/viscosity_rows.csv")}, &warnings);
    // The generated file may not exist yet; only that may be reported.
    for (const QString& w : warnings)
        QVERIFY2(false, qPrintable(w));

    const ViscosityCatalogue& c = ViscosityCatalogue::builtIn(); // the embedded copy
    QStringList names;
    int blocks = 0;
    for (const ViscositySystem& s : c.systems()) {
        names << s.name;
        blocks += int(s.blocks.size());
        QCOMPARE(loaded.system(s.name)->blocks.size(), s.blocks.size());
    }
    QCOMPARE(names, (QStringList{"Ag-Au", "Ag-Cu", "Ag-In", "Ag-Sb", "Ag-Sn", "Al-Zn", "Au-Cu", "Au-Sn", "Bi-Cu",
                                 "Bi-In", "Bi-Sn", "Bi-Zn", "Cu-Sn", "Cu-Sb", "In-Sn", "Pb-Sn", "Sb-Sn", "Sn-Zn"}));
    QCOMPARE(blocks, 27);
    QVERIFY(!c.system(QStringLiteral("Sn-Zn"))->range);
    QCOMPARE(c.system(QStringLiteral("Bi-Sn"))->range->message, QStringLiteral("Error! Temperature range <673, 973[K]>"));
    QCOMPARE(c.system(QStringLiteral("Bi-Zn"))->range->message, QStringLiteral("Error! Temperature range <573,923[K]>"));
    // The given rows are present, all the others are "no rows".
    const ViscosityBlock& agAu = c.system(QStringLiteral("Ag-Au"))->blocks.front();
    QVERIFY(agAu.rows(*ViscosityModel::fromAbbreviation(QStringLiteral("Drv"))));
    QVERIFY(agAu.rows(*ViscosityModel::fromAbbreviation(QStringLiteral("Kuc"))));
    const ViscosityBlock& agSn1 = c.system(QStringLiteral("Ag-Sn"))->blocks.at(0);
    const ViscosityBlock& agSn3 = c.system(QStringLiteral("Ag-Sn"))->blocks.at(2);
    QCOMPARE(agSn1.E2, agSn3.E2);
    QCOMPARE(agSn1.A2, agSn3.A2);
    // A block is found by its publication key; an empty selector text never selects a block.
    QCOMPARE(c.block(QStringLiteral("Cu-Sb"), QStringLiteral("[ ]")), &c.system(QStringLiteral("Cu-Sb"))->blocks.front());
    QVERIFY(!c.block(QStringLiteral("Ag-Au"), QString()));
    QVERIFY(!c.system(QStringLiteral("Ag-Zn")));
}

void TestViscosityModel::workedExample()
{
    const ViscosityBlock& b = ViscosityCatalogue::builtIn().system(QStringLiteral("Ag-Au"))->blocks.front();
    const ViscosityModelRows* rows = b.rows(*ViscosityModel::fromCaption(QStringLiteral("Dravik (Drv)")));
    QVERIFY(rows);
    QCOMPARE(round4(viscosityAt(b, rows, 0.5, 1273)), 5.0586);
    QCOMPARE(round4(viscosityAt(b, rows, 0.0, 1273)), 3.6681);
    QCOMPARE(round4(viscosityAt(b, rows, 1.0, 1273)), 5.7992);
    // The intermediate quantities of the example: Aex = 0.037626, Eex = -86.0547875 at x = 0.5.
    const double expected = std::exp((0.5 * 19768 + 0.5 * 17410.3 - 86.0547875) / (GasConstant * 1273))
                            * (0.5 * 0.56666 + 0.5 * 1.11942 + 0.037626);
    QVERIFY(std::fabs(viscosityAt(b, rows, 0.5, 1273) - expected) < 1e-9);
    const auto curve = viscosityCurve(&b, rows, 1273);
    QCOMPARE(int(curve.size()), 101);
    QCOMPARE(curve[37].x(), 0.37); // computed from i, not accumulated
    QCOMPARE(curve[100].x(), 1.0);
}

void TestViscosityModel::pureComponentEnds()
{
    // Whatever the model, the ends are A1 exp(E1/RT) and A2 exp(E2/RT).
    for (const ViscositySystem& s : ViscosityCatalogue::builtIn().systems()) {
        for (const ViscosityBlock& b : s.blocks) {
            const double t = s.applicableRange(&b)->low;
            const double rt = GasConstant * t;
            for (const ViscosityModel& m : ViscosityModel::all()) {
                const ViscosityModelRows* rows = b.rows(m);
                if (!rows)
                    continue;
                QCOMPARE(viscosityAt(b, rows, 0.0, t), b.A1 * std::exp(b.E1 / rt));
                QCOMPARE(viscosityAt(b, rows, 1.0, t), b.A2 * std::exp(b.E2 / rt));
            }
        }
    }
}

void TestViscosityModel::bufferLines_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QStringList>("expected"); // lines of x = 0, 0.5, 1 and 0.07
    QTest::newRow("point") << "C" << QStringList{"0\t\t3.67", "0.5\t\t5.06", "1\t\t5.8", "0.07"};
    QTest::newRow("comma") << "pl_PL" << QStringList{"0\t\t3,67", "0,5\t\t5,06", "1\t\t5,8", "0,07"};
}

void TestViscosityModel::bufferLines()
{
    QFETCH(QString, localeName);
    QFETCH(QStringList, expected);
    const QLocale locale(localeName);
    const ViscosityBlock& b = ViscosityCatalogue::builtIn().system(QStringLiteral("Ag-Au"))->blocks.front();
    const auto rows = b.rows(ViscosityModel::at(0));
    const QStringList lines = viscosityValueLines(viscosityCurve(&b, rows, 1273), locale);
    QCOMPARE(lines.size(), 101);
    QCOMPARE(lines[0], expected[0]);
    QCOMPARE(lines[50], expected[1]);
    QCOMPARE(lines[100], expected[2]);
    QVERIFY(lines[7].startsWith(expected[3] + QStringLiteral("\t\t")));
    // Two decimals, ties to the even neighbour.
    QCOMPARE(viscosityValueLines({QPointF(0.25, 2.125)}, locale).first(),
             QString(expected[3]).replace(QStringLiteral("07"), QStringLiteral("25")) + QStringLiteral("\t\t")
                 + (localeName == QLatin1String("C") ? QStringLiteral("2.12") : QStringLiteral("2,12")));
}

void TestViscosityModel::runDrawsCurveAndBuffer()
{
    ViscosityModelRun run(keyedCatalogue());
    const ViscosityRunResult r = press(run, input("1273", "Dravik (Drv)", "Ag-Au", "[2000Tst1]"));
    QCOMPARE(r.status, Status::Drawn);
    QVERIFY(r.enableMenuItem);
    QCOMPARE(int(r.curve.points.size()), 101);
    QCOMPARE(round4(r.curve.points[50].y()), 5.0586);
    QCOMPARE(r.curve.title, QStringLiteral("[2000Tst1]_Drv_1273[K]"));
    QCOMPARE(r.curve.colour, ChartColour::fixed(0xFF0000));
    QCOMPARE(r.curve.lineWidth, 3);
    QCOMPARE(r.bufferLines.size(), 107);
    QCOMPARE(r.bufferLines.mid(0, 4), (QStringList{"Model of viscosity: Dravik (Drv),  Temerature: 1273 K", "",
                                                   "X        Viscosity [mPa*s]", ""}));
    QCOMPARE(r.bufferLines[4 + 50], QStringLiteral("0.5\t\t5.06"));
    QCOMPARE(r.bufferLines.mid(105), (QStringList{"", ""}));
    QCOMPARE(run.modelCurveCount(), 1);
    QCOMPARE(run.modelTemperature(), FixedPoint4::fromRaw(12730000));
    QVERIFY(!run.modelArmed());

    // A fractional temperature: the title carries its shortest form with the locale's separator.
    ViscosityRunInput in = input("1300.5", "Kucharski (Kuc)", "Ag-Au", "[2000Tst1]");
    in.locale = QLocale(QStringLiteral("pl_PL"));
    const ViscosityRunResult k = press(run, in);
    QCOMPARE(k.status, Status::Drawn);
    QCOMPARE(k.curve.title, QStringLiteral("[2000Tst1]_Kuc_1300,5[K]"));
    QCOMPARE(k.bufferLines.first(), QStringLiteral("Model of viscosity: Kucharski (Kuc),  Temerature: 1300.5 K"));
    QCOMPARE(k.curve.colour, ChartColour::fixed(0x008000));
    // Different models give different curves, the same ends.
    const auto drv = press(run, input("1300", "Dravik (Drv)", "Ag-Au", "[2000Tst1]"));
    const auto kuc = press(run, input("1300", "Kucharski (Kuc)", "Ag-Au", "[2000Tst1]"));
    QCOMPARE(drv.curve.points[0].y(), kuc.curve.points[0].y());
    QVERIFY(std::fabs(drv.curve.points[50].y() - kuc.curve.points[50].y()) > 1e-3);
}

void TestViscosityModel::rangeEdges_data()
{
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("temperature");
    QTest::addColumn<QString>("message"); // empty: accepted

    const QString agAu = QStringLiteral("Error! Temperature range <1273,1673[K]>");
    QTest::newRow("Ag-Au lower bound") << "Ag-Au" << "[2000Tst1]" << "1273" << "";
    QTest::newRow("Ag-Au upper bound") << "Ag-Au" << "[2000Tst1]" << "1673" << "";
    QTest::newRow("Ag-Au below") << "Ag-Au" << "[2000Tst1]" << "1272,9999" << agAu;
    QTest::newRow("Ag-Au above") << "Ag-Au" << "[2000Tst1]" << "1673.0001" << agAu;
    QTest::newRow("Ag-Au other key") << "Ag-Au" << "[1999Xyz1]" << "1200" << agAu;
    const QString cuSb = QStringLiteral("Error! Temperature range <1373,1373[K]>");
    QTest::newRow("Cu-Sb only 1373") << "Cu-Sb" << "[ ]" << "1373" << "";
    QTest::newRow("Cu-Sb 1372") << "Cu-Sb" << "[ ]" << "1372" << cuSb;
    QTest::newRow("Cu-Sb 1374") << "Cu-Sb" << "[ ]" << "1374" << cuSb;
    QTest::newRow("Sn-Zn block 1 at 950") << "Sn-Zn" << "[2000Tst6]" << "950"
                                          << "Error! Temperature range <623, 923[K]>";
    QTest::newRow("Sn-Zn block 2 at 950") << "Sn-Zn" << "[T]" << "950" << "";
    QTest::newRow("Sn-Zn block 2 at 600") << "Sn-Zn" << "[T]" << "600" << "Error! Temperature range <673, 973[K]>";
    // No coefficients for the key: refused whatever the temperature, nothing drawn.
    QTest::newRow("Sn-Zn no block: refused") << "Sn-Zn" << "[1999Xyz1]" << "5000"
                                             << "none has no coefficients for the publication [1999Xyz1] of Sn-Zn, so "
                                                "nothing was drawn and nothing will be exported for it.";
    QTest::newRow("Ag-Sb names its own range") << "Ag-Sb" << "[2000Tst2]" << "1400"
                                               << "Error! Temperature range <1073,1373[K]>";
    QTest::newRow("Pb-Sn block 2 own range") << "Pb-Sn" << "[T]" << "800" << "Error! Temperature range <573, 773[K]>";
    QTest::newRow("Pb-Sn block 1 system range") << "Pb-Sn" << "[2000Tst5]" << "800" << "";
    QTest::newRow("Pb-Sn block 1 above") << "Pb-Sn" << "[2000Tst5]" << "874" << "Error! Temperature range <573, 873[K]>";
}

void TestViscosityModel::rangeEdges()
{
    QFETCH(QString, system);
    QFETCH(QString, key);
    QFETCH(QString, temperature);
    QFETCH(QString, message);
    ViscosityModelRun run(keyedCatalogue());
    // A text that is no model: ideal mixing, drawable for every block with constants.
    const ViscosityRunResult r = press(run, input(temperature, "none", system, key));
    if (message.isEmpty()) {
        QCOMPARE(r.status, Status::Drawn);
        QCOMPARE(r.bufferLines.size(), 107);
    } else {
        QCOMPARE(r.status, message.startsWith(QLatin1String("Error!")) ? Status::RangeRejected : Status::NotAvailable);
        QCOMPARE(r.message, message);
        QVERIFY(r.curve.points.empty());
        QVERIFY(r.bufferLines.isEmpty());
    }
    // Step 4 runs also after a rejection.
    QCOMPARE(run.modelCurveCount(), 1);
    QVERIFY(r.enableMenuItem);
    QVERIFY(!run.modelArmed());
}

void TestViscosityModel::notArmedAndInputErrors()
{
    ViscosityModelRun run(keyedCatalogue());
    auto in = input("1273", "Dravik (Drv)", "Ag-Au", "[2000Tst1]");
    QCOMPARE(run.RunViscosityModel(in).status, Status::NotArmed); // never armed
    QCOMPARE(press(run, in).status, Status::Drawn);
    // A second OK without a change of the fields does nothing.
    const auto again = run.RunViscosityModel(in);
    QCOMPARE(again.status, Status::NotArmed);
    QVERIFY(!again.enableMenuItem);
    QCOMPARE(run.modelCurveCount(), 1);
    // An empty temperature field does nothing either.
    run.setModelArmed(true);
    QCOMPARE(run.RunViscosityModel(input("", "Dravik (Drv)", "Ag-Au", "[2000Tst1]")).status, Status::NotArmed);

    // Texts the normaliser refuses and texts that are no number.
    for (const QString& bad : {QStringLiteral("12a3"), QStringLiteral("-1300")}) {
        const auto r = press(run, input(bad, "Dravik (Drv)", "Ag-Au", "[2000Tst1]"));
        QCOMPARE(r.status, Status::InputError);
        QCOMPARE(r.message, QStringLiteral("Incorrect data format : ") + bad);
        QVERIFY(run.modelArmed()); // stays set
        QVERIFY(!r.enableMenuItem);
    }
    const auto comma = press(run, input(",", "Dravik (Drv)", "Ag-Au", "[2000Tst1]"));
    QCOMPARE(comma.status, Status::InputError);
    QVERIFY(!comma.message.isEmpty());
    QCOMPARE(run.modelCurveCount(), 1);
}

void TestViscosityModel::missingData()
{
    ViscosityModelRun run(keyedCatalogue());
    // A model without rows for the block: refused, never drawn.
    const auto sat = press(run, input("1273", "Sato (Sat)", "Ag-Au", "[2000Tst1]"));
    QCOMPARE(sat.status, Status::NotAvailable);
    QCOMPARE(sat.message,
             QStringLiteral("Sato (Sat): the data of this model for Ag-Au are not in this version KORVEL database."));
    QVERIFY(sat.curve.points.empty());
    QVERIFY(sat.bufferLines.isEmpty());
    QVERIFY(sat.enableMenuItem);
    // A system without an entry: nothing drawn, the run still counts.
    QCOMPARE(press(run, input("1273", "Dravik (Drv)", "Ag-Zn", "[2000Tst1]")).status, Status::NoSystem);
    QCOMPARE(run.modelCurveCount(), 2);
    // A publication without coefficients: nothing drawn, nothing to export, and
    // the message names the model and the publication.
    const auto none = press(run, input("1300", "Dravik (Drv)", "Ag-Au", "[1999Xyz1]"));
    QCOMPARE(none.status, Status::NotAvailable);
    QCOMPARE(none.message, QStringLiteral("Dravik (Drv) has no coefficients for the publication [1999Xyz1] of Ag-Au, "
                                          "so nothing was drawn and nothing will be exported for it."));
    QVERIFY(none.curve.points.empty());
    QVERIFY(none.bufferLines.isEmpty());
    // An empty publication selector: armed through the temperature field.
    run.edModelChange(QStringLiteral("1300"), QStringLiteral("Dravik (Drv)"));
    const auto unchosen = run.RunViscosityModel(input("1300", "Dravik (Drv)", "Ag-Au", ""));
    QCOMPARE(unchosen.status, Status::NotAvailable);
    QVERIFY(unchosen.message.contains(QStringLiteral("choose a publication of Ag-Au")));
    QVERIFY(unchosen.bufferLines.isEmpty());
}

void TestViscosityModel::unknownModelTextIsIdealMixing()
{
    ViscosityModelRun run(keyedCatalogue());
    const ViscosityBlock& b = *keyedCatalogue().block(QStringLiteral("Ag-Au"), QStringLiteral("[2000Tst1]"));
    const auto first = press(run, input("1300", "my model", "Ag-Au", "[2000Tst1]"));
    QCOMPARE(first.status, Status::Drawn);
    QCOMPARE(first.curve.title, QStringLiteral("[2000Tst1]__1300[K]")); // no model recognised yet
    QCOMPARE(first.curve.points[40].y(), viscosityAt(b, nullptr, 0.4, 1300));
    QCOMPARE(first.curve.points[40].y(),
             std::exp((0.6 * b.E1 + 0.4 * b.E2) / (GasConstant * 1300)) * (0.6 * b.A1 + 0.4 * b.A2));
    press(run, input("1300", "Kucharski (Kuc)", "Ag-Au", "[2000Tst1]"));
    const auto later = press(run, input("1350", "Kucharski", "Ag-Au", "[2000Tst1]"));
    QCOMPARE(later.curve.title, QStringLiteral("[2000Tst1]_Kuc_1350[K]"));
    QCOMPARE(run.modelAbbreviation(), QStringLiteral("Kuc"));
}

void TestViscosityModel::colourSequence()
{
    const QList<quint32> expected{0xFF0000, 0x008000, 0x0000FF, 0x800080, 0xFFFF00, 0x000000, 0x000080, 0x008080,
                                  0x808080, 0x00FF00, 0x808000, 0x00FFFF, 0xC0C0C0, 0x800000, 0xFF00FF, 0xC0C0C0};
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(modelColour(i), ChartColour::fixed(expected[i]));
    QCOMPARE(modelColour(16).role, ChartColour::Role::Highlight);
    QCOMPARE(modelColour(17).role, ChartColour::Role::Desktop);
    QCOMPARE(modelColour(18).role, ChartColour::Role::InactiveCaption);
    QCOMPARE(modelColour(19).role, ChartColour::Role::ToolTipBase);

    ViscosityModelRun run(keyedCatalogue());
    QList<ChartColour> colours;
    for (int i = 0; i < 21; ++i) {
        // Alternate the model so every OK is armed; rejected runs take a colour slot too.
        const QString t = i == 3 ? QStringLiteral("100") : QStringLiteral("1300");
        const auto r = press(run, input(t, i % 2 ? "Kucharski (Kuc)" : "Dravik (Drv)", "Ag-Au", "[2000Tst1]"));
        if (r.status == Status::Drawn)
            colours << r.curve.colour;
    }
    QCOMPARE(colours.size(), 20);
    QCOMPARE(colours[0], modelColour(0));
    QCOMPARE(colours[2], modelColour(2));
    QCOMPARE(colours[3], modelColour(4)); // index 3 went to the rejected run
    QCOMPARE(colours[19], modelColour(0)); // the 21st run wraps round to red
    QCOMPARE(run.modelCurveCount(), 21);
    run.sbClear1Click();
    QCOMPARE(run.modelCurveCount(), 0);
    QCOMPARE(press(run, input("1300", "Dravik (Drv)", "Ag-Au", "[2000Tst1]")).curve.colour, modelColour(0));
}

void TestViscosityModel::sameKeyInSeveralSystems()
{
    // "[T]" is Pb-Sn's second block and Sn-Zn's second block: each system uses its own.
    const ViscosityCatalogue& c = keyedCatalogue();
    const ViscosityBlock* pbSn = c.block(QStringLiteral("Pb-Sn"), QStringLiteral("[T]"));
    const ViscosityBlock* snZn = c.block(QStringLiteral("Sn-Zn"), QStringLiteral("[T]"));
    QVERIFY(pbSn && snZn);
    QCOMPARE(pbSn->number, 2);
    QCOMPARE(snZn->number, 2);
    QCOMPARE(snZn->E1, 6876.8);
    // Ag-Sn blocks 1 and 3 share their constants: without model rows their curves coincide.
    const ViscosityBlock* b1 = c.block(QStringLiteral("Ag-Sn"), QStringLiteral("[2000Tst3]"));
    const ViscosityBlock* b3 = c.block(QStringLiteral("Ag-Sn"), QStringLiteral("[2000Tst4]"));
    QVERIFY(b1 && b3 && b1 != b3);
    QCOMPARE(viscosityCurve(b1, nullptr, 900), viscosityCurve(b3, nullptr, 900));
}

void TestViscosityModel::generatedRowsPrecedence()
{
    QStringList warnings;
    const ViscosityCatalogue c = ViscosityCatalogue::load({dataFile("viscosity.csv")},
                                                          {fixture("viscosity_generated.csv")}, &warnings);
    const ViscosityBlock& b = c.system(QStringLiteral("Ag-Au"))->blocks.front();
    const ViscosityBlock& shipped = ViscosityCatalogue::builtIn().system(QStringLiteral("Ag-Au"))->blocks.front();
    auto model = [](const char* a) { return *ViscosityModel::fromAbbreviation(QLatin1String(a)); };
    // Generated rows fill a model without given rows.
    QVERIFY(b.rows(model("Sat")));
    QVERIFY(b.rows(model("Sat"))->generated);
    QCOMPARE(b.rows(model("Sat"))->e.p[0], -1000.0);
    // Given rows win.
    QVERIFY(!b.rows(model("Drv"))->generated);
    QCOMPARE(b.rows(model("Drv"))->a.p, shipped.rows(model("Drv"))->a.p);
    // Half a model, an undeclared source, an unknown block: nothing enters.
    QVERIFY(!b.rows(model("Kap")));
    QVERIFY(!b.rows(model("M-H")));
    QCOMPARE(c.system(QStringLiteral("Ag-Au"))->blocks.size(), std::size_t(1));
    QVERIFY(warnings.size() >= 3);
}

void TestViscosityModel::panelEnabling()
{
    ViscosityModelRun run(keyedCatalogue());
    auto s = run.edModelChange(QStringLiteral("1273"), QString());
    QVERIFY(!s.okEnabled);
    QVERIFY(s.disableMenuItem);
    QVERIFY(!run.modelArmed());
    s = run.edModelChange(QStringLiteral("1273"), QStringLiteral("Kaptay (Kap)"));
    QVERIFY(s.okEnabled);
    QVERIFY(run.modelArmed());
    ViscosityModelRun other(keyedCatalogue());
    // The model list also needs a publication.
    QVERIFY(!other.cbModel1Change(QStringLiteral("1273"), QStringLiteral("Kaptay (Kap)"), QString()).okEnabled);
    QVERIFY(!other.modelArmed());
    QVERIFY(other.cbModel1Change(QStringLiteral("1273"), QStringLiteral("Kaptay (Kap)"), QStringLiteral("[ ]")).okEnabled);
    QVERIFY(other.modelArmed());
}

QTEST_GUILESS_MAIN(TestViscosityModel)
#include "test_viscosity_model.moc"
