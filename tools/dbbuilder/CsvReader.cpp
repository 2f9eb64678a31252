#include "CsvReader.h"

#include <QFile>
#include <stdexcept>

namespace korvel::build {

void CsvParser::refuse(int line, const QString& reason) const
{
    throw std::runtime_error(QStringLiteral("%1:%2: %3").arg(m_source).arg(line).arg(reason).toStdString());
}

void CsvParser::endField()
{
    m_record << m_field;
    m_field.clear();
    m_fieldStarted = false;
    m_quoteClosed = false;
}

void CsvParser::endRecord(const RecordSink& sink)
{
    endField();
    if (!(m_record.size() == 1 && m_record.first().isEmpty()))
        sink(m_record, m_recordLine);
    m_record.clear();
    m_recordLine = m_line;
}

void CsvParser::feed(QStringView text, const RecordSink& sink)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() == 0)
            refuse(m_line, QStringLiteral("a NUL character in the text"));
        if (m_pendingQuote) {
            // A quote inside a quoted field: doubled it is one quote, otherwise it closes the field.
            m_pendingQuote = false;
            if (c == QLatin1Char('"')) {
                m_field += c;
                continue;
            }
            m_inQuotes = false;
            m_quoteClosed = true;
        }
        if (m_inQuotes) {
            if (c == QLatin1Char('"')) {
                m_pendingQuote = true;
            } else {
                if (c == QLatin1Char('\n'))
                    ++m_line;
                m_field += c;
            }
            continue;
        }
        if (c == QLatin1Char(',')) {
            endField();
        } else if (c == QLatin1Char('\n')) {
            ++m_line;
            endRecord(sink);
        } else if (c == QLatin1Char('\r')) {
            // CR LF line ends: the LF ends the record.
        } else if (m_quoteClosed) {
            refuse(m_line, QStringLiteral("text after the closing quote of a field (a quote inside a quoted field is "
                                          "written twice)"));
        } else if (c == QLatin1Char('"') && !m_fieldStarted) {
            m_inQuotes = true;
            m_fieldStarted = true;
        } else {
            m_field += c;
            m_fieldStarted = true;
        }
    }
}

void CsvParser::finish(const RecordSink& sink)
{
    if (m_pendingQuote) {
        m_pendingQuote = false;
        m_inQuotes = false;
        m_quoteClosed = true;
    }
    if (m_inQuotes)
        refuse(m_recordLine, QStringLiteral("unterminated quoted field"));
    if (m_fieldStarted || !m_record.isEmpty())
        endRecord(sink);
}

CsvTable parseCsv(const QString& text, const QString& sourceName)
{
    QList<QStringList> records;
    CsvParser parser(sourceName);
    const CsvParser::RecordSink collect = [&records](QStringList& fields, int) { records << fields; };
    parser.feed(text, collect);
    parser.finish(collect);

    CsvTable table;
    if (records.isEmpty())
        return table;
    table.header = records.takeFirst();
    for (QString& name : table.header)
        name = name.trimmed();
    for (int r = 0; r < records.size(); ++r) {
        if (records[r].size() != table.header.size())
            throw std::runtime_error(QStringLiteral("%1: record %2 has %3 fields, the header has %4")
                                         .arg(sourceName).arg(r + 2).arg(records[r].size())
                                         .arg(table.header.size()).toStdString());
    }
    table.rows = records;
    return table;
}

CsvTable readCsvFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()).toStdString());
    return parseCsv(QString::fromUtf8(file.readAll()), path);
}

} // namespace korvel::build
