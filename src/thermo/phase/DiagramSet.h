#pragma once
// The phase diagrams the program ships: every binary system of the database whose elements one
// parameter file covers (the file holds liquid parameters of the pair, the mark of an assessed
// system), computed from the first such file in the order of data/thermo/tdb/diagram_files.csv,
// with the publications of the parameters used.
#include "BinaryDiagram.h"

#include <string>
#include <vector>

namespace korvel::thermo::phase {

struct DiagramFile {
    std::string file;     // in data/thermo/tdb
    std::string caption;  // names the file on the drawing
    BinarySystem::Unassessed unassessed = BinarySystem::Unassessed::Ideal;
    std::string citation; // the publication, for files without a reference list
};

struct SystemDiagram {
    std::string system; // as the database names it, "Ag-Sn"
    DiagramFile source;
    std::vector<std::string> references; // publications of the parameters used
    std::vector<std::string> notes;
    BinaryDiagram diagram;
};

struct MissingDiagram {
    std::string system;
    std::string reason;
};

struct DiagramSet {
    std::vector<SystemDiagram> diagrams;
    std::vector<MissingDiagram> missing;
};

std::vector<DiagramFile> readDiagramFiles(const std::string &csvPath);
// Whether the file's liquid has an interaction parameter of exactly the pair a-b (upper case):
// the mark of a system the file assesses.
bool hasLiquidPair(const tdb::Database &db, const std::string &a, const std::string &b);
// Binary systems of data/tables/TAB_UKL.csv (class 2), in table order.
std::vector<std::string> readBinarySystems(const std::string &tabUklPath);

// dataDir is data/; throws std::runtime_error (a file's ReadError included) when an input is bad.
DiagramSet computeDiagramSet(const std::string &dataDir);

// The parameter file's publications behind a system's phases: the tags of the parameters that
// name both elements first (the assessment of the system), then those of the pure elements, as
// the file's reference list words them; tags the list does not hold are left out.
// Only phases stable somewhere in the diagram count.
std::vector<std::string> referencesOf(const tdb::Database &db, const BinarySystem &system,
                                      const BinaryDiagram &diagram);

// The phases stable somewhere in a diagram (indices into the system's phases).
std::vector<int> stablePhases(const BinaryDiagram &diagram);

// The reference collection of diagrams and sections: a tag added to a list once (empty tags
// left out); the reference-list texts of the tags of several lists, in their order, each text
// once (tags the list does not hold left out); one block of References.txt for a system, "|"
// and square brackets of the texts made harmless ("|" ends a block, "[" starts one).
void addReferenceTag(std::vector<std::string> &to, const std::string &tag);
std::vector<std::string> referenceTexts(const tdb::Database &db, const std::vector<const std::vector<std::string> *> &lists);
std::string referencesBlock(const std::string &system, const std::vector<std::string> &references, const std::string &origin);

// Diagram/References.txt: per system "[A-B]" and the first reference, one reference a line,
// the last one followed by "|" and where the diagram was computed from.
std::string referencesText(const DiagramSet &set);
// The computed invariant reactions and melting points, one line each (CSV).
std::string invariantsCsv(const DiagramSet &set);
// Every binary system with its file, or the reason it has no diagram (CSV).
std::string systemsCsv(const DiagramSet &set);

} // namespace korvel::thermo::phase
