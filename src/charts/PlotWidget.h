#pragma once
// The one plot widget of the program: every chart (isotherms, temperature
// lines, model curves, overlays) draws through it. It wraps QCustomPlot and
// offers point series with marker styles, line series with pen width and
// style, titles and legend visibility per series, axis titles and tick
// formats, a dotted minor grid, drag-to-zoom, rendering to BMP/PNG/SVG/PDF,
// printing on one page and copying to the clipboard.
#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QCustomPlot;
class QCPGraph;
class QCPAxis;
class QCPTextElement;
class QPrinter;
class QLabel;

namespace korvel {

enum class MarkerStyle { None, Star, Rectangle, Triangle, Diamond, Circle, Square };
enum class SeriesKind { Points, Line };

class PlotWidget;

// How many legend columns fit `available` pixels when entries fill rows from the
// left (entry i in column i % n) and a column is as wide as its widest entry.
int legendColumnsFor(const QList<int>& itemWidths, int available, int spacing);

// A series of the chart. The chart owns it; references stay valid until the
// series is removed.
class PlotSeries {
public:
    SeriesKind kind() const { return m_kind; }
    QString title() const { return m_title; }
    void setTitle(const QString& title);
    QColor colour() const { return m_colour; }
    void setColour(const QColor& colour);
    // The colour the chart draws the series in: its own colour, darkened where
    // it would not stand out on the white back wall.
    QColor drawnColour() const;
    MarkerStyle marker() const { return m_marker; }
    void setMarker(MarkerStyle marker);
    int penWidth() const { return m_penWidth; }
    Qt::PenStyle penStyle() const { return m_penStyle; }
    void setPen(int width, Qt::PenStyle style);
    bool inLegend() const { return m_inLegend; }
    void setInLegend(bool shown);
    // How the values came about ("isotherm from the equations", "viscosity model
    // Kap", ...) and where from (the publication key); read by the values pane
    // and the CSV export.
    void setOrigin(const QString& method, const QString& source);
    QString method() const { return m_method; }
    QString source() const { return m_source; }

    // Points are kept in ascending x; points whose x or y is not a number are skipped.
    void addPoint(double x, double y);
    void clearPoints();
    int pointCount() const;
    QPointF point(int index) const;
    QList<QPointF> points() const;

    QCPGraph* graph() const { return m_graph; }

private:
    friend class PlotWidget;
    PlotSeries(PlotWidget* owner, QCPGraph* graph, SeriesKind kind);
    void applyStyle();

    PlotWidget* m_owner;
    QCPGraph* m_graph;
    SeriesKind m_kind;
    QString m_title;
    QColor m_colour = Qt::black;
    MarkerStyle m_marker = MarkerStyle::None;
    int m_penWidth = 1;
    Qt::PenStyle m_penStyle = Qt::SolidLine;
    bool m_inLegend = true;
    QString m_method;
    QString m_source;
};

class PlotWidget : public QWidget {
    Q_OBJECT
public:
    enum class Axis { Bottom, Left };
    enum class ImageFormat { Bmp, Png, Svg, Pdf };
    using TickFormatter = std::function<QString(double)>;

    explicit PlotWidget(QWidget* parent = nullptr);
    ~PlotWidget() override;

    PlotSeries* addPointSeries(const QString& title, const QColor& colour, MarkerStyle marker);
    PlotSeries* addLineSeries(const QString& title, const QColor& colour, int width = 1,
                              Qt::PenStyle style = Qt::SolidLine);
    int seriesCount() const { return int(m_series.size()); }
    PlotSeries* series(int index) const { return m_series.value(index).get(); }
    QList<PlotSeries*> allSeries() const;
    void removeSeries(PlotSeries* series);
    void removeAllSeries();

    void setTitle(const QString& text);
    QString title() const;
    void setAxisTitle(Axis axis, const QString& text);
    QString axisTitle(Axis axis) const;
    // Tick labels through the formatter (e.g. the "#,##0.##" display format).
    void setTickFormatter(Axis axis, TickFormatter formatter);
    QString tickLabel(Axis axis, double value) const;
    // The smallest step between labelled ticks; larger steps are used when the
    // labels would crowd. Minor ticks between two labelled ticks.
    void setAxisIncrement(Axis axis, double increment);
    void setMinorTickCount(Axis axis, int count);
    void setMinorGridVisible(Axis axis, bool visible); // dotted gray
    void setAxisLineVisible(Axis axis, bool visible);

    void setPanelColour(const QColor& colour);
    QColor panelColour() const { return m_panelColour; }
    void setPlotBackground(const QColor& colour);
    // The legend is shown under the axes while it is wanted and has entries.
    void setLegendVisible(bool visible);
    bool legendVisible() const;
    // The range an axis shows while no series has points.
    void setEmptyRange(Axis axis, double lower, double upper);
    void setLegendColour(const QColor& colour);
    QColor legendColour() const { return m_legendColour; }
    // Legend entries in chart order (titles of the series shown in the legend).
    QStringList legendTitles() const;

    // Dragging a rectangle from left to right zooms into it; dragging from right
    // to left shows everything again.
    void setZoomEnabled(bool enabled);
    bool zoomEnabled() const { return m_zoomEnabled; }
    void zoomTo(double xLower, double xUpper, double yLower, double yUpper);
    void resetZoom();
    bool isZoomed() const { return m_zoomed; }

    // A note in the middle of the chart while no series has points (what the
    // chosen system holds and what the program can still do); empty: none.
    void setPlaceholderText(const QString& text);
    QString placeholderText() const;
    bool placeholderShown() const;

    // Fits the axes to the data and repaints.
    void refresh();

    bool saveImage(const QString& fileName, ImageFormat format, int width = 0, int height = 0);
    // Prints the chart stretched over one page of the printer.
    bool print(QPrinter* printer);
    void copyToClipboard();
    QPixmap toPixmap(int width = 0, int height = 0);

    QCustomPlot* plot() const { return m_plot; }

signals:
    // A click on the chart without dragging.
    void clicked();
    // Series were added or removed, or their points, titles or origins changed.
    void seriesEdited();

private:
    friend class PlotSeries;
    QCPAxis* axis(Axis a) const;
    void seriesChanged();
    void updateLegend();
    void placeLegend();
    void fitLegend();
    void fitAxes();
    bool eventFilter(QObject* watched, QEvent* event) override;

    void updatePlaceholder();

    QCustomPlot* m_plot;
    QLabel* m_placeholder = nullptr;
    QCPTextElement* m_title = nullptr;
    QList<std::shared_ptr<PlotSeries>> m_series;
    QColor m_panelColour;
    QColor m_legendColour;
    bool m_zoomEnabled = true;
    bool m_legendWanted = true;
    std::optional<std::pair<double, double>> m_emptyRange[2];
    bool m_zoomed = false;
    QPoint m_pressPos;
    bool m_pressed = false;
};

} // namespace korvel
