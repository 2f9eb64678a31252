#pragma once
// The temperature scan of a diagram or a section: equilibria at `steps` + 1 evenly spaced
// temperatures from tMin to tMax; wherever the sequence of fields (the signature) differs
// between two neighbours, the change is located by bisection to `tolerance` and reported with
// the two temperatures that bracket it (below, above). Changes close together are each found:
// after one is located, the stretches on either side of it are searched again.
#include <algorithm>
#include <functional>
#include <map>
#include <string>

namespace korvel::thermo::phase {

template <class State>
class TemperatureScan {
public:
    using Compute = std::function<State(double)>;
    using Signature = std::function<std::string(const State &)>;
    // Called with the bracketing temperatures and the scan, whose states at them are known.
    using OnChange = std::function<void(double below, double above, TemperatureScan &)>;

    TemperatureScan(Compute compute, Signature signature) : m_compute(std::move(compute)), m_signature(std::move(signature)) {}

    // The state at T, computed once.
    const State &at(double T)
    {
        auto it = m_states.find(T);
        if (it == m_states.end())
            it = m_states.emplace(T, m_compute(T)).first;
        return it->second;
    }

    void run(double tMin, double tMax, int steps, double tolerance, const OnChange &onChange)
    {
        steps = std::max(steps, 2);
        double previous = tMin;
        at(previous);
        for (int i = 1; i <= steps; ++i) {
            const double T = tMin + (tMax - tMin) * i / steps;
            at(T);
            locate(previous, T, tolerance, onChange);
            previous = T;
        }
    }

    // Every state computed, by temperature.
    const std::map<double, State> &states() const { return m_states; }

private:
    void locate(double lo, double hi, double tolerance, const OnChange &onChange)
    {
        const std::string sigLo = m_signature(at(lo));
        if (sigLo == m_signature(at(hi)))
            return;
        double a = lo, b = hi;
        while (b - a > tolerance) {
            const double mid = 0.5 * (a + b);
            (m_signature(at(mid)) == sigLo ? a : b) = mid;
        }
        onChange(a, b, *this);
        if (a > lo)
            locate(lo, a, tolerance, onChange);
        if (b < hi)
            locate(b, hi, tolerance, onChange);
    }

    Compute m_compute;
    Signature m_signature;
    std::map<double, State> m_states;
};

} // namespace korvel::thermo::phase
