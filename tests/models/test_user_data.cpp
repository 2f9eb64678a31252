// The user-data text format line by line, the point list and the file texts.
#include "models/UserData.h"

#include <QtTest>

using namespace korvel;

Q_DECLARE_METATYPE(QList<double>)

class TestUserData : public QObject {
    Q_OBJECT
private slots:
    void lines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QList<double>>("values"); // NaN: absent
        const double none = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("plain") << "1.1;2.1" << true << QList<double>{1.1, 2.1};
        QTest::newRow("blanks and trailing separator") << "1.4444  ;   16.44444444444444  ;" << true
                                                       << QList<double>{1.4444, 16.44444444444444};
        QTest::newRow("leading blanks") << "     1.55555; 32.5555555555    " << true << QList<double>{1.55555, 32.5555555555};
        QTest::newRow("text before the separator") << "1.5 2.5;3.5" << true << QList<double>{1.5, 3.5};
        QTest::newRow("no separator, no second number") << "1.5 22" << true << QList<double>{1.5, none};
        QTest::newRow("two separators count as one") << "1;;2" << true << QList<double>{1, 2};
        QTest::newRow("leading minus") << "-1;2" << false << QList<double>{};
        // A number is never read as another one: signs, decimal commas,
        // exponents and words where a number belongs.
        QTest::newRow("later minus refuses the line") << "1;-2" << false << QList<double>{};
        QTest::newRow("minus after blanks") << "1; - 2" << false << QList<double>{};
        QTest::newRow("negative exponent form") << "1;-1e308" << false << QList<double>{};
        QTest::newRow("decimal comma") << "1,5;2" << true << QList<double>{1.5, 2};
        QTest::newRow("decimal commas") << "0,1;9,40" << true << QList<double>{0.1, 9.4};
        QTest::newRow("comma and point") << "1,5.3;2" << false << QList<double>{};
        QTest::newRow("exponent") << "1;2.5e3;4E-2" << true << QList<double>{1, 2500, 0.04};
        QTest::newRow("exponent too large") << "1;1e999" << false << QList<double>{};
        QTest::newRow("e without digits is text") << "1.5 eV;2" << true << QList<double>{1.5, 2};
        QTest::newRow("nan") << "0.5;nan" << false << QList<double>{};
        QTest::newRow("word between numbers") << "1;x;2" << false << QList<double>{};
        QTest::newRow("inf first") << "inf;2" << false << QList<double>{};
        QTest::newRow("two points") << "1.2.3;4" << false << QList<double>{};
        QTest::newRow("lone point") << ".;4" << false << QList<double>{};
        QTest::newRow("letter first") << "a1;2" << false << QList<double>{};
        QTest::newRow("separator first") << ";1;2" << false << QList<double>{};
        QTest::newRow("tab and CR around") << "\t1;2\r" << true << QList<double>{1, 2};
        QTest::newRow("temperature line") << "1273;7.1;7.0;6.9" << true << QList<double>{1273, 7.1, 7.0, 6.9};
        QTest::newRow("bad later number") << "1;2..5" << false << QList<double>{};
        QTest::newRow("point without digits after") << "1.;2" << true << QList<double>{1, 2};
        QTest::newRow("point without digits before") << ".5;2" << true << QList<double>{0.5, 2};
    }
    void lines()
    {
        QFETCH(QString, line);
        QFETCH(bool, valid);
        QFETCH(QList<double>, values);
        const UserDataLine r = UserDataLineParser().parse(line);
        QCOMPARE(r.kind, valid ? UserDataLine::Kind::Record : UserDataLine::Kind::Invalid);
        for (int k = 0; k < values.size(); ++k) {
            if (std::isnan(values[k]))
                QVERIFY2(!r.record.has(k), qPrintable(QStringLiteral("value %1 must be absent").arg(k)));
            else
                QCOMPARE(r.record[k], values[k]);
        }
        if (valid)
            QCOMPARE(r.numberCount, int(std::count_if(values.begin(), values.end(), [](double v) { return !std::isnan(v); })));
    }

    void emptyLinesYieldNothing()
    {
        for (const QString& line : {QString(), QStringLiteral("   "), QStringLiteral("\t\r")})
            QCOMPARE(UserDataLineParser().parse(line).kind, UserDataLine::Kind::Empty);
    }

    void atMostTwentyOneNumbers()
    {
        QStringList numbers;
        for (int i = 0; i < 25; ++i)
            numbers << QString::number(i);
        const UserDataLine r = UserDataLineParser().parse(numbers.join(QLatin1Char(';')));
        QCOMPARE(r.numberCount, 21);
        QCOMPARE(r.record[20], 20.0);
    }

    void pointListIndexError()
    {
        TPointList list;
        PointRecord r;
        r.values[0] = 1;
        list.Add(r);
        list.Add(r);
        QCOMPARE(list.Count(), 2);
        QCOMPARE(list.Get(1)[0], 1.0);
        for (int index : {2, -1}) {
            try {
                list.Get(index);
                QFAIL("no error");
            } catch (const PointListIndexError& e) {
                QCOMPARE(e.message(), QStringLiteral("ListIndex (%1) is out of bounds [0,  1] !").arg(index));
            }
        }
    }

    void fileTexts()
    {
        // Not valid UTF-8: read in the code page of the older program's files.
        const QByteArray ansi("\xa3\xf3" "d\x9f;1\r\n2;3\r4;5\n");
        const QString text = decodeUserDataFile(ansi);
        QCOMPARE(splitUserDataLines(text),
                 (QStringList{QStringLiteral("\u0141\u00f3d\u017a;1"), QStringLiteral("2;3"), QStringLiteral("4;5")}));
        QCOMPARE(decodeUserDataFile(QByteArray("\xc5\x81;1")), QStringLiteral("\u0141;1"));
        QCOMPARE(encodeUserDataFile({QStringLiteral("1;2"), QStringLiteral("3;4")}), QByteArray("1;2\r\n3;4\r\n"));
    }
};

QTEST_MAIN(TestUserData)
#include "test_user_data.moc"
