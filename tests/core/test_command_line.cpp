// The options every executable shares: --help and --version answer on stdout
// and end the program with 0; an option the program does not list ends it with
// 2 and the usage on stderr; everything else is left to the program.
#include "core/CommandLine.h"

#include <QtTest>
#include <sstream>

using namespace korvel;

namespace {
const cli::Usage kUsage{
    "korvel3-example",
    "korvel3-example paradox DIR OUT [--codepage N]\nkorvel3-example csv DIR OUT [--flag]",
    "Does an example.",
    {{"--codepage", "N", "Code page."}, {"--flag", "", "A flag."}},
};

struct Run {
    std::optional<int> code;
    std::string out, err;
};

Run run(const QStringList& arguments)
{
    std::vector<QByteArray> bytes{QByteArrayLiteral("korvel3-example")};
    for (const QString& a : arguments)
        bytes.push_back(a.toUtf8());
    std::vector<const char*> argv;
    for (const QByteArray& b : bytes)
        argv.push_back(b.constData());
    std::ostringstream out, err;
    Run r;
    r.code = cli::handleStandardOptions(int(argv.size()), argv.data(), kUsage, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}
} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void outcomes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code"); // -1: the program goes on
        QTest::addColumn<bool>("usageOnStderr");
        QTest::newRow("no arguments") << QStringList{} << -1 << false;
        QTest::newRow("positional only") << QStringList{"csv", "in", "out"} << -1 << false;
        QTest::newRow("listed option with value") << QStringList{"paradox", "d", "o", "--codepage", "1250"} << -1 << false;
        QTest::newRow("value after =") << QStringList{"--codepage=1250"} << -1 << false;
        QTest::newRow("flag") << QStringList{"--flag", "x"} << -1 << false;
        QTest::newRow("a value that looks like --help") << QStringList{"--codepage", "--help"} << -1 << false;
        QTest::newRow("dash and negative number") << QStringList{"-", "-5", "-.5"} << -1 << false;
        QTest::newRow("after --") << QStringList{"--", "--bogus", "--help"} << -1 << false;
        QTest::newRow("--help") << QStringList{"csv", "--help"} << 0 << false;
        QTest::newRow("-h") << QStringList{"-h"} << 0 << false;
        QTest::newRow("--version") << QStringList{"--version", "--bogus"} << 0 << false;
        QTest::newRow("unknown long option") << QStringList{"csv", "a", "b", "--bogus"} << 2 << true;
        QTest::newRow("unknown short option") << QStringList{"-x"} << 2 << true;
        QTest::newRow("unknown before --help") << QStringList{"--bogus", "--help"} << 2 << true;
        QTest::newRow("missing value") << QStringList{"csv", "--codepage"} << 2 << true;
        QTest::newRow("value given to a flag") << QStringList{"--flag=1"} << 2 << true;
        QTest::newRow("prefix of an option") << QStringList{"--code", "1"} << 2 << true;
    }
    void outcomes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(bool, usageOnStderr);
        const Run r = run(arguments);
        QCOMPARE(r.code.value_or(-1), code);
        QCOMPARE(r.err.find("usage: korvel3-example paradox DIR OUT") != std::string::npos, usageOnStderr);
        if (code != 0)
            QVERIFY(r.out.empty());
    }

    void helpNamesEveryFormAndOption()
    {
        const Run r = run({QStringLiteral("--help")});
        QVERIFY(r.err.empty());
        for (const char* part : {"usage: korvel3-example paradox DIR OUT [--codepage N]\n",
                                 "       korvel3-example csv DIR OUT [--flag]\n", "Does an example.", "--codepage N",
                                 "Code page.", "--flag", "-h, --help", "--version"})
            QVERIFY2(r.out.find(part) != std::string::npos, part);
    }

    void versionIsTheProjectVersion()
    {
        const Run r = run({QStringLiteral("--version")});
        QCOMPARE(QString::fromStdString(r.out), QStringLiteral("korvel3-example (Korvel 3) " KORVEL_EXPECTED_VERSION "\n"));
        QCOMPARE(QString::fromLatin1(cli::version()), QStringLiteral(KORVEL_EXPECTED_VERSION));
    }

    void complaintNamesTheOption()
    {
        const Run r = run({QStringLiteral("--bogus")});
        QVERIFY(r.err.rfind("korvel3-example: unknown option '--bogus'\n", 0) == 0);
        std::ostringstream err;
        QCOMPARE(cli::usageError(kUsage, err, "too few arguments"), 2);
        QVERIFY(err.str().rfind("korvel3-example: too few arguments\nusage: korvel3-example paradox", 0) == 0);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
