#pragma once
// A finished model curve as the chart window adds it to DBChart1: a line series
// with its points, legend title, colour and pen width.
#include "ModelColours.h"

#include <QPointF>
#include <QString>
#include <vector>

namespace korvel {

struct ModelCurve {
    std::vector<QPointF> points; // in drawing order
    QString title;               // legend title
    QString method;              // how it was computed ("viscosity model Kap", "Butler model")
    ChartColour colour;
    int lineWidth = 3;
    bool showInLegend = true;
    bool xIsDateTime = false;    // plain numbers on the X axis
};

// The refusal shown when the catalogue holds no rows for a selection.
inline QString notAvailableMessage()
{
    return QStringLiteral("This data isn\u2019t available in this version KORVEL database.");
}

} // namespace korvel
