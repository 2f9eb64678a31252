#pragma once
// The user's own data over the chart window's chart: one point series in
// isotherm mode, one line series per composition selected on temperature
// page 1 in temperature mode.
#include "models/UserData.h"

namespace korvel {

class ChartContext;

// Draws the submission; returns the refusal to show (empty when drawn).
// An unreadable line raises UserDataError before anything is drawn.
QString drawUserDataOnChart(ChartContext& context, const UserDataSubmission& submission);

// Legend title of the isotherm-mode series: "ABC T= 1273 [K]".
QString userPointsTitle(const QString& author, const QString& temperature);

} // namespace korvel
