#include "PhaseSetup.h"

#include "Magnetic.h"

#include <algorithm>

namespace korvel::thermo::phase {

std::string collectEndMembers(const tdb::Database &db, const std::string &phase, const ConstituentCodes &codes,
                              std::set<const tdb::Parameter *> &used, std::vector<EndMemberParameters> &out)
{
    const auto &subs = codes.sublattices;
    std::vector<std::size_t> choice(subs.size(), 0);
    for (;;) {
        EndMemberParameters em;
        em.choice = choice;
        std::vector<std::vector<std::string>> constituents;
        bool atoms = false;
        for (std::size_t s = 0; s < choice.size(); ++s) {
            const int c = subs[s][choice[s]];
            constituents.push_back({codes.names[static_cast<std::size_t>(c)]});
            atoms = atoms || c != codes.vacancy;
        }
        em.g = db.find("G", phase, constituents, 0);
        em.tc = db.find("TC", phase, constituents, 0);
        em.bmagn = db.find("BMAGN", phase, constituents, 0);
        if (!em.g && atoms) {
            std::string text;
            for (const auto &c : constituents)
                text += (text.empty() ? "" : ":") + c[0];
            return "no G parameter for the end member " + text;
        }
        for (const tdb::Parameter *p : {em.g, em.tc, em.bmagn})
            if (p)
                used.insert(p);
        out.push_back(em);
        std::size_t s = 0;
        for (; s < choice.size(); ++s) {
            if (++choice[s] < subs[s].size())
                break;
            choice[s] = 0;
        }
        if (s == choice.size())
            return {};
    }
}

std::vector<const tdb::Parameter *> inFileOrder(const tdb::Database &db, const std::set<const tdb::Parameter *> &used)
{
    std::vector<const tdb::Parameter *> out;
    for (const tdb::Parameter &p : db.parameters)
        if (used.count(&p))
            out.push_back(&p);
    return out;
}

std::vector<std::string> referenceTagsOf(const tdb::Database &db, const std::vector<const tdb::Parameter *> &parameters)
{
    std::vector<std::string> functionTags;
    std::set<std::string> seenFunctions;
    std::function<void(const tdb::PiecewiseExpression &)> functionsOf = [&](const tdb::PiecewiseExpression &v) {
        for (const auto &piece : v.pieces)
            for (const std::string &f : piece.expression.functionNames())
                if (seenFunctions.insert(f).second)
                    if (const tdb::Function *fn = db.function(f)) {
                        functionsOf(fn->value);
                        functionTags.push_back(fn->reference);
                    }
    };
    std::vector<std::string> tags;
    for (const tdb::Parameter *p : parameters)
        tags.push_back(p->reference);
    for (const tdb::Parameter *p : parameters)
        functionsOf(p->value);
    tags.insert(tags.end(), functionTags.begin(), functionTags.end());
    std::vector<std::string> unique;
    for (const std::string &t : tags)
        if (!t.empty() && std::find(unique.begin(), unique.end(), t) == unique.end())
            unique.push_back(t);
    return unique;
}

double magneticGibbs(const tdb::MagneticModel &model, double T, double tc, double beta)
{
    if (tc < 0)
        tc /= model.antiferromagneticFactor;
    if (beta < 0)
        beta /= model.antiferromagneticFactor;
    if (tc <= 0 || beta <= 0)
        return 0;
    return kParameterFileGasConstant * T * std::log(beta + 1) * magneticFunction(T / tc, model.structureFactor);
}

} // namespace korvel::thermo::phase
