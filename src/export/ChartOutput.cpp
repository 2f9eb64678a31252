#include "ChartOutput.h"

#include "core/UiServices.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPalette>
#include <QPdfWriter>
#include <QAction>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSvgGenerator>
#include <qcustomplot.h>

namespace korvel::exports {

namespace {
constexpr double kScreenDpi = 96.0;

// Gives the chart its title and colours back whatever happens in between.
class ChartLookGuard {
public:
    explicit ChartLookGuard(ChartCanvas& chart)
        : m_chart(chart), m_title(chart.title()), m_panel(chart.panelColour()), m_legend(chart.legendColour())
    {
    }
    ~ChartLookGuard()
    {
        m_chart.setTitle(m_title);
        m_chart.setPanelColour(m_panel);
        m_chart.setLegendColour(m_legend);
    }
    ChartLookGuard(const ChartLookGuard&) = delete;
    ChartLookGuard& operator=(const ChartLookGuard&) = delete;

private:
    ChartCanvas& m_chart;
    QString m_title;
    QColor m_panel;
    QColor m_legend;
};

QString writeImage(QIODevice& device, const QImage& image, const char* format)
{
    QImageWriter writer(&device, format);
    if (!writer.write(image))
        return writer.errorString();
    return QString();
}

QColor windowBackground() { return QGuiApplication::palette().color(QPalette::Base); }
} // namespace

QString savedGraphTitle(const QString& systemName) { return QStringLiteral("Data from KORVEL 3. System: ") + systemName; }

QString savedGraphFileName(const QString& propertyName, const QString& systemName)
{
    return safeFileName(propertyName + QStringLiteral(" of ") + systemName + QStringLiteral(".bmp"));
}

QSize chartSize(const ChartCanvas& chart)
{
    const QSize s = chart.plot()->size();
    return QSize(std::max(1, s.width()), std::max(1, s.height()));
}

WriteOutcome saveGraphBitmap(ChartCanvas& chart, const QString& path, const QString& systemName)
{
    QImage image;
    {
        ChartLookGuard guard(chart);
        chart.setTitle(savedGraphTitle(systemName));
        chart.setPanelColour(Qt::white);
        const QSize size = chartSize(chart);
        chart.plot()->replot();
        image = chart.plot()->toPixmap(size.width(), size.height(), 1.0).toImage();
    }
    chart.plot()->replot();
    image = image.convertToFormat(QImage::Format_RGB32);
    return writeFileWith(path, [&](QIODevice& device) { return writeImage(device, image, "bmp"); });
}

std::optional<ChartImageFormat> chartImageFormatOf(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return ChartImageFormat::Png;
    if (suffix == QLatin1String("svg"))
        return ChartImageFormat::Svg;
    if (suffix == QLatin1String("pdf"))
        return ChartImageFormat::Pdf;
    return std::nullopt;
}

QString chartImageFilter()
{
    return QStringLiteral("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)");
}

WriteOutcome exportChartImage(ChartCanvas& chart, const QString& path, ChartImageFormat format, int dpi)
{
    QCustomPlot* plot = chart.plot();
    const QSize size = chartSize(chart);
    plot->replot();
    switch (format) {
    case ChartImageFormat::Png: {
        const int resolution = dpi > 0 ? dpi : kDefaultPngDpi;
        QImage image = plot->toPixmap(size.width(), size.height(), resolution / kScreenDpi).toImage();
        const int dotsPerMetre = qRound(resolution / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return writeFileWith(path, [&](QIODevice& device) { return writeImage(device, image, "png"); });
    }
    case ChartImageFormat::Svg:
        return writeFileWith(path, [&](QIODevice& device) -> QString {
            QSvgGenerator generator;
            generator.setOutputDevice(&device);
            generator.setSize(size);
            generator.setViewBox(QRect(QPoint(0, 0), size));
            generator.setResolution(int(kScreenDpi));
            generator.setTitle(chart.title());
            QCPPainter painter;
            if (!painter.begin(&generator))
                return QStringLiteral("The drawing could not be started.");
            painter.setMode(QCPPainter::pmVectorized);
            plot->toPainter(&painter, size.width(), size.height());
            painter.end();
            return QString();
        });
    case ChartImageFormat::Pdf:
        return writeFileWith(path, [&](QIODevice& device) -> QString {
            QPdfWriter writer(&device);
            writer.setTitle(chart.title());
            writer.setCreator(QStringLiteral("KORVEL 3"));
            writer.setResolution(int(kScreenDpi));
            writer.setPageLayout(QPageLayout(QPageSize(QSizeF(size) * 72.0 / kScreenDpi, QPageSize::Point),
                                             QPageLayout::Portrait, QMarginsF()));
            QCPPainter painter;
            if (!painter.begin(&writer))
                return QStringLiteral("The document could not be started.");
            painter.setMode(QCPPainter::pmVectorized);
            painter.setMode(QCPPainter::pmNoCaching);
            plot->toPainter(&painter, size.width(), size.height());
            painter.end();
            return QString();
        });
    }
    return {false, cannotCreateMessage(path, QStringLiteral("Unknown image format."))};
}

bool printChart(ChartCanvas& chart, QPrinter* printer)
{
    const QPageLayout::Orientation previous = printer->pageLayout().orientation();
    printer->setPageOrientation(QPageLayout::Landscape);
    bool started = false;
    {
        ChartLookGuard guard(chart);
        chart.setLegendColour(windowBackground());
        QCustomPlot* plot = chart.plot();
        const QSize size = chartSize(chart);
        QCPPainter painter;
        started = painter.begin(printer);
        if (started) {
            const QRectF page = printer->pageLayout().paintRectPixels(printer->resolution());
            const QRectF target(page.width() * 0.05, page.height() * 0.05, page.width() * 0.9, page.height() * 0.9);
            painter.setMode(QCPPainter::pmVectorized);
            painter.setMode(QCPPainter::pmNoCaching);
            painter.translate(target.topLeft());
            painter.scale(target.width() / size.width(), target.height() / size.height());
            plot->toPainter(&painter, size.width(), size.height());
            painter.end();
        }
    }
    chart.plot()->replot();
    printer->setPageOrientation(previous);
    return started;
}

void previewChart(ChartCanvas& chart, QPrinter* printer, QWidget* parent)
{
    const QPageLayout::Orientation previous = printer->pageLayout().orientation();
    printer->setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog dialog(printer, parent);
    dialog.setObjectName(QStringLiteral("ChartPrintPreview"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&chart](QPrinter* p) { printChart(chart, p); });
    ui().showModal(&dialog);
    printer->setPageOrientation(previous);
}

QString previewChartToPdf(ChartCanvas& chart, QWidget* parent, const QString& suggestedPdf)
{
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("ChartPrintPreview"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&chart](QPrinter* p) { printChart(chart, p); });
    // The dialog's own print button would open a printer dialog with nothing to
    // choose; it writes a PDF file instead.
    QString written;
    for (QAction* action : dialog.findChildren<QAction*>()) {
        if (action->text().remove(QLatin1Char('&')) != QLatin1String("Print"))
            continue;
        QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
        action->setText(QStringLiteral("Print to PDF…"));
        action->setToolTip(QStringLiteral("No printer is installed: write the page to a PDF file"));
        action->setObjectName(QStringLiteral("PrintToPdf"));
        QObject::connect(action, &QAction::triggered, &dialog, [&] {
            const QString path = ui().saveFileName(&dialog, QStringLiteral("Print to PDF"), suggestedPdf,
                                                   QStringLiteral("PDF documents (*.pdf)"));
            if (path.isEmpty())
                return;
            printer.setOutputFileName(path);
            if (auto* preview = dialog.findChild<QPrintPreviewWidget*>())
                preview->print();
            if (QFileInfo(path).size() > 0)
                written = path;
            else
                ui().error(cannotCreateMessage(path, QStringLiteral("The PDF file could not be written.")));
            dialog.accept();
        });
    }
    ui().showModal(&dialog);
    return written;
}

} // namespace korvel::exports
