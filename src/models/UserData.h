#pragma once
// Point records and the user-data text format, without widgets.
//
// A user-data file holds one point per line: numbers made of the digits, one
// decimal character (a point or a comma) and an optional exponent, the first at
// the very start of the line, each later one after a separator (";"). Text
// between a number and the next separator is ignored, and so is other text in
// front of a later number. A line is refused rather than read as a number other
// than the one written: a minus sign in front of a number, a field holding text
// but no number ("nan"), a number too large to be finite. At most 21 numbers
// are read; number k becomes value k of the record.
#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace korvel {

// 21 values; value 0 is the abscissa, values 1..20 ordinates. A value the
// source did not carry is NaN, so a series that needs it leaves the point out.
struct PointRecord {
    static constexpr int Size = 21;
    std::array<double, Size> values;
    PointRecord() { values.fill(std::numeric_limits<double>::quiet_NaN()); }
    bool has(int k) const { return k >= 0 && k < Size && !std::isnan(values[std::size_t(k)]); }
    double operator[](int k) const { return values.at(std::size_t(k)); }
};

class PointListIndexError : public std::out_of_range {
public:
    explicit PointListIndexError(const QString& message)
        : std::out_of_range(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

// An ordered list of point records, each stored as a copy.
class TPointList {
public:
    void Add(const PointRecord& record) { m_records.append(record); }
    // Throws PointListIndexError "ListIndex (i) is out of bounds [0,  n-1] !" for i outside the list.
    PointRecord Get(int index) const;
    int Count() const { return int(m_records.size()); }
    void Clear() { m_records.clear(); }

private:
    QList<PointRecord> m_records;
};

// The result of reading one line.
struct UserDataLine {
    enum class Kind { Empty, Record, Invalid };
    Kind kind = Kind::Empty;
    PointRecord record;
    int numberCount = 0; // numbers read (values 0 .. numberCount-1)
};

class UserDataLineParser {
public:
    explicit UserDataLineParser(QChar separator = QLatin1Char(';'), QChar decimal = QLatin1Char('.'))
        : m_separator(separator), m_decimal(decimal) {}
    UserDataLine parse(const QString& line) const;
    // "0123456789" followed by the decimal character.
    QString numberCharacters() const { return QStringLiteral("0123456789") + m_decimal; }

private:
    // The decimal character and, unless it separates the numbers, the other of
    // point and comma.
    bool isDecimalChar(QChar c) const
    {
        return c == m_decimal || (c != m_separator && (c == QLatin1Char('.') || c == QLatin1Char(',')));
    }
    bool isNumberChar(QChar c) const { return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || isDecimalChar(c); }
    bool convert(const QString& run, double& value) const;

    QChar m_separator;
    QChar m_decimal;
};

inline const QString kCannotConvert = QStringLiteral("Can't convert dataSource data to a number");

// Raised by a record source for a line that cannot be read.
class UserDataError : public std::runtime_error {
public:
    UserDataError(int lineNumber, const QString& lineText)
        : std::runtime_error(kCannotConvert.toStdString()), m_line(lineNumber), m_text(lineText) {}
    int lineNumber() const { return m_line; } // from 1
    QString lineText() const { return m_text; }
    // The message and, on a line of its own, which line could not be read.
    QString message() const;

private:
    int m_line;
    QString m_text;
};

// What the user-data window hands to the chart on "OK".
struct UserDataSubmission {
    QStringList lines;   // the data buffer, one point per line
    QString author;      // edAuthor
    QString temperature; // edWlasneT
};

// The chart that draws the user's data: the chart window installs itself while
// it is open. The target returns an empty text when it drew the data, or the
// refusal to show; an unreadable line raises UserDataError.
using UserDataTarget = std::function<QString(const UserDataSubmission&)>;
void setUserDataTarget(UserDataTarget target);
bool hasUserDataTarget();
QString drawUserData(const UserDataSubmission& submission);

// A user-data file's bytes as text: UTF-8 when valid, otherwise windows-1250
// (the code page of the files the older program wrote).
QString decodeUserDataFile(const QByteArray& bytes);
// Lines of a text ending in CR LF, LF or CR.
QStringList splitUserDataLines(const QString& text);
// The lines joined with CR LF, as "Save" writes them (UTF-8).
QByteArray encodeUserDataFile(const QStringList& lines);

} // namespace korvel
