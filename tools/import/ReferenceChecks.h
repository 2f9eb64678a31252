#pragma once
// The checks that span tables of a written database: every system, property,
// publication, class and meniscographic source a row names exists, and every
// temperature line has exactly two rows. Problems name the file and record a
// row came from, or the base for a row that was there before.
#include <QHash>
#include <functional>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace korvel::import {

// Which file and record each imported row (by rowid) came from.
class RowOrigins {
public:
    QHash<qint64, int>& rowsOf(const QString& table, const QString& file);
    // "FILE record N", or "TABLE row R of the base".
    QString describe(const QString& table, qint64 rowid) const;

private:
    QHash<QString, QString> m_files;              // table (upper case) -> file
    QHash<QString, QHash<qint64, int>> m_records; // table (upper case) -> rowid -> record
};

// Each problem is handed to report as it is found (in table and row order),
// so none of them is held here.
void checkReferences(QSqlDatabase& db, const RowOrigins& origins, const std::function<void(const QString&)>& report);

} // namespace korvel::import
