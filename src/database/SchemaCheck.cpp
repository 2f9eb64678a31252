#include "SchemaCheck.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

namespace korvel {

QString normalisedStatement(const QString& sql)
{
    static const QRegularExpression comment(QStringLiteral("--[^\n]*"));
    static const QRegularExpression space(QStringLiteral("\\s+"));
    QString text = sql;
    text.remove(comment);
    text.replace(space, QStringLiteral(" "));
    return text.trimmed();
}

namespace {

// The CREATE TABLE statements of the built-in schema, normalised.
const QSet<QString>& ownTables()
{
    static const QSet<QString> tables = [] {
        QSet<QString> out;
        QFile file(QStringLiteral(":/korvel-database/schema.sql"));
        if (!file.open(QIODevice::ReadOnly))
            return out;
        const QString script = normalisedStatement(QString::fromUtf8(file.readAll()));
        for (const QString& statement : script.split(QLatin1Char(';'))) {
            const QString s = statement.trimmed();
            if (s.startsWith(QLatin1String("CREATE TABLE"), Qt::CaseInsensitive))
                out.insert(s);
        }
        return out;
    }();
    return tables;
}

} // namespace

bool schemaIsTheProgramsOwn(const QSqlDatabase& db)
{
    const QSet<QString>& own = ownTables();
    if (own.isEmpty())
        return false;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT type, sql FROM sqlite_master WHERE sql IS NOT NULL")))
        return false;
    QSet<QString> present;
    while (q.next()) {
        const QString type = q.value(0).toString();
        if (type == QLatin1String("trigger") || type == QLatin1String("view"))
            return false;
        if (type == QLatin1String("table"))
            present.insert(normalisedStatement(q.value(1).toString()));
    }
    if (q.lastError().isValid())
        return false;
    for (const QString& table : own) {
        if (!present.contains(table))
            return false;
    }
    return true;
}

} // namespace korvel
