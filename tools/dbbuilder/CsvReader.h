#pragma once
// Reads the comma-separated text files the database is built from: a header
// row of column names, then one row per record; quoted fields may hold commas,
// quotes ("") and line breaks. UTF-8. A quoted field must end at its closing
// quote (`"Nowak"x` is refused, not read as Nowakx) and no field may hold a NUL
// character; both errors name the line.
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

namespace korvel::build {

struct CsvTable {
    QStringList header;
    QList<QStringList> rows;
};

// The record reader itself: text goes in piece by piece (a piece may end
// anywhere, even inside a field), every complete record comes out at once with
// the line it starts on. Empty lines give no record. Throws std::runtime_error
// naming the line of malformed text.
class CsvParser {
public:
    using RecordSink = std::function<void(QStringList& fields, int line)>;
    explicit CsvParser(const QString& sourceName = {}) : m_source(sourceName) {}
    void feed(QStringView text, const RecordSink& sink);
    // The end of the text: the last record, or the error of a field left open.
    void finish(const RecordSink& sink);

private:
    void endField();
    void endRecord(const RecordSink& sink);
    [[noreturn]] void refuse(int line, const QString& reason) const;

    QString m_source;
    QStringList m_record;
    QString m_field;
    bool m_inQuotes = false;
    bool m_quoteClosed = false; // the field's closing quote has been read
    bool m_fieldStarted = false;
    bool m_pendingQuote = false; // a quote inside quotes, waiting for the next character
    int m_line = 1;
    int m_recordLine = 1;
};

// Parses the text; throws std::runtime_error naming the line of a malformed row.
CsvTable parseCsv(const QString& text, const QString& sourceName = {});
CsvTable readCsvFile(const QString& path);

} // namespace korvel::build
