#include "DataSource.h"

#include "Query.h"
#include "core/Numbers.h"

#include <QLocale>

namespace korvel {

DataSource::DataSource(const QString& name, Query* query, QObject* parent)
    : QAbstractTableModel(parent), m_query(query)
{
    setObjectName(name);
    connect(query, &Query::aboutToChange, this, [this] { beginResetModel(); });
    connect(query, &Query::changed, this, [this] { endResetModel(); });
}

int DataSource::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_query->rowCount(); }
int DataSource::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_query->columnCount(); }

QString DataSource::displayText(int row, int column) const
{
    const QString text = valueText(row, column);
    const QString mark = m_query->cellMark(row, column);
    return mark.isEmpty() || text.isEmpty() ? text : text + QLatin1Char(' ') + mark;
}

QString DataSource::valueText(int row, int column) const
{
    const QVariant value = m_query->value(row, column);
    if (value.isNull())
        return {};
    const auto type = value.metaType().id();
    if (type == QMetaType::Double || type == QMetaType::Float) {
        if (m_query->displayFormat(column) == QLatin1String("#.##"))
            return formatHashDotHash(value.toDouble());
        return generalFloatTextLocal(value.toDouble());
    }
    return value.toString();
}

QVariant DataSource::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return displayText(index.row(), index.column());
    if (role == Qt::EditRole)
        return m_query->value(index.row(), index.column());
    return {};
}

QVariant DataSource::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal)
        return m_query->columnNames().value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace korvel
