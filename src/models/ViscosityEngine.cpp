#include "ViscosityEngine.h"

#include "core/Numbers.h"

#include <cmath>

namespace korvel {

double viscosityAt(const ViscosityBlock& block, const ViscosityModelRows* rows, double x, double t)
{
    const double rt = GasConstant * t;
    double aex = 0.0, eex = 0.0;
    if (rows) {
        const double r = 1.0 - 2.0 * x;
        const double xx = x * (1.0 - x);
        double rk = 1.0;
        double sa = 0.0, se = 0.0;
        for (int k = 0; k < 6; ++k) {
            sa += (rows->a.p[k] + rows->a.q[k] * t) * rk;
            se += (rows->e.p[k] + rows->e.q[k] * t) * rk;
            rk *= r;
        }
        aex = xx * sa;
        eex = xx * se;
    }
    const double energy = (1.0 - x) * block.E1 + x * block.E2 + eex;
    const double prefactor = (1.0 - x) * block.A1 + x * block.A2 + aex;
    return std::exp(energy / rt) * prefactor;
}

std::vector<QPointF> viscosityCurve(const ViscosityBlock* block, const ViscosityModelRows* rows, double t)
{
    std::vector<QPointF> points;
    points.reserve(ViscosityPointCount);
    for (int i = 0; i < ViscosityPointCount; ++i) {
        const double x = i / 100.0;
        points.emplace_back(x, block ? viscosityAt(*block, rows, x, t) : 0.0);
    }
    return points;
}

QStringList WriteViscosityHeader(const QString& modelText, const QString& temperatureText,
                                 const QString& leftAxisTitle)
{
    return {QStringLiteral("Model of viscosity: ") + modelText + QStringLiteral(",  ")
                + QStringLiteral("Temerature: ") + temperatureText + QStringLiteral(" K"),
            QString(),
            QStringLiteral("X        ") + leftAxisTitle,
            QString()};
}

QStringList viscosityValueLines(const std::vector<QPointF>& points, const QLocale& locale)
{
    QStringList lines;
    lines.reserve(qsizetype(points.size()));
    for (const QPointF& p : points)
        lines << generalFloatTextLocal(p.x(), locale) + QStringLiteral("\t\t")
                     + generalFloatTextLocal(roundHalfEven(p.y(), 2), locale);
    return lines;
}

QString viscosityCurveTitle(const QString& publicationKey, const QString& abbreviation,
                            FixedPoint4 temperature, const QLocale& locale)
{
    const QString sep = locale.decimalPoint();
    return publicationKey + QLatin1Char('_') + abbreviation + QLatin1Char('_')
           + temperature.shortestText(sep.isEmpty() ? QLatin1Char('.') : sep.at(0)) + QStringLiteral("[K]");
}

} // namespace korvel
