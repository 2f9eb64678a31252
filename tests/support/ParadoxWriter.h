#pragma once
// Writes Paradox table files with pxlib for the import tests: every field type
// the import reads, NULLs, and texts encoded in a chosen code page.
#include <QList>
#include <QString>
#include <QVariant>

namespace korvel::test {

struct ParadoxFieldSpec {
    QString name;
    int type = 0; // pxlib's pxfAlpha, pxfShort, pxfLong, pxfNumber, pxfLogical, pxfDate, ...
    int size = 0; // bytes in the record (alpha: its length)
};

// Values per row, one per field: QString (alpha), integers (short, long,
// autoincrement), double (number, currency), bool (logical), QDate (date);
// a null QVariant is NULL. Texts are encoded in codePage, which the header
// names. Returns an empty string on success, otherwise the error.
QString writeParadoxTable(const QString& path, const QList<ParadoxFieldSpec>& fields, const QList<QVariantList>& rows,
                          int codePage = 1250);

// Field type codes (the values of pxlib's pxf constants).
namespace pxf {
constexpr int Alpha = 0x01, Date = 0x02, Short = 0x03, Long = 0x04, Currency = 0x05, Number = 0x06, Logical = 0x09,
              Memo = 0x0C, AutoIncrement = 0x16;
}

} // namespace korvel::test
