#pragma once
// The validation report as files: validation.md (a table per property of every method over its
// datasets and of every dataset and method, the cases no method computes, a plot per property),
// validation.csv (the same numbers) and validation/<property>.svg (computed against measured).
// Everything is written with fixed number formats and in sorted order, so the same inputs give
// the same bytes.
#include "Comparison.h"

#include <string>

namespace korvel::validation {

std::string reportCsv(const Report &report);
std::string reportMarkdown(const Report &report);
// The plot of one property; "" when no method gives a value for any of its datasets.
std::string reportPlot(const Report &report, const PropertyInfo &property);

// Writes the three into folder (validation.md, validation.csv, validation/*.svg, replacing the
// plots there); throws std::runtime_error naming a file it cannot write.
void writeReport(const Report &report, const std::string &folder);

} // namespace korvel::validation
