#include "SeriesValues.h"

#include "PlotWidget.h"
#include "core/Numbers.h"
#include "widgets/DbGrid.h"

#include <QMetaObject>
#include <QRegularExpression>

namespace korvel {

QString unitOfValues(const QString& leftAxisTitle)
{
    static const QRegularExpression bracket(QStringLiteral("\\[([^\\]]*)\\]\\s*$"));
    const QRegularExpressionMatch m = bracket.match(leftAxisTitle.trimmed());
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

QList<SeriesValueRow> seriesValueRows(const PlotWidget& chart)
{
    const QList<PlotSeries*> all = chart.allSeries();
    auto titleOf = [&](const PlotSeries* s) {
        if (!s->title().trimmed().isEmpty())
            return s->title();
        for (const PlotSeries* other : all)
            if (other != s && other->inLegend() && other->colour() == s->colour() && !other->title().trimmed().isEmpty())
                return other->title();
        return s->method();
    };
    QList<SeriesValueRow> rows;
    for (const PlotSeries* s : all) {
        const QString title = titleOf(s);
        for (const QPointF& p : s->points())
            rows.push_back({title, s->method(), s->source(), p.x(), p.y()});
    }
    return rows;
}

SeriesValuesModel::SeriesValuesModel(PlotWidget* chart, QObject* parent) : QAbstractTableModel(parent), m_chart(chart)
{
    if (chart)
        connect(chart, &PlotWidget::seriesEdited, this, &SeriesValuesModel::scheduleRefresh);
    refresh();
}

void SeriesValuesModel::scheduleRefresh()
{
    // A curve arrives point by point: rebuild once the handler has finished.
    if (m_pending)
        return;
    m_pending = true;
    QMetaObject::invokeMethod(this, &SeriesValuesModel::refresh, Qt::QueuedConnection);
}

void SeriesValuesModel::refresh()
{
    m_pending = false;
    beginResetModel();
    m_rows = m_chart ? seriesValueRows(*m_chart) : QList<SeriesValueRow>();
    m_abscissaTitle = m_chart ? m_chart->axisTitle(PlotWidget::Axis::Bottom) : QString();
    m_unit = m_chart ? unitOfValues(m_chart->axisTitle(PlotWidget::Axis::Left)) : QString();
    endResetModel();
}

int SeriesValuesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_rows.size()); }
int SeriesValuesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant SeriesValuesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const SeriesValueRow& r = m_rows[index.row()];
    const bool full = role == DbGrid::FullTextRole || role == Qt::ToolTipRole;
    if (role != Qt::DisplayRole && !full) {
        if (role == Qt::TextAlignmentRole && (index.column() == Abscissa || index.column() == Value))
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    auto number = [&](double v) { return full ? generalFloatTextLocal(v) : gridNumberText(v); };
    switch (index.column()) {
    case Series: return r.title;
    case Abscissa: return number(r.abscissa);
    case Value: return number(r.value);
    case Unit: return m_unit;
    case Method: return r.method;
    case Source: return r.source;
    default: return {};
    }
}

QVariant SeriesValuesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Series: return QStringLiteral("Series");
    case Abscissa: return m_abscissaTitle.isEmpty() ? QStringLiteral("x") : m_abscissaTitle;
    case Value: return QStringLiteral("Value");
    case Unit: return QStringLiteral("Unit");
    case Method: return QStringLiteral("Method");
    case Source: return QStringLiteral("Source");
    default: return {};
    }
}

} // namespace korvel
