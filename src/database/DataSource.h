#pragma once
// A read-only table model over one query: the rows and columns of its result,
// each value shown with the query's display format for its column. Views bound
// to it are told when the query reopens.
#include <QAbstractTableModel>

namespace korvel {

class Query;

class DataSource : public QAbstractTableModel {
    Q_OBJECT
public:
    DataSource(const QString& name, Query* query, QObject* parent = nullptr);

    QString name() const { return objectName(); }
    Query* query() const { return m_query; }
    // Grids may not start editing through this source (every source is read-only).
    bool readOnly() const { return true; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The text a grid shows for a value of the column, followed by its mark
    // when it has one; valueText is the value alone.
    QString displayText(int row, int column) const;
    QString valueText(int row, int column) const;

private:
    Query* m_query;
};

} // namespace korvel
