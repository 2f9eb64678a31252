#include "Database.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace korvel::thermo::tdb {

namespace {

std::string upper(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool sameSets(const std::vector<std::vector<std::string>> &a,
              const std::vector<std::vector<std::string>> &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto x = a[i], y = b[i];
        std::sort(x.begin(), x.end());
        std::sort(y.begin(), y.end());
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

const Expression &PiecewiseExpression::at(double T) const
{
    if (pieces.empty())
        throw std::runtime_error("expression without a temperature range");
    for (const Piece &p : pieces)
        if (T < p.high)
            return p.expression;
    return pieces.back().expression;
}

bool Parameter::isInteraction() const
{
    return std::any_of(constituents.begin(), constituents.end(),
                       [](const auto &s) { return s.size() > 1; });
}

std::string Parameter::kind() const
{
    return type == "L" ? std::string("G") : type;
}

const Element *Database::element(const std::string &name) const
{
    const std::string n = upper(name);
    for (const Element &e : elements)
        if (e.name == n)
            return &e;
    return nullptr;
}

const Phase *Database::phase(const std::string &name) const
{
    const std::string n = upper(name);
    for (const Phase &p : phases)
        if (p.name == n)
            return &p;
    return nullptr;
}

const Function *Database::function(const std::string &name) const
{
    const auto it = functions.find(upper(name));
    return it == functions.end() ? nullptr : &it->second;
}

const Reference *Database::reference(const std::string &tag) const
{
    const std::string t = upper(tag);
    for (const Reference &r : references)
        if (upper(r.tag) == t)
            return &r;
    return nullptr;
}

std::vector<const Parameter *> Database::parametersOf(const std::string &phaseName) const
{
    const std::string n = upper(phaseName);
    std::vector<const Parameter *> out;
    for (const Parameter &p : parameters)
        if (p.phase == n)
            out.push_back(&p);
    return out;
}

const Parameter *Database::find(const std::string &kind, const std::string &phaseName,
                                const std::vector<std::vector<std::string>> &constituents,
                                int order) const
{
    const std::string k = upper(kind) == "L" ? std::string("G") : upper(kind);
    const std::string n = upper(phaseName);
    for (const Parameter &p : parameters)
        if (p.phase == n && p.kind() == k && p.order == order && sameSets(p.constituents, constituents))
            return &p;
    return nullptr;
}

double Database::evaluate(const PiecewiseExpression &value, double T) const
{
    return value.at(T).evaluate(T, resolver());
}

Expression::Resolver Database::resolver() const
{
    return [this](const std::string &name, double T) { return functionValue(name, T, 1); };
}

double Database::functionValue(const std::string &name, double T) const
{
    return functionValue(name, T, 0);
}

double Database::functionValue(const std::string &name, double T, int depth) const
{
    if (depth > 64)
        throw std::runtime_error("function " + name + " refers to itself");
    const Function *f = function(name);
    if (!f && name == "R")
        return kParameterFileGasConstant; // where the file defines no function R
    if (!f)
        throw std::runtime_error("unknown function " + name + " in " + source);
    return f->value.at(T).evaluate(T, [this, depth](const std::string &n, double t) {
        return functionValue(n, t, depth + 1);
    });
}

} // namespace korvel::thermo::tdb
