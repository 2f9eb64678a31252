#pragma once
// One temperature page of the chart window (`tsTemp1` or `tsTemp2`): the
// publication selector, the composition grid, "Show", "Clear", "Graph" and
// "SELECT ALL". "Graph" draws one line per selected composition between the
// ends of the publication's temperature range; page 1 solid and 2 px wide,
// page 2 dash-dot-dot and 1 px wide, so two publications can be told apart.
// Page 1 also draws the measured viscosity points of a composition without a line.
#include "SelectionLists.h"

#include <QWidget>

class QCheckBox;
class QPushButton;

namespace korvel {

class ChartContext;
class DbGrid;
class DbLookupList;
class Query;

class TemperaturePage : public QWidget, public LineDrawHost {
    Q_OBJECT
public:
    // page: 1 or 2.
    TemperaturePage(int page, ChartContext& context, QWidget* parent);

    int pageNumber() const { return m_page; }
    DbLookupList* publicationList() const { return m_dblAutor; } // dblAutor2 / dblAutor3
    DbGrid* compositionGrid() const { return m_grid; }           // dbgTemp1 / dbgTemp2
    QPushButton* showButton() const { return m_sbShow; }
    QPushButton* graphButton() const { return m_sbGraph; }
    QCheckBox* selectAllBox() const { return m_chbSelect; }
    // X of the selected rows of the composition grid, in the order they were selected.
    QList<double> selectedCompositions() const;
    // The same in grid order (the order in which the rows stand).
    QList<int> selectedRowsInGridOrder() const;
    Query* equationsQuery() const; // the query behind the composition grid

    // Handlers (dblAutor2Click / dblAutor3Click, sbShowT1Click / sbShowT2Click, ...).
    void PublicationClick();
    void ShowClick();
    void GraphClick();
    void ClearClick();
    void SelectAllClick();
    void GridCellClick();
    // Draws the pending line ends of this page (the line list calls it for a new line).
    void DrawLines();

    // The page's publication is chosen; stops the polling timer when true.
    bool PublicationChosen();

    // LineDrawHost.
    int lineColourIndex(int page) const override;
    void setLineColourIndex(int page, int index) override;
    QVariant lineGridComposition(int page) const override;
    QString linePublicationText(int page) const override;
    PlotWidget* lineChart() override;

private:
    TemperaturePointList& points() const;
    TListaWybranychLini& lines() const;
    void readLineEnds(LineRecord& record) const;
    Query* lineQuery() const;
    void drawMeasuredPoints(const QList<int>& rows);

    int m_page;
    ChartContext& m_ctx;
    DbLookupList* m_dblAutor;
    DbGrid* m_grid;
    QPushButton* m_sbShow;
    QPushButton* m_sbClear;
    QPushButton* m_sbGraph;
    QCheckBox* m_chbSelect;
};

inline const QString kDataNotAvailablePlural =
    QStringLiteral("This data aren\u2019t available in this version KORVEL database.");
inline const QString kSelectComposition = QStringLiteral("Select at least one composition in the list first.");

} // namespace korvel
