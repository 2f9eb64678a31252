#pragma once
// The chart window: one property of one alloy system as isotherms or
// temperature dependences, with its selectors, grids and buttons. A fresh
// window is created for every visit; it reads the choices of the earlier
// windows whenever it needs them and lends its texts to the data module.
#include "ChartChoices.h"
#include "IsothermLogic.h"
#include "SelectionLists.h"
#include "core/Numbers.h"
#include "database/DataModule.h"

#include <QColor>
#include <QDialog>
#include <array>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace korvel {

class ButlerModelRun;
class ViscosityModelRun;
struct ModelCurve;

class DbGrid;
class DbLookupList;
class PageControl;
class PlotSeries;
class PlotWidget;
class Query;

class TfmWykres : public QDialog, public ChartInputs, public LineDrawHost {
    Q_OBJECT
public:
    explicit TfmWykres(QWidget* parent = nullptr);
    ~TfmWykres() override; // FormDestroy

    // ---- window state -----------------------------------------------------------
    TListaWybranychPunktTemp1* TempPoints1() const { return m_tempPoints1.get(); }
    TListaWybranychPunktTemp2* TempPoints2() const { return m_tempPoints2.get(); }
    FixedPoint4 ModelComposition() const { return m_modelComposition; }
    void setModelComposition(FixedPoint4 v) { m_modelComposition = v; }
    FixedPoint4 LineComposition() const { return m_lineComposition; }
    void setLineComposition(FixedPoint4 v) { m_lineComposition = v; }
    int LineColourIndex1() const { return m_lineColourIndex1; }
    void setLineColourIndex1(int v) { m_lineColourIndex1 = v; }
    int ButlerCurveCount() const { return m_butlerCurveCount; }
    void setButlerCurveCount(int v) { m_butlerCurveCount = v; }
    int PointColourIndex() const { return m_pointColourIndex; }
    void setPointColourIndex(int v) { m_pointColourIndex = v; }
    int ModelCurveCount() const { return m_modelCurveCount; }
    void setModelCurveCount(int v) { m_modelCurveCount = v; }
    QColor CurveColour() const { return m_curveColour; }
    void setCurveColour(const QColor& v) { m_curveColour = v; }
    QColor ModelCurveColour() const { return m_modelCurveColour; }
    void setModelCurveColour(const QColor& v) { m_modelCurveColour = v; }
    PlotSeries* CurrentSeries() const { return m_currentSeries; }
    void setCurrentSeries(PlotSeries* v) { m_currentSeries = v; }
    int LineColourIndex2() const { return m_lineColourIndex2; }
    void setLineColourIndex2(int v) { m_lineColourIndex2 = v; }
    bool IsothermCalculated(int slot) const { return m_isothermCalculated.at(slot - 1); }
    void setIsothermCalculated(int slot, bool v) { m_isothermCalculated.at(slot - 1) = v; }
    bool ButlerArmed(int slot) const { return m_butlerArmed.at(slot - 1); }
    void setButlerArmed(int slot, bool v) { m_butlerArmed.at(slot - 1) = v; }
    bool ModelArmed() const { return m_modelArmed; }
    void setModelArmed(bool v) { m_modelArmed = v; }
    FixedPoint4 ModelTemperature() const { return m_modelTemperature; }
    void setModelTemperature(FixedPoint4 v) { m_modelTemperature = v; }
    QString ModelAbbreviation() const { return m_modelAbbreviation; }
    void setModelAbbreviation(const QString& v) { m_modelAbbreviation = v; }
    int SelectedEutectic() const { return m_selectedEutectic; }
    void setSelectedEutectic(int v) { m_selectedEutectic = v; }
    bool PbSnCurveShown() const { return m_pbSnCurveShown; }
    void setPbSnCurveShown(bool v) { m_pbSnCurveShown = v; }

    // ---- ChartInputs ----------------------------------------------------------------
    QString temperatureText(int slot) const override;
    QString publicationText(int page) const override;
    int selectedEutectic() const override { return m_selectedEutectic; }
    FixedPoint4 lineComposition() const override { return m_lineComposition; }

    // ---- LineDrawHost -------------------------------------------------------------
    int lineColourIndex(int page) const override { return page == 1 ? m_lineColourIndex1 : m_lineColourIndex2; }
    void setLineColourIndex(int page, int index) override;
    QVariant lineGridComposition(int page) const override;
    QString linePublicationText(int page) const override;
    PlotWidget* lineChart() override { return m_chart; }

    // ---- handlers -------------------------------------------------------------------
    void FormShow();
    void Timer1WykresTimer();
    void edT1Change();
    void edT2Change();
    void edT3Change();
    void dblAutorClick();
    void sbShowClick();
    void chbShowClick();
    void sbClearClick();
    void sbBackClick();
    void sbNextClick();
    void sbExitClick();
    void sbHelpClick();
    void DBChart1Click() { ToggleChartOnly(); }
    void ToggleChartOnly();
    void DrawIsotherms();
    void DrawEndPointLine(int slot);
    void FillViscosityTable(int slot);
    void DrawPage1Lines();
    void DrawPage2Lines();
    // Viscosity model panel and Butler command (the model logic runs in korvel_models).
    void edModelChange();
    void cbModel1Change();
    void sbModelOKClick();
    void sbClear1Click();
    void sbButlerClick();

    // Predicates that also stop the polling timer when true and start it when false.
    bool IsothermInputReady();
    bool PublicationChosen();
    bool Page1PublicationChosen();
    bool Page2PublicationChosen();

    // ---- parts the tests and other windows reach ----------------------------------------
    PlotWidget* chart() const { return m_chart; }
    PageControl* pageControl1() const { return m_pageControl1; }
    PageControl* pageControl2() const { return m_pageControl2; }
    QTimer* timer() const { return m_timer; }
    QLineEdit* temperatureField(int slot) const { return m_edT.at(slot - 1); }
    DbGrid* resultGrid(int slot, bool highClass) const;
    QAction* equationsAction() const { return m_equations; }
    QAction* calculatedValueAction() const { return m_calculatedValue; }
    QAction* viscosityModelAction() const { return m_viscosityModel; }
    QAction* addDataAction() const { return m_addData; }
    QAction* saveGraphAction() const { return m_saveGraph; }
    ChartChoices choices() const { return readChartChoices(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildWindow();
    QWidget* buildIsothermPage();
    QWidget* buildTemperaturePage(int page);
    void buildButtonPanel(QWidget* parent);
    void FormCreate();
    void showIsotherms();
    SlotFields slotFields() const;
    QString axisLabel() const;
    int classNumber() const;
    void bindValueColumns(const QString& propertyName);
    void setResultTitlesAndPanels(const ChartChoices& c, bool highClass);
    void bindGrid(const QString& gridName, const QString& dataSource);
    DbGrid* grid(const QString& name) const;
    QWidget* page(const QString& name) const;
    Query* query(const QString& name) const;
    void setTimerRunning(bool running);
    void prepareSlotLowClass(const ChartChoices& c, int n);
    void updateCalculatedValueItem(const ChartChoices& c);
    void showEquations(const ChartChoices& c);
    void fillSeriesFromQuery(PlotSeries* series, Query* q, const QString& valueField);
    PlotSeries* addModelCurve(const ModelCurve& curve);
    void mirrorModelState();

    TdmDataModule* m_dm;
    bool m_shown = false;

    // Controls.
    PlotWidget* m_chart;
    QPlainTextEdit* m_memoRownania;
    QPlainTextEdit* m_memoViscoModel;
    PageControl* m_pageControl1;
    PageControl* m_pageControl2;
    DbLookupList* m_dblAutor;
    DbLookupList* m_dblAutor2;
    DbLookupList* m_dblAutor3;
    std::array<QLineEdit*, 4> m_edT{};
    QCheckBox* m_chbShow;
    QPushButton* m_sbShow;
    QPushButton* m_sbClear;
    QPushButton* m_sbShowT1;
    QPushButton* m_sbClearT1;
    QPushButton* m_sbGraphT1;
    QCheckBox* m_chbSelectT1;
    QPushButton* m_sbShowT2;
    QPushButton* m_sbClearT2;
    QPushButton* m_sbGraphT2;
    QCheckBox* m_chbSelectT2;
    QLabel* m_panT1T2;
    QLabel* m_panT3T4;
    std::array<QLabel*, 4> m_panT{};
    DbGrid* m_dbgPublikacje;
    QList<QFrame*> m_panels; // Panel1 .. Panel6
    // Button panel.
    QLabel* m_lblViscosity;
    QLabel* m_lblTmodel;
    QLineEdit* m_edModel;
    QLabel* m_lblK;
    QLabel* m_lblSelectModel;
    QComboBox* m_cbModel1;
    QPushButton* m_sbModelOK;
    QPushButton* m_sbClear1;
    QPushButton* m_sbHelp;
    QPushButton* m_sbPrint;
    QPushButton* m_sbButler;
    QPushButton* m_sbGraph;
    QPushButton* m_sbPbSn;
    QPushButton* m_sbExit;
    QPushButton* m_sbBack;
    QPushButton* m_sbNext;
    // Menu.
    QAction* m_equations = nullptr;
    QAction* m_calculatedValue = nullptr;
    QAction* m_viscosityModel = nullptr;
    QAction* m_saveGraph = nullptr;
    QAction* m_addData = nullptr;
    QTimer* m_timer;

    // Model logic.
    std::unique_ptr<ViscosityModelRun> m_viscosityRun;
    std::unique_ptr<ButlerModelRun> m_butlerRun;

    // State.
    std::unique_ptr<TListaWybranychPunktTemp1> m_tempPoints1;
    std::unique_ptr<TListaWybranychPunktTemp2> m_tempPoints2;
    FixedPoint4 m_modelComposition;
    FixedPoint4 m_lineComposition;
    int m_lineColourIndex1 = 0;
    int m_butlerCurveCount = 0;
    int m_pointColourIndex = 0;
    int m_modelCurveCount = 0;
    QColor m_curveColour;
    QColor m_modelCurveColour;
    PlotSeries* m_currentSeries = nullptr;
    int m_lineColourIndex2 = 0;
    std::array<bool, 4> m_isothermCalculated{};
    std::array<bool, 4> m_butlerArmed{};
    bool m_modelArmed = false;
    FixedPoint4 m_modelTemperature;
    QString m_modelAbbreviation;
    int m_selectedEutectic = 0;
    bool m_pbSnCurveShown = false;
};

// The twelve captions of the viscosity model list, in list order.
QStringList viscosityModelCaptions();

} // namespace korvel
