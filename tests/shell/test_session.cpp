// The session follows the start and selection windows' controls, forgets what
// goes with a window when it closes, and the selection window opens the other
// windows only through the navigator.
#include "ProgramFixture.h"
#include "core/Navigator.h"
#include "core/Session.h"

#include <QCheckBox>
#include <QSignalSpy>

using namespace korvel;
using test::Program;

namespace {

struct RecordingNavigator : Navigator {
    QStringList requests;
    void openChartWindow() override { requests << QStringLiteral("chart"); }
    void openFigureBrowser() override { requests << QStringLiteral("figures"); }
    void openMeniscographicBrowser() override { requests << QStringLiteral("meniscographic"); }
    void openPhaseDiagram() override { requests << QStringLiteral("phase diagram"); }
    void openDta() override { requests << QStringLiteral("DTA"); }
    void openAlloyProperties() override { requests << QStringLiteral("Alloy"); }
};

// Installs a recording navigator for one scope and puts the program's back.
struct NavigatorScope {
    RecordingNavigator recorder;
    Navigator* previous;
    NavigatorScope() : previous(&navigator()) { setNavigator(&recorder); }
    ~NavigatorScope() { setNavigator(previous); }
};

} // namespace

class TestSession : public QObject {
    Q_OBJECT
private slots:
    void followsTheWindowsAndForgetsWhatGoesWithThem()
    {
        Choices during;
        {
            Program p;
            QVERIFY(p.start->classList()->chooseText(QStringLiteral("Binary systems")));
            QCOMPARE(session().choices().className, QStringLiteral("Binary systems"));
            QVERIFY(p.inSelection(QStringLiteral("Binary systems"), [&](TfmSelect* w) {
                QSignalSpy changes(&session(), &Session::choicesChanged);
                QVERIFY(w->systemList()->chooseText(QStringLiteral("Ag-Sn")));
                QVERIFY(w->propertyList()->chooseText(QStringLiteral("Surface tension")));
                w->findChild<QCheckBox*>(QStringLiteral("chbTemp"))->click(); // the rules clear "Isotherms"
                during = session().choices();
                QVERIFY(changes.count() >= 4);
                // A reopened system list that loses the choice empties the session's system too.
                w->systemList()->clearChoice();
                QCOMPARE(session().choices().systemName, QString());
            }));
            Choices classOnly;
            classOnly.className = QStringLiteral("Binary systems");
            QCOMPARE(session().choices(), classOnly);
            p.start->setSaveDir(QStringLiteral("elsewhere"));
        }
        QCOMPARE(during, (Choices{QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"),
                                  QStringLiteral("Surface tension"), false, true, false, false}));
        QCOMPARE(session().choices(), Choices{});
        QCOMPARE(session().saveDir(), QString());
    }

    void selectionButtonsGoThroughTheNavigator()
    {
        Program p;
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), [&](TfmSelect* w) {
            NavigatorScope scope;
            w->sbPhaseDiagramClick();
            w->sbMeniskClick();
            w->SpeedButton6Click();
            w->SpeedButton1Click();
            w->findChild<QAction*>(QStringLiteral("DTA1"))->trigger();
            QCOMPARE(scope.recorder.requests,
                     (QStringList{"phase diagram", "meniscographic", "figures", "chart", "DTA"}));
        }));
    }

    void announcesOnlyRealChanges()
    {
        Session s;
        QSignalSpy choices(&s, &Session::choicesChanged);
        QSignalSpy publication(&s, &Session::publicationChanged);
        QSignalSpy paths(&s, &Session::pathsChanged);
        s.setSystemName(QStringLiteral("Ag-Sn"));
        s.setSystemName(QStringLiteral("Ag-Sn"));
        s.setChoices(s.choices());
        s.setPublication(QString());   // a chart window with no publication picked
        s.setPublication(QString());
        s.setPublication(std::nullopt); // the chart window has gone
        s.setMeniscusDir(QStringLiteral("m"));
        s.setMeniscusDir(QStringLiteral("m"));
        QCOMPARE(choices.count(), 1);
        QCOMPARE(publication.count(), 2);
        QCOMPARE(paths.count(), 1);
        QVERIFY(!s.publication().has_value());
    }
};

QTEST_MAIN(TestSession)
#include "test_session.moc"
