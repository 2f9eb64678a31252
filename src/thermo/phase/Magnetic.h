#pragma once
// Inden's magnetic function as simplified by Hillert and Jarl, shared by the binary and the
// ternary phase descriptions; p is the structure factor, tau = T / Tc.
#include <cmath>

namespace korvel::thermo::phase {

inline double magneticFunction(double tau, double p)
{
    const double d = 518.0 / 1125.0 + 11692.0 / 15975.0 * (1.0 / p - 1.0);
    if (tau <= 1) {
        const double t3 = tau * tau * tau, t9 = t3 * t3 * t3, t15 = t9 * t3 * t3;
        return 1.0 - (79.0 / (140.0 * p * tau) + 474.0 / 497.0 * (1.0 / p - 1.0) *
                                                   (t3 / 6.0 + t9 / 135.0 + t15 / 600.0)) / d;
    }
    const double t5 = std::pow(tau, -5.0), t15 = t5 * t5 * t5, t25 = t15 * t5 * t5;
    return -(t5 / 10.0 + t15 / 315.0 + t25 / 1500.0) / d;
}

} // namespace korvel::thermo::phase
