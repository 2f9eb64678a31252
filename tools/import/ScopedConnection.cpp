#include "ScopedConnection.h"

#include <QSqlError>
#include <QUuid>
#include <stdexcept>

namespace korvel::import {

ScopedConnection::ScopedConnection(const QString& path)
    : m_name(QStringLiteral("korvel-import-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    if (!db.open()) {
        const QString error = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw std::runtime_error(QStringLiteral("%1: cannot open: %2").arg(path, error).toStdString());
    }
}

ScopedConnection::~ScopedConnection()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QString quotedIdentifier(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

} // namespace korvel::import
