// The chart window driven through its widgets on the chart fixture database:
// opening for each mode and class, the isotherm "Show", the result grids,
// "Clear", the chart-only view and the eutectic chooser.
#include "Checks.h"
#include "ChartVisit.h"
#include "charts/TfmEut.h"
#include "core/Session.h"
#include "charts/PageControl.h"
#include "charts/PlotWidget.h"
#include "charts/SelectionLists.h"
#include "charts/TfmWykres.h"
#include "database/DataModule.h"
#include "database/Query.h"
#include "app/AppWindows.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupList.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <qcustomplot.h>

using namespace korvel;

namespace {

const QString kNotAvailable = QStringLiteral("This data isn\u2019t available in this version KORVEL database.");

// One visit of the chart window on the chart fixture, with the controls this
// test drives by name.
struct Visit : test::ChartVisit {
    static test::ChartVisitOptions options(int classId, const QString& className, const QString& system,
                                           const QString& property, bool isotherms)
    {
        test::ChartVisitOptions o;
        o.classId = classId;
        o.className = className;
        o.system = system;
        o.property = property;
        o.isotherms = isotherms;
        return o;
    }
    Visit(int classId, const QString& className, const QString& system, const QString& property, bool isotherms = true)
        : ChartVisit(QStringLiteral("charts"), options(classId, className, system, property, isotherms))
    {
    }
    template <typename T> T* get(const QString& name) const
    {
        T* child = w->findChild<T*>(name);
        if (!child)
            qFatal("no control %s", qPrintable(name));
        return child;
    }
    QLineEdit* ed(int n) const { return get<QLineEdit>(QStringLiteral("edT%1").arg(n)); }
    DbGrid* grid(const QString& name) const { return get<DbGrid>(name); }
    QPushButton* button(const char* name) const { return get<QPushButton>(QString::fromLatin1(name)); }
    QCheckBox* showBox() const { return get<QCheckBox>(QStringLiteral("chbShow")); }
    QWidget* page(const char* name) const { return get<QWidget>(QString::fromLatin1(name)); }
    [[nodiscard]] bool pick(const QString& key) const
    {
        KORVEL_CHECK(get<DbLookupList>(QStringLiteral("dblAutor"))->chooseText(key));
        return true;
    }
    void type(int n, const QString& text) const
    {
        ed(n)->clear();
        QTest::keyClicks(ed(n), text);
    }
    void show() const { button("sbShow")->click(); }
    QString cell(const QString& gridName, int row, int column) const { return grid(gridName)->cellText(row, column); }
};

} // namespace

class TestChartWindow : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void binaryDensityRoad()
    {
        QLocale::setDefault(QLocale::c());
        Visit v(2, QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        QCOMPARE(v.chart()->title(), QStringLiteral("Ag-Sn"));
        QCOMPARE(v.chart()->axisTitle(PlotWidget::Axis::Left), QStringLiteral("Density[g/cm^3]"));
        QCOMPARE(v.chart()->axisTitle(PlotWidget::Axis::Bottom), QStringLiteral("X Sn"));
        QVERIFY(!v.button("sbShow")->isEnabled());
        QVERIFY(v.pick(QStringLiteral("[2001Abc1]")));
        v.type(1, QStringLiteral("1273"));
        QVERIFY(v.ed(2)->isEnabled());
        v.type(2, QStringLiteral("1373"));
        v.showBox()->click();
        QCOMPARE(v.cell(QStringLiteral("dbgT1"), 0, 0), QString()); // not bound before "Show"
        QVERIFY(v.button("sbShow")->isEnabled());
        v.show();
        QVERIFY2(v.ui.messages.isEmpty(), qPrintable(v.ui.texts().join(QLatin1Char('|'))));

        // Two isotherms and two end-point lines.
        PlotWidget* chart = v.chart();
        QCOMPARE(chart->seriesCount(), 4);
        QList<PlotSeries*> points, lines;
        for (PlotSeries* s : chart->allSeries())
            (s->kind() == SeriesKind::Points ? points : lines) << s;
        QCOMPARE(points.size(), 2);
        QCOMPARE(points[0]->title(), QStringLiteral("[2001Abc1] 1273[K]"));
        QCOMPARE(points[1]->title(), QStringLiteral("[2001Abc1] 1373[K]"));
        QCOMPARE(points[0]->colour(), QColor(0xFF0000));
        QCOMPARE(points[1]->colour(), QColor(0x008000));
        QCOMPARE(points[0]->marker(), MarkerStyle::Star);
        QCOMPARE(points[1]->marker(), MarkerStyle::Rectangle);
        QCOMPARE(points[0]->pointCount(), 3);
        QCOMPARE(points[0]->point(1), QPointF(0.5, 8.0));
        QCOMPARE(points[0]->point(0).y(), 10.0 - 0.001 * 1273);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0]->colour(), QColor(0xFF0000));
        QCOMPARE(lines[1]->colour(), QColor(0x008000));
        QCOMPARE(lines[0]->penWidth(), 1);
        QVERIFY(!lines[0]->inLegend());
        QCOMPARE(lines[1]->points(), (QList<QPointF>{{0.0, 10.0 - 0.001 * 1373}, {1.0, 7.0 - 0.0005 * 1373}}));
        QCOMPARE(chart->legendTitles(), (QStringList{points[0]->title(), points[1]->title()}));

        // Locked fields, grids, captions, bottom grid and menu.
        QVERIFY(!v.ed(1)->isEnabled());
        QVERIFY(!v.ed(2)->isEnabled());
        QVERIFY(v.ed(3)->isEnabled());
        QVERIFY(v.w->IsothermCalculated(1) && v.w->IsothermCalculated(2) && !v.w->IsothermCalculated(3));
        QCOMPARE(v.grid(QStringLiteral("dbgT1"))->rowCountShown(), 3);
        QCOMPARE(v.cell(QStringLiteral("dbgT1"), 0, 1), QStringLiteral("8.727")); // five significant digits
        QCOMPARE(v.cell(QStringLiteral("dbgT1"), 1, 1), QStringLiteral("8"));
        QCOMPARE(v.grid(QStringLiteral("dbgT1"))->columnTitle(0), QStringLiteral("X Sn"));
        QCOMPARE(v.grid(QStringLiteral("dbgT2"))->columnTitle(1), QStringLiteral("d(T2)"));
        QCOMPARE(v.grid(QStringLiteral("dbgT4"))->columnTitle(1), QStringLiteral("d(T4)"));
        QCOMPARE(v.get<QLabel>(QStringLiteral("panT1T2"))->text(), QStringLiteral("Density  Ag-Sn [g/cm^3]"));
        QCOMPARE(v.w->pageControl2()->activePage(), v.page("tsWynikiT1T2"));
        QCOMPARE(v.w->pageControl2()->caption(v.page("tsWynikiT1T2")), QStringLiteral("1273[K]       1373[K]"));
        QCOMPARE(v.grid(QStringLiteral("dbgPublikacje"))->rowCountShown(), 1);
        QCOMPARE(v.cell(QStringLiteral("dbgPublikacje"), 0, 0), QStringLiteral("[2001Abc1]"));
        QCOMPARE(v.grid(QStringLiteral("dbgPublikacje"))->columnTitle(0), QStringLiteral("REFERENCES"));
        QVERIFY(v.w->calculatedValueAction()->isEnabled());
        QVERIFY(!v.w->equationsAction()->isEnabled());
        QVERIFY(v.button("sbGraph")->isEnabled());

        // Another publication and T3: only slot 3 is drawn, with the new key.
        QVERIFY(v.pick(QStringLiteral("[A]")));
        v.type(3, QStringLiteral("1473"));
        v.show();
        QCOMPARE(chart->seriesCount(), 6);
        PlotSeries* third = nullptr;
        for (PlotSeries* s : chart->allSeries()) {
            if (s->kind() == SeriesKind::Points && s->colour() == QColor(0x0000FF))
                third = s;
        }
        QVERIFY(third);
        QCOMPARE(third->title(), QStringLiteral("[A] 1473[K]"));
        QCOMPARE(third->marker(), MarkerStyle::Triangle);
        QCOMPARE(third->pointCount(), 2);
        QCOMPARE(v.grid(QStringLiteral("dbgPublikacje"))->rowCountShown(), 2);
        QVERIFY(!v.ed(3)->isEnabled());
        QVERIFY(v.ed(4)->isEnabled());
        QCOMPARE(v.get<QLineEdit>(QStringLiteral("edModel"))->text(), QStringLiteral("1473"));
    }

    void equationsOnly()
    {
        Visit v(2, QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        QVERIFY(v.pick(QStringLiteral("[2001Abc1]")));
        QVERIFY(v.button("sbShow")->isEnabled()); // no temperature needed for the equations
        v.show();
        QCOMPARE(v.chart()->seriesCount(), 0);
        QCOMPARE(v.grid(QStringLiteral("dbgRownania"))->rowCountShown(), 3);
        QCOMPARE(v.cell(QStringLiteral("dbgRownania"), 2, 1), QStringLiteral("7"));
        QVERIFY(v.w->equationsAction()->isEnabled());
        QCOMPARE(v.w->pageControl2()->caption(v.page("tsRownania")), QStringLiteral("Density  Ag-Sn = A+B*T"));
        QCOMPARE(v.grid(QStringLiteral("dbgPublikacje"))->rowCountShown(), 1);
    }

    void temperatureErrors_data()
    {
        QTest::addColumn<QString>("t1");
        QTest::addColumn<QString>("t2");
        QTest::addColumn<QString>("message");
        QTest::newRow("letters") << "12a" << "" << "Incorrect data format : 12a";
        QTest::newRow("minus") << "-12" << "" << "Incorrect data format : -12";
        QTest::newRow("exponent") << "1e3" << "" << "Incorrect data format : 1e3";
        QTest::newRow("2001") << "1273" << "2001" << "Error! Temperature range <0,2000 [K]>";
        QTest::newRow("2000 accepted") << "2000" << "" << "";
    }
    void temperatureErrors()
    {
        QFETCH(QString, t1);
        QFETCH(QString, t2);
        QFETCH(QString, message);
        Visit v(2, QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        QVERIFY(v.pick(QStringLiteral("[2001Abc1]")));
        v.showBox()->click();
        v.type(1, t1);
        if (!t2.isEmpty())
            v.type(2, t2);
        v.show();
        if (message.isEmpty()) {
            QVERIFY(v.ui.messages.isEmpty());
            QCOMPARE(v.chart()->seriesCount(), 2);
            QCOMPARE(v.chart()->series(1)->title(), QStringLiteral("[2001Abc1] 2000[K]"));
            return;
        }
        QCOMPARE(v.ui.messages.size(), 1);
        QCOMPARE(v.ui.messages[0].kind, test::ScriptedUi::Message::Error);
        QCOMPARE(v.ui.lastMessage(), message);
        QCOMPARE(v.chart()->seriesCount(), 0);
        QVERIFY(v.ed(1)->isEnabled());
        // The window stays usable: a valid temperature draws.
        v.type(1, QStringLiteral("1273"));
        if (!t2.isEmpty())
            v.ed(2)->clear();
        v.show();
        QCOMPARE(v.ui.messages.size(), 1);
        QCOMPARE(v.chart()->seriesCount(), 2);
    }

    void molarVolumeOfBinary()
    {
        Visit v(2, QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Molar volume"));
        QVERIFY(v.showBox()->isChecked());
        QVERIFY(!v.showBox()->isEnabled());
        QCOMPARE(v.w->pageControl2()->activePage(), v.page("tsWynikiT1T2"));
        QCOMPARE(v.w->pageControl2()->visibleTabs(), (QStringList{QStringLiteral("tsWynikiT1T2"), QStringLiteral("tsWynikiT3T4")}));
        QCOMPARE(v.chart()->axisTitle(PlotWidget::Axis::Left), QStringLiteral("Molar volume[cm^3/mole]"));
        QCOMPARE(v.grid(QStringLiteral("dbgT1"))->columnTitle(1), QStringLiteral("V(T1)"));
        QVERIFY(v.pick(QStringLiteral("[2001Abc1]")));
        v.type(1, QStringLiteral("1000"));
        v.show();
        QVERIFY2(v.ui.messages.isEmpty(), qPrintable(v.ui.texts().join(QLatin1Char('|'))));
        QCOMPARE(v.grid(QStringLiteral("dbgT1"))->rowCountShown(), 3);
        QCOMPARE(v.cell(QStringLiteral("dbgT1"), 1, 0), QStringLiteral("0.5"));
        QCOMPARE(v.cell(QStringLiteral("dbgT1"), 1, 1), QStringLiteral("18.75"));
        QCOMPARE(v.chart()->seriesCount(), 2); // the end-point line and the isotherm
        PlotSeries* isotherm = v.chart()->series(1);
        QCOMPARE(isotherm->kind(), SeriesKind::Points);
        QCOMPARE(isotherm->point(1), QPointF(0.5, 18.75));
        QCOMPARE(v.chart()->series(0)->points().first(), QPointF(0.0, 100.0 / (10.0 - 0.001 * 1000)));
        QVERIFY(!v.ed(1)->isEnabled());
        QVERIFY(v.w->calculatedValueAction()->isEnabled());
    }

    void viscosityIsothermsFromComputedTables()
    {
        Visit v(2, QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Viscosity"));
        QVERIFY(v.get<QLabel>(QStringLiteral("lblViscosity"))->isVisible());
        QVERIFY(v.get<QComboBox>(QStringLiteral("cbModel1"))->count() == 12);
        QCOMPARE(v.get<QComboBox>(QStringLiteral("cbModel1"))->itemText(2), QStringLiteral("Iida-Ueda-Morita_Gex (I-U-M_G)"));
        QVERIFY(!v.button("sbModelOK")->isEnabled());
        QVERIFY(v.button("sbGraph")->isHidden());
        QVERIFY(v.button("sbButler")->isHidden());
        QCOMPARE(v.w->pageControl2()->caption(v.page("tsRownania")), QStringLiteral("Viscosity  Ag-Sn = A*Exp[E/(R*T)]"));
        QCOMPARE(v.grid(QStringLiteral("dbgRownania"))->columnTitle(2), QStringLiteral("E"));
        QVERIFY(v.pick(QStringLiteral("[2005Ghi3]")));
        v.showBox()->click();
        QCOMPARE(v.grid(QStringLiteral("dbgT1"))->columnTitle(1), QStringLiteral("Vis(T1)"));
        v.type(1, QStringLiteral("1273"));
        v.type(2, QStringLiteral("1000"));
        v.show();
        QVERIFY2(v.ui.messages.isEmpty(), qPrintable(v.ui.texts().join(QLatin1Char('|'))));
        // The computed table of T1 holds A*exp(E/(R*T)) per composition.
        QSqlDatabase db = QSqlDatabase::database(v.dm->connectionName());
        QSqlQuery table(db);
        QVERIFY(table.exec(QStringLiteral("SELECT X, VISCO FROM VISCOSITY ORDER BY X")));
        QList<double> values;
        while (table.next())
            values << table.value(1).toDouble();
        QCOMPARE(values.size(), 3);
        QVERIFY(std::fabs(values[2] - 2.0) < 1e-9);
        QCOMPARE(v.cell(QStringLiteral("dbgT1"), 2, 1), QStringLiteral("2"));
        QCOMPARE(v.chart()->seriesCount(), 2); // no end-point lines for viscosity
        QCOMPARE(v.chart()->series(0)->points(), (QList<QPointF>{{0, 1}, {0.5, 2}, {1, values[2]}}));
        const double at1000 = std::exp(7336.493545772588 / (8.314472 * 1000));
        QVERIFY(std::fabs(v.chart()->series(1)->point(2).y() - at1000) < 1e-9);
        QCOMPARE(v.get<QLineEdit>(QStringLiteral("edModel"))->text(), QStringLiteral("1000"));
        QVERIFY(v.w->calculatedValueAction()->isEnabled());
    }

    void viscosityModelPanelDrawsModelCurves()
    {
        Visit v(2, QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Viscosity"));
        auto* model = v.get<QComboBox>(QStringLiteral("cbModel1"));
        auto* temperature = v.get<QLineEdit>(QStringLiteral("edModel"));
        QVERIFY(v.pick(QStringLiteral("[2005Ghi3]")));
        QTest::keyClicks(temperature, QStringLiteral("1300"));
        QVERIFY(!v.button("sbModelOK")->isEnabled());
        model->setCurrentIndex(model->findText(QStringLiteral("Kaptay (Kap)")));
        QVERIFY(v.button("sbModelOK")->isEnabled());
        v.button("sbModelOK")->click();
        // The fixture's publication has no coefficients in the model catalogue:
        // said in words, nothing drawn, nothing buffered for export.
        QCOMPARE(v.ui.texts(), QStringList{QStringLiteral("Kaptay (Kap) has no coefficients for the publication [2005Ghi3] "
                                                          "of Ag-Sn, so nothing was drawn and nothing will be exported for it.")});
        QCOMPARE(v.chart()->seriesCount(), 0);
        QVERIFY(v.get<QPlainTextEdit>(QStringLiteral("MemoViscoModel"))->toPlainText().isEmpty());
        QVERIFY(v.w->viscosityModelAction()->isEnabled());
        // Outside the system's range: the catalogue's message, nothing drawn.
        temperature->setText(QStringLiteral("2000"));
        model->setCurrentIndex(model->findText(QStringLiteral("Sato (Sat)")));
        v.button("sbModelOK")->click();
        QCOMPARE(v.ui.texts().last(), QStringLiteral("Error! Temperature range <673,1373[K]>"));
        QCOMPARE(v.chart()->seriesCount(), 0);
        // The panel's Clear empties the chart and the inputs.
        v.button("sbClear1")->click();
        QCOMPARE(v.chart()->seriesCount(), 0);
        QVERIFY(temperature->text().isEmpty());
        QVERIFY(model->currentText().isEmpty());
        QVERIFY(!v.button("sbModelOK")->isEnabled());
        QCOMPARE(v.w->ModelCurveCount(), 0);
    }

    void butlerIsothermsOfSurfaceTension()
    {
        Visit v(2, QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Surface tension"));
        v.choices.modelChecked = true;
        session().setChoices(v.choices);
        QVERIFY(!v.button("sbButler")->isEnabled());
        QCOMPARE(v.button("sbButler")->text(), QStringLiteral("Model"));
        v.type(1, QStringLiteral("1273"));
        QVERIFY(v.button("sbButler")->isEnabled());
        v.type(2, QStringLiteral("1373"));
        v.ui.answers = {UiServices::Answer::Yes};
        v.button("sbButler")->click();
        QCOMPARE(v.ui.texts(), QStringList{QStringLiteral("Butler model")});
        // The armed chain runs from T1 on through every filled temperature.
        QCOMPARE(v.chart()->seriesCount(), 2);
        QCOMPARE(v.chart()->series(0)->colour(), QColor(0xFF0000));
        QCOMPARE(v.chart()->series(1)->colour(), QColor(0x008000));
        QCOMPARE(v.chart()->series(0)->penWidth(), 3);
        QCOMPARE(v.w->ModelTemperature(), FixedPoint4::fromRaw(1373 * 10000));
        QVERIFY(!v.w->ButlerArmed(1) && !v.w->ButlerArmed(2) && v.w->ButlerArmed(3));
        // A declined question draws nothing.
        const int drawn = v.chart()->seriesCount();
        v.ui.answers = {UiServices::Answer::No, UiServices::Answer::No};
        v.button("sbButler")->click();
        QCOMPARE(v.chart()->seriesCount(), drawn);
    }

    void ternaryThroughTheEutecticChooser()
    {
        Visit v(3, QStringLiteral("Ternary systems"), QStringLiteral("Ag-Cu-Sn"), QStringLiteral("Density"));
        QCOMPARE(v.w->pageControl2()->activePage(), v.page("tsRownania45"));
        QCOMPARE(v.w->pageControl2()->visibleTabs(), QStringList{QStringLiteral("tsRownania45")});
        QVERIFY(!v.button("sbPbSn")->isEnabled());
        QVERIFY(v.pick(QStringLiteral("[2001Abc1]")));
        // Equations only: the chooser is shown too, and OK without a pick keeps the first section.
        v.show();
        QCOMPARE(v.ui.modalWindows.size(), 1);
        QCOMPARE(v.w->SelectedEutectic(), 1);
        QCOMPARE(v.grid(QStringLiteral("dbgDane45"))->rowCountShown(), 2); // section 1 and section 10
        QVERIFY(v.w->equationsAction()->isEnabled());
        QVERIFY(!forms::window(QStringLiteral("fmEut"))); // released after OK

        v.section = QStringLiteral("Section two");
        v.showBox()->click();
        QCOMPARE(v.w->pageControl2()->activePage(), v.page("tsWynikiT1"));
        v.type(1, QStringLiteral("1000"));
        v.show();
        QCOMPARE(v.ui.modalWindows.size(), 2);
        QCOMPARE(v.w->SelectedEutectic(), 2);
        QCOMPARE(v.w->pageControl2()->caption(v.page("tsWynikiT1")), QStringLiteral("T1 = 1000 [K]"));
        QVERIFY(v.w->pageControl2()->isTabVisible(v.page("tsWynikiT1")));
        QVERIFY(!v.w->pageControl2()->isTabVisible(v.page("tsWynikiT2")));
        DbGrid* g = v.grid(QStringLiteral("dbgWynikiT1"));
        QCOMPARE(g->rowCountShown(), 3); // two alloys of section 2 and one of section 10
        QStringList labels;
        for (int r = 0; r < 3; ++r)
            labels << g->cellText(r, 2);
        labels.sort();
        QCOMPARE(labels, (QStringList{QStringLiteral("Common-alloy"), QStringLiteral("Sec2-alloy-a"), QStringLiteral("Sec2-alloy-b")}));
        QCOMPARE(g->columnTitle(1), QStringLiteral("d(T1)"));
        QCOMPARE(g->columnTitle(2), QStringLiteral("SYSTEM"));
        QCOMPARE(v.get<QLabel>(QStringLiteral("panT1"))->text(), QStringLiteral("Density  Ag-Cu-Sn [g/cm^3]"));
        QCOMPARE(v.chart()->seriesCount(), 1); // no end-point line above binary systems
        QCOMPARE(v.chart()->series(0)->pointCount(), 3);
        QCOMPARE(v.chart()->series(0)->point(0), QPointF(0.2, 7.8 - 0.001 * 1000));
        QVERIFY(!v.ed(1)->isEnabled());
    }

    void ternaryViscosityLabelsAndTitles()
    {
        Visit v(3, QStringLiteral("Ternary systems"), QStringLiteral("Ag-Cu-Sn"), QStringLiteral("Viscosity"));
        QCOMPARE(v.w->pageControl2()->caption(v.page("tsRownania45")), QStringLiteral("Viscosity  Ag-Cu-Sn = A*Exp(E/R*T)"));
        v.section = QStringLiteral("Section two");
        QVERIFY(v.pick(QStringLiteral("[2005Ghi3]")));
        v.showBox()->click();
        v.type(1, QStringLiteral("1100"));
        v.show();
        QVERIFY2(v.ui.messages.isEmpty(), qPrintable(v.ui.texts().join(QLatin1Char('|'))));
        DbGrid* g = v.grid(QStringLiteral("dbgWynikiT1"));
        QCOMPARE(g->columnTitle(1), QStringLiteral("Vis(T1)"));
        QCOMPARE(g->rowCountShown(), 1);
        QCOMPARE(g->cellText(0, 1), QStringLiteral("2"));
        QCOMPARE(g->cellText(0, 2), QStringLiteral("A label longer than ")); // cut to 20 characters
        QCOMPARE(v.chart()->seriesCount(), 1);
        QCOMPARE(v.chart()->series(0)->point(0), QPointF(0.2, 2.0));
    }

    void quaternaryMolarVolumeOfAnotherSystem()
    {
        Visit v(4, QStringLiteral("Quaternary systems"), QStringLiteral("Ag-Cu-Sb-Sn"), QStringLiteral("Molar volume"));
        QCOMPARE(v.w->pageControl2()->activePage(), v.page("tsWynikiT1"));
        QVERIFY(!v.w->pageControl2()->isTabVisible(v.page("tsWynikiT1")));
        QVERIFY(v.pick(QStringLiteral("[2001Abc1]")));
        v.type(1, QStringLiteral("1000"));
        v.type(2, QStringLiteral("1100"));
        v.show();
        QVERIFY2(v.ui.messages.isEmpty(), qPrintable(v.ui.texts().join(QLatin1Char('|'))));
        // M = 100*0.1 + 60*0.1 + 120*(1-0.25) + 120*0.05 = 112; density 8.1 - 0.001 T.
        QCOMPARE(v.cell(QStringLiteral("dbgWynikiT1"), 0, 1), gridNumberText(112.0 / (8.1 - 1.0), QLocale()));
        QCOMPARE(v.cell(QStringLiteral("dbgWynikiT2"), 0, 1), gridNumberText(112.0 / (8.1 - 1.1), QLocale()));
        QCOMPARE(v.cell(QStringLiteral("dbgWynikiT2"), 0, 2), QStringLiteral("Q2-alloy-1"));
        QCOMPARE(v.grid(QStringLiteral("dbgWynikiT2"))->columnTitle(1), QStringLiteral("V(T2)"));
        QCOMPARE(v.chart()->seriesCount(), 2);
        QVERIFY(v.w->pageControl2()->isTabVisible(v.page("tsWynikiT2")));
        QCOMPARE(v.w->pageControl2()->caption(v.page("tsWynikiT2")), QStringLiteral(" T2 = 1100 [K]"));
    }

    void quinaryDensityOrderAndSections()
    {
        Visit v(5, QStringLiteral("Quinary systems"), QStringLiteral("Ag-Bi-Cu-Sb-Sn"), QStringLiteral("Molar volume"));
        QVERIFY(v.pick(QStringLiteral("[2001Abc1]")));
        v.type(1, QStringLiteral("1000"));
        v.show();
        DbGrid* g = v.grid(QStringLiteral("dbgWynikiT1"));
        QCOMPARE(g->rowCountShown(), 2);
        QCOMPARE(g->cellText(0, 2), QStringLiteral("A-alloy")); // quinary molar volume is ordered by label
        QCOMPARE(v.chart()->series(0)->points().first().x(), 0.02); // the chart orders by X
    }

    void binaryPublicationWithoutValuesCallsTheFigureBrowser()
    {
        Visit v(2, QStringLiteral("Binary systems"), QStringLiteral("Cu-Sn"), QStringLiteral("Density"));
        QVERIFY(v.pick(QStringLiteral("[1999Def2]")));
        v.showBox()->click();
        v.type(1, QStringLiteral("1273"));
        v.show();
        QCOMPARE(v.ui.texts(), QStringList{kNotAvailable});
        QCOMPARE(v.chart()->seriesCount(), 0);
        QVERIFY(!v.w->calculatedValueAction()->isEnabled());
    }

    void clearEmptiesChartGridsAndFields()
    {
        Visit v(2, QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        QVERIFY(v.pick(QStringLiteral("[2001Abc1]")));
        v.showBox()->click();
        v.type(1, QStringLiteral("1273"));
        v.type(2, QStringLiteral("1300"));
        v.type(3, QStringLiteral("1400"));
        v.show();
        QVERIFY(v.chart()->seriesCount() > 0);
        v.button("sbClear")->click();
        QCOMPARE(v.chart()->seriesCount(), 0);
        for (int n = 1; n <= 4; ++n) {
            QVERIFY(v.ed(n)->text().isEmpty());
            QCOMPARE(v.ed(n)->isEnabled(), n == 1);
        }
        QCOMPARE(v.grid(QStringLiteral("dbgPublikacje"))->rowCountShown(), 0);
        QCOMPARE(v.grid(QStringLiteral("dbgT1"))->rowCountShown(), 0);
        QVERIFY(!v.w->calculatedValueAction()->isEnabled());
        QVERIFY(!v.w->equationsAction()->isEnabled());
        QVERIFY(!v.button("sbShow")->isEnabled());
        QCOMPARE(v.get<DbLookupList>(QStringLiteral("dblAutor"))->text(), QStringLiteral("[2001Abc1]"));
        QVERIFY(v.showBox()->isChecked());
        QCOMPARE(selection::SelectedPublications()->Count(), 0);
        QCOMPARE(v.w->pageControl2()->caption(v.page("tsWynikiT1T2")), QStringLiteral("T1   T2"));
        QVERIFY(v.w->IsothermCalculated(1)); // kept for the approximation
        // The next Show starts again with one publication.
        v.type(1, QStringLiteral("1273"));
        v.show();
        QCOMPARE(v.chart()->seriesCount(), 2);
        QCOMPARE(v.grid(QStringLiteral("dbgPublikacje"))->rowCountShown(), 1);
    }

    void queryThatCannotOpenLeavesGridAndSeriesEmpty()
    {
        Visit v(2, QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Molar volume"));
        {
            QSqlQuery drop(QSqlDatabase::database(v.dm->connectionName()));
            QVERIFY(drop.exec(QStringLiteral("DROP TABLE UKL_2")));
        }
        QVERIFY(v.pick(QStringLiteral("[2001Abc1]")));
        v.type(1, QStringLiteral("1000"));
        v.show();
        QVERIFY(v.ui.messages.isEmpty());
        QCOMPARE(v.grid(QStringLiteral("dbgT1"))->rowCountShown(), 0);
        for (PlotSeries* s : v.chart()->allSeries())
            QCOMPARE(s->pointCount(), 0);
        QVERIFY(!v.w->calculatedValueAction()->isEnabled());
        QCOMPARE(v.grid(QStringLiteral("dbgPublikacje"))->rowCountShown(), 1);
    }

    void endClosesChartAndSelectionWindows()
    {
        Visit v(2, QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        auto* select = new QDialog;
        forms::setWindow(QStringLiteral("fmSelect"), select);
        select->show();
        v.button("sbNext")->click();
        QVERIFY(!v.w->isVisible());
        QVERIFY(!select->isVisible());
        forms::release(QStringLiteral("fmSelect"));
    }

    void chartOnlyToggle()
    {
        Visit v(2, QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        const QSize normal = v.w->size();
        QTest::mouseClick(v.chart()->plot(), Qt::LeftButton, {}, QPoint(100, 100));
        for (const char* name : {"Panel1", "Panel2", "Panel3", "Panel4", "Panel5", "Panel6"})
            QVERIFY2(v.get<QFrame>(QString::fromLatin1(name))->isHidden(), name);
        QVERIFY(v.w->windowState() & Qt::WindowMaximized);
        QCOMPARE(v.chart()->panelColour(), v.w->palette().color(QPalette::Window));
        QTest::mouseClick(v.chart()->plot(), Qt::LeftButton, {}, QPoint(100, 100));
        for (const char* name : {"Panel1", "Panel2", "Panel3", "Panel4", "Panel5", "Panel6"})
            QVERIFY2(!v.get<QFrame>(QString::fromLatin1(name))->isHidden(), name);
        QVERIFY(!(v.w->windowState() & Qt::WindowMaximized));
        QCOMPARE(v.chart()->panelColour(), QColor(0xC0, 0xDC, 0xC0));
        QCOMPARE(v.w->size(), normal);
    }

    void openingPages_data()
    {
        QTest::addColumn<int>("classId");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("property");
        QTest::addColumn<bool>("isotherms");
        QTest::addColumn<QString>("page1");
        QTest::addColumn<QString>("page2");
        QTest::addColumn<QStringList>("tabs2");
        QTest::newRow("binary density") << 2 << "Binary systems" << "Ag-Sn" << "Density" << true << "tsX" << "tsRownania"
                                        << QStringList{"tsRownania"};
        QTest::newRow("binary molar") << 2 << "Binary systems" << "Ag-Sn" << "Molar volume" << true << "tsX"
                                      << "tsWynikiT1T2" << QStringList{"tsWynikiT1T2", "tsWynikiT3T4"};
        QTest::newRow("ternary density") << 3 << "Ternary systems" << "Ag-Cu-Sn" << "Density" << true << "tsX"
                                         << "tsRownania45" << QStringList{"tsRownania45"};
        QTest::newRow("ternary molar") << 3 << "Ternary systems" << "Ag-Cu-Sn" << "Molar volume" << true << "tsX"
                                       << "tsWynikiT1" << QStringList{};
        QTest::newRow("binary temperature") << 2 << "Binary systems" << "Ag-Sn" << "Density" << false << "tsTemp1"
                                            << "tsTemp2" << QStringList{"tsTemp2"};
        QTest::newRow("ternary temperature") << 3 << "Ternary systems" << "Ag-Cu-Sn" << "Density" << false << "tsTemp1"
                                             << "tsTemp2" << QStringList{"tsTemp2"};
    }
    void openingPages()
    {
        QFETCH(int, classId);
        QFETCH(QString, className);
        QFETCH(QString, system);
        QFETCH(QString, property);
        QFETCH(bool, isotherms);
        Visit v(classId, className, system, property, isotherms);
        QTEST(v.w->pageControl1()->activePage()->objectName(), "page1");
        QTEST(v.w->pageControl2()->activePage()->objectName(), "page2");
        QTEST(v.w->pageControl2()->visibleTabs(), "tabs2");
        if (!isotherms) {
            QVERIFY(!v.showBox()->isChecked());
            QVERIFY(!v.showBox()->isEnabled());
            QVERIFY(!v.ed(1)->isEnabled());
            QCOMPARE(v.button("sbGraph")->text(), QStringLiteral("Points"));
            QVERIFY(!v.button("sbGraph")->isEnabled());
            QCOMPARE(v.w->pageControl1()->visibleTabs(), QStringList{QStringLiteral("tsTemp1")});
            QCOMPARE(v.chart()->axisTitle(PlotWidget::Axis::Bottom), QStringLiteral("Temperature [K]"));
            QVERIFY(v.w->addDataAction()->isEnabled()); // the user's data is drawn as lines over temperature dependences
        } else {
            QCOMPARE(v.w->pageControl1()->visibleTabs(), QStringList{QStringLiteral("tsX")});
            QVERIFY(v.w->addDataAction()->isEnabled());
            QCOMPARE(v.button("sbButler")->text(), QStringLiteral("Model"));
            QVERIFY(!v.button("sbPbSn")->isEnabled());
        }
        QVERIFY(!v.w->viscosityModelAction()->isEnabled());
        QVERIFY(v.get<QLabel>(QStringLiteral("lblViscosity"))->isHidden());
        QVERIFY(v.get<QComboBox>(QStringLiteral("cbModel1"))->isHidden());
    }

    void temperatureFieldChainAndShowButton()
    {
        Visit v(2, QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        QVERIFY(v.w->timer()->isActive());
        QVERIFY(!v.ed(2)->isEnabled());
        v.type(1, QStringLiteral("1273"));
        QVERIFY(v.ed(2)->isEnabled());
        QVERIFY(v.w->ButlerArmed(1));
        v.type(2, QStringLiteral("1300"));
        v.type(3, QStringLiteral("1400"));
        QVERIFY(v.ed(4)->isEnabled());
        v.ed(1)->clear();
        QVERIFY(!v.ed(2)->isEnabled());
        QVERIFY(v.ed(3)->isEnabled()); // keeps its state until T2 changes
        QVERIFY(v.ed(4)->isEnabled());
        v.type(1, QStringLiteral("1273"));
        // Unchecked box: a publication is enough.
        QVERIFY(!v.button("sbShow")->isEnabled());
        QVERIFY(v.pick(QStringLiteral("[A]")));
        QVERIFY(v.button("sbShow")->isEnabled());
        v.showBox()->click();
        QVERIFY(v.button("sbShow")->isEnabled());
        v.ed(1)->clear();
        QVERIFY(!v.button("sbShow")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!v.button("sbGraph")->isEnabled(), 200);
        v.type(1, QStringLiteral("1273"));
        QVERIFY(v.button("sbShow")->isEnabled());
        QVERIFY(!v.w->timer()->isActive()); // nothing is missing any more
        // Unchecking with a publication and no temperature enables "Show" for the equations.
        v.ed(1)->clear();
        v.showBox()->click();
        QVERIFY(v.button("sbShow")->isEnabled());
        QCOMPARE(v.w->pageControl2()->activePage(), v.page("tsRownania"));
    }

    void pureMetalsNeverEnableApprox()
    {
        Visit v(1, QStringLiteral("Pure metals"), QStringLiteral("Ag"), QStringLiteral("Density"));
        QVERIFY(v.pick(QStringLiteral("[2001Abc1]")));
        v.showBox()->click();
        v.type(1, QStringLiteral("1273"));
        v.w->Timer1WykresTimer();
        QVERIFY(!v.button("sbGraph")->isEnabled());
        v.show();
        QVERIFY(!v.button("sbGraph")->isEnabled());
        QCOMPARE(v.chart()->seriesCount(), 0); // pure metals: values in the grid only
        QCOMPARE(v.grid(QStringLiteral("dbgT1"))->rowCountShown(), 2);
        QVERIFY(!v.ed(1)->isEnabled());
    }

    void pureMetalMolarVolumeKeepsFieldsOpen()
    {
        Visit v(1, QStringLiteral("Pure metals"), QStringLiteral("Ag"), QStringLiteral("Molar volume"));
        QVERIFY(v.pick(QStringLiteral("[2001Abc1]")));
        v.type(1, QStringLiteral("1000"));
        v.show();
        // M / (A + B*T) for both density rows of the metal (atomic mass 100).
        auto volumes = [&v] {
            QStringList cells{v.cell(QStringLiteral("dbgT1"), 0, 1), v.cell(QStringLiteral("dbgT1"), 1, 1)};
            cells.sort();
            return cells;
        };
        QCOMPARE(v.grid(QStringLiteral("dbgT1"))->rowCountShown(), 2);
        QCOMPARE(volumes(), (QStringList{QStringLiteral("11.111"), QStringLiteral("11.494")}));
        QVERIFY(v.ed(1)->isEnabled());
        QCOMPARE(v.chart()->seriesCount(), 0);
        v.type(1, QStringLiteral("1100"));
        v.show();
        QCOMPARE(volumes(), (QStringList{QStringLiteral("11.236"), QStringLiteral("11.601")}));
    }

    void checkingTheBoxForAQuaternaryShowsFilledSlotsOnly()
    {
        Visit v(4, QStringLiteral("Quaternary systems"), QStringLiteral("Ag-Bi-Cu-Sn"), QStringLiteral("Density"));
        v.type(1, QStringLiteral("1000"));
        v.type(2, QStringLiteral("1100"));
        v.type(3, QStringLiteral("1200"));
        v.ed(2)->clear();
        v.showBox()->click();
        PageControl* pc2 = v.w->pageControl2();
        QCOMPARE(pc2->visibleTabs(), (QStringList{QStringLiteral("tsWynikiT1"), QStringLiteral("tsWynikiT3")}));
        QCOMPARE(pc2->caption(v.page("tsWynikiT1")), QStringLiteral("T1"));
        QCOMPARE(pc2->caption(v.page("tsWynikiT3")), QStringLiteral(" T3 "));
        QCOMPARE(pc2->activePage(), v.page("tsWynikiT1"));
    }

    void exitAsksAndOnlyYesEnds()
    {
        Visit v(2, QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        v.ui.answers = {UiServices::Answer::No, UiServices::Answer::Cancel, UiServices::Answer::Yes};
        v.button("sbExit")->click();
        v.button("sbExit")->click();
        QCOMPARE(v.ui.quitRequests, 0);
        QVERIFY(v.w->isVisible());
        v.button("sbExit")->click();
        QCOMPARE(v.ui.quitRequests, 1);
        QCOMPARE(v.ui.texts(), QStringList(3, QStringLiteral("Exit to Windows?")));
        v.button("sbHelp")->click();
        QVERIFY(v.ui.openedDocuments.last().endsWith(QStringLiteral("KORVEL 3.pdf")));
    }

    void everyVisitIsAFreshWindow()
    {
        Visit v(2, QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        delete v.w;
        v.w = nullptr;
        QVERIFY(!selection::SelectedPublications());
        for (int visit = 0; visit < 2; ++visit) {
            bool checked = false;
            int listedAfterShow = 0;
            v.ui.onModal = [&](QWidget* window) {
                auto* chart = qobject_cast<TfmWykres*>(window);
                window->show();
                QCoreApplication::processEvents();
                // Creation state.
                checked = chart && !chart->findChild<QCheckBox*>(QStringLiteral("chbShow"))->isChecked()
                          && !chart->findChild<QPushButton*>(QStringLiteral("sbShow"))->isEnabled()
                          && chart->temperatureField(1)->isEnabled() && !chart->temperatureField(2)->isEnabled()
                          && selection::SelectedPublications() && selection::SelectedPublications()->Count() == 0
                          && chart->timer()->isActive();
                chart->findChild<DbLookupList*>(QStringLiteral("dblAutor"))->chooseText(QStringLiteral("[A]"));
                chart->findChild<QPushButton*>(QStringLiteral("sbShow"))->click();
                listedAfterShow = selection::SelectedPublications()->Count();
                chart->findChild<QPushButton*>(QStringLiteral("sbBack"))->click();
                return 0;
            };
            forms::showTransient(QStringLiteral("fmWykres"), [] { return new TfmWykres; });
            QVERIFY(checked);
            QCOMPARE(listedAfterShow, 1);
            QVERIFY(!forms::window(QStringLiteral("fmWykres")));
            QVERIFY(!selection::SelectedPublications());
            QCOMPARE(v.dm->chartInputs(), nullptr);
        }
    }
};

QTEST_MAIN(TestChartWindow)
#include "test_chart_window.moc"
