#include "PlotWidget.h"

#include "SeriesColours.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QSvgGenerator>
#include <cmath>
#include <qcustomplot.h>

namespace korvel {
namespace {

// Ticks at least `increment` apart, widened to a "nice" step when the labels
// would crowd the axis; labels through an optional formatter.
class IncrementTicker : public QCPAxisTicker {
public:
    explicit IncrementTicker(QCPAxis* axis) : m_axis(axis) {}

    double increment = 0.0;
    int minorTicks = 0;
    PlotWidget::TickFormatter formatter;

protected:
    double getTickStep(const QCPRange& range) override
    {
        const int pixels = m_axis ? (m_axis->orientation() == Qt::Horizontal ? m_axis->axisRect()->width()
                                                                              : m_axis->axisRect()->height())
                                  : 400;
        const double labels = std::max(2.0, pixels / (m_axis && m_axis->orientation() == Qt::Horizontal ? 55.0 : 30.0));
        const double step = cleanMantissa(range.size() / labels);
        return std::max(increment, step);
    }
    int getSubTickCount(double) override { return minorTicks; }
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) override
    {
        if (formatter)
            return formatter(std::fabs(tick) < 1e-12 ? 0.0 : tick);
        return QCPAxisTicker::getTickLabel(tick, locale, formatChar, precision);
    }

private:
    QCPAxis* m_axis;
};

IncrementTicker* tickerOf(QCPAxis* axis) { return dynamic_cast<IncrementTicker*>(axis->ticker().data()); }

QCPScatterStyle::ScatterShape shapeOf(MarkerStyle marker)
{
    switch (marker) {
    case MarkerStyle::Star: return QCPScatterStyle::ssStar;
    case MarkerStyle::Rectangle: return QCPScatterStyle::ssSquare;
    case MarkerStyle::Triangle: return QCPScatterStyle::ssTriangle;
    case MarkerStyle::Diamond: return QCPScatterStyle::ssDiamond;
    case MarkerStyle::Circle: return QCPScatterStyle::ssCircle;
    case MarkerStyle::Square: return QCPScatterStyle::ssSquare;
    case MarkerStyle::None: break;
    }
    return QCPScatterStyle::ssNone;
}

} // namespace

// ---- series ------------------------------------------------------------------

PlotSeries::PlotSeries(PlotWidget* owner, QCPGraph* graph, SeriesKind kind)
    : m_owner(owner), m_graph(graph), m_kind(kind)
{
}

QColor PlotSeries::drawnColour() const { return readableOn(m_colour); }

void PlotSeries::applyStyle()
{
    const QColor colour = drawnColour();
    QPen pen(colour, m_penWidth, m_penStyle);
    m_graph->setPen(pen);
    m_graph->setName(m_title);
    if (m_kind == SeriesKind::Points) {
        m_graph->setLineStyle(QCPGraph::lsNone);
        QCPScatterStyle style(shapeOf(m_marker), 8);
        style.setPen(QPen(colour, 1.5));
        if (m_marker == MarkerStyle::Rectangle || m_marker == MarkerStyle::Triangle
            || m_marker == MarkerStyle::Diamond || m_marker == MarkerStyle::Circle)
            style.setBrush(colour);
        m_graph->setScatterStyle(style);
    } else {
        m_graph->setLineStyle(QCPGraph::lsLine);
        m_graph->setScatterStyle(QCPScatterStyle(shapeOf(m_marker), colour, 6));
    }
}

void PlotSeries::setTitle(const QString& title)
{
    m_title = title;
    applyStyle();
    m_owner->seriesChanged();
}

void PlotSeries::setColour(const QColor& colour)
{
    m_colour = colour;
    applyStyle();
    m_owner->seriesChanged();
}

void PlotSeries::setMarker(MarkerStyle marker)
{
    m_marker = marker;
    applyStyle();
    m_owner->seriesChanged();
}

void PlotSeries::setPen(int width, Qt::PenStyle style)
{
    m_penWidth = width;
    m_penStyle = style;
    applyStyle();
    m_owner->seriesChanged();
}

void PlotSeries::setOrigin(const QString& method, const QString& source)
{
    m_method = method;
    m_source = source;
    emit m_owner->seriesEdited();
}

void PlotSeries::setInLegend(bool shown)
{
    m_inLegend = shown;
    m_owner->updateLegend();
}

void PlotSeries::addPoint(double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return;
    m_graph->addData(x, y); // QCPGraph keeps its data sorted by key
    m_owner->seriesChanged();
}

void PlotSeries::clearPoints()
{
    m_graph->data()->clear();
    m_owner->seriesChanged();
}

int PlotSeries::pointCount() const { return m_graph->data()->size(); }

QPointF PlotSeries::point(int index) const
{
    if (index < 0 || index >= pointCount())
        return {};
    const auto it = m_graph->data()->at(index);
    return {it->key, it->value};
}

QList<QPointF> PlotSeries::points() const
{
    QList<QPointF> result;
    for (auto it = m_graph->data()->constBegin(); it != m_graph->data()->constEnd(); ++it)
        result << QPointF(it->key, it->value);
    return result;
}

// ---- widget --------------------------------------------------------------------

PlotWidget::PlotWidget(QWidget* parent) : QWidget(parent), m_plot(new QCustomPlot(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_plot);

    m_plot->plotLayout()->insertRow(0);
    m_title = new QCPTextElement(m_plot, QString(), QFont(QStringLiteral("Times New Roman"), 12, QFont::Bold));
    m_title->setTextColor(Qt::blue);
    m_plot->plotLayout()->addElement(0, 0, m_title);

    for (QCPAxis* a : {m_plot->xAxis, m_plot->yAxis}) {
        a->setTicker(QSharedPointer<QCPAxisTicker>(new IncrementTicker(a)));
        a->grid()->setSubGridPen(QPen(Qt::gray, 0, Qt::DotLine));
    }
    // The legend sits under the axes, where it covers no data, in as many
    // columns as fit; it is in the layout only while it has entries.
    m_plot->axisRect()->insetLayout()->take(m_plot->legend);
    // Entries fill rows from the left; as many columns as the widest entries of
    // each column allow in the chart's width (fitLegend), never cutting an entry.
    m_plot->legend->setFillOrder(QCPLegend::foColumnsFirst);
    m_plot->legend->setWrap(3);
    m_plot->legend->setVisible(false);
    m_plot->legend->setBrush(palette().color(QPalette::Window));
    m_plot->legend->setBorderPen(QPen(palette().color(QPalette::Window)));
    m_legendColour = palette().color(QPalette::Window);
    m_plot->setSelectionRectMode(QCP::srmCustom);
    connect(m_plot->selectionRect(), &QCPSelectionRect::accepted, this, [this](const QRect& rect, QMouseEvent*) {
        if (!m_zoomEnabled)
            return;
        if (std::abs(rect.width()) < 4 && std::abs(rect.height()) < 4)
            return; // too small to mean a zoom
        if (rect.width() < 0 || rect.height() < 0) {
            // Dragged towards the upper left: show everything.
            resetZoom();
            return;
        }
        const QRect r = rect.normalized();
        const double x1 = m_plot->xAxis->pixelToCoord(r.left()), x2 = m_plot->xAxis->pixelToCoord(r.right());
        const double y1 = m_plot->yAxis->pixelToCoord(r.bottom()), y2 = m_plot->yAxis->pixelToCoord(r.top());
        zoomTo(std::min(x1, x2), std::max(x1, x2), std::min(y1, y2), std::max(y1, y2));
    });
    m_plot->installEventFilter(this);
    setPanelColour(QColor(0xC0, 0xDC, 0xC0));
}

PlotWidget::~PlotWidget()
{
    // The plot deletes the elements of its layout; give the legend back to it.
    if (m_plot->legend->layout() != m_plot->plotLayout())
        m_plot->plotLayout()->addElement(m_plot->plotLayout()->rowCount(), 0, m_plot->legend);
}

int legendColumnsFor(const QList<int>& itemWidths, int available, int spacing)
{
    const int count = int(itemWidths.size());
    for (int columns = count; columns > 1; --columns) {
        // Filled row by row: item i sits in column i % columns.
        QList<int> widest(columns, 0);
        for (int i = 0; i < count; ++i)
            widest[i % columns] = std::max(widest[i % columns], itemWidths[i]);
        int total = spacing * (columns - 1);
        for (int w : widest)
            total += w;
        if (total <= available)
            return columns;
    }
    return 1;
}

void PlotWidget::fitLegend()
{
    QCPLegend* legend = m_plot->legend;
    const int count = legend->itemCount();
    if (count == 0)
        return;
    QList<int> widths;
    for (int i = 0; i < count; ++i)
        if (QCPAbstractLegendItem* item = legend->item(i))
            widths << item->minimumOuterSizeHint().width();
    const QMargins m = legend->margins();
    const int available = std::max(50, m_plot->width() - m.left() - m.right() - 8);
    const int columns = legendColumnsFor(widths, available, legend->columnSpacing());
    if (legend->wrap() != columns) {
        legend->setWrap(columns);
        // setWrap keeps the grid; lay the entries out again in the new number of columns.
        legend->setFillOrder(QCPLayoutGrid::foColumnsFirst, true);
    }
}

void PlotWidget::placeLegend()
{
    fitLegend();
    QCPLegend* legend = m_plot->legend;
    QCPLayoutGrid* layout = m_plot->plotLayout();
    const bool show = m_legendWanted && legend->itemCount() > 0;
    const bool placed = legend->layout() == layout;
    if (show && !placed) {
        layout->addElement(layout->rowCount(), 0, legend);
        layout->setRowStretchFactor(layout->rowCount() - 1, 0.001);
    } else if (!show && placed) {
        layout->take(legend);
        layout->simplify();
    }
    legend->setVisible(show);
}

void PlotWidget::setEmptyRange(Axis a, double lower, double upper)
{
    m_emptyRange[a == Axis::Bottom ? 0 : 1] = {lower, upper};
    seriesChanged();
}

bool PlotWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_plot) {
        if (event->type() == QEvent::Resize)
            updatePlaceholder();
        if (event->type() == QEvent::Resize && m_plot->legend->visible()) {
            fitLegend();
            m_plot->replot(QCustomPlot::rpQueuedReplot);
        }
        if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_pressPos = static_cast<QMouseEvent*>(event)->pos();
            m_pressed = true;
        } else if (event->type() == QEvent::MouseButtonRelease && m_pressed) {
            m_pressed = false;
            const QPoint d = static_cast<QMouseEvent*>(event)->pos() - m_pressPos;
            if (d.manhattanLength() <= 3)
                emit clicked();
        }
    }
    return QWidget::eventFilter(watched, event);
}

QCPAxis* PlotWidget::axis(Axis a) const { return a == Axis::Bottom ? m_plot->xAxis : m_plot->yAxis; }

PlotSeries* PlotWidget::addPointSeries(const QString& title, const QColor& colour, MarkerStyle marker)
{
    auto s = std::shared_ptr<PlotSeries>(new PlotSeries(this, m_plot->addGraph(), SeriesKind::Points));
    s->m_title = title;
    s->m_colour = colour;
    s->m_marker = marker;
    s->applyStyle();
    m_series.append(s);
    updateLegend();
    seriesChanged();
    return s.get();
}

PlotSeries* PlotWidget::addLineSeries(const QString& title, const QColor& colour, int width, Qt::PenStyle style)
{
    auto s = std::shared_ptr<PlotSeries>(new PlotSeries(this, m_plot->addGraph(), SeriesKind::Line));
    s->m_title = title;
    s->m_colour = colour;
    s->m_penWidth = width;
    s->m_penStyle = style;
    s->applyStyle();
    m_series.append(s);
    updateLegend();
    seriesChanged();
    return s.get();
}

QList<PlotSeries*> PlotWidget::allSeries() const
{
    QList<PlotSeries*> result;
    for (const auto& s : m_series)
        result << s.get();
    return result;
}

void PlotWidget::removeSeries(PlotSeries* series)
{
    for (int i = 0; i < m_series.size(); ++i) {
        if (m_series[i].get() == series) {
            m_plot->removeGraph(series->graph());
            m_series.removeAt(i);
            seriesChanged();
            return;
        }
    }
}

void PlotWidget::removeAllSeries()
{
    m_plot->clearGraphs();
    m_series.clear();
    seriesChanged();
}

void PlotWidget::updateLegend()
{
    for (const auto& s : m_series) {
        const bool listed = m_plot->legend->hasItemWithPlottable(s->graph());
        if (s->inLegend() && !listed)
            s->graph()->addToLegend();
        else if (!s->inLegend() && listed)
            s->graph()->removeFromLegend();
    }
    placeLegend();
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

QStringList PlotWidget::legendTitles() const
{
    QStringList titles;
    for (int i = 0; i < m_plot->legend->itemCount(); ++i) {
        if (auto* item = qobject_cast<QCPPlottableLegendItem*>(m_plot->legend->item(i)))
            titles << item->plottable()->name();
    }
    return titles;
}

// Fits the axes to the data with a small margin, so that markers at the ends
// stay whole; without data each axis shows its empty range.
void PlotWidget::fitAxes()
{
    QCustomPlot* plot = m_plot;
    bool anyData = false;
    for (int i = 0; i < plot->graphCount(); ++i)
        anyData = anyData || !plot->graph(i)->data()->isEmpty();
    if (!anyData) {
        QCPAxis* axes[2] = {plot->xAxis, plot->yAxis};
        for (int i = 0; i < 2; ++i)
            if (m_emptyRange[i])
                axes[i]->setRange(m_emptyRange[i]->first, m_emptyRange[i]->second);
        return;
    }
    plot->rescaleAxes();
    for (QCPAxis* a : {plot->xAxis, plot->yAxis}) {
        const QCPRange r = a->range();
        const double margin = r.size() > 0 ? r.size() * 0.03 : (r.center() != 0 ? std::fabs(r.center()) * 0.05 : 1.0);
        a->setRange(r.lower - margin, r.upper + margin);
    }
}

void PlotWidget::setPlaceholderText(const QString& text)
{
    if (!m_placeholder) {
        m_placeholder = new QLabel(this);
        m_placeholder->setObjectName(QStringLiteral("lblChartHint"));
        m_placeholder->setWordWrap(true);
        m_placeholder->setAlignment(Qt::AlignCenter);
        m_placeholder->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_placeholder->setStyleSheet(QStringLiteral("QLabel { background: rgba(255,255,255,230); border: 1px solid #909090; padding: 8px; }"));
    }
    m_placeholder->setText(text);
    updatePlaceholder();
}

QString PlotWidget::placeholderText() const { return m_placeholder ? m_placeholder->text() : QString(); }

bool PlotWidget::placeholderShown() const { return m_placeholder && !m_placeholder->isHidden(); }

void PlotWidget::updatePlaceholder()
{
    if (!m_placeholder)
        return;
    bool anyData = false;
    for (const auto& s : m_series)
        anyData = anyData || s->pointCount() > 0;
    const bool show = !anyData && !m_placeholder->text().isEmpty();
    m_placeholder->setVisible(show);
    if (show) {
        const int w = std::max(160, std::min(width() - 40, 420));
        const int h = m_placeholder->heightForWidth(w);
        m_placeholder->setGeometry((width() - w) / 2, std::max(0, (height() - h) / 2), w, h);
        m_placeholder->raise();
    }
}

void PlotWidget::seriesChanged()
{
    emit seriesEdited();
    updatePlaceholder();
    placeLegend();
    if (!m_zoomed)
        fitAxes();
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

void PlotWidget::refresh()
{
    if (!m_zoomed)
        fitAxes();
    m_plot->replot();
}

void PlotWidget::setTitle(const QString& text)
{
    m_title->setText(text);
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

QString PlotWidget::title() const { return m_title->text(); }

void PlotWidget::setAxisTitle(Axis a, const QString& text)
{
    axis(a)->setLabel(text);
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

QString PlotWidget::axisTitle(Axis a) const { return axis(a)->label(); }

void PlotWidget::setTickFormatter(Axis a, TickFormatter formatter)
{
    if (IncrementTicker* t = tickerOf(axis(a)))
        t->formatter = std::move(formatter);
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

QString PlotWidget::tickLabel(Axis a, double value) const
{
    IncrementTicker* t = tickerOf(axis(a));
    if (t && t->formatter)
        return t->formatter(value);
    return QString::number(value);
}

void PlotWidget::setAxisIncrement(Axis a, double increment)
{
    if (IncrementTicker* t = tickerOf(axis(a)))
        t->increment = increment;
}

void PlotWidget::setMinorTickCount(Axis a, int count)
{
    if (IncrementTicker* t = tickerOf(axis(a)))
        t->minorTicks = count;
    axis(a)->setSubTicks(count > 0);
}

void PlotWidget::setMinorGridVisible(Axis a, bool visible) { axis(a)->grid()->setSubGridVisible(visible); }

void PlotWidget::setAxisLineVisible(Axis a, bool visible)
{
    axis(a)->setBasePen(visible ? QPen(Qt::black) : QPen(Qt::NoPen));
}

void PlotWidget::setPanelColour(const QColor& colour)
{
    m_panelColour = colour;
    m_plot->setBackground(colour);
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

void PlotWidget::setPlotBackground(const QColor& colour)
{
    m_plot->axisRect()->setBackground(colour);
}

void PlotWidget::setLegendVisible(bool visible)
{
    m_legendWanted = visible;
    placeLegend();
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

bool PlotWidget::legendVisible() const { return m_plot->legend->visible(); }

void PlotWidget::setLegendColour(const QColor& colour)
{
    m_legendColour = colour;
    m_plot->legend->setBrush(colour);
    m_plot->legend->setBorderPen(QPen(colour));
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

void PlotWidget::setZoomEnabled(bool enabled) { m_zoomEnabled = enabled; }

void PlotWidget::zoomTo(double xLower, double xUpper, double yLower, double yUpper)
{
    m_zoomed = true;
    m_plot->xAxis->setRange(xLower, xUpper);
    m_plot->yAxis->setRange(yLower, yUpper);
    m_plot->replot();
}

void PlotWidget::resetZoom()
{
    m_zoomed = false;
    fitAxes();
    m_plot->replot();
}

bool PlotWidget::saveImage(const QString& fileName, ImageFormat format, int width, int height)
{
    m_plot->replot();
    switch (format) {
    case ImageFormat::Bmp: return m_plot->saveBmp(fileName, width, height);
    case ImageFormat::Png: return m_plot->savePng(fileName, width, height);
    case ImageFormat::Pdf: return m_plot->savePdf(fileName, width, height);
    case ImageFormat::Svg: {
        QSvgGenerator generator;
        generator.setFileName(fileName);
        const int w = width > 0 ? width : m_plot->width();
        const int h = height > 0 ? height : m_plot->height();
        generator.setSize(QSize(w, h));
        generator.setViewBox(QRect(0, 0, w, h));
        QCPPainter painter;
        if (!painter.begin(&generator))
            return false;
        painter.setMode(QCPPainter::pmVectorized);
        m_plot->toPainter(&painter, w, h);
        return painter.end();
    }
    }
    return false;
}

bool PlotWidget::print(QPrinter* printer)
{
    QCPPainter painter;
    if (!painter.begin(printer))
        return false;
    const QRectF page = printer->pageLayout().paintRectPixels(printer->resolution());
    const int w = m_plot->width() > 0 ? m_plot->width() : 800;
    const int h = m_plot->height() > 0 ? m_plot->height() : 600;
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    painter.scale(page.width() / w, page.height() / h);
    m_plot->toPainter(&painter, w, h);
    return painter.end();
}

QPixmap PlotWidget::toPixmap(int width, int height) { return m_plot->toPixmap(width, height); }

void PlotWidget::copyToClipboard()
{
    QApplication::clipboard()->setPixmap(m_plot->toPixmap());
}

} // namespace korvel
