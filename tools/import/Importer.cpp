#include "Importer.h"

#include "DatabaseBuilder.h"
#include "ReferenceChecks.h"
#include "ScopedConnection.h"
#include "ValueRules.h"
#include "Interruption.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <cerrno>
#include <filesystem>
#include <signal.h>
#include <sqlite3.h>
#include <stdexcept>
#include <unistd.h>

namespace korvel::import {
namespace {

[[noreturn]] void fail(const QString& message) { throw std::runtime_error(message.toStdString()); }

// The temporary output of a run is OUTPUT.<process id>-<random>.part (and,
// while it is written, SQLite's OUTPUT.<...>.part-journal beside it). They are
// removed unless the file has been moved into place; what a killed run left is
// removed by the next run on the same output, once its process is gone.
class TemporaryOutput {
public:
    explicit TemporaryOutput(const QString& outputPath)
        : m_path(QStringLiteral("%1.%2-%3.part")
                     .arg(outputPath).arg(qint64(::getpid()))
                     .arg(QUuid::createUuid().toString(QUuid::Id128).left(8)))
    {
        removeLeftovers(outputPath);
    }
    ~TemporaryOutput()
    {
        if (!m_kept)
            QFile::remove(m_path);
        QFile::remove(m_path + QStringLiteral("-journal"));
    }
    const QString& path() const { return m_path; }
    void moveTo(const QString& outputPath)
    {
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(m_path).toStdString(), QFile::encodeName(outputPath).toStdString(), error);
        if (error)
            fail(QStringLiteral("%1: cannot be written: %2").arg(outputPath, QString::fromLocal8Bit(error.message().c_str())));
        m_kept = true;
    }

private:
    static void removeLeftovers(const QString& outputPath)
    {
        const QFileInfo output(outputPath);
        static const QRegularExpression name(QStringLiteral("^\\.(\\d+)-[0-9a-f]{8}\\.part(-journal)?$"));
        const QStringList candidates = output.absoluteDir().entryList({output.fileName() + QStringLiteral(".*.part*")},
                                                                      QDir::Files | QDir::Hidden);
        for (const QString& candidate : candidates) {
            const QRegularExpressionMatch m = name.match(candidate.mid(output.fileName().size()));
            if (!m.hasMatch())
                continue;
            const pid_t pid = pid_t(m.captured(1).toLongLong());
            if (pid == ::getpid() || (::kill(pid, 0) == 0 || errno != ESRCH))
                continue; // a run still going (or one we cannot tell about)
            QFile::remove(output.absoluteDir().filePath(candidate));
        }
    }

    QString m_path;
    bool m_kept = false;
};

// SQLite checks for a signal every so many steps of a long statement.
int stopOnSignal(void*) { return interruptSignal() != 0; }

void watchForSignals(QSqlDatabase& db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        sqlite3_progress_handler(*static_cast<sqlite3* const*>(handle.constData()), 10000, stopOnSignal, nullptr);
}

void exec(QSqlDatabase& db, const QString& sql, const QString& context)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        fail(QStringLiteral("%1: %2").arg(context, q.lastError().text()));
}

QSet<QString> objectNames(QSqlDatabase& db)
{
    QSet<QString> names;
    QSqlQuery q(db);
    q.exec(QStringLiteral("SELECT name FROM sqlite_master"));
    while (q.next())
        names.insert(q.value(0).toString().toUpper());
    return names;
}

// Creates the schema in a new database, or the objects a base lacks.
void prepareSchema(QSqlDatabase& db, const Schema& schema, bool onBase, const QString& context)
{
    static const QRegularExpression created(QStringLiteral("^CREATE\\s+(?:UNIQUE\\s+)?(?:TABLE|INDEX)\\s+(\\w+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QSet<QString> present = onBase ? objectNames(db) : QSet<QString>();
    for (const QString& statement : build::splitSqlScript(schema.script())) {
        const QRegularExpressionMatch m = created.match(statement);
        if (onBase && m.hasMatch() && present.contains(m.captured(1).toUpper()))
            continue;
        exec(db, statement, context);
    }
}

QStringList tableColumns(QSqlDatabase& db, const QString& table)
{
    QStringList names;
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quotedIdentifier(table)));
    while (q.next())
        names << q.value(1).toString();
    return names;
}

bool containsName(const QStringList& names, const QString& name)
{
    return names.contains(name, Qt::CaseInsensitive);
}

// How the columns of one source land in its table.
struct ColumnPlan {
    int source = -1;                    // index in the source row
    QString target;                     // column name in the database
    const SchemaColumn* schema = nullptr; // null for an extra column
};

struct TablePlan {
    const SourceTable* source = nullptr;
    const SchemaTable* schema = nullptr; // null for an extra table
    QString table;                       // name in the database
    QList<ColumnPlan> columns;
    TableReport report;
};

// Checks every source against the schema before anything is written; all
// errors are reported together.
QList<TablePlan> planTables(const QList<SourceTable>& sources, const Schema& schema)
{
    QList<TablePlan> plans;
    QStringList errors;
    QHash<QString, QString> fileOfTable;
    for (const SourceTable& source : sources) {
        TablePlan plan;
        plan.source = &source;
        plan.schema = schema.table(source.table);
        plan.table = plan.schema ? plan.schema->name : source.table;
        plan.report.file = source.file;
        plan.report.table = plan.table;
        plan.report.extraTable = plan.schema == nullptr;
        const QString key = plan.table.toUpper();
        if (fileOfTable.contains(key)) {
            errors << QStringLiteral("%1: table %2 is also given by %3").arg(source.file, plan.table, fileOfTable.value(key));
            continue;
        }
        fileOfTable.insert(key, source.file);
        if (!plan.schema && plan.table.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive)) {
            errors << QStringLiteral("%1: %2 is a name the database engine keeps for itself").arg(source.file, plan.table);
            continue;
        }
        if (plan.schema) {
            for (const SchemaColumn& column : plan.schema->columns) {
                bool found = false;
                for (const SourceColumn& c : source.columns)
                    found = found || c.name.compare(column.name, Qt::CaseInsensitive) == 0;
                if (column.required && !found)
                    errors << QStringLiteral("%1: table %2 lacks the column %3").arg(source.file, plan.table, column.name);
            }
        } else {
            plan.report.notes << QStringLiteral("extra table kept");
        }
        for (int i = 0; i < source.columns.size(); ++i) {
            const SourceColumn& c = source.columns[i];
            const int s = plan.schema ? plan.schema->columnIndex(c.name) : -1;
            if (!c.unsupported.isEmpty()) {
                if (s >= 0)
                    errors << QStringLiteral("%1: column %2 of table %3: %4").arg(source.file, c.name, plan.table, c.unsupported);
                else
                    plan.report.notes << QStringLiteral("column %1 not kept: %2").arg(c.name, c.unsupported);
                continue;
            }
            ColumnPlan column;
            column.source = i;
            column.schema = s >= 0 ? &plan.schema->columns[s] : nullptr;
            column.target = column.schema ? column.schema->name : c.name;
            if (plan.schema && !column.schema)
                plan.report.notes << QStringLiteral("extra column %1 kept").arg(c.name);
            plan.columns << column;
        }
        plans << plan;
    }
    if (!errors.isEmpty())
        fail(errors.join(QLatin1Char('\n')));
    return plans;
}

// Creates an extra table, or adds the extra columns a table lacks.
void prepareTable(QSqlDatabase& db, const TablePlan& plan)
{
    const QStringList existing = tableColumns(db, plan.table);
    auto definition = [&](const ColumnPlan& c) {
        const QString type = plan.source->columns[c.source].sqlType;
        return quotedIdentifier(c.target) + (type.isEmpty() ? QString() : QLatin1Char(' ') + type);
    };
    if (existing.isEmpty()) {
        QStringList columns;
        for (const ColumnPlan& c : plan.columns)
            columns << definition(c);
        if (columns.isEmpty())
            fail(QStringLiteral("%1: no column of table %2 can be imported").arg(plan.source->file, plan.table));
        exec(db, QStringLiteral("CREATE TABLE %1 (%2)").arg(quotedIdentifier(plan.table), columns.join(QStringLiteral(", "))),
             plan.source->file);
        return;
    }
    for (const ColumnPlan& c : plan.columns) {
        if (!containsName(existing, c.target))
            exec(db, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(quotedIdentifier(plan.table), definition(c)),
                 plan.source->file);
    }
}

QString keyText(const QStringList& columns, const QVariantList& values)
{
    QStringList parts;
    for (int i = 0; i < columns.size(); ++i)
        parts << columns[i] + QLatin1Char(' ') + describeValue(values[i]);
    return parts.join(QStringLiteral(", "));
}

// Writes the rows of one source; rejected rows are reported with the reason.
void writeRows(QSqlDatabase& db, TablePlan& plan, RowOrigins& origins)
{
    QStringList names;
    QStringList marks;
    for (const ColumnPlan& c : plan.columns) {
        names << quotedIdentifier(c.target);
        marks << QStringLiteral("?");
    }
    QSqlQuery insert(db);
    if (!insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(quotedIdentifier(plan.table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))))
        fail(QStringLiteral("%1: %2").arg(plan.source->file, insert.lastError().text()));

    // The keys to keep unique, as far as this source supplies their columns.
    struct Key {
        QStringList columns;
        QList<int> positions; // in plan.columns
        std::unique_ptr<QSqlQuery> lookup;
    };
    std::vector<Key> keys;
    if (plan.schema) {
        for (const QStringList& keyColumns : plan.schema->uniqueKeys) {
            Key key;
            key.columns = keyColumns;
            QStringList conditions;
            for (const QString& column : keyColumns) {
                for (int p = 0; p < plan.columns.size(); ++p) {
                    if (plan.columns[p].target == column)
                        key.positions << p;
                }
                conditions << quotedIdentifier(column) + QStringLiteral(" = ?");
            }
            if (key.positions.size() != keyColumns.size())
                continue;
            key.lookup = std::make_unique<QSqlQuery>(db);
            key.lookup->prepare(QStringLiteral("SELECT rowid FROM %1 WHERE %2")
                                    .arg(quotedIdentifier(plan.table), conditions.join(QStringLiteral(" AND "))));
            keys.push_back(std::move(key));
        }
    }

    QHash<qint64, int>& written = origins.rowsOf(plan.table, plan.source->file);
    plan.source->forEachRow([&](const SourceRow& row) {
        throwIfInterrupted();
        ++plan.report.read;
        QStringList problems;
        if (!row.problem.isEmpty())
            problems << row.problem;
        QVariantList values;
        for (const ColumnPlan& c : plan.columns) {
            const ColumnValue v = columnValue(c.source < row.values.size() ? row.values[c.source] : QVariant(), c.schema);
            if (!v.problem.isEmpty())
                problems << v.problem;
            values << v.value;
        }
        if (problems.isEmpty()) {
            for (Key& key : keys) {
                QVariantList keyValues;
                for (int p : key.positions)
                    keyValues << values[p];
                if (std::any_of(keyValues.cbegin(), keyValues.cend(), [](const QVariant& v) { return v.isNull(); }))
                    continue;
                for (int i = 0; i < keyValues.size(); ++i)
                    key.lookup->bindValue(i, keyValues[i]);
                if (key.lookup->exec() && key.lookup->next()) {
                    const qint64 rowid = key.lookup->value(0).toLongLong();
                    if (written.contains(rowid))
                        problems << QStringLiteral("%1 repeats record %2").arg(keyText(key.columns, keyValues)).arg(written.value(rowid));
                    else
                        problems << QStringLiteral("%1 is already in the base; its row is kept").arg(keyText(key.columns, keyValues));
                }
                key.lookup->finish();
            }
        }
        if (problems.isEmpty()) {
            for (int i = 0; i < values.size(); ++i)
                insert.bindValue(i, values[i]);
            if (insert.exec())
                written.insert(insert.lastInsertId().toLongLong(), row.record);
            else
                problems << insert.lastError().databaseText();
        }
        if (problems.isEmpty())
            ++plan.report.written;
        else
            plan.report.rejected << QStringLiteral("record %1: %2").arg(row.record).arg(problems.join(QStringLiteral("; ")));
    });
}

} // namespace

ImportReport importTables(const QList<SourceTable>& sources, const QString& outputPath, const ImportOptions& options,
                          const Schema& schema)
{
    const QFileInfo output(outputPath);
    if (!output.absoluteDir().exists())
        fail(QStringLiteral("%1: the folder %2 does not exist").arg(outputPath, output.absolutePath()));
    if (output.isDir())
        fail(QStringLiteral("%1: is a folder; name the database file to write").arg(outputPath));
    // A read-only output is the user's way of keeping it: it is not replaced.
    if (output.exists() && (!output.isWritable() || !(output.permissions() & QFileDevice::WriteOwner)))
        fail(QStringLiteral("%1: is read-only; it is left as it is (make it writable or name another output file)")
                 .arg(outputPath));
    if (!options.basePath.isEmpty()) {
        const QFileInfo base(options.basePath);
        if (!base.isFile())
            fail(QStringLiteral("%1: no such file").arg(options.basePath));
        if (output.exists() && base.canonicalFilePath() == output.canonicalFilePath())
            fail(QStringLiteral("%1: the output would replace the base; name another output file").arg(outputPath));
    }
    QList<TablePlan> plans = planTables(sources, schema);

    ImportReport report;
    TemporaryOutput temporary(outputPath);
    {
        const bool onBase = !options.basePath.isEmpty();
        if (onBase && !QFile::copy(options.basePath, temporary.path()))
            fail(QStringLiteral("%1: cannot be copied to %2").arg(options.basePath, temporary.path()));
        throwIfInterrupted();
        ScopedConnection connection(temporary.path());
        QSqlDatabase db = connection.db();
        watchForSignals(db);
        {
            QSqlQuery probe(db);
            if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
                fail(QStringLiteral("%1: not a database: %2").arg(onBase ? options.basePath : outputPath, probe.lastError().text()));
        }
        if (!db.transaction())
            fail(QStringLiteral("%1: %2").arg(outputPath, db.lastError().text()));
        prepareSchema(db, schema, onBase, onBase ? options.basePath : QStringLiteral("schema"));

        RowOrigins origins;
        for (TablePlan& plan : plans) {
            prepareTable(db, plan);
            writeRows(db, plan, origins);
            report.tables << plan.report;
        }
        if (!onBase) {
            for (const SchemaTable& t : schema.tables()) {
                // The computed viscosity tables start empty whatever the files hold.
                if (t.name.startsWith(QLatin1String("VISCOSITY")))
                    continue;
                const bool supplied = std::any_of(plans.cbegin(), plans.cend(), [&](const TablePlan& p) { return p.schema == &t; });
                if (!supplied)
                    report.absentTables << t.name;
            }
        }
        if (options.strict) {
            for (const TableReport& t : std::as_const(report.tables)) {
                for (const QString& r : t.rejected)
                    report.addProblem(QStringLiteral("%1: %2").arg(t.file, r));
            }
        }
        throwIfInterrupted();
        checkReferences(db, origins, [&report](const QString& problem) { report.addProblem(problem); });
        throwIfInterrupted();

        if (options.strict && report.problemCount > 0) {
            db.rollback();
            return report;
        }
        if (!db.commit())
            fail(QStringLiteral("%1: %2").arg(outputPath, db.lastError().text()));
        exec(db, QStringLiteral("ANALYZE"), outputPath);
    }
    throwIfInterrupted();
    temporary.moveTo(outputPath);
    report.written = true;
    return report;
}

void ImportReport::addProblem(const QString& problem)
{
    ++problemCount;
    if (problems.size() < MaxProblemsInMemory) {
        problems << problem;
        return;
    }
    if (!moreProblems) {
        moreProblems = std::make_shared<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/korvel3-import-problems-XXXXXX"));
        if (!moreProblems->open())
            fail(QStringLiteral("%1: cannot keep the list of problems: %2")
                     .arg(moreProblems->fileTemplate(), moreProblems->errorString()));
    }
    const QByteArray line = problem.toUtf8() + '\n';
    if (moreProblems->write(line) != line.size())
        fail(QStringLiteral("%1: cannot keep the list of problems: %2")
                 .arg(moreProblems->fileName(), moreProblems->errorString()));
}

void ImportReport::forEachProblem(const std::function<void(const QString&)>& visit) const
{
    for (const QString& p : problems)
        visit(p);
    if (!moreProblems)
        return;
    if (!moreProblems->flush() || !moreProblems->seek(0))
        fail(QStringLiteral("%1: cannot read back the list of problems: %2")
                 .arg(moreProblems->fileName(), moreProblems->errorString()));
    qint64 read = qint64(problems.size());
    while (!moreProblems->atEnd()) {
        QByteArray line = moreProblems->readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        visit(QString::fromUtf8(line));
        ++read;
    }
    if (read != problemCount)
        fail(QStringLiteral("%1: the list of problems was cut short (%2 of %3 read back)")
                 .arg(moreProblems->fileName()).arg(read).arg(problemCount));
}

void writeReport(const ImportReport& report, QTextStream& out)
{
    for (const TableReport& t : report.tables) {
        out << QStringLiteral("%1 -> %2: %3 read, %4 written, %5 rejected")
                   .arg(t.file, t.table).arg(t.read).arg(t.written).arg(t.rejectedCount())
            << '\n';
        for (const QString& note : t.notes)
            out << "  " << note << '\n';
        for (const QString& r : t.rejected)
            out << "  rejected " << r << '\n';
    }
    if (!report.absentTables.isEmpty())
        out << QStringLiteral("no file for the table(s) %1: left empty").arg(report.absentTables.join(QStringLiteral(", ")))
            << '\n';
    // Problems of a database that was written anyway (lenient rules) are warnings.
    const QString label = report.written ? QStringLiteral("warning: ") : QStringLiteral("problem: ");
    report.forEachProblem([&](const QString& p) { out << label << p << '\n'; });
}

QString reportText(const ImportReport& report)
{
    QString text;
    QTextStream out(&text);
    writeReport(report, out);
    out.flush();
    if (text.isEmpty())
        text = QStringLiteral("\n"); // as before: an empty report is one empty line
    return text;
}

} // namespace korvel::import
