#pragma once
// The rule that tells the two layouts apart, in plain C++ so that the Qt-free
// programs (korvel3-calc, the tools) find the database as the program does.
// Directories.h builds the program's folders on it.
//
// - Portable: a Database folder beside the program file (a build folder, an
//   unpacked portable folder); also when neither is found.
// - Installed: only <prefix>/share/korvel3/Database is found, relative to the
//   program file's folder <prefix>/bin (in a macOS bundle Contents/Resources/
//   Database, relative to Contents/MacOS). It is read-only.
#include <filesystem>

namespace korvel::dirs {

std::filesystem::path installedDatabasePath(const std::filesystem::path& applicationDir);
bool isInstalledLayout(const std::filesystem::path& applicationDir);

// The layout's Database folder for a program file's folder.
std::filesystem::path databasePathFor(const std::filesystem::path& applicationDir);

// The folder of the running program file, for the mains without Qt (which
// have QCoreApplication::applicationDirPath for it); argv0 where the platform
// cannot say.
std::filesystem::path programFileDir(const char* argv0);

} // namespace korvel::dirs
