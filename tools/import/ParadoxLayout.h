#pragma once
// The structure of a Paradox table file (.db), checked byte by byte before
// any library reads it: header, field descriptions, block size, and the chain
// of data blocks with the number of records in each. A file that is cut
// short, not a table, or inconsistent is refused with the reason, so that
// nothing reads past the file or trusts a count the file cannot hold.
#include <QByteArray>
#include <QList>

namespace korvel::import {

struct ParadoxField {
    int type = 0;    // the Paradox field type code
    int size = 0;    // bytes in the record
    int digits = 0;  // BCD fields: digits after the point
};

struct ParadoxBlock {
    qsizetype offset = 0; // of the first record in the file
    int records = 0;
};

struct ParadoxLayout {
    int versionId = 0;
    int recordSize = 0;
    int headerSize = 0;
    int blockSize = 0;
    int fileBlocks = 0;
    int recordCount = 0;
    int codePage = 0;     // 0 when the header names none
    QList<ParadoxField> fields;
    QList<QByteArray> fieldNames; // as stored, in the table's code page
    QList<ParadoxBlock> blocks;   // in chain order
};

// Throws std::runtime_error with the reason (without the file's name).
ParadoxLayout checkParadoxLayout(const QByteArray& bytes);

// Field type codes of the format.
namespace pxtype {
constexpr int Alpha = 0x01, Date = 0x02, Short = 0x03, Long = 0x04, Currency = 0x05, Number = 0x06,
              Logical = 0x09, Memo = 0x0C, Blob = 0x0D, FormattedMemo = 0x0E, Ole = 0x0F, Graphic = 0x10,
              Time = 0x14, Timestamp = 0x15, AutoIncrement = 0x16, Bcd = 0x17, Bytes = 0x18;
}
const char* paradoxTypeName(int type);

} // namespace korvel::import
