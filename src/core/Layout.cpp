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

fs::path programFileDir(const char* argv0)
{
    std::error_code ec;
#ifdef __linux__
    // The program file itself, wherever the shell found it on the PATH.
    const fs::path self = fs::canonical("/proc/self/exe", ec);
    if (!ec)
        return self.parent_path();
#endif
    const fs::path given = fs::absolute(argv0 ? fs::path(argv0) : fs::path(), ec);
    return ec ? fs::current_path(ec) : given.parent_path();
}

} // namespace korvel::dirs
