#pragma once
// The Butler surface-tension command of the chart window without its widgets.
//
// The chart window keeps one ButlerModelRun for its lifetime and wires:
//   edT1Change (edT1 not empty)  -> armSlotOne()
//   page 1 "Clear"               -> resetCurveCount()
//   sbButlerClick                -> sbButlerClick(input); then
//        result.status == InputError: report result.message through the application's
//        general error handler; otherwise add every curve of result.curves to DBChart1
//        in order (legend title, colour, width 3).
// sbButlerClick asks its questions and shows its boxes through korvel::ui():
//   "Butler model" (Yes/No/Cancel), on any answer but Yes "Surface calculate" and on Yes
//   the plain message "This data isn’t available in this version KORVEL database.";
//   "Error! Temperature range <0,2000 [K]>" (error box) for a temperature above 2000 K;
//   in isotherm mode, for a system whose isotherm rows are generated, the same kind of box
//   ("Error! Temperature range <500,1200 [K]>" for Sn-Zn) for a temperature outside the range
//   the rows were fitted over: nothing is drawn, as for a temperature above 2000 K;
//   Bi-Sn's choice of temperature fit: "Butler's model from <key> ?" (Yes/No/Cancel),
//   otherwise "Butler's model from <key>" (information);
//   the plain "not available" message (once per command) when the fit that would be
//   drawn has no rows in the catalogue.
// The lower-level steps DrawButlerIsotherms, DrawButlerIsotherm and
// DrawButlerTemperatureCurve are public for a window that drives them itself.
#include "ButlerCatalogue.h"
#include "ModelCurve.h"
#include "core/Numbers.h"

#include <QLocale>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace korvel {

inline constexpr double ButlerTemperatureLimit = 2000.0;

struct ButlerRunInput {
    std::array<QString, 4> temperatureTexts; // edT1 .. edT4 as typed
    bool isothermMode = true;                // chbX ("Isotherms") checked
    QString propertyName;                    // dblWlasnosci's text
    QString systemName;                      // dblSelect's text
    std::vector<double> selectedCompositions; // field X of the rows selected in dbgTemp1, in selection order
    QLocale locale = QLocale();
};

struct ButlerRunResult {
    enum class Status { Declined, InputError, RangeRejected, Done };
    Status status = Status::Declined;
    QString message;               // InputError: the normaliser's or conversion's message
    std::vector<ModelCurve> curves; // Done: the curves to add, in order
    bool notAvailableShown = false; // a fit without rows was met (message shown once)
};

class ButlerModelRun {
public:
    explicit ButlerModelRun(const ButlerCatalogue& catalogue = ButlerCatalogue::builtIn())
        : m_catalogue(&catalogue) {}

    ButlerRunResult sbButlerClick(const ButlerRunInput& input);

    // Isotherm pass over T1..T4: draws each slot whose text is not empty and whose
    // ButlerArmed flag is set, in order, moving the flag on to the next slot.
    // `temperatures` are the values of the four fields (0 for an empty field).
    std::vector<ModelCurve> DrawButlerIsotherms(const QString& system, const std::array<QString, 4>& texts,
                                                const std::array<FixedPoint4, 4>& temperatures,
                                                const QLocale& locale = QLocale());
    // The isotherm of a complete fit at ModelTemperature, coloured CurveColour.
    ModelCurve DrawButlerIsotherm(const ButlerFit& fit, const QLocale& locale = QLocale());
    // The temperature curve at ModelComposition; none when the system has no
    // temperature fit or the chosen fit has no rows. Asks Bi-Sn's question.
    std::optional<ModelCurve> DrawButlerTemperatureCurve(const QString& system, const QLocale& locale = QLocale());

    // Question and message of a system with two temperature fits.
    static QString temperatureFitQuestion(const ButlerFit& first);
    static QString temperatureFitMessage(const ButlerFit& second);
    // The key text of a fit: its publication key, or a name of its form when the key is not known.
    static QString fitKeyText(const ButlerFit& fit);

    void armSlotOne() { m_armed[0] = true; }
    void resetCurveCount() { m_curveCount = 0; }

    bool butlerArmed(int slot) const { return m_armed.at(std::size_t(slot - 1)); } // slot 1..4
    void setButlerArmed(int slot, bool armed) { m_armed.at(std::size_t(slot - 1)) = armed; }
    int butlerCurveCount() const { return m_curveCount; }
    FixedPoint4 modelTemperature() const { return m_temperature; }
    void setModelTemperature(FixedPoint4 t) { m_temperature = t; }
    FixedPoint4 modelComposition() const { return m_composition; }
    void setModelComposition(FixedPoint4 x) { m_composition = x; }
    ChartColour curveColour() const { return m_curveColour; }

private:
    void notAvailable();

    const ButlerCatalogue* m_catalogue;
    std::array<bool, 4> m_armed{};
    int m_curveCount = 0;
    FixedPoint4 m_temperature;
    FixedPoint4 m_composition;
    ChartColour m_curveColour;
    bool m_notAvailableShown = false;
};

} // namespace korvel
