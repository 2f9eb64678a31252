// Every block of the viscosity catalogue must be selectable in the chart window:
// its key is a publication of the shipped database, linked to the block's system
// for viscosity, whose two viscosity rows hold the block's pure-component constants.
#include "models/ViscosityCatalogue.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>
#include <cmath>

using namespace korvel;

class TestModelKeysOnShipped : public QObject {
    Q_OBJECT
private slots:
    void everyBlockHasItsPublication()
    {
        const QString file = qEnvironmentVariable("KORVEL_BUILD_DIR") + QStringLiteral("/bin/Database/korvel3.sqlite");
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("shipped"));
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QSqlQuery rows(db);
        QVERIFY(rows.prepare(QStringLiteral(
            "SELECT D.X, D.A, D.B FROM DANE_WLASNOSCI D, PUBLIKACJE P, TAB_UKL U, WLA_TAB_PUB L "
            "WHERE P.OZNACZENIE = :key AND U.OZNACZENIE = :system AND D.ID_PUBLIKACJI = P.ID_PUBLIKACJI "
            "AND D.ID_TAB_UKL = U.ID_TAB_UKL AND D.ID_WLASCIWOSCI = 4 AND L.ID_WLASCIWOSCI = 4 "
            "AND L.ID_TAB_UKL = U.ID_TAB_UKL AND L.ID_PUBLIKACJI = P.ID_PUBLIKACJI ORDER BY D.X")));
        int blocks = 0;
        for (const ViscositySystem& system : ViscosityCatalogue::builtIn().systems()) {
            for (const ViscosityBlock& block : system.blocks) {
                ++blocks;
                QVERIFY2(!block.key.isEmpty(), qPrintable(system.name));
                QCOMPARE(ViscosityCatalogue::builtIn().block(system.name, block.key)->number, block.number);
                rows.bindValue(QStringLiteral(":key"), block.key);
                rows.bindValue(QStringLiteral(":system"), system.name);
                QVERIFY(rows.exec());
                QList<QList<double>> found;
                while (rows.next())
                    found.append({rows.value(0).toDouble(), rows.value(1).toDouble(), rows.value(2).toDouble()});
                const QString where = system.name + QLatin1Char(' ') + block.key;
                QVERIFY2(found.size() == 2, qPrintable(where));
                // x = 0 is component 1 (A1, E1), x = 1 component 2 (A2, E2).
                QCOMPARE(found[0][0], 0.0);
                QCOMPARE(found[0][1], block.A1);
                QCOMPARE(found[0][2], block.E1);
                QCOMPARE(found[1][0], 1.0);
                QCOMPARE(found[1][1], block.A2);
                QCOMPARE(found[1][2], block.E2);
            }
        }
        QCOMPARE(blocks, 27);
        db.close();
    }
};

QTEST_GUILESS_MAIN(TestModelKeysOnShipped)
#include "test_model_keys_on_shipped.moc"
