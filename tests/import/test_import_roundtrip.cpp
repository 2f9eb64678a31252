// The shipped database written out as CSV files and imported again gives the
// same rows, values and types in every table.
#include "CsvSource.h"
#include "ImportTestSupport.h"
#include "Importer.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

using namespace korvel::import;
using namespace korvel::test;

namespace {

QString shippedDatabase()
{
    return qEnvironmentVariable("KORVEL_BUILD_DIR") + QStringLiteral("/bin/Database/korvel3.sqlite");
}

QString csvField(const QVariant& v)
{
    if (v.isNull())
        return {};
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int: return v.toString();
    case QMetaType::Double: return QString::number(v.toDouble(), 'g', 17);
    default: {
        QString text = v.toString();
        return QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    }
    }
}

// Every table as TABLE.csv: a header of column names, one line per row in
// rowid order.
QStringList dumpAsCsv(const QString& database, const QString& folder)
{
    QStringList tables;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("dump"));
    db.setDatabaseName(database);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (db.open()) {
        // The tables of the data, not the engine's own statistics.
        for (const QString& table : db.tables()) {
            if (!table.startsWith(QLatin1String("sqlite_")))
                tables << table;
        }
        for (const QString& table : std::as_const(tables)) {
            QFile f(folder + QLatin1Char('/') + table + QStringLiteral(".csv"));
            if (!f.open(QIODevice::WriteOnly))
                return {};
            QSqlQuery q(db);
            q.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table));
            QStringList header;
            for (int i = 0; i < q.record().count(); ++i)
                header << q.record().fieldName(i);
            f.write(header.join(QLatin1Char(',')).toUtf8() + '\n');
            while (q.next()) {
                QStringList fields;
                for (int i = 0; i < q.record().count(); ++i)
                    fields << csvField(q.value(i));
                f.write(fields.join(QLatin1Char(',')).toUtf8() + '\n');
            }
        }
        db.close();
    }
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("dump"));
    return tables;
}

// Each row of the table: the SQL type and the value of every column.
QList<QVariantList> typedRows(const QString& database, const QString& table)
{
    const QList<QVariantList> columns = queryRows(database, QStringLiteral("PRAGMA table_info(\"%1\")").arg(table));
    QStringList select;
    for (const QVariantList& c : columns)
        select << QStringLiteral("typeof(\"%1\"), \"%1\"").arg(c[1].toString());
    return queryRows(database, QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY rowid").arg(select.join(QStringLiteral(", ")), table));
}

} // namespace

class TestImportRoundTrip : public QObject {
    Q_OBJECT

private slots:
    void shippedDatabaseThroughCsvGivesTheSameRows()
    {
        QVERIFY2(QFile::exists(shippedDatabase()), qPrintable(shippedDatabase()));
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("csv"));
        QVERIFY(QDir().mkpath(folder));
        const QStringList tables = dumpAsCsv(shippedDatabase(), folder);
        QVERIFY(tables.contains(QStringLiteral("DANE_WLASNOSCI")));

        QList<SourceTable> sources;
        for (const QString& table : tables)
            sources << readCsvSource(folder + QLatin1Char('/') + table + QStringLiteral(".csv"));
        ImportOptions options;
        options.strict = true;
        const QString out = dir.filePath(QStringLiteral("korvel3.sqlite"));
        const ImportReport report = importTables(sources, out, options);
        QVERIFY2(report.written, qPrintable(reportText(report)));
        QCOMPARE(report.absentTables, QStringList());

        int rows = 0;
        for (const QString& table : tables) {
            const QList<QVariantList> shipped = typedRows(shippedDatabase(), table);
            const QList<QVariantList> imported = typedRows(out, table);
            QVERIFY2(shipped == imported, qPrintable(table));
            rows += int(shipped.size());
        }
        QVERIFY(rows > 1000);
        // The valid temperature ranges travel with the equations: one per equation.
        QVERIFY(tables.contains(QStringLiteral("VALID_RANGE")));
        QCOMPARE(typedRows(out, QStringLiteral("VALID_RANGE")).size(),
                 typedRows(out, QStringLiteral("DANE_WLASNOSCI")).size() + typedRows(out, QStringLiteral("DANE45")).size());
        qInfo("%lld tables, %d rows compared", qlonglong(tables.size()), rows);
    }
};

QTEST_GUILESS_MAIN(TestImportRoundTrip)
#include "test_import_roundtrip.moc"
