// Paradox tables written with pxlib, read back by the import: field types,
// NULLs, code pages, extra tables and columns, missing columns, damaged files.
#include "ImportTestSupport.h"
#include "Importer.h"
#include "ParadoxReader.h"
#include "ParadoxWriter.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

using namespace korvel::import;
using namespace korvel::test;

namespace {

const QList<ParadoxFieldSpec> kPublicationFields{
    {QStringLiteral("ID_PUBLIKACJI"), pxf::Long, 4},   {QStringLiteral("OZNACZENIE"), pxf::Alpha, 40},
    {QStringLiteral("NAZWISKA"), pxf::Alpha, 80},      {QStringLiteral("TYTUL"), pxf::Alpha, 120},
    {QStringLiteral("CZASOPISMO"), pxf::Alpha, 60},    {QStringLiteral("WOLUMIN"), pxf::Alpha, 10},
    {QStringLiteral("STRONY"), pxf::Alpha, 12},        {QStringLiteral("ROK"), pxf::Short, 2},
    // Columns the schema does not have: kept.
    {QStringLiteral("DODANO"), pxf::Date, 4},          {QStringLiteral("SPRAWDZONO"), pxf::Logical, 1},
    {QStringLiteral("KOSZT"), pxf::Currency, 8},       {QStringLiteral("NUMER"), pxf::AutoIncrement, 4},
};

QString readError(const QByteArray& bytes, const QString& file = QStringLiteral("BAD.db"))
{
    try {
        readParadoxTable(bytes, file, QStringLiteral("BAD"));
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void putU16(QByteArray& b, int at, int v)
{
    b[at] = char(v & 0xff);
    b[at + 1] = char((v >> 8) & 0xff);
}

} // namespace

class TestParadoxImport : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // A small database in Paradox tables: classes, systems, properties,
    // publications (with extra columns) and equations, and a table of notes
    // that the schema does not have.
    void writeDatabase(const QString& folder)
    {
        QDir().mkpath(folder);
        auto write = [&](const QString& table, const QList<ParadoxFieldSpec>& fields, const QList<QVariantList>& rows) {
            const QString error = writeParadoxTable(folder + QStringLiteral("/") + table + QStringLiteral(".db"), fields, rows);
            QVERIFY2(error.isEmpty(), qPrintable(error));
        };
        write(QStringLiteral("SELECT_SYSTEM"), {{"ID_SELECT", pxf::Short, 2}, {"NAZWA", pxf::Alpha, 30}},
              {{1, QStringLiteral("Pure metals")}, {2, QStringLiteral("Binary systems")}});
        write(QStringLiteral("TAB_UKL"),
              {{"ID_TAB_UKL", pxf::Long, 4}, {"ID_SELECT", pxf::Short, 2}, {"OZNACZENIE", pxf::Alpha, 40}, {"XP", pxf::Alpha, 40}},
              {{1, 1, QStringLiteral("Sn"), QVariant()}, {7, 2, QStringLiteral("Ag-Sn"), QStringLiteral("X Sn")}});
        write(QStringLiteral("wlasnosci"), {{"ID_WLASCIWOSCI", pxf::AutoIncrement, 4}, {"WLASNOSC", pxf::Alpha, 40}},
              {{1, QStringLiteral("Density")}, {4, QStringLiteral("Viscosity")}});
        write(QStringLiteral("PUBLIKACJE"), kPublicationFields,
              {{3, QStringLiteral("[2004Gąs]"), QStringLiteral("Gąsior W., Moser Z., Łódź Ż."),
                QStringLiteral("Gęstość i napięcie powierzchniowe stopów"), QStringLiteral("Arch. Metall."),
                QStringLiteral("49"), QStringLiteral("12-20"), 2004, QDate(2005, 3, 14), true, 12.5, 1},
               {5, QStringLiteral("[1998Kow]"), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
                QVariant(), false, QVariant(), 2}});
        write(QStringLiteral("DANE_WLASNOSCI"),
              {{"ID_DANE_WLA", pxf::Long, 4}, {"ID_WLASCIWOSCI", pxf::Short, 2}, {"ID_TAB_UKL", pxf::Long, 4},
               {"ID_PUBLIKACJI", pxf::Long, 4}, {"X", pxf::Number, 8}, {"A", pxf::Number, 8}, {"B", pxf::Number, 8}},
              {{10, 1, 7, 3, 0.0, 7.0031, -0.00063}, {11, 1, 7, 3, 0.25, 8.5, QVariant()},
               {12, 1, 7, 3, QVariant(), 9.0, -0.001},   // X is required: rejected
               {11, 1, 7, 3, 0.5, 9.0, -0.001},          // repeats the key of the second row: rejected
               {13, 4, 7, 99, 0.5, 1.0, 2.0}});          // names a publication that is not there: a warning
        write(QStringLiteral("NOTATKI"), {{"TEMAT", pxf::Alpha, 20}, {"DNIA", pxf::Date, 4}, {"WAZNE", pxf::Logical, 1}},
              {{QStringLiteral("Źródło"), QDate(1999, 12, 31), true}});
    }

    QList<SourceTable> readFolder(const QString& folder)
    {
        QList<SourceTable> tables;
        const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.db")}, QDir::Files, QDir::Name);
        for (const QFileInfo& f : files)
            tables << readParadoxFile(f.filePath());
        return tables;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void readsEveryFieldTypeNullsAndPolishText()
    {
        writeDatabase(path(QStringLiteral("types")));
        const SourceTable t = readParadoxFile(path(QStringLiteral("types/PUBLIKACJE.db")));
        QCOMPARE(t.table, QStringLiteral("PUBLIKACJE"));
        QCOMPARE(t.columns.size(), kPublicationFields.size());
        QCOMPARE(t.rows.size(), 2);
        const QVariantList& first = t.rows[0].values;
        QCOMPARE(first[0], QVariant(qlonglong(3)));
        QCOMPARE(first[1].toString(), QStringLiteral("[2004Gąs]"));
        QCOMPARE(first[2].toString(), QStringLiteral("Gąsior W., Moser Z., Łódź Ż."));
        QCOMPARE(first[3].toString(), QStringLiteral("Gęstość i napięcie powierzchniowe stopów"));
        QCOMPARE(first[7], QVariant(qlonglong(2004)));
        QCOMPARE(first[8].toDate(), QDate(2005, 3, 14));
        QCOMPARE(first[9], QVariant(true));
        QCOMPARE(first[10].toDouble(), 12.5);
        QCOMPARE(first[11], QVariant(qlonglong(1)));
        const QVariantList& second = t.rows[1].values;
        for (int i : {2, 3, 4, 5, 6, 7, 8, 10})
            QVERIFY2(second[i].isNull(), qPrintable(QStringLiteral("field %1").arg(i)));
        QCOMPARE(second[9], QVariant(false)); // false is a value, not NULL

        const SourceTable equations = readParadoxFile(path(QStringLiteral("types/DANE_WLASNOSCI.db")));
        QCOMPARE(equations.rows[0].values[4].toDouble(), 0.0); // a stored zero is not NULL
        QCOMPARE(equations.rows[0].values[6].toDouble(), -0.00063);
        QVERIFY(equations.rows[1].values[6].isNull());
    }

    void importsAWholeFolder()
    {
        writeDatabase(path(QStringLiteral("whole")));
        const QString out = path(QStringLiteral("whole.sqlite"));
        const ImportReport report = importTables(readFolder(path(QStringLiteral("whole"))), out, {});
        QVERIFY(report.written);

        QHash<QString, TableReport> byTable;
        for (const TableReport& t : report.tables)
            byTable.insert(t.table, t);
        QVERIFY(byTable.contains(QStringLiteral("WLASNOSCI"))); // file name in lower case
        const TableReport equations = byTable.value(QStringLiteral("DANE_WLASNOSCI"));
        QCOMPARE(equations.read, 5);
        QCOMPARE(equations.written, 3);
        QCOMPARE(equations.rejected.size(), 2);
        QVERIFY2(equations.rejected[0].startsWith(QStringLiteral("record 3: X is empty")), qPrintable(equations.rejected[0]));
        QVERIFY2(equations.rejected[1].contains(QStringLiteral("ID_DANE_WLA 11 repeats record 2")), qPrintable(equations.rejected[1]));
        const TableReport publications = byTable.value(QStringLiteral("PUBLIKACJE"));
        QVERIFY(publications.notes.contains(QStringLiteral("extra column DODANO kept")));
        QVERIFY(publications.notes.contains(QStringLiteral("extra column KOSZT kept")));
        QVERIFY(byTable.value(QStringLiteral("NOTATKI")).extraTable);
        QVERIFY(report.absentTables.contains(QStringLiteral("DANE45")));
        QCOMPARE(report.problems.size(), 1);
        QVERIFY2(report.problems[0].contains(QStringLiteral("DANE_WLASNOSCI.db record 5: ID_PUBLIKACJI 99 names no publication")),
                 qPrintable(report.problems[0]));

        QCOMPARE(queryRows(out, QStringLiteral("SELECT NAZWISKA, DODANO, SPRAWDZONO, KOSZT, ROK FROM PUBLIKACJE ORDER BY ID_PUBLIKACJI")),
                 (QList<QVariantList>{{QStringLiteral("Gąsior W., Moser Z., Łódź Ż."), QStringLiteral("2005-03-14"), 1, 12.5, 2004},
                                      {QVariant(), QVariant(), 0, QVariant(), QVariant()}}));
        QCOMPARE(queryRows(out, QStringLiteral("SELECT ID_DANE_WLA, X, A, B FROM DANE_WLASNOSCI ORDER BY 1")),
                 (QList<QVariantList>{{10, 0.0, 7.0031, -0.00063}, {11, 0.25, 8.5, QVariant()}, {13, 0.5, 1.0, 2.0}}));
        QCOMPARE(queryRows(out, QStringLiteral("SELECT TEMAT, DNIA, WAZNE FROM NOTATKI")),
                 (QList<QVariantList>{{QStringLiteral("Źródło"), QStringLiteral("1999-12-31"), 1}}));
        // The schema's indexes and the computed tables are there, empty.
        QCOMPARE(queryRows(out, QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name IN "
                                               "('IX_DANE_WLASNOSCI_SEL', 'IX_PUNKTY_D_SEL', 'VISCOSITY', 'VISCOSITY2', 'VISCOSITY3', 'VISCOSITY4')")),
                 (QList<QVariantList>{{6}}));
        QCOMPARE(queryRows(out, QStringLiteral("SELECT COUNT(*) FROM VISCOSITY4")), (QList<QVariantList>{{0}}));
    }

    void readsTheCodePageTheHeaderNames()
    {
        const QList<ParadoxFieldSpec> fields{{QStringLiteral("NAZWA"), pxf::Alpha, 20}};
        const QString text = QStringLiteral("Łódź żółć");
        for (int codePage : {1250, 852}) {
            const QString file = path(QStringLiteral("cp%1.db").arg(codePage));
            QCOMPARE(writeParadoxTable(file, fields, {{text}}, codePage), QString());
            QCOMPARE(readParadoxFile(file).rows[0].values[0].toString(), text);
        }
        // Read in a code page other than the header's, on request.
        QCOMPARE(readParadoxFile(path(QStringLiteral("cp1250.db")), 1252).rows[0].values[0].toString(),
                 QStringLiteral("£ódŸ ¿ó³æ"));
    }

    void refusesATableWithoutARequiredColumn()
    {
        const QString folder = path(QStringLiteral("missing"));
        QDir().mkpath(folder);
        QCOMPARE(writeParadoxTable(folder + QStringLiteral("/TAB_UKL.db"),
                                   {{"ID_TAB_UKL", pxf::Long, 4}, {"OZNACZENIE", pxf::Alpha, 40}, {"XP", pxf::Alpha, 40}},
                                   {{1, QStringLiteral("Sn"), QVariant()}}),
                 QString());
        const QString out = path(QStringLiteral("missing.sqlite"));
        QFile previous(out);
        QVERIFY(previous.open(QIODevice::WriteOnly));
        previous.write("the previous output");
        previous.close();
        try {
            importTables(readFolder(folder), out, {});
            QFAIL("a table without a required column was imported");
        } catch (const std::exception& e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(QStringLiteral("TAB_UKL.db: table TAB_UKL lacks the column ID_SELECT")), e.what());
        }
        QCOMPARE(fileBytes(out), QByteArray("the previous output"));
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("missing.sqlite.*")}), QStringList());
    }

    void refusesAMemoInASchemaColumn()
    {
        const QString file = path(QStringLiteral("WLASNOSCI.db"));
        QCOMPARE(writeParadoxTable(file, {{"ID_WLASCIWOSCI", pxf::Long, 4}, {"WLASNOSC", pxf::Memo, 20}}, {{1, QVariant()}}), QString());
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, importTables({readParadoxFile(file)}, path(QStringLiteral("memo.sqlite")), {}));
        QVERIFY(!QFile::exists(path(QStringLiteral("memo.sqlite"))));
    }

    void refusesDamagedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const QString file = path(QStringLiteral("good.db"));
        QList<QVariantList> rows;
        for (int i = 0; i < 300; ++i)
            rows << QVariantList{i, QStringLiteral("row %1").arg(i)};
        QCOMPARE(writeParadoxTable(file, {{"ID", pxf::Long, 4}, {"NAME", pxf::Alpha, 30}}, rows), QString());
        const QByteArray good = fileBytes(file);
        QVERIFY(good.size() > 4096);
        QCOMPARE(readParadoxTable(good, file, QStringLiteral("good")).rows.size(), 300);
        const int headerSize = (uchar(good[2]) | (uchar(good[3]) << 8));

        QTest::newRow("empty") << QByteArray() << "too few for its header";
        QTest::newRow("text file") << QByteArray("ID,NAME\n1,Sn\n").repeated(20) << "not a Paradox table";
        QTest::newRow("header cut") << good.left(0x60) << "cut short";
        QTest::newRow("blocks cut") << good.left(good.size() - 100) << "cut short";
        QByteArray b = good;
        b[0x04] = 1;
        QTest::newRow("index file") << b << "index file";
        b = good;
        b[0x05] = 5;
        QTest::newRow("block size") << b << "invalid block size of 5 KB";
        b = good;
        b[0x05] = 0;
        QTest::newRow("no block size") << b << "invalid block size";
        b = good;
        putU16(b, 0x06, 0xFFFF);
        putU16(b, 0x08, 0x7FFF);
        QTest::newRow("huge record count") << b << "the header counts 2147483647 records";
        b = good;
        putU16(b, 0x06, 299);
        QTest::newRow("one record too few") << b << "the header counts 299 records, its data blocks hold 300";
        b = good;
        putU16(b, 0x00, 30);
        QTest::newRow("record size") << b << "does not match its fields";
        b = good;
        putU16(b, 0x21, 0);
        QTest::newRow("no fields") << b << "invalid number of fields";
        b = good;
        b[0x78] = 0x42;
        QTest::newRow("field type") << b << "invalid type";
        b = good;
        putU16(b, headerSize, 1); // the first block links to itself
        QTest::newRow("block loop") << b << "link back to block 1";
        b = good;
        putU16(b, headerSize, 900);
        QTest::newRow("block link") << b << "link to block 900";
        b = good;
        putU16(b, headerSize + 4, 7);
        QTest::newRow("block fill") << b << "invalid fill";
        b = good;
        b[0x25] = 1;
        QTest::newRow("password") << b << "password-protected";
        b = good;
        b[0x39] = 99;
        QTest::newRow("version") << b << "unknown file version";
    }

    void refusesDamagedFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString error = readError(bytes);
        QVERIFY2(error.startsWith(QStringLiteral("BAD.db: ")), qPrintable(error));
        QVERIFY2(error.contains(reason), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestParadoxImport)
#include "test_paradox_import.moc"
