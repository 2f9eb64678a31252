#pragma once
// The calculator's result as text: the CSV of the command line and of the window's export
// (header T_K,T_C,property,value,unit,method,source,flags; one row per temperature, property
// and method, then the liquidus and solidus rows with the value in K and T_K, T_C empty), and a
// readable table.
#include "AlloyCalculator.h"
#include "phase/Text.h"

#include <string>
#include <vector>

namespace korvel::alloy {

// The rows of the table, the CSV and the copied text: per value T_K, T_C, property, value,
// unit, method, source, flags (the temperatures with two decimals, the value with six
// significant digits), then the liquidus and solidus rows (T_K and T_C empty, value in K).
std::vector<std::vector<std::string>> resultRows(const AlloyResult &result);
std::string resultCsv(const AlloyResult &result);
// The same rows tab-separated, for the clipboard.
std::string resultTabbed(const AlloyResult &result);
std::string resultText(const AlloyResult &result);
// A field as CSV writes it: quoted when it holds a comma, a quote or a line break.
using thermo::phase::csvField;
// 6 significant digits, as every value is written.
std::string valueText(double v);

} // namespace korvel::alloy
