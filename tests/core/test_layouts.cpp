// The two layouts the program finds at run time: portable (Database/ and Save/
// beside the program file) and installed (bin/ under a prefix with the database
// in share/korvel3, exports in the user's own folder, created on first use).
#include "core/Directories.h"
#include "core/Layout.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace korvel;

class TestLayouts : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    QString path(const QString& relative) const { return QDir::toNativeSeparators(m_root.filePath(relative)); }
    void makeDirs(const QStringList& relatives)
    {
        for (const QString& r : relatives)
            QVERIFY(QDir().mkpath(m_root.filePath(r)));
    }

private slots:
    void init()
    {
        QVERIFY(m_root.isValid());
        QVERIFY(QDir(m_root.path()).removeRecursively());
        QVERIFY(QDir().mkpath(m_root.path()));
        dirs::overrideUserSaveDir(path(QStringLiteral("home/Documents/Korvel 3")));
    }
    void cleanup()
    {
        dirs::overrideApplicationDir(QString());
        dirs::overrideDatabaseDir(QString());
        dirs::overrideUserSaveDir(QString());
    }

    void layoutIsChosenByWhatIsFound_data()
    {
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("save");
        const QString portableDb = QStringLiteral("usr/bin/Database");
        const QString portableSave = QStringLiteral("usr/bin/Save");
        QTest::newRow("portable") << QStringList{portableDb, portableSave} << false << portableDb << portableSave;
        QTest::newRow("installed") << QStringList{"usr/share/korvel3/Database"} << true
                                   << QStringLiteral("usr/share/korvel3/Database") << QStringLiteral("home/Documents/Korvel 3");
        QTest::newRow("both: the folder beside wins")
            << QStringList{portableDb, "usr/share/korvel3/Database"} << false << portableDb << portableSave;
        QTest::newRow("neither: portable, as always") << QStringList{"usr/bin"} << false << portableDb << portableSave;
        QTest::newRow("share without the database") << QStringList{"usr/share/korvel3"} << false << portableDb << portableSave;
    }
    void layoutIsChosenByWhatIsFound()
    {
        QFETCH(QStringList, folders);
        QFETCH(bool, installed);
        QFETCH(QString, database);
        QFETCH(QString, save);
        makeDirs(folders + QStringList{QStringLiteral("usr/bin")});
        const QString app = path(QStringLiteral("usr/bin"));
        dirs::overrideApplicationDir(app);
        QCOMPARE(dirs::layoutFor(app) == dirs::Layout::Installed, installed);
        QCOMPARE(dirs::databaseDirFor(app), path(database));
        QCOMPARE(dirs::saveDirFor(app), path(save));
        QCOMPARE(dirs::isInstalledDatabase(path(database)), installed);
        // The plain rule of the Qt-free programs finds the same folder.
        const std::filesystem::path plain = dirs::databasePathFor(std::filesystem::path(app.toStdU16String()));
        QCOMPARE(QDir::cleanPath(QString::fromStdU16String(plain.u16string())), QDir::cleanPath(path(database)));
    }

    // --database works in both layouts; the exports stay where the layout puts them.
    void databaseOptionInBothLayouts()
    {
        makeDirs({QStringLiteral("usr/bin"), QStringLiteral("usr/share/korvel3/Database"), QStringLiteral("mine"),
                  QStringLiteral("portable/Database")});
        dirs::overrideDatabaseDir(path(QStringLiteral("mine")));
        dirs::overrideApplicationDir(path(QStringLiteral("usr/bin")));
        QCOMPARE(dirs::databaseDirFor(dirs::applicationDir()), path(QStringLiteral("mine")));
        QCOMPARE(dirs::saveDirFor(dirs::applicationDir()), path(QStringLiteral("home/Documents/Korvel 3")));
        QVERIFY(!dirs::isInstalledDatabase(path(QStringLiteral("mine"))));
        dirs::overrideApplicationDir(path(QStringLiteral("portable")));
        QCOMPARE(dirs::databaseDirFor(dirs::applicationDir()), path(QStringLiteral("mine")));
        QCOMPARE(dirs::saveDirFor(dirs::applicationDir()), path(QStringLiteral("portable/Save")));
    }

    // Installed: the user's folder is made on first use. Portable: a missing
    // Save folder stays missing (the write reports it).
    void saveFolderIsCreatedOnlyWhenItIsTheUsers()
    {
        makeDirs({QStringLiteral("usr/bin"), QStringLiteral("usr/share/korvel3/Database"), QStringLiteral("portable/Database")});
        dirs::overrideApplicationDir(path(QStringLiteral("usr/bin")));
        const QString users = dirs::saveDirFor(dirs::applicationDir());
        QVERIFY(!QFileInfo::exists(users));
        QVERIFY(dirs::prepareSaveDir(users));
        QVERIFY(QFileInfo(users).isDir());
        QVERIFY(dirs::prepareSaveDir(users)); // already there

        dirs::overrideApplicationDir(path(QStringLiteral("portable")));
        const QString save = dirs::saveDirFor(dirs::applicationDir());
        QVERIFY(dirs::prepareSaveDir(save));
        QVERIFY(!QFileInfo::exists(save));

        // A user's folder that cannot be made is reported.
        dirs::overrideApplicationDir(path(QStringLiteral("usr/bin")));
        QFile blocker(path(QStringLiteral("blocked")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        dirs::overrideUserSaveDir(path(QStringLiteral("blocked/Korvel 3")));
        QVERIFY(!dirs::prepareSaveDir(dirs::saveDirFor(dirs::applicationDir())));
    }
};

QTEST_GUILESS_MAIN(TestLayouts)
#include "test_layouts.moc"
