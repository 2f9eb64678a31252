#pragma once
// Reads a Paradox table file into a SourceTable with pxlib. The file is
// checked first (ParadoxLayout) so that a damaged file is an error naming it,
// never a crash. Texts are decoded from the code page the header names (or
// the one given) into Unicode.
#include "SourceTable.h"

#include <QByteArray>
#include <QString>

namespace korvel::import {

// The code page a table without one in its header is read in.
constexpr int kDefaultParadoxCodePage = 1250;

// Throws std::runtime_error "FILE: reason". codePage 0: the header's.
SourceTable readParadoxTable(const QByteArray& bytes, const QString& file, const QString& table, int codePage = 0);
// Reads the file; the table is named after the file without its extension.
SourceTable readParadoxFile(const QString& path, int codePage = 0);

} // namespace korvel::import
