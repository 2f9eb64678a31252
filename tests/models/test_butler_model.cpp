// Butler surface-tension fits: the fit forms against the published values, the
// catalogue's completeness and ranges, and the command of the chart window
// (questions, temperature limit, the armed chain, colours and titles).
#include "models/ButlerCatalogue.h"
#include "models/ButlerModelRun.h"

#include "ScriptedUi.h"

#include <QtTest>
#include <cmath>

using namespace korvel;
using korvel::test::ScriptedUi;
using Answer = UiServices::Answer;
using Use = ButlerFit::Use;

namespace {

QString dataFile(const char* name) { return QStringLiteral(KORVEL_MODELS_DATA_DIR "/") + QLatin1String(name); }
QString fixture(const char* name) { return QStringLiteral(KORVEL_MODELS_FIXTURES "/") + QLatin1String(name); }

double roundTo(double v, int decimals)
{
    const double f = std::pow(10.0, decimals);
    return std::nearbyint(v * f) / f;
}

// The hand-kept catalogue alone: the fits whose rows nobody gave stay without rows,
// whatever the generated files hold.
const ButlerCatalogue& givenOnly()
{
    static const ButlerCatalogue c = ButlerCatalogue::load({dataFile("butler.csv")}, {});
    return c;
}

const QString NotAvailable = QStringLiteral("This data isn\u2019t available in this version KORVEL database.");

ButlerRunInput isothermInput(const QString& system, std::array<QString, 4> temperatures)
{
    ButlerRunInput in;
    in.temperatureTexts = temperatures;
    in.isothermMode = true;
    in.propertyName = QStringLiteral("Surface tension");
    in.systemName = system;
    in.locale = QLocale::c();
    return in;
}

ButlerRunInput temperatureInput(const QString& system, std::vector<double> compositions)
{
    ButlerRunInput in;
    in.isothermMode = false;
    in.propertyName = QStringLiteral("Surface tension");
    in.systemName = system;
    in.selectedCompositions = std::move(compositions);
    in.locale = QLocale::c();
    return in;
}

QStringList titles(const ButlerRunResult& r)
{
    QStringList list;
    for (const ModelCurve& c : r.curves)
        list << c.title;
    return list;
}

} // namespace

class TestButlerModel : public QObject {
    Q_OBJECT
private slots:
    void publishedValues_data();
    void publishedValues();
    void builtInCatalogue();
    void directFitsEndInPureLines();
    void temperatureRanges_data();
    void temperatureRanges();
    void biSnLineFit();
    void roundingSteps();
    void declinedCommand();
    void temperatureLimit();
    void armedChain();
    void isothermCurves();
    void temperatureCurves();
    void biSnQuestion();
    void fitsWithoutRows();
    void generatedRowsPrecedence();
};

void TestButlerModel::publishedValues_data()
{
    QTest::addColumn<QString>("system");
    QTest::addColumn<bool>("isotherm");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("t");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("expected");
    QTest::newRow("Ag-Au isotherm") << "Ag-Au" << true << 0.5 << 1273.0 << 4 << 1028.2437;
    QTest::newRow("Ag-Au temperature fit") << "Ag-Au" << false << 0.5 << 1273.0 << 4 << 1028.2437;
    QTest::newRow("Ag-Cu-Sn section") << "Ag-Cu-Sn" << true << 0.05 << 1000.0 << 4 << 531.3527;
    QTest::newRow("Ag-Cu-Sn temperature fit") << "Ag-Cu-Sn" << false << 0.05 << 1000.0 << 4 << 531.3527;
    QTest::newRow("Ag-Bi isotherm") << "Ag-Bi" << true << 0.3 << 800.0 << 2 << 441.85;
    QTest::newRow("Cu-Sn temperature fit") << "Cu-Sn" << false << 0.3 << 800.0 << 2 << 696.91;
}

void TestButlerModel::publishedValues()
{
    QFETCH(QString, system);
    QFETCH(bool, isotherm);
    QFETCH(double, x);
    QFETCH(double, t);
    QFETCH(int, decimals);
    QFETCH(double, expected);
    const ButlerCatalogue& c = ButlerCatalogue::builtIn();
    const ButlerFit* fit = isotherm ? c.isothermFit(system) : c.temperatureFits(system).front();
    QVERIFY(fit && fit->complete());
    const double value = fit->chartValue(x, t);
    QCOMPARE(value, roundTo(value, 4)); // chart values carry four decimals
    QCOMPARE(roundTo(value, decimals), expected);
}

void TestButlerModel::builtInCatalogue()
{
    QStringList warnings;
    ButlerCatalogue::load({dataFile("butler.csv")}, {dataFile("generated/butler_fits.csv")}, &warnings);
    for (const QString& w : warnings)
        QVERIFY2(false, qPrintable(w));
    const ButlerCatalogue& c = ButlerCatalogue::builtIn();
    int isotherms = 0;
    for (const ButlerFit& f : c.fits())
        isotherms += f.use == Use::Isotherm;
    QCOMPARE(isotherms, 17);
    QCOMPARE(c.temperatureFits(QStringLiteral("Bi-Sn")).size(), std::size_t(2));
    QCOMPARE(c.temperatureFits(QStringLiteral("Ag-Bi")).size(), std::size_t(1));
    QVERIFY(c.temperatureFits(QStringLiteral("Ag-Zn")).empty());
    QVERIFY(!c.isothermFit(QStringLiteral("Ag-Zn")));
    // The fits given in full are complete, the section through its pair fits too.
    for (const char* s : {"Ag-Au", "Ag-Bi", "Ag-Sn", "In-Sn", "Pb-Sn", "Ag-Cu-Sn"})
        QVERIFY2(c.isothermFit(QLatin1String(s))->complete(), s);
    QCOMPARE(c.isothermFit(QStringLiteral("Ag-Cu-Sn"))->compositions().size(), std::size_t(8));
    QCOMPARE(c.isothermFit(QStringLiteral("Ag-Au"))->compositions().size(), std::size_t(101));
    // Rows come from the generated file exactly where the hand-kept file has none.
    for (const ButlerFit& f : c.fits()) {
        const ButlerFit* given = givenOnly().fit(f.system, f.use, f.variant);
        QVERIFY(given);
        const bool hasGivenRows = !given->L.empty() || given->Q[0] || given->P[0];
        if (hasGivenRows) {
            QVERIFY2(!f.rowsGenerated, qPrintable(f.system));
            QCOMPARE(f.rowSource, QStringLiteral("K3-CAT"));
        } else if (f.rowsGenerated) {
            QVERIFY2(f.rowSource.startsWith(QLatin1String("generated:")), qPrintable(f.system));
        }
    }
}

void TestButlerModel::directFitsEndInPureLines()
{
    for (const ButlerFit& f : ButlerCatalogue::builtIn().fits()) {
        const ButlerFit* direct = f.form == ButlerFit::Form::IsothermFit ? f.isothermFit : &f;
        if (!direct || direct->form != ButlerFit::Form::Direct || !f.complete())
            continue;
        for (double t : {600.0, 1000.0, 1273.0, 1500.5}) {
            const auto& p = direct->pure;
            QCOMPARE(f.chartValue(0.0, t), roundTo(p[0].s - p[0].t * t, 4));
            QCOMPARE(f.chartValue(1.0, t), roundTo(p[1].s - p[1].t * t, 4));
        }
    }
    // Surface-fraction fits likewise end in their pure lines.
    const ButlerFit* agBi = ButlerCatalogue::builtIn().isothermFit(QStringLiteral("Ag-Bi"));
    QCOMPARE(agBi->chartValue(0.0, 900), 1134 - 0.191 * 900);
    QCOMPARE(agBi->chartValue(1.0, 900), 405 - 0.0492 * 900);
}

void TestButlerModel::temperatureRanges_data()
{
    QTest::addColumn<QString>("system");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("last");
    QTest::addColumn<int>("points");
    QTest::newRow("Ag-Au") << "Ag-Au" << 500.0 << 1500.0 << 11;
    QTest::newRow("Ag-Sb starts at 800") << "Ag-Sb" << 800.0 << 1500.0 << 8;
    QTest::newRow("Cu-Sb starts at 900") << "Cu-Sb" << 900.0 << 1500.0 << 7;
    QTest::newRow("Sb-Sn ends at 1300") << "Sb-Sn" << 500.0 << 1300.0 << 9;
    QTest::newRow("In-Zn ends at 1200") << "In-Zn" << 500.0 << 1200.0 << 8;
}

void TestButlerModel::temperatureRanges()
{
    QFETCH(QString, system);
    QFETCH(double, first);
    QFETCH(double, last);
    QFETCH(int, points);
    const auto list = ButlerCatalogue::builtIn().temperatureFits(system).front()->temperatures();
    QCOMPARE(int(list.size()), points);
    QCOMPARE(list.front(), first);
    QCOMPARE(list.back(), last);
}

void TestButlerModel::biSnLineFit()
{
    const ButlerFit* line = ButlerCatalogue::builtIn().temperatureFits(QStringLiteral("Bi-Sn")).front();
    QCOMPARE(line->form, ButlerFit::Form::Line);
    for (double x : {0.0, 0.3, 0.57, 1.0}) {
        QCOMPARE(line->chartValue(x, 500), 440.3755 - 0.0331 * 500);
        QCOMPARE(line->chartValue(x, 900), roundTo(440.3755 - 0.0331 * 900, 4));
    }
    QCOMPARE(line->temperatures().back(), 900.0);
}

void TestButlerModel::roundingSteps()
{
    // The pure lines are rounded where formed: a line with more than four decimals at
    // T = 1000.5 gives the rounded value at x = 0 (419.0055 - 0.0560572 * 1000.5 = 362.92...).
    const ButlerFit* sbSn = ButlerCatalogue::builtIn().isothermFit(QStringLiteral("Sb-Sn"));
    const long double exact = 419.0055L - 0.0560572L * 1000.5L;
    QVERIFY(std::fabs(double(exact - roundFour(exact))) > 1e-6);
    // Sb-Sn has no rows yet, so use a direct fit built here with the same line.
    ButlerFit f = *sbSn;
    f.L = {ButlerRow{}, ButlerRow{}, ButlerRow{}, ButlerRow{}};
    QVERIFY(f.complete());
    QCOMPARE(double(f.evaluate(0.0L, 1000.5L)), double(roundFour(exact)));
    // With rounding limited to K (the Sn-Zn isotherm) the line is not rounded.
    f.rounding = ButlerFit::Rounding::KOnly;
    QCOMPARE(double(f.evaluate(0.0L, 1000.5L)), double(exact));
    // The surface fraction y is rounded to four decimals where formed: the Ag-Bi value
    // splits its pure lines in a ratio with four decimals.
    const ButlerFit* agBi = ButlerCatalogue::builtIn().isothermFit(QStringLiteral("Ag-Bi"));
    for (double x : {0.13, 0.3, 0.77}) {
        for (double t : {700.0, 1111.0}) {
            const long double ag = 1134.0L - 0.191L * t, bi = roundFour(405.0L - 0.0492L * t);
            const long double y = (agBi->evaluate(x, t) - bi) / (roundFour(ag) - bi);
            QVERIFY2(std::fabs(double(y * 10000.0L - std::rint(y * 10000.0L))) < 1e-6, qPrintable(QString::number(x)));
        }
    }
    // Nearest four-decimal value, both signs.
    QCOMPARE(double(std::rint(roundFour(1.23456L) * 10000.0L)), 12346.0);
    QCOMPARE(double(std::rint(roundFour(-1.23454L) * 10000.0L)), -12345.0);
}

void TestButlerModel::declinedCommand()
{
    ScriptedUi ui;
    ButlerModelRun run;
    run.armSlotOne();
    ui.answers = {Answer::No, Answer::Yes};
    auto r = run.sbButlerClick(isothermInput(QStringLiteral("Ag-Au"), {"1273", "", "", ""}));
    QCOMPARE(r.status, ButlerRunResult::Status::Declined);
    QVERIFY(r.curves.empty());
    QCOMPARE(ui.texts(), (QStringList{"Butler model", "Surface calculate", NotAvailable}));
    QCOMPARE(ui.messages.last().kind, ScriptedUi::Message::Plain);
    QVERIFY(run.butlerArmed(1)); // nothing moved
    ui.messages.clear();
    ui.answers = {Answer::Cancel, Answer::No};
    r = run.sbButlerClick(isothermInput(QStringLiteral("Ag-Au"), {"1273", "", "", ""}));
    QCOMPARE(ui.texts(), (QStringList{"Butler model", "Surface calculate"}));
    QVERIFY(r.curves.empty());
}

void TestButlerModel::temperatureLimit()
{
    ScriptedUi ui;
    ButlerModelRun run;
    run.armSlotOne();
    ui.answers = {Answer::Yes};
    auto r = run.sbButlerClick(isothermInput(QStringLiteral("Ag-Au"), {"1273", "2000,0001", "", ""}));
    QCOMPARE(r.status, ButlerRunResult::Status::RangeRejected);
    QVERIFY(r.curves.empty());
    QCOMPARE(ui.lastMessage(), QStringLiteral("Error! Temperature range <0,2000 [K]>"));
    QCOMPARE(ui.messages.last().kind, ScriptedUi::Message::Error);
    QVERIFY(run.butlerArmed(1));

    ui.answers = {Answer::Yes};
    r = run.sbButlerClick(isothermInput(QStringLiteral("Ag-Au"), {"1273", "2000", "", ""}));
    QCOMPARE(r.status, ButlerRunResult::Status::Done);
    QCOMPARE(titles(r), (QStringList{"Butler 1273[K]", "Butler 2000[K]"}));

    // 0 K: refused in words, no curve and no legend entry.
    ui.answers = {Answer::Yes};
    run.armSlotOne();
    r = run.sbButlerClick(isothermInput(QStringLiteral("Ag-Au"), {"0", "", "", ""}));
    QCOMPARE(r.status, ButlerRunResult::Status::RangeRejected);
    QVERIFY(r.curves.empty());
    QCOMPARE(ui.lastMessage(), QStringLiteral("Error! The temperature must be above 0 [K]"));
    QVERIFY(run.butlerArmed(1));

    ui.answers = {Answer::Yes};
    run.armSlotOne();
    r = run.sbButlerClick(isothermInput(QStringLiteral("Ag-Au"), {"12x3", "", "", ""}));
    QCOMPARE(r.status, ButlerRunResult::Status::InputError);
    QCOMPARE(r.message, QStringLiteral("Incorrect data format : 12x3"));
    QVERIFY(run.butlerArmed(1));
}

void TestButlerModel::armedChain()
{
    ScriptedUi ui;
    ButlerModelRun run;
    const QString agAu = QStringLiteral("Ag-Au");

    // T1 and T2 filled: one command draws both, red then green.
    run.armSlotOne();
    ui.answers = {Answer::Yes};
    auto r = run.sbButlerClick(isothermInput(agAu, {"1273", "1373", "", ""}));
    QCOMPARE(titles(r), (QStringList{"Butler 1273[K]", "Butler 1373[K]"}));
    QCOMPARE(r.curves[0].colour, isothermColour(1));
    QCOMPARE(r.curves[1].colour, ChartColour::fixed(0x008000));
    // Without editing T1 a second command draws nothing.
    ui.answers = {Answer::Yes};
    QVERIFY(run.sbButlerClick(isothermInput(agAu, {"1273", "1373", "", ""})).curves.empty());

    // T1 and T3 filled, T2 empty: only T1.
    ButlerModelRun gap;
    gap.armSlotOne();
    ui.answers = {Answer::Yes};
    r = gap.sbButlerClick(isothermInput(agAu, {"1273", "", "1473", ""}));
    QCOMPARE(titles(r), (QStringList{"Butler 1273[K]"}));
    QVERIFY(gap.butlerArmed(2));
    QVERIFY(!gap.butlerArmed(3));
    // Filling T2 later: the next command draws T2 and, armed by it, T3 (blue).
    ui.answers = {Answer::Yes};
    r = gap.sbButlerClick(isothermInput(agAu, {"1273", "1373", "1473", ""}));
    QCOMPARE(titles(r), (QStringList{"Butler 1373[K]", "Butler 1473[K]"}));
    QCOMPARE(r.curves[1].colour, ChartColour::fixed(0x0000FF));
    QCOMPARE(gap.modelTemperature(), FixedPoint4::fromRaw(14730000));
    QVERIFY(gap.butlerArmed(4));

    // A system without an isotherm fit draws nothing but the flag still moves on.
    ButlerModelRun none;
    none.armSlotOne();
    ui.answers = {Answer::Yes};
    ui.messages.clear();
    r = none.sbButlerClick(isothermInput(QStringLiteral("Ag-Zn"), {"1273", "", "", ""}));
    QVERIFY(r.curves.empty());
    QVERIFY(!none.butlerArmed(1));
    QVERIFY(none.butlerArmed(2));
    QCOMPARE(ui.texts(), QStringList{"Butler model"});
    // Another property in isotherm mode: nothing is drawn.
    ButlerModelRun density;
    density.armSlotOne();
    auto in = isothermInput(agAu, {"1273", "", "", ""});
    in.propertyName = QStringLiteral("Density");
    ui.answers = {Answer::Yes};
    QVERIFY(density.sbButlerClick(in).curves.empty());
    QVERIFY(density.butlerArmed(1));
}

void TestButlerModel::isothermCurves()
{
    ScriptedUi ui;
    ButlerModelRun run;
    run.armSlotOne();
    ui.answers = {Answer::Yes};
    auto in = isothermInput(QStringLiteral("Ag-Au"), {"1273,5", "", "", ""});
    in.locale = QLocale(QStringLiteral("pl_PL"));
    const auto r = run.sbButlerClick(in);
    QCOMPARE(r.curves.size(), std::size_t(1));
    const ModelCurve& c = r.curves.front();
    QCOMPARE(c.title, QStringLiteral("Butler 1273,5[K]"));
    QCOMPARE(c.lineWidth, 3);
    QVERIFY(c.showInLegend);
    QCOMPARE(c.points.size(), std::size_t(101));
    QCOMPARE(c.points[50].x(), 0.5);
    QCOMPARE(c.points[0].y(), roundTo(1134 - 0.191 * 1273.5, 4));

    ButlerModelRun section;
    section.armSlotOne();
    ui.answers = {Answer::Yes};
    const auto s = section.sbButlerClick(isothermInput(QStringLiteral("Ag-Cu-Sn"), {"1000", "", "", ""}));
    QCOMPARE(s.curves.front().points.size(), std::size_t(8)); // x = 0 .. 0.07
    QCOMPARE(s.curves.front().points[5].y(), 531.3527);
    QCOMPARE(s.curves.front().points.back().x(), 0.07);
}

void TestButlerModel::temperatureCurves()
{
    ScriptedUi ui;
    ButlerModelRun run;
    ui.answers = {Answer::Yes};
    auto r = run.sbButlerClick(temperatureInput(QStringLiteral("Ag-Au"), {0.25, 0.5, 0.123456}));
    QCOMPARE(titles(r), (QStringList{"Butler   X=0.25", "Butler   X=0.5", "Butler   X=0.1235"}));
    QCOMPARE(r.curves[0].colour, ChartColour::fixed(0xFF0000));
    QCOMPARE(r.curves[1].colour, ChartColour::fixed(0x008000));
    QCOMPARE(r.curves[2].colour, ChartColour::fixed(0x800080)); // SeriesColours: red, green, purple
    QCOMPARE(run.butlerCurveCount(), 3);
    const ModelCurve& half = r.curves[1];
    QCOMPARE(half.points.size(), std::size_t(11));
    QCOMPARE(half.points.front().x(), 500.0);
    QCOMPARE(half.points.back().x(), 1500.0);
    // The temperature fit of Ag-Au is its isotherm fit.
    QCOMPARE(half.points[5].y(), ButlerCatalogue::builtIn().isothermFit(QStringLiteral("Ag-Au"))->chartValue(0.5, 1000));

    // A system without a temperature fit: nothing, but the count grows.
    ui.answers = {Answer::Yes};
    r = run.sbButlerClick(temperatureInput(QStringLiteral("Ag-Zn"), {0.5}));
    QVERIFY(r.curves.empty());
    QCOMPARE(run.butlerCurveCount(), 4);
    // No row selected: nothing.
    ui.answers = {Answer::Yes};
    QVERIFY(run.sbButlerClick(temperatureInput(QStringLiteral("Ag-Au"), {})).curves.empty());
    run.resetCurveCount();
    ui.answers = {Answer::Yes};
    QCOMPARE(run.sbButlerClick(temperatureInput(QStringLiteral("Ag-Au"), {0.1})).curves.front().colour,
             seriesColour(0));
}

void TestButlerModel::biSnQuestion()
{
    ScriptedUi ui;
    ButlerModelRun run(givenOnly());
    // Yes: the first (line) fit for every row; the question is asked once per row.
    ui.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
    auto r = run.sbButlerClick(temperatureInput(QStringLiteral("Bi-Sn"), {0.2, 0.8}));
    QCOMPARE(ui.texts(), (QStringList{"Butler model", "Butler's model from [line fit] ?",
                                      "Butler's model from [line fit] ?"}));
    QCOMPARE(r.curves.size(), std::size_t(2));
    QCOMPARE(r.curves[0].points.size(), std::size_t(5)); // 500 .. 900 K
    QCOMPARE(r.curves[0].points, r.curves[1].points);    // the same line at every composition
    // No: the second fit, announced; its rows are not in the catalogue, so it is refused.
    ui.messages.clear();
    ui.answers = {Answer::Yes, Answer::No};
    r = run.sbButlerClick(temperatureInput(QStringLiteral("Bi-Sn"), {0.3}));
    QVERIFY(r.curves.empty());
    QVERIFY(r.notAvailableShown);
    QCOMPARE(ui.texts(), (QStringList{"Butler model", "Butler's model from [line fit] ?",
                                      "Butler's model from [isotherm fit]", NotAvailable}));
    QCOMPARE(ui.messages[2].kind, ScriptedUi::Message::Information);
    QCOMPARE(run.butlerCurveCount(), 3);
}

void TestButlerModel::fitsWithoutRows()
{
    const ButlerCatalogue& c = givenOnly();
    for (const char* s : {"Ag-Cu", "Ag-In", "Ag-Sb", "Au-Cu", "Au-Sn", "Bi-Sn", "Sb-Sn", "In-Zn", "Cu-Sn", "Sn-Zn",
                          "Cu-Sb"})
        QVERIFY2(!c.isothermFit(QLatin1String(s))->complete(), s);
    for (const char* s : {"Ag-Bi", "Sn-Zn", "Cu-Sb", "Ag-Cu", "Sb-Sn"})
        QVERIFY2(!c.temperatureFits(QLatin1String(s)).front()->complete(), s);

    ScriptedUi ui;
    ButlerModelRun run(c);
    run.armSlotOne();
    ui.answers = {Answer::Yes};
    const auto r = run.sbButlerClick(isothermInput(QStringLiteral("Ag-Cu"), {"1273", "1373", "", ""}));
    QVERIFY(r.curves.empty());
    QVERIFY(r.notAvailableShown);
    QCOMPARE(ui.texts(), (QStringList{"Butler model", NotAvailable})); // once per command
    QVERIFY(run.butlerArmed(3));
}

void TestButlerModel::generatedRowsPrecedence()
{
    QStringList warnings;
    const ButlerCatalogue c = ButlerCatalogue::load({dataFile("butler.csv")}, {fixture("butler_generated.csv")},
                                                    &warnings);
    const ButlerFit* agCu = c.isothermFit(QStringLiteral("Ag-Cu"));
    QVERIFY(agCu->complete());
    QVERIFY(agCu->rowsGenerated);
    // L0 = -100 only: sigma = (1-x) s1 + x s2 - 100 x (1-x).
    QCOMPARE(agCu->chartValue(0.5, 1000), roundTo(0.5 * (1134 - 191) + 0.5 * (1475.6 - 142.2) - 25, 4));
    // Hand-kept rows win over generated ones.
    QCOMPARE(c.isothermFit(QStringLiteral("Ag-Au"))->chartValue(0.5, 1273), 1028.2437);
    QVERIFY(!c.isothermFit(QStringLiteral("Ag-Au"))->rowsGenerated);
    // Wrong number of rows, or c in a fit without T lnT terms: rejected.
    QVERIFY(!c.isothermFit(QStringLiteral("Ag-In"))->complete());
    QVERIFY(!c.isothermFit(QStringLiteral("Sb-Sn"))->complete());
    QCOMPARE(warnings.size(), 3);
    QCOMPARE(warnings.filter(QStringLiteral("bad range record")).size(), 1);
    // The range of generated rows goes with them; hand-kept rows carry none.
    QVERIFY(agCu->fittedRange);
    QCOMPARE(agCu->fittedRange->low, 600.0);
    QCOMPARE(agCu->fittedRange->high, 1400.0);
    QCOMPARE(agCu->fittedRangeMessage(), QStringLiteral("Error! Temperature range <600,1400 [K]>"));
    QVERIFY(!c.isothermFit(QStringLiteral("Ag-Au"))->fittedRange);
    QVERIFY(!c.isothermFit(QStringLiteral("Bi-Sn"))->fittedRange);
    // Bi-Sn: the second temperature fit evaluates the isotherm rows in the same variable.
    const ButlerFit* iso = c.isothermFit(QStringLiteral("Bi-Sn"));
    const ButlerFit* second = c.temperatureFits(QStringLiteral("Bi-Sn")).back();
    QVERIFY(second->complete());
    QCOMPARE(second->chartValue(0.3, 800), iso->chartValue(0.3, 800));
    QVERIFY(iso->chartValue(0.3, 800) != iso->chartValue(0.7, 800)); // odd terms matter
}

QTEST_GUILESS_MAIN(TestButlerModel)
#include "test_butler_model.moc"
