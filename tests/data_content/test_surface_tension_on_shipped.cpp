// The calculated surface-tension rows of the shipped database ("[calc-st <system>]") against
// the Butler curves they were made from: the program's own Butler fits, or for a binary
// without a fit the Butler equations with the sourced liquid. Every row's line must stay
// within the deviation its SOURCE states, end exactly on the pure-component lines, and the
// publication list of the surface-tension pages must offer the record.
#include "models/ButlerCatalogue.h"

#include "Butler.h"
#include "Inputs.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <cmath>

using namespace korvel;

namespace {

QSqlDatabase shipped() { return QSqlDatabase::database(QStringLiteral("shipped")); }

struct Row {
    QString system;
    double x, a, b;
    int tLow, tHigh;
    double deviation; // stated in SOURCE
};

QList<Row> calculatedRows(const QString& table)
{
    QSqlQuery q(shipped());
    const QString sql = QStringLiteral(
        "SELECT U.OZNACZENIE, D.X, D.A, D.B, MIN(T.T), MAX(T.T), D.SOURCE FROM %1 D "
        "JOIN PUBLIKACJE P ON P.ID_PUBLIKACJI = D.ID_PUBLIKACJI JOIN TAB_UKL U ON U.ID_TAB_UKL = D.ID_TAB_UKL "
        "JOIN DANE_WLASNOSCI_T T ON T.ID_PUBLIKACJI = D.ID_PUBLIKACJI AND T.ID_TAB_UKL = D.ID_TAB_UKL AND T.X = D.X AND T.ID_WLASCIWOSCI = 2 "
        "WHERE D.ID_WLASCIWOSCI = 2 AND P.OZNACZENIE LIKE '[calc-st %' GROUP BY U.OZNACZENIE, D.X, D.A, D.B, D.SOURCE ORDER BY U.OZNACZENIE, D.X");
    if (!q.exec(sql.arg(table)))
        qFatal("%s", qPrintable(q.lastError().text()));
    static const QRegularExpression stated(QStringLiteral("largest deviation ([0-9.e+-]+) mN/m"));
    QList<Row> rows;
    while (q.next()) {
        const auto m = stated.match(q.value(6).toString());
        if (!m.hasMatch())
            qFatal("no stated deviation: %s", qPrintable(q.value(6).toString()));
        rows.append({q.value(0).toString(), q.value(1).toDouble(), q.value(2).toDouble(), q.value(3).toDouble(), q.value(4).toInt(),
                     q.value(5).toInt(), m.captured(1).toDouble()});
    }
    return rows;
}

// The stated deviation has two significant digits and was measured on 41 temperatures; between
// them a smooth curve departs a little further, and the fits round their pure-component lines to
// four decimals where they form them.
bool withinStated(double line, double model, double stated) { return std::abs(line - model) <= 1.1 * stated + 1e-4; }

} // namespace

class TestSurfaceTensionOnShipped : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("shipped"));
        db.setDatabaseName(qEnvironmentVariable("KORVEL_BUILD_DIR") + QStringLiteral("/bin/Database/korvel3.sqlite"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QVERIFY(db.open());
    }

    void cleanupTestCase()
    {
        QSqlDatabase::database(QStringLiteral("shipped")).close();
        QSqlDatabase::removeDatabase(QStringLiteral("shipped"));
    }

    // The binaries with surface tension: every one with a complete Butler fit or a sourced
    // liquid and catalogue lines for both metals, each at x = 0, 0.1, ..., 1.
    void everyComputableBinaryHasSurfaceTension()
    {
        QMap<QString, int> perSystem;
        for (const Row& r : calculatedRows(QStringLiteral("DANE_WLASNOSCI")))
            ++perSystem[r.system];
        const QStringList expected = {QStringLiteral("Ag-Au"), QStringLiteral("Ag-Bi"), QStringLiteral("Ag-Cu"), QStringLiteral("Ag-Sb"),
                                      QStringLiteral("Ag-Sn"), QStringLiteral("Au-Sn"), QStringLiteral("Bi-Cu"), QStringLiteral("Bi-Sn"),
                                      QStringLiteral("Cu-Sn"), QStringLiteral("In-Sn"), QStringLiteral("Pb-Sn"), QStringLiteral("Sb-Sn"),
                                      QStringLiteral("Sn-Zn")};
        QCOMPARE(perSystem.keys(), expected);
        for (auto it = perSystem.cbegin(); it != perSystem.cend(); ++it)
            QVERIFY2(it.value() == 11, qPrintable(it.key()));

        // Binaries showing surface tension at all (any record), through the pages' publication list.
        QSqlQuery list(shipped());
        QVERIFY(list.prepare(QStringLiteral(
            "SELECT COUNT(DISTINCT TAB_UKL.ID_TAB_UKL) FROM PUBLIKACJE, WLA_TAB_PUB, TAB_UKL WHERE WLA_TAB_PUB.ID_WLASCIWOSCI = 2 "
            "AND PUBLIKACJE.ID_PUBLIKACJI = WLA_TAB_PUB.ID_PUBLIKACJI AND WLA_TAB_PUB.ID_TAB_UKL = TAB_UKL.ID_TAB_UKL AND TAB_UKL.ID_SELECT = 2 "
            "AND PUBLIKACJE.OZNACZENIE LIKE :key")));
        list.bindValue(QStringLiteral(":key"), QStringLiteral("[calc-st %"));
        QVERIFY(list.exec() && list.next());
        QCOMPARE(list.value(0).toInt(), int(expected.size()));
    }

    void rowsFollowTheCatalogueFits()
    {
        const ButlerCatalogue& catalogue = ButlerCatalogue::builtIn();
        int checked = 0;
        auto check = [&](const Row& r, const ButlerFit& fit) {
            for (double t : {double(r.tLow), 0.5 * (r.tLow + r.tHigh) + 3.7, double(r.tHigh)}) {
                const double model = double(fit.evaluate(r.x, t));
                QVERIFY2(withinStated(r.a + r.b * t, model, r.deviation),
                         qPrintable(QStringLiteral("%1 x = %2 T = %3: line %4, fit %5, stated %6")
                                        .arg(r.system).arg(r.x).arg(t).arg(r.a + r.b * t).arg(model).arg(r.deviation)));
            }
            ++checked;
        };
        for (const Row& r : calculatedRows(QStringLiteral("DANE_WLASNOSCI"))) {
            const ButlerFit* fit = nullptr;
            for (const ButlerFit* f : catalogue.temperatureFits(r.system))
                if (!fit && f->complete() && f->form != ButlerFit::Form::Line)
                    fit = f;
            if (!fit)
                continue; // the binaries solved directly, below
            check(r, *fit);
            // The ends are the fit's pure-component lines exactly, in the system's order.
            const ButlerFit& rows = fit->form == ButlerFit::Form::IsothermFit ? *fit->isothermFit : *fit;
            if (r.x == 0 || r.x == 1) {
                const ButlerPureLine& p = rows.pure.at(r.x == 0 ? 0 : 1);
                QVERIFY2(std::abs(r.a - p.s) < 1e-3 && std::abs(r.b + p.t) < 1e-6, qPrintable(r.system));
            }
        }
        QCOMPARE(checked, 12 * 11);

        const QList<Row> section = calculatedRows(QStringLiteral("DANE45"));
        QCOMPARE(section.size(), 8); // x Cu = 0 .. 0.07
        for (const Row& r : section) {
            QCOMPARE(r.system, QStringLiteral("Ag-Cu-Sn"));
            check(r, *catalogue.fit(r.system, ButlerFit::Use::Temperature));
        }
    }

    // Bi-Cu has no fit of its own: its rows against the Butler equations with the NIST
    // solder file's liquid, solved here again from the same inputs.
    void directlySolvedRowsFollowTheButlerEquations()
    {
        const thermo::Inputs inputs = thermo::readInputs(KORVEL_SOURCE_DIR "/data");
        thermo::ButlerSystem biCu;
        biCu.excess = inputs.liquid.at("Bi-Cu").excess;
        biCu.sigma1 = {405, 0.0492};
        biCu.sigma2 = {1475.6, 0.1422};
        biCu.volume1 = inputs.elements.at("Bi");
        biCu.volume2 = inputs.elements.at("Cu");
        int checked = 0;
        for (const Row& r : calculatedRows(QStringLiteral("DANE_WLASNOSCI"))) {
            if (r.system != QLatin1String("Bi-Cu"))
                continue;
            QCOMPARE(r.tLow, 1358); // the melting point of Cu
            for (double t : {1358.0, 1431.3, 1500.0}) {
                const double model = thermo::solveButler(biCu, r.x, t).sigma;
                QVERIFY2(withinStated(r.a + r.b * t, model, r.deviation), qPrintable(QStringLiteral("x = %1 T = %2").arg(r.x).arg(t)));
            }
            ++checked;
        }
        QCOMPARE(checked, 11);
    }
};

QTEST_GUILESS_MAIN(TestSurfaceTensionOnShipped)
#include "test_surface_tension_on_shipped.moc"
