// The temperature pages of the chart window on a fixture with temperature
// lines, measured points and surface-tension lines: "Show", "Graph", the line
// lists, "SELECT ALL", both "Clear"s, the viscosity points and the Butler
// temperature curves.
#include "Checks.h"
#include "ChartVisit.h"
#include "core/Session.h"
#include "charts/PlotWidget.h"
#include "charts/SelectionLists.h"
#include "charts/SeriesColours.h"
#include "charts/TemperaturePage.h"
#include "charts/TfmWykres.h"
#include "database/DataModule.h"
#include "database/DataSource.h"
#include "database/Query.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupList.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

using namespace korvel;

namespace {

const QString kNotAvailable = QStringLiteral("This data isn\u2019t available in this version KORVEL database.");

struct TemperatureVisit : test::ChartVisit {
    TemperatureVisit(const QString& system, const QString& property, bool model = false)
        : ChartVisit(QStringLiteral("temperature"),
                     {.system = system, .property = property, .isotherms = false, .model = model})
    {
    }
    TemperaturePage* page(int n) const { return w->temperaturePage(n); }
    // Picks the publication on page n and presses its "Show".
    [[nodiscard]] bool show(int n, const QString& key) const
    {
        KORVEL_CHECK(page(n)->publicationList()->chooseText(key));
        page(n)->showButton()->click();
        return true;
    }
    // Selects the grid rows whose X is one of xs, in that order.
    void select(int n, const QList<double>& xs) const
    {
        DbGrid* g = page(n)->compositionGrid();
        Query* q = g->dataSource()->query();
        for (double x : xs)
            for (int row = 0; row < q->rowCount(); ++row)
                if (qFuzzyCompare(1 + q->value(row, QStringLiteral("X")).toDouble(), 1 + x))
                    g->selectRow(row, true);
    }
    void graph(int n) const { page(n)->graphButton()->click(); }
};

} // namespace

class TestTemperaturePages : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void threeCompositionsOnBothPages()
    {
        TemperatureVisit v(QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        QCOMPARE(v.chart()->axisTitle(PlotWidget::Axis::Bottom), QStringLiteral("Temperature [K]"));
        QVERIFY(v.show(1, QStringLiteral("[2003Tmp1]")));
        QVERIFY(v.ui.messages.isEmpty());
        QCOMPARE(v.page(1)->compositionGrid()->rowCountShown(), 4);
        v.select(1, {0.2, 0.4, 0.6});
        v.graph(1);
        QVERIFY2(v.ui.messages.isEmpty(), qPrintable(v.ui.texts().join(QLatin1Char('|'))));
        QList<PlotSeries*> lines = v.series(SeriesKind::Line);
        QCOMPARE(lines.size(), 3);
        // Every pending line is titled with the composition of the grid's current row.
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(lines[i]->penWidth(), 2);
            QCOMPARE(lines[i]->penStyle(), Qt::SolidLine);
            QCOMPARE(lines[i]->colour(), SeriesColours::at(i));
            QCOMPARE(lines[i]->pointCount(), 2);
        }
        QCOMPARE(lines[0]->title(), QStringLiteral("[2003Tmp1]   X=0.2"));
        QCOMPARE(lines[0]->point(0), QPointF(600, 9.0));
        QCOMPARE(lines[0]->point(1), QPointF(1000, 8.6));
        QCOMPARE(lines[2]->point(1), QPointF(1000, 7.8));
        QCOMPARE(v.w->LineColourIndex1(), 3);
        QCOMPARE(v.chart()->legendTitles().size(), 3);

        // The same selection again draws nothing new.
        v.graph(1);
        QCOMPARE(v.chart()->seriesCount(), 3);

        // Page 2 with another publication: dash-dot-dot lines of width 1 from the start of the table.
        QVERIFY(v.show(2, QStringLiteral("[2004Tmp2]")));
        v.select(2, {0.2, 0.4, 0.6});
        v.graph(2);
        lines = v.series(SeriesKind::Line);
        QCOMPARE(lines.size(), 6);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(lines[3 + i]->penWidth(), 1);
            QCOMPARE(lines[3 + i]->penStyle(), Qt::DashDotDotLine);
            QCOMPARE(lines[3 + i]->colour(), SeriesColours::at(i));
            QVERIFY(lines[3 + i]->title().startsWith(QStringLiteral("[2004Tmp2]   X=")));
        }
        QCOMPARE(v.w->LineColourIndex2(), 3);

        // Either "Clear" removes the lines of both pages and empties both line lists.
        v.w->sbClearT2Click();
        QCOMPARE(v.chart()->seriesCount(), 0);
        QCOMPARE(selection::SelectedLines1().Count(), 0);
        QCOMPARE(selection::SelectedLines2().Count(), 0);
        QCOMPARE(v.w->LineColourIndex2(), 0);
        QCOMPARE(v.w->LineColourIndex1(), 3); // page 1 keeps its colour index
        QVERIFY(!v.page(2)->graphButton()->isEnabled());
        QVERIFY(!v.page(2)->selectAllBox()->isEnabled());
        // The lines of page 1 can be drawn again.
        v.page(1)->compositionGrid()->clearRowSelection();
        v.select(1, {0.2});
        v.graph(1);
        QCOMPARE(v.chart()->seriesCount(), 1);
        v.w->sbClearT1Click();
        QCOMPARE(v.chart()->seriesCount(), 0);
        QCOMPARE(v.w->LineColourIndex1(), 0);
        QVERIFY(v.page(1)->compositionGrid()->dataSource() == nullptr);
    }

    void reselectedLineStaysPending()
    {
        TemperatureVisit v(QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        QVERIFY(v.show(1, QStringLiteral("[2003Tmp1]")));
        v.select(1, {0.2});
        v.graph(1);
        QCOMPARE(v.chart()->seriesCount(), 1);
        // 0.2 again with the new 0.4: the pending 0.2 is drawn along with it.
        v.page(1)->compositionGrid()->clearRowSelection();
        v.select(1, {0.2, 0.4});
        v.graph(1);
        QCOMPARE(v.chart()->seriesCount(), 3);
    }

    void unusableLinesAndEmptySelection()
    {
        TemperatureVisit v(QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        QVERIFY(v.show(1, QStringLiteral("[2003Tmp1]")));
        // Nothing selected: the user is told to select a composition.
        v.graph(1);
        QCOMPARE(v.ui.texts(), QStringList{kSelectComposition});
        QCOMPARE(v.chart()->seriesCount(), 0);
        // X = 0.8 has three rows: skipped with the refusal, the others drawn with their own ends.
        v.ui.messages.clear();
        v.select(1, {0.2, 0.8, 0.4});
        v.graph(1);
        QCOMPARE(v.ui.texts(), QStringList{kNotAvailable});
        const QList<PlotSeries*> lines = v.series(SeriesKind::Line);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[1]->point(0), QPointF(600, 8.6));
    }

    void selectAllAndCellClick()
    {
        TemperatureVisit v(QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        QVERIFY(v.show(1, QStringLiteral("[2003Tmp1]")));
        QCheckBox* all = v.page(1)->selectAllBox();
        QVERIFY(all->isEnabled());
        all->click();
        QCOMPARE(v.page(1)->compositionGrid()->selectedRowsInOrder().size(), 4);
        v.w->dbgTemp1CellClick();
        QVERIFY(!all->isChecked());
        QCOMPARE(v.page(1)->compositionGrid()->selectedRowsInOrder().size(), 0);
        // Unchecked, a cell click leaves the selection alone.
        v.select(1, {0.4});
        v.w->dbgTemp1CellClick();
        QCOMPARE(v.page(1)->compositionGrid()->selectedRowsInOrder().size(), 1);
    }

    void viscosityPointsForCompositionsWithoutLine()
    {
        TemperatureVisit v(QStringLiteral("Ag-Sn"), QStringLiteral("Viscosity"));
        QVERIFY(v.show(1, QStringLiteral("[2005Ghi3]")));
        v.select(1, {0.0, 1.0});
        // The grid's current row (X = 0) has no line.
        v.page(1)->equationsQuery()->setCurrentRow(0);
        v.graph(1);
        QVERIFY2(v.ui.messages.isEmpty(), qPrintable(v.ui.texts().join(QLatin1Char('|'))));
        const QList<PlotSeries*> all = v.chart()->allSeries();
        QCOMPARE(all.size(), 4); // points and legend entry per composition
        QCOMPARE(all[0]->marker(), MarkerStyle::Square);
        QVERIFY(!all[0]->inLegend());
        QCOMPARE(all[0]->pointCount(), 2); // the row without a value is skipped
        QCOMPARE(all[0]->point(0), QPointF(700, 1.5));
        QCOMPARE(all[1]->title(), QStringLiteral("[2005Ghi3]   X=0"));
        QCOMPARE(all[1]->pointCount(), 0);
        QCOMPARE(all[1]->colour(), SeriesColours::at(0));
        QCOMPARE(all[2]->pointCount(), 1);
        QCOMPARE(all[2]->colour(), SeriesColours::at(1));
        QCOMPARE(all[3]->title(), QStringLiteral("[2005Ghi3]   X=1"));
        QCOMPARE(v.chart()->legendTitles(), (QStringList{QStringLiteral("[2005Ghi3]   X=0"), QStringLiteral("[2005Ghi3]   X=1")}));
        QCOMPARE(v.w->LineColourIndex1(), 2);
        QCOMPARE(v.w->PointColourIndex(), 2);
    }

    void viscosityWithoutPointsIsRefused()
    {
        TemperatureVisit v(QStringLiteral("Ag-Sn"), QStringLiteral("Viscosity"));
        QVERIFY(v.show(1, QStringLiteral("[2006Vis7]")));
        v.select(1, {0.3});
        v.graph(1);
        QCOMPARE(v.ui.texts(), QStringList{kNotAvailable});
        QCOMPARE(v.chart()->seriesCount(), 0);
        // Page 2 draws no points: a composition without a line is refused.
        v.ui.messages.clear();
        QVERIFY(v.show(2, QStringLiteral("[2005Ghi3]")));
        v.select(2, {0.0});
        v.page(2)->equationsQuery()->setCurrentRow(0);
        v.graph(2);
        QCOMPARE(v.ui.texts(), QStringList{kNotAvailable});
        QCOMPARE(v.chart()->seriesCount(), 0);
    }

    void butlerTemperatureCurves_data()
    {
        QTest::addColumn<QString>("system");
        QTest::addColumn<int>("curves");
        QTest::addColumn<int>("rows"); // compositions selected
        QTest::newRow("Ag-Sn") << QStringLiteral("Ag-Sn") << 3 << 3;
        QTest::newRow("no fit") << QStringLiteral("Ag-Zn") << 0 << 1;
    }
    void butlerTemperatureCurves()
    {
        QFETCH(QString, system);
        QFETCH(int, curves);
        QFETCH(int, rows);
        TemperatureVisit v(system, QStringLiteral("Surface tension"), true);
        QVERIFY(v.show(1, QStringLiteral("[1999Def2]")));
        QPushButton* butler = v.w->findChild<QPushButton*>(QStringLiteral("sbButler"));
        QVERIFY(butler->isEnabled());
        QCOMPARE(butler->text(), QStringLiteral("Model"));
        v.select(1, {0.0, 0.5, 1.0});
        v.ui.answers = {UiServices::Answer::Yes};
        butler->click();
        const QList<PlotSeries*> lines = v.series(SeriesKind::Line);
        QCOMPARE(lines.size(), curves);
        const QStringList titles = {QStringLiteral("Butler   X=0"), QStringLiteral("Butler   X=0.5"),
                                    QStringLiteral("Butler   X=1")};
        for (int i = 0; i < curves; ++i) {
            QCOMPARE(lines[i]->title(), titles[i]);
            QCOMPARE(lines[i]->colour(), SeriesColours::at(i));
            QCOMPARE(lines[i]->penWidth(), 3);
            QCOMPARE(lines[i]->point(0).x(), 500.0);
        }
        QCOMPARE(v.page(1)->compositionGrid()->selectedRowsInOrder().size(), rows);
        QCOMPARE(v.w->ButlerCurveCount(), rows); // counts rows also without a fit
        // Page 1's "Clear" resets the count and disables the command.
        v.w->sbClearT1Click();
        QCOMPARE(v.w->ButlerCurveCount(), 0);
        QVERIFY(!butler->isEnabled());
    }
};

QTEST_MAIN(TestTemperaturePages)
#include "test_temperature_pages.moc"
