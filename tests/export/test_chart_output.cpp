// Chart bitmaps, chart images, chart printing and picture printing, on a real
// plot rendered offscreen and on PDF printers writing to temporary files.
#include "export/ChartOutput.h"
#include "export/PicturePrint.h"
#include "export/Printers.h"

#include "ScriptedUi.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImageReader>
#include <QPdfWriter>
#include <QAction>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <qcustomplot.h>

using namespace korvel::exports;

namespace {

const QColor kMoneyGreen(0xC0, 0xDC, 0xC0);

// A plot like the chart window's: a title element, a legend, two series, the
// money-green panel; records the titles and legend colours it is given.
class TestChart : public ChartCanvas {
public:
    TestChart()
    {
        m_plot.resize(640, 420);
        m_plot.plotLayout()->insertRow(0);
        m_title = new QCPTextElement(&m_plot, QStringLiteral("Ag-Sn"));
        m_plot.plotLayout()->addElement(0, 0, m_title);
        m_plot.legend->setVisible(true);
        for (int s = 0; s < 2; ++s) {
            QCPGraph* g = m_plot.addGraph();
            g->setName(QStringLiteral("T%1").arg(s + 1));
            g->setPen(QPen(s ? Qt::blue : Qt::red, 2));
            for (int i = 0; i <= 10; ++i)
                g->addData(i / 10.0, 7 + s + i / 20.0);
        }
        m_plot.rescaleAxes();
        setPanelColour(kMoneyGreen);
        setLegendColour(QColor(Qt::lightGray));
        m_plot.replot();
    }
    QCustomPlot* plot() const override { return const_cast<QCustomPlot*>(&m_plot); }
    QString title() const override { return m_title->text(); }
    void setTitle(const QString& t) override { m_title->setText(t); titles << t; }
    QColor legendColour() const override { return m_legend; }
    void setLegendColour(const QColor& c) override { m_legend = c; m_plot.legend->setBrush(c); legends << c; }
    QColor panelColour() const override { return m_panel; }
    void setPanelColour(const QColor& c) override { m_panel = c; m_plot.setBackground(c); }

    QStringList titles;
    QList<QColor> legends;

private:
    QCustomPlot m_plot;
    QCPTextElement* m_title;
    QColor m_legend;
    QColor m_panel;
};

struct PdfPages {
    int count = 0;
    QList<QSizeF> mediaBoxes;
};

// Pages and page sizes of a PDF file as Qt's writer lays them out.
PdfPages pdfPages(const QString& path)
{
    QFile f(path);
    PdfPages p;
    if (!f.open(QIODevice::ReadOnly))
        return p;
    const QString text = QString::fromLatin1(f.readAll());
    if (!text.startsWith(QLatin1String("%PDF-")))
        return p;
    p.count = int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
    QRegularExpression box(QStringLiteral("/MediaBox\\s*\\[\\s*([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)"));
    for (auto it = box.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        p.mediaBoxes << QSizeF(m.captured(3).toDouble() - m.captured(1).toDouble(),
                               m.captured(4).toDouble() - m.captured(2).toDouble());
    }
    return p;
}

std::unique_ptr<QPrinter> pdfPrinter(const QString& path, QPrinter::PrinterMode mode)
{
    auto printer = std::make_unique<QPrinter>(mode);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    return printer;
}

} // namespace

class TestChartOutput : public QObject {
    Q_OBJECT
private slots:
    void savedGraphIsChartSizedBitmapOnWhite();
    void savedGraphFailureRestoresTitle();
    void exportedImagesReopen();
    void printedChartIsOneLandscapePage();
    void previewPaintsTheSamePage();
    void previewWithoutPrinterPrintsToPdf_data();
    void previewWithoutPrinterPrintsToPdf();
    void scanPageGeometry();
    void scanPrintsOnePage();
    void phaseDiagramGeometry();
    void headingFontIsSerif();
};

void TestChartOutput::savedGraphIsChartSizedBitmapOnWhite()
{
    TestChart chart;
    QTemporaryDir dir;
    const QString path = dir.filePath(savedGraphFileName("Density", "Ag-Sn"));
    QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("Density of Ag-Sn.bmp"));
    for (int round = 0; round < 2; ++round) { // the second save replaces the first
        chart.titles.clear();
        const WriteOutcome w = saveGraphBitmap(chart, path, "Ag-Sn");
        QVERIFY2(w.ok, qPrintable(w.message));
        QCOMPARE(chart.titles.value(0), QStringLiteral("Data from KORVEL 3. System: Ag-Sn"));
        QCOMPARE(chart.title(), QStringLiteral("Ag-Sn"));
        QCOMPARE(chart.panelColour(), kMoneyGreen);
    }
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("bmp"));
    const QImage image = reader.read();
    QCOMPARE(image.size(), chart.plot()->size());
    QCOMPARE(image.pixelColor(1, image.height() - 2), QColor(Qt::white)); // panel corner
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

void TestChartOutput::savedGraphFailureRestoresTitle()
{
    TestChart chart;
    QTemporaryDir dir;
    const QString path = dir.filePath("Save/Density of Ag-Sn.bmp"); // SaveDir missing
    const WriteOutcome w = saveGraphBitmap(chart, path, "Ag-Sn");
    QVERIFY(!w.ok);
    QVERIFY2(w.message.startsWith("Cannot create file \"" + QDir::toNativeSeparators(path) + "\". "), qPrintable(w.message));
    QCOMPARE(chart.title(), QStringLiteral("Ag-Sn"));
}

void TestChartOutput::exportedImagesReopen()
{
    TestChart chart;
    QTemporaryDir dir;
    QCOMPARE(chartImageFormatOf("a.PNG"), std::optional(ChartImageFormat::Png));
    QCOMPARE(chartImageFormatOf("a.svg"), std::optional(ChartImageFormat::Svg));
    QCOMPARE(chartImageFormatOf("a.pdf"), std::optional(ChartImageFormat::Pdf));
    QVERIFY(!chartImageFormatOf("a.bmp"));

    const QString png = dir.filePath("chart.png");
    QVERIFY(exportChartImage(chart, png, ChartImageFormat::Png).ok);
    const QImage image(png);
    QCOMPARE(image.size(), chart.plot()->size() * 300 / 96);
    QCOMPARE(qRound(image.dotsPerMeterX() * 0.0254), 300);
    QVERIFY(exportChartImage(chart, png, ChartImageFormat::Png, 96).ok);
    QCOMPARE(QImage(png).size(), chart.plot()->size());

    const QString svg = dir.filePath("chart.svg");
    QVERIFY(exportChartImage(chart, svg, ChartImageFormat::Svg).ok);
    QSvgRenderer renderer(svg);
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.viewBox(), QRect(QPoint(0, 0), chart.plot()->size()));

    const QString pdf = dir.filePath("chart.pdf");
    QVERIFY(exportChartImage(chart, pdf, ChartImageFormat::Pdf).ok);
    const PdfPages pages = pdfPages(pdf);
    QCOMPARE(pages.count, 1);
    QCOMPARE(pages.mediaBoxes.size(), 1);
    QVERIFY(qAbs(pages.mediaBoxes[0].width() - 640 * 0.75) < 1.5);
    QVERIFY(qAbs(pages.mediaBoxes[0].height() - 420 * 0.75) < 1.5);
    QCOMPARE(chart.title(), QStringLiteral("Ag-Sn"));
}

void TestChartOutput::printedChartIsOneLandscapePage()
{
    TestChart chart;
    QTemporaryDir dir;
    const QString path = dir.filePath("page.pdf");
    auto printer = pdfPrinter(path, QPrinter::ScreenResolution);
    chart.legends.clear();
    QVERIFY(printChart(chart, printer.get()));
    QCOMPARE(chart.legends.value(0), QGuiApplication::palette().color(QPalette::Base)); // while printing
    QCOMPARE(chart.legendColour(), QColor(Qt::lightGray));                               // afterwards
    QCOMPARE(printer->pageLayout().orientation(), QPageLayout::Portrait);
    const PdfPages pages = pdfPages(path);
    QCOMPARE(pages.count, 1);
    QVERIFY(!pages.mediaBoxes.isEmpty());
    QVERIFY(pages.mediaBoxes[0].width() > pages.mediaBoxes[0].height());
}

void TestChartOutput::previewPaintsTheSamePage()
{
    korvel::test::ScriptedUi ui;
    TestChart chart;
    QTemporaryDir dir;
    auto printer = pdfPrinter(dir.filePath("preview.pdf"), QPrinter::ScreenResolution);
    int pagesShown = -1;
    QPageLayout::Orientation shownOrientation = QPageLayout::Portrait;
    ui.onModal = [&](QWidget* w) {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(w);
        if (!dialog)
            return 0;
        dialog->show();
        QApplication::processEvents();
        if (auto* preview = dialog->findChild<QPrintPreviewWidget*>()) {
            preview->updatePreview();
            pagesShown = preview->pageCount();
            shownOrientation = preview->orientation();
        }
        dialog->close();
        return 0;
    };
    previewChart(chart, printer.get(), nullptr);
    QCOMPARE(ui.modalWindows.size(), 1);
    QCOMPARE(pagesShown, 1);
    QCOMPARE(shownOrientation, QPageLayout::Landscape);
    QCOMPARE(printer->pageLayout().orientation(), QPageLayout::Portrait);
    QCOMPARE(chart.legendColour(), QColor(Qt::lightGray));
}

void TestChartOutput::previewWithoutPrinterPrintsToPdf_data()
{
    QTest::addColumn<bool>("named");
    QTest::newRow("file named") << true;
    QTest::newRow("dialog cancelled") << false;
}

// With no printer the preview's print button names a PDF file and writes the one
// landscape page there; cancelling the file dialog writes nothing.
void TestChartOutput::previewWithoutPrinterPrintsToPdf()
{
    QFETCH(bool, named);
    korvel::test::ScriptedUi ui;
    TestChart chart;
    QTemporaryDir dir;
    const QString path = dir.filePath("chart.pdf");
    if (named)
        ui.fileAnswers << path;
    bool printTriggered = false;
    ui.onModal = [&](QWidget* w) {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(w);
        if (!dialog)
            return 0;
        dialog->show();
        QApplication::processEvents();
        if (auto* action = dialog->findChild<QAction*>(QStringLiteral("PrintToPdf"))) {
            action->trigger();
            printTriggered = true;
        }
        dialog->close();
        return 0;
    };
    const QString written = previewChartToPdf(chart, nullptr, dir.filePath("suggested.pdf"));
    QVERIFY(printTriggered);
    QCOMPARE(ui.modalWindows.size(), 1);
    QCOMPARE(written, named ? path : QString());
    QCOMPARE(QFileInfo::exists(path), named);
    if (named) {
        const PdfPages pages = pdfPages(path);
        QCOMPARE(pages.count, 1);
        QVERIFY(pages.mediaBoxes[0].width() > pages.mediaBoxes[0].height());
    }
    QVERIFY(ui.texts().isEmpty());
    QCOMPARE(chart.legendColour(), QColor(Qt::lightGray));
}

void TestChartOutput::scanPageGeometry()
{
    const PicturePage page = scanPage(QSize(800, 600));
    QCOMPARE(page.pictureRect, QRectF(QPointF(50, 200), QPointF(1600, 1200)));
    QCOMPARE(page.heading, QStringLiteral("KORVEL 2 Database of Lead - Free Soldering Materials"));
    QCOMPARE(page.headingTopLeft, QPointF(50, 50));
    QCOMPARE(page.headingPointSize, 12);

    // Painted on a page-sized image: the picture covers exactly its rectangle.
    QImage picture(800, 600, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QImage sheet(1700, 1300, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QVERIFY(paintPicturePage(&sheet, picture, page));
    QCOMPARE(sheet.pixelColor(50, 200), QColor(Qt::red));
    QCOMPARE(sheet.pixelColor(1599, 1199), QColor(Qt::red));
    QCOMPARE(sheet.pixelColor(49, 600), QColor(Qt::white));
    QCOMPARE(sheet.pixelColor(800, 199), QColor(Qt::white));
    QCOMPARE(sheet.pixelColor(1600, 700), QColor(Qt::white));
    QCOMPARE(sheet.pixelColor(800, 1200), QColor(Qt::white));
    // Some heading ink between the top and the picture.
    bool ink = false;
    for (int y = 50; y < 200 && !ink; ++y)
        for (int x = 50; x < 800 && !ink; ++x)
            ink = sheet.pixelColor(x, y) != QColor(Qt::white);
    QVERIFY(ink);
}

void TestChartOutput::scanPrintsOnePage()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("scan.pdf");
    auto printer = pdfPrinter(path, QPrinter::HighResolution);
    QImage picture(800, 600, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(printScan(printer.get(), picture));
    QCOMPARE(pdfPages(path).count, 1);

    // A printer that cannot start the job is reported, not passed over.
    QPrinter broken(QPrinter::HighResolution);
    broken.setOutputFormat(QPrinter::PdfFormat);
    broken.setOutputFileName(dir.filePath("missing/scan.pdf"));
    QVERIFY(!printScan(&broken, picture));
}

void TestChartOutput::phaseDiagramGeometry()
{
    // 600-dpi printer, 96-dpi screen: factors 6 (integer division).
    const PicturePage page = phaseDiagramPage(QSize(500, 400), 600, 600, 96, 96);
    QCOMPARE(page.pictureRect, QRectF(QPointF(20, 100), QPointF(3000, 2400)));
    QCOMPARE(page.heading, QStringLiteral("KORVEL Database of Lead - Free Soldering Materials"));
    QCOMPARE(page.headingTopLeft, QPointF(10, 10));
    QCOMPARE(page.headingPointSize, 18);
    QCOMPARE(phaseDiagramPage(QSize(500, 400), 300, 200, 96, 96).pictureRect,
             QRectF(QPointF(20, 100), QPointF(1500, 800)));
    // A printer coarser than the screen still prints the picture the right way round.
    QCOMPARE(phaseDiagramPage(QSize(500, 400), 72, 72, 96, 96).pictureRect,
             QRectF(QPointF(20, 100), QPointF(500, 400)));

    QTemporaryDir dir;
    const QString path = dir.filePath("diagram.pdf");
    auto printer = pdfPrinter(path, QPrinter::HighResolution);
    QImage picture(500, 400, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QVERIFY(printPhaseDiagram(printer.get(), picture, 96, 96));
    QCOMPARE(pdfPages(path).count, 1);
}

void TestChartOutput::headingFontIsSerif()
{
    const QFont font = headingFont(18);
    QCOMPARE(font.pointSize(), 18);
    QVERIFY(font.bold());
    const QStringList installed = QFontDatabase::families();
    if (installed.contains("Times New Roman"))
        QCOMPARE(font.family(), QStringLiteral("Times New Roman"));
    else if (installed.contains("DejaVu Serif") || installed.contains("Liberation Serif"))
        QVERIFY2(font.family().contains("Serif"), qPrintable(font.family()));
    QCOMPARE(font.styleHint(), QFont::Serif);
}

QTEST_MAIN(TestChartOutput)
#include "test_chart_output.moc"
