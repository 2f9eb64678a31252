#pragma once
// Reads thermodynamic database (TDB) files. Commands end with '!'; a line whose first
// non-blank character is '$' is a comment; keywords may be abbreviated to any prefix of at least
// three letters (FUN, PARA, TYPE_DEF, CONST). Everything the diagrams and the model inputs need is
// read; commands that only steer an interactive session (DEFINE_SYSTEM_DEFAULT, DEFAULT_COMMAND,
// DATABASE_INFO, VERSION_DATE, TEMPERATURE_LIMITS, ASSESSED_SYSTEMS) are skipped. Anything else
// is refused with the line it stands on: a file is never half read.
#include "Database.h"

#include <stdexcept>
#include <string>

namespace korvel::thermo::tdb {

class ReadError : public std::runtime_error {
public:
    ReadError(const std::string &source, int line, const std::string &message);
    int line() const { return m_line; }
    const std::string &message() const { return m_message; }

private:
    int m_line;
    std::string m_message;
};

// Upper end of a range written ",,": the files' default upper temperature.
constexpr double kDefaultHighT = 6000.0;

Database readDatabase(const std::string &text, const std::string &source = "TDB text");
Database readDatabaseFile(const std::string &path); // ReadError (line 0) when it cannot be opened

} // namespace korvel::thermo::tdb
