#pragma once
// The text a grid puts on the clipboard: a header line of the column titles,
// then the chosen rows, cells separated by TABs, as spreadsheets paste it.
#include <QList>
#include <QString>

class QAbstractItemModel;

namespace korvel::exports {

// Columns and rows in the order given; cells are the shown texts. A TAB or line
// break inside a cell becomes a space so the table keeps its shape.
QString tabSeparatedRows(const QAbstractItemModel& model, const QList<int>& columns, const QList<int>& rows);

} // namespace korvel::exports
