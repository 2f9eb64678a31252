#pragma once
// Writing the small CSV tables and texts of the diagram tools (reading: CsvTable.h).
#include <string>
#include <vector>

namespace korvel::thermo::phase {

std::string upper(std::string s);
// A field as CSV writes it: quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string &s);
// Fixed decimals, never "-0.00".
std::string number(double v, int decimals);

} // namespace korvel::thermo::phase
