#pragma once
// A named statement with ":name" parameters, its result rows held in memory and
// a current row. A parameter name that occurs several times is one value.
// open() reports failure to the caller; the data module decides whether a
// failure is silent or shown.
//
// The statement is compiled once and kept between openings (SQLite recompiles
// it by itself when the schema changes); each opening only binds and steps.
// Rows are read through SQLite's own interface on the connection's handle, with
// the values Qt's SQLite driver would give (integers as qint64, reals as
// double, texts as QString, NULL as a null QString).
#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVector>

struct sqlite3_stmt;

namespace korvel {

class Query : public QObject {
    Q_OBJECT
public:
    Query(const QString& name, const QStringList& lines, const QString& connectionName, QObject* parent = nullptr);
    ~Query() override;

    QString name() const { return m_name; }
    QStringList lines() const { return m_lines; }
    QString sql() const { return m_lines.join(QLatin1Char('\n')); }
    // Replaces the statement completely (the query is closed first).
    void setLines(const QStringList& lines);

    // Binds a parameter by its name without the colon; every occurrence takes this value.
    void bind(const QString& parameter, const QVariant& value);
    QVariant boundValue(const QString& parameter) const { return m_bindings.value(parameter); }
    void clearBindings() { m_bindings.clear(); }

    bool open();
    void close();
    // Drops the compiled statement; the connection's owner calls this before it
    // closes the connection (the next opening compiles it again).
    void releaseStatement();
    bool isOpen() const { return m_open; }
    QString lastError() const { return m_lastError; }

    int rowCount() const { return int(m_rows.size()); }
    int columnCount() const { return int(m_columns.size()); }
    QStringList columnNames() const { return m_columns; }
    // Case-insensitive; with duplicate names the first column wins; "TABLE.COLUMN" is not resolved.
    int columnIndex(const QString& name) const;
    QVariant value(int row, int column) const;
    QVariant value(int row, const QString& column) const { return value(row, columnIndex(column)); }

    // The current row: -1 when the query is closed or empty.
    int currentRow() const { return m_current; }
    void setCurrentRow(int row);
    QVariant field(const QString& column) const { return value(m_current, column); }
    // Moves to the first row whose column equals the value; false when none does.
    bool locate(const QString& column, const QVariant& value);

    // Display format of a column ("#.##"); applied by the data source.
    void setDisplayFormat(const QString& column, const QString& format);
    QString displayFormat(int column) const;

    // A note shown after a cell's value (a value computed outside the range of
    // its equation); cleared when the query is opened again or closed.
    using CellMarks = QHash<QPair<int, int>, QString>; // (row, column) -> mark
    void setCellMarks(const CellMarks& marks);
    QString cellMark(int row, int column) const { return m_marks.value({row, column}); }
    bool hasMarks() const { return !m_marks.isEmpty(); }

signals:
    void aboutToChange();
    void changed();          // opened, closed or statement replaced
    void currentRowChanged(int row);

private:
    bool fail(const QString& error);
    bool compile(const QString& text);

    QString m_name;
    QStringList m_lines;
    QString m_connection;
    QHash<QString, QVariant> m_bindings;
    QHash<QString, QString> m_formats; // upper-case column name -> format
    CellMarks m_marks;
    bool m_open = false;
    QString m_lastError;
    QStringList m_columns;
    QList<QVector<QVariant>> m_rows;
    int m_current = -1;
    sqlite3_stmt* m_statement = nullptr;
    void* m_statementHandle = nullptr; // the connection the statement was compiled on
    QStringList m_parameters;          // per bind index - 1, without the colon
};

} // namespace korvel
