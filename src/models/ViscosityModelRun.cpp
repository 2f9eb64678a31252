#include "ViscosityModelRun.h"

#include "ViscosityEngine.h"

#include "core/UiServices.h"

#include <algorithm>

namespace korvel {

QString modelNotAvailableMessage(ViscosityModel model, const QString& system)
{
    return model.caption() + QStringLiteral(": the data of this model for ") + system
        + QStringLiteral(" are not in this version KORVEL database.");
}

QString nonPositiveViscosityWarning(ViscosityModel model, const QString& system, FixedPoint4 temperature,
                                    const std::vector<QPointF>& points, const QLocale& locale)
{
    const auto lowest = std::min_element(points.begin(), points.end(),
                                         [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
    if (lowest == points.end() || lowest->y() > 0)
        return {};
    const QString sep = locale.decimalPoint();
    const QChar separator = sep.isEmpty() ? QLatin1Char('.') : sep.at(0);
    auto text = [&](double v, int decimals) {
        return QString::number(v, 'f', decimals).replace(QLatin1Char('.'), separator);
    };
    return QStringLiteral("The model ") + model.caption() + QStringLiteral(" gives a viscosity of zero or below for ")
        + system + QStringLiteral(" at ") + temperature.shortestText(separator) + QStringLiteral(" K (lowest ")
        + text(lowest->y(), 2) + QStringLiteral(" mPa*s at x = ") + text(lowest->x(), 2)
        + QStringLiteral("): the model does not hold for this alloy at this temperature.");
}

ModelPanelState ViscosityModelRun::edModelChange(const QString& temperatureText, const QString& modelText)
{
    if (!temperatureText.isEmpty() && !modelText.isEmpty()) {
        m_armed = true;
        return {true, false};
    }
    return {false, true};
}

ModelPanelState ViscosityModelRun::cbModel1Change(const QString& temperatureText, const QString& modelText,
                                                  const QString& publicationText)
{
    if (!temperatureText.isEmpty() && !modelText.isEmpty() && !publicationText.isEmpty()) {
        m_armed = true;
        return {true, false};
    }
    return {false, true};
}

ChartColour ViscosityModelRun::NextModelColour()
{
    m_curveColour = modelColour(m_curveCount);
    return m_curveColour;
}

QString noCoefficientsMessage(const QString& modelText, const QString& system, const QString& publicationKey)
{
    const QString model = modelText.isEmpty() ? QStringLiteral("The viscosity model") : modelText;
    if (publicationKey.isEmpty())
        return QStringLiteral("%1: choose a publication of %2 first; without one the model has no coefficients, "
                              "so nothing was drawn.").arg(model, system);
    return QStringLiteral("%1 has no coefficients for the publication %2 of %3, so nothing was drawn and nothing will "
                          "be exported for it.").arg(model, publicationKey, system);
}

ViscosityRunResult ViscosityModelRun::RunViscosityModel(const ViscosityRunInput& in)
{
    using Status = ViscosityRunResult::Status;
    ViscosityRunResult result;
    if (in.temperatureText.isEmpty() || !m_armed)
        return result; // NotArmed: nothing happens at all

    try {
        m_temperature = fixedPointFromNormalised(NormaliseNumberText(in.temperatureText));
    } catch (const NumberFormatError& e) {
        result.status = Status::InputError;
        result.message = e.message();
        return result; // ModelArmed stays set, the count and the menu item are unchanged
    }

    result.status = Status::NoSystem;
    if (const ViscositySystem* system = m_catalogue->system(in.systemName)) {
        // DrawViscosityCurve
        const double t = m_temperature.toDouble();
        const ViscosityBlock* block = system->block(in.publicationKey);
        const auto range = system->applicableRange(block);
        const auto model = ViscosityModel::fromCaption(in.modelText);
        const ViscosityModelRows* rows = (block && model) ? block->rows(*model) : nullptr;
        if (range && !range->accepts(t)) {
            result.status = Status::RangeRejected;
            result.message = range->message;
        } else if (!block) {
            // No coefficients for the publication: a curve would be a line at 0
            // passing for a result, so nothing is drawn and nothing is exported.
            result.status = Status::NotAvailable;
            result.message = noCoefficientsMessage(in.modelText, system->name, in.publicationKey);
        } else if (model && !rows) {
            // The catalogue holds no rows of this model for this publication.
            result.status = Status::NotAvailable;
            result.message = modelNotAvailableMessage(*model, system->name);
        } else {
            result.status = Status::Drawn;
            result.bufferLines = WriteViscosityHeader(in.modelText, in.temperatureText, in.leftAxisTitle);
            result.curve.points = viscosityCurve(block, rows, t);
            result.bufferLines += viscosityValueLines(result.curve.points, in.locale);
            if (model && rows) {
                result.warning = nonPositiveViscosityWarning(*model, system->name, m_temperature, result.curve.points,
                                                             in.locale);
                if (!result.warning.isEmpty())
                    ui().information(result.warning);
            }
            // TitleViscosityCurve
            if (model)
                m_abbreviation = model->abbreviation();
            result.curve.title = viscosityCurveTitle(in.publicationKey, m_abbreviation, m_temperature, in.locale);
            result.curve.method = model ? QStringLiteral("viscosity model ") + model->caption()
                                        : QStringLiteral("viscosity model (none recognised)");
            result.curve.lineWidth = 3;
            result.curve.showInLegend = true;
            result.curve.colour = NextModelColour();
            result.bufferLines << QString() << QString();
        }
    }

    m_armed = false;
    ++m_curveCount;
    result.enableMenuItem = true;
    return result;
}

} // namespace korvel
