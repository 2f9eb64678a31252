#include "TableText.h"

#include <QAbstractItemModel>
#include <QStringList>

namespace korvel::exports {

namespace {
QString cellText(const QVariant& v)
{
    QString s = v.toString();
    for (QChar& c : s)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    return s;
}
} // namespace

QString tabSeparatedRows(const QAbstractItemModel& model, const QList<int>& columns, const QList<int>& rows, int role)
{
    QStringList lines;
    QStringList header;
    for (int c : columns)
        header << cellText(model.headerData(c, Qt::Horizontal, Qt::DisplayRole));
    lines << header.join(QLatin1Char('\t'));
    for (int r : rows) {
        QStringList cells;
        for (int c : columns)
            cells << cellText(model.data(model.index(r, c), role));
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace korvel::exports
