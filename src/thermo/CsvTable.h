#pragma once
// The one reader of the small CSV tables the thermodynamics reads (its inputs, the diagram file
// list, the system and section tables): fields split at commas, a quoted field may hold commas
// and "" for a quote; empty lines and lines starting with '#' (comments) are left out. The first
// remaining line is the header.
#include <string>
#include <vector>

namespace korvel::thermo {

struct CsvTable {
    std::string path;
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows; // after the header
    std::vector<int> lineNumbers;               // of each row in the file, from 1

    // Throws std::runtime_error when the file cannot be opened, or (sameWidth) when a row has
    // another number of fields than the header.
    static CsvTable read(const std::string &path, bool sameWidth = true);

    // The index of a column; throws std::runtime_error naming the file when there is none.
    std::size_t column(const std::string &name) const;
    // "path:line" of row i, for messages.
    std::string where(std::size_t i) const;
};

// One line split into fields as the reader splits it.
std::vector<std::string> splitCsvLine(const std::string &line);

} // namespace korvel::thermo
