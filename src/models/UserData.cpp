#include "UserData.h"

#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>

namespace korvel {

PointRecord TPointList::Get(int index) const
{
    if (index < 0 || index >= Count())
        throw PointListIndexError(QStringLiteral("ListIndex (%1) is out of bounds [0,  %2] !").arg(index).arg(Count() - 1));
    return m_records.at(index);
}

bool UserDataLineParser::convert(const QString& run, double& value) const
{
    int digits = 0;
    int points = 0;
    for (QChar c : run)
        (c == m_decimal ? points : digits) += 1;
    if (digits == 0 || points > 1)
        return false;
    QString text = run;
    text.replace(m_decimal, QLatin1Char('.'));
    bool ok = false;
    value = QLocale::c().toDouble(text, &ok);
    if (!ok && text.endsWith(QLatin1Char('.')))
        value = QLocale::c().toDouble(text.chopped(1), &ok);
    return ok && std::isfinite(value);
}

UserDataLine UserDataLineParser::parse(const QString& raw) const
{
    // Strip blanks and control characters at both ends.
    qsizetype begin = 0, end = raw.size();
    while (begin < end && raw.at(begin) <= QLatin1Char(' '))
        ++begin;
    while (end > begin && raw.at(end - 1) <= QLatin1Char(' '))
        --end;
    UserDataLine result;
    if (begin == end)
        return result;
    const QString line = raw.mid(begin, end - begin);
    result.kind = UserDataLine::Kind::Record;
    qsizetype pos = 0;
    const qsizetype n = line.size();
    for (int k = 0; k < PointRecord::Size; ++k) {
        if (k > 0) {
            // Skip to the next separator, then to the next number character.
            while (pos < n && line.at(pos) != m_separator)
                ++pos;
            while (pos < n && !isNumberChar(line.at(pos)))
                ++pos;
            if (pos >= n)
                break;
        }
        const qsizetype start = pos;
        while (pos < n && isNumberChar(line.at(pos)))
            ++pos;
        double value = 0;
        if (pos == start || !convert(line.mid(start, pos - start), value)) {
            result.kind = UserDataLine::Kind::Invalid;
            return result;
        }
        result.record.values[std::size_t(k)] = value;
        result.numberCount = k + 1;
    }
    return result;
}

QString UserDataError::message() const
{
    return kCannotConvert + QStringLiteral("\nLine %1: %2").arg(m_line).arg(m_text);
}

QString decodeUserDataFile(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1250("windows-1250");
    if (cp1250.isValid())
        return cp1250.decode(bytes);
    return QString::fromLatin1(bytes);
}

QStringList splitUserDataLines(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = t.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the end of the last line
    return lines;
}

QByteArray encodeUserDataFile(const QStringList& lines)
{
    QByteArray out;
    for (const QString& line : lines) {
        out += line.toUtf8();
        out += "\r\n";
    }
    return out;
}

} // namespace korvel
