#pragma once
// Whether a database file's tables are exactly the program's own: every table
// of the schema the program is built with, defined as that schema defines it,
// and no triggers or views. The catalogue's statements are compiled against
// that schema when the program is built and tested, so for such a file the
// start-up check need not compile them again.
#include <QList>
#include <QSqlDatabase>
#include <QStringList>

namespace korvel {

bool schemaIsTheProgramsOwn(const QSqlDatabase& db);

// A statement's text with its comments removed and white space collapsed.
QString normalisedStatement(const QString& sql);

// The tables of the schema the program is built with, in the schema's order,
// with the columns it declares numeric (INTEGER, REAL and the like).
struct SchemaTable {
    QString name;
    QStringList numericColumns;
    // A table no statement of the catalogue reads, which older files lack:
    // its absence is no fault, and the program then knows less (see validRangeTable).
    bool optional = false;
};
const QList<SchemaTable>& schemaTables();

// The table of each equation's valid temperature range.
inline const QString validRangeTable = QStringLiteral("VALID_RANGE");

} // namespace korvel
