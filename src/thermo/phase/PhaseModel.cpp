#include "PhaseModel.h"

#include "PhaseSetup.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <tuple>

namespace korvel::thermo::phase {

std::optional<PhaseModel> PhaseModel::build(const tdb::Database &db, const std::string &phaseName,
                                            const std::string &a, const std::string &b, std::string *why)
{
    const tdb::Phase *phase = db.phase(phaseName);
    if (!phase)
        return std::nullopt;
    auto code = [&](const std::string &n) { return n == a ? A : n == b ? B : n == "VA" ? VA : -1; };
    const std::string names[3] = {a, b, "VA"};
    auto fail = [&](const std::string &reason) -> std::optional<PhaseModel> {
        if (why)
            *why = phase->name + ": " + reason;
        return std::nullopt;
    };

    PhaseModel m;
    m.m_db = &db;
    m.m_name = phase->name;
    m.m_magnetic = phase->magnetic;
    bool holdsElement = false;
    for (std::size_t s = 0; s < phase->siteRatios.size(); ++s) {
        Sublattice sub;
        sub.sites = phase->siteRatios[s];
        for (const std::string &c : phase->constituents[s])
            if (code(c) >= 0)
                sub.constituents.push_back(code(c));
        if (sub.constituents.empty())
            return std::nullopt; // needs another element
        if (sub.constituents.size() > 2)
            return fail("three constituents on sublattice " + std::to_string(s + 1));
        holdsElement = holdsElement || std::any_of(sub.constituents.begin(), sub.constituents.end(),
                                                   [](int c) { return c != VA; });
        if (sub.constituents.size() == 2)
            m.m_mixed.push_back(static_cast<int>(s));
        m.m_sublattices.push_back(sub);
    }
    if (!holdsElement)
        return std::nullopt;
    m.m_variableOf.assign(m.m_sublattices.size(), -1);
    for (std::size_t v = 0; v < m.m_mixed.size(); ++v)
        m.m_variableOf[static_cast<std::size_t>(m.m_mixed[v])] = static_cast<int>(v);

    std::set<const tdb::Parameter *> used;
    ConstituentCodes codes{{}, {names[0], names[1], names[2]}, VA};
    for (const Sublattice &sub : m.m_sublattices)
        codes.sublattices.push_back(sub.constituents);
    std::vector<EndMemberParameters> endMembers;
    if (const std::string missing = collectEndMembers(db, phase->name, codes, used, endMembers); !missing.empty())
        return fail(missing);
    for (const EndMemberParameters &e : endMembers)
        m.m_endMembers.push_back({std::vector<int>(e.choice.begin(), e.choice.end()), e.g, e.tc, e.bmagn});

    // Interactions, grouped so that the orders of one description sit together.
    std::map<std::tuple<int, int, int, std::vector<int>, int>, Interaction> grouped;
    for (const tdb::Parameter *p : db.parametersOf(phase->name)) {
        const std::string kind = p->kind();
        if (kind != "G" && kind != "TC" && kind != "BMAGN")
            continue;
        bool relevant = true;
        std::vector<int> mixed;
        for (std::size_t s = 0; s < p->constituents.size() && relevant; ++s)
            for (const std::string &c : p->constituents[s])
                relevant = relevant && (c == "*" || code(c) >= 0);
        if (!relevant || !p->isInteraction())
            continue;
        Interaction in;
        in.kind = kind == "G" ? kG : kind == "TC" ? kTC : kBMAGN;
        in.choice.assign(p->constituents.size(), -1);
        for (std::size_t s = 0; s < p->constituents.size(); ++s) {
            const auto &sub = m.m_sublattices[s].constituents;
            auto index = [&](const std::string &c) {
                return static_cast<int>(std::find(sub.begin(), sub.end(), code(c)) - sub.begin());
            };
            if (p->constituents[s].size() == 2) {
                mixed.push_back(static_cast<int>(s));
                in.sign = index(p->constituents[s][0]) == 0 ? 1 : -1;
            } else if (p->constituents[s].size() == 1 && p->constituents[s][0] != "*") {
                in.choice[s] = index(p->constituents[s][0]);
            } else if (p->constituents[s].size() > 2) {
                relevant = false;
            }
        }
        if (!relevant || mixed.empty() || mixed.size() > 2)
            continue;
        in.mixed = mixed[0];
        if (mixed.size() == 2) {
            if (p->order != 0)
                return fail("reciprocal interaction of order " + std::to_string(p->order));
            in.second = mixed[1];
            in.sign = 1;
        }
        const auto key = std::make_tuple(in.kind, in.mixed, in.second, in.choice, in.sign);
        auto [it, fresh] = grouped.emplace(key, in);
        auto &orders = it->second.orders;
        if (orders.size() <= static_cast<std::size_t>(p->order))
            orders.resize(static_cast<std::size_t>(p->order) + 1, nullptr);
        orders[static_cast<std::size_t>(p->order)] = p;
        used.insert(p);
    }
    for (auto &[key, in] : grouped)
        m.m_interactions.push_back(in);

    // Parameters in file order, and the references they and their functions cite.
    m.m_parameters = inFileOrder(db, used);
    m.m_tags = referenceTagsOf(db, m.m_parameters);
    return m;
}

bool PhaseModel::mixes() const
{
    bool hasA = false, hasB = false;
    for (const Sublattice &s : m_sublattices)
        for (int c : s.constituents) {
            hasA = hasA || c == A;
            hasB = hasB || c == B;
        }
    return hasA && hasB;
}

PhaseModel::AtT PhaseModel::at(double T) const
{
    AtT p;
    p.T = T;
    auto value = [&](const tdb::Parameter *param) { return param ? m_db->evaluate(param->value, T) : 0.0; };
    for (const EndMember &em : m_endMembers) {
        p.endMembers.push_back(value(em.g));
        p.tcEnd.push_back(value(em.tc));
        p.bEnd.push_back(value(em.bmagn));
    }
    for (const Interaction &in : m_interactions) {
        std::vector<double> orders;
        for (const tdb::Parameter *param : in.orders)
            orders.push_back(value(param));
        p.interactions.push_back(orders);
    }
    return p;
}

double PhaseModel::fraction(const double *y, int sublattice, int index) const
{
    const int v = m_variableOf[static_cast<std::size_t>(sublattice)];
    if (v < 0)
        return 1.0;
    return index == 1 ? y[v] : 1.0 - y[v];
}

double PhaseModel::expand(const std::vector<EndMember> &ems, const std::vector<double> &emValues,
                          const std::vector<Interaction> &ints, const std::vector<std::vector<double>> &intValues,
                          int kind, const double *y) const
{
    double sum = 0;
    for (std::size_t e = 0; e < ems.size(); ++e) {
        if (emValues[e] == 0)
            continue;
        double w = 1;
        for (std::size_t s = 0; s < ems[e].choice.size(); ++s)
            w *= fraction(y, static_cast<int>(s), ems[e].choice[s]);
        sum += w * emValues[e];
    }
    for (std::size_t i = 0; i < ints.size(); ++i) {
        const Interaction &in = ints[i];
        if (in.kind != kind)
            continue;
        double w = 1;
        for (std::size_t s = 0; s < in.choice.size(); ++s)
            if (static_cast<int>(s) != in.mixed && static_cast<int>(s) != in.second && in.choice[s] >= 0)
                w *= fraction(y, static_cast<int>(s), in.choice[s]);
        const double y0 = fraction(y, in.mixed, 0), y1 = fraction(y, in.mixed, 1);
        w *= y0 * y1;
        if (in.second >= 0) {
            w *= fraction(y, in.second, 0) * fraction(y, in.second, 1);
            sum += w * intValues[i][0];
            continue;
        }
        const double d = in.sign * (y0 - y1);
        double power = 1, l = 0;
        for (double lv : intValues[i]) {
            l += lv * power;
            power *= d;
        }
        sum += w * l;
    }
    return sum;
}

double PhaseModel::magnetic(const AtT &p, const double *y) const
{
    if (!m_magnetic)
        return 0;
    return magneticGibbs(*m_magnetic, p.T, expand(m_endMembers, p.tcEnd, m_interactions, p.interactions, kTC, y),
                         expand(m_endMembers, p.bEnd, m_interactions, p.interactions, kBMAGN, y));
}

double PhaseModel::gibbs(const AtT &p, const double *y) const
{
    double g = expand(m_endMembers, p.endMembers, m_interactions, p.interactions, kG, y);
    double mixing = 0;
    for (std::size_t m = 0; m < m_mixed.size(); ++m)
        mixing += m_sublattices[static_cast<std::size_t>(m_mixed[m])].sites * (xlogx(y[m]) + xlogx(1 - y[m]));
    return g + kParameterFileGasConstant * p.T * mixing + magnetic(p, y);
}

double PhaseModel::atoms(const double *y) const
{
    double n = 0;
    for (std::size_t s = 0; s < m_sublattices.size(); ++s)
        for (std::size_t i = 0; i < m_sublattices[s].constituents.size(); ++i)
            if (m_sublattices[s].constituents[i] != VA)
                n += m_sublattices[s].sites * fraction(y, static_cast<int>(s), static_cast<int>(i));
    return n;
}

double PhaseModel::xB(const double *y) const
{
    double nb = 0;
    for (std::size_t s = 0; s < m_sublattices.size(); ++s)
        for (std::size_t i = 0; i < m_sublattices[s].constituents.size(); ++i)
            if (m_sublattices[s].constituents[i] == B)
                nb += m_sublattices[s].sites * fraction(y, static_cast<int>(s), static_cast<int>(i));
    return nb / atoms(y);
}

} // namespace korvel::thermo::phase
