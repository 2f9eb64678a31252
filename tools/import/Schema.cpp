#include "Schema.h"

#include "DatabaseBuilder.h"
#include "ScopedConnection.h"

#include <QFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <stdexcept>

namespace korvel::import {
namespace {

// Columns that the shipped database adds for its own bookkeeping (where a
// record was read or how it was calculated); the program's queries never
// read them, so a table from elsewhere need not have them.
bool isBookkeepingColumn(const QString& table, const QString& column)
{
    if (column.compare(QLatin1String("SOURCE"), Qt::CaseInsensitive) == 0)
        return true;
    return table == QLatin1String("DTA")
        && (column.compare(QLatin1String("ALLOY"), Qt::CaseInsensitive) == 0
            || column.compare(QLatin1String("Pb"), Qt::CaseInsensitive) == 0);
}



} // namespace

Affinity affinityOf(const QString& declaredType)
{
    const QString t = declaredType.toUpper();
    if (t.contains(QLatin1String("INT")))
        return Affinity::Integer;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) || t.contains(QLatin1String("TEXT")))
        return Affinity::Text;
    if (t.isEmpty() || t.contains(QLatin1String("BLOB")))
        return Affinity::None;
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) || t.contains(QLatin1String("DOUB")))
        return Affinity::Real;
    return Affinity::Real; // NUMERIC affinity: numbers are kept as numbers
}

int SchemaTable::columnIndex(const QString& name) const
{
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

const SchemaTable* Schema::table(const QString& name) const
{
    for (const SchemaTable& t : m_tables) {
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

Schema Schema::fromScript(const QString& script)
{
    Schema schema;
    schema.m_script = script;
    ScopedConnection connection(QStringLiteral(":memory:"));
    QSqlDatabase db = connection.db();
    for (const QString& statement : build::splitSqlScript(script)) {
        QSqlQuery q(db);
        if (!q.exec(statement))
            throw std::runtime_error(QStringLiteral("schema: %1\n%2").arg(q.lastError().text(), statement).toStdString());
    }
    QSqlQuery names(db);
    names.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY rowid"));
    while (names.next()) {
        SchemaTable table;
        table.name = names.value(0).toString();
        QSqlQuery info(db);
        info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quotedIdentifier(table.name)));
        QStringList primaryKey;
        while (info.next()) {
            SchemaColumn c;
            c.name = info.value(1).toString();
            c.declaredType = info.value(2).toString();
            c.affinity = affinityOf(c.declaredType);
            c.notNull = info.value(3).toInt() != 0;
            c.primaryKey = info.value(5).toInt() > 0;
            c.required = !isBookkeepingColumn(table.name, c.name);
            if (c.primaryKey)
                primaryKey << c.name;
            table.columns << c;
        }
        if (!primaryKey.isEmpty())
            table.uniqueKeys << primaryKey;
        QSqlQuery indexes(db);
        indexes.exec(QStringLiteral("PRAGMA index_list(%1)").arg(quotedIdentifier(table.name)));
        while (indexes.next()) {
            if (indexes.value(2).toInt() == 0 || indexes.value(3).toString() == QLatin1String("pk"))
                continue;
            QSqlQuery columns(db);
            columns.exec(QStringLiteral("PRAGMA index_info(%1)").arg(quotedIdentifier(indexes.value(1).toString())));
            QStringList key;
            while (columns.next())
                key << columns.value(2).toString();
            table.uniqueKeys << key;
        }
        schema.m_tables << table;
    }
    return schema;
}

const Schema& Schema::builtIn()
{
    static const Schema schema = [] {
        QFile file(QStringLiteral(":/korvel-import/schema.sql"));
        if (!file.open(QIODevice::ReadOnly))
            throw std::runtime_error("the built-in schema is missing");
        return fromScript(QString::fromUtf8(file.readAll()));
    }();
    return schema;
}

} // namespace korvel::import
