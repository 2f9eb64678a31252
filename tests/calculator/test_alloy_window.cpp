// The alloy window driven through its widgets: a ternary alloy over a temperature range (table,
// melting range, chart with the liquidus marked), a refused designation, the copy and the CSV
// export, and the Database menu item of the start and selection windows that opens it.
#include "AlloyWindow.h"
#include "CalculatorOutput.h"
#include "ScriptedUi.h"
#include "app/AppWindows.h"
#include "widgets/MainMenu.h"

#include <qcustomplot.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace korvel;

namespace {

const QString kData = QStringLiteral(KORVEL_SOURCE_DIR "/data");
const QString kDatabase = QStringLiteral(KORVEL_SHIPPED_DATABASE);

template <class T> T *child(QWidget &w, const char *name)
{
    T *c = w.findChild<T *>(QString::fromLatin1(name));
    if (!c)
        throw std::runtime_error(std::string("no ") + name);
    return c;
}

void ask(calculator::AlloyWindow &w, const QString &alloy, int basis, const QString &temperatures, int unit)
{
    child<QLineEdit>(w, "edAlloy")->setText(alloy);
    child<QComboBox>(w, "cbBasis")->setCurrentIndex(basis);
    child<QLineEdit>(w, "edTemperatures")->setText(temperatures);
    child<QComboBox>(w, "cbUnit")->setCurrentIndex(unit);
    QTest::mouseClick(child<QPushButton>(w, "sbCalculate"), Qt::LeftButton);
}

} // namespace

class TestAlloyWindow : public QObject {
    Q_OBJECT
private slots:
    void ternaryOverARange();
    void refusedDesignation();
    void copyAndExport();
    void methodDeviationsInTooltips();
    void databaseRowsAndCurves();
    void missingDatabase();
    void databaseMenuOpensIt();
};

void TestAlloyWindow::ternaryOverARange()
{
    test::ScriptedUi ui;
    calculator::AlloyWindow w(kData, kDatabase);
    ask(w, QStringLiteral("Sn-3.5Ag-0.9Cu"), 0, QStringLiteral("200:390:10"), 0);
    QVERIFY(ui.messages.isEmpty());
    auto *table = child<QTableWidget>(w, "dbgAlloy");
    QCOMPARE(table->rowCount(), 20 * 6 + 2 + 4); // and two measured ternary eutectics
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("200.00 \u00B0C"));
    QVERIFY(table->item(0, 6)->text().startsWith(QStringLiteral("below liquidus (BCT_A5 + EPSILON + CU6SN5)")));
    QVERIFY(!table->item(6 * 5, 6)->text().contains(QStringLiteral("below liquidus"))); // 250 °C
    QCOMPARE(table->item(20 * 6, 1)->text(), QStringLiteral("liquidus"));
    QCOMPARE(table->item(20 * 6 + 2, 2)->text(), QStringLiteral("measured"));
    const double liquidus = table->item(20 * 6, 3)->text().toDouble();
    QVERIFY(liquidus > 486 && liquidus < 493);
    QVERIFY(child<QLabel>(w, "lblMelting")->text().contains(QStringLiteral("liquidus %1 K").arg(liquidus, 0, 'f', 2)));
    // The chart: a curve per method of the property shown, the liquidus line at its temperature in °C.
    auto *plot = child<QCustomPlot>(w, "chartAlloy");
    child<QComboBox>(w, "cbProperty")->setCurrentText(QStringLiteral("viscosity"));
    QCOMPARE(plot->graphCount(), 3);
    QCOMPARE(plot->graph(0)->data()->size(), 20);
    QCPItemStraightLine *line = nullptr;
    for (int i = 0; i < plot->itemCount(); ++i)
        if (plot->item(i)->objectName() == QStringLiteral("liquidus"))
            line = qobject_cast<QCPItemStraightLine *>(plot->item(i));
    QVERIFY(line);
    QVERIFY(std::fabs(line->point1->coords().x() - (liquidus - 273.15)) < 0.01);
}

void TestAlloyWindow::refusedDesignation()
{
    test::ScriptedUi ui;
    calculator::AlloyWindow w(kData, kDatabase);
    ask(w, QStringLiteral("Sn-3.5Ag"), 0, QStringLiteral("250"), 0);
    QVERIFY(child<QTableWidget>(w, "dbgAlloy")->rowCount() > 0);
    ask(w, QStringLiteral("Sn-3.5Xx"), 0, QStringLiteral("250"), 0);
    QCOMPARE(ui.messages.size(), 1);
    QCOMPARE(ui.messages[0].kind, test::ScriptedUi::Message::Error);
    QVERIFY(ui.messages[0].text.contains(QStringLiteral("Xx")));
    QCOMPARE(child<QTableWidget>(w, "dbgAlloy")->rowCount(), 0); // no stale numbers beside the new input
    QVERIFY(!child<QPushButton>(w, "sbExport")->isEnabled());
    ask(w, QStringLiteral("Sn-3.5Ag"), 0, QStringLiteral("250:200:10"), 0);
    QCOMPARE(ui.messages.size(), 2);
    ask(w, QStringLiteral("Ag0.038Sn0.962"), 1, QStringLiteral("523.15"), 1);
    QCOMPARE(ui.messages.size(), 2);
    QCOMPARE(child<QTableWidget>(w, "dbgAlloy")->item(0, 0)->text(), QStringLiteral("523.15 K"));
}

void TestAlloyWindow::copyAndExport()
{
    test::ScriptedUi ui;
    calculator::AlloyWindow w(kData, kDatabase);
    ask(w, QStringLiteral("Sn-3Ag-0.5Cu"), 0, QStringLiteral("250, 300"), 0);
    QVERIFY(w.result());
    QTest::mouseClick(child<QPushButton>(w, "sbCopy"), Qt::LeftButton);
    const QString copied = QApplication::clipboard()->text();
    QVERIFY(copied.startsWith(QStringLiteral("T_K\tT_C\tproperty\tvalue\tunit\tmethod\tsource\tflags\n")));
    QVERIFY(copied.contains(QStringLiteral("\tmN/m\tButler\tNIST-solder_2017-08-04.tdb")));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("alloy.csv"));
    ui.fileAnswers << path;
    QTest::mouseClick(child<QPushButton>(w, "sbExport"), Qt::LeftButton);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray::fromStdString(alloy::resultCsv(*w.result())));
    // A cancelled dialog writes nothing and says nothing.
    QVERIFY(!w.exportCsv());
    QVERIFY(ui.messages.isEmpty());
}

// The method cell's tooltip gives the validation report's line for the method; a method the
// report does not compare keeps its name.
void TestAlloyWindow::methodDeviationsInTooltips()
{
    test::ScriptedUi ui;
    calculator::AlloyWindow w(kData, kDatabase);
    ask(w, QStringLiteral("Sn-9Zn"), 0, QStringLiteral("250"), 0);
    QVERIFY(ui.messages.isEmpty());
    auto *table = child<QTableWidget>(w, "dbgAlloy");
    QMap<QString, QString> tips; // property / method -> tooltip
    for (int row = 0; row < table->rowCount(); ++row)
        tips.insert(table->item(row, 1)->text() + QLatin1Char('/') + table->item(row, 2)->text(), table->item(row, 2)->toolTip());
    const QRegularExpression line(QStringLiteral("^%1: mean \\d+\\.\\d %2, largest \\d+\\.\\d %2, \\d+ datasets?$"));
    QVERIFY(tips.value(QStringLiteral("surface tension/Butler")).contains(QRegularExpression(line.pattern().arg(QStringLiteral("Butler"), QStringLiteral("%")))));
    QVERIFY(tips.value(QStringLiteral("liquidus/computed from the parameter file"))
                .contains(QRegularExpression(line.pattern().arg(QStringLiteral("computed from the parameter file"), QStringLiteral("K")))));
    QCOMPARE(tips.value(QStringLiteral("viscosity/Kaptay (Kap)")), QStringLiteral("Kaptay (Kap)"));
    QCOMPARE(tips.value(QStringLiteral("liquidus/measured")), QStringLiteral("measured"));
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral("ideal mixing (calculated)")); // the cell itself keeps the name
}

void TestAlloyWindow::databaseRowsAndCurves()
{
    // Sn-40Pb at 200 and 260 °C: the measured density of the database at 200 °C only (it is held
    // for 465-523 K), a row of the table with its source, a curve of its own on the chart.
    test::ScriptedUi ui;
    calculator::AlloyWindow w(kData, kDatabase);
    ask(w, QStringLiteral("Sn-40Pb"), 0, QStringLiteral("200, 260"), 0);
    QVERIFY(ui.messages.isEmpty());
    auto *table = child<QTableWidget>(w, "dbgAlloy");
    QStringList measured;
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->item(row, 2)->text() == QStringLiteral("measured (interpolated)"))
            measured << table->item(row, 0)->text() + QLatin1Char(' ') + table->item(row, 1)->text() + QLatin1Char(' ') +
                            table->item(row, 3)->text() + QLatin1Char(' ') + table->item(row, 5)->text();
    QCOMPARE(measured, QStringList{QStringLiteral("200.00 \u00B0C density 8.13758 [2005Jem1]")});
    QVERIFY(child<QLabel>(w, "lblNotes")->text().contains(QStringLiteral("density [2005Jem1]: held for 465-523 K")));
    auto *plot = child<QCustomPlot>(w, "chartAlloy");
    child<QComboBox>(w, "cbProperty")->setCurrentText(QStringLiteral("density"));
    QStringList names;
    for (int i = 0; i < plot->graphCount(); ++i)
        names << plot->graph(i)->name();
    QVERIFY2(names.contains(QStringLiteral("measured (interpolated) [2005Jem1]")), qPrintable(names.join(QLatin1Char('|'))));
}

void TestAlloyWindow::missingDatabase()
{
    // The property database cannot be read: an error box naming it, no table.
    test::ScriptedUi ui;
    calculator::AlloyWindow w(kData, QStringLiteral("/nonexistent/korvel3.sqlite"));
    ask(w, QStringLiteral("Sn-3.5Ag"), 0, QStringLiteral("250"), 0);
    QCOMPARE(ui.messages.size(), 1);
    QVERIFY(ui.messages[0].text.contains(QStringLiteral("/nonexistent/korvel3.sqlite")));
    QCOMPARE(child<QTableWidget>(w, "dbgAlloy")->rowCount(), 0);
}

void TestAlloyWindow::databaseMenuOpensIt()
{
    test::ScriptedUi ui;
    app::wireProgram(); // the program's navigator answers the menu item
    for (const MainMenuKind kind : {MainMenuKind::Start, MainMenuKind::Select, MainMenuKind::Chart}) {
        QMenuBar bar;
        buildMainMenu(&bar, kind);
        QAction *item = bar.findChild<QAction *>(QStringLiteral("Alloyproperties1"));
        QCOMPARE(item != nullptr, kind != MainMenuKind::Chart);
        if (!item)
            continue;
        QCOMPARE(item->text(), QStringLiteral("Alloy properties\u2026"));
        item->trigger();
        QWidget *window = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("fmAlloy") && w->isVisible())
                window = w;
        QVERIFY(window);
        window->close();
    }
}

QTEST_MAIN(TestAlloyWindow)
#include "test_alloy_window.moc"
