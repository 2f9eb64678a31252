#include "Numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace korvel {

bool FixedPoint4::representable(double value)
{
    // 2^63 is exact as a double; every double below it converts without overflow.
    constexpr double limit = 9223372036854775808.0;
    const double scaled = std::nearbyint(value * double(Scale));
    return std::isfinite(scaled) && scaled < limit && scaled >= -limit;
}

FixedPoint4 FixedPoint4::fromDouble(double value)
{
    if (!representable(value))
        throw std::out_of_range("number outside the four-decimal fixed-point range");
    return fromRaw(static_cast<std::int64_t>(std::nearbyint(value * double(Scale))));
}

QString FixedPoint4::shortestText(QChar decimalSeparator) const
{
    const bool negative = m_raw < 0;
    const std::uint64_t magnitude = negative ? std::uint64_t(-(m_raw + 1)) + 1 : std::uint64_t(m_raw);
    QString text = QString::number(magnitude / Scale);
    std::uint64_t fraction = magnitude % Scale;
    if (fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += decimalSeparator + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

double roundHalfEven(double value, int decimals)
{
    const double step = std::pow(10.0, -decimals);
    return std::nearbyint(value / step) * step;
}

QString generalFloatText(double value, QChar decimalSeparator)
{
    if (value == 0.0 || std::isnan(value))
        return value == 0.0 ? QStringLiteral("0") : QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");

    // 15 significant digits, then decide the notation from the rounded exponent.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    QString sci = QString::fromLatin1(buffer);
    const int ePos = sci.indexOf(QLatin1Char('e'));
    int exponent = sci.mid(ePos + 1).toInt();
    QString mantissa = sci.left(ePos);
    const bool negative = mantissa.startsWith(QLatin1Char('-'));
    if (negative)
        mantissa.remove(0, 1);
    QString digits = mantissa;
    digits.remove(QLatin1Char('.'));
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);

    QString text;
    const double magnitude = std::fabs(value);
    if (magnitude >= 1e-5 && exponent < 15) {
        if (exponent >= 0) {
            QString intPart = digits.left(exponent + 1).leftJustified(exponent + 1, QLatin1Char('0'));
            QString fracPart = digits.mid(exponent + 1);
            text = fracPart.isEmpty() ? intPart : intPart + decimalSeparator + fracPart;
        } else {
            text = QStringLiteral("0") + decimalSeparator + QString(-exponent - 1, QLatin1Char('0')) + digits;
        }
    } else {
        text = digits.left(1);
        if (digits.size() > 1)
            text += decimalSeparator + digits.mid(1);
        text += QLatin1Char('E') + QString::number(exponent);
    }
    return negative ? QLatin1Char('-') + text : text;
}

QString generalFloatTextLocal(double value, const QLocale& locale)
{
    const QString sep = locale.decimalPoint();
    return generalFloatText(value, sep.isEmpty() ? QLatin1Char('.') : sep.at(0));
}

QString gridNumberText(double value, const QLocale& locale)
{
    if (std::isnan(value))
        return {};
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    constexpr int significant = 5;
    const QString sep = locale.decimalPoint();
    const double magnitude = std::fabs(value);
    if (magnitude == 0)
        return QStringLiteral("0");
    QString text;
    if (magnitude < 1e-4 || magnitude >= 1e9) {
        text = QString::number(value, 'E', significant - 1); // "1.2346E-05"
        const qsizetype e = text.indexOf(QLatin1Char('E'));
        QString mantissa = text.left(e);
        QString exponent = text.mid(e + 1);
        while (mantissa.contains(QLatin1Char('.')) && (mantissa.endsWith(QLatin1Char('0')) || mantissa.endsWith(QLatin1Char('.'))))
            mantissa.chop(1);
        const bool negative = exponent.startsWith(QLatin1Char('-'));
        exponent.remove(0, 1);
        while (exponent.size() > 1 && exponent.startsWith(QLatin1Char('0')))
            exponent.remove(0, 1);
        text = mantissa + QLatin1Char('E') + (negative ? QStringLiteral("-") : QString()) + exponent;
    } else {
        const int integerDigits = static_cast<int>(std::floor(std::log10(magnitude))) + 1;
        const int decimals = std::max(0, significant - integerDigits);
        text = QString::number(value, 'f', decimals);
        if (text.contains(QLatin1Char('.'))) {
            while (text.endsWith(QLatin1Char('0')))
                text.chop(1);
            if (text.endsWith(QLatin1Char('.')))
                text.chop(1);
        }
        if (text == QLatin1String("-0"))
            text = QStringLiteral("0");
    }
    text.replace(QLatin1Char('.'), sep.isEmpty() ? QStringLiteral(".") : sep);
    return text;
}

QString exportNumberText(double value)
{
    QString text = generalFloatText(value).trimmed();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    return text;
}

namespace {
// Fixed text with two decimals, half away from zero on the decimal digits, as
// the display formats round.
QString twoDecimalDigits(double value, QString* fraction)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", std::fabs(value) + 1e-12 * std::fabs(value));
    QString text = QString::fromLatin1(buffer);
    const int dot = text.indexOf(QLatin1Char('.'));
    *fraction = text.mid(dot + 1);
    while (fraction->endsWith(QLatin1Char('0')))
        fraction->chop(1);
    return text.left(dot);
}
} // namespace

QString formatHashDotHash(double value, const QLocale& locale)
{
    if (std::isnan(value))
        return {};
    QString fraction;
    QString integer = twoDecimalDigits(value, &fraction);
    if (integer == QLatin1String("0"))
        integer.clear();
    if (integer.isEmpty() && fraction.isEmpty())
        return QStringLiteral("0");
    QString text = integer;
    if (!fraction.isEmpty())
        text += locale.decimalPoint() + fraction;
    return value < 0 ? QLatin1Char('-') + text : text;
}

QString formatGroupedTwoDecimals(double value, const QLocale& locale)
{
    if (std::isnan(value))
        return {};
    QString fraction;
    const QString integer = twoDecimalDigits(value, &fraction);
    QString grouped;
    const QString group = locale.groupSeparator();
    for (int i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            grouped += group;
        grouped += integer.at(i);
    }
    QString text = grouped;
    if (!fraction.isEmpty())
        text += locale.decimalPoint() + fraction;
    const bool zero = integer == QLatin1String("0") && fraction.isEmpty();
    return value < 0 && !zero ? QLatin1Char('-') + text : text;
}

QString NormaliseNumberText(const QString& text)
{
    const QString trimmed = text.trimmed();
    QString result;
    result.reserve(trimmed.size());
    for (QChar c : trimmed) {
        if (c.isDigit() && c.unicode() < 128)
            result += c;
        else if (c == QLatin1Char(',') || c == QLatin1Char('.'))
            result += QLatin1Char(',');
        else
            throw NumberFormatError(QStringLiteral("Incorrect data format : ") + text);
    }
    return result;
}

FixedPoint4 fixedPointFromNormalised(const QString& normalised)
{
    QString text = normalised;
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || text.count(QLatin1Char('.')) > 1 || !FixedPoint4::representable(value))
        throw NumberFormatError(QStringLiteral("'%1' is not a valid floating point value").arg(normalised));
    return FixedPoint4::fromDouble(value);
}

int integerFromText(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        throw NumberFormatError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

} // namespace korvel
