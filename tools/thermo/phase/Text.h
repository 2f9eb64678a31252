#pragma once
// Reading and writing the small CSV tables of the diagram tools.
#include <string>
#include <vector>

namespace korvel::thermo::phase {

// Rows of a CSV file (quoted fields with "" for a quote; empty lines skipped); throws
// std::runtime_error when the file cannot be opened.
std::vector<std::vector<std::string>> readCsv(const std::string &path);
std::string upper(std::string s);
// A field as CSV writes it: quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string &s);
// Fixed decimals, never "-0.00".
std::string number(double v, int decimals);

} // namespace korvel::thermo::phase
