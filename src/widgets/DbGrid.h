#pragma once
// A data grid: a read-only table view over a data source (or over nothing when
// unbound), showing the columns it is given with their titles, widths and
// alignment. Its cursor row is the current row of the source's query.
// A column is never narrower than its title needs in the grid's header font
// (HiDPI and other fonts included) nor than its numbers need; a number shows five
// significant digits and every digit in its tooltip and in copies.
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
    // The whole text of a cell (every digit of a number), as copies take it.
    static constexpr int FullTextRole = Qt::UserRole + 1;

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
    // The shown text of a cell: numbers with five significant digits.
    QString cellText(int row, int column) const;
    // Every digit of a number, other cells as shown.
    QString cellFullText(int row, int column) const;
    // The tooltip of a cell: every digit of a rounded number, the whole text when
    // the column shows it cut, else empty.
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
    int contentWidth(int column) const;

    GridColumnsModel* m_model;
    QList<int> m_selectionOrder;
};

} // namespace korvel
