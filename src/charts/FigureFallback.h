#pragma once
// The chart window's way to the property figure browser when a binary
// system's publication holds no values at a temperature: the browser's OK
// command, run without showing the browser. It shows the publication's figure
// or the figure list of what exists for the publication picked in the chart
// window, or says that the data are not available. The composition root
// installs the command; with none installed nothing happens.
#include <functional>

class QWidget;

namespace korvel {

void setPropertyFigureFallback(std::function<void(QWidget* chartWindow)> fallback);
void showPropertyFigureFallback(QWidget* chartWindow);

} // namespace korvel
