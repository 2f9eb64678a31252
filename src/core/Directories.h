#pragma once
// ApplicationDir, DatabaseDir and SaveDir. Paths use the platform's separator.
//
// Two layouts, told apart by what is found beside the program file:
// - portable (a build folder, an unpacked folder): Database/ and Save/ beside
//   the program file;
// - installed (bin/ under a prefix): the database in
//   <prefix>/share/korvel3/Database (inside a macOS bundle: Contents/Resources/
//   Database), read-only, and the exports in the user's own folder (see
//   userSaveDir), created on first use. Nothing is written under the prefix.
// Every difference between platforms and layouts is kept in this file and in
// Layout.h (the same rule in plain C++, for the Qt-free programs).
#include <QString>

namespace korvel::dirs {

enum class Layout { Portable, Installed };

// The program file's folder without a trailing separator. Tests may point it
// elsewhere with overrideApplicationDir.
QString applicationDir();
void overrideApplicationDir(const QString& dir);

// Portable when a Database folder is beside the program file or no installed
// database is found either; Installed when only the installed one is found.
Layout layoutFor(const QString& applicationDir);

// The installed database folder that belongs to a program file's folder.
QString installedDatabaseDirFor(const QString& applicationDir);

// The Database folder of the layout; for the program's own folder, the folder
// given with --database instead when one is set.
QString databaseDirFor(const QString& applicationDir);

// Portable: applicationDir + sep + "Save". Installed: userSaveDir().
QString saveDirFor(const QString& applicationDir);

// The user's folder for exports of the installed program: "Korvel 3" in the
// platform's documents location (the application-data location where there is
// none). Tests may point it elsewhere with overrideUserSaveDir.
QString userSaveDir();
void overrideUserSaveDir(const QString& dir);

// Called before an export writes into saveDir: the user's own folder is created
// when it is missing; a portable Save folder is left as it is (the program never
// creates it, a missing one is reported by the write). False when the folder
// could not be created.
bool prepareSaveDir(const QString& saveDir);

// True when the folder is the installed, read-only database of the running
// program: it is opened read-only and nothing is written into it.
bool isInstalledDatabase(const QString& databaseDir);

// The program's --database DIR option: DatabaseDir is DIR (made absolute)
// instead of the layout's Database folder. Empty: no override.
void overrideDatabaseDir(const QString& dir);
QString databaseDirOverride();

// Joins path parts with the platform's separator.
QString join(const QString& a, const QString& b);

} // namespace korvel::dirs
