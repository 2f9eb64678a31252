#pragma once
// The chart window: one property of one alloy system as isotherms or
// temperature dependences. The window builds its widgets and wires them; the
// isotherm page, the two temperature pages and the model panel do the work and
// share one ChartContext (chart state, chart, page controls, buttons, menu).
// A fresh window is created for every visit; it reads the choices of the
// earlier windows whenever it needs them and lends its texts to the data module.
#include "core/Session.h"
#include "ChartContext.h"
#include "IsothermLogic.h"
#include "SelectionLists.h"
#include "core/Numbers.h"
#include "database/DataModule.h"

#include <QColor>
#include <QDialog>
#include <array>
#include <memory>

class QAction;
class QFrame;
class QLineEdit;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace korvel {

class ApproximationCommands;
class ChartExportActions;
class DbGrid;
class IsothermPage;
class ModelPanel;
class PageControl;
class PlotSeries;
class PlotWidget;
class Query;
class SeriesValuesPane;
class TemperaturePage;

class TfmWykres : public QDialog, public ChartInputs {
    Q_OBJECT
public:
    explicit TfmWykres(QWidget* parent = nullptr);
    ~TfmWykres() override; // FormDestroy

    // ---- window state -----------------------------------------------------------
    ChartState& state() { return m_ctx.state; }
    TListaWybranychPunktTemp1* TempPoints1() const { return m_ctx.state.tempPoints1.get(); }
    TListaWybranychPunktTemp2* TempPoints2() const { return m_ctx.state.tempPoints2.get(); }
    FixedPoint4 ModelComposition() const { return m_ctx.state.modelComposition; }
    FixedPoint4 LineComposition() const { return m_ctx.state.lineComposition; }
    int LineColourIndex1() const { return m_ctx.state.lineColourIndex1; }
    int LineColourIndex2() const { return m_ctx.state.lineColourIndex2; }
    int ButlerCurveCount() const { return m_ctx.state.butlerCurveCount; }
    int PointColourIndex() const { return m_ctx.state.pointColourIndex; }
    int ModelCurveCount() const { return m_ctx.state.modelCurveCount; }
    QColor CurveColour() const { return m_ctx.state.curveColour; }
    QColor ModelCurveColour() const { return m_ctx.state.modelCurveColour; }
    PlotSeries* CurrentSeries() const { return m_ctx.state.currentSeries; }
    bool IsothermCalculated(int slot) const { return m_ctx.state.isothermCalculated.at(slot - 1); }
    bool ButlerArmed(int slot) const { return m_ctx.state.butlerArmed.at(slot - 1); }
    bool ModelArmed() const { return m_ctx.state.modelArmed; }
    FixedPoint4 ModelTemperature() const { return m_ctx.state.modelTemperature; }
    QString ModelAbbreviation() const { return m_ctx.state.modelAbbreviation; }
    int SelectedEutectic() const { return m_ctx.state.selectedEutectic; }
    bool PbSnCurveShown() const { return m_ctx.state.pbSnCurveShown; }

    // ---- ChartInputs ----------------------------------------------------------------
    QString temperatureText(int slot) const override;
    QString publicationText(int page) const override;
    int selectedEutectic() const override { return m_ctx.state.selectedEutectic; }
    FixedPoint4 lineComposition() const override { return m_ctx.state.lineComposition; }

    // ---- handlers of the window ---------------------------------------------------------
    void FormShow();
    void Timer1WykresTimer();
    void sbBackClick();
    void sbNextClick();
    void sbExitClick();
    void sbHelpClick();
    void Adddata1Click(); // the user-data window, modal
    void DBChart1Click() { ToggleChartOnly(); }
    void ToggleChartOnly();
    // Handlers of the pages and the model panel, reachable by their names.
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
    void dblAutor2Click();
    void dblAutor3Click();
    void sbShowT1Click();
    void sbShowT2Click();
    void sbGraphT1Click();
    void sbGraphT2Click();
    void sbClearT1Click();
    void sbClearT2Click();
    void chbSelectT1Click();
    void chbSelectT2Click();
    void dbgTemp1CellClick();
    void dbgTemp2CellClick();
    void DrawPage1Lines();
    void DrawPage2Lines();
    void edModelChange();
    void cbModel1Change();
    void sbModelOKClick();
    void sbClear1Click();
    void sbButlerClick();
    void sbGraphClick(); // "Approx" / "Points"
    void sbPbSnClick();

    // Predicates that also stop the polling timer when true and start it when false.
    bool IsothermInputReady();
    bool PublicationChosen();
    bool Page1PublicationChosen();
    bool Page2PublicationChosen();

    // ---- parts the tests and other windows reach ----------------------------------------
    ChartContext& context() { return m_ctx; }
    PlotWidget* chart() const { return m_ctx.chart; }
    PageControl* pageControl1() const { return m_ctx.pageControl1; }
    PageControl* pageControl2() const { return m_ctx.pageControl2; }
    IsothermPage* isothermPage() const { return m_isothermPage; }
    TemperaturePage* temperaturePage(int page) const { return page == 1 ? m_temperature1 : m_temperature2; }
    ModelPanel* modelPanel() const { return m_modelPanel; }
    QTimer* timer() const { return m_ctx.timer; }
    QLineEdit* temperatureField(int slot) const;
    DbGrid* resultGrid(int slot, bool highClass) const;
    QAction* equationsAction() const { return m_ctx.menu.equations; }
    QAction* calculatedValueAction() const { return m_ctx.menu.calculatedValue; }
    QAction* viscosityModelAction() const { return m_ctx.menu.viscosityModel; }
    QAction* addDataAction() const { return m_ctx.menu.addData; }
    QAction* saveGraphAction() const { return m_ctx.menu.saveGraph; }
    QPlainTextEdit* memoRownania() const { return m_memoRownania; }
    QPlainTextEdit* memoViscoModel() const { return m_memoViscoModel; }
    Choices choices() const { return session().choices(); }
    ChartExportActions* exportActions() const { return m_exports; }
    SeriesValuesPane* valuesPane() const { return m_valuesPane; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildWindow();
    // The main menu of the chart window and the handlers of its items.
    void buildMenu(QMenuBar* bar);
    void buildLowerPages();
    void buildButtonPanel(QWidget* parent);
    void FormCreate();
    void showPages(const Choices& c, int classNo, bool isotherms);
    void showProperty(const Choices& c);
    DbGrid* grid(const QString& name) const { return m_ctx.grid(name); }
    QWidget* page(const QString& name) const { return m_ctx.page(name); }

    TdmDataModule* m_dm;
    ChartContext m_ctx;
    bool m_shown = false;

    IsothermPage* m_isothermPage = nullptr;
    TemperaturePage* m_temperature1 = nullptr;
    TemperaturePage* m_temperature2 = nullptr;
    ModelPanel* m_modelPanel = nullptr;
    ApproximationCommands* m_approximation = nullptr;
    QPlainTextEdit* m_memoRownania = nullptr;
    QPlainTextEdit* m_memoViscoModel = nullptr;
    ChartExportActions* m_exports = nullptr;
    SeriesValuesPane* m_valuesPane = nullptr;
    QList<QFrame*> m_panels; // Panel1 .. Panel6
};

// The twelve captions of the viscosity model list, in list order.
QStringList viscosityModelCaptions();

} // namespace korvel
