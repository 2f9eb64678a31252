#include "TfmWykres.h"

#include "FigureFallback.h"
#include "PageControl.h"
#include "PlotWidget.h"
#include "SeriesColours.h"
#include "browsers/TfmEut.h"
#include "core/UiServices.h"
#include "database/DataSource.h"
#include "database/Query.h"
#include "models/ButlerModelRun.h"
#include "models/ModelCurve.h"
#include "models/ViscosityModel.h"
#include "models/ViscosityModelRun.h"
#include "shell/Forms.h"
#include "shell/MainMenu.h"
#include "shell/TfmStart.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupList.h"
#include "widgets/WindowPlacement.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

namespace korvel {

QStringList viscosityModelCaptions()
{
    return ViscosityModel::captions();
}


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

QLabel* captionPanel(QWidget* parent, const char* name)
{
    auto* label = named(new QLabel(parent), name);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Raised);
    label->setWordWrap(true);
    return label;
}

MarkerStyle slotMarker(int slot)
{
    switch (slot) {
    case 1: return MarkerStyle::Star;
    case 2: return MarkerStyle::Rectangle;
    case 3: return MarkerStyle::Triangle;
    default: return MarkerStyle::Diamond;
    }
}

double numberOf(const QVariant& v)
{
    return v.isNull() || !v.isValid() ? std::numeric_limits<double>::quiet_NaN() : v.toDouble();
}

} // namespace

// ---- creation ---------------------------------------------------------------------

TfmWykres::TfmWykres(QWidget* parent)
    : QDialog(parent), m_dm(TdmDataModule::instance()), m_viscosityRun(std::make_unique<ViscosityModelRun>()),
      m_butlerRun(std::make_unique<ButlerModelRun>())
{
    setObjectName(QStringLiteral("fmWykres"));
    setWindowTitle(QStringLiteral("Korvel 3"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);
    buildWindow();
    resize(800, 780);
    centreOnScreen(this);
    FormCreate();
}

TfmWykres::~TfmWykres()
{
    // FormDestroy: the publication list goes with the window; the line lists stay.
    selection::releaseSelectedPublications();
    if (m_tempPoints1)
        m_tempPoints1->Clear();
    m_tempPoints1.reset();
    m_tempPoints2.reset();
    selection::SelectedLines1().setDrawPending({});
    selection::SelectedLines2().setDrawPending({});
    if (m_dm && m_dm->chartInputs() == static_cast<ChartInputs*>(this))
        m_dm->setChartInputs(nullptr);
}

void TfmWykres::buildWindow()
{
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(2);
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    root->setMenuBar(bar);
    const MainMenuActions actions = buildMainMenu(bar, MainMenuKind::Chart);
    m_equations = actions.equations;
    m_calculatedValue = actions.calculatedValue;
    m_viscosityModel = actions.viscosityModel;
    m_saveGraph = actions.saveGraph;
    m_addData = actions.addData;

    // Chart on the left, the column of selectors and grids on the right.
    auto* middle = new QHBoxLayout;
    middle->setSpacing(2);
    m_chart = named(new PlotWidget(this), "DBChart1");
    m_chart->setMinimumWidth(380);
    m_memoRownania = named(new QPlainTextEdit(m_chart), "MemoRownania");
    m_memoRownania->hide();
    m_memoViscoModel = named(new QPlainTextEdit(m_chart), "MemoViscoModel");
    m_memoViscoModel->hide();
    middle->addWidget(m_chart, 3);

    QFrame* panel6 = panel(this, "Panel6");
    auto* right = new QVBoxLayout(panel6);
    right->setContentsMargins(2, 2, 2, 2);
    QFrame* panel5 = panel(panel6, "Panel5");
    panel5->setFixedHeight(4);
    QFrame* panel3 = panel(panel6, "Panel3");
    auto* l3 = new QVBoxLayout(panel3);
    l3->setContentsMargins(1, 1, 1, 1);
    m_pageControl1 = named(new PageControl(panel3), "PageControl1");
    l3->addWidget(m_pageControl1);
    QFrame* panel4 = panel(panel6, "Panel4");
    auto* l4 = new QVBoxLayout(panel4);
    l4->setContentsMargins(1, 1, 1, 1);
    m_pageControl2 = named(new PageControl(panel4), "PageControl2");
    l4->addWidget(m_pageControl2);
    right->addWidget(panel5);
    right->addWidget(panel3, 2);
    right->addWidget(panel4, 3);
    middle->addWidget(panel6, 2);
    root->addLayout(middle, 1);

    // Upper page control: the isotherm input and temperature page 1.
    m_pageControl1->addPage(buildIsothermPage(), QStringLiteral(" SELECT AUTHOR"));
    m_pageControl1->addPage(buildTemperaturePage(1), QStringLiteral(" SELECT AUTHOR"));

    // Lower page control.
    auto gridPage = [this](const char* name, const char* gridName, const QList<GridColumn>& columns, QLabel** caption,
                           const char* captionName) {
        auto* page = named(new QWidget(this), name);
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(1, 1, 1, 1);
        if (caption) {
            *caption = captionPanel(page, captionName);
            layout->addWidget(*caption);
        }
        auto* g = named(new DbGrid(page), gridName);
        g->setColumns(columns);
        layout->addWidget(g);
        return page;
    };
    const QList<GridColumn> equationColumns = {{QStringLiteral("X"), QStringLiteral("X")},
                                               {QStringLiteral("A"), QStringLiteral("A")},
                                               {QStringLiteral("B"), QStringLiteral("B")}};
    m_pageControl2->addPage(gridPage("tsRownania", "dbgRownania", equationColumns, nullptr, nullptr), QString());

    auto pairPage = [this](const char* name, const char* panName, QLabel** pan, int first) {
        auto* page = named(new QWidget(this), name);
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(1, 1, 1, 1);
        *pan = captionPanel(page, panName);
        layout->addWidget(*pan);
        auto* grids = new QHBoxLayout;
        for (int n = first; n < first + 2; ++n) {
            auto* g = new DbGrid(page);
            g->setObjectName(QStringLiteral("dbgT%1").arg(n));
            g->setColumns({{QStringLiteral("X"), QStringLiteral("X")},
                           {QStringLiteral("DensityT%1").arg(n), QStringLiteral("d(T%1)").arg(n)}});
            grids->addWidget(g);
        }
        layout->addLayout(grids);
        return page;
    };
    m_pageControl2->addPage(pairPage("tsWynikiT1T2", "panT1T2", &m_panT1T2, 1), QStringLiteral("T1    T2"));
    m_pageControl2->addPage(pairPage("tsWynikiT3T4", "panT3T4", &m_panT3T4, 3), QStringLiteral("T3    T4"));
    m_pageControl2->addPage(buildTemperaturePage(2), QStringLiteral(" SELECT AUTHOR"));
    m_pageControl2->addPage(
        gridPage("tsRownania45", "dbgDane45",
                 equationColumns + QList<GridColumn>{{QStringLiteral("UKLAD"), QStringLiteral("SYSTEM")}}, nullptr,
                 nullptr),
        QString());
    for (int n = 1; n <= 4; ++n) {
        const QByteArray pageName = QStringLiteral("tsWynikiT%1").arg(n).toLatin1();
        const QByteArray gridName = QStringLiteral("dbgWynikiT%1").arg(n).toLatin1();
        const QByteArray panName = QStringLiteral("panT%1").arg(n).toLatin1();
        QWidget* p = gridPage(pageName.constData(), gridName.constData(),
                              {{QStringLiteral("X"), QStringLiteral("X")},
                               {QStringLiteral("DensityT%1").arg(n), QStringLiteral("T%1").arg(n)},
                               {QStringLiteral("SYSTEM"), QStringLiteral("SYSTEM")}},
                              &m_panT[n - 1], panName.constData());
        m_pageControl2->addPage(p, QStringLiteral("T%1").arg(n));
        m_pageControl2->setTabVisible(p, false);
    }
    m_pageControl1->setActivePage(page(QStringLiteral("tsX")));
    m_pageControl2->setActivePage(page(QStringLiteral("tsRownania")));

    // The publications in use along the bottom.
    QFrame* panel1 = panel(this, "Panel1");
    auto* l1 = new QVBoxLayout(panel1);
    l1->setContentsMargins(1, 1, 1, 1);
    m_dbgPublikacje = named(new DbGrid(panel1), "dbgPublikacje");
    m_dbgPublikacje->setColumns({{QStringLiteral("OZNACZENIE"), QStringLiteral("REFERENCES"), 110},
                                 {QStringLiteral("NAZWISKA"), QStringLiteral("AUTHORS"), 160},
                                 {QStringLiteral("TYTUL"), QStringLiteral("TITLE"), 220},
                                 {QStringLiteral("CZASOPISMO"), QStringLiteral("JOURNAL"), 120},
                                 {QStringLiteral("WOLUMIN"), QStringLiteral("VOL"), 40},
                                 {QStringLiteral("ROK"), QStringLiteral("YEAR"), 45},
                                 {QStringLiteral("STRONY"), QStringLiteral("PAGES"), 60}});
    m_dbgPublikacje->setFixedHeight(110);
    l1->addWidget(m_dbgPublikacje);
    root->addWidget(panel1);

    QFrame* panel2 = panel(this, "Panel2");
    buildButtonPanel(panel2);
    root->addWidget(panel2);
    m_panels = {panel1, panel2, panel3, panel4, panel5, panel6};

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1Wykres"));
    m_timer->setInterval(10);
    connect(m_timer, &QTimer::timeout, this, &TfmWykres::Timer1WykresTimer);
    m_timer->start();

    connect(m_chart, &PlotWidget::clicked, this, &TfmWykres::DBChart1Click);
}

QWidget* TfmWykres::buildIsothermPage()
{
    auto* page = named(new QWidget(this), "tsX");
    auto* layout = new QVBoxLayout(page);
    m_dblAutor = named(new DbLookupList(page), "dblAutor");
    layout->addWidget(m_dblAutor);
    auto* fields = new QGridLayout;
    for (int n = 1; n <= 4; ++n) {
        auto* label = new QLabel(QStringLiteral("T%1 =").arg(n), page);
        label->setObjectName(QStringLiteral("lblT%1").arg(n));
        auto* edit = new QLineEdit(page);
        edit->setObjectName(QStringLiteral("edT%1").arg(n));
        edit->setMaxLength(4);
        edit->setMaximumWidth(60);
        edit->setEnabled(n == 1);
        auto* unit = new QLabel(QStringLiteral("[ K ]"), page);
        unit->setObjectName(QStringLiteral("lblK%1").arg(n));
        fields->addWidget(label, n - 1, 0);
        fields->addWidget(edit, n - 1, 1);
        fields->addWidget(unit, n - 1, 2);
        m_edT[n - 1] = edit;
    }
    fields->setColumnStretch(3, 1);
    layout->addLayout(fields);
    m_chbShow = named(new QCheckBox(QStringLiteral("  Show calculated value"), page), "chbShow");
    layout->addWidget(m_chbShow);
    auto* buttons = new QHBoxLayout;
    m_sbShow = named(new QPushButton(QStringLiteral("Show"), page), "sbShow");
    m_sbShow->setEnabled(false);
    m_sbClear = named(new QPushButton(QStringLiteral("Clear"), page), "sbClear");
    buttons->addWidget(m_sbShow);
    buttons->addWidget(m_sbClear);
    layout->addLayout(buttons);
    layout->addStretch();

    connect(m_edT[0], &QLineEdit::textChanged, this, &TfmWykres::edT1Change);
    connect(m_edT[1], &QLineEdit::textChanged, this, &TfmWykres::edT2Change);
    connect(m_edT[2], &QLineEdit::textChanged, this, &TfmWykres::edT3Change);
    connect(m_dblAutor, &DbLookupList::clicked, this, &TfmWykres::dblAutorClick);
    connect(m_chbShow, &QCheckBox::toggled, this, &TfmWykres::chbShowClick);
    connect(m_sbShow, &QPushButton::clicked, this, &TfmWykres::sbShowClick);
    connect(m_sbClear, &QPushButton::clicked, this, &TfmWykres::sbClearClick);
    return page;
}

QWidget* TfmWykres::buildTemperaturePage(int n)
{
    // The temperature pages' commands belong to the temperature view; here they
    // are laid out with their captions and states.
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("tsTemp%1").arg(n));
    auto* layout = new QVBoxLayout(page);
    auto* list = new DbLookupList(page);
    list->setObjectName(n == 1 ? QStringLiteral("dblAutor2") : QStringLiteral("dblAutor3"));
    layout->addWidget(list);
    auto* g = new DbGrid(page);
    g->setObjectName(QStringLiteral("dbgTemp%1").arg(n));
    g->setColumns({{QStringLiteral("X"), QStringLiteral("X")}});
    g->setMultiSelect(true);
    layout->addWidget(g);
    auto* buttons = new QHBoxLayout;
    auto* show = new QPushButton(QStringLiteral("Show"), page);
    show->setObjectName(QStringLiteral("sbShowT%1").arg(n));
    auto* clear = new QPushButton(QStringLiteral("Clear"), page);
    clear->setObjectName(QStringLiteral("sbClearT%1").arg(n));
    auto* graph = new QPushButton(QStringLiteral("Graph"), page);
    graph->setObjectName(QStringLiteral("sbGraphT%1").arg(n));
    graph->setEnabled(false);
    buttons->addWidget(show);
    buttons->addWidget(clear);
    buttons->addWidget(graph);
    layout->addLayout(buttons);
    auto* selectAll = new QCheckBox(n == 1 ? QStringLiteral("SELECT ALL ") : QStringLiteral("SELECT ALL"), page);
    selectAll->setObjectName(QStringLiteral("chbSelectT%1").arg(n));
    selectAll->setEnabled(false);
    layout->addWidget(selectAll);
    if (n == 1) {
        m_dblAutor2 = list;
        m_sbShowT1 = show;
        m_sbClearT1 = clear;
        m_sbGraphT1 = graph;
        m_chbSelectT1 = selectAll;
    } else {
        m_dblAutor3 = list;
        m_sbShowT2 = show;
        m_sbClearT2 = clear;
        m_sbGraphT2 = graph;
        m_chbSelectT2 = selectAll;
    }
    return page;
}

void TfmWykres::buildButtonPanel(QWidget* parent)
{
    auto* layout = new QVBoxLayout(parent);
    layout->setContentsMargins(4, 2, 4, 2);
    auto* model = new QHBoxLayout;
    m_lblViscosity = named(new QLabel(QStringLiteral("Select temperature and model of viscosity"), parent), "lblViscosity");
    m_lblViscosity->hide();
    m_lblTmodel = named(new QLabel(QStringLiteral("T model ="), parent), "lblTmodel");
    m_edModel = named(new QLineEdit(parent), "edModel");
    m_edModel->setMaximumWidth(60);
    m_lblK = named(new QLabel(QStringLiteral("[ K ]"), parent), "lblK");
    m_lblSelectModel = named(new QLabel(QStringLiteral("Select model:"), parent), "lblSelectModel");
    m_cbModel1 = named(new QComboBox(parent), "cbModel1");
    m_cbModel1->setEditable(true);
    m_cbModel1->setMinimumWidth(220);
    m_sbModelOK = named(new QPushButton(QStringLiteral("OK"), parent), "sbModelOK");
    m_sbClear1 = named(new QPushButton(QStringLiteral("Clear"), parent), "sbClear1");
    model->addWidget(m_lblViscosity);
    model->addWidget(m_lblTmodel);
    model->addWidget(m_edModel);
    model->addWidget(m_lblK);
    model->addWidget(m_lblSelectModel);
    model->addWidget(m_cbModel1);
    model->addWidget(m_sbModelOK);
    model->addWidget(m_sbClear1);
    model->addStretch();
    layout->addLayout(model);

    auto* buttons = new QHBoxLayout;
    m_sbHelp = named(new QPushButton(QStringLiteral("Help"), parent), "sbHelp");
    m_sbPrint = named(new QPushButton(QStringLiteral("Print"), parent), "sbPrint");
    m_sbButler = named(new QPushButton(QStringLiteral("Butler"), parent), "sbButler");
    m_sbButler->setEnabled(false);
    m_sbGraph = named(new QPushButton(QStringLiteral("Approx"), parent), "sbGraph");
    m_sbGraph->setEnabled(false);
    m_sbPbSn = named(new QPushButton(QStringLiteral("PbSn"), parent), "sbPbSn");
    m_sbPbSn->setToolTip(QStringLiteral("(PbSn)eut"));
    m_sbExit = named(new QPushButton(QStringLiteral("Exit"), parent), "sbExit");
    m_sbBack = named(new QPushButton(QStringLiteral("Back"), parent), "sbBack");
    m_sbNext = named(new QPushButton(QStringLiteral("End"), parent), "sbNext");
    for (QPushButton* b : {m_sbHelp, m_sbPrint, m_sbButler, m_sbGraph, m_sbPbSn})
        buttons->addWidget(b);
    buttons->addStretch();
    for (QPushButton* b : {m_sbExit, m_sbBack, m_sbNext})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    connect(m_edModel, &QLineEdit::textChanged, this, &TfmWykres::edModelChange);
    connect(m_cbModel1, &QComboBox::currentTextChanged, this, &TfmWykres::cbModel1Change);
    connect(m_sbModelOK, &QPushButton::clicked, this, &TfmWykres::sbModelOKClick);
    connect(m_sbClear1, &QPushButton::clicked, this, &TfmWykres::sbClear1Click);
    connect(m_sbButler, &QPushButton::clicked, this, &TfmWykres::sbButlerClick);
    connect(m_sbHelp, &QPushButton::clicked, this, &TfmWykres::sbHelpClick);
    connect(m_sbExit, &QPushButton::clicked, this, &TfmWykres::sbExitClick);
    connect(m_sbBack, &QPushButton::clicked, this, &TfmWykres::sbBackClick);
    connect(m_sbNext, &QPushButton::clicked, this, &TfmWykres::sbNextClick);
}

void TfmWykres::FormCreate()
{
    // Chart settings.
    m_chart->setPanelColour(kMoneyGreen);
    m_chart->setPlotBackground(palette().color(QPalette::Base));
    m_chart->setZoomEnabled(true);
    m_chart->setTickFormatter(PlotWidget::Axis::Bottom, [](double v) { return formatGroupedTwoDecimals(v); });
    m_chart->setAxisIncrement(PlotWidget::Axis::Bottom, 0.05);
    m_chart->setMinorTickCount(PlotWidget::Axis::Bottom, 0);
    m_chart->setMinorGridVisible(PlotWidget::Axis::Bottom, true);
    m_chart->setAxisIncrement(PlotWidget::Axis::Left, 0.05);
    m_chart->setMinorTickCount(PlotWidget::Axis::Left, 4);
    m_chart->setMinorGridVisible(PlotWidget::Axis::Left, true);
    m_chart->setAxisLineVisible(PlotWidget::Axis::Bottom, false);
    m_chart->setAxisLineVisible(PlotWidget::Axis::Left, false);
    m_chart->setLegendVisible(true);

    if (m_dm) {
        m_dm->setChartInputs(this);
        for (const char* name : {"qrExp", "qrExp2", "qrExp3", "qrExp4"})
            query(QString::fromLatin1(name))->close();
    }
    m_dbgPublikacje->unbind();
    for (DbLookupList* list : {m_dblAutor, m_dblAutor2, m_dblAutor3}) {
        list->setKeyField(QStringLiteral("ID_PUBLIKACJI"));
        list->setListField(QStringLiteral("OZNACZENIE"));
    }
    if (m_dm) {
        m_dblAutor->setListSource(m_dm->dataSource(QStringLiteral("dsAutor")));
        m_dblAutor2->setListSource(m_dm->dataSource(QStringLiteral("dsAutor")));
        m_dblAutor3->setListSource(m_dm->dataSource(QStringLiteral("dsAutor1")));
    }
    selection::ensureSelectedPublications();
    m_tempPoints1 = std::make_unique<TListaWybranychPunktTemp1>();
    m_tempPoints2 = std::make_unique<TListaWybranychPunktTemp2>();
    selection::SelectedLines1().setDrawPending([this] { DrawPage1Lines(); });
    selection::SelectedLines2().setDrawPending([this] { DrawPage2Lines(); });
}

// ---- helpers -------------------------------------------------------------------------

QWidget* TfmWykres::page(const QString& name) const
{
    if (QWidget* p = m_pageControl1->page(name))
        return p;
    return m_pageControl2->page(name);
}

DbGrid* TfmWykres::grid(const QString& name) const { return findChild<DbGrid*>(name); }

Query* TfmWykres::query(const QString& name) const { return m_dm ? m_dm->query(name) : nullptr; }

DbGrid* TfmWykres::resultGrid(int slot, bool highClass) const
{
    return grid(highClass ? QStringLiteral("dbgWynikiT%1").arg(slot) : QStringLiteral("dbgT%1").arg(slot));
}

void TfmWykres::bindGrid(const QString& gridName, const QString& dataSource)
{
    if (DbGrid* g = grid(gridName))
        g->setDataSource(m_dm ? m_dm->dataSource(dataSource) : nullptr);
}

QString TfmWykres::temperatureText(int slot) const
{
    return slot >= 1 && slot <= 4 ? m_edT[slot - 1]->text() : QString();
}

QString TfmWykres::publicationText(int page) const
{
    switch (page) {
    case 0: return m_dblAutor->text();
    case 1: return m_dblAutor2->text();
    default: return m_dblAutor3->text();
    }
}

void TfmWykres::setLineColourIndex(int page, int index)
{
    if (page == 1)
        m_lineColourIndex1 = index;
    else
        m_lineColourIndex2 = index;
}

QVariant TfmWykres::lineGridComposition(int page) const
{
    DbGrid* g = grid(page == 1 ? QStringLiteral("dbgTemp1") : QStringLiteral("dbgTemp2"));
    if (!g || !g->dataSource())
        return {};
    Query* q = g->dataSource()->query();
    return q->field(QStringLiteral("X"));
}

QString TfmWykres::linePublicationText(int page) const { return publicationText(page == 1 ? 1 : 2); }

void TfmWykres::DrawPage1Lines() { m_tempPoints1->Draw(*this); }
void TfmWykres::DrawPage2Lines() { m_tempPoints2->Draw(*this); }

SlotFields TfmWykres::slotFields() const
{
    SlotFields f;
    for (int i = 0; i < 4; ++i)
        f[i] = {m_edT[i]->text(), m_edT[i]->isEnabled()};
    return f;
}

QString TfmWykres::axisLabel() const
{
    Query* q = query(QStringLiteral("qrX"));
    return q ? q->field(QStringLiteral("XP")).toString() : QString();
}

int TfmWykres::classNumber() const { return m_dm ? m_dm->systemClass() : 0; }

void TfmWykres::setTimerRunning(bool running)
{
    if (running && !m_timer->isActive())
        m_timer->start();
    else if (!running && m_timer->isActive())
        m_timer->stop();
}

bool TfmWykres::IsothermInputReady()
{
    const bool ready = !m_dblAutor->text().trimmed().isEmpty() && !m_edT[0]->text().trimmed().isEmpty();
    setTimerRunning(!ready);
    return ready;
}

bool TfmWykres::PublicationChosen()
{
    const bool chosen = !m_dblAutor->text().trimmed().isEmpty();
    setTimerRunning(!chosen);
    return chosen;
}

bool TfmWykres::Page1PublicationChosen()
{
    const bool chosen = !m_dblAutor2->text().trimmed().isEmpty();
    setTimerRunning(!chosen);
    return chosen;
}

bool TfmWykres::Page2PublicationChosen()
{
    const bool chosen = !m_dblAutor3->text().trimmed().isEmpty();
    setTimerRunning(!chosen);
    return chosen;
}

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
    const ChartChoices c = readChartChoices();
    const bool isotherms = !c.temperatureMode;
    const PropertyPresentation p = presentationOf(c.propertyName);
    auto pc2 = m_pageControl2;
    auto pg = [this](const char* name) { return page(QString::fromLatin1(name)); };

    // 1. The viscosity model row.
    if (c.propertyName == QLatin1String("Viscosity") && isotherms) {
        m_lblViscosity->show();
        m_sbGraph->hide();
        m_sbPbSn->hide();
        m_sbButler->hide();
        m_modelCurveCount = 0;
        m_viscosityRun->reset();
    } else {
        for (QWidget* w : std::initializer_list<QWidget*>{m_lblViscosity, m_lblTmodel, m_edModel, m_lblK,
                                                          m_lblSelectModel, m_cbModel1, m_sbModelOK, m_sbClear1})
            w->hide();
    }
    // 2.-4.
    m_sbPbSn->setEnabled(true);
    m_sbButler->setText(QStringLiteral("Model"));
    m_pbSnCurveShown = false;
    m_lineColourIndex1 = m_pointColourIndex = m_butlerCurveCount = m_lineColourIndex2 = 0;
    selection::SelectedLines1().Clear();
    selection::SelectedLines2().Clear();
    // 5. Unbind the grids.
    for (const char* name : {"dbgRownania", "dbgDane45", "dbgT1", "dbgT2", "dbgT3", "dbgT4", "dbgTemp1", "dbgTemp2"})
        grid(QString::fromLatin1(name))->unbind();
    // 6.-7.
    const int classNo = classNumber();
    {
        const QSignalBlocker blocker(m_cbModel1);
        m_cbModel1->clear();
        m_cbModel1->addItems(viscosityModelCaptions());
        m_cbModel1->setCurrentIndex(-1);
        m_cbModel1->setEditText(QString());
    }
    m_sbModelOK->setEnabled(false);

    // 8. Pages by class and mode.
    if (classNo < 3) {
        pc2->setActivePage(pg("tsRownania"));
        for (int n = 1; n <= 4; ++n) {
            QWidget* w = page(QStringLiteral("tsWynikiT%1").arg(n));
            pc2->setTabVisible(w, false);
            pc2->setCaption(w, QStringLiteral("T%1").arg(n));
        }
        pc2->setTabVisible(pg("tsRownania45"), false);
    } else if (!isotherms) {
        m_pageControl1->setActivePage(pg("tsTemp1"));
        pc2->setActivePage(pg("tsTemp2"));
        m_sbPbSn->setEnabled(true);
    } else {
        pc2->setActivePage(pg("tsRownania45"));
        const QString ending = c.propertyName == QLatin1String("Viscosity") ? QStringLiteral(" = A*Exp(E/R*T)")
                                                                           : QStringLiteral(" = A+B*T");
        pc2->setCaption(pg("tsRownania45"), equationCaption(c.propertyName, c.systemName, ending));
        pc2->setTabVisible(pg("tsRownania"), false);
        pc2->setTabVisible(pg("tsRownania45"), true);
        pc2->setTabVisible(pg("tsWynikiT1"), false);
        m_sbPbSn->setEnabled(false);
    }
    // 9. Composition titles and the two-slot pages.
    const QString xp = axisLabel();
    for (int n = 1; n <= 4; ++n) {
        grid(QStringLiteral("dbgWynikiT%1").arg(n))->setColumnTitle(0, xp);
        grid(QStringLiteral("dbgT%1").arg(n))->setColumnTitle(0, xp);
    }
    grid(QStringLiteral("dbgTemp1"))->setColumnTitle(0, xp);
    grid(QStringLiteral("dbgTemp2"))->setColumnTitle(0, xp);
    pc2->setTabVisible(pg("tsWynikiT1T2"), false);
    pc2->setTabVisible(pg("tsWynikiT3T4"), false);
    pc2->setCaption(pg("tsWynikiT1T2"), QStringLiteral("T1    T2"));
    pc2->setCaption(pg("tsWynikiT3T4"), QStringLiteral("T3    T4"));

    // 10. Mode.
    if (!isotherms) {
        m_chart->setAxisTitle(PlotWidget::Axis::Bottom, QStringLiteral("Temperature [K]"));
        m_chart->setLegendColour(palette().color(QPalette::Window));
        m_pageControl1->setTabVisible(pg("tsTemp1"), true);
        m_panT[0]->setText(equationCaption(c.propertyName, c.systemName, QStringLiteral(" = A+B*T")));
        m_chbShow->setChecked(false);
        m_chbShow->setEnabled(false);
        pc2->setTabVisible(pg("tsRownania"), false);
        if (classNo >= 3) {
            pc2->setTabVisible(pg("tsRownania45"), false);
            pc2->setTabVisible(pg("tsWynikiT1T2"), false);
            pc2->setTabVisible(pg("tsWynikiT3T4"), false);
        }
        m_edT[0]->setEnabled(false);
        m_sbShow->setEnabled(Page1PublicationChosen());
        m_pageControl1->setTabVisible(pg("tsX"), false);
        m_sbGraph->setEnabled(false);
        m_sbGraph->setText(QStringLiteral("Points"));
        m_sbPbSn->setEnabled(true);
    } else {
        m_sbPbSn->setEnabled(false);
        m_sbGraph->setText(QStringLiteral("Approx"));
        m_chart->show();
        m_pageControl1->setTabVisible(pg("tsTemp1"), false);
        pc2->setTabVisible(pg("tsTemp2"), false);
        m_sbShow->setEnabled(IsothermInputReady());
        m_chart->setAxisTitle(PlotWidget::Axis::Bottom, xp);
        m_chart->setLegendColour(palette().color(QPalette::Window));
        if (m_addData)
            m_addData->setEnabled(true);
    }
    // 11. Title.
    m_chart->setTitle(c.systemName);
    // 12. Property.
    m_chart->setAxisTitle(PlotWidget::Axis::Left, leftAxisTitle(c.propertyName));
    const QString name = c.propertyName;
    if (name == QLatin1String("Density") || name == QLatin1String("Surface tension")) {
        pc2->setCaption(pg("tsRownania"), equationCaption(name, c.systemName, p.equationEndingLow));
    } else if (name == QLatin1String("Molar volume")) {
        m_chbShow->setChecked(true); // runs chbShowClick
        m_chbShow->setEnabled(false);
        pc2->setTabVisible(pg("tsRownania"), false);
        const QString caption = equationCaption(name, c.systemName, QStringLiteral(" = A+B*T"));
        m_panT1T2->setText(caption);
        m_panT3T4->setText(caption);
        m_panT[0]->setText(caption);
        m_panT[1]->setText(caption);
        bindValueColumns(name);
    } else if (name == QLatin1String("Viscosity")) {
        pc2->setCaption(pg("tsRownania"), equationCaption(name, c.systemName, p.equationEndingLow));
        grid(QStringLiteral("dbgRownania"))->setColumnTitle(2, QStringLiteral("E"));
        bindValueColumns(name);
    } else if (name == QLatin1String("Electrical properties")) {
        pc2->setCaption(pg("tsRownania"), name + QStringLiteral("  ") + c.systemName);
    }
}

void TfmWykres::bindValueColumns(const QString& propertyName)
{
    const PropertyPresentation p = presentationOf(propertyName);
    if (!p.known)
        return;
    const bool molar = propertyName == QLatin1String("Molar volume");
    for (int n = 1; n <= 4; ++n) {
        for (DbGrid* g : {grid(QStringLiteral("dbgT%1").arg(n)), grid(QStringLiteral("dbgWynikiT%1").arg(n))}) {
            QList<GridColumn> cols = g->columns();
            cols[1].field = p.valueField(n);
            if (cols.size() > 2) {
                cols[2].field = molar ? QStringLiteral("UKLAD") : QStringLiteral("SYSTEM");
                cols[2].title = QStringLiteral("SYSTEM");
            }
            g->setColumns(cols);
        }
    }
}

// ---- timer and fields --------------------------------------------------------------------

void TfmWykres::Timer1WykresTimer()
{
    const ChartChoices c = readChartChoices();
    if (c.temperatureMode) {
        const bool page1 = Page1PublicationChosen();
        m_sbShow->setEnabled(page1);
        m_sbShowT1->setEnabled(page1);
        m_sbShowT2->setEnabled(Page2PublicationChosen());
        return;
    }
    if (c.className == QLatin1String("Pure metals"))
        m_sbGraph->setEnabled(false);
    else
        m_sbGraph->setEnabled(IsothermInputReady());
}

void TfmWykres::edT1Change()
{
    setTimerRunning(true);
    const bool filled = !m_edT[0]->text().isEmpty();
    if (filled) {
        m_edT[1]->setEnabled(true);
        m_butlerArmed[0] = true;
        m_butlerRun->armSlotOne();
    } else {
        m_edT[1]->setEnabled(false);
    }
    if (m_chbShow->isChecked())
        m_sbShow->setEnabled(IsothermInputReady());
    else
        PublicationChosen();
    const ChartChoices c = readChartChoices();
    if (c.propertyName == QLatin1String("Surface tension") && c.modelChecked)
        m_sbButler->setEnabled(filled);
}

void TfmWykres::edT2Change() { m_edT[2]->setEnabled(!m_edT[1]->text().isEmpty()); }
void TfmWykres::edT3Change() { m_edT[3]->setEnabled(!m_edT[2]->text().isEmpty()); }

void TfmWykres::dblAutorClick()
{
    m_sbShow->setEnabled(m_chbShow->isChecked() ? IsothermInputReady() : PublicationChosen());
}

// ---- "Show" -----------------------------------------------------------------------------

void TfmWykres::sbShowClick()
{
    try {
        showIsotherms();
    } catch (const NumberFormatError& e) {
        ui().error(e.message());
    } catch (const std::exception& e) {
        ui().error(QString::fromUtf8(e.what()));
    }
}

void TfmWykres::FillViscosityTable(int slot)
{
    m_dm->FillViscosityTable(slot);
}

void TfmWykres::showIsotherms()
{
    if (!m_dm)
        return;
    const ChartChoices c = readChartChoices();
    const bool viscosity = c.propertyName == QLatin1String("Viscosity");
    SlotFields f = slotFields();

    // 1. The model temperature.
    if (const auto t = modelTemperaturePrefill(f))
        m_edModel->setText(*t);
    // 2.-3. The eutectic section of multicomponent systems.
    const int classNo = classNumber();
    const bool high = classNo >= 3;
    if (high) {
        m_dm->OpenEutectics();
        forms::showTransient(
            QStringLiteral("fmEut"),
            [this, c] { return new TfmEut(c.systemName, [this](int section) { setSelectedEutectic(section); }, this); });
        m_dm->OpenSectionEquations();
    }
    // 4. The publication joins the list of publications in use.
    m_dbgPublikacje->setDataSource(m_dm->dataSource(QStringLiteral("dsPublikacje")));
    const QVariant id = query(QStringLiteral("qrAutor"))->field(QStringLiteral("ID_PUBLIKACJI"));
    TListaWybranychPublikacji* publications = selection::ensureSelectedPublications();
    if (!id.isNull())
        publications->Add(QString::number(id.toLongLong()));
    m_dm->OpenChosenPublications(publications->CommaText());
    // 5. Equations only.
    if (!m_chbShow->isChecked()) {
        showEquations(c);
        return;
    }
    // 6. Viscosity tables.
    if (viscosity) {
        for (int n = 1; n <= 4; ++n) {
            if (slotPreparedForTables(f, n))
                FillViscosityTable(n);
        }
    }
    // 7. Result tabs of multicomponent systems.
    if (high) {
        for (int n = 1; n <= 4; ++n) {
            if (f[n - 1].filled()) {
                QWidget* w = page(QStringLiteral("tsWynikiT%1").arg(n));
                m_pageControl2->setTabVisible(w, true);
                m_pageControl2->setCaption(w, resultTabCaptionAfterShow(n, f[n - 1].text));
            }
        }
    }
    // 8. "Approx".
    if (c.className == QLatin1String("Pure metals"))
        m_sbGraph->setEnabled(false);
    else
        m_sbGraph->setEnabled(IsothermInputReady());
    // 9. Captions of the two-slot pages.
    if (const auto caption = pairTabCaption(f[0].text, f[1].text))
        m_pageControl2->setCaption(page(QStringLiteral("tsWynikiT1T2")), *caption);
    if (const auto caption = pairTabCaption(f[2].text, f[3].text))
        m_pageControl2->setCaption(page(QStringLiteral("tsWynikiT3T4")), *caption);
    // 10. Temperatures.
    if (!temperaturesInRange(f, QLocale())) {
        ui().error(kTemperatureRangeError);
        updateCalculatedValueItem(c);
        return;
    }
    const ClassKind kind = classKindOf(c.className);
    if (c.propertyName != QLatin1String("Molar volume")) {
        // 11.
        if (kind == ClassKind::Pure) {
            for (int n = 1; n <= 4; ++n) {
                if (!slotPrepared(f, n))
                    continue;
                const SlotBinding b = slotBinding(c.className, classNo, c.propertyName, c.systemName, n);
                if (viscosity)
                    m_dm->OpenViscosityResults(n);
                else
                    m_dm->OpenIsothermValues(n);
                m_edT[n - 1]->setEnabled(false);
                m_isothermCalculated[n - 1] = true;
                bindGrid(b.grid, b.dataSource);
            }
        } else {
            for (int n = 1; n <= 4; ++n) {
                if (!slotPrepared(f, n))
                    continue;
                const SlotBinding b = slotBinding(c.className, classNo, c.propertyName, c.systemName, n);
                if (!high) {
                    m_isothermCalculated[n - 1] = true;
                    Query* q = viscosity ? m_dm->OpenViscosityResults(n) : m_dm->OpenIsothermValues(n);
                    bindGrid(b.grid, b.dataSource);
                    if (kind == ClassKind::Binary) {
                        if (!viscosity) {
                            if (q->rowCount() == 0) {
                                showPropertyFigureFallback(this);
                            } else {
                                m_dm->OpenEndPoints(n);
                                DrawEndPointLine(n);
                            }
                        } else {
                            const bool none = q->rowCount() == 0;
                            const bool previousHadRows =
                                n > 1 && query(n == 2 ? QStringLiteral("qrExp") : QStringLiteral("qrExp%1").arg(n - 1))->rowCount() > 0;
                            if ((n == 1 && none) || (n > 1 && none && previousHadRows))
                                showPropertyFigureFallback(this);
                        }
                    }
                } else {
                    m_dm->OpenSectionValues(n);
                    m_isothermCalculated[n - 1] = true;
                    if (!viscosity) {
                        bindGrid(b.grid, b.dataSource);
                    } else {
                        m_dm->OpenSectionEquations();
                        m_dm->OpenViscosityResults(n);
                        bindGrid(b.grid, b.dataSource);
                    }
                }
            }
            bool anyRows = false;
            f = slotFields();
            for (int n = 1; n <= 4 && !anyRows; ++n) {
                if (!f[n - 1].enabled)
                    continue;
                const SlotBinding b = seriesBinding(c.className, classNo, c.propertyName, c.systemName, n);
                Query* q = b.query.isEmpty() ? nullptr : query(b.query);
                anyRows = q && q->rowCount() > 0;
            }
            if (anyRows)
                DrawIsotherms();
        }
    } else {
        // 12. Molar volume.
        for (int n = 1; n <= 4; ++n) {
            if (!slotPreparedForTables(f, n))
                continue;
            const SlotBinding b = slotBinding(c.className, classNo, c.propertyName, c.systemName, n);
            if (b.query.isEmpty())
                continue;
            m_dm->OpenMolarVolume(c.className, c.systemName, n);
            bindGrid(b.grid, b.dataSource);
            if (kind == ClassKind::Pure)
                continue;
            if (kind == ClassKind::Binary) {
                m_dm->OpenMolarEndPoints(n);
                DrawEndPointLine(n);
            }
            m_isothermCalculated[n - 1] = true;
        }
        if (kind != ClassKind::Pure && kind != ClassKind::Other)
            DrawIsotherms();
    }
    // 13.
    updateCalculatedValueItem(c);
}

void TfmWykres::updateCalculatedValueItem(const ChartChoices& c)
{
    const SlotBinding b = slotBinding(c.className, classNumber(), c.propertyName, c.systemName, 1);
    Query* q = b.query.isEmpty() ? nullptr : query(b.query);
    if (m_calculatedValue)
        m_calculatedValue->setEnabled(q && q->rowCount() > 0);
}

void TfmWykres::showEquations(const ChartChoices& c)
{
    bindGrid(QStringLiteral("dbgRownania"), QStringLiteral("dsRownania"));
    m_dm->OpenEquations();
    DbGrid* equations = grid(QStringLiteral("dbgRownania"));
    if (m_equations)
        m_equations->setEnabled(query(QStringLiteral("qrRownania"))->rowCount() > 0 && equations->isVisibleTo(this)
                                && m_pageControl2->activePage() == page(QStringLiteral("tsRownania")));
    if (classNumber() >= 3) {
        bindGrid(QStringLiteral("dbgDane45"), QStringLiteral("dsDane45"));
        m_dm->OpenSectionEquations();
        if (m_equations)
            m_equations->setEnabled(query(QStringLiteral("qrDane45"))->rowCount() > 0);
    }
    Q_UNUSED(c);
}

void TfmWykres::fillSeriesFromQuery(PlotSeries* series, Query* q, const QString& valueField)
{
    if (!q || !q->isOpen())
        return;
    const int xc = q->columnIndex(QStringLiteral("X"));
    const int yc = q->columnIndex(valueField);
    if (xc < 0 || yc < 0)
        return;
    for (int row = 0; row < q->rowCount(); ++row)
        series->addPoint(numberOf(q->value(row, xc)), numberOf(q->value(row, yc)));
}

void TfmWykres::DrawEndPointLine(int slot)
{
    const ChartChoices c = readChartChoices();
    const bool molar = c.propertyName == QLatin1String("Molar volume");
    Query* q = query(molar ? QStringLiteral("qrMinMax%1M").arg(slot) : QStringLiteral("qrMinMax%1").arg(slot));
    PlotSeries* line = m_chart->addLineSeries(QString(), slotColour(slot), 1, Qt::SolidLine);
    line->setInLegend(false);
    fillSeriesFromQuery(line, q, molar ? QStringLiteral("VT%1").arg(slot) : QStringLiteral("DensityT%1").arg(slot));
}

void TfmWykres::DrawIsotherms()
{
    const ChartChoices c = readChartChoices();
    const SlotFields f = slotFields();
    const int classNo = classNumber();
    for (int n = 1; n <= 4; ++n) {
        if (!slotDrawable(f, n))
            continue;
        const SlotBinding b = seriesBinding(c.className, classNo, c.propertyName, c.systemName, n);
        if (b.query.isEmpty()) {
            ui().message(kDataNotAvailable);
        } else {
            PlotSeries* s = m_chart->addPointSeries(isothermTitle(m_dblAutor->text(), f[n - 1].text), slotColour(n),
                                                    slotMarker(n));
            fillSeriesFromQuery(s, query(b.query), b.valueField);
        }
        m_edT[n - 1]->setEnabled(false);
    }
    m_chart->refresh();
}

// ---- "  Show calculated value" ----------------------------------------------------------

void TfmWykres::setResultTitlesAndPanels(const ChartChoices& c, bool high)
{
    const PropertyPresentation p = presentationOf(c.propertyName);
    if (!p.known)
        return;
    const QString caption = panelCaption(c.propertyName, c.systemName);
    if (!high) {
        m_panT1T2->setText(caption);
        m_panT3T4->setText(caption);
        if (c.propertyName != QLatin1String("Density"))
            m_panT[0]->setText(caption);
    } else {
        m_panT[0]->setText(caption);
    }
    for (int n = 1; n <= 4; ++n)
        resultGrid(n, high)->setColumnTitle(1, p.resultTitle(n));
}

void TfmWykres::chbShowClick()
{
    const ChartChoices c = readChartChoices();
    for (const char* name : {"dbgRownania", "dbgT1", "dbgT2", "dbgT3", "dbgT4", "dbgDane45", "dbgWynikiT1"})
        grid(QString::fromLatin1(name))->unbind();
    const bool high = classNumber() >= 3;
    auto pg = [this](const char* name) { return page(QString::fromLatin1(name)); };
    PageControl* pc2 = m_pageControl2;
    const bool inputs = !m_edT[0]->text().isEmpty() && !m_dblAutor->text().isEmpty();
    if (m_chbShow->isChecked()) {
        if (!high) {
            pc2->setTabVisible(pg("tsWynikiT1T2"), true);
            pc2->setTabVisible(pg("tsWynikiT3T4"), true);
            pc2->setActivePage(pg("tsWynikiT1T2"));
            pc2->setTabVisible(pg("tsRownania"), false);
            pc2->setTabVisible(pg("tsTemp2"), false);
        } else {
            for (int n = 1; n <= 4; ++n) {
                if (!m_edT[n - 1]->text().isEmpty()) {
                    QWidget* w = page(QStringLiteral("tsWynikiT%1").arg(n));
                    pc2->setTabVisible(w, true);
                    pc2->setCaption(w, QStringLiteral(" T%1 ").arg(n));
                }
            }
            pc2->setCaption(pg("tsWynikiT1"), QStringLiteral("T1"));
            pc2->setTabVisible(pg("tsRownania45"), false);
            pc2->setTabVisible(pg("tsWynikiT1T2"), false);
            pc2->setTabVisible(pg("tsWynikiT3T4"), false);
            pc2->setActivePage(pg("tsWynikiT1"));
        }
        m_sbShow->setEnabled(inputs);
        setResultTitlesAndPanels(c, high);
    } else {
        QWidget* equations = high ? pg("tsRownania45") : pg("tsRownania");
        pc2->setActivePage(equations);
        pc2->setTabVisible(pg("tsWynikiT1T2"), false);
        pc2->setTabVisible(pg("tsWynikiT3T4"), false);
        pc2->setTabVisible(equations, true);
        pc2->setActivePage(equations);
        if (!m_dblAutor->text().isEmpty()) {
            PublicationChosen();
            m_sbShow->setEnabled(true);
        }
    }
}

// ---- Clear, Back, End, Exit, Help --------------------------------------------------------

void TfmWykres::sbClearClick()
{
    if (m_dm) {
        for (const char* name : {"qrWyniki45", "qrWyniki452", "qrWyniki453", "qrWyniki454", "qrPunkty1", "qrPunkty2",
                                 "qrPunkty3", "qrPunkty4", "qrExp", "qrExp2", "qrExp3", "qrExp4"})
            query(QString::fromLatin1(name))->close();
    }
    m_modelCurveCount = 0;
    m_viscosityRun->sbClear1Click();
    m_edModel->clear();
    m_cbModel1->setCurrentIndex(-1);
    m_cbModel1->setEditText(QString());
    for (QLineEdit* e : m_edT)
        e->clear();
    m_edT[0]->setEnabled(true);
    m_dbgPublikacje->unbind();
    m_chart->removeAllSeries();
    m_currentSeries = nullptr;
    for (const char* name : {"dbgRownania", "dbgT1", "dbgT2", "dbgT3", "dbgT4", "dbgDane45", "dbgWynikiT1",
                             "dbgWynikiT2", "dbgWynikiT3", "dbgWynikiT4"})
        grid(QString::fromLatin1(name))->unbind();
    m_pageControl2->setCaption(page(QStringLiteral("tsWynikiT1T2")), QStringLiteral("T1   T2"));
    m_pageControl2->setCaption(page(QStringLiteral("tsWynikiT3T4")), QStringLiteral("T3   T4"));
    for (int n = 1; n <= 4; ++n)
        m_pageControl2->setCaption(page(QStringLiteral("tsWynikiT%1").arg(n)), QStringLiteral("T%1").arg(n));
    if (TListaWybranychPublikacji* list = selection::SelectedPublications())
        list->Clear();
    if (m_equations)
        m_equations->setEnabled(false);
    if (m_calculatedValue)
        m_calculatedValue->setEnabled(false);
    if (m_chbShow->isChecked())
        m_sbShow->setEnabled(IsothermInputReady());
}

void TfmWykres::sbBackClick()
{
    m_chart->removeAllSeries();
    m_currentSeries = nullptr;
    close();
    m_dbgPublikacje->unbind();
}

void TfmWykres::sbNextClick()
{
    close();
    if (QWidget* select = forms::window(QStringLiteral("fmSelect")))
        select->close();
}

void TfmWykres::sbExitClick() { exitToWindows(); }

void TfmWykres::sbHelpClick() { TfmStart::OpenHelp(); }

// ---- viscosity model panel and Butler curves ---------------------------------------------

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
} // namespace

PlotSeries* TfmWykres::addModelCurve(const ModelCurve& curve)
{
    PlotSeries* s = m_chart->addLineSeries(curve.title, resolve(curve.colour), curve.lineWidth, Qt::SolidLine);
    s->setInLegend(curve.showInLegend);
    for (const QPointF& p : curve.points)
        s->addPoint(p.x(), p.y());
    m_currentSeries = s;
    return s;
}

void TfmWykres::mirrorModelState()
{
    m_modelCurveCount = m_viscosityRun->modelCurveCount();
    m_modelArmed = m_viscosityRun->modelArmed();
    m_modelAbbreviation = m_viscosityRun->modelAbbreviation();
    m_modelCurveColour = resolve(m_viscosityRun->modelCurveColour());
    m_butlerCurveCount = m_butlerRun->butlerCurveCount();
    m_curveColour = resolve(m_butlerRun->curveColour());
    for (int n = 1; n <= 4; ++n)
        m_butlerArmed[n - 1] = m_butlerRun->butlerArmed(n);
}

void TfmWykres::edModelChange()
{
    const ModelPanelState state = m_viscosityRun->edModelChange(m_edModel->text(), m_cbModel1->currentText());
    m_sbModelOK->setEnabled(state.okEnabled);
    if (state.disableMenuItem && m_viscosityModel)
        m_viscosityModel->setEnabled(false);
    m_modelArmed = m_viscosityRun->modelArmed();
}

void TfmWykres::cbModel1Change()
{
    const ModelPanelState state =
        m_viscosityRun->cbModel1Change(m_edModel->text(), m_cbModel1->currentText(), m_dblAutor->text());
    m_sbModelOK->setEnabled(state.okEnabled);
    if (state.disableMenuItem && m_viscosityModel)
        m_viscosityModel->setEnabled(false);
    m_modelArmed = m_viscosityRun->modelArmed();
}

void TfmWykres::sbModelOKClick()
{
    const ChartChoices c = readChartChoices();
    if (!c.isothermMode)
        return;
    ViscosityRunInput input;
    input.temperatureText = m_edModel->text();
    input.modelText = m_cbModel1->currentText();
    input.systemName = c.systemName;
    input.publicationKey = m_dblAutor->text();
    input.leftAxisTitle = m_chart->axisTitle(PlotWidget::Axis::Left);
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
        for (const QString& line : result.bufferLines)
            m_memoViscoModel->appendPlainText(line);
        break;
    }
    m_modelTemperature = m_viscosityRun->modelTemperature();
    mirrorModelState();
    if (result.enableMenuItem && m_viscosityModel)
        m_viscosityModel->setEnabled(true);
}

void TfmWykres::sbClear1Click()
{
    m_viscosityRun->sbClear1Click();
    m_edModel->clear();
    m_cbModel1->setCurrentIndex(-1);
    m_cbModel1->setEditText(QString());
    m_chart->removeAllSeries();
    m_currentSeries = nullptr;
    mirrorModelState();
}

void TfmWykres::sbButlerClick()
{
    const ChartChoices c = readChartChoices();
    ButlerRunInput input;
    for (int n = 0; n < 4; ++n)
        input.temperatureTexts[n] = m_edT[n]->text();
    input.isothermMode = !c.temperatureMode;
    input.propertyName = c.propertyName;
    input.systemName = c.systemName;
    if (DbGrid* g = grid(QStringLiteral("dbgTemp1")); g && g->dataSource()) {
        Query* q = g->dataSource()->query();
        for (int row : g->selectedRowsInOrder())
            input.selectedCompositions.push_back(q->value(row, QStringLiteral("X")).toDouble());
    }
    for (int n = 1; n <= 4; ++n)
        m_butlerRun->setButlerArmed(n, m_butlerArmed[n - 1]);
    const ButlerRunResult result = m_butlerRun->sbButlerClick(input);
    if (result.status == ButlerRunResult::Status::InputError) {
        ui().error(result.message);
        return;
    }
    for (const ModelCurve& curve : result.curves)
        addModelCurve(curve);
    m_modelTemperature = m_butlerRun->modelTemperature();
    m_modelComposition = m_butlerRun->modelComposition();
    mirrorModelState();
}

void TfmWykres::ToggleChartOnly()
{
    QFrame* panel1 = m_panels.value(0);
    if (!panel1->isHidden()) {
        m_chart->setPanelColour(palette().color(QPalette::Window));
        m_chart->setLegendColour(palette().color(QPalette::Window));
        for (QFrame* p : std::as_const(m_panels))
            p->hide();
        showMaximized();
    } else {
        for (QFrame* p : std::as_const(m_panels))
            p->show();
        m_chart->setPanelColour(kMoneyGreen);
        m_chart->setLegendColour(palette().color(QPalette::Window));
        showNormal();
    }
}

} // namespace korvel
