#include "AlloyInput.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <numeric>

namespace korvel::alloy {

namespace {

bool isUpper(char c) { return std::isupper(static_cast<unsigned char>(c)) != 0; }
bool isLower(char c) { return std::islower(static_cast<unsigned char>(c)) != 0; }
bool isNumberChar(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '.'; }

// A decimal number filling the whole text ("3", "0.5", ".9").
std::optional<double> number(const std::string &text)
{
    if (text.empty() || std::count(text.begin(), text.end(), '.') > 1 ||
        !std::all_of(text.begin(), text.end(), isNumberChar) || text == ".")
        return std::nullopt;
    double v = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size())
        return std::nullopt;
    return v;
}

// An element symbol filling the whole text: an upper-case letter and at most one lower-case.
bool isSymbol(const std::string &s)
{
    return (s.size() == 1 && isUpper(s[0])) || (s.size() == 2 && isUpper(s[0]) && isLower(s[1]));
}

std::string trimmed(const std::string &s)
{
    const auto a = s.find_first_not_of(" \t");
    if (a == std::string::npos)
        return {};
    const auto b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

std::string format(double v)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", v);
    return buffer;
}

// "Sn-3Ag-0.5Cu": the balance, then (amount, element) per part.
void readBalanced(const std::string &text, std::vector<std::string> &elements, std::vector<double> &amounts)
{
    std::vector<std::string> parts;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t dash = text.find('-', pos);
        parts.push_back(trimmed(text.substr(pos, dash == std::string::npos ? std::string::npos : dash - pos)));
        if (dash == std::string::npos)
            break;
        pos = dash + 1;
    }
    if (!isSymbol(parts[0]))
        throw InputError(parts[0].empty() ? text : parts[0],
                         "\"" + (parts[0].empty() ? text : parts[0]) + "\" is not an element symbol (the balance comes first: Sn-3.5Ag)");
    elements.push_back(parts[0]);
    amounts.push_back(0);
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::string &p = parts[i];
        std::size_t split = 0;
        while (split < p.size() && isNumberChar(p[split]))
            ++split;
        const auto amount = number(p.substr(0, split));
        const std::string symbol = p.substr(split);
        if (p.empty() || !amount || !isSymbol(symbol))
            throw InputError(p.empty() ? text : p, "\"" + (p.empty() ? text : p) +
                                                       "\" is not an amount followed by an element symbol (as 3.5Ag)");
        if (*amount <= 0)
            throw InputError(p, "\"" + p + "\": an amount must be above 0");
        elements.push_back(symbol);
        amounts.push_back(*amount);
    }
}

// "Ag0.038Sn0.962": (element, fraction) pairs.
void readFractions(const std::string &text, std::vector<std::string> &elements, std::vector<double> &amounts)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = i;
        std::string symbol;
        if (isUpper(text[i])) {
            symbol += text[i++];
            if (i < text.size() && isLower(text[i]))
                symbol += text[i++];
        }
        const std::size_t numberStart = i;
        while (i < text.size() && isNumberChar(text[i]))
            ++i;
        const auto amount = number(text.substr(numberStart, i - numberStart));
        if (symbol.empty() || !amount) {
            std::size_t end = i;
            while (end < text.size() && !isUpper(text[end]))
                ++end;
            const std::string part = text.substr(start, std::max(end, start + 1) - start);
            throw InputError(part, "\"" + part + "\" is not an element symbol followed by its mole fraction (as Ag0.038)");
        }
        if (*amount <= 0)
            throw InputError(text.substr(start, i - start), "\"" + text.substr(start, i - start) + "\": a fraction must be above 0");
        elements.push_back(symbol);
        amounts.push_back(*amount);
    }
}

} // namespace

std::vector<double> massToMole(const std::vector<double> &mass, const std::vector<double> &molarMass)
{
    std::vector<double> n(mass.size());
    for (std::size_t i = 0; i < mass.size(); ++i)
        n[i] = mass[i] / molarMass[i];
    const double total = std::accumulate(n.begin(), n.end(), 0.0);
    for (double &v : n)
        v /= total;
    return n;
}

std::vector<double> moleToMass(const std::vector<double> &mole, const std::vector<double> &molarMass)
{
    std::vector<double> m(mole.size());
    for (std::size_t i = 0; i < mole.size(); ++i)
        m[i] = mole[i] * molarMass[i];
    const double total = std::accumulate(m.begin(), m.end(), 0.0);
    for (double &v : m)
        v *= 100.0 / total;
    return m;
}

Composition parseAlloy(const std::string &input, Basis basis, const MolarMassOf &molarMass)
{
    const std::string text = trimmed(input);
    if (text.empty())
        throw InputError(input, "no alloy given");
    Composition c;
    std::vector<double> amounts;
    const bool balanced = basis == Basis::Mass || text.find('-') != std::string::npos ||
                          std::none_of(text.begin(), text.end(), isNumberChar);
    if (balanced)
        readBalanced(text, c.elements, amounts);
    else
        readFractions(text, c.elements, amounts);

    for (std::size_t i = 0; i < c.elements.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (c.elements[i] == c.elements[j])
                throw InputError(c.elements[i], c.elements[i] + " is named twice");
    std::vector<double> masses;
    for (const std::string &e : c.elements) {
        const auto m = molarMass(e);
        if (!m)
            throw InputError(e, "no data for the element " + e);
        masses.push_back(*m);
    }

    if (balanced) {
        const double given = std::accumulate(amounts.begin() + 1, amounts.end(), 0.0);
        const char *unit = basis == Basis::Mass ? "mass %" : "mole %";
        if (given > 100 + 1e-9) {
            const std::string part = text.substr(text.find('-') + 1);
            throw InputError(part, "\"" + part + "\" adds up to " + format(given) + " " + unit + ", over 100");
        }
        if (c.elements.size() > 1 && given >= 100 - 1e-9)
            throw InputError(c.elements[0], "the balance " + c.elements[0] + " is left no " + unit);
        amounts[0] = 100 - given;
    } else {
        const double sum = std::accumulate(amounts.begin(), amounts.end(), 0.0);
        if (std::fabs(sum - 1) > 1e-6)
            throw InputError(text, "the mole fractions of \"" + text + "\" add up to " + format(sum) + ", not 1");
    }
    if (basis == Basis::Mass) {
        c.massPercent = amounts;
        c.moleFractions = massToMole(amounts, masses);
    } else {
        const double total = std::accumulate(amounts.begin(), amounts.end(), 0.0);
        for (double &a : amounts)
            a /= total;
        c.moleFractions = amounts;
        c.massPercent = moleToMass(amounts, masses);
    }
    c.designation = text + (basis == Basis::Mass ? " (mass %)" : balanced ? " (mole %)" : " (mole fractions)");
    return c;
}

double parseTemperature(const std::string &input)
{
    const std::string text = trimmed(input);
    std::size_t split = 0;
    if (split < text.size() && (text[split] == '-' || text[split] == '+'))
        ++split;
    while (split < text.size() && isNumberChar(text[split]))
        ++split;
    const std::string digits = text.substr(text[0] == '-' || text[0] == '+' ? 1 : 0, split - (text[0] == '-' || text[0] == '+' ? 1 : 0));
    const auto value = number(digits);
    const std::string unit = trimmed(text.substr(split));
    if (text.empty() || !value)
        throw InputError(input, "\"" + input + "\" is not a temperature with its unit (as 250C or 523.15K)");
    const double v = text[0] == '-' ? -*value : *value;
    double kelvin = 0;
    if (unit == "K")
        kelvin = v;
    else if (unit == "C" || unit == "\xC2\xB0""C")
        kelvin = v + kCelsiusZero;
    else
        throw InputError(input, "\"" + input + "\" has no unit C or K (as 250C or 523.15K)");
    if (kelvin <= 0)
        throw InputError(input, "\"" + input + "\" is not above 0 K");
    return kelvin;
}

double parseTemperatureStep(const std::string &input)
{
    const std::string text = trimmed(input);
    std::size_t split = 0;
    while (split < text.size() && isNumberChar(text[split]))
        ++split;
    const auto value = number(text.substr(0, split));
    const std::string unit = trimmed(text.substr(split));
    if (!value || (unit != "K" && unit != "C" && unit != "\xC2\xB0""C"))
        throw InputError(input, "\"" + input + "\" is not a temperature step with its unit (as 10K)");
    if (*value <= 0)
        throw InputError(input, "the step \"" + input + "\" must be above 0");
    return *value;
}

std::vector<double> parseTemperatureList(const std::string &text)
{
    std::vector<double> out;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t comma = text.find_first_of(",;", pos);
        out.push_back(parseTemperature(text.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos)));
        if (comma == std::string::npos)
            return out;
        pos = comma + 1;
    }
}

std::vector<double> temperatureRange(double from, double to, double step)
{
    if (!(step > 0))
        throw InputError(format(step) + " K", "the step must be above 0");
    if (to < from)
        throw InputError(format(to) + " K", "the range from " + format(from) + " K to " + format(to) + " K must not end below its start");
    const double count = std::floor((to - from) / step + 1e-9) + 1;
    if (count > 10000)
        throw InputError(format(step) + " K", "the range holds more than 10 000 temperatures");
    std::vector<double> out;
    for (int i = 0; i < static_cast<int>(count); ++i)
        out.push_back(from + i * step);
    return out;
}

std::vector<double> parseTemperatureField(const std::string &input, TemperatureUnit unit)
{
    const std::string suffix = unit == TemperatureUnit::Celsius ? "C" : "K";
    const std::string text = trimmed(input);
    if (text.empty())
        throw InputError(input, "no temperature given");
    auto value = [&](const std::string &item) {
        if (!number(item.front() == '-' ? item.substr(1) : item))
            throw InputError(item, "\"" + item + "\" is not a number");
        return parseTemperature(item + suffix);
    };
    if (text.find(':') != std::string::npos) {
        std::vector<std::string> parts;
        std::size_t pos = 0;
        for (;;) {
            const std::size_t colon = text.find(':', pos);
            parts.push_back(trimmed(text.substr(pos, colon == std::string::npos ? std::string::npos : colon - pos)));
            if (colon == std::string::npos)
                break;
            pos = colon + 1;
        }
        if (parts.size() != 3)
            throw InputError(text, "\"" + text + "\" is not a range from:to:step (as 200:390:10)");
        if (parts[0].empty() || parts[1].empty() || parts[2].empty() || !number(parts[2]))
            throw InputError(text, "\"" + text + "\" is not a range from:to:step (as 200:390:10)");
        return temperatureRange(value(parts[0]), value(parts[1]), parseTemperatureStep(parts[2] + "K"));
    }
    std::vector<double> out;
    std::string item;
    for (char c : text + ",") {
        if (c == ',' || c == ';' || c == ' ') {
            if (!item.empty())
                out.push_back(value(item));
            item.clear();
        } else {
            item += c;
        }
    }
    return out;
}

double inUnit(double kelvin, TemperatureUnit unit)
{
    return unit == TemperatureUnit::Celsius ? kelvin - kCelsiusZero : kelvin;
}

} // namespace korvel::alloy
