// korvel3-datagen on a copy of data/: it writes every generated table from the
// real inputs, and refuses inputs that would break the database's rules
// instead of writing a table that the program's statements cannot join.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void copyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(file, target);
        QFile(target).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
}

void replaceIn(const QString& path, const QString& before, const QString& after)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(file.readAll());
    file.close();
    QVERIFY2(text.contains(before), qPrintable(before));
    text.replace(before, after);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}

struct Run {
    int exitCode;
    QString errors;
};

Run generate(const QString& dataDir, const QString& outDir)
{
    QProcess p;
    p.start(QStringLiteral(KORVEL_DATAGEN), {dataDir, outDir});
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TestDatagen : public QObject {
    Q_OBJECT

private:
    QString m_data;
    QTemporaryDir m_dir;

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_data = m_dir.path() + QStringLiteral("/data");
        QDir(m_data).removeRecursively();
        copyTree(QStringLiteral(KORVEL_SOURCE_DIR) + QStringLiteral("/data/tables"), m_data + QStringLiteral("/tables"));
        copyTree(QStringLiteral(KORVEL_SOURCE_DIR) + QStringLiteral("/data/sources"), m_data + QStringLiteral("/sources"));
        // The Butler curves of the surface-tension rows: the model catalogue and the thermodynamic inputs.
        copyTree(QStringLiteral(KORVEL_SOURCE_DIR) + QStringLiteral("/data/models"), m_data + QStringLiteral("/models"));
        copyTree(QStringLiteral(KORVEL_SOURCE_DIR) + QStringLiteral("/data/thermo"), m_data + QStringLiteral("/thermo"));
    }

    void writesEveryGeneratedTable()
    {
        const QString out = m_dir.path() + QStringLiteral("/out");
        const Run run = generate(m_data, out);
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        const QStringList tables = QDir(out).entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
        QCOMPARE(tables, QStringList({QStringLiteral("DANE45.csv"), QStringLiteral("DANE_WLASNOSCI.csv"), QStringLiteral("DANE_WLASNOSCI_T.csv"),
                                      QStringLiteral("DTA.csv"), QStringLiteral("EUT.csv"), QStringLiteral("PUBLIKACJE.csv"), QStringLiteral("PUNKTY_D.csv"),
                                      QStringLiteral("UKL_2.csv"), QStringLiteral("UKL_3.csv"), QStringLiteral("UKL_4.csv"), QStringLiteral("UKL_5.csv"),
                                      QStringLiteral("VALID_RANGE.csv"), QStringLiteral("WLA_TAB_PUB.csv")}));
        // Two runs on the same inputs give the same files.
        const QString again = m_dir.path() + QStringLiteral("/again");
        QCOMPARE(generate(m_data, again).exitCode, 0);
        for (const QString& t : tables) {
            QFile a(out + QLatin1Char('/') + t), b(again + QLatin1Char('/') + t);
            QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
            QVERIFY2(a.readAll() == b.readAll(), qPrintable(t));
        }
    }

    void refusesBrokenInputs_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("message");
        QTest::newRow("duplicate key") << "sources/publications.csv" << "4,[1972Cra1]," << "4,[2014Hay1]," << "used twice";
        QTest::newRow("section 10 declared") << "sources/sections.csv" << "Ag-Sb-Sn,1," << "Ag-Sb-Sn,10," << "section 10";
        QTest::newRow("section start holds the varying element") << "sources/sections.csv" << "Ag-Sb-Sn,1,Ag-Sn eutectic (x Ag 0.038) towards Sb,Ag;Sn;Sb,Sb,x:Ag=0.038;Sn=0.962"
                                                                 << "Ag-Sb-Sn,1,Ag-Sn eutectic (x Ag 0.038) towards Sb,Ag;Sn;Sb,Sb,x:Ag=0.038;Sn=0.952;Sb=0.01"
                                                                 << "must start without";
        QTest::newRow("component order misses an element") << "sources/sections.csv" << "Ag-Sb-Sn,1,Ag-Sn eutectic (x Ag 0.038) towards Sb,Ag;Sn;Sb"
                                                           << "Ag-Sb-Sn,1,Ag-Sn eutectic (x Ag 0.038) towards Sb,Ag;Sn;Bi" << "does not name the elements";
        QTest::newRow("composition beyond the section") << "sources/program_equations.csv" << "0:0.12:0.005,1" << "0:0.6:0.005,2" << "beyond the end";
        QTest::newRow("unknown system") << "sources/viscosity_blocks.csv" << "[2026Vsf1],Al-Zn," << "[2026Vsf1],Al-Zr," << "unknown system";
        QTest::newRow("sections that do not share their start") << "sources/sections.csv"
                                                                << "Ag-Sn-Zn,2,Ag-Sn eutectic towards Sn-Zn eutectic Sn91Zn9,Ag;Sn;Zn,Zn,x:Ag=0.038;Sn=0.962"
                                                                << "Ag-Sn-Zn,2,Ag-Sn eutectic towards Sn-Zn eutectic Sn91Zn9,Ag;Sn;Zn,Zn,x:Ag=0.04;Sn=0.96"
                                                                << "do not share their start";
        // Surface tension by the Butler model: a catalogue record the loader rejects stops the
        // build instead of leaving that system without rows, and a section fit is stored only on
        // the database section that runs along the same line.
        QTest::newRow("malformed Butler record") << "models/butler.csv" << "pure,Ag-Sn,iso,1,Sn,583,0.083," << "pure,Ag-Sn,iso,1,Sn,583x,0.083,"
                                                 << "Butler catalogue";
        QTest::newRow("Butler section on no database section") << "models/butler.csv" << "base,Ag-Cu-Sn,iso,1,Sn,0.962," << "base,Ag-Cu-Sn,iso,1,Sn,0.95,"
                                                               << "no section from the Butler fit's base alloy";
    }

    void refusesBrokenInputs()
    {
        QFETCH(QString, file);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, message);
        replaceIn(m_data + QLatin1Char('/') + file, before, after);
        const Run run = generate(m_data, m_dir.path() + QStringLiteral("/broken"));
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
    }
};

QTEST_GUILESS_MAIN(TestDatagen)
#include "test_datagen.moc"
