#pragma once
// Excess thermodynamic functions of a binary liquid described by Redlich-Kister terms.
//
//   G^E(x, T) = x1·x2 · Σ_v L_v(T)·(x1 − x2)^v,  x1 = 1 − x, x2 = x (x: mole fraction of component 2)
//   L_v(T)    = a + b·T + c·T·ln T + d·T²                              (J/mol)
//
// Derived quantities (exact derivatives of the expression above):
//   S^E = −∂G^E/∂T, with ∂L_v/∂T = b + c·(ln T + 1) + 2·d·T
//   H^E = G^E + T·S^E, with L_v − T·∂L_v/∂T = a − c·T − d·T²
//   partial molar quantities from the composition derivative:
//   Ḡ1 = G − x2·∂G/∂x2,  Ḡ2 = G + x1·∂G/∂x2 (the same for H and S).
// Reference for the form: O. Redlich, A.T. Kister, Ind. Eng. Chem. 40 (1948) 345; the CALPHAD
// parameter files read for this tool (data/thermo/README.md) store L(LIQUID,A,B;v) in this form.
#include <vector>

namespace korvel::thermo {

struct RKTerm {
    double a = 0, b = 0, c = 0, d = 0;
    double value(double T) const;        // L(T)
    double dT(double T) const;           // ∂L/∂T
    double enthalpyPart(double T) const; // L − T·∂L/∂T
};

struct Partials {
    double g1 = 0, g2 = 0;
};

class LiquidExcess {
public:
    LiquidExcess() = default;
    explicit LiquidExcess(std::vector<RKTerm> terms) : m_terms(std::move(terms)) {}

    const std::vector<RKTerm> &terms() const { return m_terms; }
    bool empty() const { return m_terms.empty(); }

    double gibbs(double x, double T) const;    // G^E, J/mol
    double enthalpy(double x, double T) const; // H^E, J/mol
    double entropy(double x, double T) const;  // S^E, J/(mol·K)

    Partials partialGibbs(double x, double T) const;
    Partials partialEnthalpy(double x, double T) const;
    Partials partialEntropy(double x, double T) const;

    // The same description with the components swapped (odd terms change sign).
    LiquidExcess reversed() const;

private:
    enum class Kind { Gibbs, Enthalpy, Entropy };
    double termValue(const RKTerm &t, double T, Kind k) const;
    double integral(double x, double T, Kind k) const;
    Partials partials(double x, double T, Kind k) const;
    std::vector<RKTerm> m_terms;
};

} // namespace korvel::thermo
