// The phase names on the diagram pictures: the liquid, the solid solutions at the
// ends of a binary diagram, the intermetallics by formula and Greek letter, and
// the line that maps them back to the parameter file's names.
#include "PhaseNames.h"

#include <QtTest>

using namespace korvel::phasegen;

class TestPhaseNames : public QObject {
    Q_OBJECT
private slots:
    void names_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("system");
        QTest::addColumn<double>("xLeft");
        QTest::addColumn<double>("xRight");
        QTest::addColumn<QString>("shown");
        QTest::newRow("liquid") << "LIQUID" << "Ag-Sn" << -1.0 << -1.0 << "L";
        QTest::newRow("tin end") << "BCT_A5" << "Ag-Sn" << 0.99 << 1.0 << "(Sn)";
        QTest::newRow("silver end") << "FCC_A1" << "Ag-Sn" << 0.0 << 0.1 << "(Ag)";
        QTest::newRow("copper end of Ag-Cu") << "FCC_A1" << "Ag-Cu" << 0.95 << 1.0 << "(Cu)";
        QTest::newRow("structure inside the diagram") << "HCP_A3" << "Ag-Sn" << 0.12 << 0.23 << "HCP_A3";
        QTest::newRow("structure without a span") << "BCT_A5" << "Ag-Cu-Sn" << -1.0 << -1.0 << "BCT_A5";
        QTest::newRow("epsilon of Ag-Sn") << "EPSILON" << "Ag-Sn" << 0.25 << 0.25 << "Ag3Sn (ε)";
        QTest::newRow("epsilon elsewhere") << "EPSILON" << "Ag-Sb" << 0.25 << 0.25 << "ε";
        QTest::newRow("eta") << "CU6SN5" << "Cu-Sn" << 0.45 << 0.45 << "Cu6Sn5 (η)";
        QTest::newRow("Cu3Sn") << "CU3SN" << "Ag-Cu-Sn" << -1.0 << -1.0 << "Cu3Sn (ε)";
        QTest::newRow("delta") << "AUSN" << "Au-Sn" << 0.5 << 0.5 << "AuSn (δ)";
        QTest::newRow("formula with the file's letter") << "AU5SN_ZETA" << "Au-Sn" << 0.17 << 0.17 << "Au5Sn (ζ)";
        QTest::newRow("bare formula") << "CU41SN11" << "Cu-Sn" << 0.2 << 0.2 << "Cu41Sn11";
        QTest::newRow("formula with a suffix") << "CU6SN5_L" << "Cu-Sn" << 0.45 << 0.45 << "Cu6Sn5_L";
        QTest::newRow("two-letter symbols first") << "SBSN" << "Sb-Sn" << 0.5 << 0.5 << "SbSn";
        QTest::newRow("not a formula of the system") << "DO3" << "Cu-Sn" << 0.15 << 0.2 << "DO3";
    }
    void names()
    {
        QFETCH(QString, file);
        QFETCH(QString, system);
        QFETCH(double, xLeft);
        QFETCH(double, xRight);
        QFETCH(QString, shown);
        std::vector<std::string> elements;
        for (const QString& e : system.split('-'))
            elements.push_back(e.toUpper().toStdString());
        QCOMPARE(conventionalPhaseName(file.toStdString(), elements, {xLeft, xRight}), shown);
    }

    void mappingLine()
    {
        const std::string line = phaseNamesLine(
            {{"FCC_A1", "(Cu)"}, {"LIQUID", "L"}, {"FCC_A1", "(Ag)"}, {"FCC_A1", "(Cu)"}, {"HCP_A3", "HCP_A3"}});
        QCOMPARE(QString::fromStdString(line), QStringLiteral("Phase names on the diagram: (Ag), (Cu) = FCC_A1; L = LIQUID"));
    }
};

QTEST_MAIN(TestPhaseNames)
#include "test_phase_names.moc"
