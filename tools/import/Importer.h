#pragma once
// Writes a complete property database from tables read out of a user's files:
// the schema with its indexes and the four computed tables (or a copy of a
// base database to merge into), every table's rows checked against the
// column types and keys, references checked across the tables, all in one
// transaction into a temporary file that replaces the output only when
// everything succeeded.
#include "Schema.h"
#include "SourceTable.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>
#include <QTextStream>

#include <functional>

#include <memory>

namespace korvel::import {

struct TableReport {
    QString file;
    QString table;
    bool extraTable = false;
    int read = 0;
    int written = 0;
    QStringList rejected; // "record N: reason", one per rejected row
    QStringList notes;    // extra columns kept, columns not kept
    int rejectedCount() const { return int(rejected.size()); }
};

struct ImportReport {
    QList<TableReport> tables;
    QStringList absentTables; // tables of the schema that no file supplied
    // Problems across tables (references, temperature lines). With strict
    // rules every rejected row is one too. The first MaxProblemsInMemory are
    // kept here; the rest go, one a line in UTF-8, to a temporary file, so a
    // file whose million rows all name a missing record costs disk, not memory.
    static constexpr qsizetype MaxProblemsInMemory = 1000;
    QStringList problems;
    qint64 problemCount = 0; // all of them, in memory and in the file
    std::shared_ptr<QTemporaryFile> moreProblems;
    bool written = false;

    // Throws std::runtime_error when the temporary file cannot be written.
    void addProblem(const QString& problem);
    // Every problem in the order found.
    void forEachProblem(const std::function<void(const QString&)>& visit) const;
};

struct ImportOptions {
    // Strict: any rejected row or problem leaves no output (the files are the
    // user's to correct). Otherwise the rows that pass are written and the
    // rest reported.
    bool strict = false;
    // A database whose copy the tables are merged into; its rows are never
    // replaced: a row whose key it already holds is rejected.
    QString basePath;
};

// Throws std::runtime_error for an error that stops the import (a required
// column missing, an unreadable base, a file that cannot be written); the
// output is then left as it was.
ImportReport importTables(const QList<SourceTable>& sources, const QString& outputPath, const ImportOptions& options,
                          const Schema& schema = Schema::builtIn());

// The report as the command prints it, written line by line.
void writeReport(const ImportReport& report, QTextStream& out);
QString reportText(const ImportReport& report);

} // namespace korvel::import
