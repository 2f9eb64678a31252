#include "FixtureDatabase.h"

#include "core/Directories.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace korvel::test {

QString builtFixture(const QString& name)
{
    return qEnvironmentVariable("KORVEL_BUILD_DIR") + QStringLiteral("/fixtures/") + name + QStringLiteral("/korvel3.sqlite");
}

FixtureDatabase::FixtureDatabase(const QString& name)
{
    if (!m_dir.isValid())
        return;
    QDir root(m_dir.path());
    root.mkpath(QStringLiteral("Database"));
    root.mkpath(QStringLiteral("Save"));
    m_ok = QFile::copy(builtFixture(name), databaseFile());
    QFile(databaseFile()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    dirs::overrideApplicationDir(m_dir.path());
}

FixtureDatabase::~FixtureDatabase() { dirs::overrideApplicationDir(QString()); }

QString FixtureDatabase::databaseDir() const { return QDir(m_dir.path()).filePath(QStringLiteral("Database")); }
QString FixtureDatabase::databaseFile() const { return QDir(databaseDir()).filePath(QStringLiteral("korvel3.sqlite")); }
QString FixtureDatabase::saveDir() const { return QDir(m_dir.path()).filePath(QStringLiteral("Save")); }

void FixtureDatabase::writeDocument(const QString& relativePath, const QByteArray& content) const
{
    const QString path = QDir(databaseDir()).filePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

} // namespace korvel::test
