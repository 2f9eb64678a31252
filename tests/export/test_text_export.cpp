// The three text exports against hand-written expected files, the CSV export
// read back by a CSV reader, the clipboard table text, and the file writing that
// never replaces a good file by a broken one.
#include "Guards.h"
#include "export/CsvExport.h"
#include "export/ExportFile.h"
#include "export/TableText.h"
#include "export/TextExport.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace korvel::exports;

namespace {

QByteArray expectedFile(const QString& name)
{
    QFile f(qEnvironmentVariable("KORVEL_TEST_DATA") + QStringLiteral("/export/") + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return f.readAll();
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

ExportBanner banner()
{
    return {QStringLiteral("KORVEL 3"), QStringLiteral("Database of physicochemical properties of alloys"),
            QStringLiteral("The Korvel 3 developers")};
}

PublicationReference fullReference()
{
    PublicationReference r;
    r.key = QStringLiteral("[2005Tst1]");
    r.authors = QStringLiteral("Tester T., Proben P.");
    r.title = QStringLiteral("Density of liquid Ag-Sn");
    r.journal = QStringLiteral("J. Test. Chem.");
    r.volume = QStringLiteral("12");
    r.year = 2005;
    r.pages = QStringLiteral("101-110");
    return r;
}

PublicationReference referenceWithoutVolume()
{
    PublicationReference r;
    r.key = QStringLiteral("[1999Nov2]");
    r.authors = QStringLiteral("Novak N.");
    r.title = QStringLiteral("Liquid ternaries");
    r.journal = QStringLiteral("J. Fixt.");
    r.year = 1999;
    r.pages = QStringLiteral("3-4");
    return r;
}

ExportHeading heading(const QString& property, const QString& system, bool high, const PublicationReference& ref)
{
    return {banner(), property, system, QStringLiteral("X Sn"), high, ref};
}

// The bytes as they land on disk.
QByteArray written(const QStringList& lines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    const WriteOutcome w = writeTextFile(path, lines);
    if (!w.ok)
        qWarning("%s", qPrintable(w.message));
    return readAll(path);
}

// A minimal RFC 4180 reader, independent of the writer.
QList<QStringList> readCsv(const QByteArray& bytes)
{
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            record << field;
            field.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) {
            record << field;
            records << record;
            record.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !record.isEmpty())
        records << (record << field);
    return records;
}

} // namespace

class TestTextExport : public QObject {
    Q_OBJECT
private slots:
    void equationsFiles_data();
    void equationsFiles();
    void calculatedValueFiles_data();
    void calculatedValueFiles();
    void viscosityModelFirstAndSecond();
    void referenceLinePieces_data();
    void referenceLinePieces();
    void referenceFromColumns();
    void fileNames();
    void replacesExistingFile();
    void missingSaveDirGivesMessage();
    void readOnlySaveDirKeepsEarlierFile();
    void failedWriteKeepsEarlierFile();
    void failedFinalFlushKeepsEarlierFile();
    void hostileKeysStayInTheFolder_data();
    void hostileKeysStayInTheFolder();
    void linkIsReplacedNotFollowed();
    void csvRoundTrip();
    void tableTextOfChosenRows();
};

void TestTextExport::equationsFiles_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("system");
    QTest::addColumn<bool>("high");
    QTest::addColumn<bool>("withVolume");
    QTest::addColumn<QList<EquationRow>>("rows");

    QTest::newRow("binary density, comma locale")
        << "equations_binary_density.txt" << "Density" << "Ag-Sn" << false << true
        << QList<EquationRow>{{0, 10.46, -0.00104, {}},
                              {0.5, 7.25, -0.000001, {}},
                              {0.000015, 0.1 + 0.2, 0.000001, {}},
                              {1, 1234567.125, 0, {}}};
    QTest::newRow("binary viscosity") << "equations_binary_viscosity.txt" << "Viscosity" << "Ag-Sn" << false << true
                                      << QList<EquationRow>{{0.25, 0.4512, 11023.5, {}}};
    QTest::newRow("ternary density, no volume")
        << "equations_ternary_density.txt" << "Density" << "Ag-Cu-Sn" << true << false
        << QList<EquationRow>{{0.1, 9.8, -0.0009, QStringLiteral("(Ag-Cu)eut-Sn")},
                              {0.9, 7.1, -0.0006, QStringLiteral("(Ag-Cu)eut-Sn")}};
}

void TestTextExport::equationsFiles()
{
    QFETCH(QString, fixture);
    QFETCH(QString, property);
    QFETCH(QString, system);
    QFETCH(bool, high);
    QFETCH(bool, withVolume);
    QFETCH(QList<EquationRow>, rows);
    // A locale that writes 7,25 must not leak into the file.
    QStringList lines;
    {
        const korvel::test::LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
        lines = equationsLines(heading(property, system, high, withVolume ? fullReference() : referenceWithoutVolume()), rows);
    }
    QCOMPARE(written(lines), expectedFile(fixture));
}

void TestTextExport::calculatedValueFiles_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("axisTitle");
    QTest::addColumn<bool>("high");
    QTest::addColumn<QList<IsothermBlock>>("blocks");

    QTest::newRow("binary, T1 and T3") << "isotherms_binary_T1_T3.txt" << "Density" << "Density[g/cm^3]" << false
                                       << QList<IsothermBlock>{{QStringLiteral("1273"), {{0, 9.1, {}, {}}, {1, 6.5, {}, {}}}},
                                                               {QStringLiteral("1473"), {{0, 8.9, {}, {}}, {1, 6.3, {}, {}}}}};
    // A value outside its equation's range carries the mark at the end of its line; the others none.
    QTest::newRow("binary, one value extrapolated")
        << "isotherms_binary_extrapolated.txt" << "Density" << "Density[g/cm^3]" << false
        << QList<IsothermBlock>{{QStringLiteral("1273"), {{0, 9.1, {}, QStringLiteral("(extrapolated)")}, {1, 6.5, {}, {}}}},
                                {QStringLiteral("1473"), {{0, 8.9, {}, {}}, {1, 6.3, {}, {}}}}};
    QTest::newRow("ternary viscosity") << "isotherms_ternary_viscosity.txt" << "Viscosity" << "Viscosity [mPa*s]"
                                       << true
                                       << QList<IsothermBlock>{
                                              {QStringLiteral("1300"), {{0.5, 1.25, QStringLiteral("(Ag-Cu)eut-Sn"), {}}}}};
    QTest::newRow("nothing calculated") << "isotherms_none.txt" << "Density" << "Density[g/cm^3]" << false
                                        << QList<IsothermBlock>{};
}

void TestTextExport::calculatedValueFiles()
{
    QFETCH(QString, fixture);
    QFETCH(QString, property);
    QFETCH(QString, axisTitle);
    QFETCH(bool, high);
    QFETCH(QList<IsothermBlock>, blocks);
    const QString system = high ? QStringLiteral("Ag-Cu-Sn") : QStringLiteral("Ag-Sn");
    const PublicationReference ref = high ? referenceWithoutVolume() : fullReference();
    QCOMPARE(written(calculatedValueLines(heading(property, system, high, ref), axisTitle, blocks)),
             expectedFile(fixture));
}

void TestTextExport::viscosityModelFirstAndSecond()
{
    const QString buffer = QStringLiteral(
        "Model of viscosity: Kozlov,  Temerature: 1273 K\n\nX        Viscosity [mPa*s]\n\n0\t\t1.2\n1\t\t1.05\n\n");
    QCOMPARE(written(viscosityModelLines(banner(), bufferLines(buffer))), expectedFile("viscosity_model_first.txt"));
    // The first export emptied the buffer.
    QCOMPARE(written(viscosityModelLines(banner(), bufferLines(QString()))),
             expectedFile("viscosity_model_second.txt"));
}

void TestTextExport::referenceLinePieces_data()
{
    QTest::addColumn<QString>("drop");
    QTest::addColumn<QString>("expected");
    const QString all = "[2005Tst1]  Tester T., Proben P., Density of liquid Ag-Sn, J. Test. Chem., Vol12, (2005) pp.101-110";
    QTest::newRow("all present") << "" << all;
    QTest::newRow("no key") << "key"
                            << "Tester T., Proben P., Density of liquid Ag-Sn, J. Test. Chem., Vol12, (2005) pp.101-110";
    QTest::newRow("no authors") << "authors"
                                << "[2005Tst1]  Density of liquid Ag-Sn, J. Test. Chem., Vol12, (2005) pp.101-110";
    QTest::newRow("no title") << "title" << "[2005Tst1]  Tester T., Proben P., J. Test. Chem., Vol12, (2005) pp.101-110";
    QTest::newRow("no journal") << "journal"
                                << "[2005Tst1]  Tester T., Proben P., Density of liquid Ag-Sn, Vol12, (2005) pp.101-110";
    QTest::newRow("no volume") << "volume"
                               << "[2005Tst1]  Tester T., Proben P., Density of liquid Ag-Sn, J. Test. Chem., (2005) pp.101-110";
    QTest::newRow("no year") << "year"
                             << "[2005Tst1]  Tester T., Proben P., Density of liquid Ag-Sn, J. Test. Chem., Vol12,  pp.101-110";
    QTest::newRow("no pages") << "pages"
                              << "[2005Tst1]  Tester T., Proben P., Density of liquid Ag-Sn, J. Test. Chem., Vol12, (2005)";
}

void TestTextExport::referenceLinePieces()
{
    QFETCH(QString, drop);
    QFETCH(QString, expected);
    PublicationReference r = fullReference();
    if (drop == "key") r.key.reset();
    if (drop == "authors") r.authors.reset();
    if (drop == "title") r.title.reset();
    if (drop == "journal") r.journal.reset();
    if (drop == "volume") r.volume.reset();
    if (drop == "year") r.year.reset();
    if (drop == "pages") r.pages.reset();
    QCOMPARE(r.line(), expected);
}

void TestTextExport::referenceFromColumns()
{
    // A NULL column drops its piece; an empty text keeps its decorations; the
    // year is written as an integer.
    const QVariantMap row{{"OZNACZENIE", "[2010Kee]"}, {"NAZWISKA", QString("")},
                          {"TYTUL", QVariant(QMetaType(QMetaType::QString))}, {"CZASOPISMO", "J. X."},
                          {"WOLUMIN", QVariant(QMetaType(QMetaType::QString))}, {"ROK", 2010.0},
                          {"STRONY", "7"}};
    const PublicationReference r = PublicationReference::fromColumns([&](const QString& c) { return row.value(c); });
    QCOMPARE(r.line(), QStringLiteral("[2010Kee]  , J. X., (2010) pp.7"));
}

void TestTextExport::fileNames()
{
    QCOMPARE(equationsFileName("[2005Tst1]", "Density"), QStringLiteral("[2005Tst1]_Density.txt"));
    QCOMPARE(calculatedValueFileName("[2005Tst1]", "Density"), QStringLiteral("[2005Tst1]_Isotherms of Density.txt"));
    QCOMPARE(viscosityModelFileName("Ag-Sn"), QStringLiteral("Ag-Sn_Viscosity Model.txt"));
}

void TestTextExport::replacesExistingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(equationsFileName("[2005Tst1]", "Density"));
    QVERIFY(writeTextFile(path, {"a much longer earlier content", "second line"}).ok);
    QVERIFY(writeTextFile(path, {"new"}).ok);
    QCOMPARE(readAll(path), QByteArray("new\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary left behind
}

void TestTextExport::missingSaveDirGivesMessage()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Save/[2005Tst1]_Density.txt");
    const WriteOutcome w = writeTextFile(path, {"x"});
    QVERIFY(!w.ok);
    QVERIFY2(w.message.startsWith("Cannot create file \"" + QDir::toNativeSeparators(path) + "\". "), qPrintable(w.message));
    QVERIFY(w.message.size() > QString("Cannot create file \"\". ").size() + path.size()); // a reason follows
    QVERIFY(!QFile::exists(path));
}

void TestTextExport::readOnlySaveDirKeepsEarlierFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Ag-Sn_Viscosity Model.txt");
    QVERIFY(writeTextFile(path, {"earlier"}).ok);
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther;
    QFile::setPermissions(dir.path(), readOnly);
    // Permissions do not bind the superuser: write as an ordinary user meanwhile.
    korvel::test::OrdinaryUserScope user;
    QVERIFY(user.active());
    const WriteOutcome w = writeTextFile(path, {"later", "lines"});
    QVERIFY(user.restore());
    QFile::setPermissions(dir.path(), readOnly | QFileDevice::WriteOwner);
    QVERIFY(!w.ok);
    QVERIFY2(w.message.contains(QDir::toNativeSeparators(path)), qPrintable(w.message));
    QCOMPARE(readAll(path), QByteArray("earlier\r\n"));
}

void TestTextExport::failedWriteKeepsEarlierFile()
{
    // A disk that fills up in the middle of the write: the file size limit stops
    // the temporary file after a few bytes.
    QTemporaryDir dir;
    const QString path = dir.filePath("[2005Tst1]_Isotherms of Density.txt");
    QVERIFY(writeTextFile(path, {"earlier"}).ok);
    const QStringList big(5000, QStringLiteral("0.5\t\t7.25\t\t"));
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const WriteOutcome w = writeTextFile(path, big);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    QVERIFY(!w.ok);
    QVERIFY2(w.message.startsWith("Cannot create file \"" + QDir::toNativeSeparators(path) + "\". "), qPrintable(w.message));
    QCOMPARE(readAll(path), QByteArray("earlier\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

void TestTextExport::failedFinalFlushKeepsEarlierFile()
{
    // Less than the write buffer: every write succeeds and only the flush at
    // the end meets the full disk.
    QTemporaryDir dir;
    const QString path = dir.filePath("[2005Tst1]_Density.txt");
    QVERIFY(writeTextFile(path, {"earlier"}).ok);
    const QStringList lines(100, QStringLiteral("0.5\t\t7.25\t\t"));
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 512;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const WriteOutcome w = writeTextFile(path, lines);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    QVERIFY(!w.ok);
    QVERIFY2(w.message.startsWith("Cannot create file \"" + QDir::toNativeSeparators(path) + "\". "), qPrintable(w.message));
    QCOMPARE(readAll(path), QByteArray("earlier\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TestTextExport::hostileKeysStayInTheFolder_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("name");
    QTest::newRow("parent folders") << "../../../x" << "_._.._.._x_Density.txt";
    QTest::newRow("absolute") << "/etc/passwd" << "_etc_passwd_Density.txt";
    QTest::newRow("backslashes") << "..\\..\\x" << "_._.._x_Density.txt";
    QTest::newRow("forbidden characters") << "a:b*c?d\"e<f>g|h" << "a_b_c_d_e_f_g_h_Density.txt";
    QTest::newRow("control characters") << QString("a\tb\nc") << "a_b_c_Density.txt";
    QTest::newRow("ordinary key kept") << "[2005Tst1]" << "[2005Tst1]_Density.txt";
}

void TestTextExport::hostileKeysStayInTheFolder()
{
    QFETCH(QString, key);
    QFETCH(QString, name);
    QCOMPARE(equationsFileName(key, "Density"), name);
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath("a/b/c/Save"));
    const QString save = root.filePath("a/b/c/Save");
    QVERIFY(writeTextFile(save + "/" + equationsFileName(key, "Density"), {"x"}).ok);
    QCOMPARE(QDir(save).entryList(QDir::Files), QStringList{name});
    QCOMPARE(QDir(root.path()).entryList(QDir::Files), QStringList());
    QVERIFY(!calculatedValueFileName(key, "Density").contains('/'));
    QVERIFY(!viscosityModelFileName(key).contains('/'));
}

void TestTextExport::linkIsReplacedNotFollowed()
{
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkdir("Save"));
    const QString outside = root.filePath("precious.txt");
    QVERIFY(writeTextFile(outside, {"keep me"}).ok);
    const QString path = root.filePath("Save/Ag-Sn_Viscosity Model.txt");
    QVERIFY(QFile::link(outside, path));
    const WriteOutcome w = writeTextFile(path, {"exported"});
    QVERIFY2(w.ok, qPrintable(w.message));
    QCOMPARE(readAll(outside), QByteArray("keep me\r\n"));
    QVERIFY(!QFileInfo(path).isSymLink());
    QCOMPARE(readAll(path), QByteArray("exported\r\n"));
}

void TestTextExport::csvRoundTrip()
{
    PublicationReference ref = fullReference();
    ref.title = QStringLiteral("Density, \"surface\" tension\nof Ag-Sn"); // comma, quotes and a line break
    const ExportHeading h = heading("Density", "Ag-Sn", false, ref);
    const QList<IsothermBlock> blocks{{QStringLiteral("1273"), {{0, 9.1, {}, {}}, {0.000001, 7.25, {}, {}}}},
                                      {QStringLiteral("1473"), {{1, 6.3, {}, QStringLiteral("(extrapolated)")}}}};
    QByteArray bytes;
    {
        const korvel::test::LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
        bytes = calculatedValuesCsv(h, "Density[g/cm^3]", blocks).bytes();
    }
    const QList<QStringList> records = readCsv(bytes);
    QCOMPARE(records.size(), 4);
    QCOMPARE(records[0], (QStringList{"System", "Property", "Temperature [K]", "X Sn [mole fraction]",
                                      "Density [g/cm^3]", "Publication", "Reference", "Note"}));
    QCOMPARE(records[2], (QStringList{"Ag-Sn", "Density", "1273", "1E-6", "7.25", "[2005Tst1]", ref.line(), ""}));
    QCOMPARE(records[3][2], QStringLiteral("1473"));
    QCOMPARE(records[3].last(), QStringLiteral("(extrapolated)")); // outside its equation's range
    for (const QStringList& r : records)
        QCOMPARE(r.size(), records[0].size());
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));

    // Equations of a ternary system: units of A and B, and the section column.
    const QList<QStringList> eq = readCsv(
        equationsCsv(heading("Viscosity", "Ag-Cu-Sn", true, referenceWithoutVolume()), "Viscosity [mPa*s]",
                     {{0.5, 0.3, 9000, "(Ag-Cu)eut-Sn"}})
            .bytes());
    QCOMPARE(eq[0], (QStringList{"System", "Property", "X Sn [mole fraction]", "A [mPa*s]", "E [J/mol]",
                                 "Section system", "Publication", "Reference"}));
    QCOMPARE(eq[1], (QStringList{"Ag-Cu-Sn", "Viscosity", "0.5", "0.3", "9000", "(Ag-Cu)eut-Sn", "[1999Nov2]",
                                 referenceWithoutVolume().line()}));
    QCOMPARE(unitOfAxisTitle("Density", "Density[g/cm^3]") + "/K", QStringLiteral("g/cm^3/K"));
}

void TestTextExport::tableTextOfChosenRows()
{
    QStandardItemModel model(3, 3);
    model.setHorizontalHeaderLabels({"X Sn", "hidden", "d(T1)"});
    for (int r = 0; r < 3; ++r) {
        model.setItem(r, 0, new QStandardItem(QString::number(r * 0.5)));
        model.setItem(r, 1, new QStandardItem("h"));
        model.setItem(r, 2, new QStandardItem(r == 1 ? "7,25\tx" : QString::number(9 - r)));
    }
    QCOMPARE(tabSeparatedRows(model, {0, 2}, {2, 1}), QStringLiteral("X Sn\td(T1)\n1\t7\n0.5\t7,25 x\n"));
}

QTEST_GUILESS_MAIN(TestTextExport)
#include "test_text_export.moc"
