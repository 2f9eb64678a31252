#pragma once
// The viscosity model panel of the chart window without its widgets.
//
// The chart window keeps one ViscosityModelRun for its lifetime and wires:
//   FormShow (viscosity isotherm mode)  -> reset()
//   edModelChange                       -> edModelChange(edModel text, cbModel1 text)
//   cbModel1Change                      -> cbModel1Change(edModel text, cbModel1 text, dblAutor text)
//        each returns the enabled state of sbModelOK and whether the "Viscosity
//        model" menu item Modelofviscosity1 must be disabled;
//   sbModelOKClick (Isotherms checked)  -> RunViscosityModel(input), then acts on the result:
//        InputError      -> the application's general error box with result.message;
//                           nothing else changes;
//        NotArmed        -> nothing;
//        NoSystem        -> nothing drawn;
//        RangeRejected   -> error box (button OK) with result.message;
//        NotAvailable    -> plain message result.message, which names the model and says
//                           that its data for the system are not in this version (the block
//                           exists, the catalogue holds no rows of that model for it), or that
//                           it has no coefficients for the chosen publication (no block);
//                           nothing is drawn or buffered for export;
//        Drawn           -> add result.curve to DBChart1, append result.bufferLines
//                           (header, 101 value lines, two empty lines = 107) to MemoViscoModel;
//                           title "<key>_<abbreviation>_<T>[K]";
//                           when the model's values fall to zero or below anywhere on the
//                           curve, RunViscosityModel itself has shown result.warning through
//                           korvel::ui() (information box) before returning;
//        every result but InputError and NotArmed: enable Modelofviscosity1
//        (result.enableMenuItem);
//   sbClear1Click / general Clear       -> sbClear1Click() (the window empties edModel and
//        the model list's text and removes every series itself; MemoViscoModel stays).
// State getters (ModelTemperature, ModelCurveCount, ModelCurveColour, ModelAbbreviation,
// ModelArmed) mirror the window's fields of the same names.
#include "ModelCurve.h"
#include "ViscosityCatalogue.h"
#include "core/Numbers.h"

#include <QLocale>
#include <QString>
#include <QStringList>

namespace korvel {

struct ViscosityRunInput {
    QString temperatureText;  // edModel, as typed
    QString modelText;        // cbModel1's text (a caption or anything typed)
    QString systemName;       // dblSelect's text, e.g. "Ag-Au"
    QString publicationKey;   // dblAutor's text
    QString leftAxisTitle = QStringLiteral("Viscosity [mPa*s]"); // the chart's left-axis title
    QLocale locale = QLocale();
};

struct ViscosityRunResult {
    enum class Status { NotArmed, InputError, NoSystem, RangeRejected, NotAvailable, Drawn };
    Status status = Status::NotArmed;
    QString message;           // InputError, RangeRejected, NotAvailable
    QString warning;           // Drawn: the model gives a viscosity <= 0 somewhere (shown already)
    ModelCurve curve;          // Drawn: 101 points, title, colour, width 3
    QStringList bufferLines;   // Drawn: the 107 lines to append to MemoViscoModel
    bool enableMenuItem = false;
};

struct ModelPanelState {
    bool okEnabled = false;      // sbModelOK
    bool disableMenuItem = false; // Modelofviscosity1 must be disabled
};

// "<caption>: the data of this model for <system> are not in this version KORVEL database."
QString modelNotAvailableMessage(ViscosityModel model, const QString& system);
// "<model> has no coefficients for the publication <key> of <system>, ..." (or, without a
// key, that a publication must be chosen first).
QString noCoefficientsMessage(const QString& modelText, const QString& system, const QString& publicationKey);
// The warning of a curve with values <= 0, or an empty text when every value is positive.
QString nonPositiveViscosityWarning(ViscosityModel model, const QString& system, FixedPoint4 temperature,
                                    const std::vector<QPointF>& points, const QLocale& locale = QLocale());

class ViscosityModelRun {
public:
    explicit ViscosityModelRun(const ViscosityCatalogue& catalogue = ViscosityCatalogue::builtIn())
        : m_catalogue(&catalogue) {}

    ModelPanelState edModelChange(const QString& temperatureText, const QString& modelText);
    ModelPanelState cbModel1Change(const QString& temperatureText, const QString& modelText,
                                   const QString& publicationText);
    ViscosityRunResult RunViscosityModel(const ViscosityRunInput& input);
    void sbClear1Click() { m_curveCount = 0; }
    void reset() { m_curveCount = 0; }

    // The next colour of the model colour table (ModelCurveCount, wrapping round after 20).
    ChartColour NextModelColour();

    FixedPoint4 modelTemperature() const { return m_temperature; }
    int modelCurveCount() const { return m_curveCount; }
    ChartColour modelCurveColour() const { return m_curveColour; }
    QString modelAbbreviation() const { return m_abbreviation; }
    bool modelArmed() const { return m_armed; }
    void setModelArmed(bool armed) { m_armed = armed; }

private:
    const ViscosityCatalogue* m_catalogue;
    FixedPoint4 m_temperature;
    int m_curveCount = 0;
    ChartColour m_curveColour;
    QString m_abbreviation;
    bool m_armed = false;
};

} // namespace korvel
