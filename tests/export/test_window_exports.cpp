// The chart window's "Save data" items, "Print", "Export chart…", "Export data
// as CSV…", "Print preview…" and Copy, and the phase-diagram window's "Print",
// driven through the windows' own controls on the fixture database.
#include "Checks.h"
#include "FixtureDatabase.h"
#include "Guards.h"
#include "ScriptedUi.h"
#include "browsers/TfmDiagram.h"
#include "core/Session.h"
#include "charts/ChartExportActions.h"
#include "charts/PlotWidget.h"
#include "charts/SeriesValues.h"
#include "charts/SeriesValuesPane.h"
#include "core/Numbers.h"
#include "charts/TfmWykres.h"
#include "core/Directories.h"
#include "database/DataModule.h"
#include "database/Query.h"
#include "export/Printers.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupList.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>
#include <qcustomplot.h>

using namespace korvel;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray expectedFile(const QString& name)
{
    return readAll(qEnvironmentVariable("KORVEL_TEST_DATA") + QStringLiteral("/export/") + name);
}

int pdfPageCount(const QString& path)
{
    const QString text = QString::fromLatin1(readAll(path));
    return text.startsWith(QLatin1String("%PDF-")) ? int(text.count(QRegularExpression("/Type\\s*/Page[^s]"))) : -1;
}

// Print jobs land in PDF files of the temporary folder, numbered in order.
struct PdfPrinters {
    QString dir;
    int jobs = 0;
    bool none = false; // no printer installed
    PdfPrinters(const QString& d) : dir(d)
    {
        exports::setPrinterSource([this](QPrinter::PrinterMode mode) -> std::unique_ptr<QPrinter> {
            if (none)
                return nullptr;
            auto p = std::make_unique<QPrinter>(mode);
            p->setOutputFormat(QPrinter::PdfFormat);
            p->setOutputFileName(path(++jobs));
            return p;
        });
    }
    ~PdfPrinters() { exports::setPrinterSource({}); }
    QString path(int job) const { return dir + QStringLiteral("/job%1.pdf").arg(job); }
};

// One visit of the chart window for Ag-Sn on the fixture database, with SaveDir
// in a temporary folder.
struct Visit {
    test::ScriptedUi ui;
    test::FixtureDatabase fixture{QStringLiteral("charts")};
    QString saveDir;
    std::unique_ptr<TdmDataModule> dm;
    Choices choices;
    TfmWykres* w = nullptr;
    ChartExportActions* exports = nullptr;

    // shipped: the database the build ships in place of the fixture.
    explicit Visit(const QString& property = QStringLiteral("Density"), const QString& system = QStringLiteral("Ag-Sn"),
                   bool shipped = false, int classId = 2, const QString& className = QStringLiteral("Binary systems"))
    {
        // The eutectic chooser of higher systems: OK keeps the first section.
        ui.onModal = [](QWidget* window) {
            if (auto* ok = window->findChild<QPushButton*>(QStringLiteral("sbOK")))
                ok->click();
            return 0;
        };
        saveDir = dirs::saveDirFor(fixture.applicationDir());
        QVERIFY(QDir(saveDir).exists());
        if (shipped) {
            const QString file = qEnvironmentVariable("KORVEL_BUILD_DIR") + QStringLiteral("/bin/Database/korvel3.sqlite");
            QVERIFY(QFile::remove(fixture.databaseFile()));
            QVERIFY2(QFile::copy(file, fixture.databaseFile()), qPrintable(file));
            QFile(fixture.databaseFile()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
        dm.reset(new TdmDataModule);
        choices = {className, system, property, true, false, false};
        session().setChoices(choices);
        dm->query(QStringLiteral("qrSelect"))->locate(QStringLiteral("ID_SELECT"), classId);
        dm->OpenSystems();
        dm->query(QStringLiteral("qrTabUkl"))->locate(QStringLiteral("OZNACZENIE"), system);
        dm->query(QStringLiteral("qrWlasnosci"))->locate(QStringLiteral("WLASNOSC"), property);
        dm->OpenPublications();
        dm->OpenPublications2();
        dm->OpenAxisLabel();
        w = new TfmWykres;
        w->show();
        QCoreApplication::processEvents();
        exports = w->exportActions();
        if (!exports)
            qFatal("the chart window has no export actions");
    }
    ~Visit()
    {
        delete w;
        session().setChoices({});
    }
    template <typename T> T* get(const QString& name) const
    {
        T* child = w->findChild<T*>(name);
        if (!child)
            qFatal("no control %s", qPrintable(name));
        return child;
    }
    QString file(const QString& name) const { return saveDir + QLatin1Char('/') + name; }
    [[nodiscard]] bool showIsotherm(const QString& key, const QString& t1, bool calculated)
    {
        KORVEL_CHECK(get<DbLookupList>(QStringLiteral("dblAutor"))->chooseText(key));
        if (!t1.isEmpty())
            QTest::keyClicks(get<QLineEdit>(QStringLiteral("edT1")), t1);
        if (calculated != get<QCheckBox>(QStringLiteral("chbShow"))->isChecked())
            get<QCheckBox>(QStringLiteral("chbShow"))->click();
        get<QPushButton>(QStringLiteral("sbShow"))->click();
        return true;
    }
};

} // namespace

class TestWindowExports : public QObject {
    Q_OBJECT
private slots:
    void equationsBeforeShowGiveMessage();
    void roadEndsInFilesBitmapAndPage();
    void referenceOfShownPublication();
    void viscosityModelExportEmptiesBuffer();
    void exportsBesideTheMenu();
    void copyOnGridAndChart();
    void phaseDiagramPrint();
    void shippedDatabaseRoad();
    void ternarySectionColumns();
    void valuesPaneCopiesEveryDigit();
    void desktopShortcutsAndSavedFileMessage();
    void emptySystemSaysWhatIsThere();
};

void TestWindowExports::equationsBeforeShowGiveMessage()
{
    Visit v;
    v.exports->Equations1Click();
    QCOMPARE(v.ui.lastMessage(),
             QStringLiteral("Click \"Show calculated value\" and \"Show\". Next click in menu \"Save data Equations\""));
    QVERIFY(QDir(v.saveDir).isEmpty());
}

void TestWindowExports::roadEndsInFilesBitmapAndPage()
{
    Visit v;
    QVERIFY(v.showIsotherm(QStringLiteral("[2001Abc1]"), QString(), false));
    QVERIFY(v.w->equationsAction()->isEnabled());
    v.w->equationsAction()->trigger();
    QCOMPARE(readAll(v.file("[2001Abc1]_Density.txt")), expectedFile("road_equations.txt"));

    QVERIFY(v.showIsotherm(QStringLiteral("[2001Abc1]"), QStringLiteral("1273"), true));
    QVERIFY2(v.ui.messages.isEmpty(), qPrintable(v.ui.texts().join('|')));
    QVERIFY(v.w->calculatedValueAction()->isEnabled());
    v.w->calculatedValueAction()->trigger();
    QCOMPARE(readAll(v.file("[2001Abc1]_Isotherms of Density.txt")), expectedFile("road_isotherms.txt"));
    QCOMPARE(v.exports->lastLines().size(), 8 + 5 + 4 + 3 + 1);

    // Save graph: the chart's size, its title back afterwards.
    QVERIFY(v.w->saveGraphAction()->isEnabled());
    v.w->saveGraphAction()->trigger();
    const QImage bitmap(v.file("Density of Ag-Sn.bmp"), "bmp");
    QCOMPARE(bitmap.size(), v.w->chart()->plot()->size());
    QCOMPARE(v.w->chart()->title(), QStringLiteral("Ag-Sn"));

    // Print: one landscape page; without a printer, a message.
    QTemporaryDir jobs;
    PdfPrinters printers(jobs.path());
    auto* print = v.get<QPushButton>(QStringLiteral("sbPrint"));
    QVERIFY(print->isEnabled());
    print->click();
    QCOMPARE(pdfPageCount(printers.path(1)), 1);
    QVERIFY(QString::fromLatin1(readAll(printers.path(1))).contains(QRegularExpression("/MediaBox \\[0 0 8\\d\\d")));
    printers.none = true;
    print->click();
    QCOMPARE(v.ui.lastMessage(), exports::noPrinterMessage());

    // A read-only SaveDir: the message names the file, the earlier file stays.
    const QByteArray earlier = readAll(v.file("[2001Abc1]_Isotherms of Density.txt"));
    QFile::setPermissions(v.saveDir, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                         | QFileDevice::ExeOther);
    test::OrdinaryUserScope user;
    QVERIFY(user.active());
    v.w->calculatedValueAction()->trigger();
    v.w->saveGraphAction()->trigger();
    QVERIFY(user.restore());
    QFile::setPermissions(v.saveDir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(v.ui.messages.size(), 3);
    QVERIFY2(v.ui.messages[1].text.startsWith("Cannot create file \"" + QDir::toNativeSeparators(
                                                  v.file("[2001Abc1]_Isotherms of Density.txt")) + "\". "),
             qPrintable(v.ui.messages[1].text));
    QVERIFY(v.ui.messages[2].text.contains("Density of Ag-Sn.bmp"));
    QCOMPARE(readAll(v.file("[2001Abc1]_Isotherms of Density.txt")), earlier);
    QCOMPARE(v.w->chart()->title(), QStringLiteral("Ag-Sn"));
}

void TestWindowExports::referenceOfShownPublication()
{
    // Two listed publications: the line describes the one whose data are shown.
    Visit v;
    QVERIFY(v.showIsotherm(QStringLiteral("[2001Abc1]"), QStringLiteral("1273"), true));
    QVERIFY(v.get<DbLookupList>(QStringLiteral("dblAutor"))->chooseText(QStringLiteral("[A]")));
    QTest::keyClicks(v.get<QLineEdit>(QStringLiteral("edT2")), QStringLiteral("1373"));
    v.get<QPushButton>(QStringLiteral("sbShow"))->click();
    QCOMPARE(v.get<DbGrid>(QStringLiteral("dbgPublikacje"))->rowCountShown(), 2);
    v.w->calculatedValueAction()->trigger();
    const QStringList lines = v.exports->lastLines();
    QCOMPARE(lines.value(11), QStringLiteral("[A]  Short S., Fixture short key, J. Fixt., Vol4, (2010) pp.7"));
    QCOMPARE(lines.filter(QRegularExpression("^T=")), (QStringList{"T=1273K", "T=1373K"}));
    QVERIFY(QFile::exists(v.file("[A]_Isotherms of Density.txt")));
}

void TestWindowExports::viscosityModelExportEmptiesBuffer()
{
    Visit v;
    auto* memo = v.get<QPlainTextEdit>(QStringLiteral("MemoViscoModel"));
    for (const char* line : {"Model of viscosity: Kozlov,  Temerature: 1273 K", "", "X        Viscosity [mPa*s]", "",
                             "0\t\t1.2", "1\t\t1.05", "", ""})
        memo->appendPlainText(QString::fromLatin1(line));
    v.exports->Modelofviscosity1Click();
    QCOMPARE(readAll(v.file("Ag-Sn_Viscosity Model.txt")), expectedFile("viscosity_model_first.txt"));
    QVERIFY(memo->toPlainText().isEmpty());
    v.exports->Modelofviscosity1Click();
    QCOMPARE(readAll(v.file("Ag-Sn_Viscosity Model.txt")), expectedFile("viscosity_model_second.txt"));
}

void TestWindowExports::exportsBesideTheMenu()
{
    Visit v;
    QVERIFY(v.showIsotherm(QStringLiteral("[2001Abc1]"), QStringLiteral("1273"), true));
    QVERIFY(v.exports->exportChartAction() && v.exports->exportCsvAction() && v.exports->printPreviewAction());

    const QString png = v.file("chart.png");
    v.ui.fileAnswers << png;
    v.ui.inputAnswers << QStringLiteral("150");
    v.exports->exportChartAction()->trigger();
    QCOMPARE(QImage(png).size(), v.w->chart()->plot()->size() * 150 / 96);
    QCOMPARE(v.ui.lastInputDefault, QStringLiteral("300"));
    const QString svg = v.file("chart.svg");
    v.ui.fileAnswers << svg;
    v.exports->exportChartAction()->trigger();
    QVERIFY(readAll(svg).contains("<svg"));
    v.ui.fileAnswers << v.file("chart.gif");
    v.exports->exportChartAction()->trigger();
    QVERIFY(v.ui.lastMessage().contains(".png, .svg or .pdf"));

    const QString csv = v.file("values.csv");
    v.ui.fileAnswers << csv;
    v.exports->exportCsvAction()->trigger();
    const QList<QByteArray> lines = readAll(csv).split('\n');
    QCOMPARE(lines.value(0), QByteArray("System,Property,Series,Method,Source,X Sn [mole fraction],Density [g/cm^3],"
                                        "Reference\r"));
    // Every drawn series in chart order: the end-point line's two points (titled as
    // its isotherm), then the isotherm's three.
    const QByteArray reference("\"[2001Abc1]  Abc A., Fixture density, J. Fixt., Vol1, (2001) pp.1-2\"\r");
    const QByteArray title = v.w->chart()->legendTitles().value(0).toUtf8();
    QCOMPARE(title, QByteArray("[2001Abc1] 1273[K]"));
    QCOMPARE(lines.value(1), "Ag-Sn,Density," + title + ",straight line between the end compositions,[2001Abc1],0,8.727," +
                                 reference);
    QCOMPARE(lines.value(3), "Ag-Sn,Density," + title + ",isotherm from the stored equations,[2001Abc1],0,8.727," + reference);
    QCOMPARE(lines.size(), 7); // header, five rows, nothing after the last CR LF

    QTemporaryDir jobs;
    PdfPrinters printers(jobs.path());
    int previews = 0;
    v.ui.onModal = [&](QWidget* window) {
        previews += qobject_cast<QPrintPreviewDialog*>(window) != nullptr;
        return 0;
    };
    v.exports->printPreviewAction()->trigger();
    QCOMPARE(previews, 1);
}

void TestWindowExports::copyOnGridAndChart()
{
    Visit v;
    QVERIFY(v.showIsotherm(QStringLiteral("[2001Abc1]"), QString(), false));
    DbGrid* grid = v.get<DbGrid>(QStringLiteral("dbgRownania"));
    grid->setFocus();
    grid->selectRow(2, false);
    QApplication::clipboard()->clear();
    QTest::keySequence(grid, QKeySequence::Copy);
    // The grid's titles, then the chosen row as the grid shows it.
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("X\tA\tB\n1\t7\t-0.0005\n"));

    QApplication::clipboard()->clear();
    v.w->chart()->setFocus();
    QTest::keySequence(v.w->chart()->plot(), QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->image().size(), v.w->chart()->plot()->size());
}

void TestWindowExports::phaseDiagramPrint()
{
    test::ScriptedUi ui;
    TfmDiagram diagram;
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    diagram.setPicture(picture);
    QTemporaryDir jobs;
    PdfPrinters printers(jobs.path());
    QVERIFY(diagram.printButton()->isEnabled());
    diagram.printButton()->click();
    QCOMPARE(pdfPageCount(printers.path(1)), 1);
    QVERIFY(ui.messages.isEmpty());
    printers.none = true;
    diagram.printButton()->click();
    QCOMPARE(ui.lastMessage(), exports::noPrinterMessage());
}

void TestWindowExports::shippedDatabaseRoad()
{
    // Viscosity of Ag-Au on the shipped database: the three files, the bitmap,
    // a printed page and the further exports.
    Visit v(QStringLiteral("Viscosity"), QStringLiteral("Ag-Au"), true);
    const QString key = QStringLiteral("[2026Vsa1]");
    QVERIFY(v.showIsotherm(key, QString(), false));
    v.w->equationsAction()->trigger();
    const QStringList equations = QString::fromUtf8(readAll(v.file(key + "_Viscosity.txt"))).split("\r\n");
    QCOMPARE(equations.value(8), QStringLiteral("Viscosity of Ag-Au system"));
    QVERIFY2(equations.value(11).startsWith(key + "  "), qPrintable(equations.value(11)));
    QVERIFY(equations.value(13).endsWith("\t\t        E     "));
    QVERIFY(equations.size() > 16); // at least one composition, then the final CR LF
    QVERIFY(equations.last().isEmpty());

    QVERIFY(v.showIsotherm(key, QStringLiteral("1300"), true));
    v.w->calculatedValueAction()->trigger();
    const QString isotherms = QString::fromUtf8(readAll(v.file(key + "_Isotherms of Viscosity.txt")));
    QVERIFY(isotherms.contains("\r\nT=1300K\r\n\r\n"));

    auto* model = v.get<QComboBox>(QStringLiteral("cbModel1"));
    auto* temperature = v.get<QLineEdit>(QStringLiteral("edModel"));
    temperature->setText(QStringLiteral("1300"));
    model->setCurrentIndex(model->findText(QStringLiteral("(Drv)"), Qt::MatchEndsWith));
    QVERIFY(model->currentIndex() >= 0);
    v.get<QPushButton>(QStringLiteral("sbModelOK"))->click();
    QVERIFY2(v.ui.messages.isEmpty(), qPrintable(v.ui.texts().join('|')));
    QVERIFY(v.w->viscosityModelAction()->isEnabled());
    v.w->viscosityModelAction()->trigger();
    const QStringList model1 = QString::fromUtf8(readAll(v.file("Ag-Au_Viscosity Model.txt"))).split("\r\n");
    QVERIFY(model1.value(8).startsWith("Model of viscosity: "));
    QCOMPARE(model1.size(), 8 + 4 + 101 + 2 + 1 + 1);

    v.w->saveGraphAction()->trigger();
    QCOMPARE(QImage(v.file("Viscosity of Ag-Au.bmp"), "bmp").size(), v.w->chart()->plot()->size());
    QTemporaryDir jobs;
    PdfPrinters printers(jobs.path());
    v.get<QPushButton>(QStringLiteral("sbPrint"))->click();
    QCOMPARE(pdfPageCount(printers.path(1)), 1);
    for (const char* name : {"chart.png", "chart.svg", "chart.pdf"}) {
        v.ui.fileAnswers << v.file(QString::fromLatin1(name));
        v.ui.inputAnswers << QStringLiteral("300");
        v.exports->exportChartAction()->trigger();
    }
    QVERIFY(!QImage(v.file("chart.png")).isNull());
    QVERIFY(readAll(v.file("chart.svg")).contains("<svg"));
    QVERIFY(readAll(v.file("chart.pdf")).startsWith("%PDF-"));
    v.ui.fileAnswers << v.file("values.csv");
    v.exports->exportCsvAction()->trigger();
    // The model curve is exported with the measured isotherm.
    const QString values = QString::fromUtf8(readAll(v.file("values.csv")));
    QVERIFY(values.startsWith("System,Property,Series,Method,Source,"));
    QCOMPARE(values.count(",viscosity model Dravik (Drv)," + key + ","), 101);
    QVERIFY(values.contains(",isotherm from the stored equations," + key + ","));
    QVERIFY2(v.ui.messages.isEmpty(), qPrintable(v.ui.texts().join('|')));
}

void TestWindowExports::valuesPaneCopiesEveryDigit()
{
    Visit v;
    v.showIsotherm(QStringLiteral("[2001Abc1]"), QStringLiteral("1273"), true);
    QCoreApplication::processEvents();
    SeriesValuesPane* pane = v.get<SeriesValuesPane>(QStringLiteral("dbgSeriesValues"));
    const SeriesValuesModel* model = pane->valuesModel();
    QCOMPARE(model->rowCount(), 5); // two points of the end-point line, three of the isotherm
    const QString title = v.w->chart()->legendTitles().value(0);
    QCOMPARE(model->index(0, SeriesValuesModel::Series).data().toString(), title); // the line takes its isotherm's title
    QCOMPARE(model->index(3, SeriesValuesModel::Series).data().toString(), title);
    QCOMPARE(model->index(3, SeriesValuesModel::Method).data().toString(), QStringLiteral("isotherm from the stored equations"));
    QCOMPARE(model->index(0, SeriesValuesModel::Unit).data().toString(), QStringLiteral("g/cm^3"));
    QCOMPARE(model->headerData(SeriesValuesModel::Abscissa, Qt::Horizontal).toString(),
             v.w->chart()->axisTitle(PlotWidget::Axis::Bottom));

    pane->setFocus();
    pane->selectRow(1);
    QApplication::clipboard()->clear();
    QTest::keySequence(pane, QKeySequence::Copy);
    const QStringList copied = QApplication::clipboard()->text().split('\n');
    QCOMPARE(copied.size(), 3); // header, the chosen row, the final line break
    QVERIFY(copied.value(0).startsWith(QStringLiteral("Series\t")));
    const QPointF p = v.w->chart()->series(0)->point(1);
    QCOMPARE(copied.value(1).split('\t').value(2), generalFloatTextLocal(p.y()));

    // "Copy values" on the chart: every row.
    v.w->chart()->findChild<QAction*>(QStringLiteral("CopyValues"))->trigger();
    QCOMPARE(QApplication::clipboard()->text().count('\n'), 6);
    QCOMPARE(v.w->chart()->contextMenuPolicy(), Qt::ActionsContextMenu);
    QVERIFY(v.w->chart()->actions().contains(v.exports->exportCsvAction()));
    QVERIFY(v.get<DbGrid>(QStringLiteral("dbgRownania"))->actions().contains(v.exports->exportChartAction()));

    // A curve added later shows up once the handler is done; clearing empties the pane.
    PlotSeries* extra = v.w->chart()->addLineSeries(QStringLiteral("extra"), Qt::black);
    extra->addPoint(0.5, 1.0);
    QCoreApplication::processEvents();
    QCOMPARE(model->rowCount(), 6);
    v.w->chart()->removeAllSeries();
    QCoreApplication::processEvents();
    QCOMPARE(model->rowCount(), 0);
}

// "Save data" writes without a dialog and says where in the status bar; Ctrl+P
// prints, Ctrl+Shift+S exports the chart.
void TestWindowExports::desktopShortcutsAndSavedFileMessage()
{
    Visit v;
    v.showIsotherm(QStringLiteral("[2001Abc1]"), QString(), false);
    v.w->equationsAction()->trigger();
    auto* status = v.get<QStatusBar>(QStringLiteral("StatusBar"));
    QCOMPARE(status->currentMessage(),
             QStringLiteral("Saved ") + QDir::toNativeSeparators(v.file("[2001Abc1]_Density.txt")));
    v.w->saveGraphAction()->trigger();
    QVERIFY(status->currentMessage().endsWith(QDir::toNativeSeparators(v.file("Density of Ag-Sn.bmp"))));

    v.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(v.w));
    QTemporaryDir jobs;
    PdfPrinters printers(jobs.path());
    QTest::keyClick(v.w, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(pdfPageCount(printers.path(1)), 1);
    const QString png = v.file("shortcut.png");
    v.ui.fileAnswers << png;
    v.ui.inputAnswers << QStringLiteral("96");
    QTest::keyClick(v.w, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(QFileInfo::exists(png));
    // Ctrl+Q asks before ending the program; Cancel keeps it.
    QTest::keyClick(v.w, Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(v.ui.lastMessage(), QStringLiteral("Exit to Windows?"));
    QCOMPARE(v.ui.quitRequests, 0);
    QVERIFY2(v.ui.messages.size() == 1, qPrintable(v.ui.texts().join('|')));
}

// A system without a publication for the property says so in the chart area.
void TestWindowExports::emptySystemSaysWhatIsThere()
{
    {
    Visit v(QStringLiteral("Surface tension"), QStringLiteral("Cu-Sn"));
    QVERIFY(v.w->chart()->placeholderShown());
    QVERIFY2(v.w->chart()->placeholderText().startsWith(
                 QStringLiteral("The database holds no publication on the surface tension of Cu-Sn.")),
             qPrintable(v.w->chart()->placeholderText()));
    QVERIFY(v.w->chart()->placeholderText().contains(QStringLiteral("Butler")));
    PlotSeries* s = v.w->chart()->addLineSeries(QStringLiteral("Butler 1273[K]"), Qt::red);
    s->addPoint(0.1, 0.5);
    QVERIFY(!v.w->chart()->placeholderShown()); // a curve is drawn: the note goes
    }
    Visit held;
    QVERIFY(!held.w->chart()->placeholderShown());
    QVERIFY(held.w->chart()->placeholderText().isEmpty());
}

void TestWindowExports::ternarySectionColumns()
{
    Visit v(QStringLiteral("Density"), QStringLiteral("Ag-Cu-Sn"), false, 3, QStringLiteral("Ternary systems"));
    const QString xp = v.dm->query(QStringLiteral("qrX"))->field(QStringLiteral("XP")).toString();
    QVERIFY(v.showIsotherm(QStringLiteral("[2001Abc1]"), QString(), false));
    v.w->equationsAction()->trigger();
    QStringList lines = v.exports->lastLines();
    QCOMPARE(lines.value(4), QStringLiteral("Halvoren"));
    QCOMPARE(lines.value(13), xp + " \t\tA     \t\tB       \tSYSTEM       ");
    const QStringList equationRows = lines.mid(15);
    QCOMPARE(equationRows.size(), 2); // section 1 and section 10
    for (const QString& row : equationRows)
        QVERIFY2(QRegularExpression("^\\S+\t\t\\S+\t\t\\S+\t\t\\|.+$").match(row).hasMatch(), qPrintable(row));

    v.get<QCheckBox>(QStringLiteral("chbShow"))->click();
    QTest::keyClicks(v.get<QLineEdit>(QStringLiteral("edT1")), QStringLiteral("1000"));
    v.get<QPushButton>(QStringLiteral("sbShow"))->click();
    v.w->calculatedValueAction()->trigger();
    lines = v.exports->lastLines();
    QCOMPARE(lines.value(13), QStringLiteral("T=1000K"));
    QCOMPARE(lines.value(15), xp + "\t\tDensity[g/cm^3]     \t\tSYSTEM       ");
    const QStringList valueRows = lines.mid(17, lines.size() - 18);
    QVERIFY(!valueRows.isEmpty());
    for (const QString& row : valueRows)
        QVERIFY2(QRegularExpression("^\\S+\t\t\\S+\t\t\t\\|.+ \\+ " + QRegularExpression::escape(xp) + "$")
                     .match(row).hasMatch(), qPrintable(row));
    QVERIFY(lines.last().isEmpty());
}

QTEST_MAIN(TestWindowExports)
#include "test_window_exports.moc"
