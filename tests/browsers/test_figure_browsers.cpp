// The property figure browser, the section chooser, the figure list and the
// scan window, driven from the selection window on a copy of the fixture
// database with pictures the tests write themselves.
#include "Checks.h"
#include "BrowserProgram.h"
#include "JpegSamples.h"
#include "browsers/FigureNames.h"
#include "browsers/TfmAutorFig.h"
#include "browsers/TfmFig.h"
#include "browsers/TfmFigers.h"
#include "browsers/TfmSkany.h"
#include "database/Query.h"
#include "core/Directories.h"
#include "export/Printers.h"
#include "widgets/DbLookupList.h"
#include "widgets/Forms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace korvel;
using namespace korvel::figures;

namespace {

const QString kNotAvailable = QStringLiteral("This data isn\u2019t available in this version KORVEL database.");
const QString kAgSnFolder = QStringLiteral("Fig/Binary systems/Ag-Sn/");

QPushButton* button(QWidget* w, const char* name) { return w->findChild<QPushButton*>(QString::fromLatin1(name)); }

// Presses "Fig" once the selection window's timer has enabled it.
[[nodiscard]] bool pressFig(TfmSelect* select)
{
    QPushButton* fig = button(select, "SpeedButton6");
    KORVEL_TRY_CHECK(fig->isEnabled());
    fig->click();
    return true;
}

// A browser script: pick the publication (and sub-property), press "OK".
std::function<void(QWidget*)> pickAndOk(const QString& key, const QString& subProperty = {})
{
    return [key, subProperty](QWidget* w) {
        auto* browser = qobject_cast<TfmAutorFig*>(w);
        QVERIFY(browser->publicationList()->chooseText(key));
        if (!subProperty.isEmpty())
            browser->subPropertyList()->setCurrentText(subProperty);
        QPushButton* ok = button(browser, "sbOK");
        QVERIFY(ok->isEnabled());
        ok->click();
    };
}

DisplayMode mode(const QString& axis, bool model)
{
    DisplayMode m;
    m.isotherms = axis == QLatin1String("X");
    m.temperature = axis == QLatin1String("T");
    m.isosurface = axis == QLatin1String("I");
    m.model = model;
    return m;
}

} // namespace

class TestFigureBrowsers : public QObject {
    Q_OBJECT
private slots:
    void figureNames_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("subProperty");
        QTest::addColumn<QString>("axis");
        QTest::addColumn<bool>("model");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("primary");
        QTest::addColumn<QString>("alternative");
        const QString bin = QStringLiteral("Binary systems");
        QTest::newRow("binary density isotherms") << bin << "Density" << "" << "X" << false << "" << "[k]_Ag-Sn_DX" << "";
        QTest::newRow("Butler isotherms") << bin << "Surface tension" << "" << "X" << true << "" << "[k]_Ag-Sn_STXBut" << "";
        QTest::newRow("molar volume against T") << bin << "Molar volume" << "" << "T" << false << "" << "[k]_Ag-Sn_VT" << "";
        QTest::newRow("density ignores Model") << bin << "Density" << "" << "T" << true << "" << "[k]_Ag-Sn_DT" << "";
        QTest::newRow("resistivity") << bin << "Electrical properties" << "Resistivity" << "T" << false << "" << "[k]_Ag-Sn_ERYT" << "";
        QTest::newRow("Young's modulus") << bin << "Mechanical properties" << "Young's Modulus" << "X" << false << "" << "[k]_Ag-Sn_MYMX" << "";
        QTest::newRow("viscosity model") << bin << "Viscosity" << "" << "X" << true << "" << "Ag-Sn_LXModel" << "";
        QTest::newRow("ternary section Ag/Cu") << "Ternary systems" << "Density" << "" << "X" << false << "Ag/Cu" << "[k]_Ag_Cu_DX" << "";
        QTest::newRow("isosurface of a quinary section") << "Quinary systems" << "Surface tension" << "" << "I" << true << "a/b/c"
                                                         << "[k]_a_b_c_STIBut" << "";
        QTest::newRow("ternary viscosity model") << "Ternary systems" << "Viscosity" << "" << "T" << true << "Ag/Cu" << "Ag-Sn_LTModel" << "";
        QTest::newRow("pure metal") << "Pure metals" << "Density" << "" << "T" << false << "" << "Ag-Sn_DT" << "[k]_Ag-Sn_DT";
    }
    void figureNames()
    {
        QFETCH(QString, className);
        QFETCH(QString, property);
        QFETCH(QString, subProperty);
        QFETCH(QString, axis);
        QFETCH(bool, model);
        QFETCH(QString, section);
        QFETCH(QString, primary);
        QFETCH(QString, alternative);
        const QString t = tail(property, subProperty, mode(axis, model));
        const FigureNames names =
            figures::figureNames(figures::classKindOf(className), QStringLiteral("Ag-Sn"), QStringLiteral("[k]"), sectionName(section), t, property, model);
        QCOMPARE(names.primary, primary);
        QCOMPARE(names.alternative, alternative);
    }

    void theListKnowsTwentyFiveKinds()
    {
        const QList<FigureKind>& kinds = publicationKinds();
        QCOMPARE(kinds.size(), 25);
        QCOMPARE(kinds.first().text, QStringLiteral("Isotherms of density"));
        QCOMPARE(kinds[4].text, QStringLiteral("Butler model of Isotherms of surface tension"));
        QCOMPARE(kinds[4].fileSuffix(), QStringLiteral("STXBut.jpg"));
        QCOMPARE(kinds[5].fileSuffix(), QStringLiteral("STIBut.jpg"));
        QCOMPARE(kinds[21].text, QStringLiteral("Isotherms of Yang's modulus"));
        QCOMPARE(kinds.last().fileSuffix(), QStringLiteral("MHT.jpg"));
    }

    // Density isotherms of a binary system: key_system_DX.jpg in the scan
    // window; the browser is emptied; SaveDir stays where exports go.
    void binaryDensityIsothermOpensInTheScanWindow()
    {
        test::BrowserProgram p;
        p.fixture.writeDocument(kAgSnFolder + QStringLiteral("[2001Abc1]_Ag-Sn_DX.jpg"), test::jpegOfColour(64, 48, Qt::red));
        QSize shownSize;
        p.onWindow.insert(QStringLiteral("fmAutorFig"), [&](QWidget* w) {
            auto* browser = qobject_cast<TfmAutorFig*>(w);
            QCOMPARE(w->findChild<DbLookupList*>(QStringLiteral("dblAuthor")), browser->publicationList());
            QVERIFY(!button(browser, "sbOK")->isEnabled());
            QVERIFY(!browser->subPropertyList()->isEnabled());
            pickAndOk(QStringLiteral("[2001Abc1]"))(w);
            QVERIFY(!button(browser, "sbOK")->isEnabled());
            QCOMPARE(browser->subPropertyList()->count(), 0);
        });
        p.onWindow.insert(QStringLiteral("fmSkany"), [&](QWidget* w) {
            auto* scan = qobject_cast<TfmSkany*>(w);
            shownSize = scan->picture().size();
            QVERIFY(button(scan, "sbReferences"));
            QVERIFY(button(scan, "sbExit"));
        });
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Density"), [&](TfmSelect* select) {
            const QString saveDir = p.start->SaveDir();
            QVERIFY(pressFig(select));
            QCOMPARE(p.shown.mid(1), QStringList({QStringLiteral("fmAutorFig"), QStringLiteral("fmSkany")}));
            QCOMPARE(shownSize, QSize(64, 48));
            QVERIFY(p.start->ChosenPicture().endsWith(QStringLiteral("[2001Abc1]_Ag-Sn_DX.jpg")));
            QCOMPARE(p.start->SaveDir(), saveDir);
            QCOMPARE(p.start->SaveDir(), dirs::saveDirFor(p.fixture.applicationDir()));
            QVERIFY(p.ui.messages.isEmpty());
        }));
    }

    // A ternary system: the section chooser lists the FIG labels; Ag/Cu gives key_Ag_Cu_DX.jpg.
    void ternarySectionNamesTheFile()
    {
        test::BrowserProgram p({QStringLiteral("INSERT INTO FIG VALUES (7, 41, 1, 1, 'Ag/Cu')"),
                                QStringLiteral("INSERT INTO FIG VALUES (8, 41, 1, 1, 'Ag/Sn')")});
        p.fixture.writeDocument(QStringLiteral("Fig/Ternary systems/Ag-Cu-Sn/[2001Abc1]_Ag_Cu_DX.jpg"), test::jpegOfColour(40, 30, Qt::blue));
        QStringList offered;
        QString heading;
        p.onWindow.insert(QStringLiteral("fmAutorFig"), pickAndOk(QStringLiteral("[2001Abc1]")));
        p.onWindow.insert(QStringLiteral("fmFig"), [&](QWidget* w) {
            auto* chooser = qobject_cast<TfmFig*>(w);
            for (int i = 0; i < chooser->list()->count(); ++i)
                offered << chooser->list()->itemText(i);
            heading = chooser->findChild<QLabel*>(QStringLiteral("lblSystem"))->text();
            QVERIFY(chooser->list()->chooseText(QStringLiteral("Ag/Cu")));
            button(chooser, "sbOK")->click();
        });
        QVERIFY(p.inSelection(QStringLiteral("Ternary systems"), QStringLiteral("Ag-Cu-Sn"), QStringLiteral("Density"), [&](TfmSelect* select) {
            QVERIFY(pressFig(select));
            QCOMPARE(p.shown.mid(1), QStringList({QStringLiteral("fmAutorFig"), QStringLiteral("fmFig"), QStringLiteral("fmSkany")}));
            QCOMPARE(offered, QStringList({QStringLiteral("Ag/Cu"), QStringLiteral("Ag/Sn")}));
            QCOMPARE(heading, QStringLiteral("Ag-Cu-Sn"));
            QVERIFY(p.start->ChosenPicture().endsWith(QStringLiteral("[2001Abc1]_Ag_Cu_DX.jpg")));
        }));
    }

    // The expected file is missing: the figure list offers, in table order, the
    // kinds that exist; "Show" opens exactly the selected one; "All data" the first JPEG.
    void figureListOffersWhatExists()
    {
        test::BrowserProgram p;
        p.fixture.writeDocument(kAgSnFolder + QStringLiteral("[1999Def2]_Ag-Sn_STXBut.jpg"), test::jpegOfColour(30, 20, Qt::green));
        p.fixture.writeDocument(kAgSnFolder + QStringLiteral("[1999Def2]_Ag-Sn_DT.jpg"), test::jpegOfColour(30, 20, Qt::gray));
        p.fixture.writeDocument(kAgSnFolder + QStringLiteral("[1999Def2]_Ag-Sn_STT.txt"), "not a figure");
        QStringList offered;
        QString key;
        p.onWindow.insert(QStringLiteral("fmAutorFig"), pickAndOk(QStringLiteral("[1999Def2]")));
        p.onWindow.insert(QStringLiteral("fmFigers"), [&](QWidget* w) {
            auto* list = qobject_cast<TfmFigers*>(w);
            QCOMPARE(list->windowTitle(), QStringLiteral("KORVEL 3"));
            offered = list->offeredTexts();
            key = list->findChild<QLabel*>(QStringLiteral("lblKey"))->text();
            QVERIFY(!button(list, "sbShow")->isEnabled());
            list->kindList()->setCurrentRow(1);
            QVERIFY(button(list, "sbShow")->isEnabled());
            button(list, "sbShow")->click();
            button(list, "SpeedButton1")->click();
        });
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Surface tension"), [&](TfmSelect* select) {
            QVERIFY(pressFig(select));
            QCOMPARE(offered, QStringList({QStringLiteral("Temperature dependences of density"),
                                           QStringLiteral("Butler model of Isotherms of surface tension")}));
            QCOMPARE(key, QStringLiteral("[1999Def2]"));
            QCOMPARE(p.shown.mid(1), QStringList({QStringLiteral("fmAutorFig"), QStringLiteral("fmFigers"), QStringLiteral("fmSkany")}));
            const QString folder = figureFolder(p.fixture.databaseDir(), QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"));
            QCOMPARE(p.start->FigureListDir(), folder + QStringLiteral("[1999Def2]_Ag-Sn_"));
            QCOMPARE(p.start->ChosenPicture(), folder + QStringLiteral("[1999Def2]_Ag-Sn_STXBut.jpg"));
            QCOMPARE(p.ui.openedDocuments, QStringList{folder + QStringLiteral("[1999Def2]_Ag-Sn_DT.jpg")});
            QVERIFY(!forms::window(QStringLiteral("fmFigers"))); // destroyed after its use
        }));
    }

    // The folder holds viscosity figures of another publication only: the
    // chosen publication's figure is not available.
    void noFigureOfThePublicationIsNotAvailable()
    {
        test::BrowserProgram p;
        p.fixture.writeDocument(kAgSnFolder + QStringLiteral("[1999Def2]_Ag-Sn_LT.jpg"), test::jpegOfColour(30, 20, Qt::gray));
        p.onWindow.insert(QStringLiteral("fmAutorFig"), pickAndOk(QStringLiteral("[2005Ghi3]")));
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Viscosity"), [&](TfmSelect* select) {
            QVERIFY(pressFig(select));
            QCOMPARE(p.shown.mid(1), QStringList{QStringLiteral("fmAutorFig")});
            QCOMPARE(p.ui.texts(), QStringList{kNotAvailable});
            QVERIFY(p.ui.openedDocuments.isEmpty());
        }));
    }

    // Viscosity with "Model": "Fig" runs the browser's OK without showing it.
    void viscosityModelFigureWithoutTheBrowser()
    {
        test::BrowserProgram p;
        p.fixture.writeDocument(kAgSnFolder + QStringLiteral("Ag-Sn_LXModel.jpg"), test::jpegOfColour(30, 20, Qt::cyan));
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Viscosity"), [&](TfmSelect* select) {
            auto* model = select->findChild<QCheckBox*>(QStringLiteral("chbButler"));
            QTRY_VERIFY(model->isEnabled());
            model->setChecked(true);
            QVERIFY(pressFig(select));
            QCOMPARE(p.shown.mid(1), QStringList{QStringLiteral("fmSkany")});
            QVERIFY(p.start->ChosenPicture().endsWith(QStringLiteral("Ag-Sn_LXModel.jpg")));
        }));
    }

    // Electrical properties: "OK" waits for a sub-property, whose code enters the name.
    void subPropertyEntersTheName()
    {
        test::BrowserProgram p({QStringLiteral("INSERT INTO WLA_TAB_PUB VALUES (5, 11, 1)")});
        p.fixture.writeDocument(kAgSnFolder + QStringLiteral("[2001Abc1]_Ag-Sn_ERYX.jpg"), test::jpegOfColour(30, 20, Qt::yellow));
        QStringList subProperties;
        p.onWindow.insert(QStringLiteral("fmAutorFig"), [&](QWidget* w) {
            auto* browser = qobject_cast<TfmAutorFig*>(w);
            QComboBox* list = browser->subPropertyList();
            QVERIFY(list->isEnabled());
            for (int i = 0; i < list->count(); ++i)
                subProperties << list->itemText(i);
            QVERIFY(browser->publicationList()->chooseText(QStringLiteral("[2001Abc1]")));
            QVERIFY(!button(browser, "sbOK")->isEnabled());
            pickAndOk(QStringLiteral("[2001Abc1]"), QStringLiteral("Resistivity"))(w);
        });
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Electrical properties"), [&](TfmSelect* select) {
            QVERIFY(pressFig(select));
            QCOMPARE(subProperties, QStringList({QStringLiteral("Resistance"), QStringLiteral("Resistivity"), QStringLiteral("Thermal conductivity")}));
            QVERIFY(p.start->ChosenPicture().endsWith(QStringLiteral("[2001Abc1]_Ag-Sn_ERYX.jpg")));
            QCOMPARE(p.shown.last(), QStringLiteral("fmSkany"));
        }));
    }

    // A pure metal's figure is named by the metal; the publication's name is the alternative.
    void pureMetalAlternativeName()
    {
        test::BrowserProgram p;
        p.fixture.writeDocument(QStringLiteral("Fig/Pure metals/Ag/[2001Abc1]_Ag_DX.jpg"), test::jpegOfColour(30, 20, Qt::magenta));
        p.onWindow.insert(QStringLiteral("fmAutorFig"), pickAndOk(QStringLiteral("[2001Abc1]")));
        QVERIFY(p.inSelection(QStringLiteral("Pure metals"), QStringLiteral("Ag"), QStringLiteral("Density"), [&](TfmSelect* select) {
            QVERIFY(pressFig(select));
            QVERIFY(p.start->ChosenPicture().endsWith(QStringLiteral("[2001Abc1]_Ag_DX.jpg")));
            QCOMPARE(p.shown.last(), QStringLiteral("fmSkany"));
        }));
    }

    // A picture that cannot be read gives an error naming the file; the scan window is not shown.
    void brokenPictures_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray good = test::jpegOfColour(64, 48, Qt::red);
        QByteArray absurd = good;
        // The frame header declares 65500 x 65500 pixels.
        const int sof = absurd.indexOf(QByteArray("\xFF\xC0", 2));
        QVERIFY(sof > 0);
        absurd[sof + 5] = char(0xFF);
        absurd[sof + 6] = char(0xDC);
        absurd[sof + 7] = char(0xFF);
        absurd[sof + 8] = char(0xDC);
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("not a JPEG") << QByteArray("GIF89a this is something else entirely");
        QTest::newRow("cut short") << good.left(good.size() / 3);
        QTest::newRow("header only") << good.left(2);
        QTest::newRow("absurd dimensions") << absurd;
    }
    void brokenPictures()
    {
        QFETCH(QByteArray, content);
        test::BrowserProgram p;
        p.fixture.writeDocument(kAgSnFolder + QStringLiteral("[2001Abc1]_Ag-Sn_DX.jpg"), content);
        p.onWindow.insert(QStringLiteral("fmAutorFig"), pickAndOk(QStringLiteral("[2001Abc1]")));
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Density"), [&](TfmSelect* select) {
            QVERIFY(pressFig(select));
            QVERIFY(!p.shown.contains(QStringLiteral("fmSkany")));
            QCOMPARE(p.ui.messages.size(), 1);
            QCOMPARE(p.ui.messages.first().kind, test::ScriptedUi::Message::Error);
            QVERIFY2(p.ui.lastMessage().contains(QStringLiteral("[2001Abc1]_Ag-Sn_DX.jpg")), qPrintable(p.ui.lastMessage()));
        }));
    }

    // "All data" of the figure list: nothing for an empty figure folder, "Sorry. No data!" for meniscographic pictures.
    void allDataOfAnEmptyFolderInBothModes()
    {
        test::BrowserProgram p;
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), QStringLiteral("Cu-Sn"), QStringLiteral("Density"), [&](TfmSelect* select) {
            // Nothing of the property: "Fig" is off, and the figure-author window's own "All data" does nothing.
            QVERIFY(!button(select, "SpeedButton6")->isEnabled());
            button(forms::obtain<TfmAutorFig>(QStringLiteral("fmAutorFig")), "sbAllData")->click();
            QVERIFY(p.ui.messages.isEmpty());
            QVERIFY(p.ui.openedDocuments.isEmpty());
            TfmFigers figures(TfmFigers::Mode::PublicationFigures);
            figures.preparePublicationFigures(QStringLiteral("[2001Abc1]"));
            QVERIFY(figures.offersNothing());
            button(&figures, "SpeedButton1")->click();
            QVERIFY(p.ui.messages.isEmpty());
            TfmFigers pictures(TfmFigers::Mode::MeniscusPictures);
            pictures.prepareMeniscusPictures(QStringLiteral("[2003Men1]"));
            button(&pictures, "SpeedButton1")->click();
            QCOMPARE(p.ui.texts(), QStringList{QStringLiteral("Sorry. No data!")});
            QCOMPARE(p.ui.messages.first().kind, test::ScriptedUi::Message::Information);
            QVERIFY(p.ui.openedDocuments.isEmpty());
        }));
    }

    // The chart window shows the publication's figure when it has no values at a temperature.
    void chartFallbackShowsTheFigure()
    {
        test::BrowserProgram p({QStringLiteral("INSERT INTO WLA_TAB_PUB VALUES (1, 11, 2)")});
        p.fixture.writeDocument(kAgSnFolder + QStringLiteral("[1999Def2]_Ag-Sn_DX.jpg"), test::jpegOfColour(30, 20, Qt::darkRed));
        p.onWindow.insert(QStringLiteral("fmWykres"), [&](QWidget* w) {
            QVERIFY(w->findChild<DbLookupList*>(QStringLiteral("dblAutor"))->chooseText(QStringLiteral("[1999Def2]")));
            w->findChild<QCheckBox*>(QStringLiteral("chbShow"))->setChecked(true);
            auto* t1 = w->findChild<QLineEdit*>(QStringLiteral("edT1"));
            t1->clear();
            QTest::keyClicks(t1, QStringLiteral("1273"));
            QPushButton* show = w->findChild<QPushButton*>(QStringLiteral("sbShow"));
            QTRY_VERIFY(show->isEnabled());
            show->click();
        });
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Density"), [&](TfmSelect* select) {
            QPushButton* next = button(select, "SpeedButton1");
            QTRY_VERIFY(next->isEnabled());
            next->click();
            QCOMPARE(p.shown.mid(1), QStringList({QStringLiteral("fmWykres"), QStringLiteral("fmSkany")}));
            QVERIFY(p.start->ChosenPicture().endsWith(QStringLiteral("[1999Def2]_Ag-Sn_DX.jpg")));
        }));
    }

    // "Print" of the scan window prints the picture on the default printer;
    // "References" lists the publications of the system and property.
    void scanWindowPrintsAndListsReferences()
    {
        test::BrowserProgram p;
        const QString pdf = p.fixture.applicationDir() + QStringLiteral("/scan.pdf");
        exports::setPrinterSource([&pdf](QPrinter::PrinterMode mode) {
            auto printer = std::make_unique<QPrinter>(mode);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            return printer;
        });
        p.fixture.writeDocument(kAgSnFolder + QStringLiteral("[2001Abc1]_Ag-Sn_DX.jpg"), test::jpegOfColour(80, 60, Qt::red));
        p.onWindow.insert(QStringLiteral("fmAutorFig"), pickAndOk(QStringLiteral("[2001Abc1]")));
        p.onWindow.insert(QStringLiteral("fmSkany"), [&](QWidget* w) {
            QPushButton* print = button(w, "sbPrint");
            QVERIFY(print->isEnabled());
            print->click();
            button(w, "sbReferences")->click();
        });
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Density"), [&](TfmSelect* select) {
            QVERIFY(pressFig(select));
        }));
        exports::setPrinterSource({});
        QCOMPARE(p.shown.mid(2), QStringList({QStringLiteral("fmSkany"), QStringLiteral("fmReferences")}));
        QFile printed(pdf);
        QVERIFY(printed.open(QIODevice::ReadOnly));
        QVERIFY(printed.read(5) == "%PDF-");
        QVERIFY(p.ui.messages.isEmpty());
        QCOMPARE(p.dm->query(QStringLiteral("qrAutor"))->rowCount(), 2);
    }

    // Only the start window is made at start; a start-up window first reached
    // later comes into being with every window before it, so the program's
    // creation order holds whichever window a user opens first.
    void startupWindowsAreCreatedOnFirstUseInOrder()
    {
        test::BrowserProgram p;
        QCOMPARE(forms::createdWindows(), QStringList{QStringLiteral("fmStart")});
        QVERIFY(qobject_cast<TfmAutorFig*>(forms::window(QStringLiteral("fmAutorFig"))));
        const QStringList upToAutorFig = {
            QStringLiteral("fmStart"),      QStringLiteral("fmSelect"),    QStringLiteral("fmSkany"),
            QStringLiteral("fmReferences"), QStringLiteral("fmDiagram"),   QStringLiteral("fmFig"),
            QStringLiteral("fmMenisk"),     QStringLiteral("fmBadania"),   QStringLiteral("fmBadania1"),
            QStringLiteral("fmBadania2"),   QStringLiteral("fmBadania3"),  QStringLiteral("fmBadania4"),
            QStringLiteral("fmMeniskFig"),  QStringLiteral("fmMeniskFig1"), QStringLiteral("fmAutorFig")};
        QCOMPARE(forms::createdWindows(), upToAutorFig);
        QVERIFY(!forms::createdWindows().contains(QStringLiteral("fmDTA")));

        forms::createAllWindows();
        const QStringList order = forms::createdWindows();
        QCOMPARE(order.mid(0, upToAutorFig.size()), upToAutorFig);
        QCOMPARE(order.mid(upToAutorFig.size(), 3),
                 QStringList({QStringLiteral("fmDTA"), QStringLiteral("fmFigers"), QStringLiteral("fmWlasnedane")}));
        QCOMPARE(order.last(), QStringLiteral("fmSichen"));
        QCOMPARE(QSet<QString>(order.cbegin(), order.cend()).size(), order.size());
        QVERIFY(forms::window(QStringLiteral("fmMenisk")));
        p.start->show();
        QVERIFY(!forms::window(QStringLiteral("fmMenisk"))); // released when the start window is first shown
    }

    // A start-up window released before anyone reached it is never made later.
    void releasedBeforeFirstUseStaysReleased()
    {
        test::BrowserProgram p;
        p.start->show(); // releases the meniscographic window
        QVERIFY(!forms::window(QStringLiteral("fmMenisk")));
        QVERIFY(forms::window(QStringLiteral("fmBadania")));
        QVERIFY(!forms::createdWindows().contains(QStringLiteral("fmMenisk")));
        QVERIFY(forms::createdWindows().contains(QStringLiteral("fmFig")));
    }
};

QTEST_MAIN(TestFigureBrowsers)
#include "test_figure_browsers.moc"
