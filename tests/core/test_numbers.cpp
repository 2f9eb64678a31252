#include "core/Numbers.h"

#include <QLocale>
#include <QtTest>

using namespace korvel;

class TestNumbers : public QObject {
    Q_OBJECT
private slots:
    void normalise_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("point and blanks") << "  1273.5 " << "1273,5";
        QTest::newRow("comma kept") << "1273,5" << "1273,5";
        QTest::newRow("integer") << "800" << "800";
        QTest::newRow("blank") << "   " << "";
        QTest::newRow("empty") << "" << "";
    }
    void normalise()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(NormaliseNumberText(input), expected);
    }
    void normaliseRejects_data()
    {
        QTest::addColumn<QString>("input");
        QTest::newRow("minus") << "-5";
        QTest::newRow("exponent") << "1e3";
        QTest::newRow("letter inside blanks") << " 12a ";
        QTest::newRow("inner blank") << "12 3";
    }
    void normaliseRejects()
    {
        QFETCH(QString, input);
        try {
            NormaliseNumberText(input);
            QFAIL("no error raised");
        } catch (const NumberFormatError& e) {
            // The message carries the text as given, untrimmed.
            QCOMPARE(e.message(), QStringLiteral("Incorrect data format : ") + input);
        }
    }
    void fixedPoint()
    {
        QCOMPARE(FixedPoint4::fromDouble(0.25).raw(), 2500);
        QCOMPARE(FixedPoint4::fromDouble(0.00004).raw(), 0);
        QCOMPARE(FixedPoint4::fromDouble(-1.23456).raw(), -12346);
        QCOMPARE(fixedPointFromNormalised("1273,5").raw(), 12735000);
        QCOMPARE(FixedPoint4::fromDouble(0.25).shortestText(QLatin1Char(',')), QStringLiteral("0,25"));
        QCOMPARE(FixedPoint4::fromDouble(1273).shortestText(), QStringLiteral("1273"));
        QCOMPARE(FixedPoint4::fromDouble(-0.0001).shortestText(), QStringLiteral("-0.0001"));
        QVERIFY_THROWS_EXCEPTION(NumberFormatError, fixedPointFromNormalised("1,2,3"));
        QVERIFY_THROWS_EXCEPTION(NumberFormatError, fixedPointFromNormalised(""));
    }
    // Numbers beyond the fixed-point range are refused like any other bad text
    // (they used to wrap to a wrong value, 20 nines giving -922337203685477.5808).
    void fixedPointRange_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("20 nines") << "99999999999999999999" << false;
        QTest::newRow("53 fours") << QString(53, QLatin1Char('4')) << false;
        QTest::newRow("400 digits") << QString(400, QLatin1Char('9')) << false;
        QTest::newRow("just over the range") << "922337203685477.5808" << false;
        QTest::newRow("large whole number") << "90071992547" << true;
        QTest::newRow("18 digits with decimals") << "123456789012,3456" << true;
    }
    void fixedPointRange()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        const QString normalised = NormaliseNumberText(typed);
        if (!accepted) {
            QVERIFY_THROWS_EXCEPTION(NumberFormatError, fixedPointFromNormalised(normalised));
            try {
                fixedPointFromNormalised(normalised);
            } catch (const NumberFormatError& e) {
                QCOMPARE(e.message(), QStringLiteral("'%1' is not a valid floating point value").arg(normalised));
            }
            return;
        }
        const FixedPoint4 value = fixedPointFromNormalised(normalised);
        QVERIFY(value.raw() > 0);
        QCOMPARE(value.shortestText(QLatin1Char(',')), normalised);
    }
    void fixedPointFromDoubleRange()
    {
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, FixedPoint4::fromDouble(1e15));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, FixedPoint4::fromDouble(qQNaN()));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, FixedPoint4::fromDouble(-qInf()));
        QCOMPARE(FixedPoint4::fromDouble(-9e14).raw(), -9000000000000000000LL);
    }
    void roundingTiesToEven()
    {
        QCOMPARE(roundHalfEven(2.5, 0), 2.0);
        QCOMPARE(roundHalfEven(3.5, 0), 4.0);
        QCOMPARE(roundHalfEven(5.0586, 2), 5.06);
        QCOMPARE(roundHalfEven(1.125, 2), 1.12); // 1.125 is exact in binary: tie -> even
    }
    void generalText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("integer") << 1273.0 << "1273";
        QTest::newRow("fraction") << 0.05 << "0.05";
        QTest::newRow("no trailing zeros") << 5.06 << "5.06";
        QTest::newRow("15 digits") << 1.0 / 3.0 << "0.333333333333333";
        QTest::newRow("small fixed") << 0.00001 << "0.00001";
        QTest::newRow("tiny scientific") << 0.000001 << "1E-6";
        QTest::newRow("negative") << -0.00138 << "-0.00138";
        QTest::newRow("big scientific") << 1.5e15 << "1.5E15";
        QTest::newRow("big fixed") << 123456789012345.0 << "123456789012345";
    }
    void generalText()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(generalFloatText(value), expected);
        QCOMPARE(exportNumberText(value), expected);
    }
    void generalTextUsesLocaleSeparator()
    {
        QCOMPARE(generalFloatTextLocal(5.06, QLocale(QLocale::Polish)), QStringLiteral("5,06"));
        QCOMPARE(generalFloatTextLocal(5.06, QLocale::c()), QStringLiteral("5.06"));
    }
    void displayFormats()
    {
        const QLocale c = QLocale::c();
        QCOMPARE(formatHashDotHash(7.4567, c), QStringLiteral("7.46"));
        QCOMPARE(formatHashDotHash(0.5, c), QStringLiteral(".5"));
        QCOMPARE(formatHashDotHash(12.0, c), QStringLiteral("12"));
        QCOMPARE(formatHashDotHash(0.0, c), QStringLiteral("0"));
        QCOMPARE(formatHashDotHash(-0.25, c), QStringLiteral("-.25"));
        QCOMPARE(formatHashDotHash(18.75, QLocale(QLocale::Polish)), QStringLiteral("18,75"));
        QCOMPARE(formatGroupedTwoDecimals(1234.5, c), QStringLiteral("1,234.5"));
        QCOMPARE(formatGroupedTwoDecimals(0.05, c), QStringLiteral("0.05"));
        QCOMPARE(formatGroupedTwoDecimals(1000000.0, c), QStringLiteral("1,000,000"));
    }
    void gridText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("leading zero kept") << 0.86 << "0.86";
        QTest::newRow("negative fraction") << -0.25 << "-0.25";
        QTest::newRow("five significant") << 7.456789 << "7.4568";
        QTest::newRow("integer part whole") << 1234567.8 << "1234568";
        QTest::newRow("thousands, one decimal") << 9134.25 << "9134.3";
        QTest::newRow("small B coefficient") << -0.00112345678 << "-0.0011235";
        QTest::newRow("no trailing zeros") << 1273.0 << "1273";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("rounds to zero sign") << -0.000000 << "0";
        QTest::newRow("tiny in exponent form") << 0.0000123456 << "1.2346E-5";
        QTest::newRow("huge in exponent form") << 2.5e12 << "2.5E12";
        QTest::newRow("rounding carries a digit") << 9.999996 << "10";
    }
    void gridText()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(gridNumberText(value, QLocale::c()), expected);
    }
    void gridTextUsesLocaleSeparator()
    {
        QCOMPARE(gridNumberText(0.86, QLocale(QLocale::Polish)), QStringLiteral("0,86"));
        QCOMPARE(gridNumberText(1234.5, QLocale(QLocale::Polish)), QStringLiteral("1234.5").replace('.', ','));
    }
    void integers()
    {
        QCOMPARE(integerFromText("1273"), 1273);
        QCOMPARE(integerFromText(" 800 "), 800);
        QVERIFY_THROWS_EXCEPTION(NumberFormatError, integerFromText("12.5"));
        QVERIFY_THROWS_EXCEPTION(NumberFormatError, integerFromText("abc"));
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "test_numbers.moc"
