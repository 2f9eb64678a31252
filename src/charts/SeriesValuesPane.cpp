#include "SeriesValuesPane.h"

#include "SeriesValues.h"
#include "export/TableText.h"
#include "widgets/DbGrid.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>

namespace korvel {

SeriesValuesPane::SeriesValuesPane(PlotWidget* chart, QWidget* parent)
    : QTableView(parent), m_model(new SeriesValuesModel(chart, this))
{
    setObjectName(QStringLiteral("dbgSeriesValues"));
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setAlternatingRowColors(true);
    setTabKeyNavigation(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    setToolTip(QStringLiteral("The values of every curve on the chart. Ctrl+C copies the chosen rows."));
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        // The series title takes what it needs; the numbers and the unit fit.
        resizeColumnsToContents();
        if (columnWidth(SeriesValuesModel::Series) > 320)
            setColumnWidth(SeriesValuesModel::Series, 320);
    });
    auto* copyAction = new QAction(QStringLiteral("Copy"), this);
    copyAction->setObjectName(QStringLiteral("Copy"));
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copyAction, &QAction::triggered, this, &SeriesValuesPane::copy);
    addAction(copyAction);
}

QString SeriesValuesPane::copyText() const
{
    QList<int> rows;
    if (selectionModel())
        for (const QModelIndex& index : selectionModel()->selectedRows())
            rows << index.row();
    std::sort(rows.begin(), rows.end());
    if (rows.isEmpty())
        for (int r = 0; r < m_model->rowCount(); ++r)
            rows << r;
    QList<int> columns;
    for (int c = 0; c < m_model->columnCount(); ++c)
        columns << c;
    return exports::tabSeparatedRows(*m_model, columns, rows, DbGrid::FullTextRole);
}

void SeriesValuesPane::copy()
{
    if (m_model->rowCount() > 0)
        QApplication::clipboard()->setText(copyText());
}

void SeriesValuesPane::addMenuAction(QAction* action) { m_extra << action; }

void SeriesValuesPane::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addActions(actions());
    if (!m_extra.isEmpty()) {
        menu.addSeparator();
        menu.addActions(m_extra);
    }
    menu.exec(event->globalPos());
}

} // namespace korvel
