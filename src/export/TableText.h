#pragma once
// The text a grid puts on the clipboard: a header line of the column titles,
// then the chosen rows, cells separated by TABs, as spreadsheets paste it.
#include <QList>
#include <Qt>
#include <QString>

class QAbstractItemModel;

namespace korvel::exports {

// Columns and rows in the order given; cells are the model's texts in `role`
// (the shown texts by default). A TAB or line break inside a cell becomes a
// space so the table keeps its shape.
QString tabSeparatedRows(const QAbstractItemModel& model, const QList<int>& columns, const QList<int>& rows,
                         int role = Qt::DisplayRole);

} // namespace korvel::exports
