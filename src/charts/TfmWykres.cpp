#include "TfmWykres.h"

#include "ApproximationCommands.h"
#include "ChartExportActions.h"
#include "IsothermPage.h"
#include "ModelPanel.h"
#include "PageControl.h"
#include "PlotWidget.h"
#include "SeriesValuesPane.h"
#include "TemperaturePage.h"
#include "UserDataOverlay.h"
#include "core/Session.h"
#include "core/UiServices.h"
#include "database/Query.h"
#include "models/ViscosityModel.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupList.h"
#include "widgets/Forms.h"
#include "widgets/MainMenu.h"
#include "widgets/SharedCommands.h"
#include "widgets/WindowPlacement.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace korvel {

QStringList viscosityModelCaptions() { return ViscosityModel::captions(); }

namespace {

const QColor kMoneyGreen(0xC0, 0xDC, 0xC0);

template <typename T> T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QFrame* panel(QWidget* parent, const char* name)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameShape(QFrame::StyledPanel);
    return frame;
}

QLabel* captionPanel(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Raised);
    label->setWordWrap(true);
    return label;
}

} // namespace

// ---- creation ---------------------------------------------------------------------

TfmWykres::TfmWykres(QWidget* parent) : QDialog(parent), m_dm(TdmDataModule::instance()), m_ctx(this, m_dm)
{
    setObjectName(QStringLiteral("fmWykres"));
    setWindowTitle(QStringLiteral("Korvel 3"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);
    buildWindow();
    resize(800, 780);
    centreOnScreen(this);
    FormCreate();
    // The "Save data" items, "Print" and the further exports.
    m_exports = new ChartExportActions(this);
}

TfmWykres::~TfmWykres()
{
    // The publication list goes with the window; the line lists stay for the whole run.
    selection::releaseSelectedPublications();
    m_ctx.state.tempPoints1->Clear();
    selection::SelectedLines1().setDrawPending({});
    selection::SelectedLines2().setDrawPending({});
    setUserDataTarget({});
    if (m_dm && m_dm->chartInputs() == static_cast<ChartInputs*>(this))
        m_dm->setChartInputs(nullptr);
    session().setPublication(std::nullopt);
}

void TfmWykres::buildWindow()
{
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(2);
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    root->setMenuBar(bar);
    buildMenu(bar);

    // Chart on the left, the column of selectors and grids on the right.
    auto* middle = new QHBoxLayout;
    middle->setSpacing(2);
    m_ctx.chart = named(new PlotWidget(this), "DBChart1");
    m_ctx.chart->setMinimumWidth(380);
    m_memoRownania = named(new QPlainTextEdit(m_ctx.chart), "MemoRownania");
    m_memoRownania->hide();
    m_memoViscoModel = named(new QPlainTextEdit(m_ctx.chart), "MemoViscoModel");
    m_memoViscoModel->hide();
    // Under the chart the values of its curves, in a pane the user may shrink or drag away.
    auto* chartAndValues = named(new QSplitter(Qt::Vertical, this), "ChartSplitter");
    chartAndValues->addWidget(m_ctx.chart);
    m_valuesPane = new SeriesValuesPane(m_ctx.chart, chartAndValues);
    chartAndValues->addWidget(m_valuesPane);
    chartAndValues->setStretchFactor(0, 4);
    chartAndValues->setStretchFactor(1, 1);
    chartAndValues->setSizes({460, 120});
    middle->addWidget(chartAndValues, 1);

    QFrame* panel6 = panel(this, "Panel6");
    auto* right = new QVBoxLayout(panel6);
    right->setContentsMargins(2, 2, 2, 2);
    QFrame* panel5 = panel(panel6, "Panel5");
    panel5->setFixedHeight(4);
    QFrame* panel3 = panel(panel6, "Panel3");
    auto* l3 = new QVBoxLayout(panel3);
    l3->setContentsMargins(1, 1, 1, 1);
    m_ctx.pageControl1 = named(new PageControl(panel3), "PageControl1");
    l3->addWidget(m_ctx.pageControl1);
    QFrame* panel4 = panel(panel6, "Panel4");
    auto* l4 = new QVBoxLayout(panel4);
    l4->setContentsMargins(1, 1, 1, 1);
    m_ctx.pageControl2 = named(new PageControl(panel4), "PageControl2");
    l4->addWidget(m_ctx.pageControl2);
    right->addWidget(panel5);
    right->addWidget(panel3, 2);
    right->addWidget(panel4, 3);
    // The selectors keep a readable width; the chart takes the rest of the window.
    panel6->setMinimumWidth(260);
    panel6->setMaximumWidth(330);
    middle->addWidget(panel6, 0);
    root->addLayout(middle, 1);

    // Upper page control: the isotherm input and temperature page 1.
    m_isothermPage = new IsothermPage(m_ctx, this);
    m_ctx.isotherms = m_isothermPage;
    m_temperature1 = new TemperaturePage(1, m_ctx, this);
    m_ctx.temperature1 = m_temperature1;
    m_ctx.pageControl1->addPage(m_isothermPage, QStringLiteral(" SELECT AUTHOR"));
    m_ctx.pageControl1->addPage(m_temperature1, QStringLiteral(" SELECT AUTHOR"));
    buildLowerPages();
    m_ctx.pageControl1->setActivePage(page(QStringLiteral("tsX")));
    m_ctx.pageControl2->setActivePage(page(QStringLiteral("tsRownania")));

    // The publications in use along the bottom.
    QFrame* panel1 = panel(this, "Panel1");
    auto* l1 = new QVBoxLayout(panel1);
    l1->setContentsMargins(1, 1, 1, 1);
    m_ctx.dbgPublikacje = named(new DbGrid(panel1), "dbgPublikacje");
    m_ctx.dbgPublikacje->setColumns({{QStringLiteral("OZNACZENIE"), QStringLiteral("REFERENCES"), 110},
                                     {QStringLiteral("NAZWISKA"), QStringLiteral("AUTHORS"), 160},
                                     {QStringLiteral("TYTUL"), QStringLiteral("TITLE"), 220},
                                     {QStringLiteral("CZASOPISMO"), QStringLiteral("JOURNAL"), 120},
                                     {QStringLiteral("WOLUMIN"), QStringLiteral("VOL"), 40},
                                     {QStringLiteral("ROK"), QStringLiteral("YEAR"), 45},
                                     {QStringLiteral("STRONY"), QStringLiteral("PAGES"), 60}});
    m_ctx.dbgPublikacje->setFixedHeight(110);
    l1->addWidget(m_ctx.dbgPublikacje);
    root->addWidget(panel1);

    QFrame* panel2 = panel(this, "Panel2");
    buildButtonPanel(panel2);
    root->addWidget(panel2);
    auto* status = named(new QStatusBar(this), "StatusBar");
    status->setSizeGripEnabled(false);
    root->addWidget(status);
    m_panels = {panel1, panel2, panel3, panel4, panel5, panel6};

    m_ctx.timer = new QTimer(this);
    m_ctx.timer->setObjectName(QStringLiteral("Timer1Wykres"));
    m_ctx.timer->setInterval(10);
    connect(m_ctx.timer, &QTimer::timeout, this, &TfmWykres::Timer1WykresTimer);
    m_ctx.timer->start();

    connect(m_ctx.chart, &PlotWidget::clicked, this, &TfmWykres::DBChart1Click);
}

void TfmWykres::buildMenu(QMenuBar* bar)
{
    m_ctx.menu = buildMainMenu(bar, MainMenuKind::Chart);
    connect(m_ctx.menu.addData, &QAction::triggered, this, &TfmWykres::Adddata1Click);
}

void TfmWykres::buildLowerPages()
{
    PageControl* pc2 = m_ctx.pageControl2;
    auto gridPage = [this](const QString& name, const QString& gridName, const QList<GridColumn>& columns,
                           const QString& captionName) {
        auto* p = new QWidget(this);
        p->setObjectName(name);
        auto* layout = new QVBoxLayout(p);
        layout->setContentsMargins(1, 1, 1, 1);
        if (!captionName.isEmpty())
            layout->addWidget(captionPanel(p, captionName));
        auto* g = new DbGrid(p);
        g->setObjectName(gridName);
        g->setColumns(columns);
        layout->addWidget(g);
        return p;
    };
    const QList<GridColumn> equationColumns = {{QStringLiteral("X"), QStringLiteral("X")},
                                               {QStringLiteral("A"), QStringLiteral("A")},
                                               {QStringLiteral("B"), QStringLiteral("B")}};
    pc2->addPage(gridPage(QStringLiteral("tsRownania"), QStringLiteral("dbgRownania"), equationColumns, {}), QString());

    // Two result grids side by side under one caption panel.
    auto pairPage = [this](const QString& name, const QString& panName, int first) {
        auto* p = new QWidget(this);
        p->setObjectName(name);
        auto* layout = new QVBoxLayout(p);
        layout->setContentsMargins(1, 1, 1, 1);
        layout->addWidget(captionPanel(p, panName));
        auto* grids = new QHBoxLayout;
        for (int n = first; n < first + 2; ++n) {
            auto* g = new DbGrid(p);
            g->setObjectName(QStringLiteral("dbgT%1").arg(n));
            g->setColumns({{QStringLiteral("X"), QStringLiteral("X")},
                           {QStringLiteral("DensityT%1").arg(n), QStringLiteral("d(T%1)").arg(n)}});
            grids->addWidget(g);
        }
        layout->addLayout(grids);
        return p;
    };
    pc2->addPage(pairPage(QStringLiteral("tsWynikiT1T2"), QStringLiteral("panT1T2"), 1), QStringLiteral("T1    T2"));
    pc2->addPage(pairPage(QStringLiteral("tsWynikiT3T4"), QStringLiteral("panT3T4"), 3), QStringLiteral("T3    T4"));
    m_temperature2 = new TemperaturePage(2, m_ctx, this);
    m_ctx.temperature2 = m_temperature2;
    pc2->addPage(m_temperature2, QStringLiteral(" SELECT AUTHOR"));
    pc2->addPage(gridPage(QStringLiteral("tsRownania45"), QStringLiteral("dbgDane45"),
                          equationColumns + QList<GridColumn>{{QStringLiteral("UKLAD"), QStringLiteral("SYSTEM")}}, {}),
                 QString());
    for (int n = 1; n <= 4; ++n) {
        QWidget* p = gridPage(QStringLiteral("tsWynikiT%1").arg(n), QStringLiteral("dbgWynikiT%1").arg(n),
                              {{QStringLiteral("X"), QStringLiteral("X")},
                               {QStringLiteral("DensityT%1").arg(n), QStringLiteral("T%1").arg(n)},
                               {QStringLiteral("SYSTEM"), QStringLiteral("SYSTEM")}},
                              QStringLiteral("panT%1").arg(n));
        pc2->addPage(p, QStringLiteral("T%1").arg(n));
        pc2->setTabVisible(p, false);
    }
}

void TfmWykres::buildButtonPanel(QWidget* parent)
{
    auto* layout = new QVBoxLayout(parent);
    layout->setContentsMargins(4, 2, 4, 2);
    m_modelPanel = new ModelPanel(m_ctx, parent);
    m_modelPanel->setMemoViscoModel(m_memoViscoModel);
    m_ctx.model = m_modelPanel;
    layout->addWidget(m_modelPanel);

    ChartButtons& b = m_ctx.buttons;
    auto* buttons = new QHBoxLayout;
    b.sbHelp = named(new QPushButton(QStringLiteral("Help"), parent), "sbHelp");
    b.sbPrint = named(new QPushButton(QStringLiteral("Print"), parent), "sbPrint");
    b.sbButler = named(new QPushButton(QStringLiteral("Butler"), parent), "sbButler");
    b.sbButler->setEnabled(false);
    b.sbGraph = named(new QPushButton(QStringLiteral("Approx"), parent), "sbGraph");
    b.sbGraph->setEnabled(false);
    b.sbPbSn = named(new QPushButton(QStringLiteral("PbSn"), parent), "sbPbSn");
    b.sbPbSn->setToolTip(QStringLiteral("(PbSn)eut"));
    b.sbExit = named(new QPushButton(QStringLiteral("Exit"), parent), "sbExit");
    b.sbBack = named(new QPushButton(QStringLiteral("Back"), parent), "sbBack");
    b.sbNext = named(new QPushButton(QStringLiteral("End"), parent), "sbNext");
    for (QPushButton* button : {b.sbHelp, b.sbPrint, b.sbButler, b.sbGraph, b.sbPbSn})
        buttons->addWidget(button);
    buttons->addStretch();
    for (QPushButton* button : {b.sbExit, b.sbBack, b.sbNext})
        buttons->addWidget(button);
    layout->addLayout(buttons);

    m_approximation = new ApproximationCommands(m_ctx, this);
    connect(b.sbGraph, &QPushButton::clicked, this, &TfmWykres::sbGraphClick);
    connect(b.sbPbSn, &QPushButton::clicked, this, &TfmWykres::sbPbSnClick);
    connect(b.sbButler, &QPushButton::clicked, this, &TfmWykres::sbButlerClick);
    connect(b.sbHelp, &QPushButton::clicked, this, &TfmWykres::sbHelpClick);
    connect(b.sbExit, &QPushButton::clicked, this, &TfmWykres::sbExitClick);
    connect(b.sbBack, &QPushButton::clicked, this, &TfmWykres::sbBackClick);
    connect(b.sbNext, &QPushButton::clicked, this, &TfmWykres::sbNextClick);
}

void TfmWykres::FormCreate()
{
    PlotWidget* chart = m_ctx.chart;
    chart->setPanelColour(kMoneyGreen);
    chart->setPlotBackground(palette().color(QPalette::Base));
    chart->setZoomEnabled(true);
    chart->setTickFormatter(PlotWidget::Axis::Bottom, [](double v) { return formatGroupedTwoDecimals(v); });
    chart->setAxisIncrement(PlotWidget::Axis::Bottom, 0.05);
    chart->setMinorTickCount(PlotWidget::Axis::Bottom, 0);
    chart->setMinorGridVisible(PlotWidget::Axis::Bottom, true);
    chart->setAxisIncrement(PlotWidget::Axis::Left, 0.05);
    // Minor ticks on the value axis, but no minor grid lines: they hatched the plot.
    chart->setMinorTickCount(PlotWidget::Axis::Left, 4);
    chart->setMinorGridVisible(PlotWidget::Axis::Left, false);
    chart->setEmptyRange(PlotWidget::Axis::Left, 0, 1);
    chart->setAxisLineVisible(PlotWidget::Axis::Bottom, false);
    chart->setAxisLineVisible(PlotWidget::Axis::Left, false);
    chart->setLegendVisible(true);

    // The session follows the publication list while the window is open.
    session().setPublication(m_isothermPage->dblAutor()->text());
    connect(m_isothermPage->dblAutor(), &DbLookupList::textChanged, this,
            [](const QString& text) { session().setPublication(text); });
    if (m_dm) {
        m_dm->setChartInputs(this);
        for (const char* name : {"qrExp", "qrExp2", "qrExp3", "qrExp4"})
            m_ctx.query(QString::fromLatin1(name))->close();
    }
    m_ctx.dbgPublikacje->unbind();
    DbLookupList* lists[] = {m_isothermPage->dblAutor(), m_temperature1->publicationList(),
                             m_temperature2->publicationList()};
    for (DbLookupList* list : lists) {
        list->setKeyField(QStringLiteral("ID_PUBLIKACJI"));
        list->setListField(QStringLiteral("OZNACZENIE"));
    }
    if (m_dm) {
        lists[0]->setListSource(m_dm->dataSource(QStringLiteral("dsAutor")));
        lists[1]->setListSource(m_dm->dataSource(QStringLiteral("dsAutor")));
        lists[2]->setListSource(m_dm->dataSource(QStringLiteral("dsAutor1")));
    }
    selection::ensureSelectedPublications();
    selection::SelectedLines1().setDrawPending([this] { DrawPage1Lines(); });
    selection::SelectedLines2().setDrawPending([this] { DrawPage2Lines(); });
    setUserDataTarget([this](const UserDataSubmission& data) { return drawUserDataOnChart(m_ctx, data); });
}

// ---- texts the data module reads ------------------------------------------------------

QString TfmWykres::temperatureText(int slot) const { return m_ctx.temperatureText(slot); }

QString TfmWykres::publicationText(int page) const
{
    switch (page) {
    case 0: return m_isothermPage->dblAutor()->text();
    case 1: return m_temperature1->publicationList()->text();
    default: return m_temperature2->publicationList()->text();
    }
}

QLineEdit* TfmWykres::temperatureField(int slot) const { return m_isothermPage->temperatureField(slot); }

DbGrid* TfmWykres::resultGrid(int slot, bool highClass) const
{
    return grid(highClass ? QStringLiteral("dbgWynikiT%1").arg(slot) : QStringLiteral("dbgT%1").arg(slot));
}

// ---- the handlers of the parts by their names ---------------------------------------

void TfmWykres::edT1Change() { m_isothermPage->edT1Change(); }
void TfmWykres::edT2Change() { m_isothermPage->edT2Change(); }
void TfmWykres::edT3Change() { m_isothermPage->edT3Change(); }
void TfmWykres::dblAutorClick() { m_isothermPage->dblAutorClick(); }
void TfmWykres::sbShowClick() { m_isothermPage->sbShowClick(); }
void TfmWykres::chbShowClick() { m_isothermPage->chbShowClick(); }
void TfmWykres::sbClearClick() { m_isothermPage->sbClearClick(); }
void TfmWykres::DrawIsotherms() { m_isothermPage->DrawIsotherms(); }
void TfmWykres::DrawEndPointLine(int slot) { m_isothermPage->DrawEndPointLine(slot); }
void TfmWykres::FillViscosityTable(int slot) { m_isothermPage->FillViscosityTable(slot); }
void TfmWykres::dblAutor2Click() { m_temperature1->PublicationClick(); }
void TfmWykres::dblAutor3Click() { m_temperature2->PublicationClick(); }
void TfmWykres::sbShowT1Click() { m_temperature1->ShowClick(); }
void TfmWykres::sbShowT2Click() { m_temperature2->ShowClick(); }
void TfmWykres::sbGraphT1Click() { m_temperature1->GraphClick(); }
void TfmWykres::sbGraphT2Click() { m_temperature2->GraphClick(); }
void TfmWykres::sbClearT1Click() { m_temperature1->ClearClick(); }
void TfmWykres::sbClearT2Click() { m_temperature2->ClearClick(); }
void TfmWykres::chbSelectT1Click() { m_temperature1->SelectAllClick(); }
void TfmWykres::chbSelectT2Click() { m_temperature2->SelectAllClick(); }
void TfmWykres::dbgTemp1CellClick() { m_temperature1->GridCellClick(); }
void TfmWykres::dbgTemp2CellClick() { m_temperature2->GridCellClick(); }
void TfmWykres::DrawPage1Lines() { m_temperature1->DrawLines(); }
void TfmWykres::DrawPage2Lines() { m_temperature2->DrawLines(); }
void TfmWykres::edModelChange() { m_modelPanel->edModelChange(); }
void TfmWykres::cbModel1Change() { m_modelPanel->cbModel1Change(); }
void TfmWykres::sbModelOKClick() { m_modelPanel->sbModelOKClick(); }
void TfmWykres::sbClear1Click() { m_modelPanel->sbClear1Click(); }
void TfmWykres::sbButlerClick() { m_modelPanel->sbButlerClick(); }
void TfmWykres::sbGraphClick() { m_approximation->sbGraphClick(); }
void TfmWykres::sbPbSnClick() { m_approximation->sbPbSnClick(); }
bool TfmWykres::IsothermInputReady() { return m_isothermPage->IsothermInputReady(); }
bool TfmWykres::PublicationChosen() { return m_isothermPage->PublicationChosen(); }
bool TfmWykres::Page1PublicationChosen() { return m_temperature1->PublicationChosen(); }
bool TfmWykres::Page2PublicationChosen() { return m_temperature2->PublicationChosen(); }

// ---- opening ---------------------------------------------------------------------------

void TfmWykres::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_shown && !event->spontaneous()) {
        m_shown = true;
        FormShow();
    }
}

void TfmWykres::FormShow()
{
    const Choices c = session().choices();
    const bool isotherms = !c.temperatureMode;
    ChartButtons& b = m_ctx.buttons;
    ChartState& s = m_ctx.state;

    // The viscosity model row belongs to viscosity isotherms only.
    const bool viscosityIsotherms = c.propertyName == QLatin1String("Viscosity") && isotherms;
    m_modelPanel->configureForShow(viscosityIsotherms);
    if (viscosityIsotherms) {
        b.sbGraph->hide();
        b.sbPbSn->hide();
        b.sbButler->hide();
    }
    b.sbPbSn->setEnabled(true);
    b.sbButler->setText(QStringLiteral("Model"));
    s.pbSnCurveShown = false;
    s.lineColourIndex1 = s.pointColourIndex = s.butlerCurveCount = s.lineColourIndex2 = 0;
    selection::SelectedLines1().Clear();
    selection::SelectedLines2().Clear();
    m_ctx.unbindGrids({"dbgRownania", "dbgDane45", "dbgT1", "dbgT2", "dbgT3", "dbgT4", "dbgTemp1", "dbgTemp2"});
    const int classNo = m_ctx.classNumber();
    showPages(c, classNo, isotherms);
    m_ctx.chart->setTitle(c.systemName);
    showProperty(c);
    // Say so at once when the system holds no publication for the property.
    const auto* publications = findChild<DbLookupList*>(isotherms ? QStringLiteral("dblAutor") : QStringLiteral("dblAutor2"));
    m_ctx.chart->setPlaceholderText(publications && publications->count() == 0
                                        ? noPublicationHint(c.propertyName, c.systemName)
                                        : QString());
}

void TfmWykres::showPages(const Choices& c, int classNo, bool isotherms)
{
    PageControl* pc1 = m_ctx.pageControl1;
    PageControl* pc2 = m_ctx.pageControl2;
    ChartButtons& b = m_ctx.buttons;
    auto pg = [this](const char* name) { return page(QString::fromLatin1(name)); };

    // Pages by class and mode.
    if (classNo < 3) {
        pc2->setActivePage(pg("tsRownania"));
        for (int n = 1; n <= 4; ++n) {
            QWidget* w = page(QStringLiteral("tsWynikiT%1").arg(n));
            pc2->setTabVisible(w, false);
            pc2->setCaption(w, QStringLiteral("T%1").arg(n));
        }
        pc2->setTabVisible(pg("tsRownania45"), false);
    } else if (!isotherms) {
        pc1->setActivePage(pg("tsTemp1"));
        pc2->setActivePage(pg("tsTemp2"));
        b.sbPbSn->setEnabled(true);
    } else {
        pc2->setActivePage(pg("tsRownania45"));
        const QString ending = c.propertyName == QLatin1String("Viscosity") ? QStringLiteral(" = A*Exp(E/R*T)")
                                                                           : QStringLiteral(" = A+B*T");
        pc2->setCaption(pg("tsRownania45"), equationCaption(c.propertyName, c.systemName, ending));
        pc2->setTabVisible(pg("tsRownania"), false);
        pc2->setTabVisible(pg("tsRownania45"), true);
        pc2->setTabVisible(pg("tsWynikiT1"), false);
        b.sbPbSn->setEnabled(false);
    }
    // The composition columns and the two-slot pages.
    const QString xp = m_ctx.axisLabel();
    for (int n = 1; n <= 4; ++n) {
        grid(QStringLiteral("dbgWynikiT%1").arg(n))->setColumnTitle(0, xp);
        grid(QStringLiteral("dbgT%1").arg(n))->setColumnTitle(0, xp);
    }
    m_temperature1->compositionGrid()->setColumnTitle(0, xp);
    m_temperature2->compositionGrid()->setColumnTitle(0, xp);
    pc2->setTabVisible(pg("tsWynikiT1T2"), false);
    pc2->setTabVisible(pg("tsWynikiT3T4"), false);
    pc2->setCaption(pg("tsWynikiT1T2"), QStringLiteral("T1    T2"));
    pc2->setCaption(pg("tsWynikiT3T4"), QStringLiteral("T3    T4"));

    PlotWidget* chart = m_ctx.chart;
    QCheckBox* chbShow = m_isothermPage->chbShow();
    QPushButton* sbShow = m_isothermPage->sbShow();
    if (!isotherms) {
        chart->setAxisTitle(PlotWidget::Axis::Bottom, QStringLiteral("Temperature [K]"));
        chart->setEmptyRange(PlotWidget::Axis::Bottom, 500, 1500);
        chart->setLegendColour(palette().color(QPalette::Window));
        pc1->setTabVisible(pg("tsTemp1"), true);
        m_ctx.label(QStringLiteral("panT1"))
            ->setText(equationCaption(c.propertyName, c.systemName, QStringLiteral(" = A+B*T")));
        chbShow->setChecked(false);
        chbShow->setEnabled(false);
        pc2->setTabVisible(pg("tsRownania"), false);
        if (classNo >= 3) {
            pc2->setTabVisible(pg("tsRownania45"), false);
            pc2->setTabVisible(pg("tsWynikiT1T2"), false);
            pc2->setTabVisible(pg("tsWynikiT3T4"), false);
        }
        temperatureField(1)->setEnabled(false);
        sbShow->setEnabled(Page1PublicationChosen());
        pc1->setTabVisible(pg("tsX"), false);
        b.sbGraph->setEnabled(false);
        b.sbGraph->setText(QStringLiteral("Points"));
        b.sbPbSn->setEnabled(true);
    } else {
        b.sbPbSn->setEnabled(false);
        b.sbGraph->setText(QStringLiteral("Approx"));
        chart->show();
        pc1->setTabVisible(pg("tsTemp1"), false);
        pc2->setTabVisible(pg("tsTemp2"), false);
        sbShow->setEnabled(IsothermInputReady());
        chart->setAxisTitle(PlotWidget::Axis::Bottom, xp);
        chart->setEmptyRange(PlotWidget::Axis::Bottom, 0, 1); // mole fraction
        chart->setLegendColour(palette().color(QPalette::Window));
    }
    // The user's data can be drawn over isotherms and over temperature lines.
    if (m_ctx.menu.addData)
        m_ctx.menu.addData->setEnabled(true);
}

void TfmWykres::showProperty(const Choices& c)
{
    PageControl* pc2 = m_ctx.pageControl2;
    const PropertyPresentation p = presentationOf(c.propertyName);
    m_ctx.chart->setAxisTitle(PlotWidget::Axis::Left, leftAxisTitle(c.propertyName));
    const QString name = c.propertyName;
    QWidget* equations = page(QStringLiteral("tsRownania"));
    if (name == QLatin1String("Density") || name == QLatin1String("Surface tension")) {
        pc2->setCaption(equations, equationCaption(name, c.systemName, p.equationEndingLow));
    } else if (name == QLatin1String("Molar volume")) {
        QCheckBox* chbShow = m_isothermPage->chbShow();
        chbShow->setChecked(true); // runs chbShowClick
        chbShow->setEnabled(false);
        pc2->setTabVisible(equations, false);
        const QString caption = equationCaption(name, c.systemName, QStringLiteral(" = A+B*T"));
        for (const char* label : {"panT1T2", "panT3T4", "panT1", "panT2"})
            m_ctx.label(QString::fromLatin1(label))->setText(caption);
        m_isothermPage->bindValueColumns(name);
    } else if (name == QLatin1String("Viscosity")) {
        pc2->setCaption(equations, equationCaption(name, c.systemName, p.equationEndingLow));
        grid(QStringLiteral("dbgRownania"))->setColumnTitle(2, QStringLiteral("E"));
        m_isothermPage->bindValueColumns(name);
    } else if (name == QLatin1String("Electrical properties")) {
        pc2->setCaption(equations, name + QStringLiteral("  ") + c.systemName);
    }
}

// ---- timer -----------------------------------------------------------------------------

void TfmWykres::Timer1WykresTimer()
{
    const Choices c = session().choices();
    if (c.temperatureMode) {
        const bool page1 = Page1PublicationChosen();
        m_isothermPage->sbShow()->setEnabled(page1);
        m_temperature1->showButton()->setEnabled(page1);
        m_temperature2->showButton()->setEnabled(Page2PublicationChosen());
        return;
    }
    if (c.className == QLatin1String("Pure metals"))
        m_ctx.buttons.sbGraph->setEnabled(false);
    else
        m_ctx.buttons.sbGraph->setEnabled(IsothermInputReady());
}

// ---- Back, End, Exit, Help, chart-only view -----------------------------------------------

void TfmWykres::sbBackClick()
{
    m_ctx.removeAllSeries();
    close();
    m_ctx.dbgPublikacje->unbind();
}

void TfmWykres::sbNextClick()
{
    close();
    if (QWidget* select = forms::window(QStringLiteral("fmSelect")))
        select->close();
}

void TfmWykres::sbExitClick() { exitToWindows(); }

void TfmWykres::Adddata1Click() { forms::showModal(QStringLiteral("fmWlasnedane")); }

void TfmWykres::sbHelpClick() { openHelp(); }

void TfmWykres::ToggleChartOnly()
{
    QFrame* panel1 = m_panels.value(0);
    PlotWidget* chart = m_ctx.chart;
    if (!panel1->isHidden()) {
        chart->setPanelColour(palette().color(QPalette::Window));
        chart->setLegendColour(palette().color(QPalette::Window));
        for (QFrame* p : std::as_const(m_panels))
            p->hide();
        showMaximized();
    } else {
        for (QFrame* p : std::as_const(m_panels))
            p->show();
        chart->setPanelColour(kMoneyGreen);
        chart->setLegendColour(palette().color(QPalette::Window));
        showNormal();
    }
}

} // namespace korvel
