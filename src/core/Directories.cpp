#include "Directories.h"
#include "Layout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace korvel::dirs {
namespace {
QString g_override;
QString g_databaseOverride;
QString g_userSaveOverride;

QString clean(const QString& path) { return QDir::cleanPath(QDir::fromNativeSeparators(path)); }
bool same(const QString& a, const QString& b) { return clean(a) == clean(b); }

std::filesystem::path pathOf(const QString& dir) { return std::filesystem::path(clean(dir).toStdU16String()); }
QString textOf(const std::filesystem::path& p) { return QDir::toNativeSeparators(clean(QString::fromStdU16String(p.u16string()))); }
} // namespace

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

QString installedDatabaseDirFor(const QString& applicationDir) { return textOf(installedDatabasePath(pathOf(applicationDir))); }

Layout layoutFor(const QString& applicationDir)
{
    return isInstalledLayout(pathOf(applicationDir)) ? Layout::Installed : Layout::Portable;
}

void overrideDatabaseDir(const QString& dir)
{
    g_databaseOverride = dir.isEmpty() ? QString() : QDir::toNativeSeparators(QDir::cleanPath(QDir(dir).absolutePath()));
}

QString databaseDirOverride() { return g_databaseOverride; }

QString databaseDirFor(const QString& applicationDir)
{
    if (!g_databaseOverride.isEmpty() && same(applicationDir, dirs::applicationDir()))
        return g_databaseOverride;
    if (layoutFor(applicationDir) == Layout::Installed)
        return installedDatabaseDirFor(applicationDir);
    return join(applicationDir, QStringLiteral("Database"));
}

QString userSaveDir()
{
    if (!g_userSaveOverride.isEmpty())
        return g_userSaveOverride;
    QString base = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir::toNativeSeparators(clean(base + QStringLiteral("/Korvel 3")));
}

void overrideUserSaveDir(const QString& dir) { g_userSaveOverride = QDir::toNativeSeparators(dir); }

QString saveDirFor(const QString& applicationDir)
{
    if (layoutFor(applicationDir) == Layout::Installed)
        return userSaveDir();
    return join(applicationDir, QStringLiteral("Save"));
}

bool prepareSaveDir(const QString& saveDir)
{
    if (!same(saveDir, userSaveDir()) || layoutFor(applicationDir()) != Layout::Installed)
        return true;
    return QDir().mkpath(clean(saveDir));
}

bool isInstalledDatabase(const QString& databaseDir)
{
    const QString app = applicationDir();
    return layoutFor(app) == Layout::Installed && same(databaseDir, installedDatabaseDirFor(app));
}

} // namespace korvel::dirs
