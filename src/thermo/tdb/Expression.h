#pragma once
// Arithmetic expressions of thermodynamic database files: numbers, the temperature T, the
// pressure P, LN/LOG/EXP/SQRT of a bracket, + - * / and ** (power), brackets, and references to
// named functions (written NAME or NAME#). Parsed once, evaluated at any T.
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace korvel::thermo::tdb {

// A text that is not a valid expression; offset counts from the start of the parsed text.
class ExpressionError : public std::runtime_error {
public:
    ExpressionError(const std::string &what, std::size_t offset)
        : std::runtime_error(what), m_offset(offset) {}
    std::size_t offset() const { return m_offset; }

private:
    std::size_t m_offset;
};

class Expression {
public:
    // Values of the named functions an expression refers to, at the temperature being evaluated.
    using Resolver = std::function<double(const std::string &name, double T)>;

    Expression();                                  // the constant 0
    static Expression parse(std::string_view text); // throws ExpressionError
    static Expression constant(double value);

    double evaluate(double T, const Resolver &resolve) const;
    double evaluate(double T) const; // for expressions without function references

    // Names of the functions referred to (upper case, without '#'), in order of appearance.
    std::vector<std::string> functionNames() const;
    bool isConstantZero() const;

    // Pressure the P symbol stands for (Pa); every diagram of this tool is at one atmosphere.
    static constexpr double kPressure = 101325.0;

    enum class Op { Number, Temperature, Pressure, Function, Negate, Add, Subtract, Multiply,
                    Divide, Power, Ln, Exp, Sqrt };
    struct Node {
        Op op = Op::Number;
        double value = 0;
        std::string name; // Function
        int left = -1, right = -1;
        int depth = 1; // of the subtree
    };

private:
    friend class ExpressionParser;
    double eval(int node, double T, const Resolver *resolve) const;
    std::vector<Node> m_nodes;
    int m_root = -1;
};

} // namespace korvel::thermo::tdb
