#pragma once
// ApplicationDir, DatabaseDir and SaveDir: the folder of the program file and the
// two folders beside it. Paths use the platform's separator.
#include <QString>

namespace korvel::dirs {

// The program file's folder without a trailing separator. Tests may point it
// elsewhere with overrideApplicationDir.
QString applicationDir();
void overrideApplicationDir(const QString& dir);

// applicationDir + sep + "Database"; for the program's own folder, the folder
// given with --database instead when one is set.
QString databaseDirFor(const QString& applicationDir);
QString saveDirFor(const QString& applicationDir);     // applicationDir + sep + "Save"

// The program's --database DIR option: DatabaseDir is DIR (made absolute)
// instead of the Database folder beside the program. Empty: no override.
void overrideDatabaseDir(const QString& dir);
QString databaseDirOverride();

// Joins path parts with the platform's separator.
QString join(const QString& a, const QString& b);

} // namespace korvel::dirs
