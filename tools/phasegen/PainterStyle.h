#pragma once
// What the drawings of binary diagrams and ternary sections share: the plot margins, the axis
// steps and how element names are written.
#include <QString>

#include <cmath>
#include <string>

namespace korvel::phasegen::style {

constexpr int kLeft = 95, kRight = 35, kTop = 70, kBottom = 120;

// "AG" -> "Ag".
inline QString elementName(const std::string &upper)
{
    QString s = QString::fromStdString(upper).toLower();
    if (!s.isEmpty())
        s[0] = s[0].toUpper();
    return s;
}

// A round axis step giving about `wanted` intervals over range.
inline double niceStep(double range, int wanted)
{
    const double raw = range / wanted;
    const double p = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (m * p >= raw)
            return m * p;
    return 10 * p;
}

} // namespace korvel::phasegen::style
