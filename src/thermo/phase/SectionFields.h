#pragma once
// The fields along a line of compositions, from the hull facets the line crosses to the
// isotherm the section draws: where the line runs inside a facet, fields of no width or of grid
// noise merged away, and the exact ends of single-phase solution fields.
#include "TernaryEquilibrium.h"

#include <functional>
#include <utility>

namespace korvel::thermo::phase {

// The stretch [lo, hi] of the line (0 at its start, 1 at its end) inside the triangle a, b, c of
// the (x_B, x_C) plane; lo > hi when the line misses it or the triangle has no area.
std::pair<double, double> lineCrossing(const SectionLine &line, const Composition &a, const Composition &b,
                                       const Composition &c);

// Fields narrower than 1e-5 (the line crossing one tie line between two triangles) are left
// out, their neighbours meeting there; a field narrower than 2e-3 between two fields of the same
// phases is the grid's and is merged into them; the last field ends at 1.
void tidyFields(SectionIsotherm &isotherm);

// Where a single-phase field of a solution meets another field, its end is moved to where the
// solution alone stops being stable (bisection to 1e-6); a single-phase field that fails the
// test in its middle, or a field between two of one solution that passes it, is merged away.
// single(f): the solution phase of a single-phase field, -1 for other fields; alone(p, s):
// whether phase p alone is stable at s on the line.
void settleSolutionBoundaries(SectionIsotherm &isotherm, const std::function<int(const SectionField &)> &single,
                              const std::function<bool(int, double)> &alone);

} // namespace korvel::thermo::phase
