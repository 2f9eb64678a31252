#pragma once
// Number handling shared by every window: the four-decimal fixed-point type,
// the number texts the program writes and the display formats of its grids.
#include <QLocale>
#include <QString>
#include <cstdint>
#include <stdexcept>

namespace korvel {

// A quantity times 10000, so four decimals are exact.
class FixedPoint4 {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr FixedPoint4() = default;
    static constexpr FixedPoint4 fromRaw(std::int64_t raw) { FixedPoint4 f; f.m_raw = raw; return f; }
    // Whether fromDouble can hold the value: finite and, times 10000 and rounded,
    // inside the 64-bit range (|value| below about 9.2e14).
    static bool representable(double value);
    // Rounds to four decimals, ties to the even neighbour. Throws std::out_of_range
    // for a value that is not representable().
    static FixedPoint4 fromDouble(double value);

    constexpr std::int64_t raw() const { return m_raw; }
    constexpr double toDouble() const { return double(m_raw) / double(Scale); }
    // Shortest decimal text of the value ("0.25", "1273", "-0.0001") with the given separator.
    QString shortestText(QChar decimalSeparator = QLatin1Char('.')) const;

    friend constexpr bool operator==(FixedPoint4 a, FixedPoint4 b) { return a.m_raw == b.m_raw; }
    friend constexpr auto operator<=>(FixedPoint4 a, FixedPoint4 b) { return a.m_raw <=> b.m_raw; }

private:
    std::int64_t m_raw = 0;
};

// Rounds to `decimals` decimals by dividing by 10^-decimals, rounding to the nearest
// integer with ties to the even neighbour, and multiplying back.
double roundHalfEven(double value, int decimals);

// General floating-point text: at most 15 significant digits, no trailing zeros,
// no thousands separators; fixed notation for 1e-5 <= |v| < 1e15, otherwise
// mantissa, "E", optional minus and the exponent (0.000001 -> "1E-6"); zero is "0".
QString generalFloatText(double value, QChar decimalSeparator = QLatin1Char('.'));

// The same text with the locale's decimal separator (model buffers, titles).
QString generalFloatTextLocal(double value, const QLocale& locale = QLocale());

// Export form: general text, trimmed, with every comma turned into a point.
QString exportNumberText(double value);

// Display format "#.##": at most two decimals, no trailing zeros, no leading zero
// before the separator ("0.5" -> ".5", "0" -> "0", "12.345" -> "12.35").
QString formatHashDotHash(double value, const QLocale& locale = QLocale());

// Display format "#,##0.##": thousands separators, at least one integer digit,
// at most two decimals without trailing zeros.
QString formatGroupedTwoDecimals(double value, const QLocale& locale = QLocale());

// The text a grid cell shows for a number: five significant digits (never
// fewer than the integer part needs), no trailing zeros, a leading zero before
// the separator ("0.86", not ".86"), no thousands separators; values below 1e-4
// or from 1e9 on in exponent form ("1.2346E-5"). The whole value is
// generalFloatTextLocal's text, for tooltips and copies.
QString gridNumberText(double value, const QLocale& locale = QLocale());

// Error raised by NormaliseNumberText for a character other than digits, "," and ".".
class NumberFormatError : public std::runtime_error {
public:
    explicit NumberFormatError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

// Trims the text and turns "." into ","; any character other than a digit or ","
// fails with "Incorrect data format : " followed by the text as given.
QString NormaliseNumberText(const QString& text);

// Parses a normalised number text (decimal separator ",") into FixedPoint4,
// rounding to four decimals. Throws NumberFormatError on an empty or malformed
// text and on a number too large for FixedPoint4, with the same message.
FixedPoint4 fixedPointFromNormalised(const QString& normalised);

// Integer conversion of a temperature field as the data module does it: the text
// must be a whole number (blanks around it allowed). Throws NumberFormatError
// with "'<text>' is not a valid integer value" otherwise.
int integerFromText(const QString& text);

} // namespace korvel
