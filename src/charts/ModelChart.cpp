#include "ModelChart.h"

#include "PlotWidget.h"
#include "SeriesColours.h"
#include "core/Numbers.h"
#include "database/Query.h"

#include <QLocale>

namespace korvel {

namespace {
QChar decimalSeparator(const QLocale& locale)
{
    const QString s = locale.decimalPoint();
    return s.isEmpty() ? QLatin1Char('.') : s.at(0);
}
} // namespace

QString userLineTitle(double x, const QLocale& locale)
{
    return QStringLiteral("ButlerX= ") + FixedPoint4::fromDouble(x).shortestText(decimalSeparator(locale));
}

void TAbstractModelChart2::LoadPoints()
{
    m_end = false;
    while (!m_end) {
        PointRecord record;
        if (ReadRecord(record))
            m_points.Add(record);
    }
}

PlotSeries* TAbstractModelChart2::ShowAsPoints(const QString& title, int& pointColourIndex)
{
    LoadPoints();
    const int index = SeriesColours::wrap(pointColourIndex);
    pointColourIndex = index + 1;
    PlotSeries* series = m_chart->addPointSeries(title, SeriesColours::at(index), MarkerStyle::Circle);
    series->setOrigin(QStringLiteral("user data"), QString());
    series->setPen(2, Qt::SolidLine);
    for (int i = 0; i < m_points.Count(); ++i) {
        const PointRecord r = m_points.Get(i);
        series->addPoint(r[0], r[1]);
    }
    m_chart->refresh();
    return series;
}

QList<PlotSeries*> TAbstractModelChart2::ShowAsLines(const QList<double>& compositions)
{
    LoadPoints();
    QList<PlotSeries*> result;
    const int n = std::min<int>(int(compositions.size()), SeriesColours::Count);
    for (int k = 0; k < n; ++k) {
        PlotSeries* series =
            m_chart->addLineSeries(userLineTitle(compositions.at(k), QLocale()), SeriesColours::at(k), 3, Qt::SolidLine);
        series->setOrigin(QStringLiteral("user data"), QString());
        for (int i = 0; i < m_points.Count(); ++i) {
            const PointRecord r = m_points.Get(i);
            series->addPoint(r[0], r[k + 1]);
        }
        result << series;
    }
    m_chart->refresh();
    return result;
}

TModelChart2::TModelChart2(QStringList lines, QChar separator, QChar decimal, PlotWidget* chart)
    : TAbstractModelChart2(separator, decimal, chart), m_lines(std::move(lines)), m_parser(separator, decimal)
{
}

bool TModelChart2::ReadRecord(PointRecord& record)
{
    if (m_readIndex >= m_lines.size()) {
        m_end = true;
        return false;
    }
    const int lineIndex = m_readIndex++;
    if (m_readIndex >= m_lines.size())
        m_end = true;
    const UserDataLine line = m_parser.parse(m_lines.at(lineIndex));
    switch (line.kind) {
    case UserDataLine::Kind::Empty: return false;
    case UserDataLine::Kind::Invalid: throw UserDataError(lineIndex + 1, m_lines.at(lineIndex));
    case UserDataLine::Kind::Record: record = line.record; return true;
    }
    return false;
}

TDBChartFromQuery::TDBChartFromQuery(Query* query, PlotWidget* chart)
    : TAbstractModelChart2(QLatin1Char('|'), QLatin1Char(','), chart), m_query(query)
{
    if (m_query && !m_query->isOpen())
        m_query->open();
    m_end = !m_query || m_query->rowCount() == 0;
}

bool TDBChartFromQuery::ReadRecord(PointRecord& record)
{
    if (!m_query || m_row >= m_query->rowCount()) {
        m_end = true;
        return false;
    }
    const QVariant t = m_query->value(m_row, QStringLiteral("T"));
    const QVariant y = m_query->value(m_row, QStringLiteral("Y"));
    ++m_row;
    ++m_readIndex;
    if (m_row >= m_query->rowCount())
        m_end = true;
    if (t.isNull() || y.isNull() || !t.isValid() || !y.isValid())
        return false;
    record.values[0] = t.toDouble();
    record.values[1] = y.toDouble();
    return true;
}

PlotSeries* TDBChartFromQuery::ShowMeasuredPoints(int& pointColourIndex)
{
    LoadPoints();
    PlotSeries* series = m_chart->addPointSeries(QString(), QColor(), MarkerStyle::Square);
    series->setInLegend(false);
    series->setOrigin(QStringLiteral("measured points"), QString());
    for (int i = 0; i < m_points.Count(); ++i) {
        const PointRecord r = m_points.Get(i);
        series->addPoint(r[0], r[1]);
    }
    const int index = SeriesColours::wrap(pointColourIndex);
    series->setColour(SeriesColours::at(index));
    pointColourIndex = index + 1;
    m_chart->refresh();
    return series;
}

} // namespace korvel
