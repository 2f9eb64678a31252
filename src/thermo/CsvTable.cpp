#include "CsvTable.h"

#include <fstream>
#include <stdexcept>

namespace korvel::thermo {

std::vector<std::string> splitCsvLine(const std::string &line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

CsvTable CsvTable::read(const std::string &path, bool sameWidth)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(path + ": cannot be opened");
    CsvTable t;
    t.path = path;
    std::string line;
    int number = 0;
    bool haveHeader = false;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#')
            continue;
        std::vector<std::string> fields = splitCsvLine(line);
        if (!haveHeader) {
            t.header = std::move(fields);
            haveHeader = true;
            continue;
        }
        if (sameWidth && fields.size() != t.header.size())
            throw std::runtime_error(path + ":" + std::to_string(number) + ": expected " +
                                     std::to_string(t.header.size()) + " fields");
        t.rows.push_back(std::move(fields));
        t.lineNumbers.push_back(number);
    }
    return t;
}

std::size_t CsvTable::column(const std::string &name) const
{
    for (std::size_t i = 0; i < header.size(); ++i)
        if (header[i] == name)
            return i;
    throw std::runtime_error(path + ": no column " + name);
}

std::string CsvTable::where(std::size_t i) const
{
    return path + ":" + std::to_string(lineNumbers[i]);
}

} // namespace korvel::thermo
