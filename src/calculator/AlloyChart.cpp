#include "AlloyChart.h"

#include "DatabaseMethods.h"

#include <qcustomplot.h>

#include <QComboBox>
#include <QVBoxLayout>

#include <map>

namespace korvel::calculator {

namespace {

const QColor kColours[] = {QColor(0, 90, 180), QColor(200, 90, 0), QColor(0, 140, 70), QColor(150, 0, 150), QColor(90, 90, 90)};

} // namespace

AlloyChart::AlloyChart(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_property = new QComboBox(this);
    m_property->setObjectName(QStringLiteral("cbProperty"));
    m_plot = new QCustomPlot(this);
    m_plot->setObjectName(QStringLiteral("chartAlloy"));
    m_plot->setMinimumSize(420, 300);
    m_plot->legend->setVisible(true);
    layout->addWidget(m_property);
    layout->addWidget(m_plot, 1);
    connect(m_property, &QComboBox::currentIndexChanged, this, [this] { draw(); });
}

void AlloyChart::clear()
{
    m_result = {};
    m_property->clear();
    m_plot->clearGraphs();
    m_plot->clearItems();
    m_plot->replot();
}

void AlloyChart::show(const alloy::AlloyResult &result, alloy::TemperatureUnit unit)
{
    m_result = result;
    m_unit = unit;
    const QString current = m_property->currentText();
    const QSignalBlocker block(m_property);
    m_property->clear();
    for (const alloy::PropertyValue &v : result.values)
        if (m_property->findText(QString::fromStdString(v.property)) < 0)
            m_property->addItem(QString::fromStdString(v.property));
    if (const int i = m_property->findText(current); i >= 0)
        m_property->setCurrentIndex(i);
    draw();
}

void AlloyChart::draw()
{
    m_plot->clearGraphs();
    m_plot->clearItems();
    const std::string property = m_property->currentText().toStdString();
    std::map<std::string, QCPGraph *> graphs;
    QString unitText;
    for (const alloy::PropertyValue &v : m_result.values) {
        if (v.property != property)
            continue;
        // A curve per method; the database's datasets each their own, named with their source.
        const std::string name = alloy::isDatabaseMethod(v.method) ? v.method + " " + v.source : v.method;
        QCPGraph *&g = graphs[name];
        if (!g) {
            g = m_plot->addGraph();
            g->setName(QString::fromStdString(name));
            g->setPen(QPen(kColours[(graphs.size() - 1) % std::size(kColours)], 2));
            g->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, 5));
        }
        g->addData(alloy::inUnit(v.T, m_unit), v.value);
        unitText = QString::fromStdString(v.unit);
    }
    const QString tUnit = m_unit == alloy::TemperatureUnit::Celsius ? QStringLiteral("\u00B0C") : QStringLiteral("K");
    m_plot->xAxis->setLabel(QStringLiteral("T [%1]").arg(tUnit));
    m_plot->yAxis->setLabel(QStringLiteral("%1 [%2]").arg(QString::fromStdString(property), unitText));
    m_plot->rescaleAxes();
    // The melting range: where it lies outside the temperatures asked, the axis is widened to it.
    for (const alloy::MeltingValue &m : m_result.melting) {
        if (!m.value)
            continue;
        const double x = alloy::inUnit(*m.value, m_unit);
        const QCPRange r = m_plot->xAxis->range();
        m_plot->xAxis->setRange(std::min(r.lower, x - 5), std::max(r.upper, x + 5));
        // The computed range dashed, a measured one dotted, each named by what it is.
        const bool measured = m.method == "measured";
        const QString name = (measured ? QStringLiteral("measured ") : QString()) + QString::fromStdString(m.property);
        auto *line = new QCPItemStraightLine(m_plot);
        line->setObjectName(name);
        line->setPen(QPen(m.property == "liquidus" ? Qt::red : Qt::darkGray, 1, measured ? Qt::DotLine : Qt::DashLine));
        line->point1->setCoords(x, 0);
        line->point2->setCoords(x, 1);
        auto *label = new QCPItemText(m_plot);
        label->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
        label->position->setCoords(x, (m.property == "liquidus" ? 0.02 : 0.08) + (measured ? 0.12 : 0.0));
        label->setColor(m.property == "liquidus" ? Qt::red : Qt::darkGray);
        label->setText(QStringLiteral("%1 %2 %3").arg(name).arg(x, 0, 'f', 2).arg(tUnit));
    }
    m_plot->replot();
}

} // namespace korvel::calculator
