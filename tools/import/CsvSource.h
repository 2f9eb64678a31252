#pragma once
// Reads a CSV table file (UTF-8, header line of column names) into a
// SourceTable of texts; the table is named after the file.
#include "SourceTable.h"

#include <QByteArray>
#include <QString>

namespace korvel::import {

// Throws std::runtime_error "FILE: reason" (not UTF-8, malformed, repeated column).
SourceTable readCsvSource(const QString& path);
// The same for the file's bytes; path names the file in messages and the table.
SourceTable parseCsvSource(const QByteArray& bytes, const QString& path);

} // namespace korvel::import
