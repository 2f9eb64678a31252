#include "Expression.h"

#include <cctype>
#include <cmath>
#include <algorithm>
#include <cstdlib>

namespace korvel::thermo::tdb {

class ExpressionParser {
public:
    ExpressionParser(std::string_view text, Expression &out) : m_text(text), m_out(out) {}

    void run()
    {
        skipSpace();
        if (m_pos >= m_text.size())
            throw ExpressionError("empty expression", m_pos);
        m_out.m_root = sum();
        skipSpace();
        if (m_pos < m_text.size())
            throw ExpressionError("unexpected '" + std::string(1, m_text[m_pos]) + "' in expression",
                                  m_pos);
    }

private:
    using Op = Expression::Op;

    int add(Op op, int left = -1, int right = -1, double value = 0, std::string name = {})
    {
        Expression::Node n;
        n.op = op;
        n.left = left;
        n.right = right;
        n.value = value;
        n.name = std::move(name);
        // Evaluation recurses as deep as the tree: long sums are bounded too.
        for (int child : {left, right})
            if (child >= 0)
                n.depth = std::max(n.depth, m_out.m_nodes[static_cast<std::size_t>(child)].depth + 1);
        if (n.depth > kMaxTreeDepth)
            throw ExpressionError("expression too long", m_pos);
        m_out.m_nodes.push_back(std::move(n));
        return static_cast<int>(m_out.m_nodes.size()) - 1;
    }

    void skipSpace()
    {
        while (m_pos < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_pos])))
            ++m_pos;
    }

    bool accept(std::string_view token)
    {
        skipSpace();
        if (m_text.substr(m_pos, token.size()) == token) {
            m_pos += token.size();
            return true;
        }
        return false;
    }

    int sum()
    {
        int left = product();
        for (;;) {
            if (accept("+"))
                left = add(Op::Add, left, product());
            else if (accept("-"))
                left = add(Op::Subtract, left, product());
            else
                return left;
        }
    }

    int product()
    {
        int left = unary();
        for (;;) {
            skipSpace();
            if (m_text.substr(m_pos, 2) == "**")
                return left; // handled in power(); cannot occur here
            if (accept("*"))
                left = add(Op::Multiply, left, unary());
            else if (accept("/"))
                left = add(Op::Divide, left, unary());
            else
                return left;
        }
    }

    int unary()
    {
        // Brackets, signs and powers nest through here; a bound keeps the stack safe.
        struct Depth {
            int &d;
            explicit Depth(int &depth) : d(depth) { ++d; }
            ~Depth() { --d; }
        } depth(m_depth);
        if (m_depth > kMaxDepth)
            throw ExpressionError("expression nested too deeply", m_pos);
        if (accept("-"))
            return add(Op::Negate, unary());
        if (accept("+"))
            return unary();
        return power();
    }

    int power()
    {
        const int base = primary();
        if (accept("**"))
            return add(Op::Power, base, unary()); // right-associative, binds tighter than unary minus
        return base;
    }

    int primary()
    {
        skipSpace();
        if (m_pos >= m_text.size())
            throw ExpressionError("expression ends where a value is expected", m_pos);
        const char c = m_text[m_pos];
        if (c == '(') {
            ++m_pos;
            const int inner = sum();
            if (!accept(")"))
                throw ExpressionError("missing ')'", m_pos);
            return inner;
        }
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.')
            return number();
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_')
            return word();
        throw ExpressionError("unexpected '" + std::string(1, c) + "' in expression", m_pos);
    }

    int number()
    {
        const std::size_t start = m_pos;
        auto digits = [&] {
            std::size_t n = 0;
            while (m_pos < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[m_pos]))) {
                ++m_pos;
                ++n;
            }
            return n;
        };
        std::size_t n = digits();
        if (m_pos < m_text.size() && m_text[m_pos] == '.') {
            ++m_pos;
            n += digits();
        }
        if (n == 0)
            throw ExpressionError("malformed number", start);
        if (m_pos < m_text.size() && (m_text[m_pos] == 'E' || m_text[m_pos] == 'e' ||
                                      m_text[m_pos] == 'D' || m_text[m_pos] == 'd')) {
            std::size_t p = m_pos + 1;
            if (p < m_text.size() && (m_text[p] == '+' || m_text[p] == '-'))
                ++p;
            if (p >= m_text.size() || !std::isdigit(static_cast<unsigned char>(m_text[p])))
                throw ExpressionError("malformed exponent of a number", m_pos);
            m_pos = p;
            digits();
        }
        std::string text(m_text.substr(start, m_pos - start));
        for (char &ch : text)
            if (ch == 'D' || ch == 'd')
                ch = 'E';
        return add(Op::Number, -1, -1, std::strtod(text.c_str(), nullptr));
    }

    int word()
    {
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && (std::isalnum(static_cast<unsigned char>(m_text[m_pos])) ||
                                         m_text[m_pos] == '_'))
            ++m_pos;
        std::string name(m_text.substr(start, m_pos - start));
        for (char &ch : name)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        const bool hash = m_pos < m_text.size() && m_text[m_pos] == '#';
        if (hash)
            ++m_pos;
        if (!hash) {
            skipSpace();
            const bool call = m_pos < m_text.size() && m_text[m_pos] == '(';
            if (call && (name == "LN" || name == "LOG" || name == "EXP" || name == "SQRT")) {
                ++m_pos;
                const int arg = sum();
                if (!accept(")"))
                    throw ExpressionError("missing ')' after the argument of " + name, m_pos);
                const Op op = name == "EXP" ? Op::Exp : name == "SQRT" ? Op::Sqrt : Op::Ln;
                return add(op, arg);
            }
            if (call)
                throw ExpressionError("unknown function " + name + "()", start);
            if (name == "T")
                return add(Op::Temperature);
            if (name == "P")
                return add(Op::Pressure);
        }
        return add(Op::Function, -1, -1, 0, name);
    }

    static constexpr int kMaxDepth = 200;
    static constexpr int kMaxTreeDepth = 5000;
    std::string_view m_text;
    Expression &m_out;
    std::size_t m_pos = 0;
    int m_depth = 0;
};

Expression::Expression()
{
    m_nodes.push_back({});
    m_root = 0;
}

Expression Expression::constant(double value)
{
    Expression e;
    e.m_nodes[0].value = value;
    return e;
}

Expression Expression::parse(std::string_view text)
{
    Expression e;
    e.m_nodes.clear();
    ExpressionParser(text, e).run();
    return e;
}

double Expression::evaluate(double T, const Resolver &resolve) const
{
    return eval(m_root, T, &resolve);
}

double Expression::evaluate(double T) const
{
    return eval(m_root, T, nullptr);
}

double Expression::eval(int index, double T, const Resolver *resolve) const
{
    const Node &n = m_nodes[static_cast<std::size_t>(index)];
    switch (n.op) {
    case Op::Number: return n.value;
    case Op::Temperature: return T;
    case Op::Pressure: return kPressure;
    case Op::Function:
        if (!resolve)
            throw std::runtime_error("function " + n.name + " referred to without a database");
        return (*resolve)(n.name, T);
    case Op::Negate: return -eval(n.left, T, resolve);
    case Op::Add: return eval(n.left, T, resolve) + eval(n.right, T, resolve);
    case Op::Subtract: return eval(n.left, T, resolve) - eval(n.right, T, resolve);
    case Op::Multiply: return eval(n.left, T, resolve) * eval(n.right, T, resolve);
    case Op::Divide: return eval(n.left, T, resolve) / eval(n.right, T, resolve);
    case Op::Power: {
        const double base = eval(n.left, T, resolve);
        const double exponent = eval(n.right, T, resolve);
        // Integer powers (T**2, T**(-9)) by repeated multiplication: exact and faster than pow.
        if (exponent == std::floor(exponent) && std::fabs(exponent) <= 64) {
            const int k = static_cast<int>(exponent);
            double r = 1;
            for (int i = 0; i < std::abs(k); ++i)
                r *= base;
            return k < 0 ? 1.0 / r : r;
        }
        return std::pow(base, exponent);
    }
    case Op::Ln: return std::log(eval(n.left, T, resolve));
    case Op::Exp: return std::exp(eval(n.left, T, resolve));
    case Op::Sqrt: return std::sqrt(eval(n.left, T, resolve));
    }
    return 0;
}

std::vector<std::string> Expression::functionNames() const
{
    std::vector<std::string> names;
    for (const Node &n : m_nodes)
        if (n.op == Op::Function)
            names.push_back(n.name);
    return names;
}

bool Expression::isConstantZero() const
{
    return m_nodes.size() == 1 && m_nodes[0].op == Op::Number && m_nodes[0].value == 0;
}

} // namespace korvel::thermo::tdb
