#include "ParadoxLayout.h"

#include <QSet>
#include <QString>
#include <stdexcept>

namespace korvel::import {
namespace {

[[noreturn]] void refuse(const QString& reason) { throw std::runtime_error(reason.toStdString()); }

int u8(const QByteArray& b, qsizetype at) { return static_cast<unsigned char>(b[at]); }
int u16(const QByteArray& b, qsizetype at) { return u8(b, at) | (u8(b, at + 1) << 8); }
int s16(const QByteArray& b, qsizetype at) { return static_cast<qint16>(u16(b, at)); }
quint32 u32(const QByteArray& b, qsizetype at) { return quint32(u16(b, at)) | (quint32(u16(b, at + 2)) << 16); }

// Offsets in the common file header.
constexpr int kRecordSize = 0x00, kHeaderSize = 0x02, kFileType = 0x04, kMaxTableSize = 0x05,
              kRecordCount = 0x06, kFileBlocks = 0x0C, kFirstBlock = 0x0E, kFieldCount = 0x21,
              kEncryption1 = 0x25, kVersionId = 0x39;
constexpr int kCommonHeader = 0x58, kDataHeader = 0x78;
constexpr int kEncryption2 = 0x5C, kCodePage = 0x6A; // in the data header of version 4 and later
constexpr quint32 kNoPassword = 0xFF00FF00;
constexpr int kBlockHeader = 6;
// The readers of the format keep field names in a buffer of this size.
constexpr int kLongestFieldName = 298;
// 16-bit header values are read as signed numbers by the library: stay below.
constexpr int kLargestHeaderValue = 0x7FFF;

// Whether the size stored for a field fits its type (for BCD fields the
// stored number is the count of digits after the point).
bool fieldSizeFits(int type, int size)
{
    switch (type) {
    case pxtype::Alpha:
    case pxtype::Bytes: return size >= 1 && size <= 255;
    case pxtype::Date:
    case pxtype::Long:
    case pxtype::Time:
    case pxtype::AutoIncrement: return size == 4;
    case pxtype::Short: return size == 2;
    case pxtype::Currency:
    case pxtype::Number:
    case pxtype::Timestamp: return size == 8;
    case pxtype::Logical: return size == 1;
    case pxtype::Memo:
    case pxtype::Blob:
    case pxtype::FormattedMemo:
    case pxtype::Ole:
    case pxtype::Graphic: return size >= 11 && size <= 250;
    case pxtype::Bcd: return size >= 0 && size <= 32; // digits after the point
    default: return false;
    }
}

} // namespace

const char* paradoxTypeName(int type)
{
    switch (type) {
    case pxtype::Alpha: return "alpha";
    case pxtype::Date: return "date";
    case pxtype::Short: return "short";
    case pxtype::Long: return "long";
    case pxtype::Currency: return "currency";
    case pxtype::Number: return "number";
    case pxtype::Logical: return "logical";
    case pxtype::Memo: return "memo";
    case pxtype::Blob: return "binary";
    case pxtype::FormattedMemo: return "formatted memo";
    case pxtype::Ole: return "OLE";
    case pxtype::Graphic: return "graphic";
    case pxtype::Time: return "time";
    case pxtype::Timestamp: return "timestamp";
    case pxtype::AutoIncrement: return "autoincrement";
    case pxtype::Bcd: return "BCD";
    case pxtype::Bytes: return "bytes";
    default: return "unknown";
    }
}

ParadoxLayout checkParadoxLayout(const QByteArray& bytes)
{
    const qsizetype size = bytes.size();
    if (size < kCommonHeader)
        refuse(QStringLiteral("not a Paradox table: %1 bytes are too few for its header").arg(size));

    const int fileType = u8(bytes, kFileType);
    if (fileType != 0 && fileType != 2) {
        if (fileType <= 8)
            refuse(QStringLiteral("a Paradox index file, not a table (file type %1)").arg(fileType));
        refuse(QStringLiteral("not a Paradox table (file type %1)").arg(fileType));
    }
    ParadoxLayout layout;
    layout.versionId = u8(bytes, kVersionId);
    if (layout.versionId < 3 || layout.versionId > 12)
        refuse(QStringLiteral("not a Paradox table (unknown file version %1)").arg(layout.versionId));
    const int kilobytes = u8(bytes, kMaxTableSize);
    static const QSet<int> blockSizes{1, 2, 3, 4, 8, 16, 32};
    if (!blockSizes.contains(kilobytes))
        refuse(QStringLiteral("invalid block size of %1 KB in the header").arg(kilobytes));
    layout.blockSize = kilobytes * 1024;

    layout.recordSize = u16(bytes, kRecordSize);
    layout.headerSize = u16(bytes, kHeaderSize);
    if (layout.recordSize == 0 || layout.recordSize > layout.blockSize - kBlockHeader)
        refuse(QStringLiteral("invalid record size %1 for blocks of %2 bytes").arg(layout.recordSize).arg(layout.blockSize));
    if (layout.headerSize > kLargestHeaderValue)
        refuse(QStringLiteral("invalid header size %1").arg(layout.headerSize));
    if (layout.headerSize > size)
        refuse(QStringLiteral("cut short: the header has %1 bytes, the file %2").arg(layout.headerSize).arg(size));

    const int dataHeader = layout.versionId >= 5 ? kDataHeader : kCommonHeader;
    if (layout.headerSize < dataHeader)
        refuse(QStringLiteral("invalid header size %1").arg(layout.headerSize));
    const quint32 encryption = u32(bytes, kEncryption1);
    if (encryption == kNoPassword) {
        if (layout.versionId < 5 || u32(bytes, kEncryption2) != 0)
            refuse(QStringLiteral("the table is password-protected"));
    } else if (encryption != 0) {
        refuse(QStringLiteral("the table is password-protected"));
    }
    layout.codePage = layout.versionId >= 5 ? u16(bytes, kCodePage) : 0;

    const int fieldCount = s16(bytes, kFieldCount);
    if (fieldCount < 1 || fieldCount > 255)
        refuse(QStringLiteral("invalid number of fields %1").arg(fieldCount));
    const int tableNameLength = layout.versionId >= 12 ? 261 : 79;
    // Field descriptions, a pointer to the table name, a pointer per field
    // name, the table name, then the field names.
    const qsizetype namesAt = qsizetype(dataHeader) + 2 * fieldCount + 4 + 4 * fieldCount + tableNameLength;
    if (namesAt >= layout.headerSize)
        refuse(QStringLiteral("the header of %1 bytes cannot hold %2 field descriptions").arg(layout.headerSize).arg(fieldCount));

    int recordBytes = 0;
    for (int i = 0; i < fieldCount; ++i) {
        ParadoxField field;
        field.type = u8(bytes, dataHeader + 2 * i);
        const int stored = u8(bytes, dataHeader + 2 * i + 1);
        if (!fieldSizeFits(field.type, stored))
            refuse(QStringLiteral("field %1 has an invalid type %2 or size %3").arg(i + 1).arg(field.type).arg(stored));
        if (field.type == pxtype::Bcd) {
            field.size = 17;
            field.digits = stored;
        } else {
            field.size = stored;
        }
        recordBytes += field.size;
        layout.fields << field;
    }
    if (recordBytes != layout.recordSize)
        refuse(QStringLiteral("the record size %1 does not match its fields (%2 bytes)").arg(layout.recordSize).arg(recordBytes));

    qsizetype at = namesAt;
    for (int i = 0; i < fieldCount; ++i) {
        const qsizetype end = bytes.indexOf('\0', at);
        if (end < 0 || end >= layout.headerSize)
            refuse(QStringLiteral("the name of field %1 runs past the header").arg(i + 1));
        if (end == at || end - at > kLongestFieldName)
            refuse(QStringLiteral("field %1 has an invalid name").arg(i + 1));
        layout.fieldNames << bytes.mid(at, end - at);
        at = end + 1;
    }

    layout.fileBlocks = u16(bytes, kFileBlocks);
    const int firstBlock = u16(bytes, kFirstBlock);
    if (layout.fileBlocks > kLargestHeaderValue || firstBlock > kLargestHeaderValue)
        refuse(QStringLiteral("invalid number of data blocks %1").arg(layout.fileBlocks));
    const qint64 needed = qint64(layout.headerSize) + qint64(layout.fileBlocks) * layout.blockSize;
    if (needed > size)
        refuse(QStringLiteral("cut short: %1 data blocks of %2 bytes need %3 bytes, the file has %4")
                   .arg(layout.fileBlocks).arg(layout.blockSize).arg(needed).arg(size));
    const qint32 declared = static_cast<qint32>(u32(bytes, kRecordCount));
    const int perBlock = (layout.blockSize - kBlockHeader) / layout.recordSize;
    if (declared < 0 || qint64(declared) > qint64(layout.fileBlocks) * perBlock)
        refuse(QStringLiteral("the header counts %1 records, its %2 data blocks hold at most %3")
                   .arg(declared).arg(layout.fileBlocks).arg(qint64(layout.fileBlocks) * perBlock));
    layout.recordCount = declared;

    QSet<int> seen;
    qint64 records = 0;
    for (int block = firstBlock; block != 0;) {
        if (block > layout.fileBlocks)
            refuse(QStringLiteral("the data blocks link to block %1 of %2").arg(block).arg(layout.fileBlocks));
        if (seen.contains(block))
            refuse(QStringLiteral("the data blocks link back to block %1").arg(block));
        seen.insert(block);
        const qsizetype start = layout.headerSize + qsizetype(block - 1) * layout.blockSize;
        const int next = u16(bytes, start);
        const int lastRecordAt = s16(bytes, start + 4);
        if (lastRecordAt % layout.recordSize != 0 || lastRecordAt < -layout.recordSize
            || lastRecordAt > (perBlock - 1) * layout.recordSize)
            refuse(QStringLiteral("data block %1 has an invalid fill of %2 bytes").arg(block).arg(lastRecordAt));
        ParadoxBlock b;
        b.offset = start + kBlockHeader;
        b.records = lastRecordAt / layout.recordSize + 1;
        records += b.records;
        layout.blocks << b;
        block = next;
    }
    if (records != layout.recordCount)
        refuse(QStringLiteral("the header counts %1 records, its data blocks hold %2").arg(layout.recordCount).arg(records));
    return layout;
}

} // namespace korvel::import
