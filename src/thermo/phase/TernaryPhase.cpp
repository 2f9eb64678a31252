#include "TernaryPhase.h"

#include "PhaseSetup.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>

namespace korvel::thermo::phase {

std::optional<TernaryPhase> TernaryPhase::build(const tdb::Database &db, const std::string &phaseName,
                                                const std::array<std::string, 3> &elements, std::string *why)
{
    const tdb::Phase *phase = db.phase(phaseName);
    if (!phase)
        return std::nullopt;
    auto code = [&](const std::string &n) {
        for (int e = 0; e < 3; ++e)
            if (n == elements[static_cast<std::size_t>(e)])
                return e;
        return n == "VA" ? kVacancy : -1;
    };
    const std::string names[4] = {elements[0], elements[1], elements[2], "VA"};
    auto fail = [&](const std::string &reason) -> std::optional<TernaryPhase> {
        if (why)
            *why = phase->name + ": " + reason;
        return std::nullopt;
    };

    TernaryPhase m;
    m.m_db = &db;
    m.m_name = phase->name;
    m.m_magnetic = phase->magnetic;
    bool holdsElement = false;
    for (std::size_t s = 0; s < phase->siteRatios.size(); ++s) {
        Sublattice sub;
        sub.sites = phase->siteRatios[s];
        sub.offset = m.m_fractions;
        for (const std::string &c : phase->constituents[s])
            if (code(c) >= 0)
                sub.constituents.push_back(code(c));
        if (sub.constituents.empty())
            return std::nullopt; // needs another element
        for (int c : sub.constituents)
            holdsElement = holdsElement || c != kVacancy;
        m.m_fractions += static_cast<int>(sub.constituents.size());
        m.m_sublattices.push_back(sub);
    }
    if (!holdsElement)
        return std::nullopt;
    // The index in a state of constituent c on sublattice s, -1 when it is not there.
    auto fractionOf = [&m](std::size_t s, int c) {
        const auto &list = m.m_sublattices[s].constituents;
        const auto it = std::find(list.begin(), list.end(), c);
        return it == list.end() ? -1 : m.m_sublattices[s].offset + static_cast<int>(it - list.begin());
    };

    std::set<const tdb::Parameter *> used;
    ConstituentCodes codes{{}, {names[0], names[1], names[2], names[3]}, kVacancy};
    for (const Sublattice &sub : m.m_sublattices)
        codes.sublattices.push_back(sub.constituents);
    std::vector<EndMemberParameters> endMembers;
    if (const std::string missing = collectEndMembers(db, phase->name, codes, used, endMembers); !missing.empty())
        return fail(missing);
    for (const EndMemberParameters &e : endMembers) {
        EndMember em{{}, e.g, e.tc, e.bmagn};
        for (std::size_t s = 0; s < e.choice.size(); ++s)
            em.fractions.push_back(m.m_sublattices[s].offset + static_cast<int>(e.choice[s]));
        m.m_endMembers.push_back(em);
    }

    for (const tdb::Parameter *p : db.parametersOf(phase->name)) {
        const std::string kind = p->kind();
        if ((kind != "G" && kind != "TC" && kind != "BMAGN") || !p->isInteraction())
            continue;
        if (p->constituents.size() != m.m_sublattices.size())
            continue;
        bool relevant = true;
        for (const auto &sub : p->constituents)
            for (const std::string &c : sub)
                relevant = relevant && (c == "*" || code(c) >= 0);
        if (!relevant)
            continue;
        Term t;
        t.kind = kind == "G" ? kG : kind == "TC" ? kTC : kBMAGN;
        t.order = p->order;
        t.parameter = p;
        std::vector<std::size_t> mixedSublattices;
        for (std::size_t s = 0; s < p->constituents.size() && relevant; ++s) {
            const auto &written = p->constituents[s];
            if (written.size() == 1 && written[0] == "*")
                continue;
            std::vector<int> fractions;
            for (const std::string &c : written) {
                const int f = fractionOf(s, code(c));
                relevant = relevant && f >= 0;
                fractions.push_back(f);
            }
            if (!relevant)
                break;
            if (fractions.size() == 1)
                t.fixed.push_back(fractions[0]);
            else if (t.mixed.empty())
                t.mixed = fractions, mixedSublattices.push_back(s);
            else
                t.second = fractions, mixedSublattices.push_back(s);
        }
        if (!relevant || t.mixed.size() > 3 || t.second.size() > 2 || (t.mixed.size() == 3 && !t.second.empty()))
            continue;
        if (!t.second.empty() && (t.mixed.size() != 2 || t.order != 0))
            return fail("reciprocal interaction of order " + std::to_string(t.order));
        if (t.mixed.size() == 3) {
            auto others = p->constituents;
            for (int order : {1, 2})
                t.ternaryWeighted = t.ternaryWeighted || db.find(kind, phase->name, others, order) != nullptr;
            if (t.order > 2)
                return fail("ternary interaction of order " + std::to_string(t.order));
        }
        m.m_terms.push_back(t);
        used.insert(p);
    }

    m.m_parameters = inFileOrder(db, used);
    m.m_tags = referenceTagsOf(db, m.m_parameters);
    return m;
}

bool TernaryPhase::holds(int e) const
{
    return std::any_of(m_sublattices.begin(), m_sublattices.end(), [e](const Sublattice &s) {
        return std::find(s.constituents.begin(), s.constituents.end(), e) != s.constituents.end();
    });
}

TernaryPhase::AtT TernaryPhase::at(double T) const
{
    AtT p;
    p.T = T;
    auto value = [&](const tdb::Parameter *param) { return param ? m_db->evaluate(param->value, T) : 0.0; };
    for (const EndMember &em : m_endMembers) {
        p.endMembers.push_back(value(em.g));
        p.tcEnd.push_back(value(em.tc));
        p.bEnd.push_back(value(em.bmagn));
    }
    for (const Term &t : m_terms)
        p.interactions.push_back(value(t.parameter));
    return p;
}

double TernaryPhase::expand(const std::vector<double> &emValues, const std::vector<double> &termValues, int kind,
                            const double *y) const
{
    double sum = 0;
    if (kind == kG || std::any_of(emValues.begin(), emValues.end(), [](double v) { return v != 0; }))
        for (std::size_t e = 0; e < m_endMembers.size(); ++e) {
            if (emValues[e] == 0)
                continue;
            double w = 1;
            for (int f : m_endMembers[e].fractions)
                w *= y[f];
            sum += w * emValues[e];
        }
    for (std::size_t i = 0; i < m_terms.size(); ++i) {
        const Term &t = m_terms[i];
        if (t.kind != kind)
            continue;
        double w = termValues[i];
        for (int f : t.fixed)
            w *= y[f];
        if (!t.second.empty()) {
            sum += w * y[t.mixed[0]] * y[t.mixed[1]] * y[t.second[0]] * y[t.second[1]];
            continue;
        }
        if (t.mixed.size() == 2) {
            const double yi = y[t.mixed[0]], yj = y[t.mixed[1]];
            sum += w * yi * yj * std::pow(yi - yj, t.order);
            continue;
        }
        const double yi = y[t.mixed[0]], yj = y[t.mixed[1]], yk = y[t.mixed[2]];
        double weight = 1;
        if (t.ternaryWeighted)
            weight = y[t.mixed[static_cast<std::size_t>(t.order)]] + (1 - yi - yj - yk) / 3;
        sum += w * yi * yj * yk * weight;
    }
    return sum;
}

double TernaryPhase::magnetic(const AtT &p, const double *y) const
{
    if (!m_magnetic)
        return 0;
    return magneticGibbs(*m_magnetic, p.T, expand(p.tcEnd, p.interactions, kTC, y), expand(p.bEnd, p.interactions, kBMAGN, y));
}

double TernaryPhase::gibbs(const AtT &p, const double *y) const
{
    const double g = expand(p.endMembers, p.interactions, kG, y);
    double mixing = 0;
    for (const Sublattice &s : m_sublattices) {
        if (s.constituents.size() < 2)
            continue;
        double sum = 0;
        for (std::size_t i = 0; i < s.constituents.size(); ++i)
            sum += xlogx(y[s.offset + static_cast<int>(i)]);
        mixing += s.sites * sum;
    }
    return g + kParameterFileGasConstant * p.T * mixing + magnetic(p, y);
}

double TernaryPhase::atoms(const double *y) const
{
    double n = 0;
    for (const Sublattice &s : m_sublattices)
        for (std::size_t i = 0; i < s.constituents.size(); ++i)
            if (s.constituents[i] != kVacancy)
                n += s.sites * y[s.offset + static_cast<int>(i)];
    return n;
}

std::array<double, 3> TernaryPhase::composition(const double *y) const
{
    std::array<double, 3> n{0, 0, 0};
    for (const Sublattice &s : m_sublattices)
        for (std::size_t i = 0; i < s.constituents.size(); ++i)
            if (s.constituents[i] != kVacancy)
                n[static_cast<std::size_t>(s.constituents[i])] += s.sites * y[s.offset + static_cast<int>(i)];
    const double total = n[0] + n[1] + n[2];
    for (double &v : n)
        v /= total;
    return n;
}

} // namespace korvel::thermo::phase
