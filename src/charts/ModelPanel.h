#pragma once
// The model row of the chart window's bottom panel (viscosity model
// temperature, model list, "OK", "Clear") and the Butler command behind the
// "Model" button. The model calculations run in the models library; this panel
// passes the window's texts to them and adds the finished curves to the chart.
#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace korvel {

class ButlerModelRun;
class ChartContext;
class PlotSeries;
class ViscosityModelRun;
struct ModelCurve;

class ModelPanel : public QWidget {
    Q_OBJECT
public:
    ModelPanel(ChartContext& context, QWidget* parent);
    ~ModelPanel() override;

    QLineEdit* edModel() const { return m_edModel; }
    QComboBox* cbModel1() const { return m_cbModel1; }
    QPlainTextEdit* memoViscoModel() const { return m_memoViscoModel; }
    void setMemoViscoModel(QPlainTextEdit* memo) { m_memoViscoModel = memo; }

    // Opening: the row is shown for viscosity isotherms only; the model list is refilled.
    void configureForShow(bool viscosityIsotherms);
    void setModelTemperatureText(const QString& text);
    void armButlerSlotOne();
    void resetButlerCurveCount();
    // The isotherm page's "Clear" empties the row as well.
    void clearForIsothermClear();

    // Handlers.
    void edModelChange();
    void cbModel1Change();
    void sbModelOKClick();
    void sbClear1Click();
    void sbButlerClick();

private:
    PlotSeries* addModelCurve(const ModelCurve& curve);
    void mirrorModelState();
    void emptyRow();

    ChartContext& m_ctx;
    QLabel* m_lblViscosity;
    QLabel* m_lblTmodel;
    QLineEdit* m_edModel;
    QLabel* m_lblK;
    QLabel* m_lblSelectModel;
    QComboBox* m_cbModel1;
    QPushButton* m_sbModelOK;
    QPushButton* m_sbClear1;
    QPlainTextEdit* m_memoViscoModel = nullptr;
    std::unique_ptr<ViscosityModelRun> m_viscosityRun;
    std::unique_ptr<ButlerModelRun> m_butlerRun;
};

} // namespace korvel
