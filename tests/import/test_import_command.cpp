// korvel3-import as a user runs it: exit status, report, and no output file
// when the input has a problem.
#include "ParadoxWriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <unistd.h>

using namespace korvel::test;

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run runImport(const QStringList& arguments)
{
    QProcess p;
    p.start(QStringLiteral(KORVEL_IMPORT_PROGRAM), arguments);
    Run run;
    if (!p.waitForFinished(60000))
        return run;
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestImportCommand : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void paradoxFolderIntoADatabase()
    {
        const QString folder = m_dir.filePath(QStringLiteral("px"));
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(writeParadoxTable(folder + QStringLiteral("/WLASNOSCI.DB"),
                                   {{"ID_WLASCIWOSCI", pxf::Long, 4}, {"WLASNOSC", pxf::Alpha, 30}},
                                   {{1, QStringLiteral("Density")}, {QVariant(), QStringLiteral("Viscosity")}}),
                 QString());
        QCOMPARE(writeParadoxTable(folder + QStringLiteral("/TAB_UKL.db"),
                                   {{"ID_TAB_UKL", pxf::Long, 4}, {"ID_SELECT", pxf::Short, 2}, {"OZNACZENIE", pxf::Alpha, 40},
                                    {"XP", pxf::Alpha, 40}},
                                   {{12, 3, QStringLiteral("Ag-Cu-Sn"), QVariant()}}),
                 QString());
        writeFile(folder + QStringLiteral("/WLASNOSCI.PX"), "an index file, not read");
        const QString out = m_dir.filePath(QStringLiteral("Database/korvel3.sqlite"));
        QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("Database"))));
        const Run run = runImport({QStringLiteral("paradox"), folder, out});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains(QStringLiteral("WLASNOSCI.DB -> WLASNOSCI: 2 read, 1 written, 1 rejected\n"
                                                 "  rejected record 2: ID_WLASCIWOSCI is empty\n")),
                 qPrintable(run.out));
        QVERIFY(run.out.contains(QStringLiteral("no file for the table(s) SELECT_SYSTEM, PIERWIASTKI, PUBLIKACJE")));
        // A problem between the tables of a Paradox database is a warning.
        QVERIFY2(run.out.contains(QStringLiteral("warning: %1/TAB_UKL.db record 1: ID_SELECT 3 names no system class").arg(folder)),
                 qPrintable(run.out));
        QVERIFY(QFile::exists(out));

        // A damaged table: named, and nothing written.
        writeFile(folder + QStringLiteral("/TAB_UKL.db"), QByteArray(3000, 'x'));
        const QString second = m_dir.filePath(QStringLiteral("second.sqlite"));
        const Run bad = runImport({QStringLiteral("paradox"), folder, second});
        QCOMPARE(bad.exitCode, 1);
        QVERIFY2(bad.err.contains(folder + QStringLiteral("/TAB_UKL.db: not a Paradox table")), qPrintable(bad.err));
        QVERIFY(!QFile::exists(second));
    }

    void csvProblemsMeanNoOutput()
    {
        const QString folder = m_dir.filePath(QStringLiteral("csv"));
        QVERIFY(QDir().mkpath(folder));
        writeFile(folder + QStringLiteral("/TAB_UKL.csv"), "ID_TAB_UKL,ID_SELECT,OZNACZENIE,XP\n1,1,Sn,\n");
        const QString out = m_dir.filePath(QStringLiteral("csv.sqlite"));
        const Run run = runImport({QStringLiteral("csv"), folder, out});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.contains(QStringLiteral("problem: %1/TAB_UKL.csv record 1: ID_SELECT 1 names no system class").arg(folder)),
                 qPrintable(run.out));
        QVERIFY(run.err.contains(QStringLiteral("1 problem(s)")));
        QVERIFY(!QFile::exists(out));

        writeFile(folder + QStringLiteral("/SELECT_SYSTEM.csv"), "ID_SELECT,NAZWA\n1,Pure metals\n");
        const Run good = runImport({QStringLiteral("csv"), folder, out});
        QCOMPARE(good.exitCode, 0);
        QVERIFY(QFile::exists(out));
    }

    // A run stopped by SIGINT or SIGTERM says so, exits with the signal's status
    // and leaves neither output nor temporary files.
    void signalStopsTheRunAndCleansUp_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("name");
        QTest::newRow("SIGINT") << int(SIGINT) << QStringLiteral("SIGINT");
        QTest::newRow("SIGTERM") << int(SIGTERM) << QStringLiteral("SIGTERM");
    }
    void signalStopsTheRunAndCleansUp()
    {
        QFETCH(int, signal);
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("in"));
        QVERIFY(QDir().mkpath(folder));
        QByteArray rows = "ID_TAB_UKL,ID_PUBLIKACJI,ID_WLASCIWOSCI,X,T,Y,Nr,Nr2\n";
        for (int i = 0; i < 1000000; ++i)
            rows += "1,1,1,0." + QByteArray::number(i % 997) + ",1273,7.5," + QByteArray::number(i) + ",1\n";
        writeFile(folder + QStringLiteral("/PUNKTY_D.csv"), rows);
        const QString out = dir.filePath(QStringLiteral("out.sqlite"));
        QProcess p;
        p.start(QStringLiteral(KORVEL_IMPORT_PROGRAM), {QStringLiteral("csv"), folder, out});
        QVERIFY(p.waitForStarted());
        auto parts = [&] { return QDir(dir.path()).entryList({QStringLiteral("out.sqlite.*")}, QDir::Files | QDir::Hidden); };
        QTRY_VERIFY_WITH_TIMEOUT(!parts().isEmpty() || p.state() == QProcess::NotRunning, 60000);
        QVERIFY2(p.state() == QProcess::Running, "the import ended before it could be interrupted");
        QCOMPARE(::kill(pid_t(p.processId()), signal), 0);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 128 + signal);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(err.contains(QStringLiteral("interrupted by %1; %2 not written").arg(name, out)), qPrintable(err));
        QCOMPARE(parts(), QStringList());
        QVERIFY(!QFile::exists(out));
    }

    // What a killed run left beside the output goes with the next run on it;
    // the files of a run still going stay.
    void nextRunRemovesTheLeftoversOfAKilledRun()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("in"));
        QVERIFY(QDir().mkpath(folder));
        writeFile(folder + QStringLiteral("/SELECT_SYSTEM.csv"), "ID_SELECT,NAZWA\n1,Pure metals\n");
        const QString out = dir.filePath(QStringLiteral("out.sqlite"));
        // The process id of a program that has ended.
        QProcess finished;
        finished.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("echo $$")});
        QVERIFY(finished.waitForFinished());
        const qint64 dead = QString::fromUtf8(finished.readAllStandardOutput()).trimmed().toLongLong();
        QVERIFY(dead > 0);
        const QString leftover = QStringLiteral("%1.%2-0123abcd.part").arg(out).arg(dead);
        const QString live = QStringLiteral("%1.%2-0123abcd.part").arg(out).arg(qint64(::getpid()));
        writeFile(leftover, QByteArray(4096, 'x'));
        writeFile(leftover + QStringLiteral("-journal"), QByteArray(512, 'j'));
        writeFile(live, "a run still going");
        const Run run = runImport({QStringLiteral("csv"), folder, out});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(!QFile::exists(leftover));
        QVERIFY(!QFile::exists(leftover + QStringLiteral("-journal")));
        QVERIFY(QFile::exists(live));
        QVERIFY(QFile::exists(out));
    }

    void readOnlyOutputIsRefused()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("in"));
        QVERIFY(QDir().mkpath(folder));
        writeFile(folder + QStringLiteral("/SELECT_SYSTEM.csv"), "ID_SELECT,NAZWA\n1,Pure metals\n");
        const QString out = dir.filePath(QStringLiteral("kept.sqlite"));
        writeFile(out, "the user's own file");
        const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
        QVERIFY(QFile::setPermissions(out, readOnly));
        const Run run = runImport({QStringLiteral("csv"), folder, out});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("%1: is read-only").arg(out)), qPrintable(run.err));
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("the user's own file"));
        QCOMPARE(QFile::permissions(out) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser), readOnly);
    }

    void usageErrors()
    {
        QCOMPARE(runImport({}).exitCode, 2);
        QCOMPARE(runImport({QStringLiteral("dbase"), m_dir.path(), m_dir.filePath(QStringLiteral("x.sqlite"))}).exitCode, 2);
        QCOMPARE(runImport({QStringLiteral("csv"), m_dir.path(), m_dir.filePath(QStringLiteral("x.sqlite")), QStringLiteral("--codepage"),
                            QStringLiteral("1250")}).exitCode,
                 2);
        const Run missing = runImport({QStringLiteral("csv"), m_dir.filePath(QStringLiteral("nowhere")), m_dir.filePath(QStringLiteral("x.sqlite"))});
        QCOMPARE(missing.exitCode, 1);
        QVERIFY(missing.err.contains(QStringLiteral("no such folder")));
    }
};

QTEST_GUILESS_MAIN(TestImportCommand)
#include "test_import_command.moc"
