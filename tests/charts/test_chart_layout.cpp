// The chart window as a user first sees it: its size in every mode, the room
// the chart gets, the legend, the empty chart's axes, Print and Save graph on
// offer, and the model temperature field.
#include "ChartVisit.h"
#include "core/Session.h"
#include "charts/IsothermPage.h"
#include "charts/PageControl.h"
#include "charts/PlotWidget.h"
#include "charts/TfmWykres.h"
#include "database/DataModule.h"
#include "database/Query.h"
#include "widgets/DbLookupList.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStyle>
#include <QtTest>
#include <qcustomplot.h>

using namespace korvel;

namespace {

struct LayoutVisit : test::ChartVisit {
    LayoutVisit(int classId, const QString& className, const QString& system, const QString& property, bool isotherms)
        : ChartVisit(QStringLiteral("temperature"), {classId, className, system, property, isotherms})
    {
    }
    template <typename T> T* get(const char* name) const
    {
        T* child = w->findChild<T*>(QString::fromLatin1(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }
    QCustomPlot* plot() const { return w->chart()->plot(); }
};

} // namespace

class TestChartLayout : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void sizeInEveryMode_data()
    {
        QTest::addColumn<int>("classId");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("property");
        QTest::addColumn<bool>("isotherms");
        QTest::addColumn<QString>("temperatures"); // typed into T1..T4 before "Show", blank-separated
        QTest::newRow("binary density isotherms") << 2 << "Binary systems" << "Ag-Sn" << "Density" << true << "";
        QTest::newRow("viscosity isotherms") << 2 << "Binary systems" << "Ag-Sn" << "Viscosity" << true << "";
        QTest::newRow("molar volume") << 2 << "Binary systems" << "Ag-Sn" << "Molar volume" << true << "";
        QTest::newRow("ternary, four result tabs")
            << 3 << "Ternary systems" << "Ag-Cu-Sn" << "Molar volume" << true << "1273 1373 1473 1573";
        QTest::newRow("temperature mode") << 2 << "Binary systems" << "Ag-Sn" << "Density" << false << "";
    }
    void sizeInEveryMode()
    {
        QFETCH(int, classId);
        QFETCH(QString, className);
        QFETCH(QString, system);
        QFETCH(QString, property);
        QFETCH(bool, isotherms);
        QFETCH(QString, temperatures);
        LayoutVisit v(classId, className, system, property, isotherms);
        if (!temperatures.isEmpty()) {
            v.w->isothermPage()->dblAutor()->chooseText(QStringLiteral("[2001Abc1]"));
            const QStringList ts = temperatures.split(QLatin1Char(' '));
            for (int n = 1; n <= ts.size(); ++n)
                QTest::keyClicks(v.w->temperatureField(n), ts[n - 1]);
            v.w->sbShowClick();
            QCoreApplication::processEvents();
        }
        QCOMPARE(v.w->size(), QSize(800, 780));
        QVERIFY2(v.w->minimumSizeHint().width() <= 800, qPrintable(QString::number(v.w->minimumSizeHint().width())));
        QVERIFY2(v.w->chart()->width() >= 440, qPrintable(QString::number(v.w->chart()->width())));
        QVERIFY(v.w->chart()->height() >= 400);
        // Wider, the chart takes the extra room.
        const int before = v.w->chart()->width();
        v.w->resize(1100, 780);
        QCoreApplication::processEvents();
        QVERIFY(v.w->chart()->width() >= before + 200);
    }

    void legendUnderTheAxesAndOnlyWithEntries()
    {
        LayoutVisit v(2, QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Density"), true);
        QVERIFY(!v.w->chart()->legendVisible());
        QVERIFY(!v.plot()->legend->visible());
        v.w->isothermPage()->dblAutor()->chooseText(QStringLiteral("[2001Abc1]"));
        QTest::keyClicks(v.w->temperatureField(1), QStringLiteral("1273"));
        QTest::keyClicks(v.w->temperatureField(2), QStringLiteral("1373"));
        v.w->isothermPage()->chbShow()->click();
        v.w->sbShowClick();
        v.plot()->replot();
        QVERIFY(v.w->chart()->legendVisible());
        const QRect legend = v.plot()->legend->outerRect();
        const QRect axes = v.plot()->axisRect()->outerRect();
        QVERIFY(legend.isValid());
        QVERIFY2(!legend.intersects(axes), "the legend must not cover the plotted data");
        v.w->sbClearClick();
        QVERIFY(!v.w->chart()->legendVisible());
    }

    void emptyChartAxes_data()
    {
        QTest::addColumn<bool>("isotherms");
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::newRow("isotherms: mole fraction") << true << 0.0 << 1.0;
        QTest::newRow("temperature dependence") << false << 500.0 << 1500.0;
    }
    void emptyChartAxes()
    {
        QFETCH(bool, isotherms);
        QFETCH(double, lower);
        QFETCH(double, upper);
        LayoutVisit v(2, QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Density"), isotherms);
        QCOMPARE(v.plot()->xAxis->range().lower, lower);
        QCOMPARE(v.plot()->xAxis->range().upper, upper);
        QVERIFY(!v.plot()->yAxis->grid()->subGridVisible()); // no dense hatch of minor grid lines
    }

    void printAndSaveGraphOffered()
    {
        LayoutVisit v(2, QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Density"), true);
        QPushButton* print = v.get<QPushButton>("sbPrint");
        QVERIFY(print->isEnabled());
        QVERIFY(!print->toolTip().contains(QStringLiteral("later version")));
        QVERIFY(v.w->saveGraphAction()->isEnabled());
        QVERIFY(!v.w->saveGraphAction()->toolTip().contains(QStringLiteral("later version")));
    }

    void modelTemperatureFieldShowsFourDigits()
    {
        LayoutVisit v(2, QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Viscosity"), true);
        auto* field = v.get<QLineEdit>("edModel");
        QVERIFY(field->isVisible());
        field->setText(QStringLiteral("1273"));
        // The text area of the field (without frame and margins) holds all four digits.
        const int room = field->width() - 2 * field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth)
                         - field->textMargins().left() - field->textMargins().right() - 4;
        QVERIFY2(room >= field->fontMetrics().horizontalAdvance(QStringLiteral("1273")),
                 qPrintable(QStringLiteral("%1 px for the text").arg(room)));
    }

    void viscosityAtZeroKelvinIsRefusedBeforeAnythingIsWritten()
    {
        LayoutVisit v(2, QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Viscosity"), true);
        v.w->isothermPage()->dblAutor()->chooseText(QStringLiteral("[2005Ghi3]"));
        v.w->isothermPage()->chbShow()->click();
        QTest::keyClicks(v.w->temperatureField(1), QStringLiteral("0"));
        v.w->sbShowClick();
        QCOMPARE(v.ui.texts(), QStringList{kZeroKelvinError});
        QCOMPARE(v.ui.messages.first().kind, test::ScriptedUi::Message::Error);
        QCOMPARE(v.w->chart()->seriesCount(), 0);
        QVERIFY(v.w->chart()->legendTitles().isEmpty());
        QVERIFY(v.w->temperatureField(1)->isEnabled());
        QVERIFY(!v.w->IsothermCalculated(1));
        QSqlQuery rows(QSqlDatabase::database(v.dm->connectionName()));
        QVERIFY(rows.exec(QStringLiteral("SELECT COUNT(*) FROM VISCOSITY")));
        QVERIFY(rows.next());
        QCOMPARE(rows.value(0).toInt(), 0);
        // Corrected, the same field is drawn.
        v.ui.messages.clear();
        v.w->temperatureField(1)->setText(QStringLiteral("1000"));
        v.w->sbShowClick();
        QVERIFY2(v.ui.messages.isEmpty(), qPrintable(v.ui.texts().join(QLatin1Char('|'))));
        QVERIFY(v.w->IsothermCalculated(1));
        QVERIFY(rows.exec(QStringLiteral("SELECT COUNT(*) FROM VISCOSITY")));
        QVERIFY(rows.next());
        QVERIFY(rows.value(0).toInt() > 0);
    }
};

QTEST_MAIN(TestChartLayout)
#include "test_chart_layout.moc"
