#pragma once
// The rules of the isotherm view that need no window: the presentation of each
// property, which query, data source, grid and value field belong to a slot,
// the captions of the result pages, the temperature checks of "Show" and the
// slots that "Show" prepares.
#include "core/Numbers.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace korvel {

// Presentation of a property (compared by name).
struct PropertyPresentation {
    bool known = false;            // one of the rows below
    QString axisUnit;              // appended to the name for the left-axis title
    QString equationEndingLow;     // classes below 3 (empty: no caption)
    QString equationEndingHigh;    // classes 3 and above
    QString panelUnit;             // unit text of the result panels
    QString resultTitlePrefix;     // "d", "ST", "V", "Vis" -> "d(T1)"
    QString valueFieldPrefix;      // "DensityT", "VT", or "VISCO" (no slot number)

    QString resultTitle(int slot) const;
    QString valueField(int slot) const;
};

PropertyPresentation presentationOf(const QString& propertyName);

QString leftAxisTitle(const QString& propertyName);
// Property name, two blanks, the system name and the ending.
QString equationCaption(const QString& propertyName, const QString& systemName, const QString& ending);
// Property name, two blanks, the system name and the panel unit text.
QString panelCaption(const QString& propertyName, const QString& systemName);

// The four temperature fields as "Show" reads them.
struct SlotField {
    QString text;
    bool enabled = false;
    bool filled() const { return !text.isEmpty(); }
};
using SlotFields = std::array<SlotField, 4>;

// The text "Show" copies into the model temperature field, if any.
std::optional<QString> modelTemperaturePrefill(const SlotFields& fields);

// Slots whose values "Show" prepares: slot 1 when T1 is filled and either its
// field is enabled or T2 is empty; slots 2..4 when their field is enabled and filled.
bool slotPreparedForTables(const SlotFields& fields, int slot);
// Slots that get values and series: field enabled and filled (slot 1 included).
bool slotPrepared(const SlotFields& fields, int slot);
// Slots that DrawIsotherms draws: slot 1 when its field is enabled, slots 2..4
// when enabled and filled.
bool slotDrawable(const SlotFields& fields, int slot);

// The checks of "Show": each filled text is normalised (NumberFormatError
// "Incorrect data format : ..." for a foreign character) and converted to a
// four-decimal number, then converted unchanged in the user's notation
// (NumberFormatError on failure). Returns false when a temperature is above
// 2000 K (2000 itself is accepted).
bool temperaturesInRange(const SlotFields& fields, const QLocale& locale);
// The first slot whose temperature "Show" would compute the viscosity at 0 K
// (A*Exp(E/(R*T)) has no value there); 0 when none. A text that is no number
// is left to the checks above.
int viscositySlotAtZeroKelvin(const SlotFields& fields);
inline const QString kZeroKelvinError = QStringLiteral("Error! The temperature must be above 0 [K]");
inline const QString kTemperatureRangeError = QStringLiteral("Error! Temperature range <0,2000 [K]>");
inline const QString kDataNotAvailable = QStringLiteral("This data isn\u2019t available in this version KORVEL database.");

// Series title: key, a blank, the temperature text and "[K]".
// What the chart area says when the chosen system holds no publication for the
// property: that it holds none, and what the program can still compute.
QString noPublicationHint(const QString& propertyName, const QString& systemName);

QString isothermTitle(const QString& key, const QString& temperatureText);

// Result tab captions of classes 3 and above after "Show": "T1 = 1273 [K]", " T2 = ...".
QString resultTabCaptionAfterShow(int slot, const QString& temperatureText);
// Caption of a two-slot result page after "Show" (slots 1+2 or 3+4); empty
// optional when the first temperature is empty.
std::optional<QString> pairTabCaption(const QString& first, const QString& second);

// Which query, data source and grid hold a slot's values.
struct SlotBinding {
    QString query;      // empty: no query for this case
    QString dataSource;
    QString grid;
    QString valueField; // column drawn as y
};

enum class ClassKind { Pure, Binary, Ternary, Quaternary, Quinary, Other };
ClassKind classKindOf(const QString& className);

// The value query/grid of slot n for the class (by name and number), property and system.
SlotBinding slotBinding(const QString& className, int classNumber, const QString& propertyName,
                        const QString& systemName, int slot);
// The series query of slot n (DrawIsotherms): the same as slotBinding, except
// that a case the program does not draw gives an empty query.
SlotBinding seriesBinding(const QString& className, int classNumber, const QString& propertyName,
                          const QString& systemName, int slot);

} // namespace korvel
