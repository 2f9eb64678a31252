#include "Query.h"

#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace korvel {

Query::Query(const QString& name, const QStringList& lines, const QString& connectionName, QObject* parent)
    : QObject(parent), m_name(name), m_lines(lines), m_connection(connectionName)
{
    setObjectName(name);
}

void Query::setLines(const QStringList& lines)
{
    close();
    m_lines = lines;
}

void Query::bind(const QString& parameter, const QVariant& value) { m_bindings.insert(parameter, value); }

bool Query::open()
{
    close();
    emit aboutToChange();
    m_lastError.clear();
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.isOpen()) {
        m_lastError = QStringLiteral("The database is not open");
        emit changed();
        return false;
    }
    QSqlQuery query(db);
    query.setForwardOnly(true);
    const QString text = sql();
    if (!query.prepare(text)) {
        m_lastError = query.lastError().text();
        emit changed();
        return false;
    }
    // Bind every parameter that occurs in the statement; unbound ones are NULL.
    static const QRegularExpression parameterPattern(QStringLiteral(":([A-Za-z_][A-Za-z0-9_]*)"));
    QSet<QString> seen;
    for (auto it = parameterPattern.globalMatch(text); it.hasNext();) {
        const QString parameter = it.next().captured(1);
        if (seen.contains(parameter))
            continue;
        seen.insert(parameter);
        query.bindValue(QLatin1Char(':') + parameter, m_bindings.value(parameter));
    }
    if (!query.exec()) {
        m_lastError = query.lastError().text();
        emit changed();
        return false;
    }
    const QSqlRecord record = query.record();
    m_columns.clear();
    for (int c = 0; c < record.count(); ++c)
        m_columns << record.fieldName(c);
    while (query.next()) {
        QVector<QVariant> row(m_columns.size());
        for (int c = 0; c < m_columns.size(); ++c)
            row[c] = query.value(c);
        m_rows.append(std::move(row));
    }
    // A step that fails part-way (a damaged page) ends the loop like the last row.
    if (query.lastError().isValid()) {
        m_lastError = query.lastError().text();
        m_rows.clear();
        m_columns.clear();
        emit changed();
        return false;
    }
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

} // namespace korvel
