#include "CsvReader.h"

#include <QFile>
#include <stdexcept>

namespace korvel::build {

CsvTable parseCsv(const QString& text, const QString& sourceName)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool inQuotes = false;
    bool fieldStarted = false;
    int line = 1;
    int recordLine = 1;

    auto endField = [&] {
        record << field;
        field.clear();
        fieldStarted = false;
    };
    auto endRecord = [&] {
        endField();
        if (!(record.size() == 1 && record.first().isEmpty()))
            records << record;
        record.clear();
        recordLine = line;
    };

    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (inQuotes) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char('"') && !fieldStarted) {
            inQuotes = true;
            fieldStarted = true;
        } else if (c == QLatin1Char(',')) {
            endField();
        } else if (c == QLatin1Char('\n')) {
            ++line;
            endRecord();
        } else if (c == QLatin1Char('\r')) {
            // CR LF line ends: the LF ends the record.
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (inQuotes)
        throw std::runtime_error(QStringLiteral("%1:%2: unterminated quoted field")
                                     .arg(sourceName).arg(recordLine).toStdString());
    if (fieldStarted || !record.isEmpty())
        endRecord();

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
