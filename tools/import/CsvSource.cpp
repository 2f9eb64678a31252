#include "CsvSource.h"

#include "CsvReader.h"
#include "Interruption.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>
#include <stdexcept>

namespace korvel::import {
namespace {

[[noreturn]] void refuse(const QString& file, const QString& reason)
{
    throw std::runtime_error(QStringLiteral("%1: %2").arg(file, reason).toStdString());
}

// The columns a header names; refuses an empty or repeated name.
QList<SourceColumn> headerColumns(const QStringList& header, const QString& path)
{
    QList<SourceColumn> columns;
    QSet<QString> names;
    for (const QString& raw : header) {
        const QString name = raw.trimmed();
        if (name.isEmpty())
            refuse(path, QStringLiteral("the header has an empty column name"));
        if (names.contains(name.toUpper()))
            refuse(path, QStringLiteral("the header names column %1 twice").arg(name));
        names.insert(name.toUpper());
        columns << SourceColumn{name, QString(), QString()};
    }
    return columns;
}

SourceRow sourceRow(const QStringList& fields, int record)
{
    SourceRow row;
    row.record = record;
    row.values.reserve(fields.size());
    for (const QString& field : fields)
        row.values << (field.isEmpty() ? QVariant() : QVariant(field));
    return row;
}

using RowSink = std::function<void(SourceRow&)>;

// Reads the text record by record: the header first, then every row, each
// checked for its number of fields, without holding more than one piece of
// the file and one record at a time.
class CsvRecords {
public:
    CsvRecords(const QString& path, const RowSink& rows) : m_path(path), m_parser(path), m_rows(rows)
    {
        m_sink = [this](QStringList& fields, int) { take(fields); };
    }
    void feed(QByteArrayView bytes)
    {
        QString text = m_utf8.decode(bytes);
        if (m_utf8.hasError())
            refuse(m_path, QStringLiteral("not UTF-8 text"));
        QStringView view(text);
        if (m_first && !view.isEmpty()) {
            m_first = false;
            if (view.front() == QChar(0xFEFF))
                view = view.mid(1);
        }
        m_parser.feed(view, m_sink);
    }
    void finish()
    {
        feed(QByteArrayView());
        m_parser.finish(m_sink);
        if (!m_haveHeader)
            refuse(m_path, QStringLiteral("no header line"));
    }
    const QList<SourceColumn>& columns() const { return m_columns; }
    int rowCount() const { return m_record; }

private:
    void take(QStringList& fields)
    {
        if (!m_haveHeader) {
            m_columns = headerColumns(fields, m_path);
            m_haveHeader = true;
            return;
        }
        ++m_record;
        if (fields.size() != m_columns.size())
            throw std::runtime_error(QStringLiteral("%1: record %2 has %3 fields, the header has %4")
                                         .arg(m_path).arg(m_record + 1).arg(fields.size()).arg(m_columns.size())
                                         .toStdString());
        if (m_rows) {
            SourceRow row = sourceRow(fields, m_record);
            m_rows(row);
        }
    }

    QString m_path;
    build::CsvParser m_parser;
    build::CsvParser::RecordSink m_sink;
    RowSink m_rows;
    QStringDecoder m_utf8{QStringDecoder::Utf8};
    bool m_first = true;
    bool m_haveHeader = false;
    QList<SourceColumn> m_columns;
    int m_record = 0;
};

// The whole file through the reader, a piece at a time.
void readFile(const QString& path, CsvRecords& records)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        refuse(path, f.errorString());
    QByteArray piece;
    while (true) {
        throwIfInterrupted();
        piece = f.read(qint64(1) << 20);
        if (piece.isEmpty())
            break;
        records.feed(piece);
    }
    if (f.error() != QFileDevice::NoError)
        refuse(path, f.errorString());
    records.finish();
}

} // namespace

// The file is read through once to check it (every problem of the text is
// found before anything is written) and once more, row by row, while its rows
// are written: a file of a million rows never sits in memory.
SourceTable readCsvSource(const QString& path)
{
    CsvRecords check(path, nullptr);
    readFile(path, check);
    SourceTable table;
    table.file = path;
    table.table = QFileInfo(path).completeBaseName();
    table.columns = check.columns();
    table.streamedRows = check.rowCount();
    table.streamRows = [path](const RowSink& sink) {
        CsvRecords rows(path, sink);
        readFile(path, rows);
    };
    return table;
}

SourceTable parseCsvSource(const QByteArray& bytes, const QString& path)
{
    SourceTable table;
    CsvRecords records(path, [&table](SourceRow& row) { table.rows << row; });
    records.feed(bytes);
    records.finish();
    table.file = path;
    table.table = QFileInfo(path).completeBaseName();
    table.columns = records.columns();
    return table;
}

} // namespace korvel::import
