#pragma once
// Reading of the model catalogue files (layout: data/models/FORMAT.md):
// comment lines, quoted fields, numbers with a point, one record per line.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace korvel::modelcsv {

struct Record {
    QString file;     // where it was read, for warnings
    int line = 0;     // 1-based line number
    QStringList fields;

    QString type() const { return fields.value(0); }
    QString source() const { return fields.isEmpty() ? QString() : fields.last(); }
    QString where() const { return QStringLiteral("%1:%2").arg(file).arg(line); }
};

// Splits one CSV line (RFC 4180 quoting, no line breaks inside fields).
// Returns none for an unterminated quote.
std::optional<QStringList> splitLine(const QString& line);

// Reads every record of a file (Qt resource paths work). A missing file gives
// no records and `exists` false; malformed lines go to `warnings`.
std::vector<Record> readRecords(const QString& path, QStringList& warnings, bool* exists = nullptr);

// A number field: plain or with exponent, point separator; none for an empty or
// malformed text.
std::optional<double> number(const QString& text);

} // namespace korvel::modelcsv

namespace korvel {
// Registers the embedded catalogue files (resources of a static library).
void ensureModelResources();
}
