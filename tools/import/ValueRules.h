#pragma once
// How a value read from a user's file becomes the value of a database column:
// numbers are read in the C locale (a point as decimal separator), an empty
// text is NULL, a value the column's type cannot hold is refused with a reason.
#include "Schema.h"

#include <QString>
#include <QVariant>

namespace korvel::import {

struct ColumnValue {
    QVariant value;   // null QVariant: NULL
    QString problem;  // empty when the value is accepted
};

// source: a QString (text), qlonglong, double, bool, QDate, QTime, QDateTime or
// a null QVariant. column: the schema's column, or null for an extra column,
// whose values are kept as they come (texts that are whole numbers or numbers
// become numbers).
ColumnValue columnValue(const QVariant& source, const SchemaColumn* column);

// The text of a value for messages: texts quoted, numbers in the C locale.
QString describeValue(const QVariant& value);

} // namespace korvel::import
