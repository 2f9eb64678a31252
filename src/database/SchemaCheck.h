#pragma once
// Whether a database file's tables are exactly the program's own: every table
// of the schema the program is built with, defined as that schema defines it,
// and no triggers or views. The catalogue's statements are compiled against
// that schema when the program is built and tested, so for such a file the
// start-up check need not compile them again.
#include <QSqlDatabase>

namespace korvel {

bool schemaIsTheProgramsOwn(const QSqlDatabase& db);

// A statement's text with its comments removed and white space collapsed.
QString normalisedStatement(const QString& sql);

} // namespace korvel
