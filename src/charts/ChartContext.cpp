#include "ChartContext.h"

#include "IsothermPage.h"
#include "PageControl.h"
#include "PlotWidget.h"
#include "SeriesColours.h"
#include "TfmEut.h"
#include "database/DataModule.h"
#include "database/DataSource.h"
#include "database/Query.h"
#include "widgets/Forms.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupList.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace korvel {

int ChartState::takePointColourIndex()
{
    const int index = SeriesColours::wrap(pointColourIndex);
    pointColourIndex = index + 1;
    return index;
}

Query* ChartContext::query(const QString& name) const { return dm ? dm->query(name) : nullptr; }

DbGrid* ChartContext::grid(const QString& name) const { return window->findChild<DbGrid*>(name); }

QLabel* ChartContext::label(const QString& name) const { return window->findChild<QLabel*>(name); }

QWidget* ChartContext::page(const QString& name) const
{
    if (QWidget* p = pageControl1->page(name))
        return p;
    return pageControl2->page(name);
}

void ChartContext::bindGrid(const QString& gridName, const QString& dataSource) const
{
    if (DbGrid* g = grid(gridName))
        g->setDataSource(dm ? dm->dataSource(dataSource) : nullptr);
}

void ChartContext::unbindGrids(std::initializer_list<const char*> names) const
{
    for (const char* name : names)
        if (DbGrid* g = grid(QString::fromLatin1(name)))
            g->unbind();
}

int ChartContext::classNumber() const { return dm ? dm->systemClass() : 0; }

QString ChartContext::axisLabel() const
{
    Query* q = query(QStringLiteral("qrX"));
    return q ? q->field(QStringLiteral("XP")).toString() : QString();
}

QString ChartContext::publicationKey() const { return isotherms ? isotherms->dblAutor()->text() : QString(); }

QString ChartContext::temperatureText(int slot) const
{
    return isotherms && slot >= 1 && slot <= 4 ? isotherms->temperatureField(slot)->text() : QString();
}

void ChartContext::setTimerRunning(bool running) const
{
    if (!timer)
        return;
    if (running && !timer->isActive())
        timer->start();
    else if (!running && timer->isActive())
        timer->stop();
}

void ChartContext::chooseEutectic(const QString& systemName)
{
    forms::showTransient(QStringLiteral("fmEut"), [this, systemName] {
        return new TfmEut(systemName, [this](int section) { state.selectedEutectic = section; }, window);
    });
}

void ChartContext::removeAllSeries()
{
    chart->removeAllSeries();
    state.currentSeries = nullptr;
}

void ChartContext::refreshChart() const { chart->refresh(); }

} // namespace korvel
