// A run that only browses leaves the shipped database file as it was, byte for
// byte: the start and selection windows, isotherms and equations of every
// class and of each property other than viscosity (whose "Show" writes the
// computed tables), the DTA list, then the end of the run.
#include "ScriptedUi.h"
#include "core/Session.h"
#include "charts/TfmWykres.h"
#include "core/Directories.h"
#include "database/DataModule.h"
#include "database/Query.h"
#include "app/AppWindows.h"
#include "widgets/DbLookupList.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using namespace korvel;

namespace {
QByteArray sha256(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result().toHex();
}
} // namespace

class TestBrowsingRun : public QObject {
    Q_OBJECT

private slots:
    void browsingLeavesTheDatabaseFileUnchanged()
    {
        const QString shipped = qEnvironmentVariable("KORVEL_BUILD_DIR") + QStringLiteral("/bin/Database/korvel3.sqlite");
        QVERIFY2(QFile::exists(shipped), qPrintable(shipped));
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("Database"));
        QDir(dir.path()).mkpath(QStringLiteral("Save"));
        const QString copy = dir.filePath(QStringLiteral("Database/korvel3.sqlite"));
        QVERIFY(QFile::copy(shipped, copy));
        QFile(copy).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        const QByteArray before = sha256(copy);
        const QDateTime modified = QFileInfo(copy).lastModified();
        dirs::overrideApplicationDir(dir.path());

        test::ScriptedUi ui;
        ui.onModal = [](QWidget* w) {
            if (auto* ok = w->findChild<QPushButton*>(QStringLiteral("sbOK")))
                ok->click();
            else
                w->close();
            return 0;
        };
        int shows = 0;
        {
            TdmDataModule dm;
            QVERIFY2(dm.startupProblem().isEmpty(), qPrintable(dm.startupProblem()));
            forms::createWindows();
            struct Visit {
                int classId;
                QString className, system, property, key;
            };
            QList<Visit> visits;
            {
                // The first publication of each class and property.
                QSqlQuery q(QSqlDatabase::database(dm.connectionName()));
                QVERIFY(q.exec(QStringLiteral(
                    "SELECT S.ID_SELECT, S.NAZWA, MIN(U.OZNACZENIE), W.WLASNOSC, MIN(P.OZNACZENIE) "
                    "FROM WLA_TAB_PUB L, TAB_UKL U, SELECT_SYSTEM S, WLASNOSCI W, PUBLIKACJE P "
                    "WHERE L.ID_TAB_UKL = U.ID_TAB_UKL AND U.ID_SELECT = S.ID_SELECT "
                    "AND L.ID_WLASCIWOSCI = W.ID_WLASCIWOSCI AND L.ID_PUBLIKACJI = P.ID_PUBLIKACJI "
                    "AND W.WLASNOSC IN ('Density', 'Surface tension', 'Molar volume') "
                    "GROUP BY S.ID_SELECT, W.WLASNOSC")));
                while (q.next())
                    visits << Visit{q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(),
                                    q.value(3).toString(), q.value(4).toString()};
            }
            QVERIFY(visits.size() >= 5);
            Choices choices;
            for (const Visit& v : visits) {
                choices = {v.className, v.system, v.property, true, false, false};
                session().setChoices(choices);
                dm.query(QStringLiteral("qrSelect"))->locate(QStringLiteral("ID_SELECT"), v.classId);
                dm.OpenSystems();
                dm.query(QStringLiteral("qrTabUkl"))->locate(QStringLiteral("OZNACZENIE"), v.system);
                dm.query(QStringLiteral("qrWlasnosci"))->locate(QStringLiteral("WLASNOSC"), v.property);
                dm.OpenPublications();
                dm.OpenPublications2();
                dm.OpenAxisLabel();
                dm.OpenElements();
                auto w = std::make_unique<TfmWykres>();
                w->show();
                if (!w->findChild<DbLookupList*>(QStringLiteral("dblAutor"))->chooseText(v.key))
                    continue;
                auto* box = w->findChild<QCheckBox*>(QStringLiteral("chbShow"));
                for (bool calculated : {true, false}) {
                    if (box->isChecked() != calculated)
                        box->click();
                    w->temperatureField(1)->setText(QStringLiteral("1273"));
                    w->sbShowClick();
                    ++shows;
                }
            }
            session().setChoices({});
            dm.OpenDTA();
            forms::destroyWindows();
        }
        dirs::overrideApplicationDir(QString());
        QVERIFY(shows >= 10);
        QCOMPARE(sha256(copy), before);
        QCOMPARE(QFileInfo(copy).lastModified(), modified);
        QVERIFY(!QFile::exists(copy + QStringLiteral("-journal")));
        QVERIFY(!QFile::exists(copy + QStringLiteral("-wal")));
    }
};

QTEST_MAIN(TestBrowsingRun)
#include "test_browsing_run.moc"
