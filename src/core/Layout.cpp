#include "Layout.h"

namespace korvel::dirs {

namespace fs = std::filesystem;

fs::path installedDatabasePath(const fs::path& applicationDir)
{
#ifdef __APPLE__
    return (applicationDir / ".." / "Resources" / "Database").lexically_normal();
#else
    return (applicationDir / ".." / "share" / "korvel3" / "Database").lexically_normal();
#endif
}

bool isInstalledLayout(const fs::path& applicationDir)
{
    std::error_code ignored;
    return !fs::is_directory(applicationDir / "Database", ignored) &&
           fs::is_directory(installedDatabasePath(applicationDir), ignored);
}

fs::path databasePathFor(const fs::path& applicationDir)
{
    return isInstalledLayout(applicationDir) ? installedDatabasePath(applicationDir) : applicationDir / "Database";
}

} // namespace korvel::dirs
