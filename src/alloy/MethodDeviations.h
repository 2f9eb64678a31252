#pragma once
// How far each method of the calculator is from the measurements of the database, as the
// validation report (docs/validation.csv, written by tools/validation) states it: one line per
// property and method, "Butler: mean 3.1 %, largest 7.4 %, 27 datasets" (mean absolute and
// largest absolute deviation, in % for the properties and in K for liquidus and solidus).
// A method the report does not hold says nothing.
#include "AlloyCalculator.h"

#include <map>
#include <string>
#include <utility>

namespace korvel::alloy {

class MethodDeviations {
public:
    // The report's CSV. A missing file gives no deviations; a file that is not the report
    // (another header, a row it cannot read) throws std::runtime_error naming the file and line.
    static MethodDeviations read(const std::string &csvFile);
    // The report beside the calculator's inputs: <dataDir>/validation.csv where the build lays
    // them out, else docs/validation.csv beside a repository's data/ folder.
    static std::string fileFor(const std::string &dataDir);

    // "Butler: mean 3.1 %, largest 7.4 %, 27 datasets"; "" for a method the report does not hold.
    std::string describe(const std::string &property, const std::string &method) const;
    // The result with every method the report holds described as above in place of its name.
    AlloyResult described(AlloyResult result) const;
    bool empty() const { return m_lines.empty(); }

private:
    std::map<std::pair<std::string, std::string>, std::string> m_lines; // (property, method) -> line
};

} // namespace korvel::alloy
