#include "Directories.h"

#include <QCoreApplication>
#include <QDir>

namespace korvel::dirs {
namespace {
QString g_override;
}

QString applicationDir()
{
    if (!g_override.isEmpty())
        return g_override;
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

void overrideApplicationDir(const QString& dir) { g_override = QDir::toNativeSeparators(dir); }

QString join(const QString& a, const QString& b)
{
    if (a.endsWith(QDir::separator()))
        return a + b;
    return a + QDir::separator() + b;
}

QString databaseDirFor(const QString& applicationDir) { return join(applicationDir, QStringLiteral("Database")); }
QString saveDirFor(const QString& applicationDir) { return join(applicationDir, QStringLiteral("Save")); }

} // namespace korvel::dirs
