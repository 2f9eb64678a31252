#pragma once
// One table as read from a user's file (a Paradox table or a CSV file),
// before it is checked against the schema.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

namespace korvel::import {

struct SourceColumn {
    QString name;
    // The SQL type an extra column of this source gets ("" = untyped).
    QString sqlType;
    // Empty when the values can be imported; otherwise why not (for example
    // a field type that the import does not read).
    QString unsupported;
};

struct SourceRow {
    int record = 0;        // 1 = the first record of the file (after a CSV header)
    QVariantList values;   // one per column; a null QVariant is NULL
    QString problem;       // set when the record could not be read: it is rejected
};

struct SourceTable {
    QString file;          // the file as messages name it
    QString table;         // the table name the file stands for
    QList<SourceColumn> columns;
    QList<SourceRow> rows;
    // A large file's rows are read while they are written: when set, this hands
    // every row to the sink in file order (and rows stays empty); it throws
    // std::runtime_error "FILE: reason" when the file can no longer be read.
    std::function<void(const std::function<void(SourceRow&)>&)> streamRows;
    int streamedRows = 0; // how many rows streamRows gives

    // Every row, held or streamed.
    void forEachRow(const std::function<void(SourceRow&)>& sink) const
    {
        if (streamRows) {
            streamRows(sink);
            return;
        }
        for (SourceRow row : rows)
            sink(row);
    }
};

} // namespace korvel::import
