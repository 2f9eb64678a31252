#include "ValidRanges.h"

#include "SchemaCheck.h"

#include <QSqlQuery>
#include <QVariant>
#include <cmath>

namespace korvel {
namespace {

std::optional<int> optionalInt(const QVariant& v)
{
    if (v.isNull())
        return std::nullopt;
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

// Compositions are stored with four decimals.
bool sameComposition(double a, double b) { return std::abs(a - b) < 5e-5; }

} // namespace

ValidRanges ValidRanges::read(const QSqlDatabase& db, int property, int system, int publication)
{
    ValidRanges out;
    if (!db.isOpen() || !db.tables().contains(validRangeTable, Qt::CaseInsensitive))
        return out;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    // typeof() keeps a text where a number belongs from being read as 0.
    if (!q.prepare(QStringLiteral("SELECT ID_EUTEKTYKI, Nr, X, T_MIN, T_MAX FROM %1 "
                                  "WHERE ID_WLASCIWOSCI = ? AND ID_TAB_UKL = ? AND ID_PUBLIKACJI = ? "
                                  "AND typeof(T_MIN) IN ('integer', 'real') AND typeof(T_MAX) IN ('integer', 'real') "
                                  "AND typeof(X) IN ('integer', 'real', 'null')")
                       .arg(validRangeTable)))
        return out;
    q.addBindValue(property);
    q.addBindValue(system);
    q.addBindValue(publication);
    if (!q.exec())
        return out;
    while (q.next()) {
        Row row;
        row.section = optionalInt(q.value(0));
        row.alloy = optionalInt(q.value(1));
        if (!q.value(2).isNull())
            row.x = q.value(2).toDouble();
        row.range = {q.value(3).toDouble(), q.value(4).toDouble()};
        if (!std::isfinite(row.range.low) || !std::isfinite(row.range.high) || row.range.low > row.range.high)
            continue; // not a range: unknown
        out.m_rows << row;
    }
    return out;
}

std::optional<TemperatureRange> ValidRanges::rangeAt(double x, std::optional<int> section, std::optional<int> alloy) const
{
    for (const Row& row : m_rows) {
        if (section) {
            // A section's equation is named by its section and alloy number.
            if (row.section != section || (alloy && row.alloy != alloy))
                continue;
            if (!alloy && !(row.x && sameComposition(*row.x, x)))
                continue;
        } else if (!row.x || !sameComposition(*row.x, x)) {
            continue; // without a section, the equation of that composition in any section
        }
        return row.range;
    }
    return std::nullopt;
}

bool ValidRanges::isExtrapolated(double t, double x, std::optional<int> section, std::optional<int> alloy) const
{
    const auto range = rangeAt(x, section, alloy);
    return range && !range->contains(t);
}

} // namespace korvel
