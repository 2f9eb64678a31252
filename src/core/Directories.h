#pragma once
// ApplicationDir, DatabaseDir and SaveDir: the folder of the program file and the
// two folders beside it. Paths use the platform's separator.
#include <QString>

namespace korvel::dirs {

// The program file's folder without a trailing separator. Tests may point it
// elsewhere with overrideApplicationDir.
QString applicationDir();
void overrideApplicationDir(const QString& dir);

QString databaseDirFor(const QString& applicationDir); // applicationDir + sep + "Database"
QString saveDirFor(const QString& applicationDir);     // applicationDir + sep + "Save"

// Joins path parts with the platform's separator.
QString join(const QString& a, const QString& b);

} // namespace korvel::dirs
