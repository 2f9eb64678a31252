#include "CatalogueCsv.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

namespace korvel::modelcsv {

std::optional<QStringList> splitLine(const QString& line)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    bool wasQuoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"') && field.isEmpty() && !wasQuoted) {
            quoted = true;
            wasQuoted = true;
        } else if (c == QLatin1Char(',')) {
            fields << (wasQuoted ? field : field.trimmed());
            field.clear();
            wasQuoted = false;
        } else {
            field += c;
        }
    }
    if (quoted)
        return std::nullopt;
    fields << (wasQuoted ? field : field.trimmed());
    return fields;
}

std::vector<Record> readRecords(const QString& path, QStringList& warnings, bool* exists)
{
    std::vector<Record> records;
    QFile file(path);
    if (exists)
        *exists = file.exists();
    if (!file.exists())
        return records;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        warnings << QStringLiteral("%1: cannot be read").arg(path);
        return records;
    }
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    int lineNumber = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++lineNumber;
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        auto fields = splitLine(line);
        if (!fields) {
            warnings << QStringLiteral("%1:%2: unterminated quote").arg(path).arg(lineNumber);
            continue;
        }
        records.push_back(Record{path, lineNumber, *fields});
    }
    return records;
}

std::optional<double> number(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^[-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?$"));
    const QString t = text.trimmed();
    if (t.isEmpty() || !pattern.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = t.toDouble(&ok); // QString::toDouble uses the C locale
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace korvel::modelcsv
