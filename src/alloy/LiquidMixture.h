#pragma once
// The excess functions of a liquid of two or three elements from a parameter file's LIQUID
// phase (its whole description: binary and ternary interaction terms as the file writes them):
//   G^E = G − Σ x_i·°G_i − R·T·Σ x_i·ln x_i       (R the files' value, as in G)
//   Ḡ_i^E = G^E + Σ_j (δ_ij − x_j)·∂G^E/∂x_j       (the derivative along e_i − x, numerically)
//   S^E = −∂G^E/∂T,  H^E = G^E + T·S^E             (central differences)
#include "phase/TernaryPhase.h"

#include <optional>
#include <string>
#include <vector>

namespace korvel::alloy {

class LiquidMixture {
public:
    // Elements as symbols ("Ag", "Sn"); no value when the file has no liquid holding them all.
    static std::optional<LiquidMixture> build(const thermo::tdb::Database &db, const std::vector<std::string> &elements);

    std::size_t components() const { return m_components; }
    double gibbs(const std::vector<double> &x, double T) const; // G^E, J/mol
    std::vector<double> partialGibbs(const std::vector<double> &x, double T) const;
    double entropy(const std::vector<double> &x, double T) const;  // S^E, J/(mol·K)
    double enthalpy(const std::vector<double> &x, double T) const; // H^E, J/mol

private:
    LiquidMixture(thermo::phase::TernaryPhase phase, std::size_t components);
    double excess(const thermo::phase::TernaryPhase::AtT &p, const std::vector<double> &x) const;

    thermo::phase::TernaryPhase m_phase;
    std::size_t m_components = 0;
    std::vector<int> m_elementOf; // per constituent of the liquid: element index, -1 for vacancies
};

} // namespace korvel::alloy
