#pragma once
// The chart window's way to the property figure browser when a binary
// system's publication holds no values at a temperature: the browser's OK
// command, run without showing the browser. It shows the publication's figure
// or the figure list of what exists for the publication picked in the chart
// window, or says that the data are not available.
class QWidget;

namespace korvel {

void showPropertyFigureFallback(QWidget* chartWindow);

} // namespace korvel
