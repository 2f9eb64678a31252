#pragma once
// Writes the four computed viscosity tables (VISCOSITY .. VISCOSITY4): checks
// that a slot's table can be written, replaces its rows in one transaction and
// turns SQLite's failures into messages in words. A second program writing the
// same file is waited for (the connection's busy time-out) and then reported.
#include <QList>
#include <QString>

#include <functional>

class QSqlError;

namespace korvel {

class ViscosityTableWriter {
public:
    struct Row {
        QString label;
        double value = 0;
        double x = 0;
    };

    ViscosityTableWriter(const QString& connectionName, const QString& databaseFile);

    // Throws std::runtime_error (in words) when the table of slot n is missing,
    // the database is not open or refusal (why the file may not be written) is set.
    void check(int n, const QString& refusal) const;
    // One row into slot n's table, inside the caller's transaction if any.
    void append(int n, const Row& row) const;
    // Empties slot n's table and writes the rows in one transaction. readBack
    // runs after the rows are written and before the commit, so what it reads is
    // exactly what this connection wrote, whatever another program writes into
    // the same file after the commit. When the write or the commit fails, the
    // table is left as it was, restored() runs if readBack had run (to read
    // the table again) and the failure is thrown in words.
    void replace(int n, const QList<Row>& rows, const std::function<void()>& readBack,
                 const std::function<void()>& restored) const;

    [[noreturn]] void throwWriteFailure(const QSqlError& error) const;

    // How long a write waits for another program (a second instance) holding the
    // database before it gives up with a message.
    static constexpr int BusyTimeoutMs = 5000;

private:
    QString m_connection;
    QString m_file;
};

} // namespace korvel
