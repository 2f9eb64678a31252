#pragma once
// The numbers behind the chart: one row per point of every drawn series
// (isotherms, temperature lines, model and Butler curves, user data,
// approximation curves and points) with the series' title, method and source,
// the abscissa (composition or temperature), the value and its unit. The
// values pane shows it, Copy takes its rows as tab-separated text, and "Export
// data as CSV…" writes all of it.
#include "export/CsvExport.h"

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>
#include <QString>

namespace korvel {

class PlotSeries;
class PlotWidget;

using SeriesValueRow = exports::SeriesPointRow;

// Every point of every series of the chart, series in chart order, points in
// ascending abscissa. A series without a title takes the title of the legend
// entry drawn in its colour (the line of a temperature dependence, an end-point
// line), else its method.
QList<SeriesValueRow> seriesValueRows(const PlotWidget& chart);

// The unit of the chart's values: what the left axis title holds in brackets.
QString unitOfValues(const QString& leftAxisTitle);

class SeriesValuesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Series, Abscissa, Value, Unit, Method, Source, ColumnCount };

    explicit SeriesValuesModel(PlotWidget* chart, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Rebuilds the rows now (otherwise once the event loop runs after a change).
    void refresh();
    QList<SeriesValueRow> rows() const { return m_rows; }

private:
    void scheduleRefresh();

    QPointer<PlotWidget> m_chart;
    QList<SeriesValueRow> m_rows;
    QString m_abscissaTitle;
    QString m_unit;
    bool m_pending = false;
};

} // namespace korvel
