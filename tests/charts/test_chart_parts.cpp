// The chart window's parts that work without the window: selection lists,
// series colours, the isotherm rules and the plot widget.
#include "Guards.h"
#include "charts/IsothermLogic.h"
#include "charts/PlotWidget.h"
#include "charts/SelectionLists.h"
#include "charts/SeriesColours.h"

#include <QFile>
#include <QApplication>
#include <QClipboard>
#include <QPrinter>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <qcustomplot.h>

using namespace korvel;

namespace {

struct FakeHost : LineDrawHost {
    PlotWidget chart;
    int index[3] = {0, 0, 0};
    QVariant x = 0.25;
    QString key = QStringLiteral("[2001Abc1]");
    int lineColourIndex(int page) const override { return index[page]; }
    void setLineColourIndex(int page, int i) override { index[page] = i; }
    QVariant lineGridComposition(int) const override { return x; }
    QString linePublicationText(int) const override { return key; }
    PlotWidget* lineChart() override { return &chart; }
};

LineRecord record(int t1, double v1, int t2, double v2)
{
    return {t1, FixedPoint4::fromDouble(v1), t2, FixedPoint4::fromDouble(v2)};
}

SlotFields fields(std::initializer_list<std::pair<const char*, bool>> list)
{
    SlotFields f;
    int i = 0;
    for (const auto& [text, enabled] : list)
        f[i++] = {QString::fromLatin1(text), enabled};
    return f;
}

} // namespace

class TestChartParts : public QObject {
    Q_OBJECT
private slots:
    void publicationListKeepsFirstOccurrences()
    {
        TListaWybranychPublikacji list;
        QCOMPARE(list.CommaText(), QString());
        list.Add(QStringLiteral("12"));
        list.Add(QStringLiteral("7"));
        list.Add(QStringLiteral("12"));
        QCOMPARE(list.Count(), 2);
        QCOMPARE(list.CommaText(), QStringLiteral("12,7"));
        QVERIFY(list.Contains(QStringLiteral("7")));
        list.Clear();
        QCOMPARE(list.CommaText(), QString());
    }

    void lineListDrawsOnlyForNewIdentifiers()
    {
        TListaWybranychLini2 lines;
        int draws = 0;
        lines.setDrawPending([&] { ++draws; });
        lines.Add(QStringLiteral("5"));
        lines.Add(QStringLiteral("9"));
        lines.Add(QStringLiteral("5"));
        QCOMPARE(draws, 2);
        QCOMPARE(lines.CommaText(), QStringLiteral("5,9"));
    }

    void drawOnEmptyListAddsNothing()
    {
        FakeHost host;
        host.index[1] = 4;
        TListaWybranychPunktTemp1 points;
        points.Draw(host);
        QCOMPARE(host.chart.seriesCount(), 0);
        QCOMPARE(host.index[1], 4);
    }

    void drawPage1AndPage2Lines()
    {
        const test::LocaleScope polish{QLocale(QLocale::Polish)};
        FakeHost host;
        TListaWybranychPunktTemp1 page1;
        QCOMPARE(page1.Add(record(600, 8.5, 1000, 8.1)), 0);
        QCOMPARE(page1.Add(record(700, 7.25, 900, 7.0)), 1);
        QCOMPARE(page1.Add(record(650, 6.0, 950, 5.5)), 2);
        page1.Draw(host);
        QCOMPARE(page1.Count(), 0);
        QCOMPARE(host.chart.seriesCount(), 3);
        QCOMPARE(host.index[1], 3);
        for (int i = 0; i < 3; ++i) {
            PlotSeries* s = host.chart.series(i);
            QCOMPARE(s->kind(), SeriesKind::Line);
            QCOMPARE(s->penWidth(), 2);
            QCOMPARE(s->penStyle(), Qt::SolidLine);
            QCOMPARE(s->colour(), SeriesColours::at(i));
            QCOMPARE(s->title(), QStringLiteral("[2001Abc1]   X=0,25"));
        }
        QCOMPARE(host.chart.series(1)->points(), (QList<QPointF>{{700, 7.25}, {900, 7.0}}));

        TListaWybranychPunktTemp2 page2;
        host.index[2] = 19; // the next two colours wrap round the table
        page2.Add(record(600, 1, 700, 2));
        page2.Add(record(600, 3, 700, 4));
        page2.Draw(host);
        QCOMPARE(host.chart.seriesCount(), 5);
        QCOMPARE(host.chart.series(3)->penStyle(), Qt::DashDotDotLine);
        QCOMPARE(host.chart.series(3)->penWidth(), 1);
        QCOMPARE(host.chart.series(4)->colour(), QColor(0xFF0000));
        QCOMPARE(host.index[2], 21);
    }

    void seriesColourTable()
    {
        QCOMPARE(SeriesColours::at(0), QColor(0xFF0000));
        QCOMPARE(SeriesColours::at(1), QColor(0x008000));
        QCOMPARE(SeriesColours::at(3), QColor(0x0000FF));
        QCOMPARE(SeriesColours::at(12), SeriesColours::at(15));
        QCOMPARE(SeriesColours::at(13), QColor(0, 0, 0));
        QCOMPARE(SeriesColours::at(20), SeriesColours::at(0));
        QCOMPARE(SeriesColours::at(45), SeriesColours::at(5));
        QCOMPARE(SeriesColours::wrap(-1), 19);
        QCOMPARE(slotColour(4), QColor(0x800080));
    }

    void legendColumns_data()
    {
        QTest::addColumn<QList<int>>("widths");
        QTest::addColumn<int>("available");
        QTest::addColumn<int>("columns");
        QTest::newRow("all in one row") << QList<int>{100, 100, 100} << 400 << 3;
        QTest::newRow("spacing counts") << QList<int>{100, 100, 100} << 305 << 2;
        QTest::newRow("widest of each column") << QList<int>{300, 50, 50, 300} << 400 << 1;
        QTest::newRow("two columns of mixed widths") << QList<int>{200, 80, 150, 80} << 300 << 2;
        QTest::newRow("one entry wider than the chart") << QList<int>{900} << 400 << 1;
        QTest::newRow("no entries") << QList<int>{} << 400 << 1;
    }
    void legendColumns()
    {
        QFETCH(QList<int>, widths);
        QFETCH(int, available);
        QFETCH(int, columns);
        QCOMPARE(legendColumnsFor(widths, available, 5), columns);
    }

    // Long titles at the chart window's width: every entry gets the width its text needs.
    void legendEntriesAreNeverCut()
    {
        PlotWidget plot;
        plot.resize(520, 420);
        for (int i = 0; i < 7; ++i) {
            PlotSeries* s = plot.addLineSeries(QStringLiteral("[2001Abc%1]  X=0.%1 and a longer tail").arg(i), Qt::red);
            s->addPoint(0, i);
            s->addPoint(1, i + 1);
        }
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        plot.refresh();
        QCPLegend* legend = plot.plot()->legend;
        QVERIFY(legend->visible());
        for (int i = 0; i < legend->itemCount(); ++i) {
            QCPAbstractLegendItem* item = legend->item(i);
            QVERIFY2(item->outerRect().width() >= item->minimumOuterSizeHint().width(), qPrintable(QString::number(i)));
            QVERIFY(plot.plot()->rect().contains(item->outerRect()));
        }
        const int wideColumns = legend->wrap();
        plot.resize(1200, 420);
        QCoreApplication::processEvents();
        plot.refresh();
        QVERIFY2(legend->wrap() > wideColumns, qPrintable(QStringLiteral("%1 -> %2").arg(wideColumns).arg(legend->wrap())));
    }

    // Light table colours keep their identity but are drawn darker on the white back
    // wall; colours that already stand out are drawn as they are.
    void lightColoursAreDrawnReadable()
    {
        for (QRgb light : {0xFFFF00u, 0x00FF00u, 0x00FFFFu, 0xC0C0C0u}) {
            const QColor drawn = readableOn(QColor(light));
            QVERIFY2(contrastRatio(drawn, Qt::white) >= 3.0, qPrintable(QColor(light).name()));
            QCOMPARE(drawn.hslHue(), QColor(light).hslHue());
        }
        QVERIFY(contrastRatio(QColor(0xFFFF00), Qt::white) < 1.5);
        for (QRgb strong : {0xFF0000u, 0x008000u, 0x0000FFu, 0x800080u, 0x000000u})
            QCOMPARE(readableOn(QColor(strong)), QColor(strong));
        QCOMPARE(readableOn(QColor(0x000080), Qt::black).lightness() > QColor(0x000080).lightness(), true);

        PlotWidget plot;
        PlotSeries* yellow = plot.addLineSeries(QStringLiteral("Kap"), QColor(0xFFFF00), 1);
        QCOMPARE(yellow->colour(), QColor(0xFFFF00));
        QCOMPARE(yellow->graph()->pen().color(), yellow->drawnColour());
        QVERIFY(contrastRatio(yellow->graph()->pen().color(), Qt::white) >= 3.0);
    }

    void propertyPresentation_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("axis");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("title3");
        QTest::addColumn<QString>("field2");
        QTest::newRow("density") << "Density" << "Density[g/cm^3]" << "Density  Ag-Sn [g/cm^3]" << "d(T3)" << "DensityT2";
        QTest::newRow("surface") << "Surface tension" << "Surface tension [mN/m]" << "Surface tension  Ag-Sn [mN/m]"
                                 << "ST(T3)" << "DensityT2";
        QTest::newRow("molar") << "Molar volume" << "Molar volume[cm^3/mole]" << "Molar volume  Ag-Sn [cm^3/mole]"
                               << "V(T3)" << "VT2";
        QTest::newRow("viscosity") << "Viscosity" << "Viscosity [mPa*s]" << "Viscosity  Ag-Sn [mPa*s]" << "Vis(T3)"
                                   << "VISCO";
        QTest::newRow("electrical") << "Electrical properties" << "Electrical properties " << "Electrical properties  Ag-Sn"
                                    << "" << "";
    }
    void propertyPresentation()
    {
        QFETCH(QString, property);
        const PropertyPresentation p = presentationOf(property);
        QTEST(leftAxisTitle(property), "axis");
        QTEST(panelCaption(property, QStringLiteral("Ag-Sn")), "panel");
        QTEST(p.resultTitle(3), "title3");
        QTEST(p.valueField(2), "field2");
    }

    void temperatureChecks_data()
    {
        QTest::addColumn<QString>("t1");
        QTest::addColumn<QString>("t2");
        QTest::addColumn<bool>("inRange");
        QTest::addColumn<QString>("error");
        QTest::newRow("2000 accepted") << "2000" << "" << true << "";
        QTest::newRow("2001 rejected") << "1273" << "2001" << false << "";
        QTest::newRow("blanks") << " 1273" << "" << true << "";
        QTest::newRow("letters") << "12a3" << "" << false << "Incorrect data format : 12a3";
        QTest::newRow("minus") << "-100" << "" << false << "Incorrect data format : -100";
        QTest::newRow("exponent") << "1E3" << "" << false << "Incorrect data format : 1E3";
        QTest::newRow("second field") << "1273" << "9x" << false << "Incorrect data format : 9x";
        QTest::newRow("empty") << "" << "" << true << "";
    }
    void temperatureChecks()
    {
        QFETCH(QString, t1);
        QFETCH(QString, t2);
        QFETCH(QString, error);
        SlotFields f;
        f[0] = {t1, true};
        f[1] = {t2, true};
        try {
            const bool inRange = temperaturesInRange(f, QLocale::c());
            QVERIFY2(error.isEmpty(), "an error was expected");
            QTEST(inRange, "inRange");
        } catch (const NumberFormatError& e) {
            QCOMPARE(e.message(), error);
        }
    }

    void slotRules()
    {
        // T1 drawn (disabled), T2 typed: slot 1 is not prepared again, slot 2 is.
        const SlotFields drawn = fields({{"1273", false}, {"1373", true}, {"", true}, {"", false}});
        QVERIFY(!slotPreparedForTables(drawn, 1));
        QVERIFY(slotPreparedForTables(drawn, 2));
        QVERIFY(!slotDrawable(drawn, 1));
        QVERIFY(slotDrawable(drawn, 2));
        QCOMPARE(modelTemperaturePrefill(drawn), std::optional<QString>(QStringLiteral("1373")));
        // T1 drawn and T2 empty: slot 1 is prepared again for the tables.
        const SlotFields alone = fields({{"1273", false}, {"", true}, {"", false}, {"", false}});
        QVERIFY(slotPreparedForTables(alone, 1));
        QVERIFY(!slotPrepared(alone, 1));
        QCOMPARE(modelTemperaturePrefill(alone), std::optional<QString>(QStringLiteral("1273")));
        QCOMPARE(modelTemperaturePrefill(fields({{"", true}, {"", false}, {"", false}, {"", false}})), std::nullopt);
    }

    void captions()
    {
        QCOMPARE(isothermTitle(QStringLiteral("[2001Abc1]"), QStringLiteral("1273")), QStringLiteral("[2001Abc1] 1273[K]"));
        QCOMPARE(resultTabCaptionAfterShow(1, QStringLiteral("1273")), QStringLiteral("T1 = 1273 [K]"));
        QCOMPARE(resultTabCaptionAfterShow(2, QStringLiteral("1373")), QStringLiteral(" T2 = 1373 [K]"));
        QCOMPARE(pairTabCaption(QStringLiteral("1273"), QString()), std::optional<QString>(QStringLiteral("1273[K]")));
        QCOMPARE(pairTabCaption(QStringLiteral("1273"), QStringLiteral("1373")),
                 std::optional<QString>(QStringLiteral("1273[K]       1373[K]")));
        QCOMPARE(pairTabCaption(QString(), QStringLiteral("1373")), std::nullopt);
    }

    void slotBindings_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<int>("classNumber");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("system");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QString>("field");
        QTest::newRow("binary density") << "Binary systems" << 2 << "Density" << "Ag-Sn" << 2 << "qrPunkty2" << "dbgT2" << "DensityT2";
        QTest::newRow("binary viscosity") << "Binary systems" << 2 << "Viscosity" << "Ag-Sn" << 1 << "qrExp" << "dbgT1" << "VISCO";
        QTest::newRow("ternary viscosity") << "Ternary systems" << 3 << "Viscosity" << "Ag-Cu-Sn" << 3 << "qrExp3" << "dbgWynikiT3" << "VISCO";
        QTest::newRow("ternary surface") << "Ternary systems" << 3 << "Surface tension" << "Ag-Cu-Sn" << 1 << "qrWyniki45" << "dbgWynikiT1" << "DensityT1";
        QTest::newRow("quinary density") << "Quinary systems" << 5 << "Density" << "X" << 4 << "qrWyniki454" << "dbgWynikiT4" << "DensityT4";
        QTest::newRow("pure molar") << "Pure metals" << 1 << "Molar volume" << "Ag" << 2 << "qrUkl12" << "dbgT2" << "VT2";
        QTest::newRow("binary molar") << "Binary systems" << 2 << "Molar volume" << "Ag-Sn" << 4 << "qrUkl24" << "dbgT4" << "VT4";
        QTest::newRow("ternary molar") << "Ternary systems" << 3 << "Molar volume" << "Ag-Cu-Sn" << 1 << "qrUkl31" << "dbgWynikiT1" << "VT1";
        QTest::newRow("quaternary molar 1") << "Quaternary systems" << 4 << "Molar volume" << "Ag-Cu-Sb-Sn" << 1 << "qrUkl4541" << "dbgWynikiT1" << "VT1";
        QTest::newRow("quaternary molar AgBiCuSn") << "Quaternary systems" << 4 << "Molar volume" << "Ag-Bi-Cu-Sn" << 3 << "qrUkl4543" << "dbgWynikiT3" << "VT3";
        QTest::newRow("quaternary molar other") << "Quaternary systems" << 4 << "Molar volume" << "Ag-Cu-Sb-Sn" << 3 << "qrUkl43" << "dbgWynikiT3" << "VT3";
        QTest::newRow("quinary molar") << "Quinary systems" << 5 << "Molar volume" << "Ag-Bi-Cu-Sb-Sn" << 2 << "qrUkl52" << "dbgWynikiT2" << "VT2";
    }
    void slotBindings()
    {
        QFETCH(QString, className);
        QFETCH(int, classNumber);
        QFETCH(QString, property);
        QFETCH(QString, system);
        QFETCH(int, slot);
        const SlotBinding b = slotBinding(className, classNumber, property, system, slot);
        QTEST(b.query, "query");
        QTEST(b.grid, "grid");
        QTEST(b.valueField, "field");
        QCOMPARE(b.dataSource, QStringLiteral("ds") + b.query.mid(2));
    }

    void seriesOfPureMolarVolumeIsNotDrawn()
    {
        QVERIFY(seriesBinding(QStringLiteral("Pure metals"), 1, QStringLiteral("Molar volume"), QStringLiteral("Ag"), 1).query.isEmpty());
        QCOMPARE(seriesBinding(QStringLiteral("Binary systems"), 2, QStringLiteral("Molar volume"), QStringLiteral("Ag-Sn"), 1).query,
                 QStringLiteral("qrUkl21"));
    }

    void plotSeriesStylesAndLegend()
    {
        PlotWidget plot;
        PlotSeries* points = plot.addPointSeries(QStringLiteral("a"), Qt::red, MarkerStyle::Star);
        points->addPoint(0.5, 2);
        points->addPoint(0.1, 1);
        points->addPoint(0.3, std::numeric_limits<double>::quiet_NaN());
        QCOMPARE(points->points(), (QList<QPointF>{{0.1, 1}, {0.5, 2}}));
        QCOMPARE(points->graph()->scatterStyle().shape(), QCPScatterStyle::ssStar);
        QCOMPARE(points->graph()->lineStyle(), QCPGraph::lsNone);
        PlotSeries* line = plot.addLineSeries(QStringLiteral("b"), Qt::blue, 2, Qt::DashDotDotLine);
        QCOMPARE(line->graph()->pen().style(), Qt::DashDotDotLine);
        QCOMPARE(line->graph()->pen().width(), 2);
        line->setInLegend(false);
        QCOMPARE(plot.legendTitles(), QStringList{QStringLiteral("a")});
        for (auto [marker, shape] : {std::pair{MarkerStyle::Rectangle, QCPScatterStyle::ssSquare},
                                     std::pair{MarkerStyle::Triangle, QCPScatterStyle::ssTriangle},
                                     std::pair{MarkerStyle::Diamond, QCPScatterStyle::ssDiamond},
                                     std::pair{MarkerStyle::Circle, QCPScatterStyle::ssCircle}}) {
            points->setMarker(marker);
            QCOMPARE(points->graph()->scatterStyle().shape(), shape);
        }
        plot.removeSeries(points);
        QCOMPARE(plot.seriesCount(), 1);
        plot.removeAllSeries();
        QCOMPARE(plot.seriesCount(), 0);
        QCOMPARE(plot.plot()->graphCount(), 0);
    }

    void plotAxesZoomAndTicks()
    {
        QLocale::setDefault(QLocale::c());
        PlotWidget plot;
        plot.resize(500, 400);
        plot.setTickFormatter(PlotWidget::Axis::Bottom, [](double v) { return formatGroupedTwoDecimals(v, QLocale::c()); });
        QCOMPARE(plot.tickLabel(PlotWidget::Axis::Bottom, 1234.5), QStringLiteral("1,234.5"));
        QCOMPARE(plot.tickLabel(PlotWidget::Axis::Bottom, 0.256), QStringLiteral("0.26"));
        plot.setAxisTitle(PlotWidget::Axis::Left, QStringLiteral("Density[g/cm^3]"));
        QCOMPARE(plot.plot()->yAxis->label(), QStringLiteral("Density[g/cm^3]"));
        PlotSeries* s = plot.addLineSeries(QStringLiteral("l"), Qt::black);
        s->addPoint(0, 0);
        s->addPoint(1, 10);
        plot.refresh();
        QCOMPARE(plot.plot()->xAxis->range().upper, 1.03); // data and a 3 % margin
        plot.zoomTo(0.2, 0.4, 1, 2);
        QVERIFY(plot.isZoomed());
        s->addPoint(2, 20); // a zoomed chart keeps its range
        QCOMPARE(plot.plot()->xAxis->range().upper, 0.4);
        plot.resetZoom();
        QCOMPARE(plot.plot()->xAxis->range().upper, 2.06);
    }

    void plotClickWithoutDragIsAClick()
    {
        PlotWidget plot;
        plot.resize(400, 300);
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        QSignalSpy clicks(&plot, &PlotWidget::clicked);
        QTest::mouseClick(plot.plot(), Qt::LeftButton, {}, QPoint(200, 150));
        QCOMPARE(clicks.count(), 1);
        QTest::mousePress(plot.plot(), Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseMove(plot.plot(), QPoint(180, 160));
        QTest::mouseRelease(plot.plot(), Qt::LeftButton, {}, QPoint(180, 160));
        QCOMPARE(clicks.count(), 1);
    }

    void plotDragZoomsAndReverseDragResets()
    {
        PlotWidget plot;
        plot.resize(400, 300);
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        PlotSeries* s = plot.addLineSeries(QStringLiteral("l"), Qt::black);
        s->addPoint(0, 0);
        s->addPoint(1, 10);
        plot.refresh();
        auto drag = [&plot](QPoint from, QPoint to) {
            QTest::mousePress(plot.plot(), Qt::LeftButton, {}, from);
            QMouseEvent move(QEvent::MouseMove, QPointF(to), plot.plot()->mapToGlobal(QPointF(to)), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(plot.plot(), &move);
            QTest::mouseRelease(plot.plot(), Qt::LeftButton, {}, to);
        };
        drag(QPoint(120, 80), QPoint(220, 180));
        QVERIFY(plot.isZoomed());
        QVERIFY(plot.plot()->xAxis->range().size() < 1.0);
        drag(QPoint(220, 180), QPoint(120, 80));
        QVERIFY(!plot.isZoomed());
        QCOMPARE(plot.plot()->xAxis->range().upper, 1.03);
        plot.setZoomEnabled(false);
        drag(QPoint(120, 80), QPoint(220, 180));
        QVERIFY(!plot.isZoomed());
    }

    void plotRendersToFiles()
    {
        QTemporaryDir dir;
        PlotWidget plot;
        plot.resize(400, 300);
        plot.setTitle(QStringLiteral("Ag-Sn"));
        PlotSeries* s = plot.addPointSeries(QStringLiteral("p"), Qt::red, MarkerStyle::Diamond);
        s->addPoint(0, 1);
        s->addPoint(1, 2);
        const QList<std::pair<QString, PlotWidget::ImageFormat>> formats = {
            {QStringLiteral("c.bmp"), PlotWidget::ImageFormat::Bmp},
            {QStringLiteral("c.png"), PlotWidget::ImageFormat::Png},
            {QStringLiteral("c.svg"), PlotWidget::ImageFormat::Svg},
            {QStringLiteral("c.pdf"), PlotWidget::ImageFormat::Pdf}};
        for (const auto& [name, format] : formats) {
            const QString path = dir.filePath(name);
            QVERIFY2(plot.saveImage(path, format, 400, 300), qPrintable(name));
            QVERIFY(QFileInfo(path).size() > 100);
        }
        QCOMPARE(QImage(dir.filePath(QStringLiteral("c.png"))).size(), QSize(400, 300));
        QFile svg(dir.filePath(QStringLiteral("c.svg")));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QVERIFY(svg.readAll().contains("Ag-Sn"));
        QFile pdf(dir.filePath(QStringLiteral("c.pdf")));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");

        // One printed page, and a copy on the clipboard.
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
        QVERIFY(plot.print(&printer));
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("printed.pdf"))).size() > 100);
        plot.copyToClipboard();
        QCOMPARE(QApplication::clipboard()->pixmap().size(), plot.plot()->size());
    }
};

QTEST_MAIN(TestChartParts)
#include "test_chart_parts.moc"
