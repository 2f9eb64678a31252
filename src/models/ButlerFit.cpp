#include "ButlerFit.h"

#include <QStringList>
#include <cmath>

namespace korvel {

long double roundFour(long double value)
{
    // rint: the current rounding mode, which is to nearest with ties to even.
    return std::rint(value * 10000.0L) / 10000.0L;
}

QStringList ButlerFit::elements() const { return system.split(QLatin1Char('-')); }

QString ButlerFit::fittedRangeMessage() const
{
    if (!fittedRange)
        return {};
    return QStringLiteral("Error! Temperature range <%1,%2 [K]>")
        .arg(QString::number(fittedRange->low, 'g', 10), QString::number(fittedRange->high, 'g', 10));
}

bool ButlerFit::complete() const
{
    switch (form) {
    case Form::Direct:
        if (pure.size() != 2 || order < 0 || int(L.size()) != order + 1)
            return false;
        for (const auto& row : L)
            if (!row)
                return false;
        return true;
    case Form::SurfaceFraction:
        return pure.size() == 2 && (reference == 1 || reference == 2) && Q[0] && Q[1] && Q[2];
    case Form::Line:
        return pure.size() == 1;
    case Form::TernarySection:
        if (pure.size() != 3 || base.size() != 2 || order < 0 || int(L.size()) != order + 1)
            return false;
        for (const auto& row : L)
            if (!row)
                return false;
        for (const auto& row : P)
            if (!row)
                return false;
        return pairThirdFirst && pairThirdFirst->complete() && pairSecondThird && pairSecondThird->complete();
    case Form::IsothermFit:
        return isothermFit && isothermFit->complete();
    }
    return false;
}

long double ButlerFit::pureLine(int index, long double t, bool rounded) const
{
    const ButlerPureLine& p = pure.at(std::size_t(index));
    const long double v = (long double)p.s - (long double)p.t * t;
    return rounded ? roundFour(v) : v;
}

long double ButlerFit::sumRows(long double v, long double t, bool roundSquare) const
{
    long double t2 = t * t;
    if (tlnt && roundSquare)
        t2 = roundFour(t2);
    const long double tlnT = tlnt ? t * std::log(t) : 0.0L;
    long double sum = 0.0L, vk = 1.0L;
    for (const auto& row : L) {
        const ButlerRow& r = *row;
        const long double coefficient = (long double)r.a + (long double)r.b * t + (long double)r.c * tlnT
                                        + (long double)r.d * t2;
        sum += coefficient * vk;
        vk *= v;
    }
    return sum;
}

long double ButlerFit::evaluateDirect(long double x, long double t, Variable variableUsed) const
{
    const bool full = rounding == Rounding::Full;
    const long double v = variableUsed == Variable::OneMinusTwoX ? 1.0L - 2.0L * x : 2.0L * x - 1.0L;
    return (1.0L - x) * pureLine(0, t, full) + x * pureLine(1, t, full)
           + x * (1.0L - x) * sumRows(v, t, full);
}

long double ButlerFit::excess(long double x, long double t) const
{
    const Variable v = variable.value_or(Variable::OneMinusTwoX);
    const long double r = v == Variable::OneMinusTwoX ? 1.0L - 2.0L * x : 2.0L * x - 1.0L;
    return x * (1.0L - x) * sumRows(r, t, rounding == Rounding::Full);
}

long double ButlerFit::evaluateSurface(long double x, long double t) const
{
    const bool full = rounding == Rounding::Full;
    const long double u = reference == 1 ? 1.0L - x : x;
    long double t2 = t * t;
    if (tlnt && full)
        t2 = roundFour(t2);
    const long double tlnT = tlnt ? t * std::log(t) : 0.0L;
    auto coefficient = [&](const ButlerRow& r) {
        return (long double)r.a + (long double)r.b * t + (long double)r.c * tlnT + (long double)r.d * t2;
    };
    const long double k = roundFour(coefficient(*Q[0]) + coefficient(*Q[1]) * u + coefficient(*Q[2]) * u * u);
    long double y = u / (u + (1.0L - u) * k);
    long double yc = 1.0L - y;
    if (full) {
        y = roundFour(y);
        yc = roundFour(1.0L - y);
    }
    const int ref = reference - 1, other = 1 - ref;
    return y * pureLine(ref, t, full) + yc * pureLine(other, t, full);
}

long double ButlerFit::evaluateSection(long double x, long double t) const
{
    // Elements: 1 (Ag), 2 (Cu, along the section), 3 (Sn).
    const QStringList el = elements();
    long double base1 = 0, base3 = 0;
    for (const auto& [element, fraction] : base) {
        if (element == el.value(0))
            base1 = fraction;
        else if (element == el.value(2))
            base3 = fraction;
    }
    const long double x2 = roundFour(x);
    const long double x3 = roundFour(base3 * (1.0L - x2));
    const long double x1 = roundFour(base1 * (1.0L - x2));
    const long double s1 = pureLine(0, t, true), s2 = pureLine(1, t, true);

    const long double y = roundFour(x2 / (x2 + x3)); // pair fraction of 2 in 2-3
    const long double z = roundFour(x1 / (x1 + x2)); // pair fraction of 1 in 1-2
    const long double w = roundFour(x1 / (x1 + x3)); // pair fraction of 1 in 1-3

    // Pair 1-2 from the section's own rows, in powers of 1 - 2z.
    const long double sum = sumRows(1.0L - 2.0L * z, t, true);
    const long double sigma12 = roundFour(z * s1 + (1.0L - z) * s2 + z * (1.0L - z) * sum);
    // Pair 1-3: the isotherm fit of that system at its component-2 fraction 1 - w.
    const long double sigma13 = roundFour(pairThirdFirst->evaluate(1.0L - w, t));
    // Pair 2-3 term: the excess part of that system's temperature fit at 1 - y.
    const long double term23 = roundFour(pairSecondThird->excess(1.0L - y, t));

    long double ternary = 0.0L;
    long double p1 = 1.0L, p2 = 1.0L, p3 = 1.0L; // x1^j, x2^j, x3^j
    for (int j = 1; j <= 4; ++j) {
        p1 *= x1;
        p2 *= x2;
        p3 *= x3;
        const ButlerTernaryRow& r = *P[std::size_t(j - 1)];
        const long double e = (long double)r.ep + (long double)r.eq * t;
        const long double f = (long double)r.fp + (long double)r.fq * t;
        const long double g = (long double)r.gp + (long double)r.gq * t;
        ternary += e * p1 + f * p2 + g * p3;
    }
    ternary *= x1 * x2 * x3;

    return y * sigma12 + (1.0L - y) * sigma13 + (y - w) * term23 + ternary;
}

long double ButlerFit::evaluate(long double x, long double t) const
{
    switch (form) {
    case Form::Direct:
        return evaluateDirect(x, t, variable.value_or(Variable::OneMinusTwoX));
    case Form::SurfaceFraction:
        return evaluateSurface(x, t);
    case Form::Line:
        return pureLine(0, t, rounding == Rounding::Full);
    case Form::TernarySection:
        return evaluateSection(x, t);
    case Form::IsothermFit:
        if (isothermFit->form == Form::Direct && variable)
            return isothermFit->evaluateDirect(x, t, *variable);
        return isothermFit->evaluate(x, t);
    }
    return 0.0L;
}

double ButlerFit::chartValue(double x, double t) const
{
    return double(roundFour(evaluate(x, t)));
}

std::vector<double> ButlerFit::temperatures() const
{
    std::vector<double> list;
    if (!range || range->step <= 0)
        return list;
    const int steps = int(std::floor((range->high - range->low) / range->step + 1e-9));
    for (int i = 0; i <= steps; ++i)
        list.push_back(range->low + i * range->step);
    return list;
}

std::vector<double> ButlerFit::compositions() const
{
    std::vector<double> list;
    for (int i = 0; i <= xLast; ++i)
        list.push_back(i / 100.0);
    return list;
}

} // namespace korvel
