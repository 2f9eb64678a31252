#include "Reader.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cmath>
#include <cstring>
#include <optional>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

namespace korvel::thermo::tdb {

ReadError::ReadError(const std::string &source, int line, const std::string &message)
    : std::runtime_error(source + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " +
                         message),
      m_line(line), m_message(message)
{
}

namespace {

std::string upper(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(const std::string &s)
{
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

std::string collapseSpace(const std::string &s)
{
    std::string out;
    bool space = false;
    for (char c : s) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            space = !out.empty();
            continue;
        }
        if (space)
            out += ' ';
        space = false;
        out += c;
    }
    return out;
}

std::string stripSuffix(const std::string &phaseName)
{
    const auto colon = phaseName.find(':');
    return upper(colon == std::string::npos ? phaseName : phaseName.substr(0, colon));
}

// One command: its text (lines joined by '\n') and where each of its lines starts.
struct Command {
    std::string text;
    std::vector<std::pair<std::size_t, int>> lineStarts; // (offset in text, line number)

    int lineAt(std::size_t offset) const
    {
        int line = lineStarts.front().second;
        for (const auto &[at, number] : lineStarts)
            if (at <= offset)
                line = number;
        return line;
    }
};

std::vector<Command> splitCommands(const std::string &text, const std::string &source)
{
    std::vector<Command> commands;
    Command current;
    bool inCommand = false;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::size_t pos = 0;
        while (pos <= line.size()) {
            const std::string rest = line.substr(pos);
            const std::string lead = trim(rest);
            if (!inCommand && (lead.empty() || lead.front() == '$'))
                break;
            if (inCommand && !lead.empty() && lead.front() == '$' && pos == 0)
                break; // a comment line inside a command
            if (!inCommand) {
                current = Command();
                inCommand = true;
            }
            current.lineStarts.emplace_back(current.text.size(), number);
            const auto bang = rest.find('!');
            if (bang == std::string::npos) {
                current.text += rest;
                current.text += '\n';
                break;
            }
            current.text += rest.substr(0, bang);
            if (!trim(current.text).empty()) // "! !" ends nothing twice
                commands.push_back(current);
            inCommand = false;
            pos += bang + 1;
            if (pos >= line.size())
                break;
        }
    }
    if (inCommand && !trim(current.text).empty())
        throw ReadError(source, current.lineStarts.front().second,
                        "the command \"" + collapseSpace(current.text).substr(0, 40) +
                            "\" is not ended by '!'");
    return commands;
}

bool isNumber(const std::string &word, double *value = nullptr)
{
    if (word.empty())
        return false;
    char *end = nullptr;
    const double v = std::strtod(word.c_str(), &end);
    if (end != word.c_str() + word.size())
        return false;
    if (value)
        *value = v;
    return true;
}

enum class Keyword { Element, Species, Function, TypeDefinition, Phase, Constituent, Parameter,
                     References, Skipped };

bool matches(const std::string &word, const std::string &keyword)
{
    return word == keyword || (word.size() >= 3 && keyword.compare(0, word.size(), word) == 0);
}

std::optional<Keyword> keywordOf(const std::string &word)
{
    static const std::vector<std::pair<std::string, Keyword>> keywords = {
        {"ELEMENT", Keyword::Element},
        {"SPECIES", Keyword::Species},
        {"FUNCTION", Keyword::Function},
        {"TYPE_DEFINITION", Keyword::TypeDefinition},
        {"PHASE", Keyword::Phase},
        {"CONSTITUENT", Keyword::Constituent},
        {"PARAMETER", Keyword::Parameter},
        {"LIST_OF_REFERENCES", Keyword::References},
        {"ADD_REFERENCES", Keyword::References},
        {"REFERENCE_LIST", Keyword::References},
        {"DATABASE_INFO", Keyword::Skipped},
        {"DEFINE_SYSTEM_DEFAULT", Keyword::Skipped},
        {"DEFAULT_COMMAND", Keyword::Skipped},
        {"VERSION_DATE", Keyword::Skipped},
        {"TEMPERATURE_LIMITS", Keyword::Skipped},
        {"ASSESSED_SYSTEMS", Keyword::Skipped},
        {"REFERENCE_FILE", Keyword::Skipped},
    };
    const std::string w = upper(word);
    if (w == "REFERENCE" || w == "REFERENCES")
        return Keyword::References; // "REFERENCE LIST"
    for (const auto &[name, kind] : keywords)
        if (matches(w, name))
            return kind;
    return std::nullopt;
}

class CommandReader {
public:
    CommandReader(const Command &c, const std::string &source) : m_c(c), m_source(source) {}

    [[noreturn]] void fail(const std::string &message) const { fail(m_pos, message); }
    [[noreturn]] void fail(std::size_t at, const std::string &message) const
    {
        throw ReadError(m_source, m_c.lineAt(std::min(at, m_c.text.size())), message);
    }

    void skipSpace()
    {
        while (m_pos < m_c.text.size() && std::isspace(static_cast<unsigned char>(m_c.text[m_pos])))
            ++m_pos;
    }
    bool atEnd()
    {
        skipSpace();
        return m_pos >= m_c.text.size();
    }
    std::string word()
    {
        skipSpace();
        const std::size_t start = m_pos;
        while (m_pos < m_c.text.size() && !std::isspace(static_cast<unsigned char>(m_c.text[m_pos])))
            ++m_pos;
        return m_c.text.substr(start, m_pos - start);
    }
    std::string requireWord(const std::string &what)
    {
        std::string w = word();
        if (w.empty())
            fail("missing " + what);
        return w;
    }
    double number(const std::string &what)
    {
        skipSpace();
        const std::size_t at = m_pos;
        const std::string w = word();
        double v = 0;
        if (!isNumber(w, &v))
            fail(at, (w.empty() ? "missing " : "\"" + w + "\" is not a number: expected ") + what);
        return v;
    }
    // A number that may be followed by other text without a space ("298.15-7258.5+...").
    double leadingNumber(const std::string &what)
    {
        skipSpace();
        const char *begin = m_c.text.c_str() + m_pos;
        const bool numeric = m_pos < m_c.text.size() &&
                             (std::isdigit(static_cast<unsigned char>(*begin)) || *begin == '.' ||
                              ((*begin == '+' || *begin == '-') && m_pos + 1 < m_c.text.size() &&
                               (std::isdigit(static_cast<unsigned char>(begin[1])) || begin[1] == '.')));
        char *end = nullptr;
        const double v = numeric ? std::strtod(begin, &end) : 0;
        if (!numeric || end == begin) {
            std::string w = word();
            fail(static_cast<std::size_t>(begin - m_c.text.c_str()),
                 (w.empty() ? "missing " : "\"" + w + "\" is not a number: expected ") + what);
        }
        m_pos += static_cast<std::size_t>(end - begin);
        return v;
    }
    std::string rest()
    {
        std::string r = m_c.text.substr(std::min(m_pos, m_c.text.size()));
        m_pos = m_c.text.size();
        return r;
    }
    std::size_t pos() const { return m_pos; }
    const std::string &text() const { return m_c.text; }
    void setPos(std::size_t p) { m_pos = p; }

    // "T0 expr; T1 Y expr; T2 N ref"
    PiecewiseExpression piecewise(std::string *reference)
    {
        PiecewiseExpression value;
        double low = leadingNumber("the lower temperature of the range");
        for (;;) {
            const std::size_t semicolon = m_c.text.find(';', m_pos);
            if (semicolon == std::string::npos)
                fail("missing ';' after the expression");
            const std::string exprText = m_c.text.substr(m_pos, semicolon - m_pos);
            PiecewiseExpression::Piece piece;
            piece.low = low;
            try {
                piece.expression = Expression::parse(exprText);
            } catch (const ExpressionError &e) {
                fail(m_pos + e.offset(), e.what());
            }
            m_pos = semicolon + 1;
            skipSpace();
            if (m_c.text.compare(m_pos, 2, ",,") == 0) {
                piece.high = kDefaultHighT;
                m_pos += 2;
            } else {
                piece.high = leadingNumber("the upper temperature of the range after ';'");
            }
            if (piece.high <= piece.low)
                fail("temperature range " + std::to_string(piece.low) + " to " +
                     std::to_string(piece.high) + " is empty");
            value.pieces.push_back(std::move(piece));
            skipSpace();
            const char flag = m_pos < m_c.text.size() ? static_cast<char>(std::toupper(
                                                            static_cast<unsigned char>(m_c.text[m_pos])))
                                                      : '\0';
            if (flag == 'Y') {
                ++m_pos;
                low = value.pieces.back().high;
                continue;
            }
            if (flag != 'N')
                fail("expected Y (another range follows) or N (last range) after the upper temperature");
            ++m_pos;
            std::string ref = trim(rest());
            if (upper(ref.substr(0, 4)) == "REF:")
                ref = trim(ref.substr(4));
            std::istringstream words(ref);
            std::string first;
            words >> first;
            if (reference)
                *reference = first;
            return value;
        }
    }

private:
    const Command &m_c;
    const std::string &m_source;
    std::size_t m_pos = 0;
};

std::vector<std::vector<std::string>> parseConstituentArray(const std::string &text,
                                                            const CommandReader &r, std::size_t at,
                                                            bool dropMajorMark)
{
    std::string compact;
    for (char c : text)
        if (!std::isspace(static_cast<unsigned char>(c)))
            compact += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::vector<std::vector<std::string>> sublattices;
    std::size_t start = 0;
    while (start <= compact.size()) {
        std::size_t colon = compact.find(':', start);
        if (colon == std::string::npos)
            colon = compact.size();
        const std::string part = compact.substr(start, colon - start);
        std::vector<std::string> names;
        std::size_t s = 0;
        while (s <= part.size()) {
            std::size_t comma = part.find(',', s);
            if (comma == std::string::npos)
                comma = part.size();
            std::string name = part.substr(s, comma - s);
            if (dropMajorMark && !name.empty() && name.back() == '%')
                name.pop_back();
            if (name.empty())
                r.fail(at, "empty constituent in \"" + trim(text) + "\"");
            names.push_back(name);
            s = comma + 1;
        }
        sublattices.push_back(names);
        start = colon + 1;
    }
    return sublattices;
}

void readCommand(const Command &c, Database &db, const std::string &source)
{
    CommandReader r(c, source);
    const std::string head = r.word();
    const auto kind = keywordOf(head);
    if (!kind)
        r.fail(0, "unknown command \"" + head + "\"");
    switch (*kind) {
    case Keyword::Skipped: return;
    case Keyword::Element: {
        Element e;
        e.name = upper(r.requireWord("the element name"));
        e.referencePhase = upper(r.requireWord("the reference phase of " + e.name));
        e.mass = r.number("the molar mass of " + e.name);
        e.h298 = r.number("H298 - H0 of " + e.name);
        e.s298 = r.number("S298 of " + e.name);
        if (db.element(e.name))
            r.fail(0, "element " + e.name + " is defined twice");
        db.elements.push_back(e);
        return;
    }
    case Keyword::Species: {
        Species s;
        s.name = upper(r.requireWord("the species name"));
        s.stoichiometry = upper(r.requireWord("the formula of " + s.name));
        db.species.push_back(s);
        return;
    }
    case Keyword::Function: {
        Function f;
        f.line = c.lineStarts.front().second;
        f.name = upper(r.requireWord("the function name"));
        if (f.name.back() == '#')
            f.name.pop_back();
        f.value = r.piecewise(&f.reference);
        if (db.functions.count(f.name))
            r.fail(0, "function " + f.name + " is defined twice");
        db.functions.emplace(f.name, std::move(f));
        return;
    }
    case Keyword::TypeDefinition: {
        TypeDefinition t;
        t.line = c.lineStarts.front().second;
        r.skipSpace();
        if (r.atEnd())
            r.fail("missing the type code");
        t.code = r.text()[r.pos()];
        r.setPos(r.pos() + 1);
        while (!r.atEnd())
            t.words.push_back(upper(r.word()));
        if (t.words.empty())
            r.fail(0, std::string("type definition ") + t.code + " is empty");
        if (t.words[0] == "GES" && t.words.size() >= 3) {
            t.phase = t.words[2] == "@" ? std::string() : stripSuffix(t.words[2]);
            const auto mag = std::find(t.words.begin(), t.words.end(), "MAGNETIC");
            if (mag != t.words.end()) {
                MagneticModel m;
                if (std::distance(mag, t.words.end()) < 3 || !isNumber(*(mag + 1), &m.antiferromagneticFactor) ||
                    !isNumber(*(mag + 2), &m.structureFactor))
                    r.fail(0, "MAGNETIC needs the antiferromagnetic factor and the structure factor p");
                t.magnetic = m;
            }
            const auto dis = std::find(t.words.begin(), t.words.end(), "DISORDERED_PART");
            if (dis != t.words.end()) {
                if (dis + 1 == t.words.end())
                    r.fail(0, "DISORDERED_PART needs the name of the disordered phase");
                t.disorderedPart = stripSuffix(*(dis + 1));
            }
        }
        db.typeDefinitions.push_back(t);
        return;
    }
    case Keyword::Phase: {
        Phase p;
        p.line = c.lineStarts.front().second;
        p.name = stripSuffix(r.requireWord("the phase name"));
        p.typeCodes = r.requireWord("the type codes of " + p.name);
        const double n = r.number("the number of sublattices of " + p.name);
        if (!(n >= 1 && n <= 10) || n != std::floor(n))
            r.fail(0, "phase " + p.name + ": the number of sublattices must be a whole number from 1 to 10");
        for (int i = 0; i < static_cast<int>(n); ++i) {
            const double s = r.number("the site ratio of sublattice " + std::to_string(i + 1) + " of " + p.name);
            if (!(s > 0))
                r.fail(0, "phase " + p.name + ": site ratios must be positive");
            p.siteRatios.push_back(s);
        }
        if (!r.atEnd())
            r.fail("phase " + p.name + " has more site ratios than sublattices");
        if (db.phase(p.name))
            r.fail(0, "phase " + p.name + " is defined twice");
        db.phases.push_back(p);
        return;
    }
    case Keyword::Constituent: {
        const std::string name = stripSuffix(r.requireWord("the phase name"));
        auto it = std::find_if(db.phases.begin(), db.phases.end(),
                               [&](const Phase &p) { return p.name == name; });
        if (it == db.phases.end())
            r.fail(0, "constituents of the undefined phase " + name);
        std::string text = trim(r.rest());
        if (text.empty() || text.front() != ':')
            r.fail(0, "constituents of " + name + " must start with ':'");
        text = text.substr(1);
        const auto lastColon = text.find_last_of(':');
        if (lastColon != std::string::npos && trim(text.substr(lastColon + 1)).empty())
            text = text.substr(0, lastColon);
        it->constituents = parseConstituentArray(text, r, 0, true);
        if (it->constituents.size() != it->siteRatios.size())
            r.fail(0, "phase " + name + " has " + std::to_string(it->siteRatios.size()) +
                          " sublattices but constituents for " + std::to_string(it->constituents.size()));
        return;
    }
    case Keyword::Parameter: {
        Parameter p;
        p.line = c.lineStarts.front().second;
        r.skipSpace();
        const std::size_t open = r.text().find('(', r.pos());
        const std::size_t close = r.text().find(')', r.pos());
        if (open == std::string::npos || close == std::string::npos || close < open)
            r.fail("a parameter is written TYPE(PHASE,CONSTITUENTS;ORDER)");
        p.type = upper(trim(r.text().substr(r.pos(), open - r.pos())));
        if (p.type.empty())
            r.fail("missing the parameter type before '('");
        const std::string inside = r.text().substr(open + 1, close - open - 1);
        const auto comma = inside.find(',');
        const auto semicolon = inside.find(';');
        if (comma == std::string::npos || semicolon == std::string::npos || semicolon < comma)
            r.fail(open, "a parameter is written TYPE(PHASE,CONSTITUENTS;ORDER)");
        p.phase = stripSuffix(trim(inside.substr(0, comma)));
        p.constituents = parseConstituentArray(inside.substr(comma + 1, semicolon - comma - 1), r, open, false);
        double order = 0;
        if (!isNumber(trim(inside.substr(semicolon + 1)), &order) || !(order >= 0 && order <= 100) ||
            order != std::floor(order))
            r.fail(open, "the order of a parameter must be a whole number, not \"" +
                             trim(inside.substr(semicolon + 1)) + "\"");
        p.order = static_cast<int>(order);
        r.setPos(close + 1);
        p.value = r.piecewise(&p.reference);
        db.parameters.push_back(std::move(p));
        return;
    }
    case Keyword::References: {
        std::string w;
        for (;;) {
            r.skipSpace();
            const std::size_t before = r.pos();
            w = upper(r.word());
            if (w != "NUMBER" && w != "SOURCE" && w != "LIST") {
                r.setPos(before);
                break;
            }
        }
        while (!r.atEnd()) {
            Reference ref;
            ref.tag = r.word();
            r.skipSpace();
            if (r.atEnd() || r.text()[r.pos()] != '\'')
                r.fail("the reference " + ref.tag + " needs its text in quotes ('...')");
            const std::size_t end = r.text().find('\'', r.pos() + 1);
            if (end == std::string::npos)
                r.fail("the text of reference " + ref.tag + " has no closing quote");
            ref.text = collapseSpace(r.text().substr(r.pos() + 1, end - r.pos() - 1));
            r.setPos(end + 1);
            db.references.push_back(ref);
        }
        return;
    }
    }
}

void resolveTypes(Database &db)
{
    for (Phase &p : db.phases)
        for (char code : p.typeCodes)
            for (const TypeDefinition &t : db.typeDefinitions)
                if (t.code == code && (t.phase.empty() || t.phase == p.name)) {
                    if (t.magnetic)
                        p.magnetic = t.magnetic;
                    if (!t.disorderedPart.empty())
                        p.disorderedPart = t.disorderedPart;
                }
}

void check(const Database &db, const std::string &source)
{
    auto checkExpression = [&](const PiecewiseExpression &v, int line) {
        for (const auto &piece : v.pieces)
            for (const std::string &name : piece.expression.functionNames())
                if (!db.function(name) && name != "R")
                    throw ReadError(source, line, "unknown function " + name);
    };
    for (const auto &[name, f] : db.functions)
        checkExpression(f.value, f.line);
    // No function may call itself, and none may expand into an unreasonable number of calls
    // (each call is evaluated afresh).
    std::map<std::string, double> calls; // NaN while being expanded
    std::function<double(const Function &)> expand = [&](const Function &f) -> double {
        const auto known = calls.find(f.name);
        if (known != calls.end()) {
            if (std::isnan(known->second))
                throw ReadError(source, f.line, "function " + f.name + " calls itself");
            return known->second;
        }
        calls[f.name] = std::nan("");
        double n = 1;
        for (const auto &piece : f.value.pieces)
            for (const std::string &name : piece.expression.functionNames())
                if (const Function *g = db.function(name))
                    n += expand(*g);
        if (n > 1e4)
            throw ReadError(source, f.line, "function " + f.name + " expands into more than ten thousand calls");
        calls[f.name] = n;
        return n;
    };
    for (const auto &[name, f] : db.functions)
        expand(f);
    std::set<std::string> known = {"*"};
    for (const Element &e : db.elements)
        known.insert(e.name);
    for (const Species &s : db.species)
        known.insert(s.name);
    for (const Phase &p : db.phases)
        for (const auto &sub : p.constituents)
            for (const std::string &name : sub)
                if (!known.count(name))
                    throw ReadError(source, p.line, "phase " + p.name + ": unknown constituent " + name);
    for (const Parameter &p : db.parameters) {
        checkExpression(p.value, p.line);
        const Phase *phase = db.phase(p.phase);
        if (!phase)
            throw ReadError(source, p.line, "parameter of the undefined phase " + p.phase);
        if (p.constituents.size() != phase->siteRatios.size())
            throw ReadError(source, p.line,
                            "parameter of " + p.phase + " names " + std::to_string(p.constituents.size()) +
                                " sublattices, the phase has " + std::to_string(phase->siteRatios.size()));
        for (std::size_t s = 0; s < p.constituents.size(); ++s)
            for (const std::string &name : p.constituents[s])
                if (name != "*" && std::find(phase->constituents[s].begin(), phase->constituents[s].end(),
                                             name) == phase->constituents[s].end())
                    throw ReadError(source, p.line,
                                    "parameter of " + p.phase + ": " + name + " is not a constituent of sublattice " +
                                        std::to_string(s + 1));
    }
}

} // namespace

Database readDatabase(const std::string &text, const std::string &source)
{
    Database db;
    db.source = source;
    for (const Command &c : splitCommands(text, source))
        readCommand(c, db, source);
    resolveTypes(db);
    check(db, source);
    return db;
}

Database readDatabaseFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ReadError(path, 0, "cannot be opened");
    std::ostringstream text;
    text << in.rdbuf();
    const auto slash = path.find_last_of('/');
    return readDatabase(text.str(), slash == std::string::npos ? path : path.substr(slash + 1));
}

} // namespace korvel::thermo::tdb
