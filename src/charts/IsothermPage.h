#pragma once
// The isotherm input page `tsX` of the chart window: the publication selector,
// the four chart temperatures, "  Show calculated value", "Show" and "Clear".
// It fills the equation and result grids of the lower page control and draws
// the isotherms and end-point lines into the shared chart.
#include "core/Session.h"
#include "IsothermLogic.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace korvel {

class ChartContext;
class DbLookupList;
class PlotSeries;
class Query;

class IsothermPage : public QWidget {
    Q_OBJECT
public:
    IsothermPage(ChartContext& context, QWidget* parent);

    DbLookupList* dblAutor() const { return m_dblAutor; }
    QLineEdit* temperatureField(int slot) const { return m_edT.at(slot - 1); }
    QCheckBox* chbShow() const { return m_chbShow; }
    QPushButton* sbShow() const { return m_sbShow; }
    SlotFields slotFields() const;

    // Handlers.
    void edT1Change();
    void edT2Change();
    void edT3Change();
    void dblAutorClick();
    void sbShowClick();
    void chbShowClick();
    void sbClearClick();
    void DrawIsotherms();
    void DrawEndPointLine(int slot);
    void FillViscosityTable(int slot);

    // Predicates that also stop the polling timer when true and start it when false.
    bool IsothermInputReady();
    bool PublicationChosen();

    // The value columns of the result grids for the property.
    void bindValueColumns(const QString& propertyName);

private:
    void showIsotherms();
    void updateCalculatedValueItem(const Choices& c);
    void showEquations();
    void setResultTitlesAndPanels(const Choices& c, bool highClass);

    ChartContext& m_ctx;
    DbLookupList* m_dblAutor;
    std::array<QLineEdit*, 4> m_edT{};
    QCheckBox* m_chbShow;
    QPushButton* m_sbShow;
    QPushButton* m_sbClear;
};

// Adds the rows of a query as points (x from column X, y from the value column);
// rows whose X or value is NULL are left out.
void fillSeriesFromQuery(PlotSeries* series, Query* q, const QString& valueField);

} // namespace korvel
