// The computed tables under a refill cut short by a killed process and under a
// second copy of the program writing at the same time.
#include "FixtureDatabase.h"
#include "ScriptedUi.h"
#include "database/DataModule.h"
#include "database/Query.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using namespace korvel;

namespace {

struct Inputs : ChartInputs {
    QString t1;
    QString temperatureText(int slot) const override { return slot == 1 ? t1 : QString(); }
    QString publicationText(int page) const override { return page == 0 ? QStringLiteral("[2005Ghi3]") : QString(); }
    int selectedEutectic() const override { return 0; }
    FixedPoint4 lineComposition() const override { return {}; }
};

// The rows of the computed table of slot 1 as "X=VISCO" texts, read by a
// connection of its own (so a hot journal left by a killed writer is rolled back).
QStringList storedRows(const QString& file)
{
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("reader"));
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("SELECT X, VISCO FROM VISCOSITY ORDER BY X")))
                while (q.next())
                    rows << QStringLiteral("%1=%2").arg(q.value(0).toDouble()).arg(q.value(1).toDouble());
            QSqlQuery check(db);
            if (!check.exec(QStringLiteral("PRAGMA integrity_check")) || !check.next()
                || check.value(0).toString() != QLatin1String("ok"))
                rows << QStringLiteral("integrity check failed");
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("reader"));
    return rows;
}

void exec(const QString& file, const QStringList& statements)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("edit"));
        db.setDatabaseName(file);
        QVERIFY(db.open());
        for (const QString& sql : statements) {
            QSqlQuery q(db);
            QVERIFY2(q.exec(sql), qPrintable(sql + QStringLiteral(": ") + q.lastError().text()));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("edit"));
}

} // namespace

class TestStoredData : public QObject {
    Q_OBJECT

private slots:
    // A second copy of the program refills slot 1; a trigger makes each of its
    // inserts take long, so it is caught in the middle of the refill (its
    // rollback journal exists). Meanwhile this copy's refill waits, then says the
    // file is in use. The other copy is then killed: the table keeps the rows of
    // the earlier fill, intact, and a new refill works.
    void killedRefillAndASecondInstanceLeaveTheOldRows()
    {
        test::ScriptedUi ui;
        test::FixtureDatabase fixture;
        QVERIFY(fixture.ok());
        const QString child = qEnvironmentVariable("KORVEL_REFILL_CHILD");
        QVERIFY2(QFile::exists(child), qPrintable(child));
        {
            QProcess first;
            first.start(child, {fixture.applicationDir(), QStringLiteral("1273")});
            QVERIFY(first.waitForFinished(60000));
            QCOMPARE(first.exitCode(), 0);
        }
        const QStringList before = storedRows(fixture.databaseFile());
        QCOMPARE(before, QStringList({"0=1", "0.5=2", "1=2"}));
        exec(fixture.databaseFile(),
             {QStringLiteral("CREATE TABLE SLOW (N INTEGER)"),
              QStringLiteral("WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < 3000) "
                             "INSERT INTO SLOW SELECT n FROM c"),
              QStringLiteral("CREATE TRIGGER SLOW_INSERT AFTER INSERT ON VISCOSITY BEGIN "
                             "SELECT COUNT(*) FROM SLOW a, SLOW b, SLOW c; END")});

        QProcess refill;
        refill.start(child, {fixture.applicationDir(), QStringLiteral("1000")});
        QVERIFY(refill.waitForStarted());
        const QString journal = fixture.databaseFile() + QStringLiteral("-journal");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(journal), 60000);
        QCOMPARE(refill.state(), QProcess::Running);

        {
            TdmDataModule dm;
            Inputs inputs;
            inputs.t1 = QStringLiteral("900");
            dm.setChartInputs(&inputs);
            QVERIFY(dm.query(QStringLiteral("qrSelect"))->locate(QStringLiteral("ID_SELECT"), 2));
            dm.OpenSystems();
            QVERIFY(dm.query(QStringLiteral("qrTabUkl"))->locate(QStringLiteral("OZNACZENIE"), QStringLiteral("Ag-Sn")));
            QVERIFY(dm.query(QStringLiteral("qrWlasnosci"))->locate(QStringLiteral("WLASNOSC"), QStringLiteral("Viscosity")));
            dm.OpenPublications();
            QVERIFY(QSqlQuery(QSqlDatabase::database(dm.connectionName())).exec(QStringLiteral("PRAGMA busy_timeout = 500")));
            try {
                dm.FillViscosityTable(1);
                QFAIL("the refill did not notice the other copy");
            } catch (const std::runtime_error& e) {
                const QString message = QString::fromUtf8(e.what());
                QVERIFY2(message.contains(QStringLiteral("is in use by another program")), qPrintable(message));
            }
        }

        refill.kill();
        QVERIFY(refill.waitForFinished(10000));
        QCOMPARE(refill.exitStatus(), QProcess::CrashExit);
        QVERIFY(QFile::exists(journal)); // a hot journal: the refill was cut short

        QCOMPARE(storedRows(fixture.databaseFile()), before);
        exec(fixture.databaseFile(), {QStringLiteral("DROP TRIGGER SLOW_INSERT")});
        QProcess again;
        again.start(child, {fixture.applicationDir(), QStringLiteral("1273")});
        QVERIFY(again.waitForFinished(60000));
        QCOMPARE(again.exitCode(), 0);
        QCOMPARE(storedRows(fixture.databaseFile()), before);
    }
};

QTEST_MAIN(TestStoredData)
#include "test_stored_data.moc"
