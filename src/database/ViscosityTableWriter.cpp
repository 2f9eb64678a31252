#include "ViscosityTableWriter.h"

#include "QueryCatalogue.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <cmath>
#include <stdexcept>

namespace korvel {
namespace {

// SQLite's primary result codes the messages tell apart.
enum SqliteCode { Busy = 5, Locked = 6, ReadOnly = 8, Corrupt = 11, CantOpen = 14, NotADatabase = 26 };

} // namespace

ViscosityTableWriter::ViscosityTableWriter(const QString& connectionName, const QString& databaseFile)
    : m_connection(connectionName), m_file(databaseFile)
{
}

void ViscosityTableWriter::append(int n, const Row& row) const
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery insert(db);
    if (!insert.prepare(QStringLiteral("INSERT INTO %1 (X, VISCO, UKLAD) VALUES (?, ?, ?)").arg(catalogue::viscosityTable(n))))
        throwWriteFailure(insert.lastError());
    insert.addBindValue(row.x);
    insert.addBindValue(std::isfinite(row.value) ? QVariant(row.value) : QVariant(QMetaType::fromType<double>()));
    insert.addBindValue(row.label.left(20));
    if (!insert.exec())
        throwWriteFailure(insert.lastError());
}

void ViscosityTableWriter::throwWriteFailure(const QSqlError& error) const
{
    const QString file = QDir::toNativeSeparators(m_file);
    QString message;
    switch (error.nativeErrorCode().toInt() & 0xFF) {
    case ReadOnly:
    case CantOpen:
        message = QStringLiteral("The database file %1 cannot be written (the file or its folder is read-only), "
                                 "so the calculated viscosities cannot be stored.").arg(file);
        break;
    case Busy:
    case Locked:
        message = QStringLiteral("The database file %1 is in use by another program (another copy of Korvel 3?) "
                                 "and stayed busy for %2 seconds; the calculated viscosities were not stored. "
                                 "Try again when it has finished.").arg(file).arg(BusyTimeoutMs / 1000);
        break;
    case Corrupt:
    case NotADatabase:
        message = QStringLiteral("The database file %1 is damaged; nothing was written into it.").arg(file);
        break;
    default:
        message = QStringLiteral("The calculated viscosities cannot be stored in %1: %2").arg(file, error.text());
    }
    throw std::runtime_error(message.toStdString());
}

void ViscosityTableWriter::check(int n, const QString& refusal) const
{
    if (!refusal.isEmpty())
        throw std::runtime_error(refusal.toStdString());
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.isOpen())
        throw std::runtime_error("The property database is not open");
    QSqlQuery probe(db);
    if (!probe.prepare(QStringLiteral("SELECT X, VISCO, UKLAD FROM %1 WHERE 0").arg(catalogue::viscosityTable(n))))
        throw std::runtime_error(QStringLiteral("The database file %1 has no usable table %2 for the calculated "
                                                "viscosities of T%3 (%4).")
                                     .arg(QDir::toNativeSeparators(m_file), catalogue::viscosityTable(n))
                                     .arg(n).arg(probe.lastError().databaseText()).toStdString());
}

void ViscosityTableWriter::replace(int n, const QList<Row>& rows, const std::function<void()>& readBack,
                                   const std::function<void()>& restored) const
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    // The write lock is taken at once, so two programs refilling the same file
    // queue one behind the other instead of one of them failing half-way.
    QSqlQuery begin(db);
    if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE")))
        throwWriteFailure(begin.lastError());
    bool readBackRan = false;
    try {
        QSqlQuery empty(db);
        if (!empty.exec(QStringLiteral("DELETE FROM %1").arg(catalogue::viscosityTable(n))))
            throwWriteFailure(empty.lastError());
        for (const Row& row : rows)
            append(n, row);
        if (readBack) {
            readBackRan = true;
            readBack();
        }
        QSqlQuery commit(db);
        if (!commit.exec(QStringLiteral("COMMIT")))
            throwWriteFailure(commit.lastError());
    } catch (...) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        if (readBackRan && restored)
            restored();
        throw;
    }
}

} // namespace korvel
