#pragma once
// The temperature ranges in which the equations of one property, system and
// publication hold (the VALID_RANGE table), so that a value computed outside
// its equation's range can be shown as an extrapolation. A database without
// the table, or without a row for an equation, leaves its range unknown, and
// an unknown range marks nothing.
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

namespace korvel {

struct TemperatureRange {
    double low = 0;
    double high = 0;
    bool contains(double t) const { return t >= low && t <= high; }
};

class ValidRanges {
public:
    // Reads every range of the property, system and publication.
    static ValidRanges read(const QSqlDatabase& db, int property, int system, int publication);

    // The range of the equation at composition x; with a section, the equation
    // of that section (and alloy number, when given); without one, the first
    // equation of that composition in any section.
    std::optional<TemperatureRange> rangeAt(double x, std::optional<int> section = {},
                                            std::optional<int> alloy = {}) const;
    // True only when the range is known and t lies outside it.
    bool isExtrapolated(double t, double x, std::optional<int> section = {}, std::optional<int> alloy = {}) const;
    bool isEmpty() const { return m_rows.isEmpty(); }

private:
    struct Row {
        std::optional<int> section;
        std::optional<int> alloy;
        std::optional<double> x;
        TemperatureRange range;
    };
    QList<Row> m_rows;
};

// The mark of a value computed outside its equation's range, in grids, legends and exports.
inline const QString kExtrapolatedMark = QStringLiteral("(extrapolated)");

} // namespace korvel
