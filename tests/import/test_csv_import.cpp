// CSV tables merged into a copy of a base database: clashes with the base,
// referential checks across the tables, values in the C locale, UTF-8.
#include "CsvSource.h"
#include "ImportTestSupport.h"
#include "Importer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace korvel::import;
using namespace korvel::test;

namespace {

using Files = QList<QPair<QString, QByteArray>>;

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestCsvImport : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_base;
    int m_folders = 0;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // Writes the files into a new folder and reads them as the command does.
    QList<SourceTable> sources(const Files& files)
    {
        const QString folder = path(QStringLiteral("set%1").arg(++m_folders));
        QDir().mkpath(folder);
        QList<SourceTable> tables;
        for (const auto& [name, text] : files) {
            QFile f(folder + QLatin1Char('/') + name);
            if (!f.open(QIODevice::WriteOnly))
                return {};
            f.write(text);
            f.close();
            tables << readCsvSource(f.fileName());
        }
        return tables;
    }

    ImportReport merge(const Files& files, const QString& out)
    {
        ImportOptions options;
        options.strict = true;
        options.basePath = m_base;
        return importTables(sources(files), out, options);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // The base: classes, two systems, two properties, one publication, one
        // temperature line.
        m_base = path(QStringLiteral("base.sqlite"));
        ImportOptions options;
        options.strict = true;
        const ImportReport report = importTables(
            sources({{"SELECT_SYSTEM.csv", "ID_SELECT,NAZWA\n1,Pure metals\n2,Binary systems\n"},
                     {"TAB_UKL.csv", "ID_TAB_UKL,ID_SELECT,OZNACZENIE,XP\n1,1,Sn,\n7,2,Ag-Sn,X Sn\n"},
                     {"WLASNOSCI.csv", "ID_WLASCIWOSCI,WLASNOSC\n1,Density\n4,Viscosity\n"},
                     {"PUBLIKACJE.csv", "ID_PUBLIKACJI,OZNACZENIE,NAZWISKA,TYTUL,CZASOPISMO,WOLUMIN,STRONY,ROK\n"
                                        "3,[2004Gąs],\"Gąsior W., Moser Z.\",Density of Ag-Sn,Arch. Metall.,49,12-20,2004\n"},
                     {"DANE_WLASNOSCI_T.csv", "ID_DANE_WLA_T,ID_WLASCIWOSCI,ID_TAB_UKL,ID_PUBLIKACJI,X,T,A,B,Nr,Nr2\n"
                                              "1,1,7,3,0.5,600,8,-0.001,,\n2,1,7,3,0.5,900,8,-0.001,,\n"}}),
            m_base, options);
        QVERIFY2(report.written, qPrintable(reportText(report)));
    }

    void mergesIntoACopyOfTheBase()
    {
        const QByteArray before = fileBytes(m_base);
        const QString out = path(QStringLiteral("merged.sqlite"));
        const ImportReport report = merge(
            {{"PUBLIKACJE.csv", "ID_PUBLIKACJI,OZNACZENIE,NAZWISKA,TYTUL,CZASOPISMO,WOLUMIN,STRONY,ROK\n"
                                "4,[2011Żuk],Żuk A.,\"Lepkość, \"\"nowe\"\" dane\",,,,2011\n"},
             {"DANE_WLASNOSCI.csv", "ID_DANE_WLA,ID_WLASCIWOSCI,ID_TAB_UKL,ID_PUBLIKACJI,X,A,B,UWAGI\n"
                                    "1,1,7,4,0.25,8.1e0,-6.5E-4,measured twice\n2,4,7,3,0.5,0.4,12000,\n"}},
            out);
        QVERIFY2(report.written, qPrintable(reportText(report)));
        QCOMPARE(report.problems, QStringList());
        QCOMPARE(report.tables[1].notes, QStringList{QStringLiteral("extra column UWAGI kept")});
        QCOMPARE(fileBytes(m_base), before); // the base itself is never written
        QCOMPARE(queryRows(out, QStringLiteral("SELECT ID_PUBLIKACJI, OZNACZENIE, TYTUL FROM PUBLIKACJE ORDER BY 1")),
                 (QList<QVariantList>{{3, QStringLiteral("[2004Gąs]"), QStringLiteral("Density of Ag-Sn")},
                                      {4, QStringLiteral("[2011Żuk]"), QStringLiteral("Lepkość, \"nowe\" dane")}}));
        QCOMPARE(queryRows(out, QStringLiteral("SELECT ID_DANE_WLA, X, A, B, UWAGI FROM DANE_WLASNOSCI ORDER BY 1")),
                 (QList<QVariantList>{{1, 0.25, 8.1, -0.00065, QStringLiteral("measured twice")}, {2, 0.5, 0.4, 12000.0, QVariant()}}));
        QCOMPARE(queryRows(out, QStringLiteral("SELECT COUNT(*) FROM DANE_WLASNOSCI_T")), (QList<QVariantList>{{2}}));
    }

    void clashesWithTheBaseAreReportedNeverOverwritten()
    {
        const QString out = path(QStringLiteral("clash.sqlite"));
        const ImportReport report = merge(
            {{"PUBLIKACJE.csv", "ID_PUBLIKACJI,OZNACZENIE,NAZWISKA,TYTUL,CZASOPISMO,WOLUMIN,STRONY,ROK\n"
                                "3,[2012Nowy],,,,,,2012\n9,[2004Gąs],,,,,,2004\n"},
             {"TAB_UKL.csv", "ID_TAB_UKL,ID_SELECT,OZNACZENIE,XP\n7,2,Ag-Cu,X Cu\n"}},
            out);
        QVERIFY(!report.written);
        QVERIFY(!QFile::exists(out));
        QCOMPARE(report.problems,
                 (QStringList{QStringLiteral("%1: record 1: ID_PUBLIKACJI 3 is already in the base; its row is kept")
                                  .arg(report.tables[0].file),
                              QStringLiteral("%1: record 2: OZNACZENIE '[2004Gąs]' is already in the base; its row is kept")
                                  .arg(report.tables[0].file),
                              QStringLiteral("%1: record 1: ID_TAB_UKL 7 is already in the base; its row is kept")
                                  .arg(report.tables[1].file)}));
    }

    void namesEveryProblem_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("problem");
        const QByteArray equations = "ID_DANE_WLA,ID_WLASCIWOSCI,ID_TAB_UKL,ID_PUBLIKACJI,X,A,B\n";
        const QByteArray lines = "ID_DANE_WLA_T,ID_WLASCIWOSCI,ID_TAB_UKL,ID_PUBLIKACJI,X,T,A,B,Nr,Nr2\n";
        QTest::newRow("system") << "DANE_WLASNOSCI.csv" << equations + "1,1,8,3,0.5,8,0\n"
                                << "DANE_WLASNOSCI.csv record 1: ID_TAB_UKL 8 names no system of TAB_UKL";
        QTest::newRow("property") << "DANE_WLASNOSCI.csv" << equations + "1,1,7,3,0.5,8,0\n2,2,7,3,0.5,8,0\n"
                                  << "DANE_WLASNOSCI.csv record 2: ID_WLASCIWOSCI 2 names no property of WLASNOSCI";
        QTest::newRow("publication") << "DANE_WLASNOSCI.csv" << equations + "1,1,7,30,0.5,8,0\n"
                                     << "DANE_WLASNOSCI.csv record 1: ID_PUBLIKACJI 30 names no publication of PUBLIKACJE";
        QTest::newRow("class") << "TAB_UKL.csv" << QByteArray("ID_TAB_UKL,ID_SELECT,OZNACZENIE,XP\n12,3,Ag-Cu-Sn,\n")
                               << "TAB_UKL.csv record 1: ID_SELECT 3 names no system class of SELECT_SYSTEM";
        QTest::newRow("line of three rows") << "DANE_WLASNOSCI_T.csv" << lines + "5,1,7,3,0.25,600,8,0,,\n6,1,7,3,0.25,700,8,0,,\n7,1,7,3,0.25,800,8,0,,\n"
                                            << "DANE_WLASNOSCI_T.csv record 1, DANE_WLASNOSCI_T.csv record 2, DANE_WLASNOSCI_T.csv record 3: "
                                               "the temperature line of property 1, system 7, publication 3, X 0.25 has 3 row(s)";
        QTest::newRow("line of one row") << "DANE_WLASNOSCI_T.csv" << lines + "5,1,7,3,0.5,600,8,0,10,2\n"
                                         << "DANE_WLASNOSCI_T.csv record 1: the temperature line of property 1, system 7, publication 3, "
                                            "X 0.5, Nr 10, Nr2 2 has 1 row(s)";
        QTest::newRow("line across the base") << "DANE_WLASNOSCI_T.csv" << lines + "5,1,7,3,0.5,1200,8,0,,\n"
                                              << "DANE_WLASNOSCI_T row 1 of the base, DANE_WLASNOSCI_T row 2 of the base, "
                                                 "DANE_WLASNOSCI_T.csv record 1: the temperature line";
        QTest::newRow("publication key") << "PUBLIKACJE.csv"
                                         << QByteArray("ID_PUBLIKACJI,OZNACZENIE,NAZWISKA,TYTUL,CZASOPISMO,WOLUMIN,STRONY,ROK\n"
                                                       "10,[2020A],,,,,,2020\n11,[2020A],,,,,,2020\n")
                                         << "PUBLIKACJE.csv: record 2: OZNACZENIE '[2020A]' repeats record 1";
        QTest::newRow("comma decimal") << "DANE_WLASNOSCI.csv" << equations + "1,1,7,3,\"0,5\",8,0\n"
                                       << "DANE_WLASNOSCI.csv: record 1: X is not a number: '0,5'";
        QTest::newRow("text in an identifier") << "DANE_WLASNOSCI.csv" << equations + "1,one,7,3,0.5,8,0\n"
                                               << "DANE_WLASNOSCI.csv: record 1: ID_WLASCIWOSCI is not a whole number: 'one'";
        QTest::newRow("empty key") << "DANE_WLASNOSCI.csv" << equations + ",1,7,3,0.5,8,0\n"
                                   << "DANE_WLASNOSCI.csv: record 1: ID_DANE_WLA is empty";
    }

    void namesEveryProblem()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, text);
        QFETCH(QString, problem);
        const QString out = path(QStringLiteral("problem.sqlite"));
        const ImportReport report = merge({{file, text}}, out);
        QVERIFY(!report.written);
        QVERIFY(!QFile::exists(out));
        QCOMPARE(report.problems.size(), 1);
        // Problems name the file by its path; compare from the file name on.
        QString got = report.problems[0];
        got.replace(QFileInfo(report.tables[0].file).absolutePath() + QLatin1Char('/'), QString());
        QVERIFY2(got.contains(problem), qPrintable(got));
    }

    // Text that would be stored as something other than what the file says.
    void refusesFieldsThatAreNotWhatTheySay_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("text after a closing quote") << QByteArray("ID,NAZWISKA\n1,\"Nowak\"x\n")
                                                    << QStringLiteral("t.csv:2: text after the closing quote");
        QTest::newRow("blank after a closing quote") << QByteArray("ID,NAZWISKA\n1,ok\n2,\"Nowak\" \n")
                                                     << QStringLiteral("t.csv:3: text after the closing quote");
        QTest::newRow("NUL in a field") << QByteArray("ID,NAZWISKA\n1,ok\n2,No\0wak\n", 24)
                                        << QStringLiteral("t.csv:3: a NUL character");
        QTest::newRow("NUL in a quoted field") << QByteArray("ID,NAZWISKA\n1,\"a\nb\0\"\n", 20)
                                               << QStringLiteral("t.csv:3: a NUL character");
    }
    void refusesFieldsThatAreNotWhatTheySay()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        try {
            const SourceTable t = parseCsvSource(bytes, QStringLiteral("t.csv"));
            QFAIL(qPrintable(QStringLiteral("read as %1 rows").arg(t.rows.size())));
        } catch (const std::exception& e) {
            QVERIFY2(QString::fromUtf8(e.what()).startsWith(message), e.what());
        }
        // A doubled quote inside quotes is still one quote.
        const SourceTable good = parseCsvSource("ID,NAZWISKA\n1,\"No\"\"wak\"\n", QStringLiteral("t.csv"));
        QCOMPARE(good.rows.value(0).values.value(1).toString(), QStringLiteral("No\"wak"));
    }

    // A file read from disk streams its rows while they are written: the same
    // rows, records and errors as the file's bytes read at once.
    void fileStreamsTheSameRows()
    {
        QByteArray bytes = "\xEF\xBB\xBFID_WLASCIWOSCI,WLASNOSC\r\n";
        for (int i = 1; i <= 3000; ++i)
            bytes += QByteArray::number(i) + ",\"prop " + QByteArray::number(i) + "\nline\"\r\n";
        const QString file = path(QStringLiteral("WLASNOSCI.csv"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        const SourceTable streamed = readCsvSource(file);
        const SourceTable whole = parseCsvSource(bytes, file);
        QCOMPARE(streamed.columns.size(), 2);
        QCOMPARE(streamed.streamedRows, 3000);
        QList<SourceRow> rows;
        streamed.forEachRow([&](SourceRow& row) { rows << row; });
        QCOMPARE(rows.size(), whole.rows.size());
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows[i].record, whole.rows[i].record);
            QCOMPARE(rows[i].values, whole.rows[i].values);
        }
    }

    void refusesTextThatIsNotUtf8()
    {
        const QString file = path(QStringLiteral("WLASNOSCI.csv"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("ID_WLASCIWOSCI,WLASNOSC\n1,G\xea\x73to\x9c\xe6\n"); // windows-1250, not UTF-8
        f.close();
        try {
            readCsvSource(file);
            QFAIL("text in windows-1250 was read as UTF-8");
        } catch (const std::exception& e) {
            QCOMPARE(QString::fromUtf8(e.what()), file + QStringLiteral(": not UTF-8 text"));
        }
    }

    // More problems than are kept in memory: every one is still reported, in
    // the order found, and counted.
    void reportsEveryProblemBeyondThoseKeptInMemory()
    {
        const int rows = int(ImportReport::MaxProblemsInMemory) + 250;
        QByteArray text = "ID_TAB_UKL,ID_PUBLIKACJI,ID_WLASCIWOSCI,X,T,Y,Nr,Nr2\n";
        for (int i = 1; i <= rows; ++i)
            text += "7,3,1,0.5,600,7.5," + QByteArray::number(i) + ",99\n"; // Nr2 is free; ID_PUBLIKACJI 3 exists
        text.replace("7,3,1", "7,8,1"); // publication 8 is in no table
        const QString out = path(QStringLiteral("many.sqlite"));
        const ImportReport report = merge({{"PUNKTY_D.csv", text}}, out);
        QVERIFY(!report.written);
        QVERIFY(!QFile::exists(out));
        QCOMPARE(report.problemCount, qint64(rows));
        QCOMPARE(report.problems.size(), ImportReport::MaxProblemsInMemory);
        QVERIFY(report.moreProblems);
        const QString file = report.tables[0].file;
        const QStringList lines = reportText(report).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QStringList problems;
        for (const QString& line : lines) {
            if (line.startsWith(QLatin1String("problem: ")))
                problems << line.mid(9);
        }
        QCOMPARE(problems.size(), rows);
        for (int i : {1, int(ImportReport::MaxProblemsInMemory), int(ImportReport::MaxProblemsInMemory) + 1, rows})
            QCOMPARE(problems[i - 1], QStringLiteral("%1 record %2: ID_PUBLIKACJI 8 names no publication of PUBLIKACJE").arg(file).arg(i));
        // Read back twice gives the same list.
        QCOMPARE(reportText(report), reportText(report));
    }
};

QTEST_GUILESS_MAIN(TestCsvImport)
#include "test_csv_import.moc"
