#pragma once
// Stable equilibria of a binary system at one temperature: every phase is sampled on a grid of
// its site fractions (dense near the pure ends, where solubilities are small), and the lower
// convex hull of all samples in the (x, G per mole of atoms) plane gives the stable states.
// A hull edge joining two phases, or two distant states of one phase (a miscibility gap), is a
// two-phase tie line; the stretches between them are single-phase fields. Every tie line is then
// refined to the exact common tangent (phases with up to two internal variables).
#include "PhaseModel.h"

#include <string>
#include <vector>

namespace korvel::thermo::phase {

// One field crossed by an isotherm, from xLeft to xRight (mole fraction of the second element).
struct Region {
    int left = -1, right = -1; // phase indices; equal for a single-phase field
    double xLeft = 0, xRight = 0;
    bool twoPhase = false;
    bool operator==(const Region &) const = default;
};

struct Section {
    double T = 0;
    std::vector<Region> regions; // ordered from x = 0 to x = 1
    // "FCC_A1|FCC_A1+LIQUID|LIQUID": the sequence of fields, equal for topologically equal sections.
    std::string signature(const std::vector<std::string> &names) const;
};

class BinarySystem {
public:
    // How a phase that could dissolve both elements but has no parameter naming both is taken:
    // as the file writes it (an ideal solution of its end members: files that describe every
    // phase of their systems, unassessed phases included), or as its pure forms only (files
    // covering many systems, most of them not assessed, where an ideal solution would be an
    // artefact of the file's extent).
    enum class Unassessed { Ideal, PureForms };

    // Every phase of the file that can hold a or b (upper-case element names); phases that
    // cannot be described are left out and listed in notes().
    BinarySystem(const tdb::Database &db, const std::string &a, const std::string &b,
                 Unassessed unassessed = Unassessed::Ideal);

    const std::string &first() const { return m_a; }
    const std::string &second() const { return m_b; }
    const std::vector<PhaseModel> &phases() const { return m_phases; }
    std::vector<std::string> phaseNames() const;
    const std::vector<std::string> &notes() const { return m_notes; }
    int liquid() const { return m_liquid; } // index of the liquid phase, -1 if none

    Section equilibrium(double T) const;

    // Lowest G per mole of atoms of one phase at x (over its internal variables; sampled, then
    // refined for phases with one variable), and the value at the pure ends.
    double phaseGibbs(int phase, double x, double T) const;

private:
    struct Sample {
        int phase;
        int point;
        double x;
    };
    void sample(int phase);
    void refine(Section &s, const std::vector<PhaseModel::AtT> &params,
                const std::vector<std::pair<std::size_t, std::size_t>> &ends) const;

    std::string m_a, m_b;
    std::vector<PhaseModel> m_phases;
    std::vector<std::string> m_notes;
    int m_liquid = -1;
    std::vector<std::vector<double>> m_y;     // per phase: site fractions, freeVariables() per point
    std::vector<std::vector<double>> m_atoms; // per phase and point
    std::vector<Sample> m_samples;            // every point, sorted by x
    std::vector<std::size_t> m_groupStart;    // samples with equal x form a group
};

} // namespace korvel::thermo::phase
