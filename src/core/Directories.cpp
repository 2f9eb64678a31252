#include "Directories.h"

#include <QCoreApplication>
#include <QDir>

namespace korvel::dirs {
namespace {
QString g_override;
QString g_databaseOverride;
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

void overrideDatabaseDir(const QString& dir)
{
    g_databaseOverride = dir.isEmpty() ? QString() : QDir::toNativeSeparators(QDir::cleanPath(QDir(dir).absolutePath()));
}

QString databaseDirOverride() { return g_databaseOverride; }

QString databaseDirFor(const QString& applicationDir)
{
    const auto same = [](const QString& a, const QString& b) {
        return QDir::cleanPath(QDir::fromNativeSeparators(a)) == QDir::cleanPath(QDir::fromNativeSeparators(b));
    };
    if (!g_databaseOverride.isEmpty() && same(applicationDir, dirs::applicationDir()))
        return g_databaseOverride;
    return join(applicationDir, QStringLiteral("Database"));
}

QString saveDirFor(const QString& applicationDir) { return join(applicationDir, QStringLiteral("Save")); }

} // namespace korvel::dirs
