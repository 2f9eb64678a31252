#pragma once
// What the program finds wrong with its database file when it starts: a missing
// folder or file, a file held by another program, damaged pages, a table or a
// column the query catalogue needs and the file lacks, and values that are not
// numbers in the columns the schema declares numeric.
//
// A large file is not read through at start: for a file above StartupCheckBytes
// the integrity check and the value check wait until the program first reads
// values from the file or writes into it (finishDeferred()), so start-up costs
// the same for any size. Nothing is ever written into a file before its
// integrity check has run to its end and found no damage.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace korvel {

class StartupHealthCheck {
public:
    // The largest file whose pages are all read at start.
    static constexpr qint64 StartupCheckBytes = qint64(8) << 20;

    StartupHealthCheck(const QString& databaseDir, const QString& databaseFile, const QString& connectionName);

    // The checks of a file just opened (or not opened) on the connection.
    void run(qint64 checkedAtStartBytes = StartupCheckBytes);
    // Runs what run() left unfinished; returns the problem it found (empty when
    // none, or when nothing was left). Idempotent.
    QString finishDeferred();
    bool deferred() const { return m_integrityPending || m_valuesPending; }
    // Another program held the file locked for longer than the busy time-out.
    bool busy() const { return !m_busyProblem.isEmpty(); }

    // In words, empty when all is well; the start window tells the user once.
    QString problem() const { return m_problem; }
    // Why nothing may be written (damage found, or the integrity check not yet
    // run to its end); empty when writing is allowed.
    QString writeRefusal() const;

    // Values that are not numbers in numeric columns, one "TABLE row N (COLUMN)"
    // each, at most MaxNamedValues of them.
    QStringList badValues() const { return m_badValues; }
    static constexpr int MaxNamedValues = 10;

private:
    enum class Outcome { Done, Busy };
    Outcome checkIntegrity();
    Outcome checkValues();
    Outcome checkTablesAndColumns();
    QString catalogueMismatch() const;
    void hideBadRows();
    QString busyText() const;
    QString damageText() const;
    QString valuesText() const;
    void compose();

    QString m_dir;
    QString m_file;
    QString m_connection;
    QString m_openProblem;    // folder, file, opening
    QString m_structureProblem; // tables and columns
    QString m_busyProblem;
    QStringList m_damage;
    QStringList m_badValues;
    QStringList m_badTables;  // tables with at least one bad value
    QString m_problem;
    bool m_integrityPending = false;
    bool m_valuesPending = false;
};

} // namespace korvel
