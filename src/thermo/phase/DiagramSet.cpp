#include "DiagramSet.h"

#include "CsvTable.h"
#include "Text.h"
#include "tdb/Reader.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace korvel::thermo::phase {

namespace {

// A pure element melting or transforming at an end, a compound melting or transforming
// congruently, or the top of a miscibility gap.
std::string transformationKind(const Transformation &t, const std::vector<std::string> &names)
{
    const bool atEnd = std::all_of(t.states.begin(), t.states.end(), [](const PhaseState &s) { return s.x < 1e-3; }) ||
                       std::all_of(t.states.begin(), t.states.end(), [](const PhaseState &s) { return s.x > 1 - 1e-3; });
    if (atEnd)
        return "pure element";
    if (t.states.size() == 2 && names[static_cast<std::size_t>(t.states[0].phase)] == names[static_cast<std::size_t>(t.states[1].phase)])
        return "critical point";
    return "congruent";
}

} // namespace

std::vector<DiagramFile> readDiagramFiles(const std::string &csvPath)
{
    const CsvTable table = CsvTable::read(csvPath, false);
    if (table.header != std::vector<std::string>{"file", "caption", "unassessed_phases", "citation"})
        throw std::runtime_error(csvPath + ": expected the columns file,caption,unassessed_phases,citation");
    std::vector<DiagramFile> files;
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const auto &r = table.rows[i];
        if (r.size() != 4 || (r[2] != "ideal" && r[2] != "pure forms"))
            throw std::runtime_error(csvPath + ": line " + std::to_string(table.lineNumbers[i]) +
                                     " needs 4 fields, unassessed_phases \"ideal\" or \"pure forms\"");
        files.push_back({r[0], r[1], r[2] == "ideal" ? BinarySystem::Unassessed::Ideal : BinarySystem::Unassessed::PureForms, r[3]});
    }
    return files;
}

std::vector<std::string> readBinarySystems(const std::string &tabUklPath)
{
    std::vector<std::string> systems;
    for (const auto &r : CsvTable::read(tabUklPath, false).rows)
        if (r.size() >= 3 && r[1] == "2")
            systems.push_back(r[2]);
    return systems;
}

std::vector<int> stablePhases(const BinaryDiagram &diagram)
{
    std::vector<int> phases;
    for (const Section &s : diagram.sections)
        for (const Region &r : s.regions)
            for (int p : {r.left, r.right})
                if (std::find(phases.begin(), phases.end(), p) == phases.end())
                    phases.push_back(p);
    std::sort(phases.begin(), phases.end());
    return phases;
}

bool hasLiquidPair(const tdb::Database &db, const std::string &a, const std::string &b)
{
    const tdb::Phase *liquid = nullptr;
    for (const tdb::Phase &p : db.phases)
        if (p.name.rfind("LIQ", 0) == 0) {
            liquid = &p;
            break;
        }
    if (!liquid)
        return false;
    for (const tdb::Parameter *p : db.parametersOf(liquid->name)) {
        if (!p->isInteraction() || p->constituents.size() != 1)
            continue;
        const auto &c = p->constituents[0];
        if (c.size() == 2 && std::count(c.begin(), c.end(), a) == 1 && std::count(c.begin(), c.end(), b) == 1)
            return true;
    }
    return false;
}

std::vector<std::string> referencesOf(const tdb::Database &db, const BinarySystem &system,
                                      const BinaryDiagram &diagram)
{
    std::vector<std::string> own, rest;
    for (int index : stablePhases(diagram)) {
        const PhaseModel &p = system.phases()[static_cast<std::size_t>(index)];
        for (const tdb::Parameter *param : p.parameters()) {
            bool a = false, b = false;
            for (const auto &sub : param->constituents)
                for (const std::string &c : sub) {
                    a = a || c == system.first();
                    b = b || c == system.second();
                }
            if (a && b)
                addReferenceTag(own, param->reference);
        }
        for (const std::string &tag : p.referenceTags())
            addReferenceTag(rest, tag);
    }
    return referenceTexts(db, {&own, &rest});
}

void addReferenceTag(std::vector<std::string> &to, const std::string &tag)
{
    if (!tag.empty() && std::find(to.begin(), to.end(), tag) == to.end())
        to.push_back(tag);
}

std::vector<std::string> referenceTexts(const tdb::Database &db, const std::vector<const std::vector<std::string> *> &lists)
{
    std::vector<std::string> texts;
    for (const auto *list : lists)
        for (const std::string &tag : *list)
            if (const tdb::Reference *r = db.reference(tag))
                if (std::find(texts.begin(), texts.end(), r->text) == texts.end())
                    texts.push_back(r->text);
    return texts;
}

std::string referencesBlock(const std::string &system, const std::vector<std::string> &references, const std::string &origin)
{
    std::string out = "[" + system + "]";
    for (std::size_t i = 0; i < references.size(); ++i) {
        std::string line = references[i];
        std::replace(line.begin(), line.end(), '|', '/');
        std::replace(line.begin(), line.end(), '[', '(');
        std::replace(line.begin(), line.end(), ']', ')');
        out += line;
        if (i + 1 < references.size())
            out += "\n";
    }
    return out + "|" + origin + "\n";
}

DiagramSet computeDiagramSet(const std::string &dataDir)
{
    const std::string tdbDir = dataDir + "/thermo/tdb/";
    const auto files = readDiagramFiles(tdbDir + "diagram_files.csv");
    std::vector<std::unique_ptr<tdb::Database>> databases;
    for (const DiagramFile &f : files)
        databases.push_back(std::make_unique<tdb::Database>(tdb::readDatabaseFile(tdbDir + f.file)));

    DiagramSet set;
    for (const std::string &system : readBinarySystems(dataDir + "/tables/TAB_UKL.csv")) {
        const auto dash = system.find('-');
        const std::string a = upper(system.substr(0, dash)), b = upper(system.substr(dash + 1));
        std::string reason;
        std::size_t chosen = files.size();
        for (std::size_t i = 0; i < files.size() && chosen == files.size(); ++i) {
            const tdb::Database &db = *databases[i];
            if (!db.element(a) || !db.element(b))
                continue;
            if (hasLiquidPair(db, a, b))
                chosen = i;
            else if (reason.empty())
                reason = files[i].file + " holds both elements but no parameter of the pair in the liquid: the system is not assessed there";
        }
        if (chosen == files.size()) {
            set.missing.push_back({system, reason.empty() ? "no parameter file of the collection holds both elements" : reason});
            continue;
        }
        const tdb::Database &db = *databases[chosen];
        const BinarySystem bs(db, a, b, files[chosen].unassessed);
        SystemDiagram d;
        d.system = system;
        d.source = files[chosen];
        d.notes = bs.notes();
        d.diagram = computeDiagram(bs);
        d.references = referencesOf(db, bs, d.diagram);
        if (!files[chosen].citation.empty())
            d.references.insert(d.references.begin(), files[chosen].citation);
        set.diagrams.push_back(std::move(d));
    }
    return set;
}

std::string referencesText(const DiagramSet &set)
{
    std::string out;
    for (const SystemDiagram &d : set.diagrams)
        out += referencesBlock(d.system, d.references, "phase diagram computed from " + d.source.file);
    return out;
}

std::string invariantsCsv(const DiagramSet &set)
{
    std::string out = "system,file,kind,T_K,phases,x_second\n";
    for (const SystemDiagram &d : set.diagrams) {
        const auto &names = d.diagram.phaseNames;
        auto line = [&](const std::string &kind, double T, const std::vector<PhaseState> &states) {
            std::string phases, xs;
            for (const PhaseState &s : states) {
                phases += (phases.empty() ? "" : " ") + names[static_cast<std::size_t>(s.phase)];
                xs += (xs.empty() ? "" : " ") + number(s.x, 4);
            }
            out += d.system + "," + d.source.file + "," + kind + "," + number(T, 2) + "," + phases + "," + xs + "\n";
        };
        for (const Invariant &inv : d.diagram.invariants)
            line(inv.kind, inv.T, inv.states);
        for (const Transformation &t : d.diagram.transformations)
            line(transformationKind(t, names), t.T, t.states);
    }
    return out;
}

std::string systemsCsv(const DiagramSet &set)
{
    std::map<std::string, std::string> lines;
    std::vector<std::string> order;
    for (const SystemDiagram &d : set.diagrams) {
        std::string notes;
        for (const std::string &n : d.notes)
            notes += (notes.empty() ? "" : "; ") + n;
        lines[d.system] = d.system + ",yes," + csvField(d.source.file) + "," + csvField(notes);
        order.push_back(d.system);
    }
    for (const MissingDiagram &m : set.missing) {
        lines[m.system] = m.system + ",no,," + csvField(m.reason);
        order.push_back(m.system);
    }
    std::sort(order.begin(), order.end());
    std::string out = "system,diagram,file,notes\n";
    for (const std::string &s : order)
        out += lines[s] + "\n";
    return out;
}

} // namespace korvel::thermo::phase
