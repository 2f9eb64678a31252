#include "TemperaturePage.h"

#include "core/Session.h"
#include "ChartContext.h"
#include "IsothermLogic.h"
#include "ModelChart.h"
#include "ModelPanel.h"
#include "PlotWidget.h"
#include "SeriesColours.h"
#include "core/UiServices.h"
#include "database/DataModule.h"
#include "database/DataSource.h"
#include "database/Query.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupList.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QLocale>
#include <algorithm>

namespace korvel {

TemperaturePage::TemperaturePage(int page, ChartContext& context, QWidget* parent)
    : QWidget(parent), m_page(page), m_ctx(context)
{
    setObjectName(QStringLiteral("tsTemp%1").arg(page));
    auto* layout = new QVBoxLayout(this);
    m_dblAutor = new DbLookupList(this);
    m_dblAutor->setObjectName(page == 1 ? QStringLiteral("dblAutor2") : QStringLiteral("dblAutor3"));
    layout->addWidget(m_dblAutor);
    m_grid = new DbGrid(this);
    m_grid->setObjectName(QStringLiteral("dbgTemp%1").arg(page));
    m_grid->setColumns({{QStringLiteral("X"), QStringLiteral("X")}});
    m_grid->setMultiSelect(true);
    layout->addWidget(m_grid, 1);
    auto* buttons = new QHBoxLayout;
    m_sbShow = new QPushButton(QStringLiteral("Show"), this);
    m_sbShow->setObjectName(QStringLiteral("sbShowT%1").arg(page));
    m_sbClear = new QPushButton(QStringLiteral("Clear"), this);
    m_sbClear->setObjectName(QStringLiteral("sbClearT%1").arg(page));
    m_sbGraph = new QPushButton(QStringLiteral("Graph"), this);
    m_sbGraph->setObjectName(QStringLiteral("sbGraphT%1").arg(page));
    m_sbGraph->setEnabled(false);
    buttons->addWidget(m_sbShow);
    buttons->addWidget(m_sbClear);
    buttons->addWidget(m_sbGraph);
    layout->addLayout(buttons);
    m_chbSelect = new QCheckBox(page == 1 ? QStringLiteral("SELECT ALL ") : QStringLiteral("SELECT ALL"), this);
    m_chbSelect->setObjectName(QStringLiteral("chbSelectT%1").arg(page));
    m_chbSelect->setEnabled(false);
    layout->addWidget(m_chbSelect);

    connect(m_dblAutor, &DbLookupList::clicked, this, &TemperaturePage::PublicationClick);
    connect(m_sbShow, &QPushButton::clicked, this, &TemperaturePage::ShowClick);
    connect(m_sbClear, &QPushButton::clicked, this, &TemperaturePage::ClearClick);
    connect(m_sbGraph, &QPushButton::clicked, this, &TemperaturePage::GraphClick);
    connect(m_chbSelect, &QCheckBox::toggled, this, &TemperaturePage::SelectAllClick);
    connect(m_grid, &DbGrid::cellClicked, this, &TemperaturePage::GridCellClick);
}

Query* TemperaturePage::equationsQuery() const
{
    return m_grid->dataSource() ? m_grid->dataSource()->query() : nullptr;
}

QList<double> TemperaturePage::selectedCompositions() const
{
    QList<double> result;
    if (Query* q = equationsQuery())
        for (int row : m_grid->selectedRowsInOrder())
            result << q->value(row, QStringLiteral("X")).toDouble();
    return result;
}

QList<int> TemperaturePage::selectedRowsInGridOrder() const
{
    QList<int> rows = m_grid->selectedRowsInOrder();
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool TemperaturePage::PublicationChosen()
{
    const bool chosen = !m_dblAutor->text().trimmed().isEmpty();
    m_ctx.setTimerRunning(!chosen);
    return chosen;
}

TemperaturePointList& TemperaturePage::points() const
{
    if (m_page == 1)
        return *m_ctx.state.tempPoints1;
    return *m_ctx.state.tempPoints2;
}

TListaWybranychLini& TemperaturePage::lines() const
{
    if (m_page == 1)
        return selection::SelectedLines1();
    return selection::SelectedLines2();
}

void TemperaturePage::DrawLines() { points().Draw(*this); }

int TemperaturePage::lineColourIndex(int page) const
{
    return page == 1 ? m_ctx.state.lineColourIndex1 : m_ctx.state.lineColourIndex2;
}

void TemperaturePage::setLineColourIndex(int page, int index)
{
    (page == 1 ? m_ctx.state.lineColourIndex1 : m_ctx.state.lineColourIndex2) = index;
}

QVariant TemperaturePage::lineGridComposition(int) const
{
    Query* q = equationsQuery();
    return q ? q->field(QStringLiteral("X")) : QVariant();
}

QString TemperaturePage::linePublicationText(int) const { return m_dblAutor->text(); }

PlotWidget* TemperaturePage::lineChart() { return m_ctx.chart; }

namespace {
bool isProperty(const char* name) { return session().choices().propertyName == QLatin1String(name); }
} // namespace

Query* TemperaturePage::lineQuery() const
{
    const bool high = m_ctx.classNumber() >= 3;
    if (m_page == 1)
        return m_ctx.query(high ? QStringLiteral("qrPunktyTemp451") : QStringLiteral("qrPunktyTemp"));
    return m_ctx.query(high ? QStringLiteral("qrPunktyTemp452") : QStringLiteral("qrPunktyTemp2"));
}

void TemperaturePage::readLineEnds(LineRecord& record) const
{
    TdmDataModule* dm = m_ctx.dm;
    const bool high = m_ctx.classNumber() >= 3;
    if (m_page == 1)
        high ? dm->ReadSectionLineEnds1(record) : dm->ReadLineEnds1(record);
    else
        high ? dm->ReadSectionLineEnds2(record) : dm->ReadLineEnds2(record);
}

void TemperaturePage::PublicationClick() { m_sbShow->setEnabled(true); }

void TemperaturePage::ShowClick()
{
    TdmDataModule* dm = m_ctx.dm;
    if (!dm)
        return;
    const Choices c = session().choices();
    if (m_page == 1) {
        m_ctx.buttons.sbGraph->setEnabled(true);
        m_chbSelect->setChecked(false);
        if (c.modelChecked)
            m_ctx.buttons.sbButler->setEnabled(true);
    }
    // The publication joins the list of publications in use.
    m_ctx.dbgPublikacje->setDataSource(dm->dataSource(QStringLiteral("dsPublikacje")));
    const QVariant id = m_ctx.query(m_page == 1 ? QStringLiteral("qrAutor") : QStringLiteral("qrAutor1"))
                            ->field(QStringLiteral("ID_PUBLIKACJI"));
    TListaWybranychPublikacji* publications = selection::ensureSelectedPublications();
    if (!id.isNull())
        publications->Add(QString::number(id.toLongLong()));
    dm->OpenChosenPublications(publications->CommaText());
    if (m_page == 1)
        dm->OpenEquations();
    else
        dm->OpenEquations2();
    if (m_ctx.classNumber() < 3) {
        m_ctx.bindGrid(m_grid->objectName(), m_page == 1 ? QStringLiteral("dsRownania") : QStringLiteral("dsRownania2"));
    } else {
        dm->OpenEutectics();
        m_ctx.chooseEutectic(c.systemName);
        if (m_page == 1)
            dm->OpenSectionEquations();
        else
            dm->OpenSectionEquations2();
        m_ctx.bindGrid(m_grid->objectName(), m_page == 1 ? QStringLiteral("dsDane45") : QStringLiteral("dsDane452"));
    }
    m_sbGraph->setEnabled(true);
    m_chbSelect->setEnabled(true);
    Query* q = equationsQuery();
    const QVariant x = q ? q->field(QStringLiteral("X")) : QVariant();
    if (!x.isNull())
        m_ctx.state.lineComposition = FixedPoint4::fromDouble(x.toDouble());
    else
        ui().message(kDataNotAvailable);
}

void TemperaturePage::GraphClick()
{
    TdmDataModule* dm = m_ctx.dm;
    Query* equations = equationsQuery();
    if (!dm || !equations)
        return;
    const QList<int> rows = m_grid->selectedRowsInOrder();
    if (rows.isEmpty()) {
        ui().message(kSelectComposition);
        return;
    }
    points().Clear();
    dm->OpenPointSources();
    LineRecord record;
    readLineEnds(record);
    Query* line = lineQuery();
    if (line->field(QStringLiteral("ID_DANE_WLA_T")).isNull()) {
        if (m_page == 1 && isProperty("Viscosity")) {
            if (MeasuredPointsAvailable())
                DrawMeasuredPoints(rows, true);
        } else
            ui().message(kDataNotAvailable);
        return;
    }
    const bool high = m_ctx.classNumber() >= 3;
    qlonglong identifier = 0;
    for (int row : rows) {
        equations->setCurrentRow(row);
        readLineEnds(record);
        // A line is usable only when its query returns both ends of the range.
        if (line->rowCount() != 2) {
            ui().message(kDataNotAvailable);
            continue;
        }
        points().Add(record);
        if (high)
            dm->OpenPointSources();
        const QVariant id = line->field(QStringLiteral("ID_DANE_WLA_T"));
        if (id.isNull())
            ui().message(kDataNotAvailable);
        else
            identifier = id.toLongLong();
        lines().Add(QString::number(identifier));
    }
    m_ctx.refreshChart();
}

bool TemperaturePage::MeasuredPointsAvailable()
{
    TdmDataModule* dm = m_ctx.dm;
    const bool high = m_ctx.classNumber() >= 3;
    dm->OpenPointSources();
    Query* source = m_ctx.query(QStringLiteral("qrPunktyDos"));
    Query* points = pointsQuery();
    auto hasValue = [points](const char* column) {
        for (int r = 0; r < points->rowCount(); ++r)
            if (!points->value(r, QString::fromLatin1(column)).isNull())
                return true;
        return false;
    };
    if (high) {
        dm->OpenSectionPoints();
        if (!hasValue("Y")) {
            ui().message(kDataNotAvailable);
            return false;
        }
        return true;
    }
    dm->OpenPoints();
    if (!hasValue("T")) {
        ui().message(kDataNotAvailable);
        return false;
    }
    const QVariant chosen = m_ctx.query(QStringLiteral("qrAutor"))->field(QStringLiteral("ID_PUBLIKACJI"));
    const QVariant found = source->rowCount() > 0 ? source->value(source->currentRow(), 0) : QVariant();
    if (chosen.toString() != found.toString()) {
        ui().information(kDataNotAvailablePlural);
        return false;
    }
    return true;
}

Query* TemperaturePage::pointsQuery() const
{
    return m_ctx.query(m_ctx.classNumber() >= 3 ? QStringLiteral("qrPunkty45") : QStringLiteral("qrPunktyD"));
}

void TemperaturePage::DrawMeasuredPoints(const QList<int>& rows, bool legendEntries)
{
    TdmDataModule* dm = m_ctx.dm;
    Query* equations = equationsQuery();
    const bool high = m_ctx.classNumber() >= 3;
    int counter = 0;
    for (int row : rows) {
        equations->setCurrentRow(row);
        const double x = equations->value(row, QStringLiteral("X")).toDouble();
        m_ctx.state.lineComposition = FixedPoint4::fromDouble(x);
        if (high)
            dm->OpenSectionPoints();
        else
            dm->OpenPoints();
        TDBChartFromQuery measured(pointsQuery(), m_ctx.chart);
        measured.ShowMeasuredPoints(m_ctx.state.pointColourIndex);
        if (!legendEntries)
            continue;
        PlotSeries* legend = m_ctx.chart->addPointSeries(
            TemperaturePointList::lineTitle(m_dblAutor->text(), m_ctx.state.lineComposition.toDouble(), QLocale()),
            SeriesColours::at(counter), MarkerStyle::Square);
        legend->setPen(2, Qt::SolidLine);
        ++counter;
        m_ctx.state.lineColourIndex1 = counter;
    }
    m_ctx.refreshChart();
}

void TemperaturePage::ClearClick()
{
    m_ctx.removeAllSeries();
    m_grid->unbind();
    m_ctx.dbgPublikacje->unbind();
    m_sbGraph->setEnabled(false);
    m_chbSelect->setChecked(false);
    m_chbSelect->setEnabled(false);
    ChartState& s = m_ctx.state;
    if (m_page == 1) {
        m_ctx.buttons.sbButler->setEnabled(false);
        m_ctx.buttons.sbGraph->setEnabled(false);
        s.lineColourIndex1 = 0;
        s.pointColourIndex = 0;
        if (m_ctx.model)
            m_ctx.model->resetButlerCurveCount();
        s.butlerCurveCount = 0;
    } else {
        s.lineColourIndex2 = 0;
    }
    selection::SelectedLines1().Clear();
    selection::SelectedLines2().Clear();
    s.pbSnCurveShown = false;
    m_ctx.buttons.sbPbSn->setEnabled(true);
}

void TemperaturePage::SelectAllClick()
{
    m_grid->clearRowSelection();
    if (!m_chbSelect->isChecked())
        return;
    Query* q = equationsQuery();
    if (!q)
        return;
    m_grid->setUpdatesEnabled(false);
    for (int row = 0; row < q->rowCount(); ++row)
        m_grid->selectRow(row, true);
    m_grid->setUpdatesEnabled(true);
}

void TemperaturePage::GridCellClick() { m_chbSelect->setChecked(false); }

} // namespace korvel
