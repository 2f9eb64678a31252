#include "Query.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlDriver>
#include <QStringView>

#include <sqlite3.h>

namespace korvel {

Query::Query(const QString& name, const QStringList& lines, const QString& connectionName, QObject* parent)
    : QObject(parent), m_name(name), m_lines(lines), m_connection(connectionName)
{
    setObjectName(name);
}

Query::~Query() { releaseStatement(); }

void Query::setLines(const QStringList& lines)
{
    close();
    if (lines != m_lines)
        releaseStatement();
    m_lines = lines;
}

void Query::bind(const QString& parameter, const QVariant& value) { m_bindings.insert(parameter, value); }

void Query::releaseStatement()
{
    if (m_statement)
        sqlite3_finalize(m_statement);
    m_statement = nullptr;
    m_statementHandle = nullptr;
    m_parameters.clear();
}

bool Query::fail(const QString& error)
{
    m_lastError = error;
    m_rows.clear();
    m_columns.clear();
    emit changed();
    return false;
}

namespace {

sqlite3* sqliteHandle(const QSqlDatabase& db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

QString sqliteError(sqlite3* db) { return QString::fromUtf8(sqlite3_errmsg(db)); }

// Binds as Qt's SQLite driver does: NULL for null values, numbers as numbers,
// texts (and anything else, as its text) as UTF-16 text.
int bindValue(sqlite3_stmt* statement, int index, const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return sqlite3_bind_null(statement, index);
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
        return sqlite3_bind_int(statement, index, value.toInt());
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Long:
        return sqlite3_bind_int64(statement, index, value.toLongLong());
    case QMetaType::ULongLong:
    case QMetaType::ULong:
        return sqlite3_bind_int64(statement, index, qint64(value.toULongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(statement, index, value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return sqlite3_bind_blob(statement, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    }
    default: {
        const QString text = value.toString();
        if (text.isNull())
            return sqlite3_bind_null(statement, index);
        return sqlite3_bind_text16(statement, index, text.utf16(), int(text.size() * sizeof(QChar)), SQLITE_TRANSIENT);
    }
    }
}

QVariant columnValue(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement, column));
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, column)),
                          sqlite3_column_bytes(statement, column));
    default:
        return QString(reinterpret_cast<const QChar*>(sqlite3_column_text16(statement, column)),
                       sqlite3_column_bytes16(statement, column) / qsizetype(sizeof(QChar)));
    }
}

} // namespace

bool Query::compile(const QString& text)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    sqlite3* handle = sqliteHandle(db);
    if (m_statement && m_statementHandle == handle)
        return true;
    releaseStatement();
    if (!handle) {
        m_lastError = QStringLiteral("The database is not open");
        return false;
    }
    const void* rest = nullptr;
    if (sqlite3_prepare16_v2(handle, text.utf16(), int(text.size() * sizeof(QChar)), &m_statement, &rest) != SQLITE_OK) {
        m_lastError = sqliteError(handle);
        releaseStatement();
        return false;
    }
    if (!m_statement) {
        m_lastError = QStringLiteral("The statement is empty");
        return false;
    }
    // One statement only, as Qt's driver demands.
    const qsizetype used = rest ? static_cast<const char16_t*>(rest) - reinterpret_cast<const char16_t*>(text.utf16()) : text.size();
    if (!QStringView(text).mid(used).trimmed().isEmpty()) {
        m_lastError = QStringLiteral("Unable to execute multiple statements at a time");
        releaseStatement();
        return false;
    }
    m_statementHandle = handle;
    const int count = sqlite3_bind_parameter_count(m_statement);
    for (int i = 1; i <= count; ++i) {
        const char* name = sqlite3_bind_parameter_name(m_statement, i);
        m_parameters << (name ? QString::fromUtf8(name + 1) : QString());
    }
    return true;
}

bool Query::open()
{
    close();
    emit aboutToChange();
    m_lastError.clear();
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.isOpen())
        return fail(QStringLiteral("The database is not open"));
    if (!compile(sql()))
        return fail(m_lastError);

    sqlite3* handle = static_cast<sqlite3*>(m_statementHandle);
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    // Every parameter of the statement is bound; unbound ones are NULL.
    for (int i = 0; i < m_parameters.size(); ++i) {
        if (bindValue(m_statement, i + 1, m_bindings.value(m_parameters[i])) != SQLITE_OK)
            return fail(sqliteError(handle));
    }
    // The names are read after the first step: a kept "SELECT *" compiled before
    // the table changed is compiled again by that step and may have other columns.
    int step = sqlite3_step(m_statement);
    const int columns = sqlite3_column_count(m_statement);
    m_columns.clear();
    for (int c = 0; c < columns; ++c)
        m_columns << QString::fromUtf8(sqlite3_column_name(m_statement, c));
    for (; step == SQLITE_ROW; step = sqlite3_step(m_statement)) {
        QVector<QVariant> row(columns);
        for (int c = 0; c < columns; ++c)
            row[c] = columnValue(m_statement, c);
        m_rows.append(std::move(row));
    }
    // A step that fails part-way (a damaged page, a busy file) leaves no rows.
    if (step != SQLITE_DONE) {
        const QString error = sqliteError(handle);
        sqlite3_reset(m_statement);
        return fail(error);
    }
    // Reset at once, so a kept statement holds no read lock on the file.
    sqlite3_reset(m_statement);
    m_open = true;
    m_current = m_rows.isEmpty() ? -1 : 0;
    emit changed();
    emit currentRowChanged(m_current);
    return true;
}

void Query::close()
{
    if (!m_open && m_rows.isEmpty() && m_columns.isEmpty())
        return;
    emit aboutToChange();
    m_open = false;
    m_rows.clear();
    m_columns.clear();
    m_marks.clear();
    m_current = -1;
    emit changed();
    emit currentRowChanged(-1);
}

int Query::columnIndex(const QString& name) const
{
    for (int c = 0; c < m_columns.size(); ++c) {
        if (m_columns[c].compare(name, Qt::CaseInsensitive) == 0)
            return c;
    }
    return -1;
}

QVariant Query::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns.size())
        return {};
    return m_rows[row][column];
}

void Query::setCurrentRow(int row)
{
    if (row < -1 || row >= m_rows.size() || row == m_current)
        return;
    m_current = row;
    emit currentRowChanged(row);
}

bool Query::locate(const QString& column, const QVariant& wanted)
{
    const int c = columnIndex(column);
    for (int r = 0; r < m_rows.size(); ++r) {
        if (m_rows[r][c] == wanted) {
            setCurrentRow(r);
            return true;
        }
    }
    return false;
}

void Query::setDisplayFormat(const QString& column, const QString& format)
{
    m_formats.insert(column.toUpper(), format);
}

QString Query::displayFormat(int column) const
{
    if (column < 0 || column >= m_columns.size())
        return {};
    return m_formats.value(m_columns[column].toUpper());
}

void Query::setCellMarks(const CellMarks& marks)
{
    emit aboutToChange();
    m_marks.clear();
    for (auto it = marks.cbegin(); it != marks.cend(); ++it) {
        const auto [row, column] = it.key();
        if (row >= 0 && row < rowCount() && column >= 0 && column < columnCount() && !it.value().isEmpty())
            m_marks.insert(it.key(), it.value());
    }
    emit changed();
}

} // namespace korvel
