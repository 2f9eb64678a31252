#pragma once
// The Gibbs energy of one phase of a binary system A-B, from the parameters of a database file:
// the compound energy formalism over the phase's sublattices restricted to A, B and vacancies
// (end-member energies, ideal mixing on each sublattice weighted by its site ratio,
// Redlich-Kister interactions of any order on one sublattice with the others fixed, reciprocal
// interactions of order 0), plus the magnetic contribution of phases that carry one.
//
//   G = Σ_em Π_s y_s,em · °G_em + R·T·Σ_s a_s Σ_i y_si·ln y_si
//       + Σ_L Π_s y_s,L · Σ_v L_v·(y_s,i − y_s,j)^v + G_mag          (J per mole of formula units)
//
// A phase's state is its site fractions: one value y per sublattice that holds two
// constituents (the fraction of the constituent listed second); the others are fixed.
#include "tdb/Database.h"

#include <optional>
#include <string>
#include <vector>

namespace korvel::thermo::phase {

class PhaseModel {
public:
    // The phase restricted to the elements a and b; no value when the phase holds neither, or
    // when it cannot be described (why says so: an end member without parameter, three
    // constituents on one sublattice).
    static std::optional<PhaseModel> build(const tdb::Database &db, const std::string &phase,
                                           const std::string &a, const std::string &b,
                                           std::string *why = nullptr);

    const std::string &name() const { return m_name; }
    int freeVariables() const { return static_cast<int>(m_mixed.size()); }
    // Whether both elements can share a sublattice or the phase holds both.
    bool mixes() const;

    // Values of every parameter at one temperature, for many evaluations of the energy.
    struct AtT {
        double T = 0;
        std::vector<double> endMembers;
        std::vector<std::vector<double>> interactions; // per interaction: L_0, L_1, ...
        std::vector<double> tcEnd, bEnd;               // magnetic end members
        std::vector<std::vector<double>> tcInt, bInt;
    };
    AtT at(double T) const;

    // G per mole of formula units; y has freeVariables() entries in [0, 1].
    double gibbs(const AtT &p, const double *y) const;
    // Moles of atoms per formula unit and the mole fraction of b.
    double atoms(const double *y) const;
    double xB(const double *y) const;
    // G per mole of atoms.
    double gibbsPerAtom(const AtT &p, const double *y) const { return gibbs(p, y) / atoms(y); }

    // The reference tags of the parameters this description uses, and the names of the
    // functions they call (directly or through other functions).
    const std::vector<std::string> &referenceTags() const { return m_tags; }
    const std::vector<const tdb::Parameter *> &parameters() const { return m_parameters; }

private:
    enum { A = 0, B = 1, VA = 2 };
    enum { kG = 0, kTC = 1, kBMAGN = 2 };
    struct Sublattice {
        double sites = 1;
        std::vector<int> constituents; // 1 or 2 of A, B, VA
    };
    struct Term {
        const tdb::PiecewiseExpression *value = nullptr;
    };
    // An end member names one constituent index per sublattice.
    struct EndMember {
        std::vector<int> choice;
        const tdb::Parameter *g = nullptr, *tc = nullptr, *bmagn = nullptr;
    };
    // An interaction: on sublattice `mixed` between constituent indices 0 and 1 (sign +1) or
    // 1 and 0 (sign −1: the file wrote them the other way round); the other sublattices at
    // `choice` (−1: any constituent, a '*' of the file); a second mixed sublattice for
    // reciprocal terms.
    struct Interaction {
        int kind = 0; // kG, kTC or kBMAGN
        int mixed = 0, second = -1;
        int sign = 1;
        std::vector<int> choice;
        std::vector<const tdb::Parameter *> orders; // index = order
    };

    double fraction(const double *y, int sublattice, int index) const;
    double expand(const std::vector<EndMember> &ems, const std::vector<double> &emValues,
                  const std::vector<Interaction> &ints, const std::vector<std::vector<double>> &intValues,
                  int kind, const double *y) const;
    double magnetic(const AtT &p, const double *y) const;

    const tdb::Database *m_db = nullptr;
    std::string m_name;
    std::vector<Sublattice> m_sublattices;
    std::vector<int> m_mixed;      // sublattices with two constituents
    std::vector<int> m_variableOf; // per sublattice: its index in y, or -1 when fixed
    std::vector<EndMember> m_endMembers;
    std::vector<Interaction> m_interactions;
    std::optional<tdb::MagneticModel> m_magnetic;
    std::vector<std::string> m_tags;
    std::vector<const tdb::Parameter *> m_parameters;
};

} // namespace korvel::thermo::phase
