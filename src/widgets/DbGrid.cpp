#include "DbGrid.h"

#include "database/DataSource.h"
#include "core/Numbers.h"
#include "database/Query.h"

#include <QHelpEvent>

#include <algorithm>
#include <QHeaderView>
#include <QPointer>
#include <QStyle>
#include <QToolTip>

namespace korvel {

// Maps the grid's columns onto the columns of the bound source by field name.
class GridColumnsModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setSource(DataSource* source)
    {
        beginResetModel();
        if (m_source)
            disconnect(m_source, nullptr, this, nullptr);
        m_source = source;
        if (m_source) {
            connect(m_source, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
            connect(m_source, &QAbstractItemModel::modelReset, this, [this] { endResetModel(); });
            connect(m_source, &QObject::destroyed, this, [this] { setSource(nullptr); });
        }
        endResetModel();
    }
    DataSource* source() const { return m_source; }

    void setColumns(const QList<GridColumn>& columns)
    {
        beginResetModel();
        m_columns = columns;
        endResetModel();
    }
    QList<GridColumn>& columns() { return m_columns; }

    int sourceColumn(int column) const
    {
        if (!m_source)
            return -1;
        if (m_columns.isEmpty())
            return column;
        return m_source->query()->columnIndex(m_columns.value(column).field);
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() || !m_source ? 0 : m_source->rowCount();
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        if (parent.isValid())
            return 0;
        if (!m_columns.isEmpty())
            return int(m_columns.size());
        return m_source ? m_source->columnCount() : 0;
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!m_source || !index.isValid())
            return {};
        const int column = sourceColumn(index.column());
        if (role == Qt::DisplayRole || role == DbGrid::FullTextRole) {
            if (column < 0)
                return QString();
            // Numbers: a few significant digits in the cell, every digit in copies.
            const QVariant value = m_source->query()->value(index.row(), column);
            const int type = value.metaType().id();
            if (!value.isNull() && (type == QMetaType::Double || type == QMetaType::Float))
                return role == Qt::DisplayRole ? gridNumberText(value.toDouble()) : generalFloatTextLocal(value.toDouble());
            return m_source->displayText(index.row(), column);
        }
        if (role == Qt::TextAlignmentRole && !m_columns.isEmpty())
            return QVariant::fromValue(m_columns.value(index.column()).alignment);
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
            if (!m_columns.isEmpty())
                return m_columns.value(section).title;
            return m_source ? m_source->headerData(section, orientation, role) : QVariant();
        }
        if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole && !m_columns.isEmpty())
            return QVariant::fromValue(m_columns.value(section).alignment);
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    void titleChanged(int column) { emit headerDataChanged(Qt::Horizontal, column, column); }
    bool isNumber(int row, int column) const
    {
        const int c = sourceColumn(column);
        if (!m_source || c < 0)
            return false;
        const int type = m_source->query()->value(row, c).metaType().id();
        return type == QMetaType::Double || type == QMetaType::Float || type == QMetaType::Int ||
               type == QMetaType::LongLong;
    }

private:
    QPointer<DataSource> m_source;
    QList<GridColumn> m_columns;
};

DbGrid::DbGrid(QWidget* parent) : QTableView(parent), m_model(new GridColumnsModel(this))
{
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(true);
    // Whole rows are chosen, so Tab moves on to the next control instead of
    // walking the cells of the row.
    setTabKeyNavigation(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setHighlightSections(false);

    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit cellClicked(index.row(), index.column());
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_selectionOrder.clear();
        applyColumnWidths();
        if (DataSource* s = m_model->source())
            syncFromQuery(s->query()->currentRow());
    });
}

int DbGrid::titleWidth(int column) const
{
    const QString title = m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, horizontalHeader());
    // Two margins beside the text, one more for the section's edge lines.
    return horizontalHeader()->fontMetrics().horizontalAdvance(title) + 3 * margin + 2;
}

// The width the column's numbers need.
int DbGrid::contentWidth(int column) const
{
    int widest = 0;
    const QFontMetrics fm = fontMetrics();
    const int rows = qMin(m_model->rowCount(), 500); // long tables: the first rows decide
    for (int r = 0; r < rows; ++r)
        if (m_model->isNumber(r, column)) // texts may stay cut: their tooltip shows them whole
            widest = qMax(widest, fm.horizontalAdvance(cellText(r, column)));
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return widest == 0 ? 0 : widest + 2 * margin + 4;
}

// The given width, widened where the title or a cell would be cut.
void DbGrid::applyColumnWidths()
{
    const QList<GridColumn>& cols = m_model->columns();
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const int given = c < cols.size() && cols[c].width > 0 ? cols[c].width : horizontalHeader()->defaultSectionSize();
        setColumnWidth(c, std::max({given, titleWidth(c), contentWidth(c)}));
    }
}

void DbGrid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        applyColumnWidths();
}

QString DbGrid::cellToolTip(int row, int column) const
{
    const QString text = cellText(row, column);
    if (text.isEmpty())
        return {};
    const QString full = cellFullText(row, column);
    if (full != text)
        return full; // a rounded number: every digit
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int available = columnWidth(column) - 2 * margin;
    return fontMetrics().horizontalAdvance(text) > available ? text : QString();
}

QString DbGrid::cellFullText(int row, int column) const
{
    return m_model->data(m_model->index(row, column), FullTextRole).toString();
}

bool DbGrid::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        const QString tip = index.isValid() ? cellToolTip(index.row(), index.column()) : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport(), visualRect(index));
        return true;
    }
    return QTableView::viewportEvent(event);
}

void DbGrid::setColumns(const QList<GridColumn>& columns) { m_model->setColumns(columns); }
QList<GridColumn> DbGrid::columns() const { return m_model->columns(); }

void DbGrid::setColumnTitle(int column, const QString& title)
{
    if (column < 0 || column >= m_model->columns().size())
        return;
    m_model->columns()[column].title = title;
    m_model->titleChanged(column);
    applyColumnWidths();
}

QString DbGrid::columnTitle(int column) const
{
    return m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

void DbGrid::setDataSource(DataSource* source)
{
    if (DataSource* old = m_model->source())
        disconnect(old->query(), nullptr, this, nullptr);
    if (selectionModel())
        disconnect(selectionModel(), nullptr, this, nullptr);
    m_model->setSource(source);
    if (source) {
        connect(source->query(), &Query::currentRowChanged, this, &DbGrid::syncFromQuery);
        syncFromQuery(source->query()->currentRow());
    }
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (DataSource* s = m_model->source(); s && current.isValid())
                    s->query()->setCurrentRow(current.row());
            });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection& deselected) {
                for (const QModelIndex& index : deselected.indexes())
                    m_selectionOrder.removeAll(index.row());
                for (const QModelIndex& index : selected.indexes()) {
                    if (!m_selectionOrder.contains(index.row()))
                        m_selectionOrder.append(index.row());
                }
            });
}

DataSource* DbGrid::dataSource() const { return m_model->source(); }

void DbGrid::syncFromQuery(int row)
{
    if (!selectionModel())
        return;
    const QModelIndex current = currentIndex();
    if (row < 0 || row >= m_model->rowCount()) {
        return;
    }
    if (current.row() == row)
        return;
    const QModelIndex index = m_model->index(row, 0);
    selectionModel()->setCurrentIndex(index, selectionMode() == QAbstractItemView::MultiSelection
                                                  ? QItemSelectionModel::NoUpdate
                                                  : QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void DbGrid::setMultiSelect(bool on)
{
    setSelectionMode(on ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
}

QList<int> DbGrid::selectedRowsInOrder() const { return m_selectionOrder; }

void DbGrid::selectRow(int row, bool add)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex index = m_model->index(row, 0);
    auto flags = QItemSelectionModel::Select | QItemSelectionModel::Rows;
    if (!add)
        flags |= QItemSelectionModel::Clear;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    selectionModel()->select(index, flags);
    if (DataSource* s = m_model->source())
        s->query()->setCurrentRow(row);
}

void DbGrid::clearRowSelection() { selectionModel()->clearSelection(); }

int DbGrid::rowCountShown() const { return m_model->rowCount(); }

QString DbGrid::cellText(int row, int column) const
{
    return m_model->data(m_model->index(row, column), Qt::DisplayRole).toString();
}

} // namespace korvel
