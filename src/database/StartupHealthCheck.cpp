#include "StartupHealthCheck.h"

#include "QueryCatalogue.h"
#include "SchemaCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

namespace korvel {
namespace {

sqlite3* handleOf(const QSqlDatabase& db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

bool isBusy(int code)
{
    code &= 0xFF;
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

// A statement run to its end on the C API: the rows as texts, or the error code.
struct Rows {
    QList<QStringList> rows;
    int code = SQLITE_OK;
    QString error;
};

Rows select(sqlite3* db, const QString& sql)
{
    Rows out;
    sqlite3_stmt* statement = nullptr;
    out.code = sqlite3_prepare16_v2(db, sql.utf16(), int(sql.size() * sizeof(QChar)), &statement, nullptr);
    if (out.code == SQLITE_OK) {
        while ((out.code = sqlite3_step(statement)) == SQLITE_ROW) {
            QStringList row;
            for (int c = 0; c < sqlite3_column_count(statement); ++c)
                row << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, c)));
            out.rows << row;
        }
        if (out.code == SQLITE_DONE)
            out.code = SQLITE_OK;
    }
    if (out.code != SQLITE_OK)
        out.error = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(statement);
    return out;
}

QString quoted(const QString& identifier)
{
    return QLatin1Char('"') + QString(identifier).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

bool isComputedTable(const QString& table)
{
    for (int n = 1; n <= 4; ++n) {
        if (table.compare(catalogue::viscosityTable(n), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString notANumber(const QStringList& columns)
{
    QStringList tests;
    for (const QString& c : columns)
        tests << QStringLiteral("typeof(%1) IN ('text', 'blob')").arg(quoted(c));
    return tests.join(QStringLiteral(" OR "));
}

} // namespace

StartupHealthCheck::StartupHealthCheck(const QString& databaseDir, const QString& databaseFile, const QString& connectionName)
    : m_dir(databaseDir), m_file(databaseFile), m_connection(connectionName)
{
}

void StartupHealthCheck::run(qint64 checkedAtStartBytes)
{
    *this = StartupHealthCheck(m_dir, m_file, m_connection);
    const QFileInfo dir(m_dir);
    if (!dir.isDir()) {
        m_openProblem = dir.exists()
                            ? QStringLiteral("The database folder %1 is a file, not a folder: name the folder that holds "
                                             "korvel3.sqlite.").arg(m_dir)
                            : QStringLiteral("The database folder %1 does not exist.").arg(m_dir);
        compose();
        return;
    }
    if (!QFileInfo(m_file).isFile()) {
        m_openProblem = QStringLiteral("The property database %1 does not exist.").arg(m_file);
        compose();
        return;
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.isOpen()) {
        m_openProblem = QStringLiteral("The property database %1 could not be opened: %2").arg(m_file, db.lastError().text());
        compose();
        return;
    }
    m_integrityPending = true;
    m_valuesPending = true;
    if (QFileInfo(m_file).size() <= checkedAtStartBytes) {
        finishDeferred();
        return;
    }
    // A large file: only what costs the same for any size is checked now.
    if (checkTablesAndColumns() == Outcome::Busy) {
        m_busyProblem = busyText();
    }
    compose();
}

QString StartupHealthCheck::finishDeferred()
{
    if (!deferred())
        return {};
    const QString before = m_problem;
    m_busyProblem.clear();
    if (m_integrityPending && checkIntegrity() == Outcome::Busy)
        m_busyProblem = busyText();
    if (!m_integrityPending && m_damage.isEmpty() && m_busyProblem.isEmpty()) {
        if (checkTablesAndColumns() == Outcome::Busy)
            m_busyProblem = busyText();
        else if (m_structureProblem.isEmpty() && m_valuesPending && checkValues() == Outcome::Busy)
            m_busyProblem = busyText();
    }
    if (!m_damage.isEmpty() || !m_structureProblem.isEmpty())
        m_valuesPending = false; // nothing more to learn from the values
    compose();
    return m_problem == before ? QString() : m_problem;
}

StartupHealthCheck::Outcome StartupHealthCheck::checkIntegrity()
{
    // Damaged pages: the file is still browsed as far as it can be read, but the
    // program never writes into it (a write could spread the damage).
    sqlite3* db = handleOf(QSqlDatabase::database(m_connection, false));
    const Rows check = select(db, QStringLiteral("PRAGMA quick_check(5)"));
    if (isBusy(check.code))
        return Outcome::Busy;
    m_integrityPending = false;
    m_damage.clear();
    for (const QStringList& row : check.rows) {
        if (row.value(0) != QLatin1String("ok"))
            m_damage << row.value(0);
    }
    if (check.code != SQLITE_OK)
        m_damage << check.error;
    return Outcome::Done;
}

StartupHealthCheck::Outcome StartupHealthCheck::checkTablesAndColumns()
{
    QSqlDatabase qdb = QSqlDatabase::database(m_connection, false);
    const Rows tables = select(handleOf(qdb), QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    if (isBusy(tables.code))
        return Outcome::Busy;
    m_structureProblem.clear();
    if (tables.code != SQLITE_OK) {
        m_structureProblem = QStringLiteral("The property database %1 could not be read: %2").arg(m_file, tables.error);
        return Outcome::Done;
    }
    QSet<QString> present;
    for (const QStringList& row : tables.rows)
        present.insert(row.value(0).toUpper());
    QStringList missing;
    for (const SchemaTable& table : schemaTables()) {
        if (!table.optional && !present.contains(table.name.toUpper()))
            missing << table.name;
    }
    if (!missing.isEmpty()) {
        m_structureProblem = QStringLiteral("The property database %1 lacks the table(s) %2.")
                                 .arg(m_file, missing.join(QStringLiteral(", ")));
        return Outcome::Done;
    }
    const QString mismatch = catalogueMismatch();
    if (!mismatch.isEmpty())
        m_structureProblem = QStringLiteral("The property database %1 does not have the columns the program reads: %2.")
                                 .arg(m_file, mismatch);
    return Outcome::Done;
}

// Every statement of the catalogue is compiled against the file: SQLite then
// names each column or table a statement needs and the file lacks. They are
// compiled on SQLite's own interface (as the driver would compile them, with
// the same messages), which skips the driver's bookkeeping of every probe.
QString StartupHealthCheck::catalogueMismatch() const
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    // A file with the program's own tables compiles every statement, as the
    // program's tests show: only other files are checked statement by statement.
    if (schemaIsTheProgramsOwn(db))
        return {};
    sqlite3* handle = handleOf(db);
    if (!handle)
        return QStringLiteral("no connection");
    const auto compileError = [handle](const QString& sql) -> QString {
        sqlite3_stmt* statement = nullptr;
        const int code = sqlite3_prepare16_v2(handle, sql.utf16(), int(sql.size() * sizeof(QChar)), &statement, nullptr);
        const QString error = code == SQLITE_OK ? QString() : QString::fromUtf8(sqlite3_errmsg(handle));
        sqlite3_finalize(statement);
        return code == SQLITE_OK ? QString() : (error.isEmpty() ? QStringLiteral("error %1").arg(code) : error);
    };
    QStringList problems;
    for (const CatalogueEntry& entry : catalogue::entries()) {
        if (entry.query == QLatin1String("qrPublikacje"))
            continue; // rebuilt before every opening
        const QString error = compileError(entry.lines.join(QLatin1Char('\n')));
        if (!error.isNull())
            problems << QStringLiteral("%1 (%2)").arg(entry.query, error);
    }
    for (int n = 1; n <= 4; ++n) {
        const QString error =
            compileError(QStringLiteral("INSERT INTO %1 (X, VISCO, UKLAD) VALUES (?, ?, ?)").arg(catalogue::viscosityTable(n)));
        if (!error.isNull())
            problems << QStringLiteral("%1 (%2)").arg(catalogue::viscosityTable(n), error);
    }
    return problems.join(QStringLiteral(", "));
}

// A text or a blob where the schema declares a number would be read as 0: such
// rows are named, and hidden from every statement of the catalogue by a view of
// the same name in the connection's own temporary schema (which a name without
// schema finds first), so nothing is drawn from them and the file is not touched.
StartupHealthCheck::Outcome StartupHealthCheck::checkValues()
{
    sqlite3* db = handleOf(QSqlDatabase::database(m_connection, false));
    QStringList named;
    QStringList badTables;
    for (const SchemaTable& table : schemaTables()) {
        if (table.numericColumns.isEmpty() || isComputedTable(table.name))
            continue;
        QStringList cases;
        for (const QString& c : table.numericColumns)
            cases << QStringLiteral("WHEN typeof(%1) IN ('text', 'blob') THEN '%2'").arg(quoted(c), c);
        const Rows bad = select(db, QStringLiteral("SELECT rowid, CASE %1 END FROM main.%2 WHERE %3 LIMIT %4")
                                        .arg(cases.join(QLatin1Char(' ')), quoted(table.name), notANumber(table.numericColumns))
                                        .arg(MaxNamedValues));
        if (isBusy(bad.code))
            return Outcome::Busy;
        if (bad.code != SQLITE_OK)
            continue; // the structure check names what the file lacks
        if (bad.rows.isEmpty())
            continue;
        badTables << table.name;
        for (const QStringList& row : bad.rows) {
            if (named.size() < MaxNamedValues)
                named << QStringLiteral("%1 row %2 (%3)").arg(table.name, row.value(0), row.value(1));
        }
    }
    m_valuesPending = false;
    m_badValues = named;
    m_badTables = badTables;
    hideBadRows();
    return Outcome::Done;
}

void StartupHealthCheck::hideBadRows()
{
    sqlite3* db = handleOf(QSqlDatabase::database(m_connection, false));
    for (const SchemaTable& table : schemaTables()) {
        if (!m_badTables.contains(table.name))
            continue;
        const QString sql = QStringLiteral("CREATE TEMP VIEW IF NOT EXISTS %1 AS SELECT * FROM main.%1 WHERE NOT (%2)")
                                .arg(quoted(table.name), notANumber(table.numericColumns));
        sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    }
}

QString StartupHealthCheck::busyText() const
{
    return QStringLiteral("The property database %1 is in use by another program (another copy of Korvel 3?) and "
                          "stayed busy while the program waited for it. It is checked again before its values are "
                          "read or anything is written into it.").arg(m_file);
}

QString StartupHealthCheck::damageText() const
{
    return QStringLiteral("The property database %1 is damaged (%2). It is shown as far as it can be read, but "
                          "nothing will be written into it.").arg(m_file, m_damage.join(QStringLiteral("; ")));
}

QString StartupHealthCheck::valuesText() const
{
    return QStringLiteral("The property database %1 holds values that are not numbers where numbers belong: %2. "
                          "Those rows are left out of every list, chart and export.")
        .arg(m_file, m_badValues.join(QStringLiteral(", ")));
}

void StartupHealthCheck::compose()
{
    if (!m_openProblem.isEmpty())
        m_problem = m_openProblem;
    else if (!m_busyProblem.isEmpty())
        m_problem = m_busyProblem;
    else if (!m_damage.isEmpty())
        m_problem = damageText();
    else if (!m_structureProblem.isEmpty())
        m_problem = m_structureProblem;
    else if (!m_badValues.isEmpty())
        m_problem = valuesText();
    else
        m_problem.clear();
}

QString StartupHealthCheck::writeRefusal() const
{
    if (!m_damage.isEmpty())
        return QStringLiteral("The property database %1 is damaged, so the program does not write into it.").arg(m_file);
    if (m_integrityPending && m_openProblem.isEmpty())
        return QStringLiteral("The property database %1 is in use by another program, so its integrity could not be "
                              "checked and nothing was written into it. Try again when it has finished.").arg(m_file);
    return {};
}

} // namespace korvel
