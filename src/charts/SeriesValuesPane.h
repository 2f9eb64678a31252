#pragma once
// The values pane of the chart window (dbgSeriesValues): the points of every
// drawn series as a grid. Rows select (Shift/Ctrl for several); Ctrl+C and the
// context menu's "Copy" put the chosen rows (all rows when none is chosen) on
// the clipboard as tab-separated text under a header line, every digit kept.
#include <QTableView>

namespace korvel {

class PlotWidget;
class SeriesValuesModel;

class SeriesValuesPane : public QTableView {
    Q_OBJECT
public:
    explicit SeriesValuesPane(PlotWidget* chart, QWidget* parent = nullptr);

    SeriesValuesModel* valuesModel() const { return m_model; }
    // The text Copy puts on the clipboard: the chosen rows, or every row.
    QString copyText() const;
    void copy();
    // Extra items of the context menu after "Copy" (the window's exports).
    void addMenuAction(QAction* action);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    SeriesValuesModel* m_model;
    QList<QAction*> m_extra;
};

} // namespace korvel
