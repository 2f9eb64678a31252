#pragma once
// A named QSQLITE connection of its own, closed and removed when the object
// goes out of scope.
#include <QSqlDatabase>
#include <QString>

namespace korvel::import {

class ScopedConnection {
public:
    // Opens (creating when needed) the database file; throws std::runtime_error.
    explicit ScopedConnection(const QString& path);
    ~ScopedConnection();
    ScopedConnection(const ScopedConnection&) = delete;
    ScopedConnection& operator=(const ScopedConnection&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};

QString quotedIdentifier(const QString& name);

} // namespace korvel::import
