// The validation report: regenerated from the built database and data/, it is byte for byte the
// committed docs/validation.*; one dataset's numbers recomputed here from its database rows and
// the calculator's values; the deviation rules; what is and is not counted as a measurement.
#include "Comparison.h"
#include "ReportFiles.h"

#include "AlloyCalculator.h"
#include "AlloyData.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace korvel;

namespace {

const QString kSource = QStringLiteral(KORVEL_SOURCE_DIR);

QByteArray contents(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The committed report's CSV rows, split (no field of the rows looked up here holds a quote).
QList<QStringList> committedRows()
{
    QList<QStringList> rows;
    const QList<QByteArray> lines = contents(kSource + QStringLiteral("/docs/validation.csv")).split('\n');
    for (const QByteArray &line : lines)
        if (!line.isEmpty())
            rows.append(QString::fromUtf8(line).split(QLatin1Char(',')));
    return rows;
}

QStringList committedRow(const QString &kind, const QString &property, const QString &dataset, const QString &method)
{
    for (const QStringList &r : committedRows())
        if (r.value(0) == kind && r.value(1) == property && r.value(2) == dataset && r.value(3) == method)
            return r;
    return {};
}

const alloy::AlloyData &data()
{
    static const alloy::AlloyData d = alloy::AlloyData::read((kSource + QStringLiteral("/data")).toStdString());
    return d;
}

} // namespace

class TestValidation : public QObject {
    Q_OBJECT

private slots:
    void regeneratedReportIsTheCommittedOne()
    {
        // Into the build folder under ctest (left there to look at), else a temporary one.
        QTemporaryDir temporary;
        const QString build = qEnvironmentVariable("KORVEL_BUILD_DIR");
        const QString out = build.isEmpty() ? temporary.path() : QDir(build).filePath(QStringLiteral("validation-report"));
        QDir(out).removeRecursively();
        QVERIFY(QDir().mkpath(out));
        QProcess tool;
        tool.start(QStringLiteral(KORVEL_VALIDATE), {QStringLiteral(KORVEL_DATABASE), kSource + QStringLiteral("/data"), out});
        QVERIFY(tool.waitForFinished(600000));
        QCOMPARE(tool.exitCode(), 0);
        QStringList files{QStringLiteral("validation.md"), QStringLiteral("validation.csv")};
        const QStringList built = QDir(out + QStringLiteral("/validation")).entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
        const QStringList committed =
            QDir(kSource + QStringLiteral("/docs/validation")).entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
        QCOMPARE(built, committed);
        QVERIFY(!built.isEmpty());
        for (const QString &svg : built)
            files << QStringLiteral("validation/") + svg;
        for (const QString &f : files) {
            const QByteArray now = contents(out + QLatin1Char('/') + f);
            QVERIFY2(!now.isEmpty(), qPrintable(f));
            QVERIFY2(now == contents(kSource + QStringLiteral("/docs/") + f),
                     qPrintable(f + QStringLiteral(" differs from the committed one: rebuild the target korvel_generate_validation")));
        }
    }

    // Pb-Sn [2005Jem1]: the density line of the database against ideal mixing, by hand.
    void oneDatasetRecomputedFromItsRows()
    {
        double x = 0, A = 0, B = 0, tMin = 0, tMax = 0;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("hand"));
            db.setDatabaseName(QStringLiteral(KORVEL_DATABASE));
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral(
                "SELECT d.X, d.A, d.B, MIN(t.T), MAX(t.T) FROM DANE_WLASNOSCI d JOIN PUBLIKACJE b USING (ID_PUBLIKACJI) "
                "JOIN TAB_UKL u USING (ID_TAB_UKL) JOIN DANE_WLASNOSCI_T t ON t.ID_TAB_UKL = d.ID_TAB_UKL AND t.ID_PUBLIKACJI = d.ID_PUBLIKACJI "
                "AND t.ID_WLASCIWOSCI = d.ID_WLASCIWOSCI AND t.X = d.X WHERE u.OZNACZENIE = 'Pb-Sn' AND b.OZNACZENIE = '[2005Jem1]' "
                "AND d.ID_WLASCIWOSCI = 1 GROUP BY d.ID_DANE_WLA")));
            QVERIFY(q.next());
            x = q.value(0).toDouble();
            A = q.value(1).toDouble();
            B = q.value(2).toDouble();
            tMin = q.value(3).toDouble();
            tMax = q.value(4).toDouble();
            QVERIFY(!q.next()); // one composition
        }
        QSqlDatabase::removeDatabase(QStringLiteral("hand"));
        QVERIFY(tMax > tMin);

        const alloy::AlloyCalculator calculator(data());
        const std::string designation = "Pb" + QString::number(1 - x, 'f', 4).toStdString() + "Sn" + QString::number(x, 'f', 4).toStdString();
        const alloy::Composition c = alloy::parseAlloy(designation, alloy::Basis::Mole, calculator.molarMasses());
        std::vector<double> temperatures;
        for (int i = 0; i <= 10; ++i)
            temperatures.push_back(tMin + (tMax - tMin) * i / 10);
        const alloy::AlloyResult r = calculator.compute(c, temperatures);
        double sumAbs = 0, sum = 0, largest = 0;
        int n = 0;
        for (const alloy::PropertyValue &v : r.values) {
            if (v.property != "density" || v.method != "ideal mixing (calculated)")
                continue;
            const double measured = A + B * v.T, dev = 100 * (v.value - measured) / measured;
            sumAbs += std::fabs(dev);
            sum += dev;
            largest = std::fabs(dev) > std::fabs(largest) ? dev : largest;
            ++n;
        }
        QCOMPARE(n, 11);
        const QStringList row = committedRow(QStringLiteral("dataset"), QStringLiteral("density"), QStringLiteral("Pb-Sn [2005Jem1]"),
                                             QStringLiteral("ideal mixing (calculated)"));
        QCOMPARE(row.size(), 12);
        QCOMPARE(row[5], QStringLiteral("11"));
        QCOMPARE(row[6], QStringLiteral("0"));
        QCOMPARE(row[7], QString::number(sumAbs / n, 'f', 2));
        QCOMPARE(row[8], QString::number(sum / n, 'f', 2));
        QCOMPARE(row[9], QString::number(largest, 'f', 2));
        QCOMPARE(row[10], QStringLiteral("%"));
        QVERIFY(sumAbs / n > 0.01); // the ideal-mixing line is not the measured one
    }

    // Sn-9Zn: the computed liquidus against the DTA row, in K.
    void meltingDatasetInKelvin()
    {
        const alloy::AlloyCalculator calculator(data());
        const alloy::AlloyResult r = calculator.compute(alloy::parseAlloy("Sn-9Zn", alloy::Basis::Mass, calculator.molarMasses()), {});
        QVERIFY(r.melting.front().value);
        for (const QStringList &line : committedRows()) {
            if (line.value(1) != QStringLiteral("liquidus") || !line.join(QLatin1Char(',')).contains(QStringLiteral("91Sn/9Zn")))
                continue;
            // The dataset's name holds a comma, so the numbers are counted from the end.
            QCOMPARE(line[line.size() - 2], QStringLiteral("K"));
            QCOMPARE(line[line.size() - 3], QString::number(*r.melting.front().value - 472.15, 'f', 2));
            return;
        }
        QFAIL("no liquidus row of 91Sn/9Zn in the report");
    }

    // What enters as a measurement, what is listed as not computed, and the summaries over the
    // dataset rows.
    void reportContents()
    {
        const QList<QStringList> rows = committedRows();
        int notComputed = 0;
        for (const QStringList &r : rows) {
            const QString line = r.join(QLatin1Char(','));
            QVERIFY2(!line.contains(QStringLiteral("[calc")) && !line.contains(QStringLiteral("[Butler lines]")) &&
                         !line.contains(QStringLiteral("(calculated) (")),
                     qPrintable(line));
            QVERIFY2(r.value(3) != QStringLiteral("measured"), qPrintable(line));
            if (line.contains(QStringLiteral("not computed: ")))
                ++notComputed;
        }
        // SnIn52 and SnZn8Bi3: no parameter file describes their liquid; liquidus and solidus each.
        QCOMPARE(notComputed, 4);
        QVERIFY(contents(kSource + QStringLiteral("/docs/validation.md")).contains("SnIn52 (SCIENCEMADNESS_WIKI, row 32) (1 point): not assessed"));
        QVERIFY(contents(kSource + QStringLiteral("/docs/validation.md")).contains("The database holds no measured viscosity of an alloy"));
        QVERIFY(contents(kSource + QStringLiteral("/README.md")).contains("docs/validation.md"));
    }

    void deviationRules_data()
    {
        QTest::addColumn<bool>("relative");
        QTest::addColumn<QList<double>>("measuredComputed");
        QTest::addColumn<double>("meanAbsolute");
        QTest::addColumn<double>("mean");
        QTest::addColumn<double>("largest");
        QTest::newRow("percent, largest keeps its sign") << true << QList<double>{100, 102, 200, 190} << 3.5 << -1.5 << -5.0;
        QTest::newRow("kelvin") << false << QList<double>{472.15, 482.12, 411.15, 414.52} << 6.67 << 6.67 << 9.97;
        QTest::newRow("exact") << true << QList<double>{8, 8} << 0.0 << 0.0 << 0.0;
    }
    void deviationRules()
    {
        QFETCH(bool, relative);
        QFETCH(QList<double>, measuredComputed);
        std::vector<validation::Pair> pairs;
        for (qsizetype i = 0; i + 1 < measuredComputed.size(); i += 2)
            pairs.push_back({measuredComputed[i], measuredComputed[i + 1]});
        const validation::Deviations d = validation::deviationsOf(pairs, relative);
        QCOMPARE(d.points, pairs.size());
        QFETCH(double, meanAbsolute);
        QFETCH(double, mean);
        QFETCH(double, largest);
        QVERIFY(std::fabs(d.meanAbsolute - meanAbsolute) < 0.01);
        QVERIFY(std::fabs(d.mean - mean) < 0.01);
        QVERIFY(std::fabs(d.largest - largest) < 0.01);
    }
};

QTEST_GUILESS_MAIN(TestValidation)
#include "test_validation.moc"
