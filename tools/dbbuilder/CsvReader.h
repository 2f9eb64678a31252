#pragma once
// Reads the comma-separated text files the database is built from: a header
// row of column names, then one row per record; quoted fields may hold commas,
// quotes ("") and line breaks. UTF-8.
#include <QString>
#include <QStringList>
#include <QList>

namespace korvel::build {

struct CsvTable {
    QStringList header;
    QList<QStringList> rows;
};

// Parses the text; throws std::runtime_error naming the line of a malformed row.
CsvTable parseCsv(const QString& text, const QString& sourceName = {});
CsvTable readCsvFile(const QString& path);

} // namespace korvel::build
