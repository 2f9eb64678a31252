#pragma once
// What the user has chosen on the start and selection windows: the class of
// systems, the system, the property and the display mode. With no selection
// window open the system and property are empty and the mode is "Isotherms".
#include <QString>

namespace korvel {

struct Choices {
    QString className;             // the class list of the start window
    QString systemName;            // the system list of the selection window
    QString propertyName;          // the property list of the selection window
    bool isothermMode = true;      // "Isotherms"
    bool temperatureMode = false;  // "Temperature dependence"
    bool modelChecked = false;     // "Model" / "Butler model"
    bool isosurfaceChecked = false; // "Isosurface tension"

    bool operator==(const Choices&) const = default;
};

} // namespace korvel
