#include "ParadoxReader.h"

#include "ParadoxLayout.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>
#include <QTime>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>

extern "C" {
#include <paradox.h>
}

namespace korvel::import {
namespace {

// Paradox dates count days from 1 January of year 1 (day 1); the Julian day
// number of day 0 is:
constexpr qint64 kJulianDayOfDayZero = 1721425;
constexpr qint64 kMillisecondsPerDay = 86400000;

struct Failure {
    QString message;
};

void collectError(pxdoc_t*, int level, const char* message, void* data)
{
    if (level == PX_Warning || !data)
        return;
    auto* failure = static_cast<Failure*>(data);
    if (failure->message.isEmpty())
        failure->message = QString::fromLocal8Bit(message);
}

// pxlib's document over an in-memory copy of the file.
class PxDocument {
public:
    // The stream is opened for reading only: the bytes are never written.
    explicit PxDocument(const QByteArray& bytes)
    {
        m_stream = fmemopen(const_cast<char*>(bytes.constData()), size_t(bytes.size()), "r");
        if (!m_stream)
            return;
        m_doc = PX_new3(collectError, nullptr, nullptr, nullptr, &m_failure);
        if (m_doc && PX_open_fp(m_doc, m_stream) < 0) {
            if (m_failure.message.isEmpty())
                m_failure.message = QStringLiteral("pxlib could not read the header");
            m_opened = false;
        } else {
            m_opened = m_doc != nullptr;
        }
    }
    ~PxDocument()
    {
        if (m_doc) {
            PX_close(m_doc);
            PX_delete(m_doc);
        }
        if (m_stream)
            std::fclose(m_stream);
    }
    PxDocument(const PxDocument&) = delete;
    PxDocument& operator=(const PxDocument&) = delete;

    bool opened() const { return m_opened; }
    pxdoc_t* doc() const { return m_doc; }
    QString error() const { return m_failure.message; }
    void free(void* p) const { m_doc->free(m_doc, p); }

private:
    FILE* m_stream = nullptr;
    pxdoc_t* m_doc = nullptr;
    Failure m_failure;
    bool m_opened = false;
};

QStringDecoder decoderFor(int codePage)
{
    const QString n = QString::number(codePage);
    for (const QString& name : {QStringLiteral("windows-") + n, QStringLiteral("cp") + n, QStringLiteral("IBM") + n}) {
        QStringDecoder decoder(name.toLatin1().constData(), QStringDecoder::Flag::Stateless);
        if (decoder.isValid())
            return decoder;
    }
    return QStringDecoder();
}

// A text field's bytes: up to the first NUL.
QByteArray textBytes(const char* data, int size)
{
    int n = 0;
    while (n < size && data[n] != '\0')
        ++n;
    return QByteArray(data, n);
}

bool decode(QStringDecoder& decoder, const QByteArray& bytes, QString* out)
{
    decoder.resetState();
    *out = decoder.decode(bytes);
    return !decoder.hasError();
}

QString sqlTypeOf(int type)
{
    switch (type) {
    case pxtype::Short:
    case pxtype::Long:
    case pxtype::AutoIncrement:
    case pxtype::Logical: return QStringLiteral("INTEGER");
    case pxtype::Number:
    case pxtype::Currency:
    case pxtype::Bcd: return QStringLiteral("REAL");
    default: return QStringLiteral("TEXT");
    }
}

bool isReadable(int type)
{
    switch (type) {
    case pxtype::Memo:
    case pxtype::Blob:
    case pxtype::FormattedMemo:
    case pxtype::Ole:
    case pxtype::Graphic:
    case pxtype::Bytes: return false;
    default: return true;
    }
}

// A field of zero bytes is NULL. (Decided here: pxlib's own test for a
// NULL long field reads beyond the field's four bytes.)
bool isNullField(const char* data, int size)
{
    return std::all_of(data, data + size, [](char c) { return c == '\0'; });
}

// One field of a record as a value; sets *problem when it cannot be read.
QVariant fieldValue(const PxDocument& px, QStringDecoder& decoder, const ParadoxField& field, char* data,
                    const QString& fieldName, QString* problem)
{
    if (isNullField(data, field.type == pxtype::Alpha ? 1 : field.size))
        return {};
    pxdoc_t* doc = px.doc();
    switch (field.type) {
    case pxtype::Alpha: {
        const QByteArray raw = textBytes(data, field.size);
        if (raw.isEmpty())
            return {};
        QString text;
        if (!decode(decoder, raw, &text))
            *problem = QStringLiteral("%1 holds bytes that its code page does not define").arg(fieldName);
        return text;
    }
    case pxtype::Short: {
        short value = 0;
        return PX_get_data_short(doc, data, 2, &value) > 0 ? QVariant(qlonglong(value)) : QVariant();
    }
    case pxtype::Long:
    case pxtype::AutoIncrement: {
        long value = 0;
        return PX_get_data_long(doc, data, 4, &value) > 0 ? QVariant(qlonglong(value)) : QVariant();
    }
    case pxtype::Number:
    case pxtype::Currency: {
        double value = 0;
        return PX_get_data_double(doc, data, 8, &value) > 0 ? QVariant(value) : QVariant();
    }
    case pxtype::Logical: {
        char value = 0;
        return PX_get_data_byte(doc, data, 1, &value) > 0 ? QVariant(value != 0) : QVariant();
    }
    case pxtype::Date: {
        long days = 0;
        if (PX_get_data_long(doc, data, 4, &days) <= 0)
            return {};
        const QDate date = QDate::fromJulianDay(days + kJulianDayOfDayZero);
        if (days <= 0 || !date.isValid())
            *problem = QStringLiteral("%1 holds an invalid date").arg(fieldName);
        return date;
    }
    case pxtype::Time: {
        long ms = 0;
        if (PX_get_data_long(doc, data, 4, &ms) <= 0)
            return {};
        if (ms < 0 || ms >= kMillisecondsPerDay)
            *problem = QStringLiteral("%1 holds an invalid time").arg(fieldName);
        return QTime::fromMSecsSinceStartOfDay(int(ms));
    }
    case pxtype::Timestamp: {
        double ms = 0;
        if (PX_get_data_double(doc, data, 8, &ms) <= 0)
            return {};
        const double days = ms / double(kMillisecondsPerDay);
        if (!(days >= 1 && days < 3.0e6)) {
            *problem = QStringLiteral("%1 holds an invalid timestamp").arg(fieldName);
            return {};
        }
        const qint64 whole = qint64(days);
        const QDate date = QDate::fromJulianDay(whole + kJulianDayOfDayZero);
        const int rest = int(qint64(ms) - whole * kMillisecondsPerDay);
        return QDateTime(date, QTime::fromMSecsSinceStartOfDay(qBound(0, rest, int(kMillisecondsPerDay) - 1)));
    }
    case pxtype::Bcd: {
        const auto head = static_cast<unsigned char>(data[0]);
        if (head == 0)
            return {};
        if ((head & 0x3f) != field.digits) {
            *problem = QStringLiteral("%1 holds an invalid BCD number").arg(fieldName);
            return {};
        }
        char* text = nullptr;
        const int got = PX_get_data_bcd(doc, reinterpret_cast<unsigned char*>(data), field.digits, &text);
        if (got <= 0 || !text) {
            if (got < 0)
                *problem = QStringLiteral("%1 holds an invalid BCD number").arg(fieldName);
            return {};
        }
        // pxlib writes the decimal point of the C library's locale.
        QString number = QString::fromLatin1(text);
        px.free(text);
        for (QChar& c : number) {
            if (!c.isDigit() && c != QLatin1Char('-'))
                c = QLatin1Char('.');
        }
        bool ok = false;
        const double value = number.toDouble(&ok);
        if (!ok)
            *problem = QStringLiteral("%1 holds an invalid BCD number").arg(fieldName);
        return value;
    }
    default:
        return {};
    }
}

[[noreturn]] void refuse(const QString& file, const QString& reason)
{
    throw std::runtime_error(QStringLiteral("%1: %2").arg(file, reason).toStdString());
}

} // namespace

SourceTable readParadoxTable(const QByteArray& bytes, const QString& file, const QString& table, int codePage)
{
    ParadoxLayout layout;
    try {
        layout = checkParadoxLayout(bytes);
    } catch (const std::exception& e) {
        refuse(file, QString::fromUtf8(e.what()));
    }
    if (codePage == 0)
        codePage = layout.codePage != 0 ? layout.codePage : kDefaultParadoxCodePage;
    QStringDecoder decoder = decoderFor(codePage);
    if (!decoder.isValid())
        refuse(file, QStringLiteral("unknown code page %1").arg(codePage));

    PxDocument px(bytes);
    if (!px.opened())
        refuse(file, px.error());
    const int fieldCount = PX_get_num_fields(px.doc());
    if (fieldCount != layout.fields.size() || PX_get_recordsize(px.doc()) != layout.recordSize
        || PX_get_num_records(px.doc()) != layout.recordCount)
        refuse(file, QStringLiteral("pxlib reads the header differently"));

    SourceTable result;
    result.file = file;
    result.table = table;
    QSet<QString> names;
    for (int i = 0; i < fieldCount; ++i) {
        const pxfield_t* f = PX_get_field(px.doc(), i);
        if (!f || f->px_ftype != layout.fields[i].type || f->px_flen != layout.fields[i].size)
            refuse(file, QStringLiteral("pxlib reads field %1 differently").arg(i + 1));
        SourceColumn column;
        if (!decode(decoder, layout.fieldNames[i], &column.name))
            refuse(file, QStringLiteral("the name of field %1 is not text of code page %2").arg(i + 1).arg(codePage));
        column.name = column.name.trimmed();
        if (column.name.isEmpty() || names.contains(column.name.toUpper()))
            refuse(file, QStringLiteral("field %1 has an empty or repeated name '%2'").arg(i + 1).arg(column.name));
        names.insert(column.name.toUpper());
        column.sqlType = sqlTypeOf(layout.fields[i].type);
        if (!isReadable(layout.fields[i].type))
            column.unsupported = QStringLiteral("its field type %1 is not imported").arg(QLatin1String(paradoxTypeName(layout.fields[i].type)));
        result.columns << column;
    }

    // Records are taken from the data blocks as checked above: pxlib's own
    // record lookup counts an empty block of the chain as a full one.
    QByteArray record(layout.recordSize, '\0');
    int number = 0;
    for (const ParadoxBlock& block : layout.blocks) {
        for (int r = 0; r < block.records; ++r) {
            std::copy_n(bytes.constData() + block.offset + qsizetype(r) * layout.recordSize, layout.recordSize, record.data());
            SourceRow row;
            row.record = ++number;
            int at = 0;
            for (int i = 0; i < fieldCount; ++i) {
                const ParadoxField& field = layout.fields[i];
                QString problem;
                const QVariant value = result.columns[i].unsupported.isEmpty()
                    ? fieldValue(px, decoder, field, record.data() + at, result.columns[i].name, &problem)
                    : QVariant();
                if (!problem.isEmpty() && row.problem.isEmpty())
                    row.problem = problem;
                row.values << value;
                at += field.size;
            }
            result.rows << row;
        }
    }
    return result;
}

SourceTable readParadoxFile(const QString& path, int codePage)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        refuse(path, f.errorString());
    const QByteArray bytes = f.readAll();
    return readParadoxTable(bytes, path, QFileInfo(path).completeBaseName(), codePage);
}

} // namespace korvel::import
