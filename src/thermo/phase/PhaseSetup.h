#pragma once
// The set-up the binary and the ternary phase descriptions share: the end members of a phase
// (one constituent per sublattice, with their G, TC and BMAGN parameters), the parameters used
// in file order with the reference tags they cite, the ideal-mixing term and the magnetic term.
#include "tdb/Database.h"

#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace korvel::thermo::phase {

inline double xlogx(double y)
{
    return y > 0 ? y * std::log(y) : 0.0;
}

// A phase's sublattices as constituent codes (elements and vacancy of the description), and
// the names the file gives those codes.
struct ConstituentCodes {
    std::vector<std::vector<int>> sublattices;
    std::vector<std::string> names; // by code
    int vacancy = -1;
};

struct EndMemberParameters {
    std::vector<std::size_t> choice; // per sublattice: the index of its constituent
    const tdb::Parameter *g = nullptr, *tc = nullptr, *bmagn = nullptr;
};

// Every end member, the first sublattice's choice varying fastest; each found parameter is
// added to used. Returns "" or, for an end member holding atoms without a G parameter, the
// reason ("no G parameter for the end member AG:VA").
std::string collectEndMembers(const tdb::Database &db, const std::string &phase, const ConstituentCodes &codes,
                              std::set<const tdb::Parameter *> &used, std::vector<EndMemberParameters> &out);

// The used parameters in the order of the file.
std::vector<const tdb::Parameter *> inFileOrder(const tdb::Database &db, const std::set<const tdb::Parameter *> &used);

// The reference tags of the parameters, then those of the functions they call (directly or
// through other functions), each once, empty ones left out.
std::vector<std::string> referenceTagsOf(const tdb::Database &db, const std::vector<const tdb::Parameter *> &parameters);

// Inden's magnetic term in the Hillert-Jarl form, R·T·ln(β + 1)·f(T/Tc) per mole of formula
// units, from the phase's Curie (Néel) temperature and Bohr magneton number at its state.
double magneticGibbs(const tdb::MagneticModel &model, double T, double tc, double beta);

} // namespace korvel::thermo::phase
