#include "SectionSet.h"

#include "CsvTable.h"
#include "Text.h"
#include "tdb/Reader.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cmath>
#include <exception>
#include <map>
#include <memory>
#include <stdexcept>
#include <thread>

namespace korvel::thermo::phase {

namespace {

std::string elementName(const std::string &upperName)
{
    std::string s = upperName;
    for (std::size_t i = 1; i < s.size(); ++i)
        s[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(s[i])));
    return s;
}

// "x:Ag=0.038;Sn=0.962" into mole fractions by element (upper case).
std::map<std::string, double> molePoint(const std::string &text, const std::string &where)
{
    if (text.rfind("x:", 0) != 0)
        throw std::runtime_error(where + ": the section's ends must be mole fractions (x:...), not " + text);
    std::map<std::string, double> out;
    std::size_t pos = 2;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find(';', pos), text.size());
        const std::string item = text.substr(pos, end - pos);
        const std::size_t eq = item.find('=');
        if (eq == std::string::npos)
            throw std::runtime_error(where + ": cannot read " + text);
        out[upper(item.substr(0, eq))] = std::stod(item.substr(eq + 1));
        pos = end + 1;
    }
    return out;
}

std::vector<int> stablePhases(const VerticalSection &section)
{
    std::vector<int> phases;
    for (const SectionIsotherm &iso : section.isotherms)
        for (const SectionField &f : iso.fields)
            for (int p : f.phases)
                if (std::find(phases.begin(), phases.end(), p) == phases.end())
                    phases.push_back(p);
    std::sort(phases.begin(), phases.end());
    return phases;
}

} // namespace

SectionDefinition readSectionDefinition(const std::string &sectionsCsv, const std::string &system)
{
    const CsvTable table = CsvTable::read(sectionsCsv, false);
    const auto &h = table.header;
    if (h.size() < 7 || h[0] != "SYSTEM" || h[4] != "X_ELEMENT" || h[5] != "START" || h[6] != "END")
        throw std::runtime_error(sectionsCsv + ": expected the columns SYSTEM,SECTION,LABEL,ORDER,X_ELEMENT,START,END");
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const auto &r = table.rows[i];
        if (r.size() < 7 || r[0] != system || r[1] != "1")
            continue;
        const std::string where = sectionsCsv + " line " + std::to_string(table.lineNumbers[i]);
        SectionDefinition d;
        d.system = system;
        d.xElement = r[4];
        const auto start = molePoint(r[5], where), end = molePoint(r[6], where);
        // The line's elements: those of the start first (in the table's order), then the others.
        std::vector<std::string> order;
        std::string rest = r[3];
        for (std::size_t pos = 0; pos <= rest.size();) {
            const std::size_t next = std::min(rest.find(';', pos), rest.size());
            order.push_back(upper(rest.substr(pos, next - pos)));
            pos = next + 1;
        }
        if (order.size() != 3)
            throw std::runtime_error(where + ": a ternary section needs three elements in ORDER");
        std::stable_partition(order.begin(), order.end(), [&](const std::string &e) { return start.count(e) > 0; });
        for (std::size_t k = 0; k < 3; ++k) {
            d.order[k] = order[k];
            d.line.start[k] = start.count(order[k]) ? start.at(order[k]) : 0.0;
            d.line.end[k] = end.count(order[k]) ? end.at(order[k]) : 0.0;
        }
        for (const Composition *c : {&d.line.start, &d.line.end})
            if (std::fabs((*c)[0] + (*c)[1] + (*c)[2] - 1) > 1e-9)
                throw std::runtime_error(where + ": the mole fractions of an end do not add up to 1");
        for (std::size_t k = 0; k < 3; ++k)
            if (d.line.start[k] > 0) {
                char buffer[32];
                std::snprintf(buffer, sizeof buffer, "%g", d.line.start[k]);
                d.label += elementName(order[k]) + (d.line.start[k] < 1 ? std::string(buffer) : "");
            }
        d.label += " - ";
        for (std::size_t k = 0; k < 3; ++k)
            if (d.line.end[k] > 0) {
                char buffer[32];
                std::snprintf(buffer, sizeof buffer, "%g", d.line.end[k]);
                d.label += elementName(order[k]) + (d.line.end[k] < 1 ? std::string(buffer) : "");
            }
        return d;
    }
    throw std::runtime_error(sectionsCsv + ": no section 1 of " + system);
}

std::vector<std::string> sectionReferences(const tdb::Database &db, const TernarySystem &system,
                                           const VerticalSection &section)
{
    std::vector<std::string> own, rest, unlisted;
    const auto &elements = system.elements();
    for (int index : stablePhases(section)) {
        const TernaryPhase &p = system.phases()[static_cast<std::size_t>(index)];
        for (const tdb::Parameter *param : p.parameters()) {
            int named = 0;
            for (const std::string &e : elements) {
                bool has = false;
                for (const auto &sub : param->constituents)
                    has = has || std::find(sub.begin(), sub.end(), e) != sub.end();
                named += has ? 1 : 0;
            }
            if (named >= 2)
                addReferenceTag(own, param->reference);
            if (named == 3 && !db.reference(param->reference)) {
                std::string constituents;
                for (const auto &sub : param->constituents) {
                    std::string list;
                    for (const std::string &c : sub)
                        list += (list.empty() ? "" : ",") + c;
                    constituents += (constituents.empty() ? "" : ":") + list;
                }
                addReferenceTag(unlisted, param->type + "(" + param->phase + "," + constituents + ";" + std::to_string(param->order) + ")");
            }
        }
        for (const std::string &tag : p.referenceTags())
            addReferenceTag(rest, tag);
    }
    std::vector<std::string> texts = referenceTexts(db, {&own, &rest});
    for (const std::string &p : unlisted)
        texts.push_back("Ternary parameter " + p + " of the file, which gives no reference for it");
    return texts;
}

std::vector<SystemSection> computeSectionSet(const std::string &dataDir, const SectionOptions &options)
{
    const std::string tdbDir = dataDir + "/thermo/tdb/";
    const auto files = readDiagramFiles(tdbDir + "diagram_files.csv");
    std::vector<std::unique_ptr<tdb::Database>> databases;
    for (const DiagramFile &f : files)
        databases.push_back(std::make_unique<tdb::Database>(tdb::readDatabaseFile(tdbDir + f.file)));

    std::vector<SystemSection> out;
    std::vector<const tdb::Database *> used;
    for (const std::string &system : kSectionSystems) {
        SystemSection s;
        s.definition = readSectionDefinition(dataDir + "/sources/sections.csv", system);
        const auto &e = s.definition.order;
        std::size_t chosen = files.size();
        for (std::size_t i = 0; i < files.size() && chosen == files.size(); ++i) {
            const tdb::Database &db = *databases[i];
            if (db.element(e[0]) && db.element(e[1]) && db.element(e[2]) && hasLiquidPair(db, e[0], e[1]) &&
                hasLiquidPair(db, e[0], e[2]) && hasLiquidPair(db, e[1], e[2]))
                chosen = i;
        }
        if (chosen == files.size())
            throw std::runtime_error(system + ": no parameter file of the collection assesses all three pairs");
        // The ternary description takes every phase as the file writes it, which is the
        // diagram_files.csv convention "ideal"; "pure forms" files are not described that way.
        if (files[chosen].unassessed != BinarySystem::Unassessed::Ideal)
            throw std::runtime_error(system + ": " + files[chosen].file +
                                     " takes unassessed phases in their pure forms, which the ternary sections do not");
        s.source = files[chosen];
        out.push_back(std::move(s));
        used.push_back(databases[chosen].get());
    }

    std::vector<std::exception_ptr> errors(out.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < out.size(); ++i)
        threads.emplace_back([&, i] {
            try {
                SystemSection &s = out[i];
                const TernarySystem system(*used[i], s.definition.order);
                s.notes = system.notes();
                s.section = computeSection(system, s.definition.line, options);
                s.references = sectionReferences(*used[i], system, s.section);
                if (!s.source.citation.empty())
                    s.references.insert(s.references.begin(), s.source.citation);
            } catch (...) {
                errors[i] = std::current_exception();
            }
        });
    for (std::thread &t : threads)
        t.join();
    for (const auto &e : errors)
        if (e)
            std::rethrow_exception(e);
    return out;
}

std::string sectionReferencesText(const std::vector<SystemSection> &sections)
{
    std::string out;
    for (const SystemSection &s : sections)
        out += referencesBlock(s.definition.system, s.references,
                               "vertical section " + s.definition.label + " computed from " + s.source.file);
    return out;
}

std::string sectionInvariantsCsv(const std::vector<SystemSection> &sections)
{
    std::string out = "system,section,file,kind,T_K,reaction,phases,x_of_each_state\n";
    for (const SystemSection &s : sections) {
        const auto &names = s.section.phaseNames;
        std::string elements;
        for (const std::string &e : s.definition.order)
            elements += (elements.empty() ? "" : " ") + elementName(e);
        for (const SectionInvariant &inv : s.section.invariants) {
            std::string phases, xs;
            for (const TernaryState &st : inv.states) {
                phases += (phases.empty() ? "" : " ") + names[static_cast<std::size_t>(st.phase)];
                xs += (xs.empty() ? "" : " ") + number(st.x[0], 4) + "/" + number(st.x[1], 4) + "/" + number(st.x[2], 4);
            }
            out += s.definition.system + "," + csvField(s.definition.label) + "," + s.source.file + "," + inv.kind + "," +
                   number(inv.T, 2) + "," + csvField(inv.reaction) + "," + phases + "," + csvField("x(" + elements + ") " + xs) + "\n";
        }
    }
    return out;
}

std::string sectionExtentCsv(const std::vector<SystemSection> &sections)
{
    std::string out = "record,system,T_K,what,from,to\n";
    for (const SystemSection &s : sections) {
        for (const SectionInvariant &inv : s.section.invariants)
            out += "invariant," + s.definition.system + "," + number(inv.T, 2) + "," + csvField(inv.reaction) + "," +
                   number(inv.sMin, 4) + "," + number(inv.sMax, 4) + "\n";
        if (s.section.isotherms.empty())
            continue;
        const auto &names = s.section.phaseNames;
        const SectionIsotherm &bottom = s.section.isotherms.front(), &top = s.section.isotherms.back();
        out += "bottom," + s.definition.system + "," + number(bottom.T, 2) + "," + csvField(bottom.signature(names)) + "," +
               number(bottom.fields.empty() ? -1 : bottom.fields.front().sLeft, 4) + "," +
               number(bottom.fields.empty() ? -1 : bottom.fields.back().sRight, 4) + "\n";
        out += "top," + s.definition.system + "," + number(top.T, 2) + "," + csvField(top.signature(names)) + ",,\n";
    }
    return out;
}

} // namespace korvel::thermo::phase
