#pragma once
// Comma-separated exports of the shown equations and calculated values: one
// header row naming the columns with their units, then one row per value, with
// the system, property, temperature and the publication's full reference in
// columns of their own so a spreadsheet or a data-frame reader needs no options.
// Numbers are written in the C locale with a point.
#include "TextExport.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace korvel::exports {

struct CsvTable {
    QStringList header;
    QList<QStringList> rows;

    // RFC 4180: CR LF after every record; a field with a comma, quote or line
    // break is quoted, quotes doubled. UTF-8 without a byte-order mark.
    QByteArray bytes() const;
};

QString csvField(const QString& text);

// The unit of the property as the left-axis title carries it ("[g/cm^3]" of
// "Density[g/cm^3]"), without the brackets; empty when there is none.
QString unitOfAxisTitle(const QString& propertyName, const QString& leftAxisTitle);

CsvTable equationsCsv(const ExportHeading& heading, const QString& leftAxisTitle, const QList<EquationRow>& rows);

// One row per composition of every block, the temperature in a column.
CsvTable calculatedValuesCsv(const ExportHeading& heading, const QString& leftAxisTitle,
                             const QList<IsothermBlock>& blocks);

// One point of a drawn series: its title, how it was computed, its source
// publication key (may be empty), the abscissa (composition or temperature) and
// the value.
struct SeriesPointRow {
    QString title;
    QString method;
    QString source;
    double abscissa = 0;
    double value = 0;
};

// One row per point of every drawn series: system, property, series, method,
// source, the abscissa (titled "Temperature [K]" in a temperature dependence,
// else as the composition axis), the value with its unit, and the full reference
// of the source where it is the shown publication.
CsvTable seriesValuesCsv(const ExportHeading& heading, const QString& bottomAxisTitle, const QString& leftAxisTitle,
                         const QList<SeriesPointRow>& rows);

} // namespace korvel::exports
