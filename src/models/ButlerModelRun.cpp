#include "ButlerModelRun.h"

#include "core/UiServices.h"

namespace korvel {

namespace {
QChar separator(const QLocale& locale)
{
    const QString sep = locale.decimalPoint();
    return sep.isEmpty() ? QLatin1Char('.') : sep.at(0);
}
} // namespace

QString ButlerModelRun::fitKeyText(const ButlerFit& fit)
{
    if (!fit.key.isEmpty())
        return fit.key;
    return fit.form == ButlerFit::Form::Line ? QStringLiteral("[line fit]") : QStringLiteral("[isotherm fit]");
}

QString ButlerModelRun::temperatureFitQuestion(const ButlerFit& first)
{
    return QStringLiteral("Butler's model from ") + fitKeyText(first) + QStringLiteral(" ?");
}

QString ButlerModelRun::temperatureFitMessage(const ButlerFit& second)
{
    return QStringLiteral("Butler's model from ") + fitKeyText(second);
}

void ButlerModelRun::notAvailable()
{
    if (m_notAvailableShown)
        return;
    m_notAvailableShown = true;
    ui().message(notAvailableMessage());
}

ButlerRunResult ButlerModelRun::sbButlerClick(const ButlerRunInput& in)
{
    using Status = ButlerRunResult::Status;
    ButlerRunResult result;
    if (ui().questionYesNoCancel(QStringLiteral("Butler model")) != UiServices::Answer::Yes) {
        if (ui().questionYesNoCancel(QStringLiteral("Surface calculate")) == UiServices::Answer::Yes)
            ui().message(notAvailableMessage());
        return result;
    }

    std::array<FixedPoint4, 4> temperatures{};
    try {
        for (std::size_t n = 0; n < 4; ++n)
            if (!in.temperatureTexts[n].isEmpty())
                temperatures[n] = fixedPointFromNormalised(NormaliseNumberText(in.temperatureTexts[n]));
    } catch (const NumberFormatError& e) {
        result.status = Status::InputError;
        result.message = e.message();
        return result;
    }
    // A typed temperature of 0 K or below has no surface tension: refused in
    // words before anything is drawn (no empty curve in the legend).
    for (std::size_t n = 0; n < 4; ++n) {
        if (!in.temperatureTexts[n].isEmpty() && temperatures[n] <= FixedPoint4()) {
            ui().error(QStringLiteral("Error! The temperature must be above 0 [K]"));
            result.status = Status::RangeRejected;
            return result;
        }
    }
    for (FixedPoint4 t : temperatures) {
        if (t > FixedPoint4::fromDouble(ButlerTemperatureLimit)) {
            ui().error(QStringLiteral("Error! Temperature range <0,2000 [K]>"));
            result.status = Status::RangeRejected;
            return result;
        }
    }

    // Generated isotherm rows hold only over the temperatures they were fitted over: any
    // temperature to be drawn outside that range is refused as a whole, like one above 2000 K.
    if (in.isothermMode && in.propertyName == QLatin1String("Surface tension")) {
        const ButlerFit* fit = m_catalogue->isothermFit(in.systemName);
        if (fit && fit->complete() && fit->fittedRange) {
            for (std::size_t n = 0; n < 4; ++n) {
                const double t = temperatures[n].toDouble();
                if (!in.temperatureTexts[n].isEmpty() && (t < fit->fittedRange->low || t > fit->fittedRange->high)) {
                    ui().error(fit->fittedRangeMessage());
                    result.status = Status::RangeRejected;
                    return result;
                }
            }
        }
    }

    result.status = Status::Done;
    m_notAvailableShown = false;
    if (in.isothermMode) {
        if (in.propertyName == QLatin1String("Surface tension"))
            result.curves = DrawButlerIsotherms(in.systemName, in.temperatureTexts, temperatures, in.locale);
    } else {
        for (double x : in.selectedCompositions) {
            m_composition = FixedPoint4::fromDouble(x);
            if (auto curve = DrawButlerTemperatureCurve(in.systemName, in.locale))
                result.curves.push_back(std::move(*curve));
            ++m_curveCount;
        }
    }
    result.notAvailableShown = m_notAvailableShown;
    return result;
}

std::vector<ModelCurve> ButlerModelRun::DrawButlerIsotherms(const QString& system, const std::array<QString, 4>& texts,
                                                            const std::array<FixedPoint4, 4>& temperatures,
                                                            const QLocale& locale)
{
    std::vector<ModelCurve> curves;
    for (int n = 1; n <= 4; ++n) {
        const std::size_t i = std::size_t(n - 1);
        if (texts[i].isEmpty() || !m_armed[i])
            continue;
        m_temperature = temperatures[i];
        m_curveColour = isothermColour(n);
        if (const ButlerFit* fit = m_catalogue->isothermFit(system)) {
            if (fit->complete())
                curves.push_back(DrawButlerIsotherm(*fit, locale));
            else
                notAvailable();
        }
        m_armed[i] = false;
        if (n < 4)
            m_armed[i + 1] = true;
    }
    return curves;
}

ModelCurve ButlerModelRun::DrawButlerIsotherm(const ButlerFit& fit, const QLocale& locale)
{
    ModelCurve curve;
    const double t = m_temperature.toDouble();
    for (double x : fit.compositions())
        curve.points.emplace_back(x, fit.chartValue(x, t));
    // TitleButlerIsotherm
    curve.method = QStringLiteral("Butler model, isotherm");
    curve.title = QStringLiteral("Butler ") + m_temperature.shortestText(separator(locale)) + QStringLiteral("[K]");
    curve.colour = m_curveColour;
    curve.lineWidth = 3;
    curve.showInLegend = true;
    return curve;
}

std::optional<ModelCurve> ButlerModelRun::DrawButlerTemperatureCurve(const QString& system, const QLocale& locale)
{
    const std::vector<const ButlerFit*> fits = m_catalogue->temperatureFits(system);
    if (fits.empty())
        return std::nullopt;
    const ButlerFit* fit = fits.front();
    if (fits.size() > 1) {
        if (ui().questionYesNoCancel(temperatureFitQuestion(*fits[0])) != UiServices::Answer::Yes) {
            ui().information(temperatureFitMessage(*fits[1]));
            fit = fits[1];
        }
    }
    if (!fit->complete()) {
        notAvailable();
        return std::nullopt;
    }
    ModelCurve curve;
    const double x = m_composition.toDouble();
    for (double t : fit->temperatures())
        curve.points.emplace_back(t, fit->chartValue(x, t));
    // TitleButlerTemperatureCurve
    curve.method = QStringLiteral("Butler model, temperature dependence");
    curve.title = QStringLiteral("Butler   X=") + m_composition.shortestText(separator(locale));
    curve.colour = seriesColour(m_curveCount);
    curve.lineWidth = 3;
    curve.showInLegend = true;
    return curve;
}

} // namespace korvel
