#pragma once
// A data grid: a read-only table view over a data source (or over nothing when
// unbound), showing the columns it is given with their titles, widths and
// alignment. Its cursor row is the current row of the source's query.
// A column is never narrower than its title needs in the grid's header font
// (HiDPI and other fonts included), and a cell whose text does not fit its
// column shows the whole text as a tooltip.
#include <QList>
#include <QTableView>

namespace korvel {

class DataSource;
class GridColumnsModel;

struct GridColumn {
    QString field;
    QString title;
    int width = 0;                                 // 0: keep the default
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

class DbGrid : public QTableView {
    Q_OBJECT
public:
    explicit DbGrid(QWidget* parent = nullptr);

    // Fixed columns; with none, every column of the source is shown by its name.
    void setColumns(const QList<GridColumn>& columns);
    QList<GridColumn> columns() const;
    void setColumnTitle(int column, const QString& title);
    QString columnTitle(int column) const;

    void setDataSource(DataSource* source); // nullptr unbinds
    DataSource* dataSource() const;
    void unbind() { setDataSource(nullptr); }

    void setMultiSelect(bool on);
    // Rows in the order the user selected them.
    QList<int> selectedRowsInOrder() const;
    void selectRow(int row, bool add);
    void clearRowSelection();

    int rowCountShown() const;
    QString cellText(int row, int column) const;
    // The tooltip of a cell: its whole text when the column shows it cut, else empty.
    QString cellToolTip(int row, int column) const;
    // The width the column's title needs in the header.
    int titleWidth(int column) const;

signals:
    void cellClicked(int row, int column);

protected:
    bool viewportEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void syncFromQuery(int row);
    void applyColumnWidths();

    GridColumnsModel* m_model;
    QList<int> m_selectionOrder;
};

} // namespace korvel
