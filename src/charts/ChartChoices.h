#pragma once
// The choices of the earlier windows that the chart window reads whenever it
// needs them: the class name of the start window and the system, property and
// mode boxes of the selection window.
#include <QString>
#include <functional>

namespace korvel {

struct ChartChoices {
    QString className;       // dblSelectSystem of the start window
    QString systemName;      // dblSelect of the selection window
    QString propertyName;    // dblWlasnosci
    bool isothermMode = true;     // chbX
    bool temperatureMode = false; // chbTemp
    bool modelChecked = false;    // chbButler
};

// Reads the windows fmStart and fmSelect.
ChartChoices readChartChoices();
// Replaces the reader (tests without a selection window); an empty function
// restores reading the windows.
void setChartChoicesReader(std::function<ChartChoices()> reader);

} // namespace korvel
