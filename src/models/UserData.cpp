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
        (isDecimalChar(c) ? points : digits) += 1;
    if (digits == 0 || points > 1)
        return false;
    QString text = run;
    for (QChar& c : text) {
        if (isDecimalChar(c))
            c = QLatin1Char('.');
    }
    bool ok = false;
    value = QLocale::c().toDouble(text, &ok);
    if (!ok && text.endsWith(QLatin1Char('.')))
        value = QLocale::c().toDouble(text.chopped(1), &ok);
    return ok && std::isfinite(value);
}

// A number is digits with at most one decimal character (a point or, as typed
// numbers are read everywhere in the program, a comma), optionally followed by
// an exponent. Text after a number up to the next separator is ignored, and so
// is text in front of a later number, but a line whose numbers would be read
// as something other than what is written is refused: a minus sign in front of
// a number, a field between separators that holds no number ("nan"), a number
// too large to be finite.
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
    auto invalid = [&result] {
        result.kind = UserDataLine::Kind::Invalid;
        return result;
    };
    auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    qsizetype pos = 0;
    const qsizetype n = line.size();
    for (int k = 0; k < PointRecord::Size; ++k) {
        if (k > 0) {
            // Skip to the next separator, then to the next number character;
            // a field with text but no number is no number.
            while (pos < n && line.at(pos) != m_separator)
                ++pos;
            bool fieldText = false;
            QChar last;
            while (pos < n && !isNumberChar(line.at(pos))) {
                const QChar c = line.at(pos);
                if (c == m_separator) {
                    if (fieldText)
                        return invalid();
                } else if (c > QLatin1Char(' ')) {
                    fieldText = true;
                    last = c;
                }
                ++pos;
            }
            if (pos >= n) {
                if (fieldText)
                    return invalid();
                break;
            }
            if (last == QLatin1Char('-'))
                return invalid();
        }
        const qsizetype start = pos;
        while (pos < n && isNumberChar(line.at(pos)))
            ++pos;
        // An exponent directly after the digits belongs to the number.
        if (pos > start && pos < n && (line.at(pos) == QLatin1Char('e') || line.at(pos) == QLatin1Char('E'))) {
            qsizetype e = pos + 1;
            if (e < n && (line.at(e) == QLatin1Char('+') || line.at(e) == QLatin1Char('-')))
                ++e;
            if (e < n && isDigit(line.at(e))) {
                while (e < n && isDigit(line.at(e)))
                    ++e;
                pos = e;
            }
        }
        double value = 0;
        if (pos == start || !convert(line.mid(start, pos - start), value))
            return invalid();
        result.record.values[std::size_t(k)] = value;
        result.numberCount = k + 1;
    }
    return result;
}

QString UserDataError::message() const
{
    return kCannotConvert + QStringLiteral("\nLine %1: %2").arg(m_line).arg(m_text);
}

namespace {
UserDataTarget& target()
{
    static UserDataTarget current;
    return current;
}
} // namespace

void setUserDataTarget(UserDataTarget t) { target() = std::move(t); }
bool hasUserDataTarget() { return bool(target()); }

QString drawUserData(const UserDataSubmission& submission)
{
    if (!target())
        return QStringLiteral("Open a chart first: the data is drawn over the chart of a property.");
    return target()(submission);
}

QString decodeUserDataFile(const QByteArray& bytes)
{
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    // Creating the converter is costly; one stateless decoder serves every file.
    static QStringDecoder cp1250("windows-1250", QStringDecoder::Flag::Stateless);
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
