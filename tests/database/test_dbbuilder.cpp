#include "CsvReader.h"
#include "DatabaseBuilder.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using namespace korvel::build;

class TestDbBuilder : public QObject {
    Q_OBJECT

    static void write(const QString& path, const QByteArray& text)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

private slots:
    void csvQuotingAndLineEnds()
    {
        const CsvTable t = parseCsv(QStringLiteral("A,B\r\n1,\"x, \"\"y\"\"\nz\"\r\n2,\n"));
        QCOMPARE(t.header, (QStringList{"A", "B"}));
        QCOMPARE(t.rows.size(), 2);
        QCOMPARE(t.rows[0][1], QStringLiteral("x, \"y\"\nz"));
        QCOMPARE(t.rows[1][1], QString());
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, parseCsv(QStringLiteral("A,B\n1\n")));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, parseCsv(QStringLiteral("A\n\"open\n")));
    }

    void splitsTheSchemaScript()
    {
        const QStringList s = splitSqlScript(QStringLiteral("-- a comment; with a semicolon\nCREATE TABLE T (A TEXT DEFAULT ';');\nCREATE INDEX I ON T(A);"));
        QCOMPARE(s.size(), 2);
        QVERIFY(s[0].contains(QStringLiteral("DEFAULT ';'")));
    }

    void buildsAndRefusesBadInput()
    {
        QTemporaryDir dir;
        const QString schema = dir.filePath(QStringLiteral("schema.sql"));
        write(schema, "CREATE TABLE T (ID INTEGER PRIMARY KEY, X REAL, NAME TEXT);");
        QDir(dir.path()).mkdir(QStringLiteral("tables"));
        write(dir.filePath(QStringLiteral("tables/T.csv")), "ID,X,NAME\n1,0.5,Ag-Sn\n2,,\n");
        const QString out = dir.filePath(QStringLiteral("db.sqlite"));
        const BuildReport report = buildDatabase(schema, {dir.filePath(QStringLiteral("tables"))}, out);
        QCOMPARE(report.rows, 2);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
            db.setDatabaseName(out);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("SELECT X, NAME FROM T ORDER BY ID")));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toDouble(), 0.5);
            QCOMPARE(q.value(1).toString(), QStringLiteral("Ag-Sn"));
            QVERIFY(q.next());
            QVERIFY(q.value(0).isNull());
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("check"));

        // An unknown column stops the build and leaves the previous file in place.
        const qint64 size = QFileInfo(out).size();
        write(dir.filePath(QStringLiteral("tables/T.csv")), "ID,Y\n1,2\n");
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, buildDatabase(schema, {dir.filePath(QStringLiteral("tables"))}, out));
        QCOMPARE(QFileInfo(out).size(), size);
        write(dir.filePath(QStringLiteral("tables/T.csv")), "ID\n1\n");
        write(dir.filePath(QStringLiteral("tables/U.csv")), "ID\n1\n");
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, buildDatabase(schema, {dir.filePath(QStringLiteral("tables"))}, out));
    }
};

QTEST_GUILESS_MAIN(TestDbBuilder)
#include "test_dbbuilder.moc"
