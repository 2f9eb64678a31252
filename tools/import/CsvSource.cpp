#include "CsvSource.h"

#include "CsvReader.h"

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

} // namespace

SourceTable readCsvSource(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        refuse(path, f.errorString());
    return parseCsvSource(f.readAll(), path);
}

SourceTable parseCsvSource(const QByteArray& bytes, const QString& path)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        refuse(path, QStringLiteral("not UTF-8 text"));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    const build::CsvTable csv = build::parseCsv(text, path);
    if (csv.header.isEmpty())
        refuse(path, QStringLiteral("no header line"));

    SourceTable table;
    table.file = path;
    table.table = QFileInfo(path).completeBaseName();
    QSet<QString> names;
    for (const QString& name : std::as_const(csv.header)) {
        if (name.isEmpty())
            refuse(path, QStringLiteral("the header has an empty column name"));
        if (names.contains(name.toUpper()))
            refuse(path, QStringLiteral("the header names column %1 twice").arg(name));
        names.insert(name.toUpper());
        table.columns << SourceColumn{name, QString(), QString()};
    }
    int record = 0;
    for (const QStringList& fields : std::as_const(csv.rows)) {
        SourceRow row;
        row.record = ++record;
        for (const QString& field : fields)
            row.values << (field.isEmpty() ? QVariant() : QVariant(field));
        table.rows << row;
    }
    return table;
}

} // namespace korvel::import
