// The start-up checks of a database file that may be anyone's (--database):
// any bytes as the file give a report in words or none, never a crash, and a
// file with a problem is never declared writable when it is damaged. The
// bytes are loaded into a database in memory, so every input is a fresh file.
#include "database/StartupHealthCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QtGlobal>

#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

const QString kConnection = QStringLiteral("fuzz-startup");
QString g_dir;
QString g_file;

sqlite3* handleOf(const QSqlDatabase& db)
{
    const QVariant handle = db.driver()->handle();
    return *static_cast<sqlite3* const*>(handle.constData());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    g_dir = QDir::tempPath() + QStringLiteral("/korvel-fuzz-startup");
    QDir().mkpath(g_dir);
    g_file = g_dir + QStringLiteral("/korvel3.sqlite");
    QFile f(g_file);
    f.open(QIODevice::WriteOnly); // the checks look for the file; its bytes come from the input
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
    db.setDatabaseName(QStringLiteral(":memory:"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QSqlDatabase db = QSqlDatabase::database(kConnection, false);
    db.close();
    if (!db.open())
        std::abort();
    if (size > 0) {
        auto* copy = static_cast<unsigned char*>(sqlite3_malloc64(size));
        std::memcpy(copy, data, size);
        if (sqlite3_deserialize(handleOf(db), "main", copy, sqlite3_int64(size), sqlite3_int64(size),
                                SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE) != SQLITE_OK)
            return 0;
    }
    korvel::StartupHealthCheck check(g_dir, g_file, kConnection);
    check.run(qint64(1) << 40);
    if (check.deferred())
        std::abort(); // everything is checked at once below the size limit
    const QString problem = check.problem();
    // Damage always refuses writing, and is always told.
    if (problem.contains(QLatin1String("is damaged")) && check.writeRefusal().isEmpty())
        std::abort();
    if (!check.writeRefusal().isEmpty() && problem.isEmpty())
        std::abort();
    if (check.badValues().size() > korvel::StartupHealthCheck::MaxNamedValues)
        std::abort();
    if (!check.finishDeferred().isEmpty())
        std::abort();
    return 0;
}
