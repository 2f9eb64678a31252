#include "SchemaCheck.h"

#include <QFile>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

namespace korvel {

// Comments ("--" to the end of the line) removed, every run of white space one
// blank, no blank at either end: one pass over the text, since it runs on every
// table of every file opened.
QString normalisedStatement(const QString& sql)
{
    QString text;
    text.reserve(sql.size());
    bool pendingSpace = false;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('-') && i + 1 < sql.size() && sql.at(i + 1) == QLatin1Char('-')) {
            while (i < sql.size() && sql.at(i) != QLatin1Char('\n'))
                ++i;
            if (i < sql.size())
                pendingSpace = true; // the line end after the comment
            continue;
        }
        if (c.isSpace()) {
            pendingSpace = true;
            continue;
        }
        if (pendingSpace && !text.isEmpty())
            text += QLatin1Char(' ');
        pendingSpace = false;
        text += c;
    }
    return text;
}

namespace {

QString schemaScript()
{
    QFile file(QStringLiteral(":/korvel-database/schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// The CREATE TABLE statements of the built-in schema, normalised.
const QSet<QString>& ownTables()
{
    static const QSet<QString> tables = [] {
        QSet<QString> out;
        const QString script = normalisedStatement(schemaScript());
        for (const QString& statement : script.split(QLatin1Char(';'))) {
            const QString s = statement.trimmed();
            // An optional table may be missing from a file of the program's own.
            if (s.startsWith(QLatin1String("CREATE TABLE"), Qt::CaseInsensitive)
                && !s.startsWith(QLatin1String("CREATE TABLE %1 ").arg(validRangeTable), Qt::CaseInsensitive))
                out.insert(s);
        }
        return out;
    }();
    return tables;
}

// SQLite's rule for a declared type with numeric affinity (INTEGER or REAL or
// NUMERIC): no CHAR, CLOB or TEXT, not BLOB or empty.
bool declaresNumber(const QString& declared)
{
    const QString type = declared.toUpper();
    if (type.isEmpty() || type.contains(QLatin1String("BLOB")))
        return false;
    return !type.contains(QLatin1String("CHAR")) && !type.contains(QLatin1String("CLOB"))
           && !type.contains(QLatin1String("TEXT"));
}

} // namespace

// The schema is run in a database in memory and its tables read back, so the
// list follows schema.sql without a second parser of its own.
const QList<SchemaTable>& schemaTables()
{
    static const QList<SchemaTable> tables = [] {
        QList<SchemaTable> out;
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
            sqlite3_close(db);
            return out;
        }
        const QByteArray script = schemaScript().toUtf8();
        if (!script.isEmpty() && sqlite3_exec(db, script.constData(), nullptr, nullptr, nullptr) == SQLITE_OK) {
            sqlite3_stmt* list = nullptr;
            sqlite3_prepare_v2(db, "SELECT m.name, p.name, p.type FROM sqlite_schema m, pragma_table_info(m.name) p "
                                   "WHERE m.type = 'table' ORDER BY m.rowid, p.cid", -1, &list, nullptr);
            while (list && sqlite3_step(list) == SQLITE_ROW) {
                const QString table = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(list, 0)));
                if (out.isEmpty() || out.last().name != table)
                    out.append({table, {}, table.compare(validRangeTable, Qt::CaseInsensitive) == 0});
                const QString type = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(list, 2)));
                if (declaresNumber(type))
                    out.last().numericColumns << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(list, 1)));
            }
            sqlite3_finalize(list);
        }
        sqlite3_close(db);
        return out;
    }();
    return tables;
}

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
