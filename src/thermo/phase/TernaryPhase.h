#pragma once
// The Gibbs energy of one phase of a ternary system A-B-C, from the parameters of a database
// file: the compound energy formalism over the phase's sublattices with up to three elements
// and vacancies on each (end members, ideal mixing per sublattice weighted by its site ratio,
// Redlich-Kister terms of any order between two constituents of one sublattice with the others
// fixed or '*', ternary terms between three constituents of one sublattice, reciprocal terms of
// order 0), plus the magnetic contribution of phases that carry one.
//
//   binary  L(i,j)   y_i·y_j·Σ_v L_v·(y_i − y_j)^v
//   ternary L(i,j,k) y_i·y_j·y_k·L_0                      when the file gives order 0 only,
//                    y_i·y_j·y_k·Σ_v L_v·(y_v + (1 − y_i − y_j − y_k)/3)   with orders 0, 1, 2
//                    (v = 0, 1, 2 naming i, j, k in the order the parameter writes them)
//
// A state is the full list of site fractions, sublattice after sublattice, constituents in the
// phase's order (siteFractions() entries; each sublattice's fractions sum to 1).
#include "tdb/Database.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace korvel::thermo::phase {

class TernaryPhase {
public:
    static constexpr int kVacancy = 3;

    // The phase restricted to the three elements (upper case, in this order); no value when it
    // holds none of them or a sublattice holds none of them, or when it cannot be described
    // (why says so: an end member without a G parameter).
    static std::optional<TernaryPhase> build(const tdb::Database &db, const std::string &phase,
                                             const std::array<std::string, 3> &elements,
                                             std::string *why = nullptr);

    const std::string &name() const { return m_name; }
    int sublattices() const { return static_cast<int>(m_sublattices.size()); }
    double sites(int s) const { return m_sublattices[static_cast<std::size_t>(s)].sites; }
    // Constituents of a sublattice: element index 0..2, or kVacancy.
    const std::vector<int> &constituents(int s) const { return m_sublattices[static_cast<std::size_t>(s)].constituents; }
    int siteFractions() const { return m_fractions; }
    // Whether the phase can hold element e.
    bool holds(int e) const;

    struct AtT {
        double T = 0;
        std::vector<double> endMembers;   // G per end member
        std::vector<double> interactions; // per term
        std::vector<double> tcEnd, bEnd;
    };
    AtT at(double T) const;

    // G per mole of formula units.
    double gibbs(const AtT &p, const double *y) const;
    // Moles of atoms per formula unit; mole fractions of the three elements.
    double atoms(const double *y) const;
    std::array<double, 3> composition(const double *y) const;
    double gibbsPerAtom(const AtT &p, const double *y) const { return gibbs(p, y) / atoms(y); }

    const std::vector<std::string> &referenceTags() const { return m_tags; }
    const std::vector<const tdb::Parameter *> &parameters() const { return m_parameters; }

private:
    enum { kG = 0, kTC = 1, kBMAGN = 2 };
    struct Sublattice {
        double sites = 1;
        std::vector<int> constituents;
        int offset = 0; // of its first fraction in a state
    };
    struct EndMember {
        std::vector<int> fractions; // one index into the state per sublattice
        const tdb::Parameter *g = nullptr, *tc = nullptr, *bmagn = nullptr;
    };
    // One parameter of an interaction: the product of the fixed fractions and of the mixing
    // ones (a pair or a triple on one sublattice, or a pair on each of two for a reciprocal
    // term) times the Redlich-Kister or ternary weight of this order.
    struct Term {
        int kind = kG;
        std::vector<int> fixed;  // fractions multiplied in
        std::vector<int> mixed;  // 2 or 3 fractions of one sublattice, in the file's order
        std::vector<int> second; // the other pair of a reciprocal term
        int order = 0;
        bool ternaryWeighted = false; // a ternary term of a file giving orders 1 and 2 too
        const tdb::Parameter *parameter = nullptr;
    };

    double expand(const std::vector<double> &emValues, const std::vector<double> &termValues, int kind,
                  const double *y) const;
    double magnetic(const AtT &p, const double *y) const;

    const tdb::Database *m_db = nullptr;
    std::string m_name;
    std::vector<Sublattice> m_sublattices;
    int m_fractions = 0;
    std::vector<EndMember> m_endMembers;
    std::vector<Term> m_terms;
    std::optional<tdb::MagneticModel> m_magnetic;
    std::vector<std::string> m_tags;
    std::vector<const tdb::Parameter *> m_parameters;
};

} // namespace korvel::thermo::phase
