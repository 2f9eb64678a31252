#include "ViscosityModelRun.h"

#include "ViscosityEngine.h"

namespace korvel {

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
        } else if (block && model && !rows) {
            // The catalogue holds no rows of this model for this publication.
            result.status = Status::NotAvailable;
            result.message = notAvailableMessage();
        } else {
            result.status = Status::Drawn;
            result.zeroCurve = block == nullptr;
            result.bufferLines = WriteViscosityHeader(in.modelText, in.temperatureText, in.leftAxisTitle);
            result.curve.points = viscosityCurve(block, rows, t);
            result.bufferLines += viscosityValueLines(result.curve.points, in.locale);
            // TitleViscosityCurve
            if (model)
                m_abbreviation = model->abbreviation();
            result.curve.title = viscosityCurveTitle(in.publicationKey, m_abbreviation, m_temperature, in.locale);
            if (result.zeroCurve) // not a model result: the legend says so
                result.curve.title += in.publicationKey.isEmpty()
                                          ? QStringLiteral(" (no coefficients)")
                                          : QStringLiteral(" (no coefficients for ") + in.publicationKey
                                                + QStringLiteral(")");
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
