#include "ParadoxWriter.h"

#include <QDate>
#include <QFile>
#include <QStringEncoder>
#include <cstring>
#include <vector>

extern "C" {
#include <paradox.h>
}

namespace korvel::test {
namespace {

// Paradox dates count days from 1 January of year 1 (day 1).
constexpr qint64 kJulianDayOfDayZero = 1721425;

QByteArray encoded(const QString& text, int codePage)
{
    QStringEncoder encoder(QStringLiteral("windows-%1").arg(codePage).toLatin1().constData());
    if (!encoder.isValid())
        encoder = QStringEncoder(QStringLiteral("IBM%1").arg(codePage).toLatin1().constData());
    return encoder.encode(text);
}

} // namespace

QString writeParadoxTable(const QString& path, const QList<ParadoxFieldSpec>& fields, const QList<QVariantList>& rows,
                          int codePage)
{
    QFile::remove(path);
    pxdoc_t* doc = PX_new();
    if (!doc)
        return QStringLiteral("PX_new failed");
    // pxlib frees the field array and the names: they come from its allocator.
    auto* pxFields = static_cast<pxfield_t*>(doc->malloc(doc, sizeof(pxfield_t) * size_t(fields.size()), "fields"));
    int recordSize = 0;
    for (int i = 0; i < fields.size(); ++i) {
        pxFields[i].px_fname = PX_strdup(doc, encoded(fields[i].name, codePage).constData());
        pxFields[i].px_ftype = char(fields[i].type);
        pxFields[i].px_flen = fields[i].size;
        pxFields[i].px_fdc = 0;
        recordSize += fields[i].size;
    }
    if (PX_create_file(doc, pxFields, int(fields.size()), QFile::encodeName(path).constData(), pxfFileTypNonIndexDB) < 0) {
        PX_delete(doc);
        return QStringLiteral("PX_create_file failed for %1").arg(path);
    }
    PX_set_value(doc, "codepage", float(codePage));

    std::vector<char> record(static_cast<size_t>(recordSize));
    for (const QVariantList& row : rows) {
        std::memset(record.data(), 0, record.size());
        int at = 0;
        for (int i = 0; i < fields.size(); ++i) {
            const QVariant& v = i < row.size() ? row[i] : QVariant();
            char* data = record.data() + at;
            at += fields[i].size;
            if (v.isNull())
                continue; // NULL: the field stays all zero bytes
            switch (fields[i].type) {
            case pxf::Alpha: {
                QByteArray bytes = encoded(v.toString(), codePage);
                bytes.truncate(fields[i].size);
                PX_put_data_alpha(doc, data, fields[i].size, bytes.data());
                break;
            }
            case pxf::Short: PX_put_data_short(doc, data, 2, short(v.toInt())); break;
            case pxf::Long:
            case pxf::AutoIncrement: PX_put_data_long(doc, data, 4, v.toInt()); break;
            case pxf::Date: PX_put_data_long(doc, data, 4, int(v.toDate().toJulianDay() - kJulianDayOfDayZero)); break;
            case pxf::Number:
            case pxf::Currency: PX_put_data_double(doc, data, 8, v.toDouble()); break;
            case pxf::Logical: PX_put_data_byte(doc, data, 1, v.toBool() ? 1 : 0); break;
            default: break;
            }
        }
        if (PX_put_record(doc, record.data()) < 0) {
            PX_close(doc);
            PX_delete(doc);
            return QStringLiteral("PX_put_record failed for %1").arg(path);
        }
    }
    PX_close(doc);
    PX_delete(doc);
    return {};
}

} // namespace korvel::test
