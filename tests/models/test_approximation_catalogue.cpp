// The approximation catalogue: which systems hold what, the values of the Ag-Bi
// entry, refusals, the Pb-Sn reference, and that the built-in coefficients are
// those documented for the shipped database in data/sources/program_equations.csv.
#include "models/ApproximationCatalogue.h"

#include <QFile>
#include <QtTest>

using namespace korvel;

Q_DECLARE_METATYPE(ApproximationKind)

class TestApproximationCatalogue : public QObject {
    Q_OBJECT
private slots:
    void kinds_data()
    {
        QTest::addColumn<QString>("system");
        QTest::addColumn<ApproximationKind>("kind");
        QTest::newRow("Ag-Bi") << "Ag-Bi" << ApproximationKind::Equations;
        QTest::newRow("Ag-Bi-Sn") << "Ag-Bi-Sn" << ApproximationKind::Equations;
        QTest::newRow("Pb-Sn") << "Pb-Sn" << ApproximationKind::Equations;
        QTest::newRow("Ag-Bi-Cu-Sn") << "Ag-Bi-Cu-Sn" << ApproximationKind::CalculatedValues;
        QTest::newRow("Ag-Bi-Cu-Sb-Sn") << "Ag-Bi-Cu-Sb-Sn" << ApproximationKind::CalculatedValues;
        for (const char* s : {"Ag-Cu", "Al-In", "Au-In", "Au-Sn", "Cu-In"})
            QTest::newRow(s) << s << ApproximationKind::NoEquations;
        QTest::newRow("Ag-Sn: no equations of a held source") << "Ag-Sn" << ApproximationKind::NotHeld;
    }
    void kinds()
    {
        QFETCH(QString, system);
        QFETCH(ApproximationKind, kind);
        QCOMPARE(ApproximationCatalogue::kindOf(system), kind);
    }

    void agBiAt1273()
    {
        const FixedPoint4 t = FixedPoint4::fromRaw(1273 * FixedPoint4::Scale);
        const auto sigma = ApproximationCatalogue::curve(QStringLiteral("Ag-Bi"), QStringLiteral("[2003Src1]"),
                                                         QStringLiteral("Surface tension"), t);
        QCOMPARE(sigma.status, ApproximationResult::Status::Drawn);
        QCOMPARE(sigma.points.size(), std::size_t(26));
        QCOMPARE(sigma.points.front(), QPointF(0, 891.2978));
        QCOMPARE(sigma.points.back(), QPointF(1, 341.8684));
        QCOMPARE(sigma.points[1].x(), 0.04);
        const auto volume = ApproximationCatalogue::curve(QStringLiteral("Ag-Bi"), QStringLiteral("[2003Src1]"),
                                                          QStringLiteral("Molar volume"), t);
        QCOMPARE(volume.status, ApproximationResult::Status::Drawn);
        // x = 0: M = 107.868, rho = 10.47 - 0.000911 * 1273 = 9.3103.
        QCOMPARE(volume.points.front().y(), FixedPoint4::fromDouble(107.868 / 9.3103).toDouble());
        QCOMPARE(ApproximationCatalogue::abscissa(QStringLiteral("Ag-Bi-Sn")).size(), std::size_t(25));
        QCOMPARE(ApproximationCatalogue::abscissa(QStringLiteral("Ag-Bi-Sn")).back(), 0.12);
    }

    void refusals()
    {
        const FixedPoint4 t = FixedPoint4::fromRaw(1273 * FixedPoint4::Scale);
        QCOMPARE(ApproximationCatalogue::curve(QStringLiteral("Ag-Bi"), QStringLiteral("[2002Oth9]"),
                                               QStringLiteral("Density"), t).status,
                 ApproximationResult::Status::NotASource);
        QCOMPARE(ApproximationCatalogue::curve(QStringLiteral("Ag-Bi"), QStringLiteral("[2003Src1]"),
                                               QStringLiteral("Viscosity"), t).status,
                 ApproximationResult::Status::PropertyNotDefined);
        QVERIFY(!ApproximationCatalogue::pbSnReference(QStringLiteral("Molar volume")));
        const auto reference = ApproximationCatalogue::pbSnReference(QStringLiteral("Density"));
        QVERIFY(reference);
        QCOMPARE(reference->size(), std::size_t(9));
        QCOMPARE(reference->front(), QPointF(500, 8.2651));
        QCOMPARE(reference->back(), QPointF(1300, 7.3683));
    }

    // The documented equations, evaluated by their own forms, give the catalogue's values.
    void coefficientsAreTheDocumentedOnes()
    {
        QFile file(QStringLiteral(KORVEL_SOURCE_DIR "/data/sources/program_equations.csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList header = QString::fromUtf8(file.readLine()).trimmed().split(QLatin1Char(','));
        int rows = 0;
        while (!file.atEnd()) {
            const QStringList f = QString::fromUtf8(file.readLine()).trimmed().split(QLatin1Char(','));
            if (f.size() < 10)
                continue;
            auto c = [&](int i) { return f[header.indexOf(QStringLiteral("C%1").arg(i))].toDouble(); };
            const QString key = f[0], system = f[1], form = f[3];
            const bool density = f[2] == QLatin1String("1");
            for (int t : {600, 1273}) {
                const auto r = ApproximationCatalogue::curve(system, key, density ? QStringLiteral("Density")
                                                                                  : QStringLiteral("Surface tension"),
                                                             FixedPoint4::fromRaw(t * FixedPoint4::Scale));
                QCOMPARE(r.status, ApproximationResult::Status::Drawn);
                for (const QPointF& p : r.points) {
                    const double x = p.x();
                    double expected = 0;
                    if (form == QLatin1String("mix"))
                        expected = x * (c(0) + c(1) * t) + (1 - x) * (c(2) + c(3) * t) + x * (1 - x) * (c(4) + c(5) * t);
                    else if (form == QLatin1String("logfrac"))
                        expected = (c(0) + c(1) * t) * (1 + (c(2) * t + c(3)) * std::log(x + c(4) * (1 - x)));
                    else if (form == QLatin1String("poly2"))
                        expected = c(0) + c(1) * t + (c(2) + c(3) * t) * x + (c(4) + c(5) * t) * x * x;
                    else
                        QFAIL(qPrintable(QStringLiteral("unknown form ") + form));
                    QVERIFY2(std::fabs(p.y() - expected) <= 0.00005 + 1e-9,
                             qPrintable(QStringLiteral("%1 %2 x=%3 T=%4: %5 vs %6").arg(key, f[2]).arg(x).arg(t).arg(p.y()).arg(expected)));
                }
            }
            ++rows;
        }
        QCOMPARE(rows, 6);
    }
};

QTEST_MAIN(TestApproximationCatalogue)
#include "test_approximation_catalogue.moc"
