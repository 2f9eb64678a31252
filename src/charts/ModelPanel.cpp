#include "ModelPanel.h"

#include "ChartContext.h"
#include "core/Session.h"
#include "PlotWidget.h"
#include "SeriesColours.h"
#include "core/UiServices.h"
#include "database/DataSource.h"
#include "database/Query.h"
#include "models/ButlerModelRun.h"
#include "models/ModelCurve.h"
#include "models/ViscosityModel.h"
#include "models/ViscosityModelRun.h"
#include "widgets/DbGrid.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace korvel {

namespace {

QColor resolve(const ChartColour& colour)
{
    switch (colour.role) {
    case ChartColour::Role::Fixed: return QColor(QRgb(colour.rgb));
    case ChartColour::Role::Highlight: return SeriesColours::at(16);
    case ChartColour::Role::Desktop: return SeriesColours::at(17);
    case ChartColour::Role::InactiveCaption: return SeriesColours::at(18);
    case ChartColour::Role::ToolTipBase: return SeriesColours::at(19);
    }
    return Qt::black;
}

template <typename T> T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

ModelPanel::ModelPanel(ChartContext& context, QWidget* parent)
    : QWidget(parent), m_ctx(context), m_viscosityRun(std::make_unique<ViscosityModelRun>()),
      m_butlerRun(std::make_unique<ButlerModelRun>())
{
    setObjectName(QStringLiteral("ModelRow"));
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(2);
    auto* row = new QHBoxLayout;
    m_lblViscosity = named(new QLabel(QStringLiteral("Select temperature and model of viscosity"), this), "lblViscosity");
    m_lblViscosity->hide();
    m_lblTmodel = named(new QLabel(QStringLiteral("T model ="), this), "lblTmodel");
    m_edModel = named(new QLineEdit(this), "edModel");
    // Room for four digits (1273 K and more) whatever the font.
    m_edModel->setMinimumWidth(m_edModel->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    m_edModel->setMaximumWidth(m_edModel->minimumWidth() + 20);
    m_lblK = named(new QLabel(QStringLiteral("[ K ]"), this), "lblK");
    m_lblSelectModel = named(new QLabel(QStringLiteral("Select model:"), this), "lblSelectModel");
    m_cbModel1 = named(new QComboBox(this), "cbModel1");
    m_cbModel1->setEditable(true);
    m_cbModel1->setMinimumWidth(220);
    m_sbModelOK = named(new QPushButton(QStringLiteral("OK"), this), "sbModelOK");
    m_sbClear1 = named(new QPushButton(QStringLiteral("Clear"), this), "sbClear1");
    // The caption on a line of its own keeps the row within the window's width.
    rows->addWidget(m_lblViscosity);
    for (QWidget* w : std::initializer_list<QWidget*>{m_lblTmodel, m_edModel, m_lblK, m_lblSelectModel, m_cbModel1,
                                                      m_sbModelOK, m_sbClear1})
        row->addWidget(w);
    row->addStretch();
    rows->addLayout(row);

    connect(m_edModel, &QLineEdit::textChanged, this, &ModelPanel::edModelChange);
    connect(m_cbModel1, &QComboBox::currentTextChanged, this, &ModelPanel::cbModel1Change);
    connect(m_sbModelOK, &QPushButton::clicked, this, &ModelPanel::sbModelOKClick);
    connect(m_sbClear1, &QPushButton::clicked, this, &ModelPanel::sbClear1Click);
}

ModelPanel::~ModelPanel() = default;

void ModelPanel::configureForShow(bool viscosityIsotherms)
{
    if (viscosityIsotherms) {
        m_lblViscosity->show();
        m_ctx.state.modelCurveCount = 0;
        m_viscosityRun->reset();
    } else {
        for (QWidget* w : std::initializer_list<QWidget*>{m_lblViscosity, m_lblTmodel, m_edModel, m_lblK,
                                                          m_lblSelectModel, m_cbModel1, m_sbModelOK, m_sbClear1})
            w->hide();
    }
    {
        const QSignalBlocker blocker(m_cbModel1);
        m_cbModel1->clear();
        m_cbModel1->addItems(ViscosityModel::captions());
        m_cbModel1->setCurrentIndex(-1);
        m_cbModel1->setEditText(QString());
    }
    m_sbModelOK->setEnabled(false);
}

void ModelPanel::setModelTemperatureText(const QString& text) { m_edModel->setText(text); }

void ModelPanel::armButlerSlotOne() { m_butlerRun->armSlotOne(); }

void ModelPanel::resetButlerCurveCount()
{
    m_butlerRun->resetCurveCount();
    m_ctx.state.butlerCurveCount = 0;
}

void ModelPanel::emptyRow()
{
    m_viscosityRun->sbClear1Click();
    m_edModel->clear();
    m_cbModel1->setCurrentIndex(-1);
    m_cbModel1->setEditText(QString());
}

void ModelPanel::clearForIsothermClear() { emptyRow(); }

PlotSeries* ModelPanel::addModelCurve(const ModelCurve& curve)
{
    PlotSeries* s = m_ctx.chart->addLineSeries(curve.title, resolve(curve.colour), curve.lineWidth, Qt::SolidLine);
    s->setInLegend(curve.showInLegend);
    s->setOrigin(curve.method, m_ctx.publicationKey());
    for (const QPointF& p : curve.points)
        s->addPoint(p.x(), p.y());
    m_ctx.state.currentSeries = s;
    return s;
}

void ModelPanel::mirrorModelState()
{
    ChartState& s = m_ctx.state;
    s.modelCurveCount = m_viscosityRun->modelCurveCount();
    s.modelArmed = m_viscosityRun->modelArmed();
    s.modelAbbreviation = m_viscosityRun->modelAbbreviation();
    s.modelCurveColour = resolve(m_viscosityRun->modelCurveColour());
    s.butlerCurveCount = m_butlerRun->butlerCurveCount();
    s.curveColour = resolve(m_butlerRun->curveColour());
    for (int n = 1; n <= 4; ++n)
        s.butlerArmed[n - 1] = m_butlerRun->butlerArmed(n);
}

void ModelPanel::edModelChange()
{
    const ModelPanelState state = m_viscosityRun->edModelChange(m_edModel->text(), m_cbModel1->currentText());
    m_sbModelOK->setEnabled(state.okEnabled);
    if (state.disableMenuItem && m_ctx.menu.viscosityModel)
        m_ctx.menu.viscosityModel->setEnabled(false);
    m_ctx.state.modelArmed = m_viscosityRun->modelArmed();
}

void ModelPanel::cbModel1Change()
{
    const ModelPanelState state =
        m_viscosityRun->cbModel1Change(m_edModel->text(), m_cbModel1->currentText(), m_ctx.publicationKey());
    m_sbModelOK->setEnabled(state.okEnabled);
    if (state.disableMenuItem && m_ctx.menu.viscosityModel)
        m_ctx.menu.viscosityModel->setEnabled(false);
    m_ctx.state.modelArmed = m_viscosityRun->modelArmed();
}

void ModelPanel::sbModelOKClick()
{
    const Choices c = session().choices();
    if (!c.isothermMode)
        return;
    ViscosityRunInput input;
    input.temperatureText = m_edModel->text();
    input.modelText = m_cbModel1->currentText();
    input.systemName = c.systemName;
    input.publicationKey = m_ctx.publicationKey();
    input.leftAxisTitle = m_ctx.chart->axisTitle(PlotWidget::Axis::Left);
    const ViscosityRunResult result = m_viscosityRun->RunViscosityModel(input);
    using Status = ViscosityRunResult::Status;
    switch (result.status) {
    case Status::InputError: ui().error(result.message); return;
    case Status::NotArmed: return;
    case Status::NoSystem: break;
    case Status::RangeRejected: ui().error(result.message); break;
    case Status::NotAvailable: ui().message(result.message); break;
    case Status::Drawn:
        addModelCurve(result.curve);
        if (m_memoViscoModel)
            for (const QString& line : result.bufferLines)
                m_memoViscoModel->appendPlainText(line);
        break;
    }
    m_ctx.state.modelTemperature = m_viscosityRun->modelTemperature();
    mirrorModelState();
    if (result.enableMenuItem && m_ctx.menu.viscosityModel)
        m_ctx.menu.viscosityModel->setEnabled(true);
}

void ModelPanel::sbClear1Click()
{
    emptyRow();
    m_ctx.removeAllSeries();
    mirrorModelState();
}

void ModelPanel::sbButlerClick()
{
    const Choices c = session().choices();
    ButlerRunInput input;
    for (int n = 1; n <= 4; ++n)
        input.temperatureTexts[n - 1] = m_ctx.temperatureText(n);
    input.isothermMode = !c.temperatureMode;
    input.propertyName = c.propertyName;
    input.systemName = c.systemName;
    if (DbGrid* g = m_ctx.grid(QStringLiteral("dbgTemp1")); g && g->dataSource()) {
        Query* q = g->dataSource()->query();
        for (int row : g->selectedRowsInOrder())
            input.selectedCompositions.push_back(q->value(row, QStringLiteral("X")).toDouble());
    }
    for (int n = 1; n <= 4; ++n)
        m_butlerRun->setButlerArmed(n, m_ctx.state.butlerArmed[n - 1]);
    const ButlerRunResult result = m_butlerRun->sbButlerClick(input);
    if (result.status == ButlerRunResult::Status::InputError) {
        ui().error(result.message);
        return;
    }
    for (const ModelCurve& curve : result.curves)
        addModelCurve(curve);
    m_ctx.state.modelTemperature = m_butlerRun->modelTemperature();
    m_ctx.state.modelComposition = m_butlerRun->modelComposition();
    mirrorModelState();
}

} // namespace korvel
