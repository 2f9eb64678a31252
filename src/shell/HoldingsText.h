#pragma once
// The selection window's summary of what the chosen system holds for each
// property: measured or calculated publications, a model only, figures only,
// or nothing.
#include "database/SystemHoldings.h"

#include <QString>
#include <QStringList>

namespace korvel {

// One line per property in `properties` order, e.g. "Density: measured (2), calculated (1)",
// "Surface tension: model only (Butler)", "Electrical properties: no data yet".
// `butlerFit` says whether the program holds a Butler fit for the system.
QStringList holdingsLines(const SystemHoldings& holdings, const QStringList& properties, bool butlerFit);

} // namespace korvel
