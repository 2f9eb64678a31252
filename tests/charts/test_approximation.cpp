// "Approx" over calculated isotherms and "PbSn" in the chart window.
#include "Checks.h"
#include "ChartVisit.h"
#include "core/Session.h"
#include "charts/IsothermLogic.h"
#include "charts/IsothermPage.h"
#include "charts/PlotWidget.h"
#include "charts/TfmWykres.h"
#include "database/DataModule.h"
#include "database/Query.h"
#include "widgets/DbLookupList.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace korvel;

namespace {

struct ApproxVisit : test::ChartVisit {
    ApproxVisit(const QString& system, const QString& property, bool isotherms, int classId = 2,
                const QString& className = QStringLiteral("Binary systems"), const QString& section = {})
        : ChartVisit(QStringLiteral("temperature"), {classId, className, system, property, isotherms, false, section})
    {
    }
    // Shows the publication's isotherms at the given temperatures.
    [[nodiscard]] bool showIsotherms(const QString& key, const QStringList& temperatures)
    {
        KORVEL_CHECK(w->isothermPage()->dblAutor()->chooseText(key));
        w->isothermPage()->chbShow()->setChecked(true);
        for (int n = 1; n <= temperatures.size(); ++n)
            QTest::keyClicks(w->temperatureField(n), temperatures[n - 1]);
        w->sbShowClick();
        return true;
    }
    QList<PlotSeries*> curves() const
    {
        QList<PlotSeries*> result;
        for (PlotSeries* s : w->chart()->allSeries())
            if (s->kind() == SeriesKind::Line && s->penWidth() == 2)
                result << s;
        return result;
    }
};

} // namespace

class TestApproximation : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void curvesOfTheCalculatedIsotherms()
    {
        ApproxVisit v(QStringLiteral("Ag-Bi"), QStringLiteral("Surface tension"), true);
        QVERIFY(v.showIsotherms(QStringLiteral("[2003Src1]"), {QStringLiteral("1273"), QStringLiteral("1373"), QStringLiteral("1473")}));
        QVERIFY2(v.ui.messages.isEmpty(), qPrintable(v.ui.texts().join(QLatin1Char('|'))));
        QVERIFY(v.w->IsothermCalculated(1) && v.w->IsothermCalculated(2) && v.w->IsothermCalculated(3));
        v.w->state().isothermCalculated[1] = false; // T1 and T3 calculated
        v.w->sbGraphClick();
        QVERIFY2(v.ui.messages.isEmpty(), qPrintable(v.ui.texts().join(QLatin1Char('|'))));
        const QList<PlotSeries*> curves = v.curves();
        QCOMPARE(curves.size(), 2);
        QCOMPARE(curves[0]->colour(), QColor(0xFF0000));
        QCOMPARE(curves[1]->colour(), QColor(0x0000FF));
        QCOMPARE(curves[0]->pointCount(), 26);
        QCOMPARE(curves[0]->point(0), QPointF(0, 891.2978));
        QCOMPARE(curves[0]->point(25), QPointF(1, 341.8684));
        QVERIFY(!curves[0]->inLegend());
        QVERIFY(!v.w->IsothermCalculated(1) && !v.w->IsothermCalculated(3));
        // A second press draws nothing more.
        const int count = v.w->chart()->seriesCount();
        v.w->sbGraphClick();
        QCOMPARE(v.w->chart()->seriesCount(), count);
        QVERIFY(v.ui.messages.isEmpty());
    }

    void notASourceRefusedOncePerTemperature()
    {
        ApproxVisit v(QStringLiteral("Ag-Bi"), QStringLiteral("Surface tension"), true);
        QVERIFY(v.showIsotherms(QStringLiteral("[2002Oth9]"), {QStringLiteral("1273"), QStringLiteral("1373")}));
        v.ui.messages.clear();
        const int count = v.w->chart()->seriesCount();
        v.w->sbGraphClick();
        QCOMPARE(v.ui.texts(), (QStringList{kDataNotAvailable, kDataNotAvailable}));
        QCOMPARE(v.w->chart()->seriesCount(), count);
    }

    void calculatedValuesLine()
    {
        ApproxVisit v(QStringLiteral("Ag-Bi-Cu-Sn"), QStringLiteral("Density"), true, 4,
                      QStringLiteral("Quaternary systems"), QStringLiteral("Quaternary section"));
        QVERIFY(v.showIsotherms(QStringLiteral("[2001Abc1]"), {QStringLiteral("1000")}));
        QVERIFY(v.w->IsothermCalculated(1));
        const int before = v.w->chart()->seriesCount();
        QVERIFY(before > 0);
        const QList<QPointF> isotherm = v.w->chart()->series(before - 1)->points();
        v.w->sbGraphClick();
        QVERIFY2(v.ui.messages.isEmpty(), qPrintable(v.ui.texts().join(QLatin1Char('|'))));
        QCOMPARE(v.w->chart()->seriesCount(), before + 1);
        PlotSeries* line = v.w->chart()->series(before);
        QCOMPARE(line->kind(), SeriesKind::Line);
        QCOMPARE(line->colour(), QColor(0xFF0000));
        QCOMPARE(line->points(), isotherm); // through the calculated values
    }

    void pbSnReference_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<int>("points"); // 0: refused
        QTest::newRow("density") << "Density" << 9;
        QTest::newRow("molar volume") << "Molar volume" << 0;
    }
    void pbSnReference()
    {
        QFETCH(QString, property);
        QFETCH(int, points);
        ApproxVisit v(QStringLiteral("Ag-Sn"), property, false);
        QPushButton* pbsn = v.w->findChild<QPushButton*>(QStringLiteral("sbPbSn"));
        QVERIFY(pbsn->isEnabled());
        QCOMPARE(pbsn->toolTip(), QStringLiteral("(PbSn)eut"));
        pbsn->click();
        QVERIFY(!pbsn->isEnabled());
        QVERIFY(v.w->PbSnCurveShown());
        if (points == 0) {
            QCOMPARE(v.ui.texts(), QStringList{kDataNotAvailable});
            QCOMPARE(v.w->chart()->seriesCount(), 0);
            return;
        }
        QVERIFY(v.ui.messages.isEmpty());
        QCOMPARE(v.w->chart()->seriesCount(), 1);
        PlotSeries* s = v.w->chart()->series(0);
        QCOMPARE(s->pointCount(), points);
        QCOMPARE(s->title(), QStringLiteral("(Pb-Sn)eut"));
        QCOMPARE(s->penStyle(), Qt::DashDotDotLine);
        QCOMPARE(s->colour(), QColor(Qt::black));
        QCOMPARE(v.w->chart()->legendTitles(), QStringList{QStringLiteral("(Pb-Sn)eut")});
        // Page 1's "Clear" enables it again.
        v.w->sbClearT1Click();
        QVERIFY(pbsn->isEnabled());
        QVERIFY(!v.w->PbSnCurveShown());
    }
};

QTEST_MAIN(TestApproximation)
#include "test_approximation.moc"
