#include "UserDataOverlay.h"

#include "core/Session.h"
#include "ChartContext.h"
#include "ModelChart.h"
#include "TemperaturePage.h"
#include "database/Query.h"

namespace korvel {

QString userPointsTitle(const QString& author, const QString& temperature)
{
    return author + QStringLiteral(" ") + QStringLiteral("T= ") + temperature + QStringLiteral(" [K]");
}

QString drawUserDataOnChart(ChartContext& ctx, const UserDataSubmission& submission)
{
    TModelChart2 source(submission.lines, QLatin1Char(';'), QLatin1Char('.'), ctx.chart);
    if (session().choices().isothermMode) {
        source.ShowAsPoints(userPointsTitle(submission.author, submission.temperature), ctx.state.pointColourIndex);
        return {};
    }
    QList<double> compositions;
    if (TemperaturePage* page = ctx.temperature1; page && page->equationsQuery()) {
        Query* q = page->equationsQuery();
        for (int row : page->selectedRowsInGridOrder())
            compositions << q->value(row, QStringLiteral("X")).toDouble();
    }
    if (compositions.isEmpty())
        return kSelectComposition;
    source.ShowAsLines(compositions);
    return {};
}

} // namespace korvel
