#include "ValueRules.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <cmath>
#include <limits>

namespace korvel::import {
namespace {

constexpr double kLargestExactInteger = 9007199254740992.0; // 2^53

ColumnValue accept(const QVariant& value)
{
    ColumnValue v;
    v.value = value;
    return v;
}

ColumnValue refuse(const QString& problem)
{
    ColumnValue v;
    v.problem = problem;
    return v;
}

bool isTextual(const QVariant& v) { return v.typeId() == QMetaType::QString; }

bool isTemporal(const QVariant& v)
{
    const int t = v.typeId();
    return t == QMetaType::QDate || t == QMetaType::QTime || t == QMetaType::QDateTime;
}

QString temporalText(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::QDate: return v.toDate().toString(Qt::ISODate);
    case QMetaType::QTime: return v.toTime().toString(Qt::ISODate);
    default: return v.toDateTime().toString(Qt::ISODate);
    }
}

QString numberText(double d) { return QString::number(d, 'g', QLocale::FloatingPointShortest); }

// Text in the C locale: digits, an optional sign, point and exponent; no
// thousands separators, no comma, nothing else around it.
bool parseReal(const QString& text, double* out)
{
    const QString t = text.trimmed();
    for (QChar c : t) {
        if (!(c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('+')
              || c == QLatin1Char('e') || c == QLatin1Char('E')))
            return false;
    }
    bool ok = false;
    const double d = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(d))
        return false;
    *out = d;
    return true;
}

bool parseInteger(const QString& text, qlonglong* out)
{
    bool ok = false;
    const qlonglong i = text.trimmed().toLongLong(&ok);
    if (ok) {
        *out = i;
        return true;
    }
    double d = 0;
    if (parseReal(text, &d) && d == std::floor(d) && std::fabs(d) <= kLargestExactInteger) {
        *out = qlonglong(d);
        return true;
    }
    return false;
}

// Keeps an extra column's value: a text that reads as a number becomes one.
QVariant keptValue(const QVariant& source)
{
    if (isTemporal(source))
        return temporalText(source);
    if (source.typeId() == QMetaType::Bool)
        return qlonglong(source.toBool() ? 1 : 0);
    if (!isTextual(source))
        return source;
    const QString text = source.toString();
    qlonglong i = 0;
    bool ok = false;
    i = text.toLongLong(&ok);
    if (ok && text == text.trimmed())
        return i;
    double d = 0;
    if (text == text.trimmed() && parseReal(text, &d))
        return d;
    return text;
}

} // namespace

QString describeValue(const QVariant& value)
{
    if (value.isNull())
        return QStringLiteral("NULL");
    if (isTextual(value))
        return QLatin1Char('\'') + value.toString() + QLatin1Char('\'');
    if (value.typeId() == QMetaType::Double)
        return numberText(value.toDouble());
    if (isTemporal(value))
        return temporalText(value);
    return value.toString();
}

ColumnValue columnValue(const QVariant& source, const SchemaColumn* column)
{
    const bool empty = source.isNull() || (isTextual(source) && source.toString().isEmpty());
    if (empty) {
        if (column && (column->notNull || column->primaryKey))
            return refuse(QStringLiteral("%1 is empty").arg(column->name));
        return {};
    }
    if (!column)
        return accept(keptValue(source));

    const QString& name = column->name;
    switch (column->affinity) {
    case Affinity::Integer: {
        qlonglong i = 0;
        bool ok = false;
        if (isTextual(source)) {
            ok = parseInteger(source.toString(), &i);
        } else if (source.typeId() == QMetaType::Double) {
            const double d = source.toDouble();
            ok = std::isfinite(d) && d == std::floor(d) && std::fabs(d) <= kLargestExactInteger;
            i = ok ? qlonglong(d) : 0;
        } else if (source.typeId() == QMetaType::Bool) {
            ok = true;
            i = source.toBool() ? 1 : 0;
        } else if (!isTemporal(source)) {
            i = source.toLongLong(&ok);
        }
        if (!ok)
            return refuse(QStringLiteral("%1 is not a whole number: %2").arg(name, describeValue(source)));
        // Identifiers are 32-bit integers.
        if (name.startsWith(QLatin1String("ID_"), Qt::CaseInsensitive)
            && (i < std::numeric_limits<qint32>::min() || i > std::numeric_limits<qint32>::max()))
            return refuse(QStringLiteral("%1 %2 is beyond the range of an identifier").arg(name).arg(i));
        return accept(i);
    }
    case Affinity::Real: {
        double d = 0;
        bool ok = false;
        if (isTextual(source))
            ok = parseReal(source.toString(), &d);
        else if (source.typeId() == QMetaType::Bool)
            ok = true, d = source.toBool() ? 1 : 0;
        else if (!isTemporal(source))
            d = source.toDouble(&ok), ok = ok && std::isfinite(d);
        if (!ok)
            return refuse(QStringLiteral("%1 is not a number: %2").arg(name, describeValue(source)));
        return accept(d);
    }
    case Affinity::Text:
        if (isTextual(source))
            return accept(source.toString());
        if (isTemporal(source))
            return accept(temporalText(source));
        if (source.typeId() == QMetaType::Double)
            return accept(numberText(source.toDouble()));
        if (source.typeId() == QMetaType::Bool)
            return accept(source.toBool() ? QStringLiteral("1") : QStringLiteral("0"));
        return accept(source.toString());
    case Affinity::None:
        break;
    }
    return accept(keptValue(source));
}

} // namespace korvel::import
