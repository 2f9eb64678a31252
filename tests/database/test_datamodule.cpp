#include "FixtureDatabase.h"
#include "ScriptedUi.h"
#include "core/Directories.h"
#include "database/DataModule.h"
#include "database/ValidRanges.h"
#include "database/DataSource.h"
#include "database/Query.h"
#include "database/QueryCatalogue.h"
#include "database/SchemaCheck.h"
#include "database/StartupHealthCheck.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <atomic>
#include <memory>
#include <cmath>

using namespace korvel;

namespace {

struct FakeChart : ChartInputs {
    QString t[5];
    QString pub[3];
    int eutectic = 0;
    FixedPoint4 composition;
    QString temperatureText(int slot) const override { return t[slot]; }
    QString publicationText(int page) const override { return pub[page]; }
    int selectedEutectic() const override { return eutectic; }
    FixedPoint4 lineComposition() const override { return composition; }
};

void execOn(const QString& file, const QString& sql)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("edit"));
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY2(q.exec(sql), qPrintable(sql));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("edit"));
}

QByteArray fileHash(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TestDataModule : public QObject {
    Q_OBJECT

    // A fresh copy of the fixture, a data module on it and the choices made.
    struct Setup {
        test::ScriptedUi ui;
        test::FixtureDatabase fixture;
        std::unique_ptr<TdmDataModule> dm;
        FakeChart chart;
        Setup() : dm(new TdmDataModule) { dm->setChartInputs(&chart); }
        Query* q(const char* name) { return dm->query(QString::fromLatin1(name)); }
        void choose(int classId, const QString& system, const QString& property)
        {
            QVERIFY(q("qrSelect")->locate(QStringLiteral("ID_SELECT"), classId));
            dm->OpenSystems();
            QVERIFY(q("qrTabUkl")->locate(QStringLiteral("OZNACZENIE"), system));
            QVERIFY(q("qrWlasnosci")->locate(QStringLiteral("WLASNOSC"), property));
        }
        void publication(const QString& key)
        {
            dm->OpenPublications();
            QVERIFY(q("qrAutor")->locate(QStringLiteral("OZNACZENIE"), key));
            chart.pub[0] = key;
        }
        // Ag-Sn viscosity of [2005Ghi3], slot 1 filled at 1273 K (three rows).
        void viscosityFilled()
        {
            choose(2, QStringLiteral("Ag-Sn"), QStringLiteral("Viscosity"));
            publication(QStringLiteral("[2005Ghi3]"));
            chart.t[1] = QStringLiteral("1273");
            dm->FillViscosityTable(1);
        }
    };

private slots:
    void everyStatementPreparesAgainstTheSchema()
    {
        Setup s;
        QVERIFY(s.fixture.ok());
        QSqlDatabase db = QSqlDatabase::database(s.dm->connectionName());
        QCOMPARE(catalogue::entries().size(), 69);
        for (const CatalogueEntry& entry : catalogue::entries()) {
            if (entry.query == QLatin1String("qrPublikacje"))
                continue; // rebuilt before every opening
            QSqlQuery probe(db);
            QVERIFY2(probe.prepare(entry.lines.join(QLatin1Char('\n'))), qPrintable(entry.query));
            QVERIFY(s.dm->dataSource(entry.dataSource));
        }
        QSqlQuery probe(db);
        QVERIFY(probe.prepare(catalogue::punkty1Statement().join(QLatin1Char('\n'))));
        QVERIFY(probe.prepare(catalogue::lineEndsStatement(1, false, true).join(QLatin1Char('\n'))));
        QVERIFY(s.dm->dataSource(QStringLiteral("dsSelecMeniskFig")));
    }

    // The start-up check skips compiling the catalogue only for a file whose
    // tables are the program's own schema (the one compiled against above).
    void ownSchemaIsRecognisedAndChangesAreNot_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("own");
        QTest::newRow("as built") << QString() << true;
        QTest::newRow("extra table") << QStringLiteral("CREATE TABLE NOTES (T TEXT)") << true;
        QTest::newRow("renamed column") << QStringLiteral("ALTER TABLE TAB_UKL RENAME COLUMN XP TO XQ") << false;
        QTest::newRow("added column") << QStringLiteral("ALTER TABLE EUT ADD COLUMN EXTRA TEXT") << false;
        QTest::newRow("dropped table") << QStringLiteral("DROP TABLE VISCOSITY4") << false;
        QTest::newRow("trigger") << QStringLiteral("CREATE TRIGGER T AFTER INSERT ON VISCOSITY BEGIN SELECT 1; END") << false;
        QTest::newRow("view") << QStringLiteral("CREATE VIEW V AS SELECT 1") << false;
    }
    void ownSchemaIsRecognisedAndChangesAreNot()
    {
        QFETCH(QString, change);
        QFETCH(bool, own);
        Setup s;
        QSqlDatabase db = QSqlDatabase::database(s.dm->connectionName());
        if (!change.isEmpty())
            QVERIFY2(QSqlQuery(db).exec(change), qPrintable(change));
        QCOMPARE(schemaIsTheProgramsOwn(db), own);
        QCOMPARE(normalisedStatement(QStringLiteral("CREATE TABLE A (\n  X REAL, -- note\n  Y  TEXT\n)")),
                 QStringLiteral("CREATE TABLE A ( X REAL, Y TEXT )"));
    }

    void creationOpensClassesAndProperties()
    {
        Setup s;
        QVERIFY(s.dm->startupProblem().isEmpty());
        QCOMPARE(s.q("qrSelect")->rowCount(), 5);
        QCOMPARE(s.q("qrWlasnosci")->rowCount(), 6);
        QCOMPARE(s.dm->databaseDir(), QDir::toNativeSeparators(s.fixture.databaseDir()));
    }

    void missingOrBrokenDatabaseIsReportedNotCreated()
    {
        test::ScriptedUi ui;
        {
            test::FixtureDatabase fixture;
            QVERIFY(QDir(fixture.databaseDir()).removeRecursively());
            TdmDataModule dm;
            QVERIFY(dm.startupProblem().contains(QStringLiteral("Database")));
            QVERIFY(!dm.query(QStringLiteral("qrSelect"))->isOpen());
            QVERIFY(!QFile::exists(fixture.databaseFile())); // never created
        }
        {
            test::FixtureDatabase fixture;
            QFile::remove(fixture.databaseFile());
            TdmDataModule dm;
            QVERIFY(dm.startupProblem().contains(QStringLiteral("korvel3.sqlite")));
            QVERIFY(!QFile::exists(fixture.databaseFile()));
        }
        {
            test::FixtureDatabase fixture;
            QFile file(fixture.databaseFile());
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QByteArray(4096, 'x'));
            file.close();
            TdmDataModule dm;
            QVERIFY(!dm.startupProblem().isEmpty());
            QCOMPARE(dm.query(QStringLiteral("qrSelect"))->rowCount(), 0);
        }
        {
            test::FixtureDatabase fixture;
            execOn(fixture.databaseFile(), QStringLiteral("DROP TABLE SELECT_SYSTEM"));
            TdmDataModule dm;
            QVERIFY(dm.startupProblem().contains(QStringLiteral("SELECT_SYSTEM")));
            QVERIFY(!dm.query(QStringLiteral("qrSelect"))->isOpen());
            QVERIFY(dm.query(QStringLiteral("qrWlasnosci"))->isOpen());
        }
        QVERIFY(ui.messages.isEmpty()); // the start window tells the user, not the module
    }

    void systemsOfTheChosenClassInNameOrder()
    {
        Setup s;
        QVERIFY(s.q("qrSelect")->locate(QStringLiteral("ID_SELECT"), 4));
        s.dm->OpenSystems();
        QCOMPARE(s.q("qrTabUkl")->rowCount(), 2);
        QCOMPARE(s.q("qrTabUkl")->value(0, QStringLiteral("OZNACZENIE")).toString(), QStringLiteral("Ag-Bi-Cu-Sn"));
        QCOMPARE(s.dm->systemClass(), 4);
    }

    void publicationsAreOldestFirstAndMolarVolumeKeepsItsId()
    {
        Setup s;
        s.choose(2, QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        s.dm->OpenPublications();
        QCOMPARE(s.q("qrAutor")->rowCount(), 2);
        QCOMPARE(s.q("qrAutor")->value(0, QStringLiteral("OZNACZENIE")).toString(), QStringLiteral("[2001Abc1]"));
        s.choose(2, QStringLiteral("Ag-Sn"), QStringLiteral("Molar volume"));
        s.dm->OpenPublications();
        QCOMPARE(s.q("qrAutor")->boundValue(QStringLiteral("lWlasciwosc")).toInt(), 3);
        QCOMPARE(s.q("qrAutor")->rowCount(), 1);
    }

    void molarVolumeOfABinaryAlloy()
    {
        Setup s;
        s.choose(2, QStringLiteral("Ag-Sn"), QStringLiteral("Molar volume"));
        s.publication(QStringLiteral("[2001Abc1]"));
        for (const char* t : {"1273", "600"}) {
            s.chart.t[1] = QString::fromLatin1(t);
            Query* q = s.dm->OpenMolarVolume(QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), 1);
            QCOMPARE(q->name(), QStringLiteral("qrUkl21"));
            QCOMPARE(q->boundValue(QStringLiteral("lWlasciwosc")).toInt(), 1);
            QCOMPARE(q->rowCount(), 3);
            QCOMPARE(q->value(1, QStringLiteral("X")).toDouble(), 0.5);
            QCOMPARE(q->value(1, QStringLiteral("VT1")).toDouble(), 18.75);
            QCOMPARE(s.dm->dataSource(QStringLiteral("dsUkl21"))->displayText(1, 1), QStringLiteral("18.75"));
        }
        Query* ends = s.dm->OpenMolarEndPoints(1);
        QCOMPARE(ends->rowCount(), 2);
    }

    void isothermValuesAndNullTemperatures()
    {
        Setup s;
        s.choose(2, QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        s.publication(QStringLiteral("[2001Abc1]"));
        s.chart.t[1] = QStringLiteral("1000");
        Query* q1 = s.dm->OpenIsothermValues(1);
        QCOMPARE(q1->columnNames(), (QStringList{"ID_DANE_WLA", "X", "DensityT1"}));
        QCOMPARE(q1->value(0, QStringLiteral("DensityT1")).toDouble(), 9.0);
        Query* q2 = s.dm->OpenIsothermValues(2); // T2 empty: NULL values
        QCOMPARE(q2->rowCount(), 3);
        QVERIFY(q2->value(0, QStringLiteral("DensityT2")).isNull());
        QCOMPARE(s.dm->dataSource(QStringLiteral("dsPunkty2"))->displayText(0, 1), QString());
        // A text that is not an integer fails before the query is touched.
        s.chart.t[3] = QStringLiteral("12a");
        QVERIFY_THROWS_EXCEPTION(NumberFormatError, s.dm->OpenIsothermValues(3));
        QVERIFY(!s.q("qrPunkty3")->isOpen());
        // End points: the smallest and the largest composition.
        Query* ends = s.dm->OpenEndPoints(1);
        QCOMPARE(ends->rowCount(), 2);
        QCOMPARE(ends->value(1, QStringLiteral("X")).toDouble(), 1.0);
    }

    // A value computed outside the range of its equation is marked in its cell;
    // one inside is not, and neither is one whose range is unknown (no row, a
    // text where a number belongs, or no range table at all).
    void valuesOutsideTheirRangeAreMarked()
    {
        Setup s;
        s.choose(2, QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        s.publication(QStringLiteral("[2001Abc1]"));
        s.chart.t[1] = QStringLiteral("1000");
        Query* q = s.dm->OpenIsothermValues(1);
        QCOMPARE(q->rowCount(), 3);
        QVERIFY(!q->hasMarks()); // the fixture holds no ranges
        const QVariant property = s.dm->chosenProperty(), system = s.dm->chosenSystem();
        const QVariant publication = s.q("qrAutor")->field(QStringLiteral("ID_PUBLIKACJI"));
        const auto range = [&](const QVariant& x, const QString& low, const QString& high) {
            execOn(s.fixture.databaseFile(),
                   QStringLiteral("INSERT INTO VALID_RANGE (ID_WLASCIWOSCI, ID_TAB_UKL, ID_PUBLIKACJI, X, T_MIN, T_MAX, SOURCE) "
                                  "VALUES (%1, %2, %3, %4, %5, %6, 'test')")
                       .arg(property.toString(), system.toString(), publication.toString(), x.toString(), low, high));
        };
        range(q->value(0, QStringLiteral("X")), QStringLiteral("1235"), QStringLiteral("1773")); // 1000 K below it
        range(q->value(1, QStringLiteral("X")), QStringLiteral("900"), QStringLiteral("1300"));  // 1000 K inside
        range(q->value(2, QStringLiteral("X")), QStringLiteral("'low'"), QStringLiteral("800")); // not a range: unknown
        q = s.dm->OpenIsothermValues(1);
        const int value = q->columnIndex(QStringLiteral("DensityT1"));
        DataSource* ds = s.dm->dataSource(QStringLiteral("dsPunkty1"));
        QCOMPARE(q->cellMark(0, value), QStringLiteral("(extrapolated)"));
        QCOMPARE(ds->displayText(0, value), ds->valueText(0, value) + QStringLiteral(" (extrapolated)"));
        QCOMPARE(q->cellMark(1, value), QString());
        QCOMPARE(ds->displayText(1, value), ds->valueText(1, value));
        QCOMPARE(q->cellMark(2, value), QString());
        QCOMPARE(q->cellMark(0, q->columnIndex(QStringLiteral("X"))), QString()); // only the value is marked
        // At the lower end of one range and inside the other nothing is extrapolated.
        s.chart.t[1] = QStringLiteral("1235");
        q = s.dm->OpenIsothermValues(1);
        QVERIFY(!q->hasMarks());

        // A database from before the range table: every range unknown, nothing
        // marked, and the start-up check finds nothing missing.
        Setup older;
        execOn(older.fixture.databaseFile(), QStringLiteral("DROP TABLE VALID_RANGE"));
        older.dm.reset(new TdmDataModule);
        older.dm->setChartInputs(&older.chart);
        QVERIFY2(older.ui.texts().isEmpty(), qPrintable(older.ui.texts().join('|')));
        older.choose(2, QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        older.publication(QStringLiteral("[2001Abc1]"));
        older.chart.t[1] = QStringLiteral("100");
        q = older.dm->OpenIsothermValues(1);
        QCOMPARE(q->rowCount(), 3);
        QVERIFY(!q->hasMarks());
    }

    // Where each operation takes its publication from.
    void publicationBindings()
    {
        Setup s;
        s.choose(2, QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        s.publication(QStringLiteral("[2001Abc1]")); // dblAutor and qrAutor
        s.dm->OpenPublications2();
        QVERIFY(s.q("qrAutor1")->locate(QStringLiteral("OZNACZENIE"), QStringLiteral("[A]")));
        const auto bound = [&](const char* query) { return s.q(query)->boundValue(QStringLiteral("lPublikacja")); };
        // Page texts first, the isotherm page's text when they are empty.
        s.dm->OpenEquations();
        s.dm->OpenEquations2();
        QCOMPARE(bound("qrRownania").toString(), QStringLiteral("[2001Abc1]"));
        QCOMPARE(bound("qrRownania2").toString(), QStringLiteral("[2001Abc1]"));
        s.chart.pub[1] = QStringLiteral("[1999Def2]");
        s.chart.pub[2] = QStringLiteral("[A]");
        s.dm->OpenEquations();
        s.dm->OpenEquations2();
        QCOMPARE(bound("qrRownania").toString(), QStringLiteral("[1999Def2]"));
        QCOMPARE(bound("qrRownania2").toString(), QStringLiteral("[A]"));
        QCOMPARE(s.q("qrRownania2")->rowCount(), 2);
        // The second temperature page's section equations use qrAutor1, the first qrAutor.
        s.dm->OpenSectionEquations();
        s.dm->OpenSectionEquations2();
        QCOMPARE(bound("qrDane45").toInt(), 1);
        QCOMPARE(bound("qrDane452").toInt(), 4);
        // Points: the identifier found by qrPunktyDos, as text; the section points
        // fall back on qrAutor when qrPunktyDos has none.
        s.chart.pub[1] = QStringLiteral("[2001Abc1]");
        QVERIFY(s.dm->OpenPointSources());
        s.dm->OpenPoints();
        QCOMPARE(bound("qrPunktyD").metaType().id(), QMetaType::QString);
        QCOMPARE(bound("qrPunktyD").toString(), QStringLiteral("1"));
        s.chart.pub[1] = QStringLiteral("[A]");
        QVERIFY(s.dm->OpenPointSources());
        QCOMPARE(s.q("qrPunktyDos")->rowCount(), 0);
        QVERIFY(s.q("qrAutor")->locate(QStringLiteral("OZNACZENIE"), QStringLiteral("[A]")));
        s.dm->OpenSectionPoints();
        QCOMPARE(bound("qrPunkty45").toInt(), 4);
    }

    void chosenPublicationsStatement()
    {
        Setup s;
        s.dm->OpenChosenPublications(QStringLiteral("3,7,12"));
        QCOMPARE(s.q("qrPublikacje")->lines().last(), QStringLiteral("ID_PUBLIKACJI IN (3,7,12)"));
        QCOMPARE(s.q("qrPublikacje")->rowCount(), 1);
        s.dm->OpenChosenPublications(QString());
        QCOMPARE(s.q("qrPublikacje")->lines().last(), QStringLiteral("ID_PUBLIKACJI IN ()"));
        QCOMPARE(s.q("qrPublikacje")->rowCount(), 0);
    }

    void sectionRowsAndSectionTen()
    {
        Setup s;
        s.choose(3, QStringLiteral("Ag-Cu-Sn"), QStringLiteral("Density"));
        s.publication(QStringLiteral("[2001Abc1]"));
        s.dm->OpenEutectics();
        QCOMPARE(s.q("qrEut")->rowCount(), 2);
        QCOMPARE(s.q("qrEut")->field(QStringLiteral("OZNACZENIE")).toString(), QStringLiteral("Section one"));
        s.dm->OpenSectionEquations();
        QCOMPARE(s.q("qrDane45")->rowCount(), 2); // section 1 and section 10
        s.q("qrEut")->setCurrentRow(1);
        s.dm->OpenSectionEquations();
        QCOMPARE(s.q("qrDane45")->rowCount(), 3); // two of section 2 and one of 10
        // Values of the section at T1..T4: an empty field gives NULL values.
        s.chart.t[4] = QStringLiteral("1000");
        Query* values = s.dm->OpenSectionValues(4);
        QCOMPARE(values->name(), QStringLiteral("qrWyniki454"));
        QCOMPARE(values->columnNames(), (QStringList{"X", "SYSTEM", "DensityT4"}));
        QCOMPARE(values->rowCount(), 3);
        QVERIFY(values->locate(QStringLiteral("SYSTEM"), QStringLiteral("Sec2-alloy-b")));
        QCOMPARE(s.dm->dataSource(QStringLiteral("dsWyniki454"))->displayText(values->currentRow(), 2), QStringLiteral("6.6"));
        values = s.dm->OpenSectionValues(1);
        QCOMPARE(values->name(), QStringLiteral("qrWyniki45"));
        QCOMPARE(values->rowCount(), 3);
        QVERIFY(values->value(0, QStringLiteral("DensityT1")).isNull());
        s.chart.t[1] = QStringLiteral("1000");
        Query* mv = s.dm->OpenMolarVolume(QStringLiteral("Ternary systems"), QStringLiteral("Ag-Cu-Sn"), 1);
        QCOMPARE(mv->name(), QStringLiteral("qrUkl31"));
        QCOMPARE(mv->rowCount(), 3); // compositions of UKL_3 section 2 only
        // M = 100*0.5 + 60*(1-0.7) + 120*0.2 = 92 ; density 7.8 - 1 = 6.8
        QVERIFY(std::fabs(mv->value(0, QStringLiteral("VT1")).toDouble() - 92.0 / 6.8) < 1e-12);
    }

    void quaternaryAndQuinaryMolarVolume()
    {
        Setup s;
        s.choose(5, QStringLiteral("Ag-Bi-Cu-Sb-Sn"), QStringLiteral("Molar volume"));
        s.publication(QStringLiteral("[2001Abc1]"));
        s.dm->OpenEutectics();
        s.chart.t[2] = QStringLiteral("1000");
        Query* q = s.dm->OpenMolarVolume(QStringLiteral("Quinary systems"), QStringLiteral("Ag-Bi-Cu-Sb-Sn"), 2);
        QCOMPARE(q->rowCount(), 2);
        QCOMPARE(q->value(0, QStringLiteral("UKLAD")).toString(), QStringLiteral("A-alloy")); // by label
        s.choose(4, QStringLiteral("Ag-Cu-Sb-Sn"), QStringLiteral("Molar volume"));
        s.publication(QStringLiteral("[2001Abc1]"));
        s.dm->OpenEutectics();
        QCOMPARE(TdmDataModule::molarVolumeQueryName(QStringLiteral("Quaternary systems"), QStringLiteral("Ag-Cu-Sb-Sn"), 2),
                 QStringLiteral("qrUkl42"));
        q = s.dm->OpenMolarVolume(QStringLiteral("Quaternary systems"), QStringLiteral("Ag-Cu-Sb-Sn"), 2);
        QVERIFY2(q->isOpen(), qPrintable(q->lastError()));
        QCOMPARE(q->rowCount(), 1);
        QCOMPARE(TdmDataModule::molarVolumeQueryName(QStringLiteral("Quaternary systems"), QStringLiteral("Ag-Bi-Cu-Sn"), 3),
                 QStringLiteral("qrUkl4543"));
    }

    void lineEnds()
    {
        Setup s;
        s.choose(2, QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        s.chart.pub[1] = QStringLiteral("[2001Abc1]");
        s.dm->OpenEquations();
        Query* eq = s.q("qrRownania");
        QVERIFY(eq->locate(QStringLiteral("X"), 0.5));
        LineRecord record;
        s.dm->ReadLineEnds1(record);
        QCOMPARE(record.t1, 600);
        QCOMPARE(record.value1.raw(), 80000);
        QCOMPARE(record.t2, 1000);
        // A line of three rows leaves the record as it was.
        const LineRecord before = record;
        QVERIFY(eq->locate(QStringLiteral("X"), 0.0));
        s.dm->ReadLineEnds1(record);
        QVERIFY(record == before);
        // The line query stands on its last row whatever its row count.
        Query* line = s.q("qrPunktyTemp");
        QCOMPARE(line->rowCount(), 3);
        QCOMPARE(line->currentRow(), 2);
        QCOMPARE(line->field(QStringLiteral("ID_DANE_WLA_T")).toInt(), 5);
        // A viscosity line on page 1 ends at the viscosities of its equation, A*exp(B/(R*T)).
        s.choose(2, QStringLiteral("Ag-Sn"), QStringLiteral("Viscosity"));
        s.chart.pub[1] = QStringLiteral("[2005Ghi3]");
        s.dm->OpenEquations();
        QVERIFY(eq->locate(QStringLiteral("X"), 0.5));
        LineRecord visco;
        s.dm->ReadLineEnds1(visco);
        QCOMPARE(visco.t1, 1000);
        QCOMPARE(visco.value1, FixedPoint4::fromDouble(2.0 * std::exp(1.0 / (TdmDataModule::R * 1000))));
        QCOMPARE(visco.value2, FixedPoint4::fromDouble(2.0 * std::exp(1.0 / (TdmDataModule::R * 100))));
        QCOMPARE(visco.t2, 100);
    }

    // Multicomponent pages show qrDane45 / qrDane452 in their equation grids: the
    // composition and alloy number of the line come from the row chosen there.
    void sectionLineEndsFollowTheSectionGrid()
    {
        Setup s;
        s.choose(3, QStringLiteral("Ag-Cu-Sn"), QStringLiteral("Density"));
        s.publication(QStringLiteral("[2001Abc1]"));
        s.dm->OpenPublications2();
        QVERIFY(s.q("qrAutor1")->locate(QStringLiteral("OZNACZENIE"), QStringLiteral("[2001Abc1]")));
        s.dm->OpenEutectics();
        s.q("qrEut")->setCurrentRow(1); // section 2
        s.chart.eutectic = 2;
        s.chart.pub[1] = s.chart.pub[2] = QStringLiteral("[2001Abc1]");
        s.dm->OpenSectionEquations();
        s.dm->OpenSectionEquations2();
        for (int page : {1, 2}) {
            Query* grid = s.q(page == 1 ? "qrDane45" : "qrDane452");
            QVERIFY(grid->locate(QStringLiteral("X"), 0.2));
            LineRecord record;
            page == 1 ? s.dm->ReadSectionLineEnds1(record) : s.dm->ReadSectionLineEnds2(record);
            QCOMPARE(record.t1, 700);
            QCOMPARE(record.value1.raw(), 71000); // 7.8 - 0.001 * 700
            QCOMPARE(record.t2, 900);
            QCOMPARE(record.value2.raw(), 69000);
            // An alloy without a line leaves the record as it was.
            const LineRecord before = record;
            QVERIFY(grid->locate(QStringLiteral("X"), 0.3));
            page == 1 ? s.dm->ReadSectionLineEnds1(record) : s.dm->ReadSectionLineEnds2(record);
            QVERIFY(record == before);
        }
    }

    void pointsNeedFourDecimalCompositions()
    {
        Setup s;
        s.choose(2, QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        s.chart.pub[1] = QStringLiteral("[2001Abc1]");
        QVERIFY(s.dm->OpenPointSources());
        QVERIFY(s.q("qrPunktyDos")->rowCount() > 0);
        s.chart.composition = FixedPoint4::fromDouble(0.5);
        s.dm->OpenPoints();
        QCOMPARE(s.q("qrPunktyD")->rowCount(), 2);
        s.chart.composition = FixedPoint4::fromDouble(0.12345);
        s.dm->OpenPoints();
        QCOMPARE(s.q("qrPunktyD")->rowCount(), 0);
        s.chart.pub[1] = QStringLiteral("[1999Def2]");
        QVERIFY(s.dm->OpenPointSources());
        QCOMPARE(s.q("qrPunktyDos")->rowCount(), 0);
    }

    void viscosityTableFill()
    {
        Setup s;
        s.choose(2, QStringLiteral("Ag-Sn"), QStringLiteral("Viscosity"));
        s.publication(QStringLiteral("[2005Ghi3]"));
        s.chart.t[1] = QStringLiteral("1273");
        s.dm->FillViscosityTable(1);
        Query* exp = s.q("qrExp");
        QCOMPARE(exp->rowCount(), 3);
        QCOMPARE(exp->value(0, QStringLiteral("Visco")).toDouble(), 1.0);
        QCOMPARE(exp->value(1, QStringLiteral("Visco")).toDouble(), 2.0);
        QVERIFY(std::fabs(exp->value(2, QStringLiteral("Visco")).toDouble() - 2.0) < 1e-12);
        QCOMPARE(s.dm->dataSource(QStringLiteral("dsExp"))->displayText(1, 1), QStringLiteral("2"));
        // A second fill replaces the rows.
        s.dm->FillViscosityTable(1);
        QCOMPARE(s.dm->OpenViscosityResults(1)->rowCount(), 3);
        // Ternary: the label is cut to twenty characters.
        s.choose(3, QStringLiteral("Ag-Cu-Sn"), QStringLiteral("Viscosity"));
        s.publication(QStringLiteral("[2005Ghi3]"));
        s.dm->OpenEutectics();
        s.q("qrEut")->setCurrentRow(1);
        s.chart.t[2] = QStringLiteral("1000");
        s.dm->FillViscosityTable(2);
        QCOMPARE(s.q("qrExp2")->rowCount(), 1);
        QCOMPARE(s.q("qrExp2")->value(0, QStringLiteral("SYSTEM")).toString(), QStringLiteral("A label longer than "));
    }

    void viscosityFillFailureLeavesTheTableAsItWas()
    {
        Setup s;
        s.choose(2, QStringLiteral("Ag-Sn"), QStringLiteral("Viscosity"));
        s.publication(QStringLiteral("[2005Ghi3]"));
        s.chart.t[1] = QStringLiteral("1273");
        s.dm->FillViscosityTable(1);
        // A trigger that rejects the third row makes the refill fail half-way.
        QSqlQuery trigger(QSqlDatabase::database(s.dm->connectionName()));
        QVERIFY(trigger.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON VISCOSITY WHEN NEW.X = 1 "
                                            "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
        s.chart.t[1] = QStringLiteral("1000");
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, s.dm->FillViscosityTable(1));
        QVERIFY(s.q("qrExp")->isOpen()); // its grid keeps showing the table's rows
        QCOMPARE(s.q("qrExp")->rowCount(), 3);
        Query* exp = s.dm->OpenViscosityResults(1);
        QCOMPARE(exp->rowCount(), 3); // the rows of the 1273 K fill
        QVERIFY(std::fabs(exp->value(2, QStringLiteral("Visco")).toDouble() - 2.0) < 1e-12);
        // A bad temperature text fails before anything is written.
        s.chart.t[1] = QStringLiteral("1e3");
        QVERIFY_THROWS_EXCEPTION(NumberFormatError, s.dm->FillViscosityTable(1));
    }

    // Every refusal of a refill is said in words and leaves the computed table
    // and its grid as they were (here: the three rows of the 1273 K fill).
    void refusedRefillLeavesTheTable_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("temperature");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("namesTheFile");
        QTest::newRow("0 K") << QString() << "0" << "at T1 = 0 K: the temperature must be above 0 K" << false;
        QTest::newRow("below 0 K") << QString() << "-5" << "at T1 = -5 K: the temperature must be above 0 K" << false;
        QTest::newRow("exp overflows") << "UPDATE DANE_WLASNOSCI SET B = 1e7" << "1"
                                       << "The viscosity at T1 = 1 K is not a finite number for X = 0 (A = 1, B = 10000000)"
                                       << false;
        QTest::newRow("equations unreadable") << "ALTER TABLE DANE_WLASNOSCI RENAME COLUMN A TO A_OLD" << "1000"
                                              << "The viscosity equations cannot be read from" << true;
        QTest::newRow("VISCO column renamed") << "ALTER TABLE VISCOSITY RENAME COLUMN VISCO TO V" << "1000"
                                              << "has no usable table VISCOSITY for the calculated viscosities of T1"
                                              << true;
        QTest::newRow("read-only database") << "PRAGMA query_only = 1" << "1000"
                                            << "cannot be written (the file or its folder is read-only)" << true;
    }
    void refusedRefillLeavesTheTable()
    {
        QFETCH(QString, sql);
        QFETCH(QString, temperature);
        QFETCH(QString, expected);
        QFETCH(bool, namesTheFile);
        Setup s;
        s.viscosityFilled();
        QSqlDatabase db = QSqlDatabase::database(s.dm->connectionName());
        if (!sql.isEmpty())
            QVERIFY2(QSqlQuery(db).exec(sql), qPrintable(sql));
        s.chart.t[1] = temperature;
        try {
            s.dm->FillViscosityTable(1);
            QFAIL("the refill was not refused");
        } catch (const std::runtime_error& e) {
            const QString message = QString::fromUtf8(e.what());
            QVERIFY2(message.contains(expected), qPrintable(message));
            QCOMPARE(message.contains(QDir::toNativeSeparators(s.fixture.databaseFile())), namesTheFile);
        }
        QVERIFY(s.q("qrExp")->isOpen());
        QCOMPARE(s.q("qrExp")->rowCount(), 3);
        QSqlQuery check(db);
        QVERIFY(check.exec(QStringLiteral("SELECT COUNT(*), SUM(X) FROM VISCOSITY")));
        QVERIFY(check.next());
        QCOMPARE(check.value(0).toInt(), 3);
    }

    void missingSlotTableIsNamedBeforeAnyRefill()
    {
        Setup s;
        QSqlDatabase db = QSqlDatabase::database(s.dm->connectionName());
        QVERIFY(QSqlQuery(db).exec(QStringLiteral("DROP TABLE VISCOSITY3")));
        s.dm->checkViscosityTable(1);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, s.dm->checkViscosityTable(3));
        // A module started on this file names the table at start.
        TdmDataModule second;
        QVERIFY2(second.startupProblem().contains(QStringLiteral("lacks the table(s) VISCOSITY3")),
                 qPrintable(second.startupProblem()));
    }

    // A second program holding the file (here a second connection in the middle of
    // its own write) makes the refill wait, then give up with a message; the
    // table is intact and the refill works once the other program is done.
    void busyDatabaseIsWaitedForThenReported()
    {
        Setup s;
        s.viscosityFilled();
        QSqlDatabase mine = QSqlDatabase::database(s.dm->connectionName());
        QVERIFY(QSqlQuery(mine).exec(QStringLiteral("PRAGMA busy_timeout = 300")));
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
            other.setDatabaseName(s.fixture.databaseFile());
            QVERIFY(other.open());
            QSqlQuery hold(other);
            QVERIFY(hold.exec(QStringLiteral("BEGIN IMMEDIATE")));
            QVERIFY(hold.exec(QStringLiteral("DELETE FROM VISCOSITY")));
            s.chart.t[1] = QStringLiteral("1000");
            QElapsedTimer waited;
            waited.start();
            try {
                s.dm->FillViscosityTable(1);
                QFAIL("the refill did not wait for the other program");
            } catch (const std::runtime_error& e) {
                const QString message = QString::fromUtf8(e.what());
                QVERIFY2(message.contains(QStringLiteral("is in use by another program")), qPrintable(message));
                QVERIFY(message.contains(QDir::toNativeSeparators(s.fixture.databaseFile())));
            }
            QVERIFY(waited.elapsed() >= 250);
            QVERIFY(hold.exec(QStringLiteral("ROLLBACK")));
            other.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
        s.dm->FillViscosityTable(1);
        QCOMPARE(s.q("qrExp")->rowCount(), 3);
        QSqlQuery check(mine);
        QVERIFY(check.exec(QStringLiteral("PRAGMA integrity_check")) && check.next());
        QCOMPARE(check.value(0).toString(), QStringLiteral("ok"));
    }

    // The installed database is shared and read-only: it is opened read-only and
    // the calculated viscosities live in the connection's own copies of the four
    // tables; the file (and its folder) are byte for byte as shipped, even for a
    // user who could write there.
    void installedDatabaseIsNeverWritten()
    {
        test::ScriptedUi ui;
        QTemporaryDir prefix;
        QVERIFY(QDir().mkpath(prefix.filePath(QStringLiteral("bin"))));
        const QString shared = prefix.filePath(QStringLiteral("share/korvel3/Database"));
        QVERIFY(QDir().mkpath(shared));
        const QString file = shared + QStringLiteral("/korvel3.sqlite");
        QVERIFY(QFile::copy(test::builtFixture(QStringLiteral("fixture")), file));
        QVERIFY(QFile(file).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        const QByteArray shipped = fileHash(file);
        dirs::overrideApplicationDir(prefix.filePath(QStringLiteral("bin")));
        {
            TdmDataModule dm;
            FakeChart chart;
            dm.setChartInputs(&chart);
            QCOMPARE(dm.databaseDir(), QDir::toNativeSeparators(shared));
            QCOMPARE(dm.startupProblem(), QString());
            QVERIFY(dm.query(QStringLiteral("qrSelect"))->locate(QStringLiteral("ID_SELECT"), 2));
            dm.OpenSystems();
            QVERIFY(dm.query(QStringLiteral("qrTabUkl"))->locate(QStringLiteral("OZNACZENIE"), QStringLiteral("Ag-Sn")));
            QVERIFY(dm.query(QStringLiteral("qrWlasnosci"))->locate(QStringLiteral("WLASNOSC"), QStringLiteral("Viscosity")));
            dm.OpenPublications();
            QVERIFY(dm.query(QStringLiteral("qrAutor"))->locate(QStringLiteral("OZNACZENIE"), QStringLiteral("[2005Ghi3]")));
            chart.pub[0] = QStringLiteral("[2005Ghi3]");
            for (const char* t : {"1273", "1000"}) {
                chart.t[1] = QString::fromLatin1(t);
                dm.FillViscosityTable(1);
                QCOMPARE(dm.query(QStringLiteral("qrExp"))->rowCount(), 3);
            }
            QCOMPARE(dm.query(QStringLiteral("qrExp"))->value(0, QStringLiteral("Visco")).toDouble(), 1.0);
            QSqlQuery shippedRows(QSqlDatabase::database(dm.connectionName()));
            QVERIFY(shippedRows.exec(QStringLiteral("SELECT COUNT(*) FROM main.VISCOSITY")) && shippedRows.next());
            QCOMPARE(shippedRows.value(0).toInt(), 0);
        }
        dirs::overrideApplicationDir(QString());
        QCOMPARE(fileHash(file), shipped);
        QCOMPARE(QDir(shared).entryList(QDir::Files), QStringList{QStringLiteral("korvel3.sqlite")});
    }

    void startupCheckNamesWhatTheCatalogueLacks()
    {
        test::ScriptedUi ui;
        test::FixtureDatabase fixture;
        execOn(fixture.databaseFile(), QStringLiteral("ALTER TABLE TAB_UKL RENAME COLUMN OZNACZENIE TO NAME"));
        TdmDataModule dm;
        const QString problem = dm.startupProblem();
        QVERIFY2(problem.contains(QStringLiteral("does not have the columns the program reads")), qPrintable(problem));
        QVERIFY2(problem.contains(QStringLiteral("qrTabUkl (no such column")), qPrintable(problem));
        QVERIFY(dm.writeRefusal().isEmpty());
    }

    // Damaged pages: found at start, and the file is never written to.
    void damagedFileIsFoundAtStartAndNotWritten()
    {
        test::ScriptedUi ui;
        test::FixtureDatabase fixture;
        int pageSize = 0;
        int pages = 0;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("edit"));
            db.setDatabaseName(fixture.databaseFile());
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("PRAGMA page_size")) && q.next());
            pageSize = q.value(0).toInt();
            QVERIFY(q.exec(QStringLiteral("PRAGMA page_count")) && q.next());
            pages = q.value(0).toInt();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("edit"));
        QVERIFY(pages > 4);
        QFile file(fixture.databaseFile());
        QVERIFY(file.open(QIODevice::ReadWrite));
        // Scribble over the page headers of the last pages (page 1, the schema, is kept).
        for (int page = pages - 3; page < pages; ++page) {
            file.seek(qint64(page) * pageSize);
            file.write(QByteArray(64, char(0x5A)));
        }
        file.close();
        const QByteArray before = fileHash(fixture.databaseFile());

        TdmDataModule dm;
        FakeChart chart;
        dm.setChartInputs(&chart);
        QVERIFY2(dm.startupProblem().contains(QStringLiteral("is damaged")), qPrintable(dm.startupProblem()));
        QVERIFY(!dm.writeRefusal().isEmpty());
        chart.t[1] = QStringLiteral("1273");
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, dm.FillViscosityTable(1));
        QCOMPARE(fileHash(fixture.databaseFile()), before);
    }

    // A query's rows carry the values Qt's SQLite driver gives for the same
    // statement: type and value of an integer, a real, a text, a blob and NULL,
    // with a parameter used twice, one left unbound, and the values rebound.
    void queryValuesMatchTheQtDriver()
    {
        Setup s;
        const QString sql = QStringLiteral("SELECT :n AS N, :n + 1 AS M, :r AS R, :t AS T, X'00FF' AS B, NULL AS Z, :unbound AS U");
        Query q(QStringLiteral("probe"), {sql}, s.dm->connectionName());
        QSqlQuery qt(QSqlDatabase::database(s.dm->connectionName()));
        QVERIFY(qt.prepare(sql));
        const QList<QVariantList> bindings = {{7, 2.5, QStringLiteral("Ag-Sn")},
                                              {qint64(1) << 40, -0.125, QString::fromUtf8("\u017c\u00f3\u0142w")}};
        for (const QVariantList& b : bindings) {
            q.bind(QStringLiteral("n"), b[0]);
            q.bind(QStringLiteral("r"), b[1]);
            q.bind(QStringLiteral("t"), b[2]);
            QVERIFY2(q.open(), qPrintable(q.lastError()));
            qt.bindValue(QStringLiteral(":n"), b[0]);
            qt.bindValue(QStringLiteral(":r"), b[1]);
            qt.bindValue(QStringLiteral(":t"), b[2]);
            qt.bindValue(QStringLiteral(":unbound"), QVariant());
            QVERIFY(qt.exec() && qt.next());
            QCOMPARE(q.rowCount(), 1);
            QCOMPARE(q.columnNames(), QStringList({QStringLiteral("N"), QStringLiteral("M"), QStringLiteral("R"), QStringLiteral("T"),
                                                   QStringLiteral("B"), QStringLiteral("Z"), QStringLiteral("U")}));
            for (int c = 0; c < q.columnCount(); ++c) {
                const QVariant mine = q.value(0, c), theirs = qt.value(c);
                QCOMPARE(mine.metaType(), theirs.metaType());
                QCOMPARE(mine.isNull(), theirs.isNull());
                QCOMPARE(mine, theirs);
            }
            qt.finish();
        }
        QCOMPARE(q.value(0, QStringLiteral("M")).toLongLong(), (qint64(1) << 40) + 1);
    }

    // The kept statement follows the file: a changed table gives its new
    // columns, a dropped one an error, a rebound database a fresh statement,
    // and between openings the statement holds no lock a writer would wait for.
    void keptStatementFollowsTheFile()
    {
        Setup s;
        QSqlDatabase db = QSqlDatabase::database(s.dm->connectionName());
        QVERIFY(QSqlQuery(db).exec(QStringLiteral("CREATE TABLE PROBE (X INTEGER)")));
        QVERIFY(QSqlQuery(db).exec(QStringLiteral("INSERT INTO PROBE VALUES (1)")));
        Query q(QStringLiteral("probe"), {QStringLiteral("SELECT * FROM PROBE")}, s.dm->connectionName());
        QVERIFY(q.open());
        QCOMPARE(q.columnNames(), QStringList{QStringLiteral("X")});

        QVERIFY(QSqlQuery(db).exec(QStringLiteral("ALTER TABLE PROBE ADD COLUMN Y TEXT DEFAULT 'y'")));
        QVERIFY(q.open());
        QCOMPARE(q.columnNames(), QStringList({QStringLiteral("X"), QStringLiteral("Y")}));
        QCOMPARE(q.field(QStringLiteral("Y")).toString(), QStringLiteral("y"));

        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("writer"));
            other.setDatabaseName(s.fixture.databaseFile());
            QVERIFY(other.open());
            QVERIFY(QSqlQuery(other).exec(QStringLiteral("PRAGMA busy_timeout = 0")));
            QSqlQuery write(other);
            QVERIFY2(write.exec(QStringLiteral("INSERT INTO PROBE (X) VALUES (2)")), qPrintable(write.lastError().text()));
            other.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("writer"));
        QVERIFY(q.open());
        QCOMPARE(q.rowCount(), 2);

        QVERIFY(QSqlQuery(db).exec(QStringLiteral("DROP TABLE PROBE")));
        QVERIFY(!q.open());
        QVERIFY2(q.lastError().contains(QStringLiteral("no such table")), qPrintable(q.lastError()));
        QCOMPARE(q.rowCount(), 0);

        Query classes(QStringLiteral("classes"), {QStringLiteral("SELECT COUNT(*) FROM SELECT_SYSTEM")}, s.dm->connectionName());
        QVERIFY(classes.open());
        const QVariant count = classes.value(0, 0);
        // Queries outside the module drop their statements themselves before the
        // module closes its connection, as the module does for its own.
        classes.releaseStatement();
        q.releaseStatement();
        s.dm->BindDatabase();
        QVERIFY(classes.open());
        QCOMPARE(classes.value(0, 0), count);
        QVERIFY(s.q("qrSelect")->isOpen());

        Query two(QStringLiteral("two"), {QStringLiteral("SELECT 1; SELECT 2")}, s.dm->connectionName());
        QVERIFY(!two.open());
        QVERIFY(!two.lastError().isEmpty());
    }

    void reportedFailures()
    {
        Setup s;
        s.choose(1, QStringLiteral("Ag"), QStringLiteral("Density"));
        QVERIFY(s.dm->OpenElements());
        QCOMPARE(s.q("qrPierwiastki")->rowCount(), 1);
        QSqlQuery drop(QSqlDatabase::database(s.dm->connectionName()));
        QVERIFY(drop.exec(QStringLiteral("DROP TABLE PIERWIASTKI")));
        QVERIFY(!s.dm->OpenElements());
        QCOMPARE(s.ui.messages.size(), 1);
        QCOMPARE(s.ui.messages[0].kind, test::ScriptedUi::Message::Error);
        QCOMPARE(s.ui.messages[0].text, QStringLiteral("Blad w Pierwiastkach"));
        QVERIFY(!s.q("qrPierwiastki")->isOpen());
        s.choose(2, QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
        QVERIFY(s.dm->OpenMeniscusSources());
        QVERIFY(s.dm->OpenMeniscusMeasurements());
        QVERIFY(s.dm->OpenMeniscusPictures());
        QCOMPARE(s.q("qrMeniskFig")->rowCount(), 1);
        QCOMPARE(s.q("qrMenisk")->field(QStringLiteral("UKLAD")).toString(), QStringLiteral("Ag-Sn eut"));
    }

    // Two copies of the program refilling the same table: each shows exactly
    // the rows it wrote. The second copy tries its refill at the moment the
    // first reads its rows back; it must wait its turn instead of slipping its
    // rows under the first one's result.
    void refillShowsItsOwnRowsWhileAnotherCopyWrites()
    {
        Setup a;
        a.choose(2, QStringLiteral("Ag-Sn"), QStringLiteral("Viscosity"));
        a.publication(QStringLiteral("[2005Ghi3]"));
        TdmDataModule b;
        FakeChart bChart;
        b.setChartInputs(&bChart);
        QVERIFY(b.query(QStringLiteral("qrSelect"))->locate(QStringLiteral("ID_SELECT"), 2));
        b.OpenSystems();
        QVERIFY(b.query(QStringLiteral("qrTabUkl"))->locate(QStringLiteral("OZNACZENIE"), QStringLiteral("Ag-Sn")));
        QVERIFY(b.query(QStringLiteral("qrWlasnosci"))->locate(QStringLiteral("WLASNOSC"), QStringLiteral("Viscosity")));
        b.OpenPublications();
        QVERIFY(b.query(QStringLiteral("qrAutor"))->locate(QStringLiteral("OZNACZENIE"), QStringLiteral("[2005Ghi3]")));
        bChart.pub[0] = QStringLiteral("[2005Ghi3]");
        QVERIFY(QSqlQuery(QSqlDatabase::database(b.connectionName())).exec(QStringLiteral("PRAGMA busy_timeout = 100")));
        bChart.t[1] = QStringLiteral("1500");
        a.chart.t[1] = QStringLiteral("1000");

        bool interleaved = false;
        QString second;
        QObject guard;
        connect(a.q("qrExp"), &Query::aboutToChange, &guard, [&] {
            if (interleaved)
                return;
            interleaved = true;
            try {
                b.FillViscosityTable(1);
                second = QStringLiteral("written");
            } catch (const std::runtime_error& e) {
                second = QString::fromUtf8(e.what());
            }
        });
        a.dm->FillViscosityTable(1);
        QVERIFY(interleaved);
        QVERIFY2(second.contains(QStringLiteral("in use by another program")), qPrintable(second));

        // What the first copy shows is its equations at its own 1000 K.
        Query* equations = a.q("qrRownania");
        Query* shown = a.q("qrExp");
        QCOMPARE(shown->rowCount(), equations->rowCount());
        for (int r = 0; r < shown->rowCount(); ++r) {
            const double x = shown->value(r, QStringLiteral("X")).toDouble();
            int e = 0;
            while (e < equations->rowCount() && equations->value(e, QStringLiteral("X")).toDouble() != x)
                ++e;
            QVERIFY(e < equations->rowCount());
            const double expected = equations->value(e, QStringLiteral("A")).toDouble()
                                    * std::exp(equations->value(e, QStringLiteral("B")).toDouble() / (TdmDataModule::R * 1000));
            QVERIFY2(std::abs(shown->value(r, QStringLiteral("VISCO")).toDouble() - expected) < 1e-9 * expected,
                     qPrintable(QStringLiteral("X = %1: %2, expected %3").arg(x).arg(shown->value(r, QStringLiteral("VISCO")).toDouble()).arg(expected)));
        }
        // Once the first is done, the second refills and shows its own rows.
        disconnect(a.q("qrExp"), nullptr, &guard, nullptr);
        b.FillViscosityTable(1);
        Query* theirs = b.query(QStringLiteral("qrExp"));
        QCOMPARE(theirs->rowCount(), shown->rowCount());
        double mine = 0, other = 0;
        for (int r = 0; r < shown->rowCount(); ++r) {
            mine += shown->value(r, QStringLiteral("VISCO")).toDouble();
            other += theirs->value(r, QStringLiteral("VISCO")).toDouble();
        }
        QVERIFY(other < mine); // 1500 K against 1000 K
    }

    // A file another program holds locked at start: waited for as long as the
    // busy time-out allows, then named as in use (not as damaged), and written
    // once the lock is gone.
    void lockedFileAtStartIsInUseNotDamaged()
    {
        test::ScriptedUi ui;
        test::FixtureDatabase fixture;
        auto holdLock = [&](int milliseconds, std::atomic<bool>& locked) {
            return QThread::create([&fixture, &locked, milliseconds] {
                {
                    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
                    db.setDatabaseName(fixture.databaseFile());
                    db.open();
                    QSqlQuery(db).exec(QStringLiteral("BEGIN EXCLUSIVE"));
                    locked = true;
                    QThread::msleep(milliseconds);
                    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
                    db.close();
                }
                QSqlDatabase::removeDatabase(QStringLiteral("locker"));
            });
        };
        {
            // Released within the busy time-out: start-up simply waits.
            std::atomic<bool> locked = false;
            std::unique_ptr<QThread> holder(holdLock(700, locked));
            holder->start();
            while (!locked)
                QThread::msleep(5);
            TdmDataModule dm;
            QVERIFY2(dm.startupProblem().isEmpty(), qPrintable(dm.startupProblem()));
            QVERIFY(dm.query(QStringLiteral("qrSelect"))->rowCount() > 0);
            holder->wait();
        }
        {
            std::atomic<bool> locked = false;
            std::unique_ptr<QThread> holder(holdLock(TdmDataModule::BusyTimeoutMs + 1500, locked));
            holder->start();
            while (!locked)
                QThread::msleep(5);
            TdmDataModule dm;
            FakeChart chart;
            dm.setChartInputs(&chart);
            QVERIFY2(dm.startupProblem().contains(QStringLiteral("is in use by another program")), qPrintable(dm.startupProblem()));
            QVERIFY(!dm.startupProblem().contains(QStringLiteral("damaged")));
            QVERIFY(!dm.writeRefusal().isEmpty());
            QCOMPARE(dm.query(QStringLiteral("qrSelect"))->rowCount(), 0);
            holder->wait();
            // The lock is gone: the file is tried again, the lists are read, and writing is allowed.
            QTRY_VERIFY_WITH_TIMEOUT(dm.query(QStringLiteral("qrSelect"))->rowCount() > 0, 3 * TdmDataModule::RetryMs);
            QVERIFY(dm.query(QStringLiteral("qrSelect"))->locate(QStringLiteral("ID_SELECT"), 2));
            QVERIFY(dm.startupProblem().isEmpty());
            QVERIFY(dm.writeRefusal().isEmpty());
            dm.OpenSystems();
            QVERIFY(dm.query(QStringLiteral("qrTabUkl"))->locate(QStringLiteral("OZNACZENIE"), QStringLiteral("Ag-Sn")));
            QVERIFY(dm.query(QStringLiteral("qrWlasnosci"))->locate(QStringLiteral("WLASNOSC"), QStringLiteral("Viscosity")));
            dm.OpenPublications();
            QVERIFY(dm.query(QStringLiteral("qrAutor"))->locate(QStringLiteral("OZNACZENIE"), QStringLiteral("[2005Ghi3]")));
            chart.pub[0] = QStringLiteral("[2005Ghi3]");
            chart.t[1] = QStringLiteral("1273");
            dm.FillViscosityTable(1);
            QCOMPARE(dm.query(QStringLiteral("qrExp"))->rowCount(), 3);
            QVERIFY2(ui.messages.isEmpty(), qPrintable(ui.texts().join(QLatin1Char('\n'))));
        }
    }

    // Text or a blob where the schema declares a number: named with its table
    // and row, and left out of what every statement reads.
    void valuesThatAreNotNumbersAreNamedAndLeftOut_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("value");
        QTest::newRow("text in an equation") << "DANE_WLASNOSCI" << "A" << "'abc'";
        QTest::newRow("blob in a point") << "PUNKTY_D" << "Y" << "X'00FF'";
        QTest::newRow("text in a key") << "TAB_UKL" << "ID_SELECT" << "'two'";
    }
    void valuesThatAreNotNumbersAreNamedAndLeftOut()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QString, value);
        test::ScriptedUi ui;
        test::FixtureDatabase fixture;
        execOn(fixture.databaseFile(), QStringLiteral("UPDATE %1 SET %2 = %3 WHERE rowid = (SELECT MIN(rowid) FROM %1)")
                                           .arg(table, column, value));
        int rowid = 0, total = 0;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("count"));
            db.setDatabaseName(fixture.databaseFile());
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("SELECT MIN(rowid), COUNT(*) FROM %1").arg(table)) && q.next());
            rowid = q.value(0).toInt();
            total = q.value(1).toInt();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("count"));
        const QByteArray before = fileHash(fixture.databaseFile());

        TdmDataModule dm;
        const QString named = QStringLiteral("%1 row %2 (%3)").arg(table).arg(rowid).arg(column);
        QVERIFY2(dm.startupProblem().contains(named), qPrintable(dm.startupProblem()));
        QVERIFY(dm.writeRefusal().isEmpty());
        QSqlQuery q(QSqlDatabase::database(dm.connectionName()));
        QVERIFY(q.exec(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)) && q.next());
        QCOMPARE(q.value(0).toInt(), total - 1);
        q.finish();
        QCOMPARE(fileHash(fixture.databaseFile()), before);
    }

    // A file past the size read through at start is checked before its first
    // use: nothing is written into it before the check has found no damage.
    void largeFileIsCheckedBeforeItsFirstUse()
    {
        test::ScriptedUi ui;
        test::FixtureDatabase fixture;
        execOn(fixture.databaseFile(), QStringLiteral("UPDATE DANE_WLASNOSCI SET B = 'x' WHERE rowid = (SELECT MIN(rowid) FROM DANE_WLASNOSCI)"));
        TdmDataModule dm;
        StartupHealthCheck check(dm.databaseDir(), dm.databaseFile(), dm.connectionName());
        check.run(0);
        QVERIFY(check.deferred());
        QCOMPARE(check.problem(), QString());
        QVERIFY(!check.writeRefusal().isEmpty());
        QVERIFY(check.finishDeferred().contains(QStringLiteral("DANE_WLASNOSCI row")));
        QVERIFY(!check.deferred());
        QVERIFY(check.writeRefusal().isEmpty());
        QCOMPARE(check.finishDeferred(), QString());
    }

    void databaseFolderThatIsAFileIsNamedAsAFile()
    {
        test::ScriptedUi ui;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("korvel3.sqlite"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        StartupHealthCheck check(file, file + QStringLiteral("/korvel3.sqlite"), QStringLiteral("none"));
        check.run();
        QVERIFY2(check.problem().contains(QStringLiteral("is a file, not a folder")), qPrintable(check.problem()));
        QVERIFY(!check.problem().contains(QStringLiteral("does not exist")));
    }
};

QTEST_GUILESS_MAIN(TestDataModule)
#include "test_datamodule.moc"
