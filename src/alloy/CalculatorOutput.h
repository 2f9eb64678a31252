#pragma once
// The calculator's result as text: the CSV of the command line and of the window's export
// (header T_K,T_C,property,value,unit,method,source,flags; one row per temperature, property
// and method, then the liquidus and solidus rows with the value in K and T_K, T_C empty), and a
// readable table.
#include "AlloyCalculator.h"

#include <string>

namespace korvel::alloy {

std::string resultCsv(const AlloyResult &result);
std::string resultText(const AlloyResult &result);
// A field as CSV writes it: quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string &s);
// 6 significant digits, as every value is written.
std::string valueText(double v);

} // namespace korvel::alloy
