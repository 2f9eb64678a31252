#include "ButlerRows.h"

#include "models/ButlerCatalogue.h"

#include "Butler.h"
#include "Inputs.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <stdexcept>

namespace korvel::datagen {

namespace {

[[noreturn]] void fail(const QString& message) { throw std::runtime_error(message.toStdString()); }

constexpr int kSamples = 41; // temperatures of each least-squares line, both ends included

// Least-squares line through f sampled evenly over [lo, hi]; the largest distance of the
// line from f on the same temperatures goes into `line.deviation`.
SurfaceTensionLine fitLine(double x, const std::function<double(double)>& f, double lo, double hi)
{
    std::vector<double> ts, ys;
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (int i = 0; i < kSamples; ++i) {
        const double t = lo + (hi - lo) * i / (kSamples - 1);
        const double y = f(t);
        if (!std::isfinite(y))
            fail(QStringLiteral("surface tension not finite at x = %1, T = %2").arg(x).arg(t));
        ts.push_back(t);
        ys.push_back(y);
        sx += t;
        sy += y;
        sxx += t * t;
        sxy += t * y;
    }
    SurfaceTensionLine line;
    line.x = x;
    line.b = (kSamples * sxy - sx * sy) / (kSamples * sxx - sx * sx);
    line.a = (sy - line.b * sx) / kSamples;
    for (int i = 0; i < kSamples; ++i)
        line.deviation = std::max(line.deviation, std::abs(line.a + line.b * ts[std::size_t(i)] - ys[std::size_t(i)]));
    return line;
}

QString number(double v) { return QString::number(v, 'g', 10); }

QString lineText(const QString& element, double s, double t)
{
    return QStringLiteral("sigma(%1) = %2 - %3*T").arg(element, number(s), number(t));
}

// "generated:thermo:thermo/tdb/NIST-solder_2017-08-04.tdb#Ag-Bi(Kattner1994)+..." names the
// parameter file and the assessment the rows were computed from.
QString rowOrigin(const ButlerFit& rows)
{
    if (!rows.rowsGenerated)
        return QStringLiteral("coefficient rows given by the catalogue (the thermodynamic inputs behind them are not known)");
    static const QRegularExpression tdb(QStringLiteral("thermo/tdb/([^#+]+)#[A-Za-z-]+\\(([^)]+)\\)"));
    const auto m = tdb.match(rows.rowSource);
    if (!m.hasMatch())
        fail(QStringLiteral("%1: generated Butler rows name no parameter file: %2").arg(rows.system, rows.rowSource));
    return QStringLiteral("coefficient rows computed by tools/thermo from the Redlich-Kister liquid of the parameter file %1 (%2) with the "
                          "molar volumes of thermo/elements.csv")
        .arg(m.captured(1), m.captured(2));
}

std::vector<double> binaryCompositions()
{
    std::vector<double> xs;
    for (int k = 0; k <= 10; ++k)
        xs.push_back(k / 10.0);
    return xs;
}

} // namespace

double SurfaceTensionSet::deviation() const
{
    double d = 0;
    for (const SurfaceTensionLine& l : lines)
        d = std::max(d, l.deviation);
    return d;
}

std::vector<SurfaceTensionSet> butlerSurfaceTension(const QString& dataDir, const QStringList& binaries,
                                                    const std::map<QString, PureLine>& pureLines,
                                                    const std::map<QString, double>& melting)
{
    QStringList warnings;
    const ButlerCatalogue catalogue = ButlerCatalogue::load({dataDir + QStringLiteral("/models/butler.csv")},
                                                            {dataDir + QStringLiteral("/models/generated/butler_fits.csv")}, &warnings);
    if (!warnings.isEmpty())
        fail(QStringLiteral("Butler catalogue: %1").arg(warnings.join(QStringLiteral("; "))));

    std::vector<SurfaceTensionSet> sets;
    std::set<QString> done;
    for (const ButlerFit& fit : catalogue.fits()) {
        if (fit.use != ButlerFit::Use::Temperature || fit.form == ButlerFit::Form::Line || !fit.complete() || done.count(fit.system))
            continue;
        if (!fit.range)
            fail(QStringLiteral("%1: temperature fit without a range").arg(fit.system));
        const bool viaIsotherm = fit.form == ButlerFit::Form::IsothermFit;
        const ButlerFit& rows = viaIsotherm ? *fit.isothermFit : fit;
        SurfaceTensionSet set;
        set.system = fit.system;
        set.section = rows.form == ButlerFit::Form::TernarySection;
        set.varying = rows.elements().value(1);
        set.base = rows.base;
        double lo = fit.range->low, hi = fit.range->high;
        if (rows.fittedRange) {
            lo = std::max(lo, rows.fittedRange->low);
            hi = std::min(hi, rows.fittedRange->high);
        }
        set.tLow = int(std::ceil(lo - 1e-9));
        set.tHigh = int(std::floor(hi + 1e-9));

        const QStringList elements = rows.elements();
        QStringList lines;
        for (std::size_t i = 0; i < rows.pure.size(); ++i)
            lines << lineText(elements.value(int(i)), rows.pure[i].s, rows.pure[i].t);
        QString what;
        if (set.section) {
            QStringList base;
            for (const auto& [element, fraction] : rows.base)
                base << QStringLiteral("x %1 %2").arg(element, number(fraction));
            const QString own = rowOrigin(rows), first = rowOrigin(*rows.pairThirdFirst), second = rowOrigin(*rows.pairSecondThird);
            const QString pairs = QStringLiteral("the %1 isotherm fit and the %2 temperature fit as pair terms")
                                      .arg(rows.pairThirdFirst->system, rows.pairSecondThird->system);
            what = own == first && own == second
                       ? QStringLiteral("the section fit from %1 towards %2 with %3 (%4, for the section and its pairs alike)")
                             .arg(base.join(QStringLiteral(", ")), elements.value(1), pairs, own)
                       : QStringLiteral("the section fit from %1 towards %2 (%3) with %4 (%5; %6)")
                             .arg(base.join(QStringLiteral(", ")), elements.value(1), own, pairs, first, second);
        } else {
            what = QStringLiteral("the %1 fit (%2)").arg(viaIsotherm ? QStringLiteral("isotherm") : QStringLiteral("temperature"), rowOrigin(rows));
        }
        set.method = QStringLiteral("%1 of this program's Butler catalogue, pure-component lines of the fit %2 (mN/m; the catalogue's lines "
                                    "are stored for the pure metals under [Butler lines])")
                         .arg(what, lines.join(QStringLiteral(", ")));
        set.rowSource = QStringLiteral("Butler catalogue, %1 %2 fit %3").arg(fit.system, viaIsotherm ? QStringLiteral("isotherm") : QStringLiteral("temperature")).arg(rows.variant);

        const std::vector<double> xs = set.section ? rows.compositions() : binaryCompositions();
        for (double x : xs)
            set.lines.push_back(fitLine(x, [&](double t) { return double(fit.evaluate(x, t)); }, set.tLow, set.tHigh));
        done.insert(fit.system);
        sets.push_back(std::move(set));
    }

    // Binaries without a fit of their own: the Butler equations themselves.
    const thermo::Inputs inputs = thermo::readInputs(dataDir.toStdString());
    for (const QString& system : binaries) {
        if (done.count(system))
            continue;
        const auto liquid = inputs.liquid.find(system.toStdString());
        if (liquid == inputs.liquid.end())
            continue;
        const QStringList el = system.split(QLatin1Char('-'));
        const auto p1 = pureLines.find(el.value(0)), p2 = pureLines.find(el.value(1));
        const auto v1 = inputs.elements.find(el.value(0).toStdString()), v2 = inputs.elements.find(el.value(1).toStdString());
        if (p1 == pureLines.end() || p2 == pureLines.end() || v1 == inputs.elements.end() || v2 == inputs.elements.end())
            continue;
        thermo::ButlerSystem butler;
        butler.excess = liquid->second.excess;
        butler.sigma1 = {p1->second.s, p1->second.t};
        butler.sigma2 = {p2->second.s, p2->second.t};
        butler.volume1 = v1->second;
        butler.volume2 = v2->second;
        SurfaceTensionSet set;
        set.system = system;
        set.varying = el.value(1);
        // From the higher melting point of the two metals to 1500 K, the end of the
        // pure-component lines in the database (at least 100 K).
        const double tm = std::max(melting.at(el.value(0)), melting.at(el.value(1)));
        set.tLow = int(std::ceil(tm - 1e-9));
        set.tHigh = std::max(1500, set.tLow + 100);
        set.method = QStringLiteral("the Butler equations solved by tools/thermo (surface area 1.091*NA^(1/3)*V^(2/3), surface/bulk ratio 0.83) "
                                    "with the Redlich-Kister liquid of the parameter file %1 (%2), the molar volumes of thermo/elements.csv "
                                    "and the pure-component lines of [Butler lines], %3, %4 (mN/m)")
                         .arg(QString::fromStdString(liquid->second.tdbFile), QString::fromStdString(liquid->second.sourceKey),
                              lineText(el.value(0), p1->second.s, p1->second.t), lineText(el.value(1), p2->second.s, p2->second.t));
        set.rowSource = QStringLiteral("Butler equations, %1 liquid of %2").arg(system, QString::fromStdString(liquid->second.tdbFile));
        for (double x : binaryCompositions())
            set.lines.push_back(fitLine(x, [&](double t) { return thermo::solveButler(butler, x, t).sigma; }, set.tLow, set.tHigh));
        done.insert(system);
        sets.push_back(std::move(set));
    }
    return sets;
}

} // namespace korvel::datagen
