#pragma once
// The tables and columns of the property database as its schema script
// creates them: declared types, NOT NULL and key columns, unique keys, and
// which columns an imported table must have.
#include <QList>
#include <QString>
#include <QStringList>

namespace korvel::import {

// SQLite's type affinity of a declared column type.
enum class Affinity { Integer, Real, Text, None };
Affinity affinityOf(const QString& declaredType);

struct SchemaColumn {
    QString name;
    QString declaredType;
    Affinity affinity = Affinity::None;
    bool notNull = false;
    bool primaryKey = false;
    // An imported table lacking a required column is refused.
    bool required = true;
};

struct SchemaTable {
    QString name;
    QList<SchemaColumn> columns;
    // Column sets whose values may occur only once (primary and unique keys).
    QList<QStringList> uniqueKeys;

    // Index of the column of that name, compared without regard to case; -1 if none.
    int columnIndex(const QString& name) const;
};

class Schema {
public:
    // Runs the script in a private in-memory database and reads the tables
    // back; throws std::runtime_error when a statement fails.
    static Schema fromScript(const QString& script);
    // The schema of the shipped database, built into the program.
    static const Schema& builtIn();

    const QString& script() const { return m_script; }
    const QList<SchemaTable>& tables() const { return m_tables; }
    // The table of that name, compared without regard to case; null if none.
    const SchemaTable* table(const QString& name) const;

private:
    QString m_script;
    QList<SchemaTable> m_tables;
};

} // namespace korvel::import
