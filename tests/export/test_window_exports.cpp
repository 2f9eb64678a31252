// The chart window's "Save data" items, "Print", "Export chart…", "Export data
// as CSV…", "Print preview…" and Copy, and the phase-diagram window's "Print",
// driven through the windows' own controls on the fixture database.
#include "FixtureDatabase.h"
#include "ScriptedUi.h"
#include "browsers/TfmDiagram.h"
#include "charts/ChartChoices.h"
#include "charts/ChartExportActions.h"
#include "charts/PlotWidget.h"
#include "charts/TfmWykres.h"
#include "core/Directories.h"
#include "database/DataModule.h"
#include "database/Query.h"
#include "export/Printers.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupList.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
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
    ChartChoices choices;
    TfmWykres* w = nullptr;
    ChartExportActions* exports = nullptr;

    explicit Visit(const QString& property = QStringLiteral("Density"))
    {
        saveDir = dirs::saveDirFor(fixture.applicationDir());
        QVERIFY(QDir(saveDir).exists());
        dm.reset(new TdmDataModule);
        choices = {QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), property, true, false, false};
        setChartChoicesReader([this] { return choices; });
        dm->query(QStringLiteral("qrSelect"))->locate(QStringLiteral("ID_SELECT"), 2);
        dm->OpenSystems();
        dm->query(QStringLiteral("qrTabUkl"))->locate(QStringLiteral("OZNACZENIE"), QStringLiteral("Ag-Sn"));
        dm->query(QStringLiteral("qrWlasnosci"))->locate(QStringLiteral("WLASNOSC"), property);
        dm->OpenPublications();
        dm->OpenPublications2();
        dm->OpenAxisLabel();
        w = new TfmWykres;
        w->show();
        QCoreApplication::processEvents();
        exports = w->findChild<ChartExportActions*>();
        if (!exports)
            exports = new ChartExportActions(w);
    }
    ~Visit()
    {
        delete w;
        setChartChoicesReader({});
    }
    template <typename T> T* get(const QString& name) const
    {
        T* child = w->findChild<T*>(name);
        if (!child)
            qFatal("no control %s", qPrintable(name));
        return child;
    }
    QString file(const QString& name) const { return saveDir + QLatin1Char('/') + name; }
    void showIsotherm(const QString& key, const QString& t1, bool calculated)
    {
        QVERIFY(get<DbLookupList>(QStringLiteral("dblAutor"))->chooseText(key));
        if (!t1.isEmpty())
            QTest::keyClicks(get<QLineEdit>(QStringLiteral("edT1")), t1);
        if (calculated != get<QCheckBox>(QStringLiteral("chbShow"))->isChecked())
            get<QCheckBox>(QStringLiteral("chbShow"))->click();
        get<QPushButton>(QStringLiteral("sbShow"))->click();
    }
};

} // namespace

class TestWindowExports : public QObject {
    Q_OBJECT
private slots:
    void equationsBeforeShowGiveMessage();
    void roadEndsInFilesBitmapAndPage();
    void viscosityModelExportEmptiesBuffer();
    void exportsBesideTheMenu();
    void copyOnGridAndChart();
    void phaseDiagramPrint();
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
    v.showIsotherm(QStringLiteral("[2001Abc1]"), QString(), false);
    QVERIFY(v.w->equationsAction()->isEnabled());
    v.w->equationsAction()->trigger();
    QCOMPARE(readAll(v.file("[2001Abc1]_Density.txt")), expectedFile("road_equations.txt"));

    v.showIsotherm(QStringLiteral("[2001Abc1]"), QStringLiteral("1273"), true);
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
    const bool superuser = geteuid() == 0;
    if (superuser)
        QCOMPARE(seteuid(65534), 0);
    v.w->calculatedValueAction()->trigger();
    v.w->saveGraphAction()->trigger();
    if (superuser)
        QCOMPARE(seteuid(0), 0);
    QFile::setPermissions(v.saveDir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(v.ui.messages.size(), 3);
    QVERIFY2(v.ui.messages[1].text.startsWith("Cannot create file \"" + QDir::toNativeSeparators(
                                                  v.file("[2001Abc1]_Isotherms of Density.txt")) + "\". "),
             qPrintable(v.ui.messages[1].text));
    QVERIFY(v.ui.messages[2].text.contains("Density of Ag-Sn.bmp"));
    QCOMPARE(readAll(v.file("[2001Abc1]_Isotherms of Density.txt")), earlier);
    QCOMPARE(v.w->chart()->title(), QStringLiteral("Ag-Sn"));
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
    v.showIsotherm(QStringLiteral("[2001Abc1]"), QStringLiteral("1273"), true);
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
    QCOMPARE(lines.value(0), QByteArray("System,Property,Temperature [K],X Sn [mole fraction],Density [g/cm^3],"
                                        "Publication,Reference\r"));
    QCOMPARE(lines.value(1), QByteArray("Ag-Sn,Density,1273,0,8.727,[2001Abc1],\"[2001Abc1]  Abc A., Fixture "
                                        "density, J. Fixt., Vol1, (2001) pp.1-2\"\r"));
    QCOMPARE(lines.size(), 5); // header, three rows, nothing after the last CR LF

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
    v.showIsotherm(QStringLiteral("[2001Abc1]"), QString(), false);
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

QTEST_MAIN(TestWindowExports)
#include "test_window_exports.moc"
