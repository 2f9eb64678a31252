#pragma once
// The vertical sections of ternary systems the program ships: the first section of
// data/sources/sections.csv (from the Ag-Sn eutectic liquid towards the third element) of each
// system of kSectionSystems, computed from the first file of data/thermo/tdb/diagram_files.csv
// that holds the three elements with liquid parameters of every pair, with the publications of
// the parameters used. Every phase is taken as the file writes it (the file's unassessed phases
// "ideal" in diagram_files.csv); a file of "pure forms" is refused.
#include "DiagramSet.h"
#include "VerticalSection.h"

#include <string>
#include <vector>

namespace korvel::thermo::phase {

// The ternary systems with a computed section.
inline const std::vector<std::string> kSectionSystems{"Ag-Cu-Sn", "Ag-Bi-Sn", "Ag-Sb-Sn"};

struct SectionDefinition {
    std::string system;              // "Ag-Cu-Sn"
    std::array<std::string, 3> order; // upper case, as the line runs: start elements first, "AG", "SN", "CU"
    std::string xElement;            // "Cu": the axis is its mole fraction
    SectionLine line;
    std::string label; // "Ag0.038Sn0.962 - Cu"
};

struct SystemSection {
    SectionDefinition definition;
    DiagramFile source;
    std::vector<std::string> references;
    std::vector<std::string> notes;
    VerticalSection section;
};

// Section 1 of a system in sections.csv; throws std::runtime_error when it is missing or not
// given in mole fractions.
SectionDefinition readSectionDefinition(const std::string &sectionsCsv, const std::string &system);

// dataDir is data/. Each section is computed in a thread of its own.
std::vector<SystemSection> computeSectionSet(const std::string &dataDir, const SectionOptions &options = {});

// The parameter file's publications behind the phases stable somewhere in the section: tags of
// the parameters naming two or three of the elements first, then those of the pure elements;
// a ternary parameter without a listed reference is named as such.
std::vector<std::string> sectionReferences(const tdb::Database &db, const TernarySystem &system,
                                           const VerticalSection &section);

// Blocks of Diagram/References.txt for the sections ("[Ag-Cu-Sn]" ... "|vertical section ...").
std::string sectionReferencesText(const std::vector<SystemSection> &sections);
// The computed four-phase invariants of the sections (CSV).
std::string sectionInvariantsCsv(const std::vector<SystemSection> &sections);
// What the drawing of a section shows beyond its invariant table (CSV): per invariant where the
// section crosses its plane ("invariant,system,T_K,reaction,s_min,s_max"), per section the
// fields of its lowest and highest isotherm ("ends,system,bottom,s_left,s_right,top").
std::string sectionExtentCsv(const std::vector<SystemSection> &sections);

} // namespace korvel::thermo::phase
