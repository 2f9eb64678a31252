#pragma once
// Stable equilibria of a ternary system A-B-C at one temperature, along a straight line of
// compositions (a vertical section). Every phase is sampled on a grid of its site fractions
// (dense near the pure ends and the edges, where solubilities are small); the lower convex hull
// of all samples in the (x_B, x_C, G per mole of atoms) space, computed with qhull, is the
// stable state: a hull facet whose corners lie in one state of one phase is a single-phase
// field, corners in two states a two-phase field (tie lines), in three states a three-phase
// tie triangle. The hull is computed twice more with finer samples (a quarter, then a
// sixteenth of the grid step) around the corners of the tie lines and triangles the line
// crosses, so that their ends sit close to the exact ones. The facets the line crosses give
// its fields.
#include "TernaryPhase.h"

#include <array>
#include <string>
#include <vector>

namespace korvel::thermo::phase {

using Composition = std::array<double, 3>; // mole fractions of A, B, C

struct TernaryState {
    int phase = -1;
    Composition x{};
};

// A field crossed by the line, from sLeft to sRight (0 at its start, 1 at its end).
struct SectionField {
    std::vector<int> phases; // phase indices, sorted; a phase twice for two states of it
    double sLeft = 0, sRight = 0;
    std::vector<TernaryState> states; // the facet's states at the field's middle
    bool operator==(const SectionField &o) const { return phases == o.phases; }
};

struct SectionIsotherm {
    double T = 0;
    std::vector<SectionField> fields; // from s = 0 to s = 1
    // The phases at the two ends themselves (an end on an edge of the triangle, as the line's
    // start on the Ag-Sn edge, is in equilibrium with states of that binary only).
    std::vector<int> startPhases, endPhases;
    // "LIQUID|BCT_A5+LIQUID|...": the sequence of fields, equal for topologically equal isotherms.
    std::string signature(const std::vector<std::string> &names) const;
    // The field at s (the last one holding it).
    const SectionField *fieldAt(double s) const;
};

struct SectionLine {
    Composition start{}, end{};
    Composition at(double s) const;
};

class TernarySystem {
public:
    // Every phase of the file that can hold one of the three elements (upper-case names); phases
    // that cannot be described are left out and listed in notes().
    TernarySystem(const tdb::Database &db, const std::array<std::string, 3> &elements);

    const std::array<std::string, 3> &elements() const { return m_elements; }
    const std::vector<TernaryPhase> &phases() const { return m_phases; }
    std::vector<std::string> phaseNames() const;
    const std::vector<std::string> &notes() const { return m_notes; }
    int liquid() const { return m_liquid; }
    std::size_t sampleCount() const { return m_samples.size(); }

    SectionIsotherm isotherm(const SectionLine &line, double T) const;

private:
    struct Sample {
        int phase = 0;
        std::size_t y = 0; // offset of its site fractions in m_y
        Composition x{};
        double atoms = 1;
    };
    struct Facet {
        std::array<std::size_t, 3> corners; // indices into the points of the hull
    };
    void sample(int phase);
    void addState(int phase, const std::vector<double> &y, std::vector<Sample> &to, std::vector<double> &ys) const;
    // Lower hull facets of the given samples (G per atom in g); corners index into samples.
    std::vector<Facet> lowerHull(const std::vector<Sample> &samples, const std::vector<double> &g, double T) const;
    // Samples with their site fractions and G per atom at one temperature.
    struct Hull {
        const std::vector<Sample> &samples;
        const std::vector<double> &ys;
        const std::vector<double> &g;
        const std::vector<TernaryPhase::AtT> &params;
    };
    // The distinct states among a facet's corners.
    std::vector<TernaryState> statesOf(const Hull &h, const Facet &f) const;
    // Finer samples around one sample's site fractions: steps of fineness times the grid's.
    void refineAround(const Sample &s, const std::vector<double> &ys, double fineness, std::vector<Sample> &to,
                      std::vector<double> &toYs) const;

    // Per facet and phase missing from it, the sample of that phase under the facet least above
    // it, when that is less than kNearlyStable·R·T.
    std::vector<std::size_t> nearlyStable(const std::vector<Sample> &samples, const std::vector<double> &g,
                                          const std::vector<const Facet *> &facets, double T) const;
    // Whether a phase is a solution of the elements on one sublattice (others vacant only).
    bool substitutional(int phase) const;
    // Whether a substitutional phase alone is stable at composition p: its tangent plane there
    // lies below every sample of the given sets (samples with their G per atom).
    bool aloneStable(int phase, const Composition &p, const std::vector<TernaryPhase::AtT> &params,
                     const std::vector<std::pair<const std::vector<Sample> *, const std::vector<double> *>> &sets) const;

    std::array<std::string, 3> m_elements;
    std::vector<TernaryPhase> m_phases;
    std::vector<std::string> m_notes;
    int m_liquid = -1;
    std::vector<Sample> m_samples;
    std::vector<double> m_y;
};

} // namespace korvel::thermo::phase
