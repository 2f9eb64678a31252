#include "FixtureDatabase.h"
#include "ScriptedUi.h"
#include "core/Directories.h"
#include "database/DataModule.h"
#include "database/Query.h"
#include "app/AppWindows.h"
#include "shell/TfmStart.h"
#include "widgets/DbLookupList.h"

#include <QAction>
#include <QDir>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace korvel;

class TestStartWindow : public QObject {
    Q_OBJECT

    struct Program {
        test::ScriptedUi ui;
        test::FixtureDatabase fixture;
        std::unique_ptr<TdmDataModule> dm;
        TfmStart* start = nullptr;
        explicit Program(bool removeDatabase = false)
        {
            if (removeDatabase)
                QDir(fixture.databaseDir()).removeRecursively();
            dm.reset(new TdmDataModule);
            start = forms::createWindows();
            start->show();
            QCoreApplication::processEvents();
        }
        ~Program() { forms::destroyWindows(); }
        QPushButton* ok() const { return start->findChild<QPushButton*>(QStringLiteral("sbOK")); }
        DbLookupList* classes() const { return start->findChild<DbLookupList*>(QStringLiteral("dblSelectSystem")); }
        QAction* action(const char* name) const { return start->findChild<QAction*>(QString::fromLatin1(name)); }
    };

private slots:
    // Making the windows again replaces the first set instead of leaving it behind.
    void secondSetOfWindowsReplacesTheFirst()
    {
        Program p;
        QPointer<QWidget> firstStart = p.start;
        QPointer<QWidget> firstDescription = forms::window(QStringLiteral("fmBadania"));
        QVERIFY(firstDescription);
        p.start = forms::createWindows();
        QVERIFY(!firstStart);
        QVERIFY(!firstDescription);
        QVERIFY(p.start);
        QCOMPARE(forms::createdWindows(), QStringList{QStringLiteral("fmStart")});
        QVERIFY(forms::window(QStringLiteral("fmBadania")));
    }

    void classListAndOkButton()
    {
        Program p;
        QCOMPARE(p.classes()->count(), 5);
        QCOMPARE(p.classes()->itemText(0), QStringLiteral("Pure metals"));
        QVERIFY(!p.ok()->isEnabled());
        QVERIFY(p.ok()->styleSheet().contains(QStringLiteral("red")));
        QVERIFY(p.start->timer()->isActive());
        p.classes()->chooseText(QStringLiteral("Binary systems"));
        QTRY_VERIFY_WITH_TIMEOUT(p.ok()->isEnabled(), 200);
        QVERIFY(p.ok()->styleSheet().contains(QStringLiteral("green")));
        QVERIFY(!p.start->timer()->isActive());
        QCOMPARE(p.dm->chosenClass().toInt(), 2);
        QVERIFY(p.ui.messages.isEmpty());
    }

    // The class list is used from the keyboard as well: arrows and a typed
    // letter choose a class (its row becomes the current row), Enter presses OK.
    void classListByKeyboard()
    {
        Program p;
        int clicks = 0;
        QObject::connect(p.classes(), &DbLookupList::clicked, p.classes(), [&] { ++clicks; });
        p.classes()->setFocus();
        QTest::keyClick(p.classes(), Qt::Key_Down);
        QCOMPARE(p.classes()->text(), QStringLiteral("Pure metals"));
        QTest::keyClick(p.classes(), Qt::Key_Down);
        QCOMPARE(p.classes()->text(), QStringLiteral("Binary systems"));
        QCOMPARE(p.dm->chosenClass().toInt(), 2);
        QTest::keyClick(p.classes(), Qt::Key_T);
        QCOMPARE(p.classes()->text(), QStringLiteral("Ternary systems"));
        QCOMPARE(p.dm->chosenClass().toInt(), 3);
        QCOMPARE(clicks, 3);
        QTRY_VERIFY_WITH_TIMEOUT(p.ok()->isEnabled(), 200);
        int shown = 0;
        p.ui.onModal = [&](QWidget*) { ++shown; return 0; };
        QTest::keyClick(p.classes(), Qt::Key_Return);
        QCOMPARE(shown, 1);
        QTest::keyClick(p.classes(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(shown, 2);
        QCOMPARE(p.dm->query(QStringLiteral("qrTabUkl"))->rowCount(), 1); // Ag-Cu-Sn
    }

    void missingDatabaseIsToldOnceAndOkStaysDisabled()
    {
        Program p(true);
        QCOMPARE(p.classes()->count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(p.ui.messages.size(), 1, 200);
        QVERIFY(p.ui.messages[0].text.contains(QStringLiteral("Database")));
        p.start->Timer1Timer(); // a tick of the timer leaves "OK" off without a class
        QVERIFY(!p.ok()->isEnabled());
        p.start->hide();
        p.start->show();
        QCoreApplication::processEvents();
        QCOMPARE(p.ui.messages.size(), 1);
    }

    void okOpensAFreshSelectionWindowEachTime()
    {
        Program p;
        p.classes()->chooseText(QStringLiteral("Binary systems"));
        QList<QPointer<QWidget>> shown;
            bool registered = true;
        p.ui.onModal = [&](QWidget* w) -> int {
            shown << QPointer<QWidget>(w);
            registered = registered && w->objectName() == QLatin1String("fmSelect")
                && forms::window(QStringLiteral("fmSelect")) == w;
            return 0;
        };
        p.ok()->setEnabled(true);
        p.ok()->click();
        QCOMPARE(shown.size(), 1);
        QVERIFY(registered);
        QVERIFY(shown[0].isNull()); // released when it closed
        QVERIFY(!forms::window(QStringLiteral("fmSelect")));
        QCOMPARE(p.dm->query(QStringLiteral("qrTabUkl"))->rowCount(), 2);
        QCOMPARE(p.start->SaveDir(), dirs::join(p.fixture.applicationDir(), QStringLiteral("Save")));
        // A second OK with another class: a new window and the systems of that class.
        p.classes()->chooseText(QStringLiteral("Quaternary systems"));
        p.ok()->click();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(p.dm->query(QStringLiteral("qrTabUkl"))->value(0, QStringLiteral("OZNACZENIE")).toString(),
                 QStringLiteral("Ag-Bi-Cu-Sn"));
    }

    void accessPathBoxChangesNoDirectory()
    {
        Program p;
        const QString databaseDir = p.dm->databaseDir();
        p.start->setSaveDir(QStringLiteral("elsewhere"));
        p.ui.inputAnswers << QString(QStringLiteral("D:\\any\\text"));
        p.action("AcessDatabase1")->trigger();
        QCOMPARE(p.ui.lastInputCaption, QStringLiteral("Catalogue of the database"));
        QCOMPARE(p.ui.lastInputPrompt, QStringLiteral("Access path of the KORVEL 2 database"));
        QCOMPARE(p.ui.lastInputDefault, QStringLiteral("C:\\Program Files\\Halvora\\KORVEL 2\\Database"));
        QCOMPARE(p.dm->databaseDir(), databaseDir);
        QCOMPARE(p.start->SaveDir(), dirs::join(p.fixture.applicationDir(), QStringLiteral("Save")));
        // Cancel resets SaveDir as well.
        p.start->setSaveDir(QStringLiteral("elsewhere"));
        p.action("AcessDatabase1")->trigger();
        QCOMPARE(p.start->SaveDir(), dirs::join(p.fixture.applicationDir(), QStringLiteral("Save")));
    }

    void documentsAndExit()
    {
        Program p;
        p.action("Help1")->trigger();
        p.action("NISTdatabase2")->trigger();
        QCOMPARE(p.ui.openedDocuments.size(), 2);
        QCOMPARE(p.ui.openedDocuments[0], dirs::join(p.dm->databaseDir(), QStringLiteral("KORVEL 3.pdf")));
        QCOMPARE(p.ui.openedDocuments[1],
                 QDir::toNativeSeparators(p.fixture.databaseDir() + QStringLiteral("/NIST/Release5/props01.html")));
        p.ui.answers << UiServices::Answer::No << UiServices::Answer::Cancel << UiServices::Answer::Yes;
        p.action("LitForm")->trigger();
        p.action("LitForm")->trigger();
        QCOMPARE(p.ui.quitRequests, 0);
        p.action("LitForm")->trigger();
        QCOMPARE(p.ui.quitRequests, 1);
        QCOMPARE(p.ui.messages.last().text, QStringLiteral("Exit to Windows?"));
        // Without the older program beside it, RunOlderProgram says so and the program stays.
        const QString older = dirs::join(p.fixture.applicationDir(), QStringLiteral("KORVEL2.exe"));
        TfmStart::RunOlderProgram();
        QCOMPARE(p.ui.quitRequests, 1);
        QVERIFY(p.ui.startedPrograms.isEmpty());
        QVERIFY2(p.ui.messages.last().text.contains(QStringLiteral("is not installed beside this one")),
                 qPrintable(p.ui.messages.last().text));
        // With it, RunOlderProgram ends this program and starts the older one.
        QFile program(older);
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.close();
        TfmStart::RunOlderProgram();
        QCOMPARE(p.ui.quitRequests, 2);
        QCOMPARE(p.ui.startedPrograms, QStringList{older});
    }

    void firstPictures()
    {
        Program p;
        p.classes()->chooseText(QStringLiteral("Binary systems"));
        p.fixture.writeDocument(QStringLiteral("Fig/Binary systems/Ag-Sn/b.jpg"), "x");
        p.fixture.writeDocument(QStringLiteral("Fig/Binary systems/Ag-Sn/a.jpg"), "x");
        p.fixture.writeDocument(QStringLiteral("Fig/Binary systems/Ag-Sn/0.txt"), "x");
        p.start->OpenFirstFigure(QStringLiteral("Ag-Sn"));
        QCOMPARE(p.ui.openedDocuments.size(), 1);
        QVERIFY(p.ui.openedDocuments[0].endsWith(QDir::toNativeSeparators(QStringLiteral("Ag-Sn/a.jpg"))));
        QVERIFY(p.start->FigureDir().endsWith(QDir::separator()));
        // Name order ignores case, and an upper-case extension is a JPEG too.
        p.fixture.writeDocument(QStringLiteral("Menisk/Binary systems/Ag-Sn/B.jpg"), "x");
        p.fixture.writeDocument(QStringLiteral("Menisk/Binary systems/Ag-Sn/a2.JPG"), "x");
        p.start->OpenFirstMeniscusPicture(QStringLiteral("Ag-Sn"));
        QCOMPARE(p.ui.openedDocuments.size(), 2);
        QVERIFY2(p.ui.openedDocuments[1].endsWith(QDir::toNativeSeparators(QStringLiteral("Ag-Sn/a2.JPG"))),
                 qPrintable(p.ui.openedDocuments[1]));
        QVERIFY(p.start->MeniscusDir().endsWith(QDir::separator()));
        // An empty figure folder: nothing happens. An empty meniscographic folder: a message.
        p.start->OpenFirstFigure(QStringLiteral("Cu-Sn"));
        QCOMPARE(p.ui.openedDocuments.size(), 2);
        QVERIFY(p.ui.messages.isEmpty());
        p.start->OpenFirstMeniscusPicture(QStringLiteral("Cu-Sn"));
        QCOMPARE(p.ui.messages.size(), 1);
        QCOMPARE(p.ui.messages[0].kind, test::ScriptedUi::Message::Information);
        QCOMPARE(p.ui.messages[0].text, QStringLiteral("Sorry. No data!"));
        const QString saveDir = p.start->SaveDir();
        p.start->setChosenPicture(QStringLiteral("picture.jpg"));
        QCOMPARE(p.start->SaveDir(), saveDir);
    }
};

QTEST_MAIN(TestStartWindow)
#include "test_start_window.moc"
