#pragma once
// The contents of a thermodynamic database file: elements, species, functions with temperature
// ranges, type definitions, phases with their sublattices, parameters and the reference list.
// Names are kept in upper case, as the files compare them.
#include "Expression.h"
#include "GasConstant.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace korvel::thermo::tdb {

// An expression valid over temperature ranges: piece i holds from bounds[i] to bounds[i + 1].
class PiecewiseExpression {
public:
    struct Piece {
        double low = 0, high = 0;
        Expression expression;
    };
    std::vector<Piece> pieces;

    double lowT() const { return pieces.empty() ? 0 : pieces.front().low; }
    double highT() const { return pieces.empty() ? 0 : pieces.back().high; }
    // The piece that holds T; below the first range the first piece, above the last the last one
    // (the files' own convention for extrapolation).
    const Expression &at(double T) const;
};

struct Element {
    std::string name;
    std::string referencePhase;
    double mass = 0, h298 = 0, s298 = 0;
};

struct Species {
    std::string name;
    std::string stoichiometry; // as written, e.g. "PT1SN1"
};

struct Function {
    std::string name;
    PiecewiseExpression value;
    std::string reference;
    int line = 0;
};

// Magnetic contribution (Inden, Hillert-Jarl form) of the phases that carry it.
struct MagneticModel {
    double antiferromagneticFactor = 0; // -1 for bcc, -3 for fcc and hcp
    double structureFactor = 0;         // p: 0.40 for bcc, 0.28 otherwise
};

struct TypeDefinition {
    char code = 0;
    std::vector<std::string> words; // the definition as written, after the code
    std::string phase;              // the phase it amends, empty for '@' (every phase with the code)
    std::optional<MagneticModel> magnetic;
    std::string disorderedPart; // DISORDERED_PART: name of the disordered phase
    int line = 0;
};

struct Phase {
    std::string name;
    std::string typeCodes; // characters naming type definitions
    std::vector<double> siteRatios;
    std::vector<std::vector<std::string>> constituents; // per sublattice, as listed ('%' dropped)
    std::optional<MagneticModel> magnetic;
    std::string disorderedPart;
    int line = 0;
};

struct Parameter {
    std::string type;  // G, L, TC, BMAGN, ... as written
    std::string phase;
    std::vector<std::vector<std::string>> constituents; // per sublattice, in the file's order
    int order = 0;
    PiecewiseExpression value;
    std::string reference; // the tag, e.g. "96Oh" or "REF1" ("REF:" prefixes dropped)
    int line = 0;

    // An interaction (some sublattice holds more than one constituent): G and L mean the same.
    bool isInteraction() const;
    // G for end members and interactions alike (G and L are one kind), else the type.
    std::string kind() const;
};

struct Reference {
    std::string tag;
    std::string text; // white space collapsed
};

class Database {
public:
    std::string source; // file name or description, used in messages
    std::vector<Element> elements;
    std::vector<Species> species;
    std::map<std::string, Function> functions;
    std::vector<TypeDefinition> typeDefinitions;
    std::vector<Phase> phases;
    std::vector<Parameter> parameters;
    std::vector<Reference> references;

    const Element *element(const std::string &name) const;
    const Phase *phase(const std::string &name) const;
    const Function *function(const std::string &name) const;
    const Reference *reference(const std::string &tag) const; // case-insensitive tag
    std::vector<const Parameter *> parametersOf(const std::string &phase) const;
    // The parameter of a kind ("G" takes L lines too, "TC", "BMAGN") on exactly these constituents
    // (each sublattice compared as a set) and this order.
    const Parameter *find(const std::string &kind, const std::string &phase,
                          const std::vector<std::vector<std::string>> &constituents, int order) const;

    // Value of a named function at T (J/mol); throws std::runtime_error for an unknown or
    // recursive function.
    double functionValue(const std::string &name, double T) const;
    double evaluate(const PiecewiseExpression &value, double T) const;
    Expression::Resolver resolver() const;

private:
    double functionValue(const std::string &name, double T, int depth) const;
};

} // namespace korvel::thermo::tdb
