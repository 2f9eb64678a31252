#pragma once
// "Approx" / "Points" and "PbSn" of the chart window: approximation curves of
// the calculated isotherms from the approximation catalogue, the measured
// points of the lines selected on temperature page 1, and the reference line
// of the Pb-Sn eutectic solder.
#include <QObject>

namespace korvel {

class ChartContext;

class ApproximationCommands : public QObject {
    Q_OBJECT
public:
    ApproximationCommands(ChartContext& context, QObject* parent);

    void sbGraphClick();
    void sbPbSnClick();

private:
    void drawCurves();
    void drawCalculatedValues(int slot);
    void drawMeasuredPoints();

    ChartContext& m_ctx;
};

} // namespace korvel
