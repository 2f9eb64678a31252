// The methods' deviations from measurement as the calculator reads them from the validation
// report: the line of each method, nothing for a method the report does not hold or for a
// missing report, a malformed report refused with its file and line, and korvel3-calc --verbose.
#include "MethodDeviations.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace korvel::alloy;

namespace {

const QString kSource = QStringLiteral(KORVEL_SOURCE_DIR);
const QByteArray kHeader =
    "kind,property,dataset,method,datasets,points,missing_points,mean_abs_deviation,mean_deviation,largest_deviation,unit,note\n";

QString written(const QTemporaryDir &dir, const QByteArray &text)
{
    const QString path = dir.filePath(QStringLiteral("validation.csv"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(text) != text.size())
        qFatal("cannot write the fixture");
    return path;
}

struct Run {
    int code = -1;
    QString out, err;
};

Run calc(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(KORVEL_CALC), args);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TestMethodDeviations : public QObject {
    Q_OBJECT
private slots:
    void linesOfTheReport()
    {
        QTemporaryDir dir;
        const MethodDeviations d = MethodDeviations::read(written(
            dir, kHeader + "method,surface tension,,Butler,27,300,,3.14,-1.00,-7.44,%,\n"
                           "method,liquidus,,computed from the parameter file,1,1,,9.97,9.97,9.97,K,\n"
                           "dataset,surface tension,Pb-Sn [1997Miy1],Butler,,1,0,50.00,50.00,50.00,%,\n"
                           "dataset,liquidus,\"SnIn52 (X, row 32)\",,,1,1,,,,K,not computed: no file\n")
                                                               .toStdString());
        QCOMPARE(d.describe("surface tension", "Butler"), std::string("Butler: mean 3.1 %, largest 7.4 %, 27 datasets"));
        QCOMPARE(d.describe("liquidus", "computed from the parameter file"),
                 std::string("computed from the parameter file: mean 10.0 K, largest 10.0 K, 1 dataset"));
        // Per property: the same method of another property, and a method not compared, say nothing.
        QCOMPARE(d.describe("solidus", "computed from the parameter file"), std::string());
        QCOMPARE(d.describe("viscosity", "Kaptay (Kap)"), std::string());

        AlloyResult r;
        r.values.push_back({523.15, "surface tension", 540, "mN/m", "Butler", "", ""});
        r.values.push_back({523.15, "viscosity", 2, "mPa s", "Kaptay (Kap)", "", ""});
        r.melting.push_back({"liquidus", 482.12, "computed from the parameter file", "", ""});
        r.melting.push_back({"liquidus", 472.15, "measured", "HYBRIDMETALS", ""});
        const AlloyResult described = d.described(r);
        QCOMPARE(described.values[0].method, d.describe("surface tension", "Butler"));
        QCOMPARE(described.values[1].method, std::string("Kaptay (Kap)"));
        QCOMPARE(described.melting[0].method, d.describe("liquidus", "computed from the parameter file"));
        QCOMPARE(described.melting[1].method, std::string("measured"));
    }

    void missingAndMalformedReports_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message"); // "" when read without complaint
        QTest::newRow("no method rows") << kHeader << QString();
        QTest::newRow("another table") << QByteArray("a,b\n1,2\n") << QStringLiteral("kind");
        QTest::newRow("unit") << kHeader + "method,density,,ideal,4,44,,1.0,1.0,2.0,g,\n" << QStringLiteral(":2:");
        QTest::newRow("not a number") << kHeader + "method,density,,ideal,4,44,,abc,1.0,2.0,%,\n" << QStringLiteral("\"abc\"");
        QTest::newRow("no datasets") << kHeader + "method,density,,ideal,0,44,,1.0,1.0,2.0,%,\n" << QStringLiteral("datasets");
        QTest::newRow("short row") << kHeader + "method,density\n" << QStringLiteral("validation.csv");
    }
    void missingAndMalformedReports()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const std::string path = written(dir, text).toStdString();
        try {
            const MethodDeviations d = MethodDeviations::read(path);
            QVERIFY2(message.isEmpty(), "read without complaint");
            QVERIFY(d.empty());
        } catch (const std::runtime_error &e) {
            QVERIFY2(!message.isEmpty() && QString::fromUtf8(e.what()).contains(message), e.what());
        }
        QVERIFY(MethodDeviations::read(dir.filePath(QStringLiteral("none.csv")).toStdString()).empty());
    }

    // Beside the calculator's inputs where the build lays them out, else beside data/.
    void reportFile()
    {
        QTemporaryDir dir;
        QCOMPARE(QString::fromStdString(MethodDeviations::fileFor((kSource + QStringLiteral("/data")).toStdString())),
                 QDir::cleanPath(kSource + QStringLiteral("/docs/validation.csv")));
        written(dir, kHeader);
        QCOMPARE(QString::fromStdString(MethodDeviations::fileFor(dir.path().toStdString())), dir.filePath(QStringLiteral("validation.csv")));
        // The committed report is one the reader takes.
        const MethodDeviations committed = MethodDeviations::read(MethodDeviations::fileFor((kSource + QStringLiteral("/data")).toStdString()));
        QVERIFY(QString::fromStdString(committed.describe("surface tension", "Butler"))
                    .contains(QRegularExpression(QStringLiteral("^Butler: mean \\d+\\.\\d %, largest \\d+\\.\\d %, \\d+ datasets?$"))));
    }

    void commandLineVerbose()
    {
        const QString data = kSource + QStringLiteral("/data");
        const Run plain = calc({QStringLiteral("Sn-9Zn"), QStringLiteral("--at"), QStringLiteral("250C"), QStringLiteral("--csv"),
                                QStringLiteral("--data"), data});
        const Run verbose = calc({QStringLiteral("Sn-9Zn"), QStringLiteral("--at"), QStringLiteral("250C"), QStringLiteral("--csv"),
                                  QStringLiteral("--verbose"), QStringLiteral("--data"), data});
        QCOMPARE(plain.code, 0);
        QCOMPARE(verbose.code, 0);
        QVERIFY(!plain.out.contains(QStringLiteral(": mean ")));
        const QRegularExpression liquidus(QStringLiteral("\n,,liquidus,482.12,K,\"computed from the parameter file: mean \\d+\\.\\d K, "
                                                         "largest \\d+\\.\\d K, \\d+ datasets\","));
        QVERIFY2(verbose.out.contains(liquidus), qPrintable(verbose.out));
        QVERIFY(verbose.out.contains(QStringLiteral(",mN/m,\"Butler: mean ")));
        QVERIFY(verbose.out.contains(QStringLiteral(",mPa s,Kaptay (Kap),"))); // not compared: as it is
        QVERIFY(verbose.out.contains(QStringLiteral(",K,measured,HYBRIDMETALS,")));
        QCOMPARE(verbose.out.count(QLatin1Char('\n')), plain.out.count(QLatin1Char('\n')));

        // A report that is not one: exit status 1, the file named, nothing on stdout.
        QTemporaryDir dir;
        QVERIFY(QFile::link(data + QStringLiteral("/thermo"), dir.filePath(QStringLiteral("thermo"))));
        QVERIFY(QFile::link(data + QStringLiteral("/sources"), dir.filePath(QStringLiteral("sources"))));
        written(dir, "a,b\n1,2\n");
        const Run bad = calc({QStringLiteral("Sn-9Zn"), QStringLiteral("--at"), QStringLiteral("250C"), QStringLiteral("--verbose"),
                              QStringLiteral("--data"), dir.path()});
        QCOMPARE(bad.code, 1);
        QVERIFY(bad.out.isEmpty());
        QVERIFY2(bad.err.contains(QStringLiteral("validation.csv")), qPrintable(bad.err));
        // Without --verbose the report is not read.
        QCOMPARE(calc({QStringLiteral("Sn-9Zn"), QStringLiteral("--at"), QStringLiteral("250C"), QStringLiteral("--data"), dir.path()}).code, 0);
    }
};

QTEST_GUILESS_MAIN(TestMethodDeviations)
#include "test_method_deviations.moc"
