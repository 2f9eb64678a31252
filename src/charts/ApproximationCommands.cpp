#include "ApproximationCommands.h"

#include "core/Session.h"
#include "ChartContext.h"
#include "IsothermLogic.h"
#include "IsothermPage.h"
#include "PlotWidget.h"
#include "SeriesColours.h"
#include "TemperaturePage.h"
#include "core/UiServices.h"
#include "database/Query.h"
#include "models/ApproximationCatalogue.h"
#include "widgets/DbLookupList.h"

#include <QLineEdit>
#include <QPushButton>

namespace korvel {

ApproximationCommands::ApproximationCommands(ChartContext& context, QObject* parent)
    : QObject(parent), m_ctx(context)
{
}

void ApproximationCommands::sbGraphClick()
{
    try {
        drawCurves();
    } catch (const NumberFormatError& e) {
        ui().error(e.message());
        return;
    }
    if (!session().choices().temperatureMode)
        return;
    drawMeasuredPoints();
}

void ApproximationCommands::drawCurves()
{
    const Choices c = session().choices();
    const ApproximationKind kind = ApproximationCatalogue::kindOf(c.systemName);
    ChartState& s = m_ctx.state;
    for (int n = 1; n <= 4; ++n) {
        QLineEdit* field = m_ctx.isotherms->temperatureField(n);
        if (field->text().isEmpty() || !s.isothermCalculated[std::size_t(n - 1)])
            continue;
        // T2 and T3 only while "Show" keeps them locked.
        if ((n == 2 || n == 3) && field->isEnabled())
            continue;
        s.modelTemperature = fixedPointFromNormalised(NormaliseNumberText(field->text()));
        s.curveColour = slotColour(n);
        switch (kind) {
        case ApproximationKind::Equations: {
            const ApproximationResult r = ApproximationCatalogue::curve(
                c.systemName, m_ctx.publicationKey(), c.propertyName, s.modelTemperature);
            if (r.status != ApproximationResult::Status::Drawn) {
                ui().message(kDataNotAvailable);
                break;
            }
            PlotSeries* series = m_ctx.chart->addLineSeries(QString(), s.curveColour, 2, Qt::SolidLine);
            series->setInLegend(false);
            series->setOrigin(QStringLiteral("approximation curve"), m_ctx.publicationKey());
            for (const QPointF& p : r.points)
                series->addPoint(p.x(), p.y());
            s.currentSeries = series;
            break;
        }
        case ApproximationKind::CalculatedValues: drawCalculatedValues(n); break;
        case ApproximationKind::NoEquations:
            if (n == 1)
                ui().message(kDataNotAvailable);
            break;
        case ApproximationKind::NotHeld: ui().message(kDataNotAvailable); break;
        }
        s.isothermCalculated[std::size_t(n - 1)] = false;
    }
    m_ctx.refreshChart();
}

void ApproximationCommands::drawCalculatedValues(int slot)
{
    const Choices c = session().choices();
    const bool molar = c.propertyName == QLatin1String("Molar volume");
    QString queryName;
    if (!molar)
        queryName = slot == 1 ? QStringLiteral("qrWyniki45") : QStringLiteral("qrWyniki45%1").arg(slot);
    else if (c.systemName == QLatin1String("Ag-Bi-Cu-Sn"))
        queryName = QStringLiteral("qrUkl454%1").arg(slot);
    else
        queryName = QStringLiteral("qrUkl5%1").arg(slot);
    Query* q = m_ctx.query(queryName);
    if (!q || !q->isOpen() || q->rowCount() == 0) {
        ui().message(kDataNotAvailable);
        return;
    }
    PlotSeries* series = m_ctx.chart->addLineSeries(QString(), m_ctx.state.curveColour, 2, Qt::SolidLine);
    series->setInLegend(false);
    series->setOrigin(QStringLiteral("approximation of the calculated values"), m_ctx.publicationKey());
    fillSeriesFromQuery(series, q, molar ? QStringLiteral("VT%1").arg(slot) : QStringLiteral("DensityT%1").arg(slot));
    m_ctx.state.currentSeries = series;
}

void ApproximationCommands::drawMeasuredPoints()
{
    TemperaturePage* page = m_ctx.temperature1;
    if (!m_ctx.dm || !page || !page->equationsQuery())
        return;
    if (!m_ctx.dm->OpenPointSources())
        return;
    if (m_ctx.query(QStringLiteral("qrPunktyDos"))->rowCount() == 0) {
        ui().message(kDataNotAvailable);
        return;
    }
    if (!page->MeasuredPointsAvailable())
        return;
    page->DrawMeasuredPoints(page->selectedRowsInGridOrder(), false);
}

void ApproximationCommands::sbPbSnClick()
{
    ChartState& s = m_ctx.state;
    if (s.pbSnCurveShown)
        return;
    if (const auto points = ApproximationCatalogue::pbSnReference(session().choices().propertyName)) {
        PlotSeries* series = m_ctx.chart->addLineSeries(QStringLiteral("(Pb-Sn)eut"), Qt::black, 1, Qt::DashDotDotLine);
        series->setOrigin(QStringLiteral("reference curve of the (Pb-Sn) eutectic"), QString());
        for (const QPointF& p : *points)
            series->addPoint(p.x(), p.y());
        s.currentSeries = series;
        m_ctx.refreshChart();
    } else {
        ui().message(kDataNotAvailable);
    }
    s.pbSnCurveShown = true;
    m_ctx.buttons.sbPbSn->setEnabled(false);
}

} // namespace korvel
