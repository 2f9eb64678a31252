#pragma once
// The chart of the alloy window: one property against temperature, a curve per method, the
// computed liquidus and solidus marked by dashed vertical lines with their temperatures, measured
// ones by dotted lines.
#include "AlloyCalculator.h"

#include <QWidget>

class QComboBox;
class QCustomPlot;

namespace korvel::calculator {

class AlloyChart : public QWidget {
    Q_OBJECT
public:
    explicit AlloyChart(QWidget *parent = nullptr);
    void show(const alloy::AlloyResult &result, alloy::TemperatureUnit unit);
    void clear();
    QCustomPlot *plot() const { return m_plot; }

private:
    void draw();

    QComboBox *m_property = nullptr; // cbProperty
    QCustomPlot *m_plot = nullptr;   // chartAlloy
    alloy::AlloyResult m_result;
    alloy::TemperatureUnit m_unit = alloy::TemperatureUnit::Celsius;
};

} // namespace korvel::calculator
