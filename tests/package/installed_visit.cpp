// Run by test_package.sh as an unprivileged user with a fresh home folder, on
// the tree unpacked from the .deb (KORVEL_INSTALLED_BIN: its usr/bin). The
// windows find that tree as the installed program does: the shipped database
// in share/korvel3, opened read-only; "Save graph" and "Equations" write into
// the user's own folder, made on first use; nothing is reported as an error.
#include "ScriptedUi.h"
#include "app/AppWindows.h"
#include "charts/TfmWykres.h"
#include "core/Directories.h"
#include "core/Session.h"
#include "database/DataModule.h"
#include "database/Query.h"
#include "widgets/Forms.h"
#include "shell/TfmStart.h"
#include "widgets/DbLookupList.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

using namespace korvel;

class InstalledVisit : public QObject {
    Q_OBJECT

private slots:
    void startsOnItsDatabaseAndExportsIntoTheUsersFolder()
    {
        const QString bin = qEnvironmentVariable("KORVEL_INSTALLED_BIN");
        QVERIFY2(QFileInfo(bin).isDir(), qPrintable(bin));
        dirs::overrideApplicationDir(bin);
        QVERIFY(dirs::layoutFor(bin) == dirs::Layout::Installed);
        const QString users = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/Korvel 3");
        QVERIFY2(users.startsWith(QDir::homePath()), qPrintable(users));
        QVERIFY(!QFileInfo::exists(users));

        test::ScriptedUi ui;
        ui.onModal = [](QWidget* w) {
            if (auto* ok = w->findChild<QPushButton*>(QStringLiteral("sbOK")))
                ok->click();
            return 0;
        };
        TdmDataModule dm;
        QCOMPARE(dm.databaseDir(), dirs::installedDatabaseDirFor(bin));
        QCOMPARE(dm.startupProblem(), QString());

        TfmStart* start = forms::createWindows();
        start->show();
        QCoreApplication::processEvents();
        auto* classes = start->findChild<DbLookupList*>(QStringLiteral("dblSelectSystem"));
        QVERIFY(classes);
        QVERIFY(classes->chooseText(QStringLiteral("Binary systems")));
        auto* ok = start->findChild<QPushButton*>(QStringLiteral("sbOK"));
        QTRY_VERIFY(ok->isEnabled());
        ok->click();
        QCOMPARE(QDir::cleanPath(start->SaveDir()), QDir::cleanPath(users));

        session().setChoices({QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Density"), true, false, false});
        QVERIFY(dm.query(QStringLiteral("qrTabUkl"))->locate(QStringLiteral("OZNACZENIE"), QStringLiteral("Ag-Sn")));
        QVERIFY(dm.query(QStringLiteral("qrWlasnosci"))->locate(QStringLiteral("WLASNOSC"), QStringLiteral("Density")));
        dm.OpenPublications();
        dm.OpenPublications2();
        dm.OpenAxisLabel();
        {
            TfmWykres chart;
            chart.show();
            QCoreApplication::processEvents();
            auto* publications = chart.findChild<DbLookupList*>(QStringLiteral("dblAutor"));
            QVERIFY(publications && dm.query(QStringLiteral("qrAutor"))->rowCount() > 0);
            QVERIFY(publications->chooseText(dm.query(QStringLiteral("qrAutor"))->value(0, QStringLiteral("OZNACZENIE")).toString()));
            QTest::keyClicks(chart.findChild<QLineEdit*>(QStringLiteral("edT1")), QStringLiteral("1273"));
            chart.findChild<QPushButton*>(QStringLiteral("sbShow"))->click();
            chart.findChild<QAction*>(QStringLiteral("SaveGraph"))->trigger();
            QAction* equations = chart.findChild<QAction*>(QStringLiteral("Equations1"));
            QVERIFY(equations->isEnabled());
            equations->trigger();
        }
        session().setChoices({});
        forms::destroyWindows();

        QCOMPARE(ui.texts(), QStringList());
        const QStringList written = QDir(users).entryList(QDir::Files, QDir::Name);
        QVERIFY2(written.contains(QStringLiteral("Density of Ag-Sn.bmp")), qPrintable(written.join(u',')));
        QVERIFY2(written.filter(QStringLiteral("_Density.txt")).size() == 1, qPrintable(written.join(u',')));
        for (const QString& f : written)
            QVERIFY(QFileInfo(users + u'/' + f).size() > 0);
    }
};

QTEST_MAIN(InstalledVisit)
#include "installed_visit.moc"
