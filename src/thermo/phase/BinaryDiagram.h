#pragma once
// The phase diagram of a binary system at one atmosphere: isotherms from a low temperature to
// above the liquidus, and every change of the sequence of fields between two isotherms located
// by bisection. A change in which three phase states take part is an invariant reaction
// (eutectic, peritectic, ...); with two it is a melting point or a congruent transformation.
#include "Equilibrium.h"

#include <string>
#include <vector>

namespace korvel::thermo::phase {

struct PhaseState {
    int phase = -1;
    double x = 0;
};

struct Invariant {
    double T = 0;
    std::vector<PhaseState> states; // ordered by x
    std::string kind;               // eutectic, peritectic, monotectic, syntectic, eutectoid, peritectoid, invariant
    double xMin() const { return states.front().x; }
    double xMax() const { return states.back().x; }
};

// A two-state change: a pure element or a compound melting or transforming.
struct Transformation {
    double T = 0;
    std::vector<PhaseState> states;
};

struct DiagramOptions {
    double tMin = 300;
    double tMax = 0;  // 0: chosen from the melting points
    int steps = 360;  // isotherms between tMin and tMax
    double tolerance = 0.005; // K, of the located changes
};

struct BinaryDiagram {
    std::string first, second;
    std::vector<std::string> phaseNames;
    double tMin = 0, tMax = 0;
    std::vector<Section> sections; // by rising T, with a pair just below and above each change
    std::vector<Invariant> invariants;
    std::vector<Transformation> transformations;
};

BinaryDiagram computeDiagram(const BinarySystem &system, const DiagramOptions &options = {});

// Melting point of a pure end (x = 0 for the first element, 1 for the second): where the liquid
// becomes stable at that end; 0 when the file has no liquid.
double meltingPoint(const BinarySystem &system, bool secondElement);

} // namespace korvel::thermo::phase
