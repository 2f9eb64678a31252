#pragma once
// Putting a chart out of the program: the bitmap of "Save graph", images for
// "Export chart…" (PNG at a chosen resolution, SVG and PDF as vectors), the
// printed page and its preview. The chart is reached through ChartCanvas, which
// the chart window's plot wrapper provides.
#include "ExportFile.h"

#include <QColor>
#include <QSize>
#include <QString>
#include <optional>

class QCustomPlot;
class QPrinter;
class QWidget;

namespace korvel::exports {

class ChartCanvas {
public:
    virtual ~ChartCanvas() = default;
    virtual QCustomPlot* plot() const = 0;
    virtual QString title() const = 0;
    virtual void setTitle(const QString& text) = 0;
    virtual QColor legendColour() const = 0;
    virtual void setLegendColour(const QColor& colour) = 0;
    virtual QColor panelColour() const = 0;
    virtual void setPanelColour(const QColor& colour) = 0;
};

// "Data from KORVEL 3. System: " + system
QString savedGraphTitle(const QString& systemName);
// property + " of " + system + ".bmp"
QString savedGraphFileName(const QString& propertyName, const QString& systemName);

// The chart's size on screen.
QSize chartSize(const ChartCanvas& chart);

// Titles the chart for saving, renders it at its on-screen size on a white
// background into a Windows bitmap at `path`, and gives the chart its title and
// colours back, also when the write fails.
WriteOutcome saveGraphBitmap(ChartCanvas& chart, const QString& path, const QString& systemName);

enum class ChartImageFormat { Png, Svg, Pdf };

// The format a file name asks for by its suffix; nothing for other suffixes.
std::optional<ChartImageFormat> chartImageFormatOf(const QString& fileName);
QString chartImageFilter(); // for the save dialog
constexpr int kDefaultPngDpi = 300;

// Writes the chart at its on-screen proportions: PNG scaled to `dpi` (the screen
// counts as 96 dpi) with the resolution stored in the file, SVG and PDF as vectors.
WriteOutcome exportChartImage(ChartCanvas& chart, const QString& path, ChartImageFormat format,
                              int dpi = kDefaultPngDpi);

// Prints the chart on one landscape page, stretched to the page less 5 % on each
// side, the legend on the window background meanwhile. The printer's orientation
// and the legend colour are given back afterwards. False when the job could not start.
bool printChart(ChartCanvas& chart, QPrinter* printer);

// Qt's print preview of the same page; printing from it uses printChart.
void previewChart(ChartCanvas& chart, QPrinter* printer, QWidget* parent);

// The preview where no printer is installed: the same page, and its print
// button ("Print to PDF…") asks for a file name (suggested: `suggestedPdf`) and
// writes the page there as a PDF document. The file written, or empty when the
// user printed nothing.
QString previewChartToPdf(ChartCanvas& chart, QWidget* parent, const QString& suggestedPdf);

} // namespace korvel::exports
