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
};
const QList<SchemaTable>& schemaTables();

} // namespace korvel
