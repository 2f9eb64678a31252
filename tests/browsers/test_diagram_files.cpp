// The references file of the phase diagrams and the JPEG decoder.
#include "JpegSamples.h"
#include "browsers/DiagramReferences.h"
#include "browsers/JpegDecoder.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

using namespace korvel;

class TestDiagramFiles : public QObject {
    Q_OBJECT
private slots:
    void exampleBlockEndsAtTheBar()
    {
        // The tag line carries the first reference; the second line ends the
        // block at "|"; the third line is outside the block.
        const QStringList lines = {
            QStringLiteral("[Ag-Sn]First reference"),
            QStringLiteral("Second reference|more text"),
            QStringLiteral("Third reference"),
        };
        QCOMPARE(DiagramReferences::parse(lines, QStringLiteral("Ag-Sn")),
                 QStringList({QStringLiteral("First reference"), QStringLiteral("Second reference")}));
    }

    void blocksTagsAndBars_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("system");
        QTest::addColumn<QStringList>("expected");
        const QString agSn = QStringLiteral("Ag-Sn");
        QTest::newRow("two blocks for one system, another system between")
            << QStringList{"[Ag-Sn]A1", "A2|", "[Cu-Sn]C1|", "[Ag-Sn]B1", "", "B3|x", "tail"} << agSn
            << QStringList{"A1", "A2", "B1", "", "B3"};
        QTest::newRow("a one-line block: tag and bar on one line")
            << QStringList{"noise", "[Ag-Sn] only one | rest", "after"} << agSn << QStringList{" only one "};
        QTest::newRow("text before the tag is dropped")
            << QStringList{"1. [Ag-Sn]ref|"} << agSn << QStringList{"ref"};
        QTest::newRow("tag is case-sensitive and exact")
            << QStringList{"[ag-sn]x|", "[Ag-Sn-Cu]y|", "[Ag-Sn ]z|"} << agSn << QStringList{};
        QTest::newRow("a tag of a longer system does not match a shorter name")
            << QStringList{"[Ag-Cu-Sn]t1", "t2|", "[Cu-Sn]u|"} << QStringLiteral("Cu-Sn") << QStringList{"u"};
        QTest::newRow("block without a closing bar runs to the end of the file")
            << QStringList{"[Ag-Sn]a", "b", "c"} << agSn << QStringList{"a", "b", "c"};
        QTest::newRow("only the first bar counts")
            << QStringList{"[Ag-Sn]a|b|c", "d"} << agSn << QStringList{"a"};
        QTest::newRow("no block for the system") << QStringList{"[Cu-Sn]a|"} << agSn << QStringList{};
    }
    void blocksTagsAndBars()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, system);
        QFETCH(QStringList, expected);
        QCOMPARE(DiagramReferences::parse(lines, system), expected);
    }

    void lineEndingsAndEncodings_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QString text = QStringLiteral("[Ag-Sn]Gąsior W., Łódź%1Żółć reference|x%1[Cu-Sn]other|%1");
        for (const char* ending : {"\r\n", "\n", "\r"}) {
            const QString withEnds = text.arg(QString::fromLatin1(ending));
            const QByteArray utf8 = withEnds.toUtf8();
            QStringEncoder cp1250("windows-1250");
            QVERIFY(cp1250.isValid());
            const QByteArray legacy = cp1250.encode(withEnds);
            QVERIFY(legacy != utf8);
            const QByteArray name = QByteArray(ending).toHex();
            QTest::newRow(("utf-8 " + name).constData()) << utf8;
            QTest::newRow(("utf-8 bom " + name).constData()) << (QByteArray("\xEF\xBB\xBF") + utf8);
            QTest::newRow(("windows-1250 " + name).constData()) << legacy;
        }
    }
    void lineEndingsAndEncodings()
    {
        QFETCH(QByteArray, content);
        QCOMPARE(DiagramReferences::parse(content, QStringLiteral("Ag-Sn")),
                 QStringList({QStringLiteral("Gąsior W., Łódź"), QStringLiteral("Żółć reference")}));
    }

    void splitLinesKeepsEmptyLinesAndMixedEnds()
    {
        QCOMPARE(DiagramReferences::splitLines(QStringLiteral("a\r\n\r\nb\rc\nd")),
                 QStringList({"a", "", "b", "c", "d"}));
        QCOMPARE(DiagramReferences::splitLines(QStringLiteral("a\n")), QStringList({"a"}));
        QCOMPARE(DiagramReferences::splitLines(QStringLiteral("\r\r")), QStringList({"", ""}));
        QCOMPARE(DiagramReferences::splitLines(QString()), QStringList());
    }

    // Every system tagged in the shipped references file gets its entries.
    void shippedReferencesFileReadsForEveryTaggedSystem()
    {
        const QString path = qEnvironmentVariable("KORVEL_TEST_DATA") + QStringLiteral("/../../data/docs/Diagram/References.txt");
        if (!QFileInfo::exists(path))
            QSKIP("no shipped references file in this tree");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        const QRegularExpression tag(QStringLiteral("\\[([A-Z][a-z]?(?:-[A-Z][a-z]?)+)\\]"));
        QSet<QString> systems;
        for (auto it = tag.globalMatch(DiagramReferences::decodeText(content)); it.hasNext();)
            systems.insert(it.next().captured(1));
        QVERIFY(!systems.isEmpty());
        for (const QString& system : std::as_const(systems)) {
            const QStringList entries = DiagramReferences::parse(content, system);
            QVERIFY2(!entries.isEmpty(), qPrintable(system));
            for (const QString& entry : entries) {
                QVERIFY2(!entry.contains(QLatin1Char('|')) && !entry.contains(QLatin1Char('[')), qPrintable(entry));
                QVERIFY2(!entry.trimmed().isEmpty(), qPrintable(system));
            }
        }
    }

    void missingFileIsAnErrorNamingIt()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("References.txt"));
        const auto result = DiagramReferences::readFile(path, QStringLiteral("Ag-Sn"));
        QVERIFY(!result.error.isEmpty());
        QVERIFY2(result.error.contains(QDir::toNativeSeparators(path)), qPrintable(result.error));
        QVERIFY(result.entries.isEmpty());
    }

    void decodesAJpeg()
    {
        const QByteArray data = test::jpegOfColour(40, 30, QColor(200, 40, 40));
        const auto result = JpegDecoder::decode(data, QStringLiteral("red.jpg"));
        QVERIFY2(result.ok(), qPrintable(result.error));
        QCOMPARE(result.image.size(), QSize(40, 30));
        const QColor c = result.image.pixelColor(20, 15);
        QVERIFY(qAbs(c.red() - 200) < 8 && qAbs(c.green() - 40) < 8 && qAbs(c.blue() - 40) < 8);
    }

    void decodesAGreyJpegAsRgb()
    {
        const auto result = JpegDecoder::decode(test::greyJpeg(10, 12, 90), QStringLiteral("grey.jpg"));
        QVERIFY2(result.ok(), qPrintable(result.error));
        QCOMPARE(result.image.size(), QSize(10, 12));
        const QColor c = result.image.pixelColor(5, 6);
        QVERIFY(qAbs(c.red() - 90) < 4 && c.red() == c.green() && c.green() == c.blue());
    }

    void brokenPicturesGiveAnErrorNamingTheFile_data()
    {
        QTest::addColumn<QByteArray>("data");
        const QByteArray good = test::jpegOfColour(64, 64, Qt::blue);
        QTest::newRow("truncated") << good.left(good.size() / 2);
        QTest::newRow("header only") << good.left(20);
        QTest::newRow("not a jpeg") << QByteArray("GIF89a this is not a JPEG picture at all");
        QTest::newRow("empty") << QByteArray();
        QByteArray scrambled = good;
        for (int i = 200; i < scrambled.size() - 2; i += 3)
            scrambled[i] = char(0xFF);
        QTest::newRow("scrambled") << scrambled;
    }
    void brokenPicturesGiveAnErrorNamingTheFile()
    {
        QFETCH(QByteArray, data);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Ag-Sn.jpg"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(data);
        file.close();
        const auto result = JpegDecoder::decodeFile(path);
        QVERIFY(!result.ok());
        QVERIFY(result.image.isNull());
        QVERIFY2(result.error.contains(QDir::toNativeSeparators(path)), qPrintable(result.error));
    }

    // A header may claim any size up to 65535 a side in a few hundred bytes: the
    // claim is refused before the decoder allocates for it.
    void hugeDeclaredSizeIsRefusedBeforeDecoding_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("65500 x 65500") << 65500 << 65500;
        QTest::newRow("20000 x 20000") << 20000 << 20000;
        QTest::newRow("one side too long") << 40000 << 8;
        QTest::newRow("just over the pixel limit") << 10000 << 6001;
    }
    void hugeDeclaredSizeIsRefusedBeforeDecoding()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QByteArray data = test::jpegOfColour(16, 16, Qt::blue);
        // The baseline frame header: FF C0, length (2), precision (1), height (2), width (2).
        const qsizetype sof = data.indexOf(QByteArray("\xFF\xC0", 2));
        QVERIFY(sof > 0);
        data[sof + 5] = char(height >> 8);
        data[sof + 6] = char(height & 0xFF);
        data[sof + 7] = char(width >> 8);
        data[sof + 8] = char(width & 0xFF);
        const auto result = JpegDecoder::decode(data, QStringLiteral("huge.jpg"));
        QVERIFY(!result.ok());
        QVERIFY(result.image.isNull());
        QCOMPARE(result.error, QStringLiteral("The picture huge.jpg cannot be shown: the picture is too large (%1 × %2 pixels).")
                                   .arg(width).arg(height));
    }

    void widePictureInsideTheLimitsIsDecoded()
    {
        const auto result = JpegDecoder::decode(test::jpegOfColour(3000, 20, Qt::green), QStringLiteral("wide.jpg"));
        QVERIFY2(result.ok(), qPrintable(result.error));
        QCOMPARE(result.image.size(), QSize(3000, 20));
    }

    void unreadableFileIsAnError()
    {
        const auto result = JpegDecoder::decodeFile(QStringLiteral("/nonexistent/folder/x.jpg"));
        QVERIFY(!result.ok());
        QVERIFY(result.error.contains(QStringLiteral("x.jpg")));
    }
};

QTEST_APPLESS_MAIN(TestDiagramFiles)
#include "test_diagram_files.moc"
