#include "DatabaseBuilder.h"

#include "CsvReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <stdexcept>

namespace korvel::build {
namespace {

[[noreturn]] void fail(const QString& message) { throw std::runtime_error(message.toStdString()); }

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return QString::fromUtf8(file.readAll());
}

// Keeps the numbers of the text files exact: integers stay integers, other
// numbers become doubles, anything else stays text; an empty field is NULL.
QVariant valueOf(const QString& field)
{
    if (field.isEmpty())
        return QVariant();
    bool ok = false;
    const qlonglong integer = field.toLongLong(&ok);
    if (ok)
        return integer;
    const double real = field.toDouble(&ok);
    if (ok && !field.contains(QLatin1Char(' ')))
        return real;
    return field;
}

class Connection {
public:
    explicit Connection(const QString& path)
        : m_name(QStringLiteral("korvel-build-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        if (!db.open())
            fail(QStringLiteral("cannot create %1: %2").arg(path, db.lastError().text()));
    }
    ~Connection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};

void exec(QSqlDatabase& db, const QString& sql, const QString& context)
{
    QSqlQuery query(db);
    if (!query.exec(sql))
        fail(QStringLiteral("%1: %2\n%3").arg(context, query.lastError().text(), sql));
}

int loadTable(QSqlDatabase& db, const QString& csvPath)
{
    const QString table = QFileInfo(csvPath).completeBaseName();
    if (!db.tables().contains(table))
        fail(QStringLiteral("%1: the schema has no table %2").arg(csvPath, table));
    const CsvTable csv = readCsvFile(csvPath);
    const QSqlRecord columns = db.record(table);
    QStringList quoted;
    QStringList placeholders;
    for (const QString& column : csv.header) {
        if (columns.indexOf(column) < 0)
            fail(QStringLiteral("%1: table %2 has no column %3").arg(csvPath, table, column));
        quoted << QLatin1Char('"') + column + QLatin1Char('"');
        placeholders << QStringLiteral("?");
    }
    QSqlQuery insert(db);
    if (!insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(table, quoted.join(QLatin1Char(',')), placeholders.join(QLatin1Char(',')))))
        fail(QStringLiteral("%1: %2").arg(csvPath, insert.lastError().text()));
    for (int r = 0; r < csv.rows.size(); ++r) {
        const QStringList& row = csv.rows[r];
        for (int c = 0; c < row.size(); ++c)
            insert.bindValue(c, valueOf(row[c]));
        if (!insert.exec())
            fail(QStringLiteral("%1: record %2: %3").arg(csvPath).arg(r + 2).arg(insert.lastError().text()));
    }
    return int(csv.rows.size());
}

} // namespace

QStringList splitSqlScript(const QString& script)
{
    QStringList statements;
    QString current;
    bool inString = false;
    const QStringList lines = script.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (!inString) {
            const int comment = line.indexOf(QStringLiteral("--"));
            if (comment >= 0)
                line.truncate(comment);
        }
        for (QChar c : line) {
            if (c == QLatin1Char('\''))
                inString = !inString;
            if (c == QLatin1Char(';') && !inString) {
                if (!current.trimmed().isEmpty())
                    statements << current.trimmed();
                current.clear();
            } else {
                current += c;
            }
        }
        current += QLatin1Char('\n');
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

BuildReport buildDatabase(const QString& schemaPath, const QStringList& tableDirs, const QString& outputPath)
{
    const QString temporary = outputPath + QStringLiteral(".part");
    QFile::remove(temporary);
    BuildReport report;
    {
        Connection connection(temporary);
        QSqlDatabase db = connection.db();
        for (const QString& statement : splitSqlScript(readText(schemaPath)))
            exec(db, statement, schemaPath);
        if (!db.transaction())
            fail(db.lastError().text());
        for (const QString& dir : tableDirs) {
            const QFileInfoList files = QDir(dir).entryInfoList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
            for (const QFileInfo& file : files) {
                report.rows += loadTable(db, file.absoluteFilePath());
                ++report.tables;
            }
        }
        if (!db.commit())
            fail(db.lastError().text());
        exec(db, QStringLiteral("ANALYZE"), schemaPath);
    }
    QFile::remove(outputPath);
    if (!QFile::rename(temporary, outputPath))
        fail(QStringLiteral("cannot move %1 to %2").arg(temporary, outputPath));
    return report;
}

} // namespace korvel::build
