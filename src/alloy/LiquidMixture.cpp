#include "LiquidMixture.h"

#include "GasConstant.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace korvel::alloy {

using thermo::phase::TernaryPhase;

namespace {

std::string upper(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

double xlnx(double v) { return v > 0 ? v * std::log(v) : 0.0; }

} // namespace

LiquidMixture::LiquidMixture(TernaryPhase phase, std::size_t components) : m_phase(std::move(phase)), m_components(components)
{
    for (int c : m_phase.constituents(0))
        m_elementOf.push_back(c == TernaryPhase::kVacancy ? -1 : c);
}

std::optional<LiquidMixture> LiquidMixture::build(const thermo::tdb::Database &db, const std::vector<std::string> &elements)
{
    if (elements.size() < 1 || elements.size() > 3)
        return std::nullopt;
    std::array<std::string, 3> names{"", "", ""};
    for (std::size_t i = 0; i < elements.size(); ++i) {
        names[i] = upper(elements[i]);
        if (!db.element(names[i]))
            return std::nullopt;
    }
    // Unused places get names no file uses, so that the phase is restricted to the elements asked.
    for (std::size_t i = elements.size(); i < 3; ++i)
        names[i] = "#NONE" + std::to_string(i);
    for (const thermo::tdb::Phase &p : db.phases) {
        if (p.name.rfind("LIQ", 0) != 0)
            continue;
        auto phase = TernaryPhase::build(db, p.name, names);
        if (!phase || phase->sublattices() != 1)
            return std::nullopt;
        for (std::size_t e = 0; e < elements.size(); ++e)
            if (!phase->holds(static_cast<int>(e)))
                return std::nullopt;
        return LiquidMixture(std::move(*phase), elements.size());
    }
    return std::nullopt;
}

double LiquidMixture::excess(const TernaryPhase::AtT &p, const std::vector<double> &x) const
{
    std::vector<double> y(m_elementOf.size(), 0.0), pure(m_elementOf.size(), 0.0);
    for (std::size_t c = 0; c < m_elementOf.size(); ++c)
        if (m_elementOf[c] >= 0)
            y[c] = x[static_cast<std::size_t>(m_elementOf[c])];
    double g = m_phase.gibbs(p, y.data()), ideal = 0;
    for (std::size_t c = 0; c < m_elementOf.size(); ++c) {
        if (m_elementOf[c] < 0)
            continue;
        std::fill(pure.begin(), pure.end(), 0.0);
        pure[c] = 1;
        g -= y[c] * m_phase.gibbs(p, pure.data());
        ideal += xlnx(y[c]);
    }
    return g - thermo::kParameterFileGasConstant * p.T * ideal;
}

double LiquidMixture::gibbs(const std::vector<double> &x, double T) const
{
    return excess(m_phase.at(T), x);
}

std::vector<double> LiquidMixture::partialGibbs(const std::vector<double> &x, double T) const
{
    const TernaryPhase::AtT p = m_phase.at(T);
    const double g = excess(p, x);
    constexpr double h = 1e-5;
    std::vector<double> out(m_components);
    for (std::size_t i = 0; i < m_components; ++i) {
        auto moved = [&](double t) {
            std::vector<double> v(x);
            for (std::size_t j = 0; j < m_components; ++j)
                v[j] = x[j] + t * ((i == j ? 1.0 : 0.0) - x[j]);
            return v;
        };
        // Towards e_i stays inside the composition triangle; away from it only where x_i allows.
        const bool central = x[i] - h * (1 - x[i]) > 0;
        const double derivative = central ? (excess(p, moved(h)) - excess(p, moved(-h))) / (2 * h)
                                          : (-3 * g + 4 * excess(p, moved(h)) - excess(p, moved(2 * h))) / (2 * h);
        out[i] = g + derivative;
    }
    return out;
}

double LiquidMixture::entropy(const std::vector<double> &x, double T) const
{
    constexpr double dT = 0.05;
    return -(gibbs(x, T + dT) - gibbs(x, T - dT)) / (2 * dT);
}

double LiquidMixture::enthalpy(const std::vector<double> &x, double T) const
{
    return gibbs(x, T) + T * entropy(x, T);
}

} // namespace korvel::alloy
