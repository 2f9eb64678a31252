#pragma once
// A private copy of a fixture database for one test: a temporary folder that
// plays ApplicationDir, with Database/korvel3.sqlite (copied from the fixture
// built by korvel_fixture_database) and an empty Save/ beside it.
#include <QString>
#include <QTemporaryDir>

namespace korvel::test {

class FixtureDatabase {
public:
    // name: the fixture's name ("fixture" for tests/data/fixture).
    explicit FixtureDatabase(const QString& name = QStringLiteral("fixture"));
    ~FixtureDatabase();

    bool ok() const { return m_ok; }
    QString applicationDir() const { return m_dir.path(); }
    QString databaseFile() const;
    QString databaseDir() const;
    QString saveDir() const;
    // Writes a file below Database/ (creating its folders), for document-tree tests.
    void writeDocument(const QString& relativePath, const QByteArray& content) const;

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};

// The built fixture file of that name.
QString builtFixture(const QString& name);

} // namespace korvel::test
