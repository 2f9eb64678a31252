// The phase-diagram command, the DTA window and the references window, driven
// through the real windows on a copy of the fixture database.
#include "Checks.h"
#include "FixtureDatabase.h"
#include "JpegSamples.h"
#include "ScriptedUi.h"
#include "browsers/TfmDTA.h"
#include "browsers/TfmDiagram.h"
#include "charts/TfmEut.h"
#include "browsers/TfmReferences.h"
#include "database/DataModule.h"
#include "database/Query.h"
#include "app/AppWindows.h"
#include "shell/TfmSelect.h"
#include "shell/TfmStart.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupList.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>
#include <functional>

using namespace korvel;

namespace {

const QString kNotAvailable = QStringLiteral("This data isn\u2019t available in this version KORVEL database.");

// The program as it runs: the data module and the windows of the start-up list.
struct Program {
    test::ScriptedUi ui;
    test::FixtureDatabase fixture;
    std::unique_ptr<TdmDataModule> dm;
    TfmStart* start = nullptr;

    explicit Program(const std::function<void(const QString&)>& prepareDatabase = {})
    {
        if (prepareDatabase)
            prepareDatabase(fixture.databaseFile());
        dm.reset(new TdmDataModule);
        start = forms::createWindows();
    }
    ~Program()
    {
        forms::destroyWindows();
        dm.reset();
    }

    // Chooses the class, presses "OK" and, while the selection window is
    // shown, chooses the system and runs `body`; then closes the window.
    [[nodiscard]] bool inSelection(const QString& className, const QString& system, const std::function<void(TfmSelect*)>& body)
    {
        KORVEL_CHECK(start->classList()->chooseText(className));
        bool ran = false;
        ui.onModal = [&](QWidget* w) {
            auto* select = qobject_cast<TfmSelect*>(w);
            if (!select) {
                w->close();
                return 0;
            }
            select->show();
            if (select->systemList()->chooseText(system)) {
                ran = true;
                body(select);
            }
            select->close();
            return 0;
        };
        start->sbOKClick();
        ui.onModal = nullptr;
        KORVEL_CHECK_STEPS();
        KORVEL_CHECK2(ran, qPrintable(QStringLiteral("system %1 not offered").arg(system)));
        return true;
    }
};

[[nodiscard]] bool exec(const QString& file, const QStringList& statements)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("prepare"));
        db.setDatabaseName(file);
        ok = QTest::qVerify(db.open(), "db.open()", "", __FILE__, __LINE__);
        for (const QString& sql : statements) {
            QSqlQuery q(db);
            ok = ok && QTest::qVerify(q.exec(sql), "q.exec(sql)", qPrintable(sql), __FILE__, __LINE__);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("prepare"));
    return ok;
}

QByteArray referencesFile()
{
    return QStringLiteral("[Cu-Sn]Cu-Sn reference|\r\n"
                          "[Ag-Sn]First Ag-Sn reference\r\n"
                          "Second Ag-Sn reference|ignored\r\n"
                          "Unrelated line\r\n"
                          "[Ag-Sn]Third Ag-Sn reference|\r\n")
        .toUtf8();
}

} // namespace

class TestBrowserWindows : public QObject {
    Q_OBJECT
private slots:
    void missingDiagramIsRefusedEvenWithReferences()
    {
        Program p;
        p.fixture.writeDocument(QStringLiteral("Diagram/References.txt"), referencesFile());
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), [&](TfmSelect* select) {
            auto* button = select->findChild<QPushButton*>(QStringLiteral("sbPhaseDiagram"));
            QVERIFY(button->isEnabled());
            const int modalBefore = p.ui.modalWindows.size();
            button->click();
            QCOMPARE(p.ui.texts(), QStringList{kNotAvailable});
            QCOMPARE(p.ui.modalWindows.size(), modalBefore);
        }));
    }

    void diagramIsShownWithItsReferences()
    {
        Program p;
        p.fixture.writeDocument(QStringLiteral("Diagram/Ternary systems/Ag-Cu-Sn.jpg"), test::jpegOfColour(120, 80, Qt::green));
        p.fixture.writeDocument(QStringLiteral("Diagram/References.txt"),
                                QStringLiteral("[Ag-Cu-Sn]Ternary one\nTernary two|\n[Ag-Cu-Sn]Ternary three|\n").toUtf8());
        QVERIFY(p.inSelection(QStringLiteral("Ternary systems"), QStringLiteral("Ag-Cu-Sn"), [&](TfmSelect* select) {
            TfmDiagram* shown = nullptr;
            QStringList references;
            QSize pictureSize;
            auto check = [&](QWidget* w) {
                shown = qobject_cast<TfmDiagram*>(w);
                if (shown) {
                    references = shown->references();
                    pictureSize = shown->picture().size();
                    QCOMPARE(shown->findChild<QListWidget*>(QStringLiteral("ListBox1"))->count(), 3);
                    QVERIFY(shown->findChild<QWidget*>(QStringLiteral("Image1")));
                    shown->findChild<QPushButton*>(QStringLiteral("sbExit"))->click();
                    QVERIFY(!shown->isVisible());
                }
            };
            p.ui.onModal = [&](QWidget* w) {
                check(w);
                return 0;
            };
            select->findChild<QPushButton*>(QStringLiteral("sbPhaseDiagram"))->click();
            QVERIFY(shown);
            QCOMPARE(shown, forms::window(QStringLiteral("fmDiagram")));
            QCOMPARE(references, QStringList({"Ternary one", "Ternary two", "Ternary three"}));
            QCOMPARE(pictureSize, QSize(120, 80));
            QVERIFY(p.ui.messages.isEmpty());
        }));
    }

    void corruptDiagramGivesAnErrorAndChangesNothing()
    {
        Program p;
        const QByteArray good = test::jpegOfColour(64, 64, Qt::red);
        p.fixture.writeDocument(QStringLiteral("Diagram/Binary systems/Ag-Sn.jpg"), good.left(good.size() / 3));
        p.fixture.writeDocument(QStringLiteral("Diagram/References.txt"), referencesFile());
        auto* diagram = forms::get<TfmDiagram>(QStringLiteral("fmDiagram"));
        QVERIFY(diagram);
        diagram->setReferences({QStringLiteral("earlier")});
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), [&](TfmSelect* select) {
            const int modalBefore = p.ui.modalWindows.size();
            select->findChild<QPushButton*>(QStringLiteral("sbPhaseDiagram"))->click();
            QCOMPARE(p.ui.modalWindows.size(), modalBefore);
            QCOMPARE(p.ui.messages.size(), 1);
            QCOMPARE(p.ui.messages.first().kind, test::ScriptedUi::Message::Error);
            const QString expectedPath = QDir::toNativeSeparators(
                QDir(p.fixture.databaseDir()).filePath(QStringLiteral("Diagram/Binary systems/Ag-Sn.jpg")));
            QVERIFY2(p.ui.lastMessage().contains(expectedPath), qPrintable(p.ui.lastMessage()));
        }));
        QCOMPARE(diagram->references(), QStringList{QStringLiteral("earlier")});
    }

    void missingReferencesFileGivesAnErrorAndNoWindow()
    {
        Program p;
        p.fixture.writeDocument(QStringLiteral("Diagram/Binary systems/Ag-Sn.jpg"), test::jpegOfColour(16, 16, Qt::red));
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), [&](TfmSelect* select) {
            const int modalBefore = p.ui.modalWindows.size();
            select->findChild<QPushButton*>(QStringLiteral("sbPhaseDiagram"))->click();
            QCOMPARE(p.ui.modalWindows.size(), modalBefore);
            QCOMPARE(p.ui.messages.size(), 1);
            QCOMPARE(p.ui.messages.first().kind, test::ScriptedUi::Message::Error);
            QVERIFY2(p.ui.lastMessage().contains(QStringLiteral("References.txt")), qPrintable(p.ui.lastMessage()));
        }));
        QVERIFY(forms::get<TfmDiagram>(QStringLiteral("fmDiagram"))->references().isEmpty());
    }

    void dtaWindowShowsEveryRowFromEveryMainMenu()
    {
        // Forty more alloys than the fixture holds, so that the grid must hold
        // more rows than fit on its page.
        Program p([](const QString& file) {
            QStringList inserts;
            for (int i = 0; i < 40; ++i)
                inserts << QStringLiteral("INSERT INTO DTA (WYTOP, Tsol, Tliq, Sn, Zn, \"In\") VALUES (%1, %2, %3, 90, 5, 5)")
                               .arg(100 + i).arg(400 + i).arg(450 + i);
            // A tin-lead reference alloy.
            inserts << QStringLiteral("INSERT INTO DTA (WYTOP, Tsol, Tliq, Sn, Pb) VALUES (200, 456, 456, 61.9, 38.1)");
            QVERIFY(exec(file, inserts));
        });
        const int rows = 43;
        auto openFrom = [&](QWidget* mainWindow) {
            TfmDTA* shown = nullptr;
            auto check = [&](QWidget* w) {
                shown = qobject_cast<TfmDTA*>(w);
                if (!shown) {
                    w->close();
                    return;
                }
                QCOMPARE(shown->windowTitle(), QStringLiteral("DTA"));
                QCOMPARE(shown->objectName(), QStringLiteral("fmDTA"));
                DbGrid* grid = shown->grid();
                QCOMPARE(grid->rowCountShown(), rows);
                QStringList titles;
                for (int c = 0; c < grid->columns().size(); ++c)
                    titles << grid->columnTitle(c);
                QCOMPARE(titles, QStringList({"Alloy Number", "Solidus", "Liquidus", "Ag", "Al", "Au", "Bi", "Cu",
                                              "In", "Li", "Sb", "Sn", "Zn", "Pb"}));
                QCOMPARE(grid->cellText(rows - 2, 0), QStringLiteral("139"));
                QCOMPARE(grid->cellText(rows - 2, 8), QStringLiteral("5"));  // In
                QCOMPARE(grid->cellText(rows - 2, 11), QStringLiteral("90")); // Sn
                QCOMPARE(grid->cellText(rows - 2, 13), QString());           // no lead
                QCOMPARE(grid->cellText(rows - 1, 11), QStringLiteral("61.9"));
                QCOMPARE(grid->cellText(rows - 1, 13), QStringLiteral("38.1")); // Pb
                QVERIFY(!(shown->windowFlags() & Qt::WindowMaximizeButtonHint));
                QVERIFY(shown->windowFlags() & Qt::WindowMinimizeButtonHint);
                shown->findChild<QPushButton*>(QStringLiteral("sbExit"))->click();
            };
            p.ui.onModal = [&](QWidget* w) {
                check(w);
                return 0;
            };
            QAction* dta = mainWindow->findChild<QAction*>(QStringLiteral("DTA1"));
            QVERIFY(dta);
            dta->trigger();
            QVERIFY(shown);
            QVERIFY(!forms::window(QStringLiteral("fmDTA"))); // released after showing
        };
        openFrom(p.start);
        openFrom(p.start); // a second opening creates a fresh window
        QVERIFY(p.dm->query(QStringLiteral("qrDTA"))->isOpen());
        // From the selection window's menu, whatever system is chosen.
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), QStringLiteral("Cu-Sn"), [&](TfmSelect* select) {
            openFrom(select);
        }));
        QVERIFY(p.ui.messages.isEmpty());
    }

    // The chooser shows the section "OK" would take: the first one after opening.
    void eutecticChooserShowsTheFirstSection()
    {
        Program p;
        QVERIFY(p.dm->query(QStringLiteral("qrSelect"))->locate(QStringLiteral("ID_SELECT"), 3));
        p.dm->OpenSystems();
        QVERIFY(p.dm->query(QStringLiteral("qrTabUkl"))->locate(QStringLiteral("OZNACZENIE"), QStringLiteral("Ag-Cu-Sn")));
        p.dm->OpenEutectics();
        Query* eut = p.dm->query(QStringLiteral("qrEut"));
        QVERIFY(eut->rowCount() > 1);
        int stored = -1;
        TfmEut chooser(QStringLiteral("Ag-Cu-Sn"), [&](int section) { stored = section; });
        QCOMPARE(chooser.list()->text(), eut->value(0, QStringLiteral("OZNACZENIE")).toString());
        QVERIFY(!chooser.list()->text().isEmpty());
        chooser.findChild<QPushButton*>(QStringLiteral("sbOK"))->click();
        QCOMPARE(stored, eut->value(0, QStringLiteral("ID_EUTEKTYKI")).toInt());
        // A section chosen before the chooser opens is the one shown.
        eut->setCurrentRow(1);
        TfmEut again(QStringLiteral("Ag-Cu-Sn"), [&](int section) { stored = section; });
        QCOMPARE(again.list()->text(), eut->value(1, QStringLiteral("OZNACZENIE")).toString());
    }

    void dtaHelpOpensTheHelpDocument()
    {
        Program p;
        TfmDTA window;
        window.findChild<QPushButton*>(QStringLiteral("sbHelp"))->click();
        QCOMPARE(p.ui.openedDocuments.size(), 1);
        QVERIFY(p.ui.openedDocuments.first().endsWith(QStringLiteral("KORVEL 3.pdf")));
    }

    void referencesWindowListsThePublicationsOfSystemAndProperty()
    {
        Program p;
        auto* refs = forms::get<TfmReferences>(QStringLiteral("fmReferences"));
        QVERIFY(refs);
        QCOMPARE(refs->windowTitle(), QStringLiteral("References"));
        DbGrid* grid = refs->grid();
        QStringList titles;
        for (int c = 0; c < grid->columns().size(); ++c)
            titles << grid->columnTitle(c);
        QCOMPARE(titles, QStringList({"REFERENCES", "AUTHORS", "TITLE", "JOURNAL", "VOL", "YEAR", "PAGES"}));
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), [&](TfmSelect* select) {
            QVERIFY(select->propertyList()->chooseText(QStringLiteral("Density")));
            p.dm->OpenPublications();
            // Ordered by year: [2001Abc1] then [A] (2010).
            QCOMPARE(grid->rowCountShown(), 2);
            QCOMPARE(grid->cellText(0, 0), QStringLiteral("[2001Abc1]"));
            QCOMPARE(grid->cellText(1, 0), QStringLiteral("[A]"));
            QCOMPARE(grid->cellText(1, 5), QStringLiteral("2010"));
        }));
        refs->findChild<QPushButton*>(QStringLiteral("sbOK"))->click();
    }
};

QTEST_MAIN(TestBrowserWindows)
#include "test_browser_windows.moc"
