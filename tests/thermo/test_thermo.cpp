// Thermodynamics, Butler solver, viscosity models, fitting and the catalogue generator.
#include "Butler.h"
#include "Fitting.h"
#include "Generator.h"
#include "Inputs.h"
#include "RedlichKister.h"
#include "Viscosity.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace korvel::thermo;

namespace {

const std::string kData = std::string(KORVEL_SOURCE_DIR) + "/data";

const Inputs &inputs()
{
    static const Inputs in = readInputs(kData);
    return in;
}

double numDerivative(const std::function<double(double)> &f, double at, double h)
{
    return (f(at + h) - f(at - h)) / (2 * h);
}

// Given Butler fits of the catalogue (direct form, c = 0): rows (a, b, d).
struct GivenDirect {
    const char *system;
    Line s1, s2;
    std::vector<CoefficientRow> rows;
    std::vector<double> temperatures;
};

std::vector<CoefficientRow> abd(std::initializer_list<std::array<double, 3>> rows)
{
    std::vector<CoefficientRow> out;
    for (const auto &r : rows)
        out.push_back({r[0], r[1], 0.0, r[2]});
    return out;
}

// Fields of a CSV line without quoted fields.
QStringList csvFields(const QString &line) { return line.split(','); }

// The catalogue's row pair of (system, block, model) as given in data/models/viscosity.csv.
ViscosityRows givenRows(const QString &system, int block, const QString &model)
{
    ViscosityRows rows;
    QFile file(QString::fromStdString(kData + "/models/viscosity.csv"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return rows;
    while (!file.atEnd()) {
        const QStringList f = csvFields(QString::fromUtf8(file.readLine()).trimmed());
        if (f.size() != 18 || f[0] != "row" || f[1] != system || f[2].toInt() != block || f[3] != model)
            continue;
        for (int k = 0; k < 6; ++k) {
            const double p = f[5 + 2 * k].toDouble(), q = f[6 + 2 * k].toDouble();
            if (f[4] == "A") {
                rows.a[std::size_t(k)] = p;
                rows.b[std::size_t(k)] = q;
            } else {
                rows.c[std::size_t(k)] = p;
                rows.d[std::size_t(k)] = q;
            }
        }
    }
    return rows;
}

} // namespace

class TestThermo : public QObject {
    Q_OBJECT
private slots:
    void redlichKisterDerivedQuantities();
    void redlichKisterReversedOrder();
    void butlerPureEndsAndIdealSegregation();
    void butlerReproducesGivenDirectFits();
    void butlerReproducesGivenAgBiSurfaceFit();
    void butlerAgainstGivenSectionAgCuPair();
    void viscosityModelsEndAtPureValues();
    void dravikIdealMixingIsLinear();
    void moelwynHughesFollowsGivenSnZnRow();
    void leastSquaresRecoversPolynomial();
    void viscosityFitRecoversKnownRows();
    void surfaceFractionFitRecoversKnownRows();
    void regenerationGivesCommittedBytes();
    void committedRowsReproduceModelsWithinStatedDeviation();
    void committedFilesFollowTheLayout();
    void readerGivesTheTranscribedParameters();
    void readerOrdersThePairAndRefusesOtherForms();
    void dravikReproducesGivenAgAuRow();
};

void TestThermo::redlichKisterDerivedQuantities()
{
    // Au-Sn carries c·T·lnT and d·T² terms, Ag-Sb three orders: both exercise every derivative.
    for (const char *system : {"Au-Sn", "Ag-Sb", "Sn-Zn"}) {
        const LiquidExcess &ex = inputs().liquid.at(system).excess;
        for (double T : {600.0, 1200.0}) {
            for (double x : {0.1, 0.37, 0.8}) {
                const double G = ex.gibbs(x, T);
                // S = −∂G/∂T, H = G + T·S
                const double S = -numDerivative([&](double t) { return ex.gibbs(x, t); }, T, 1e-3);
                QVERIFY2(std::abs(ex.entropy(x, T) - S) < 1e-6 * (1 + std::abs(S)), system);
                QVERIFY(std::abs(ex.enthalpy(x, T) - (G + T * ex.entropy(x, T))) < 1e-8 * (1 + std::abs(G)));
                // partials: G = x1·Ḡ1 + x2·Ḡ2 and Ḡ2 − Ḡ1 = ∂G/∂x
                const Partials p = ex.partialGibbs(x, T);
                QVERIFY(std::abs((1 - x) * p.g1 + x * p.g2 - G) < 1e-8 * (1 + std::abs(G)));
                const double dG = numDerivative([&](double xx) { return ex.gibbs(xx, T); }, x, 1e-6);
                QVERIFY(std::abs((p.g2 - p.g1) - dG) < 1e-5 * (1 + std::abs(dG)));
                const Partials ph = ex.partialEnthalpy(x, T), ps = ex.partialEntropy(x, T);
                QVERIFY(std::abs(ph.g1 - (p.g1 + T * ps.g1)) < 1e-7 * (1 + std::abs(ph.g1)));
                QVERIFY(std::abs(ph.g2 - (p.g2 + T * ps.g2)) < 1e-7 * (1 + std::abs(ph.g2)));
            }
            // infinite dilution: Ḡ2(x → 0) = Σ L_v
            double sum = 0;
            for (const RKTerm &t : ex.terms())
                sum += t.value(T);
            QVERIFY(std::abs(ex.partialGibbs(0.0, T).g2 - sum) < 1e-9 * std::abs(sum));
        }
    }
}

void TestThermo::redlichKisterReversedOrder()
{
    // Listing the pair the other way round flips the odd terms; the same liquid results.
    const LiquidExcess &agsb = inputs().liquid.at("Ag-Sb").excess;
    const LiquidExcess sbag = agsb.reversed();
    QCOMPARE(sbag.terms()[1].a, -agsb.terms()[1].a);
    QCOMPARE(sbag.terms()[2].a, agsb.terms()[2].a);
    for (double x : {0.2, 0.5, 0.9}) {
        QVERIFY(std::abs(sbag.gibbs(1 - x, 1000) - agsb.gibbs(x, 1000)) < 1e-9);
        QVERIFY(std::abs(sbag.partialGibbs(1 - x, 1000).g1 - agsb.partialGibbs(x, 1000).g2) < 1e-8);
    }
    // Without the flip the odd term would change the value: the order matters.
    const LiquidExcess unflipped(agsb.terms());
    QVERIFY(std::abs(unflipped.gibbs(0.2, 1000) - agsb.gibbs(0.8, 1000)) > 100);
}

void TestThermo::butlerPureEndsAndIdealSegregation()
{
    ButlerSystem sys = butlerSystemFor(inputs(), "Pb-Sn", {497.5, 0.1096}, {583, 0.083});
    QCOMPARE(solveButler(sys, 0.0, 800).sigma, 497.5 - 0.1096 * 800);
    QCOMPARE(solveButler(sys, 1.0, 800).sigma, 583 - 0.083 * 800);
    // Ideal solution: the component with the lower surface tension (Pb) enriches the surface, and
    // σ lies between the pure values, below the straight line.
    sys.excess = LiquidExcess();
    for (double x : {0.2, 0.5, 0.8}) {
        const ButlerResult r = solveButler(sys, x, 800);
        QVERIFY(r.surfaceX < x);
        const double s1 = 497.5 - 0.1096 * 800, s2 = 583 - 0.083 * 800;
        QVERIFY(r.sigma > s1 && r.sigma < (1 - x) * s1 + x * s2);
        // both Butler equations hold at the solution
        QVERIFY(r.sigma > 0);
    }
    // The returned surface composition satisfies both Butler equations, also for Sn-Zn at 500 K,
    // where the strongly positive liquid lets the equations have more than one root.
    const ButlerSystem snzn = butlerSystemFor(inputs(), "Sn-Zn", {582.8, 0.0833615}, {892.5, 0.124632});
    for (double T : {500.0, 700.0, 1100.0})
        for (double x : {0.02, 0.3, 0.6, 0.97}) {
            const ButlerResult r = solveButler(snzn, x, T);
            const Partials bulk = snzn.excess.partialGibbs(x, T), surf = snzn.excess.partialGibbs(r.surfaceX, T);
            const double A1 = molarSurfaceArea(snzn.volume1.molarVolume(T));
            const double A2 = molarSurfaceArea(snzn.volume2.molarVolume(T));
            const double side1 = snzn.sigma1.at(T)
                + 1000 * (kGasConstant * T / A1 * std::log((1 - r.surfaceX) / (1 - x)) + (0.83 * surf.g1 - bulk.g1) / A1);
            const double side2 = snzn.sigma2.at(T)
                + 1000 * (kGasConstant * T / A2 * std::log(r.surfaceX / x) + (0.83 * surf.g2 - bulk.g2) / A2);
            QVERIFY2(std::abs(side1 - side2) < 1e-6 && std::abs(side1 - r.sigma) < 1e-6,
                     qPrintable(QStringLiteral("T=%1 x=%2").arg(T).arg(x)));
            QVERIFY(r.surfaceX > 0 && r.surfaceX < 1);
        }
    // Molar surface area of liquid Sn at its melting point: 1.091·NA^(1/3)·V^(2/3).
    const double V = inputs().elements.at("Sn").molarVolume(505.08);
    QVERIFY(std::abs(V - 118.710 / 6.979e6) < 1e-10);
    QVERIFY(std::abs(molarSurfaceArea(V) - 1.091 * std::cbrt(6.02214076e23) * std::pow(V, 2.0 / 3.0)) < 1e-3);
}

void TestThermo::butlerReproducesGivenDirectFits()
{
    // The catalogue's own fits (Ag-Sn, Pb-Sn isotherm fits and the Cu-Sn temperature fit) against
    // the Butler solution from the NIST solder database parameters and CRC molar volumes.
    const std::vector<GivenDirect> given = {
        {"Ag-Sn", {1134, 0.191}, {583, 0.083},
         abd({{-1350.69, 0.931166, -1.90183e-4}, {-1300.76, 1.39459, -4.20192e-4}, {-1063.49, 1.91129, -6.17902e-4},
              {-1020.03, 1.6385, -2.33688e-4}, {1286.77, 0.417819, -0.00112704}, {3289.67, 1.96031, -0.00392327},
              {1252.75, -1.1378, 7.22516e-5}, {620.138, -10.388, 0.00765225}, {996.961, -7.41334, 0.00494539}}),
         {800, 1273}},
        {"Pb-Sn", {497.5, 0.1096}, {583, 0.083},
         abd({{-190.005, 0.139122, -4.71105e-5}, {249.947, -0.264891, 7.06023e-5}, {-303.309, 0.594119, -2.89183e-4},
              {183.532, -0.496143, 2.89061e-4}}),
         {600, 900}},
        {"Cu-Sn", {1475.648, 0.14224}, {583, 0.083},
         abd({{-2027.9, 0.805878, -1.18038e-4}, {-1909.62, 1.13676, -2.3081e-4}, {235.471, 0.0763511, -1.90006e-4},
              {-107.062, -0.231869, 3.51505e-4}, {-13295.8, 10.6837, -0.00104401}, {-4166.36, 11.0688, -0.0051838},
              {34495, -19.2175, -0.00240112}, {5852.78, -13.0761, 0.00538519}, {-26551.9, 10.5779, 0.00408228}}),
         {800, 1273}},
    };
    for (const GivenDirect &g : given) {
        const ButlerSystem sys = butlerSystemFor(inputs(), g.system, g.s1, g.s2);
        double worst = 0;
        for (double T : g.temperatures)
            for (int i = 1; i <= 9; ++i) {
                const double x = i / 10.0;
                const double fit = evalDirect(g.s1, g.s2, g.rows, x, T);
                worst = std::max(worst, std::abs(solveButler(sys, x, T).sigma - fit) / fit);
            }
        qInfo("%s: largest deviation from the given fit %.2f %%", g.system, 100 * worst);
        QVERIFY2(worst < 0.02, g.system);
    }
}

void TestThermo::butlerReproducesGivenAgBiSurfaceFit()
{
    const Line sAg{1134, 0.191}, sBi{405, 0.0492};
    const std::array<CoefficientRow, 3> Q = {CoefficientRow{67.0862656, -0.1488778, 0.0107510006, 1.89290422e-5},
                                             CoefficientRow{-249.199036, -0.15308146, 0.0764882639, -1.63342367e-4},
                                             CoefficientRow{452.118286, -1.08130002, 0.0764126405, 1.5319472e-4}};
    // Cross-check of the form against the catalogue's own number: x = 0.3, 800 K gives 441.85.
    QVERIFY(std::abs(evalSurfaceFraction(sAg, sBi, false, Q, 0.3, 800) - 441.85) < 0.01);
    // The given Ag-Bi fit does not follow the Butler solution of the Kattner 1994 liquid in the
    // system's order (Ag first): up to 19 % off near x = 0.1. With the odd term's sign flipped (the
    // parameters read as if listed Bi-Ag) it comes within a few per cent, which points to a reversed
    // component order (or another assessment) behind the given fit. The generator uses Ag first.
    const ButlerSystem sys = butlerSystemFor(inputs(), "Ag-Bi", sAg, sBi);
    ButlerSystem flipped = sys;
    std::vector<RKTerm> terms = sys.excess.terms();
    terms[1] = {-terms[1].a, -terms[1].b, -terms[1].c, -terms[1].d};
    flipped.excess = LiquidExcess(terms);
    double worst = 0, worstFlipped = 0;
    for (double T : {800.0, 1273.0})
        for (int i = 1; i <= 9; ++i) {
            const double fit = evalSurfaceFraction(sAg, sBi, false, Q, i / 10.0, T);
            worst = std::max(worst, std::abs(solveButler(sys, i / 10.0, T).sigma - fit) / fit);
            worstFlipped = std::max(worstFlipped, std::abs(solveButler(flipped, i / 10.0, T).sigma - fit) / fit);
        }
    qInfo("Ag-Bi: largest deviation from the given fit %.2f %% (system order), %.2f %% (odd term flipped)",
          100 * worst, 100 * worstFlipped);
    QVERIFY(worstFlipped < 0.06);
    QVERIFY(worstFlipped < worst / 3);
    QEXPECT_FAIL("", "the given Ag-Bi isotherm fit follows the Ag-Bi liquid with its odd term of opposite sign", Continue);
    QVERIFY(worst < 0.02);
}

void TestThermo::butlerAgainstGivenSectionAgCuPair()
{
    // The Ag-Cu pair rows of the Ag-Cu-Sn section, σ = z·σAg + (1 − z)·σCu + z(1 − z)·Σ A_k·(1 − 2z)^k
    // with z the Ag fraction. Against the Butler solution of the NIST Ag-Cu liquid they match the
    // mirrored composition (the value at Ag fraction z equals Butler at Cu fraction z), not the
    // physical one: the rows were made with the two components swapped.
    const Line sAg{1134, 0.191}, sCu{1475.648, 0.14224};
    const double A[8][3] = {{-1161.62, 0.785948, -2.08259e-4}, {397.585, -1.72431, 4.03203e-4},
                            {-1844.04, 1.78776, -5.07076e-4},  {-2380.53, 1.7489, -7.16216e-4},
                            {1520.73, -2.91972, 0.00118071},   {8996.57, -11.3049, 0.00354187},
                            {-8691.42, 12.297, -0.00429042},   {-7227.08, 0, 0}};
    const ButlerSystem sys = butlerSystemFor(inputs(), "Ag-Cu", sAg, sCu);
    double mirrored = 0, physical = 0;
    for (double T : {800.0, 1273.0})
        for (int i = 1; i <= 9; ++i) {
            const double z = i / 10.0;
            double sum = 0, p = 1;
            for (int k = 0; k < 8; ++k, p *= 1 - 2 * z)
                sum += (A[k][0] + A[k][1] * T + A[k][2] * T * T) * p;
            const double pair = z * sAg.at(T) + (1 - z) * sCu.at(T) + z * (1 - z) * sum;
            mirrored = std::max(mirrored, std::abs(pair - solveButler(sys, z, T).sigma) / pair);
            physical = std::max(physical, std::abs(pair - solveButler(sys, 1 - z, T).sigma) / pair);
        }
    qInfo("Ag-Cu section pair: %.2f %% from Butler at Cu fraction z, %.2f %% at Cu fraction 1 - z", 100 * mirrored,
          100 * physical);
    QVERIFY(mirrored < 0.02);
    QEXPECT_FAIL("", "the given Ag-Cu pair rows of the section follow the mirrored composition", Continue);
    QVERIFY(physical < 0.02);
}

void TestThermo::viscosityModelsEndAtPureValues()
{
    for (const ViscosityBlock &b : inputs().blocks) {
        if (!inputs().liquid.count(b.system))
            continue;
        const ViscosityInputs vi = viscosityInputsFor(inputs(), b);
        for (const ViscosityModelInfo &m : implementedViscosityModels()) {
            for (double T : {b.Tlo, b.Thi}) {
                const double e1 = b.constants.A1 * std::exp(b.constants.E1 / (kGasConstant * T));
                const double e2 = b.constants.A2 * std::exp(b.constants.E2 / (kGasConstant * T));
                QVERIFY(std::abs(viscosity(m.id, vi, 0.0, T) - e1) < 1e-9 * e1);
                QVERIFY(std::abs(viscosity(m.id, vi, 1.0, T) - e2) < 1e-9 * e2);
            }
        }
    }
}

void TestThermo::dravikIdealMixingIsLinear()
{
    ViscosityInputs vi{{0.5, 6000}, {0.4, 8000}, LiquidExcess(), inputs().elements.at("Pb"), inputs().elements.at("Sn")};
    const double T = 700, x = 0.3;
    const double linear = 0.7 * vi.eta1.at(T) + 0.3 * vi.eta2.at(T);
    QVERIFY(std::abs(dravikViscosity(vi, x, T) - linear) < 1e-12);
    QVERIFY(std::abs(moelwynHughesViscosity(vi, x, T) - linear) < 1e-12);
    // A regular solution with S^E = 0 leaves Dravik linear; H^E > 0 lowers Moelwyn-Hughes and Kaptay.
    vi.excess = LiquidExcess({{4000, 0, 0, 0}});
    QVERIFY(std::abs(dravikViscosity(vi, x, T) - linear) < 1e-12);
    QVERIFY(moelwynHughesViscosity(vi, x, T) < linear);
    QVERIFY(std::abs(moelwynHughesViscosity(vi, x, T) - linear * (1 - 2 * 0.21 * 4000 / (kGasConstant * T))) < 1e-12);
    const double kapIdeal = [&] {
        ViscosityInputs v0 = vi;
        v0.excess = LiquidExcess();
        return kaptayViscosity(v0, x, T);
    }();
    QVERIFY(std::abs(kaptayViscosity(vi, x, T) - kapIdeal * std::exp(-0.155 * 0.21 * 4000 / (kGasConstant * T))) < 1e-12);
    // Excess entropy −R/4 raises Dravik by half.
    vi.excess = LiquidExcess({{0, kGasConstant, 0, 0}}); // S^E = −x1x2·R
    QVERIFY(std::abs(dravikViscosity(vi, 0.5, T) - (0.5 * vi.eta1.at(T) + 0.5 * vi.eta2.at(T)) * 1.5) < 1e-12);
}

void TestThermo::moelwynHughesFollowsGivenSnZnRow()
{
    // The catalogue's Sn-Zn block 1 Moelwyn-Hughes row against the model with the COST 507 Sn-Zn
    // liquid: both go negative around the middle at 700 K and agree in sign and shape.
    const PureConstants pc{5521, 14356.4, 0.483, 0.322};
    ViscosityRows given;
    given.a = {-6.034636, 2.818657, 3.571651, -7.071583, -10.487095, 3.66299};
    given.b = {0.0057962, -0.0016621, -0.0022629, 0.0049625, 0.014294, -0.0023605};
    given.c = {32760.3, 6576.3, 24255.7, 18058.9, 121966.2, -34303.4};
    given.d = {-73.41609, 7.67259, -24.72964, -14.80994, -184.08884, 36.1222};
    const ViscosityBlock &block = *std::find_if(inputs().blocks.begin(), inputs().blocks.end(),
                                                [](const ViscosityBlock &b) { return b.system == "Sn-Zn" && b.block == 1; });
    const ViscosityInputs vi = viscosityInputsFor(inputs(), block);
    for (double x : {0.5, 0.6}) {
        QVERIFY(evalViscosityForm(pc, given, x, 700) < 0);
        QVERIFY(moelwynHughesViscosity(vi, x, 700) < 0);
    }
    for (double x : {0.1, 0.2, 0.9}) {
        QVERIFY(evalViscosityForm(pc, given, x, 700) > 0);
        QVERIFY(moelwynHughesViscosity(vi, x, 700) > 0);
    }
    double worst = 0, worst700 = 0;
    for (double T : {623.0, 700.0, 800.0, 923.0})
        for (int i = 0; i <= 100; ++i) {
            const double d = std::abs(moelwynHughesViscosity(vi, i / 100.0, T) - evalViscosityForm(pc, given, i / 100.0, T));
            worst = std::max(worst, d);
            if (T == 700.0)
                worst700 = std::max(worst700, d);
        }
    qInfo("Sn-Zn M-H: largest |model - given row| %.3f mPa*s at 623..923 K, %.3f mPa*s at 700 K", worst, worst700);
    QVERIFY(worst < 0.5);
    QVERIFY(worst700 < 0.2);
}

void TestThermo::leastSquaresRecoversPolynomial()
{
    // p(t) = 3 − 2t + 0.5t² sampled exactly: the solution is exact; an overdetermined noisy-free
    // system with a dependent column leaves that column at 0.
    std::vector<double> A, b;
    for (int i = 0; i < 7; ++i) {
        const double t = i * 0.5;
        A.insert(A.end(), {1.0, t, t * t, 2.0 * t});
        b.push_back(3 - 2 * t + 0.5 * t * t);
    }
    const std::vector<double> p = leastSquares(A, b, 7, 4);
    // t and 2t are dependent: any split is a solution, the fitted values must be exact
    for (int i = 0; i < 7; ++i) {
        const double t = i * 0.5;
        QVERIFY(std::abs(p[0] + p[1] * t + p[2] * t * t + p[3] * 2 * t - b[static_cast<std::size_t>(i)]) < 1e-10);
    }
    QVERIFY(std::abs(p[0] - 3) < 1e-10);
    QVERIFY(std::abs(p[2] - 0.5) < 1e-10);
}

void TestThermo::viscosityFitRecoversKnownRows()
{
    // Data made by the engine form itself (the catalogue's Ag-Au Dravik rows) must be fitted back
    // to (almost) nothing.
    const PureConstants pc{19768, 17410.3, 0.56666, 1.11942};
    ViscosityRows known;
    known.a = {0.109768, 0.011305, 0.032344, -0.15604, 0.212168, 0.096808};
    known.b = {3.2e-5, 2.6e-6, -3.32e-5, 6.98e-5, -4.77e-5, -1.069e-4};
    known.c = {-467, -54.4, -425.8, 1554.6, -1533.4, -2898.3};
    known.d = {0.09645, -0.85618, 0.20113, -0.61435, -0.10547, 2.20156};
    const Model2D model = [&](double x, double T) { return evalViscosityForm(pc, known, x, T); };
    const ViscosityRows fitted = fitViscosityRows(model, pc, 1273, 1673);
    const Deviation dev = measureDeviation([&](double x, double T) { return evalViscosityForm(pc, fitted, x, T); },
                                           model, 1273, 1673, 0.05);
    QVERIFY2(dev.maxAbs < 1e-6, qPrintable(QString::number(dev.maxAbs)));
    // A single temperature (Cu-Sb's range) still fits, with the T columns left at zero.
    const ViscosityRows single = fitViscosityRows(model, pc, 1373, 1373);
    for (int k = 0; k < 6; ++k)
        QCOMPARE(single.b[k], 0.0);
    QVERIFY(std::abs(evalViscosityForm(pc, single, 0.4, 1373) - model(0.4, 1373)) < 1e-6);
}

void TestThermo::surfaceFractionFitRecoversKnownRows()
{
    const Line sAg{1134, 0.191}, sBi{405, 0.0492};
    const std::array<CoefficientRow, 3> Q = {CoefficientRow{67.0862656, -0.1488778, 0.0107510006, 1.89290422e-5},
                                             CoefficientRow{-249.199036, -0.15308146, 0.0764882639, -1.63342367e-4},
                                             CoefficientRow{452.118286, -1.08130002, 0.0764126405, 1.5319472e-4}};
    const Model2D model = [&](double x, double T) { return evalSurfaceFraction(sAg, sBi, false, Q, x, T); };
    const auto fitted = fitSurfaceFraction(model, sAg, sBi, false, true, 700, 1500);
    const Deviation dev = measureDeviation(
        [&](double x, double T) { return evalSurfaceFraction(sAg, sBi, false, fitted, x, T); }, model, 700, 1500, 1);
    QVERIFY2(dev.maxAbs < 0.01, qPrintable(QString::number(dev.maxAbs)));
    // Direct form: a fit of its own output returns the same curve.
    const std::vector<CoefficientRow> rows = abd({{-190.005, 0.139122, -4.71105e-5}, {249.947, -0.264891, 7.06023e-5}});
    const Line s1{497.5, 0.1096}, s2{583, 0.083};
    const Model2D direct = [&](double x, double T) { return evalDirect(s1, s2, rows, x, T); };
    const auto back = fitDirect(direct, s1, s2, 3, false, 500, 1200);
    QVERIFY(std::abs(back[0].a - rows[0].a) < 1e-4 && std::abs(back[3].d) < 1e-10);
}

void TestThermo::regenerationGivesCommittedBytes()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const GenerationResult result = generateCatalogues(kData);
    QVERIFY(writeCatalogues(result, dir.path().toStdString()));
    for (const char *name : {"viscosity_rows.csv", "butler_fits.csv"}) {
        QFile fresh(dir.filePath(name));
        QFile committed(QString::fromStdString(kData + "/models/generated/") + name);
        QVERIFY(fresh.open(QIODevice::ReadOnly));
        QVERIFY2(committed.open(QIODevice::ReadOnly), name);
        QVERIFY2(fresh.readAll() == committed.readAll(), name);
    }
    // Rows the catalogue gives are never generated; systems without parameters are listed.
    for (const GeneratedViscosity &g : result.viscosity)
        QVERIFY(!(g.system == "Sn-Zn" && g.block == 1 && g.model == "M-H"));
    QVERIFY(!result.notGenerated.empty());
}

void TestThermo::committedRowsReproduceModelsWithinStatedDeviation()
{
    // Read the committed file as the engines do, rebuild each model from the inputs and check the
    // deviation stated in the comment above each row pair.
    QFile file(QString::fromStdString(kData + "/models/generated/viscosity_rows.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QRegularExpression stated(R"(max \|d eta\| = ([0-9.e+-]+) mPa)");
    double statedDev = -1;
    std::map<std::string, ViscosityRows> pending;
    int pairs = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith('#')) {
            const auto m = stated.match(line);
            if (m.hasMatch())
                statedDev = m.captured(1).toDouble();
            continue;
        }
        const QStringList f = line.split(',');
        QCOMPARE(f.size(), 18);
        QCOMPARE(f[0], QStringLiteral("row"));
        const std::string key = (f[1] + "/" + f[2] + "/" + f[3]).toStdString();
        ViscosityRows &rows = pending[key];
        for (int k = 0; k < 6; ++k) {
            (f[4] == "A" ? rows.a : rows.c)[k] = f[5 + 2 * k].toDouble();
            (f[4] == "A" ? rows.b : rows.d)[k] = f[6 + 2 * k].toDouble();
        }
        if (f[4] != "E")
            continue;
        const auto block = std::find_if(inputs().blocks.begin(), inputs().blocks.end(), [&](const ViscosityBlock &b) {
            return QString::fromStdString(b.system) == f[1] && b.block == f[2].toInt();
        });
        QVERIFY(block != inputs().blocks.end());
        const ViscosityModelInfo *info = nullptr;
        for (const ViscosityModelInfo &m : implementedViscosityModels())
            if (f[3] == m.abbreviation)
                info = &m;
        QVERIFY(info);
        const ViscosityInputs vi = viscosityInputsFor(inputs(), *block);
        const Deviation dev = measureDeviation(
            [&](double x, double T) { return evalViscosityForm(block->constants, rows, x, T); },
            [&](double x, double T) { return viscosity(info->id, vi, x, T); }, block->Tlo, block->Thi, 0.05);
        QVERIFY(statedDev >= 0);
        QVERIFY2(dev.maxAbs <= statedDev * 1.005 + 1e-15, qPrintable(QString::fromStdString(key)));
        statedDev = -1;
        ++pairs;
    }
    QCOMPARE(pairs, 56);
}

void TestThermo::committedFilesFollowTheLayout()
{
    QFile file(QString::fromStdString(kData + "/models/generated/butler_fits.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    std::map<QString, int> counts;
    std::map<QString, std::pair<double, double>> ranges;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList f = line.split(',');
        if (f[0] == "range") { // the accepted range of an isotherm fit: the range it was fitted over
            QCOMPARE(f.size(), 7);
            QCOMPARE(f[2], QStringLiteral("iso"));
            QVERIFY(f[6].startsWith("generated:thermo:"));
            ranges[f[1]] = {f[4].toDouble(), f[5].toDouble()};
            continue;
        }
        QCOMPARE(f.size(), 10);
        QVERIFY(f[0] == "L" || f[0] == "Q");
        QVERIFY(f[9].startsWith("generated:thermo:"));
        const bool withTlnT = f[0] == "Q" || f[1] == "Ag-Cu" || f[1] == "Au-Sn"; // as data/thermo/butler_fits.csv
        if (!withTlnT)
            QCOMPARE(f[7].toDouble(), 0.0); // c = 0 in a fit without T*lnT terms
        ++counts[f[1] + " " + f[2]];
    }
    // order n gives n + 1 rows; surface fits three
    QCOMPARE(counts[QStringLiteral("Ag-Cu iso")], 10);
    QCOMPARE(counts[QStringLiteral("Au-Sn iso")], 11);
    QCOMPARE(counts[QStringLiteral("Sn-Zn iso")], 3);
    QCOMPARE(counts[QStringLiteral("Ag-Bi temp")], 9);
    QCOMPARE(counts.count(QStringLiteral("Ag-Sn iso")), std::size_t(0)); // given, never generated
    // every generated isotherm fit states its range: up to 2000 K, Sn-Zn only to 1200 K
    for (const auto &[name, n] : counts)
        if (name.endsWith(" iso"))
            QVERIFY2(ranges.count(name.left(name.size() - 4)), qPrintable(name));
    QCOMPARE(ranges[QStringLiteral("Cu-Sn")], std::make_pair(500.0, 2000.0));
    QCOMPARE(ranges[QStringLiteral("Ag-Sb")], std::make_pair(800.0, 2000.0));
    QCOMPARE(ranges[QStringLiteral("Sn-Zn")], std::make_pair(500.0, 1200.0));
}

// The generator reads the liquid from the parameter files; the numbers it gets are those of the
// hand transcription it replaced, term by term, from the same lines of the same files.
void TestThermo::readerGivesTheTranscribedParameters()
{
    QFile file(QStringLiteral(KORVEL_SOURCE_DIR "/tests/thermo/fixtures/liquid_parameters_transcribed.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    std::map<std::string, std::size_t> termsPerSystem;
    int checked = 0;
    bool header = true;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (std::exchange(header, false))
            continue;
        const QStringList f = csvFields(line); // system,v,a,b,c,d,source_key,tdb_file,tdb_line
        QCOMPARE(f.size(), 9);
        const std::string system = f[0].toStdString();
        QVERIFY2(inputs().liquid.count(system), f[0].toUtf8());
        const LiquidSet &set = inputs().liquid.at(system);
        const auto v = std::size_t(f[1].toInt());
        QVERIFY(v < set.excess.terms().size());
        const RKTerm &t = set.excess.terms()[v];
        const double expected[4] = {f[2].toDouble(), f[3].toDouble(), f[4].toDouble(), f[5].toDouble()};
        const double read[4] = {t.a, t.b, t.c, t.d};
        for (int i = 0; i < 4; ++i)
            QVERIFY2(std::abs(read[i] - expected[i]) <= 1e-12 * std::max(1.0, std::abs(expected[i])),
                     qPrintable(QStringLiteral("%1 L%2 coefficient %3: read %4, transcribed %5")
                                    .arg(f[0]).arg(v).arg(i).arg(read[i], 0, 'g', 17).arg(expected[i], 0, 'g', 17)));
        QCOMPARE(QString::fromStdString(set.sourceKey), f[6]);
        QCOMPARE(QString::fromStdString(set.tdbFile), f[7]);
        QCOMPARE(set.tdbLines[v], f[8].toInt());
        termsPerSystem[system] = std::max(termsPerSystem[system], v + 1);
        ++checked;
    }
    QCOMPARE(checked, 29);
    QCOMPARE(termsPerSystem.size(), inputs().liquid.size());
    for (const auto &[system, n] : termsPerSystem)
        QCOMPARE(inputs().liquid.at(system).excess.terms().size(), n);
}

void TestThermo::readerOrdersThePairAndRefusesOtherForms()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    auto write = [&](const char *name, const char *text) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        f.open(QIODevice::WriteOnly);
        f.write(text);
        return dir.filePath(QString::fromLatin1(name)).toStdString();
    };
    const char *head = "ELEMENT AG FCC_A1 107.87 0 0 !\nELEMENT SN BCT_A5 118.71 0 0 !\n"
                       "PHASE LIQUID % 1 1.0 !\nCONSTITUENT LIQUID :AG,SN: !\n";
    // The pair listed as Sn-Ag: odd orders change sign for Ag-Sn, even ones do not.
    const std::string reversed = write("reversed.tdb", (std::string(head)
        + "PARAMETER G(LIQUID,SN,AG;0) 298.15 -5146.7-5.0103*T; 6000 N !\n"
          "PARAMETER G(LIQUID,SN,AG;1) 298.15 +15799.3-3.3208*T+1.5*T*LN(T)-2E-4*T**2; 6000 N !\n"
          "PARAMETER G(LIQUID,AG;0) 298.15 +1000; 6000 N !\n").c_str());
    const LiquidSet set = liquidFromTdb(reversed, "Ag-Sn");
    QCOMPARE(set.excess.terms().size(), std::size_t(2));
    QCOMPARE(set.excess.terms()[0].a, -5146.7);
    QCOMPARE(set.excess.terms()[0].b, -5.0103);
    QCOMPARE(set.excess.terms()[1].a, -15799.3);
    QCOMPARE(set.excess.terms()[1].b, 3.3208);
    QCOMPARE(set.excess.terms()[1].c, -1.5);
    QCOMPARE(set.excess.terms()[1].d, 2e-4);
    QCOMPARE(set.tdbLines, (std::vector<int>{5, 6}));
    // A term that is not a + b*T + c*T*ln(T) + d*T^2, or no term at all, is refused.
    const std::string cubic = write("cubic.tdb", (std::string(head)
        + "PARAMETER G(LIQUID,AG,SN;0) 298.15 -5146.7-1E-7*T**3; 6000 N !\n").c_str());
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, liquidFromTdb(cubic, "Ag-Sn"));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, liquidFromTdb(reversed, "Ag-Bi"));
}

// The Dravik formula against the one Dravik row the catalogue gives (Ag-Au, block 1). The
// thermodynamics behind that row are not among the sourced inputs, so the row is asked what it
// implies: read through the formula, it gives the excess entropy S^E = (R/2)(1 - eta/eta_lin).
// That comes out as x1*x2 times one constant over the whole composition and temperature range
// (a liquid with L0 = a + b*T), as an entropy should for such a description; the same row read
// as an enthalpy (H^E = (R*T/2)(1 - eta/eta_lin)) would have to change with T by 14 % either way. With the
// entropy it implies, the generator's Dravik row of the block reproduces the given row's curve.
void TestThermo::dravikReproducesGivenAgAuRow()
{
    const ViscosityRows given = givenRows("Ag-Au", 1, "Drv");
    QVERIFY(given.c[0] != 0);
    const ViscosityBlock *block = nullptr;
    for (const ViscosityBlock &b : inputs().blocks)
        if (b.system == "Ag-Au" && b.block == 1)
            block = &b;
    QVERIFY(block);
    const PureConstants &pc = block->constants;
    auto linear = [&](double x, double T) {
        return (1 - x) * pc.A1 * std::exp(pc.E1 / (kGasConstant * T)) + x * pc.A2 * std::exp(pc.E2 / (kGasConstant * T));
    };
    std::vector<double> entropy, enthalpy; // per x1*x2
    for (int i = 10; i <= 90; i += 5) {
        const double x = i / 100.0;
        for (double T : checkTemperatures(block->Tlo, block->Thi)) {
            const double ratio = 1 - evalViscosityForm(pc, given, x, T) / linear(x, T);
            entropy.push_back(kGasConstant / 2 * ratio / (x * (1 - x)));
            enthalpy.push_back(kGasConstant * T / 2 * ratio / (x * (1 - x)));
        }
    }
    auto spread = [](const std::vector<double> &v, double *mean) {
        double sum = 0;
        for (double e : v)
            sum += e;
        *mean = sum / double(v.size());
        double worst = 0;
        for (double e : v)
            worst = std::max(worst, std::abs(e / *mean - 1));
        return worst;
    };
    double sMean = 0, hMean = 0;
    const double sSpread = spread(entropy, &sMean), hSpread = spread(enthalpy, &hMean);
    qInfo("Ag-Au Drv row: implied S^E/(x1*x2) = %.4f J/(mol*K), within %.2f %% over x = 0.1..0.9 and %g-%g K; "
          "read as H^E/(x1*x2) it would spread %.1f %%", sMean, 100 * sSpread, block->Tlo, block->Thi, 100 * hSpread);
    QVERIFY(sSpread < 0.01);
    QVERIFY(hSpread > 0.10);

    // The generator's Dravik row from the block's constants and that entropy: L0 = b*T with
    // b = -S^E/(x1*x2), since S^E = -dG^E/dT = -x1*x2*b.
    const ViscosityInputs vi{{pc.A1, pc.E1}, {pc.A2, pc.E2}, LiquidExcess({RKTerm{0, -sMean, 0, 0}}),
                             inputs().elements.at("Ag"), inputs().elements.at("Au")};
    const Model2D model = [&vi](double x, double T) { return dravikViscosity(vi, x, T); };
    ViscosityRows generated = fitViscosityRows(model, pc, block->Tlo, block->Thi);
    const Deviation d = measureDeviation([&](double x, double T) { return evalViscosityForm(pc, generated, x, T); },
                                         [&](double x, double T) { return evalViscosityForm(pc, given, x, T); },
                                         block->Tlo, block->Thi, 0.05);
    qInfo("generated Ag-Au Drv row against the given one: max |d eta| = %.4f mPa*s (%.3f %%) at x = %g, T = %g K",
          d.maxAbs, 100 * d.maxRel, d.atX, d.atT);
    QVERIFY(d.maxRel < 0.001); // 0.1 %: the stated tolerance (docs/models.md)
}

QTEST_GUILESS_MAIN(TestThermo)
#include "test_thermo.moc"
