#pragma once
// A named statement with ":name" parameters, its result rows held in memory and
// a current row. A parameter name that occurs several times is one value.
// open() reports failure to the caller; the data module decides whether a
// failure is silent or shown.
#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace korvel {

class Query : public QObject {
    Q_OBJECT
public:
    Query(const QString& name, const QStringList& lines, const QString& connectionName, QObject* parent = nullptr);

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

signals:
    void aboutToChange();
    void changed();          // opened, closed or statement replaced
    void currentRowChanged(int row);

private:
    QString m_name;
    QStringList m_lines;
    QString m_connection;
    QHash<QString, QVariant> m_bindings;
    QHash<QString, QString> m_formats; // upper-case column name -> format
    bool m_open = false;
    QString m_lastError;
    QStringList m_columns;
    QList<QVector<QVariant>> m_rows;
    int m_current = -1;
};

} // namespace korvel
