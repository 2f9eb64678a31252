#pragma once
// What the alloy calculator is asked: an alloy designation and temperatures.
//
// Designations: in mass % the first element is the balance and every other one is written as
// its percentage followed by its symbol ("Sn-3.5Ag", "Sn-3Ag-0.5Cu", "Au-20Sn"); in mole
// fractions each element is followed by its fraction ("Ag0.038Sn0.962"), or, written like a
// mass designation, the numbers are mole % with the first element the balance ("Sn-3.8Ag").
// Temperatures carry their unit: "250C", "250°C", "523.15K".
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvel::alloy {

enum class Basis { Mass, Mole };

// A refused input; part() is the piece of it the message is about ("120Ag", "Xx", "250F").
class InputError : public std::runtime_error {
public:
    InputError(std::string part, const std::string &message) : std::runtime_error(message), m_part(std::move(part)) {}
    const std::string &part() const { return m_part; }

private:
    std::string m_part;
};

struct Composition {
    std::vector<std::string> elements; // as written, the balance first
    std::vector<double> moleFractions;
    std::vector<double> massPercent;
    // "Sn-3Ag-0.5Cu (mass %)": the designation as asked.
    std::string designation;
};

// The molar mass of an element in g/mol, or nothing for an element without data.
using MolarMassOf = std::function<std::optional<double>(const std::string &)>;

// Throws InputError for a designation it cannot read, an element without data, an element
// named twice, percentages over 100 (or leaving the balance nothing), fractions not adding up
// to 1.
Composition parseAlloy(const std::string &text, Basis basis, const MolarMassOf &molarMass);

// Mole fractions from mass fractions (any scale) and molar masses: x_i = (w_i/M_i) / Σ_j (w_j/M_j).
std::vector<double> massToMole(const std::vector<double> &mass, const std::vector<double> &molarMass);
std::vector<double> moleToMass(const std::vector<double> &mole, const std::vector<double> &molarMass); // in %

enum class TemperatureUnit { Celsius, Kelvin };

// One temperature with its unit, in K; throws InputError (not a number, no or another unit,
// below 0 K).
double parseTemperature(const std::string &text);
// A list "250C,300C" (each with its unit).
std::vector<double> parseTemperatureList(const std::string &text);
// A temperature step ("10K", "10C": the same 10 K); above 0.
double parseTemperatureStep(const std::string &text);
// from, to, step: from ≤ to, step > 0, at most 10 000 temperatures; the last is `to` when the
// steps reach it within 1e-9 K.
std::vector<double> temperatureRange(double from, double to, double step);
// The window's temperature field, numbers in the given unit: one value ("250"), a list
// ("250, 300; 350") or a range from:to:step ("200:390:10"). Throws InputError.
std::vector<double> parseTemperatureField(const std::string &text, TemperatureUnit unit);
// A temperature as the user's unit shows it ("250 °C" or "523.15 K").
double inUnit(double kelvin, TemperatureUnit unit);

constexpr double kCelsiusZero = 273.15;

} // namespace korvel::alloy
