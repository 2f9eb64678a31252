#pragma once
// The gas constant, in J/(mol·K). Two values are in use, each in its own place:
//   - the program's own formulas (the model catalogues, the Butler equation, the viscosity
//     models and their fits) use the one the program has always used;
//   - the parameter files' expressions mean 8.31451 by R, and every Gibbs energy computed from
//     them (phase descriptions, equilibria) must use the same value to stay consistent with them.
namespace korvel::thermo {

inline constexpr double kGasConstant = 8.314472;
inline constexpr double kParameterFileGasConstant = 8.31451;

} // namespace korvel::thermo
