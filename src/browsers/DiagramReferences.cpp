#include "DiagramReferences.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace korvel {
namespace {

// Windows code page 1250, bytes 0x80 to 0xFF (0xFFFD where the page has no character).
constexpr char16_t kCp1250High[128] = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021,
    0xFFFD, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

QString fromCp1250(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b < 0x80 ? QChar(b) : QChar(kCp1250High[b - 0x80]));
    }
    return text;
}

} // namespace

QString DiagramReferences::decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return fromCp1250(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QStringList DiagramReferences::splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

QStringList DiagramReferences::parse(const QStringList& lines, const QString& systemName)
{
    const QString tag = QLatin1Char('[') + systemName + QLatin1Char(']');
    QStringList entries;
    bool inBlock = false;
    for (const QString& line : lines) {
        QString text = line;
        const qsizetype at = text.indexOf(tag); // exact, case-sensitive
        if (at >= 0) {
            inBlock = true;
            text = text.mid(at + tag.size());
        }
        const qsizetype bar = text.indexOf(QLatin1Char('|'));
        if (bar >= 0)
            text.truncate(bar);
        if (inBlock)
            entries << text;
        if (bar >= 0)
            inBlock = false;
    }
    return entries;
}

QStringList DiagramReferences::parse(const QByteArray& fileContent, const QString& systemName)
{
    return parse(splitLines(decodeText(fileContent)), systemName);
}

DiagramReferences::ReadResult DiagramReferences::readFile(const QString& path, const QString& systemName)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("The references file %1 cannot be opened: %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString())};
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, QStringLiteral("The references file %1 cannot be read: %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString())};
    return {parse(content, systemName), QString()};
}

} // namespace korvel
