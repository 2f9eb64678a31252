#pragma once
// Builds the property database file from the schema and the table files: every
// CSV file named after a table of the schema fills that table. A file for an
// unknown table, a column the table does not have or a value SQLite rejects
// stops the build with a message naming the file. The file is written under a
// temporary name and moved into place only when complete.
#include <QString>
#include <QStringList>

namespace korvel::build {

struct BuildReport {
    int tables = 0;
    int rows = 0;
};

// Splits an SQL script into statements (at ";" outside quotes; "--" comments dropped).
QStringList splitSqlScript(const QString& script);

// Throws std::runtime_error on any failure; the output file is then left untouched.
BuildReport buildDatabase(const QString& schemaPath, const QStringList& tableDirs, const QString& outputPath);

} // namespace korvel::build
