// The program's --database DIR: DatabaseDir is DIR for the program's own
// folder; the data module opens the database there.
#include "FixtureDatabase.h"
#include "ScriptedUi.h"
#include "core/Directories.h"
#include "database/DataModule.h"
#include "database/Query.h"
#include "app/AppWindows.h"
#include "shell/TfmStart.h"
#include "widgets/DbLookupList.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace korvel;

class TestDatabaseOption : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { dirs::overrideDatabaseDir(QString()); }

    void replacesTheFolderBesideTheProgramOnly()
    {
        QTemporaryDir program;
        dirs::overrideApplicationDir(program.path());
        QCOMPARE(dirs::databaseDirFor(dirs::applicationDir()), dirs::join(dirs::applicationDir(), QStringLiteral("Database")));
        QTemporaryDir elsewhere;
        dirs::overrideDatabaseDir(elsewhere.path() + QStringLiteral("/./"));
        QCOMPARE(dirs::databaseDirFor(dirs::applicationDir()), QDir::toNativeSeparators(elsewhere.path()));
        QCOMPARE(dirs::databaseDirFor(QStringLiteral("/opt/other")), dirs::join(QStringLiteral("/opt/other"), QStringLiteral("Database")));
        QCOMPARE(dirs::saveDirFor(dirs::applicationDir()), dirs::join(dirs::applicationDir(), QStringLiteral("Save")));
        dirs::overrideDatabaseDir(QString());
        QCOMPARE(dirs::databaseDirFor(dirs::applicationDir()), dirs::join(dirs::applicationDir(), QStringLiteral("Database")));
    }

    void dataModuleOpensTheDatabaseGiven()
    {
        QTemporaryDir program; // no Database folder beside it
        dirs::overrideApplicationDir(program.path());
        QTemporaryDir elsewhere;
        QVERIFY(QFile::copy(test::builtFixture(QStringLiteral("fixture")), elsewhere.filePath(QStringLiteral("korvel3.sqlite"))));
        dirs::overrideDatabaseDir(elsewhere.path());
        TdmDataModule dm;
        QCOMPARE(dm.databaseDir(), QDir::toNativeSeparators(elsewhere.path()));
        QCOMPARE(dm.startupProblem(), QString());
        QVERIFY(dm.query(QStringLiteral("qrSelect"))->rowCount() > 0);
    }

    // The start window lists the classes of the database given; its "Access
    // path of the database" box still changes no directory, and the help
    // document is the one of the folder given.
    void startWindowOnTheDatabaseGiven()
    {
        test::ScriptedUi ui;
        test::FixtureDatabase program; // its own Database folder holds the fixture too
        dirs::overrideApplicationDir(program.applicationDir());
        QTemporaryDir elsewhere;
        QVERIFY(QFile::copy(test::builtFixture(QStringLiteral("fixture")), elsewhere.filePath(QStringLiteral("korvel3.sqlite"))));
        QVERIFY(QDir(program.databaseDir()).removeRecursively());
        dirs::overrideDatabaseDir(elsewhere.path());
        const QString given = QDir::toNativeSeparators(elsewhere.path());
        {
            TdmDataModule dm;
            TfmStart* start = forms::createWindows();
            start->show();
            QCoreApplication::processEvents();
            QCOMPARE(start->findChild<DbLookupList*>(QStringLiteral("dblSelectSystem"))->count(), 5);
            ui.inputAnswers << QStringLiteral("D:\\another\\Database");
            start->findChild<QAction*>(QStringLiteral("AcessDatabase1"))->trigger();
            QCOMPARE(dm.ComputeDatabaseDir(), given);
            QCOMPARE(start->SaveDir(), dirs::join(program.applicationDir(), QStringLiteral("Save")));
            start->findChild<QAction*>(QStringLiteral("Help1"))->trigger();
            QCOMPARE(ui.openedDocuments.value(0), dirs::join(given, QStringLiteral("KORVEL 3.pdf")));
            forms::destroyWindows();
        }
    }

    void aMissingFolderIsAStartupProblem()
    {
        QTemporaryDir program;
        dirs::overrideApplicationDir(program.path());
        dirs::overrideDatabaseDir(program.filePath(QStringLiteral("no-such-folder")));
        TdmDataModule dm;
        QVERIFY2(dm.startupProblem().contains(QStringLiteral("no-such-folder")), qPrintable(dm.startupProblem()));
        QCOMPARE(dm.query(QStringLiteral("qrSelect"))->rowCount(), 0);
    }
};

QTEST_MAIN(TestDatabaseOption)
#include "test_database_option.moc"
