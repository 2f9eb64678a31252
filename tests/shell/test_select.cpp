// The selection window driven through its real controls on the fixture database.
#include "Checks.h"
#include "ProgramFixture.h"
#include "charts/TfmWykres.h"
#include "database/Query.h"
#include "widgets/DbGrid.h"

#include "shell/HoldingsText.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace korvel;
using test::Program;

namespace {

struct Controls {
    TfmSelect* w;
    QCheckBox* box(QChar letter) const
    {
        const char* name = letter == 'T' ? "chbTemp" : letter == 'X' ? "chbX" : letter == 'M' ? "chbButler" : "chbIsosurface";
        return w->findChild<QCheckBox*>(QString::fromLatin1(name));
    }
    QPushButton* button(const char* name) const { return w->findChild<QPushButton*>(QString::fromLatin1(name)); }
    QTimer* timer(const char* name) const { return w->findChild<QTimer*>(QString::fromLatin1(name)); }
    QPushButton* next() const { return button("SpeedButton1"); }
    // The checked boxes in the order T, X, M, I, e.g. "T,M".
    QString checked() const
    {
        QStringList on;
        for (QChar c : {QChar('T'), QChar('X'), QChar('M'), QChar('I')}) {
            if (box(c)->isChecked())
                on << QString(c);
        }
        return on.join(QLatin1Char(','));
    }
    bool isoShown() const { return !box('I')->isHidden(); }
    [[nodiscard]] bool choose(const QString& system, const QString& property) const
    {
        KORVEL_CHECK(w->systemList()->chooseText(system));
        KORVEL_CHECK(w->propertyList()->chooseText(property));
        KORVEL_TRY_CHECK(!timer("Timer1")->isActive());
        return true;
    }
};

} // namespace

class TestSelect : public QObject {
    Q_OBJECT
private slots:
    // Every row of the click table of the four display-mode boxes, for a
    // property where "Next" has no restriction and, where the row allows it,
    // for molar volume.
    void displayModeCascade_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("click");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("nextEnabled");
        QTest::addColumn<QString>("isoShown"); // "yes", "no" or "unchanged"
        struct Row {
            const char* before;
            const char* click;
            const char* after;
            bool next;
            int nextMolar; // -1: the row cannot be reached for molar volume
            const char* iso;
        };
        const Row rows[] = {
            {"X", "T", "T", true, 0, "unchanged"},
            {"X", "X", "T", true, 0, "unchanged"},
            {"T", "T", "X", true, 1, "unchanged"},
            {"T", "X", "X", true, 1, "unchanged"},
            {"X", "M", "X,M", true, -1, "yes"},
            {"T", "M", "T,M", true, -1, "yes"},
            {"X,M", "T", "T,M", true, -1, "yes"},
            {"T,M", "T", "X,M", true, -1, "yes"},
            {"T,M", "X", "X,M", true, -1, "yes"},
            {"X,M", "M", "X", true, -1, "no"},
            {"T,M", "M", "X", true, -1, "no"},
            {"X,M", "I", "M,I", false, -1, "yes"},
            {"T,M", "I", "M,I", false, -1, "yes"},
            {"M,I", "I", "X", true, -1, "yes"},
            {"M,I", "M", "X", true, -1, "yes"},
            {"M,I", "T", "X", true, -1, "yes"},
            {"M,I", "X", "X", true, -1, "yes"},
        };
        for (const Row& r : rows) {
            const bool model = QByteArray(r.before).contains('M') || QByteArray(r.click) == "M";
            const QStringList properties = model ? QStringList{"Surface tension", "Viscosity"} : QStringList{"Density"};
            for (const QString& property : properties) {
                QTest::addRow("%s + %s -> %s (%s)", r.before, r.click, r.after, qPrintable(property))
                    << property << r.before << r.click << r.after << r.next << r.iso;
            }
            if (r.nextMolar >= 0) {
                QTest::addRow("%s + %s -> %s (Molar volume)", r.before, r.click, r.after)
                    << QStringLiteral("Molar volume") << r.before << r.click << r.after << bool(r.nextMolar) << r.iso;
            }
        }
    }
    void displayModeCascade()
    {
        QFETCH(QString, property);
        QFETCH(QString, before);
        QFETCH(QString, click);
        QFETCH(QString, after);
        QFETCH(bool, nextEnabled);
        QFETCH(QString, isoShown);
        Program p;
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), [&](TfmSelect* w) {
            Controls c{w};
            QVERIFY(c.choose(QStringLiteral("Ag-Sn"), property));
            QCOMPARE(c.checked(), QStringLiteral("X"));
            // Reach the state before the click by clicks.
            if (before == QLatin1String("T"))
                c.box('T')->click();
            else if (before == QLatin1String("X,M"))
                c.box('M')->click();
            else if (before == QLatin1String("T,M")) {
                c.box('M')->click();
                c.box('T')->click();
            } else if (before == QLatin1String("M,I")) {
                c.box('M')->click();
                c.box('I')->click();
            }
            QCOMPARE(c.checked(), before);
            const bool isoBefore = c.isoShown();
            c.next()->setEnabled(true); // "Next" assumed enabled before the click
            c.box(click.at(0))->click();
            QCOMPARE(c.checked(), after);
            QCOMPARE(c.next()->isEnabled(), nextEnabled);
            const bool expectIso = isoShown == QLatin1String("unchanged") ? isoBefore : isoShown == QLatin1String("yes");
            QCOMPARE(c.isoShown(), expectIso);
            // The getters that later windows read agree with the boxes.
            QCOMPARE(w->temperatureMode(), after.contains(QLatin1Char('T')));
            QCOMPARE(w->isothermMode(), after.contains(QLatin1Char('X')));
            QCOMPARE(w->modelChecked(), after.contains(QLatin1Char('M')));
            QCOMPARE(w->isosurfaceChecked(), after.contains(QLatin1Char('I')));
        }));
    }

    void buttonsByClassAndProperty_data()
    {
        QTest::addColumn<QString>("cls");
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("property");
        QTest::addColumn<bool>("show");
        QTest::addColumn<bool>("diagram");
        QTest::addColumn<bool>("menisc"); // only where the system has meniscographic sources
        QTest::addColumn<bool>("model");
        QTest::addColumn<QString>("modelCaption");
        QTest::addColumn<bool>("iso");
        // A file written into the system's figure folder, and whether "Fig" then leads on.
        QTest::addColumn<QString>("figure");
        QTest::addColumn<bool>("fig");
        QTest::newRow("pure metal, density") << "Pure metals" << "Ag" << "Density" << true << false << false << false << "Model" << false << "Ag_DT.jpg" << true;
        QTest::newRow("pure metal, surface tension") << "Pure metals" << "Sn" << "Surface tension" << true << false << false << true << "Butler model" << false << "Sn_STX.txt" << false;
        QTest::newRow("binary, surface tension") << "Binary systems" << "Ag-Sn" << "Surface tension" << false << true << true << true << "Butler model" << false << "[1999Def2]_Ag-Sn_STXBut.jpg" << true;
        QTest::newRow("binary, viscosity") << "Binary systems" << "Cu-Sn" << "Viscosity" << false << true << false << true << "Model" << false << "[2001Abc1]_Cu-Sn_DX.jpg" << false;
        QTest::newRow("binary, molar volume") << "Binary systems" << "Ag-Sn" << "Molar volume" << false << true << true << false << "Model" << false << "[2001Abc1]_Ag-Sn_VT.jpg" << true;
        QTest::newRow("ternary, surface tension") << "Ternary systems" << "Ag-Cu-Sn" << "Surface tension" << false << true << false << true << "Butler model" << true << "[2001Abc1]_Ag_Cu_STX.jpg" << true;
        QTest::newRow("ternary, viscosity") << "Ternary systems" << "Ag-Cu-Sn" << "Viscosity" << false << true << false << true << "Model" << false << "[2001Abc1]_Ag_Cu_STX.jpg" << false;
        QTest::newRow("quaternary, surface tension") << "Quaternary systems" << "Ag-Cu-Sb-Sn" << "Surface tension" << false << true << false << true << "Butler model" << true << "" << false;
        QTest::newRow("quinary, density") << "Quinary systems" << "Ag-Bi-Cu-Sb-Sn" << "Density" << false << true << false << false << "Model" << false << "[calc-d Ag-Bi-Cu-Sb-Sn]_Ag-Sn eutectic towards Cu_DT.jpg" << true;
        QTest::newRow("quinary, mechanical") << "Quinary systems" << "Ag-Bi-Cu-Sb-Sn" << "Mechanical properties" << false << true << false << false << "Model" << false << "[2001Abc1]_Ag_Bi_MHX.jpg" << true;
    }
    void buttonsByClassAndProperty()
    {
        QFETCH(QString, cls);
        QFETCH(QString, system);
        QFETCH(QString, property);
        QFETCH(bool, show);
        QFETCH(bool, diagram);
        QFETCH(bool, menisc);
        QFETCH(bool, model);
        QFETCH(QString, modelCaption);
        QFETCH(bool, iso);
        QFETCH(QString, figure);
        QFETCH(bool, fig);
        Program p;
        if (!figure.isEmpty())
            p.fixture.writeDocument(QStringLiteral("Fig/%1/%2/%3").arg(cls, system, figure), "x");
        QVERIFY(p.inSelection(cls, [&](TfmSelect* w) {
            Controls c{w};
            // A fresh window: nothing chosen, "Isotherms" checked, the buttons disabled.
            QCOMPARE(c.checked(), QStringLiteral("X"));
            for (const char* name : {"SpeedButton1", "SpeedButton5", "sbPhaseDiagram", "sbMenisk", "sbSolid"})
                QVERIFY2(!c.button(name)->isEnabled(), name);
            QVERIFY(c.isoShown() == false);
            QVERIFY(w->systemName().isEmpty());

            QVERIFY(w->systemList()->chooseText(system));
            QCOMPARE(c.button("SpeedButton5")->isEnabled(), show);
            QCOMPARE(c.button("sbPhaseDiagram")->isEnabled(), diagram);
            QCOMPARE(c.button("sbMenisk")->isEnabled(), menisc);
            if (diagram && !menisc)
                QVERIFY2(c.button("sbMenisk")->toolTip().contains(QStringLiteral("holds none of ") + system),
                         qPrintable(c.button("sbMenisk")->toolTip()));
            w->Timer1Timer(); // Timer1 keeps "Next" and "Fig" off until a property is chosen too
            QVERIFY(!c.next()->isEnabled());
            QVERIFY(!c.button("SpeedButton6")->isEnabled());
            QVERIFY(c.timer("Timer1")->isActive());

            QVERIFY(w->propertyList()->chooseText(property));
            QTRY_VERIFY(!c.timer("Timer1")->isActive());
            QVERIFY(c.next()->isEnabled());
            QCOMPARE(c.button("SpeedButton6")->isEnabled(), fig);
            const QString figHint = c.button("SpeedButton6")->toolTip();
            if (fig)
                QCOMPARE(figHint, QStringLiteral("Figure"));
            else
                QCOMPARE(figHint, QStringLiteral("Figure: the database holds no figure of %1 for %2").arg(property.toLower(), system));
            QCOMPARE(c.box('M')->isEnabled(), model);
            QCOMPARE(c.box('M')->text(), modelCaption);
            QCOMPARE(c.isoShown(), iso);
            if (model)
                QTRY_VERIFY(!c.timer("Timer2")->isActive());
            QVERIFY(!c.button("sbSolid")->isEnabled());
            QCOMPARE(w->systemName(), system);
            QCOMPARE(w->propertyName(), property);
        }));
    }

    void switchingFromSurfaceTensionToDensityUnchecksModel()
    {
        Program p;
        QVERIFY(p.inSelection(QStringLiteral("Ternary systems"), [&](TfmSelect* w) {
            Controls c{w};
            QVERIFY(c.choose(QStringLiteral("Ag-Cu-Sn"), QStringLiteral("Surface tension")));
            c.box('M')->click();
            QCOMPARE(c.checked(), QStringLiteral("X,M"));
            QVERIFY(w->propertyList()->chooseText(QStringLiteral("Density")));
            QCOMPARE(c.checked(), QStringLiteral("X"));
            QVERIFY(!c.box('M')->isEnabled());
            QCOMPARE(c.box('M')->text(), QStringLiteral("Model"));
            QVERIFY(!c.isoShown());
            QVERIFY(c.next()->isEnabled());
        }));
    }

    void molarVolumeAgainstTemperatureKeepsNextDisabled()
    {
        // One program at a time: a second createWindows() would take over the
        // window registry and leave the first program's windows undeleted.
        {
            Program p;
            QVERIFY(p.inSelection(QStringLiteral("Binary systems"), [&](TfmSelect* w) {
                Controls c{w};
                QVERIFY(c.choose(QStringLiteral("Ag-Sn"), QStringLiteral("Density")));
                c.box('T')->click();
                QVERIFY(c.next()->isEnabled());
                // Choosing molar volume while "Temperature dependence" is checked.
                QVERIFY(w->propertyList()->chooseText(QStringLiteral("Molar volume")));
                QVERIFY(!c.next()->isEnabled());
                w->Timer1Timer();
                QVERIFY(!c.next()->isEnabled());
                // Choosing another system does not enable it either.
                QVERIFY(w->systemList()->chooseText(QStringLiteral("Cu-Sn")));
                QVERIFY(!c.next()->isEnabled());
                c.box('X')->click();
                QVERIFY(c.next()->isEnabled());
            }));
        }
        // Molar volume chosen before any system, then "Temperature dependence":
        // the timer must not switch "Next" on behind the rule's back.
        Program q;
        QVERIFY(q.inSelection(QStringLiteral("Binary systems"), [&](TfmSelect* w) {
            Controls c{w};
            QVERIFY(w->propertyList()->chooseText(QStringLiteral("Molar volume")));
            c.box('T')->click();
            QVERIFY(w->systemList()->chooseText(QStringLiteral("Ag-Sn")));
            QTRY_VERIFY(!c.timer("Timer1")->isActive());
            QVERIFY(!c.next()->isEnabled());
        }));
    }

    void isosurfaceModeKeepsNextDisabled()
    {
        Program p;
        p.fixture.writeDocument(QStringLiteral("Fig/Quaternary systems/Ag-Cu-Sb-Sn/[2001Abc1]_Ag_Cu_STIBut.jpg"), "x");
        QVERIFY(p.inSelection(QStringLiteral("Quaternary systems"), [&](TfmSelect* w) {
            Controls c{w};
            QVERIFY(c.choose(QStringLiteral("Ag-Bi-Cu-Sn"), QStringLiteral("Surface tension")));
            QVERIFY(c.isoShown());
            c.box('I')->click();
            QCOMPARE(c.checked(), QStringLiteral("M,I"));
            QVERIFY(!c.next()->isEnabled());
            QVERIFY(w->systemList()->chooseText(QStringLiteral("Ag-Cu-Sb-Sn")));
            QVERIFY(!c.next()->isEnabled());
            QVERIFY(w->propertyList()->chooseText(QStringLiteral("Surface tension")));
            QVERIFY(!c.next()->isEnabled());
            QVERIFY(c.button("SpeedButton6")->isEnabled()); // only "Fig" leads on
        }));
    }

    void showListsTheElementDataOfAPureMetalAndBackUnbinds()
    {
        Program p;
        QVERIFY(p.inSelection(QStringLiteral("Pure metals"), [&](TfmSelect* w) {
            Controls c{w};
            DbGrid* grid = w->elementGrid();
            QStringList titles;
            for (int i = 0; i < grid->columns().size(); ++i) {
                titles << grid->columnTitle(i);
                QCOMPARE(grid->columns().at(i).alignment, Qt::Alignment(Qt::AlignCenter));
            }
            QCOMPARE(titles, QStringList({"METAL", "ATOMIC WEIGHT", "MELTING POINT [K]", "BOILING POINT [K]",
                                          "CRYSTAL STRUCTURE", "COVALENT RADIUS [nm]", "ATOMIC RADIUS [nm]"}));
            QVERIFY(!grid->dataSource());
            QVERIFY(w->systemList()->chooseText(QStringLiteral("Sn")));
            c.button("SpeedButton5")->click();
            QCOMPARE(grid->rowCountShown(), 1);
            QStringList cells;
            for (int i = 0; i < 7; ++i)
                cells << grid->cellText(0, i);
            QCOMPARE(cells, QStringList({"Sn", "120", "500", "2500", "tetragonal", "0.15", "0.25"}));
            QVERIFY(p.ui.messages.isEmpty());
            c.button("SpeedButton2")->click(); // Back
            QVERIFY(!grid->dataSource());
            QVERIFY(!w->isVisible());
            QCOMPARE(w->result(), int(QDialog::Rejected));
        }));
    }

    void nextOpensTheChartWindowAfterTheDataModuleSteps()
    {
        Program p;
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), [&](TfmSelect* w) {
            Controls c{w};
            QVERIFY(c.choose(QStringLiteral("Ag-Sn"), QStringLiteral("Density")));
            bool isChart = false;
            QString chartName;
            int publications = -1, publications2 = -1;
            QString axis;
            p.ui.onModal = [&](QWidget* shown) {
                isChart = qobject_cast<TfmWykres*>(shown) != nullptr;
                chartName = shown->objectName();
                publications = p.dm->query(QStringLiteral("qrAutor"))->rowCount();
                publications2 = p.dm->query(QStringLiteral("qrAutor1"))->rowCount();
                axis = p.dm->query(QStringLiteral("qrX"))->value(0, QStringLiteral("XP")).toString();
                shown->close();
                return 0;
            };
            c.next()->click();
            QVERIFY(isChart);
            QCOMPARE(chartName, QStringLiteral("fmWykres"));
            QCOMPARE(publications, 2);
            QCOMPARE(publications2, 2);
            QCOMPARE(axis, QStringLiteral("X Sn"));
            QVERIFY(!forms::window(QStringLiteral("fmWykres"))); // released when it closed
            // The selection window keeps its choices.
            QCOMPARE(w->systemName(), QStringLiteral("Ag-Sn"));
            QCOMPARE(w->propertyName(), QStringLiteral("Density"));
        }));
    }

    // "Menisc" creates the meniscographic browser, opens the system's sources,
    // shows it and releases it; "Fig" opens the publications and shows the figure browser.
    void holdingsLinesSayWhatIsThere()
    {
        SystemHoldings h;
        h.ok = true;
        h.byProperty[QStringLiteral("Density")] = {3, 1, 0};
        h.byProperty[QStringLiteral("Viscosity")] = {0, 1, 0};
        h.byProperty[QStringLiteral("Electrical properties")] = {0, 0, 2};
        const QStringList properties{"Density", "Surface tension", "Viscosity", "Electrical properties", "Mechanical properties"};
        QCOMPARE(holdingsLines(h, properties, true),
                 QStringList({"Density: measured (3), calculated (1)", "Surface tension: model only (Butler)",
                              "Viscosity: calculated (1)", "Electrical properties: figures only (2)",
                              "Mechanical properties: no data yet"}));
        QCOMPARE(holdingsLines(h, {QStringLiteral("Surface tension")}, false), QStringList{"Surface tension: none"});
    }

    // What the system holds, per property, before the user digs.
    void holdingsAreShown()
    {
        Program p;
        p.inSelection(QStringLiteral("Binary systems"), [&](TfmSelect* w) {
            Controls c{w};
            c.choose(QStringLiteral("Ag-Sn"), QStringLiteral("Density"));
            const QString text = w->findChild<QLabel*>(QStringLiteral("lblHoldings"))->text();
            QVERIFY2(text.startsWith(QStringLiteral("Ag-Sn holds")), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("Density: measured (2), figures (1)")), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("Viscosity: measured (1)")), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("Electrical properties: no data yet")), qPrintable(text));
            QVERIFY(w->elementGrid()->isHidden()); // not pure metals: the element grid gives its room back
        });
    }

    void meniscAndFigReachTheirBrowsers()
    {
        Program p;
        p.fixture.writeDocument(QStringLiteral("Fig/Binary systems/Ag-Sn/[2005Ghi3]_Ag-Sn_LX.jpg"), "x");
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), [&](TfmSelect* w) {
            Controls c{w};
            QVERIFY(c.choose(QStringLiteral("Ag-Sn"), QStringLiteral("Viscosity")));
            QStringList shownNames;
            int sources = -1;
            p.ui.onModal = [&](QWidget* shown) {
                shownNames << shown->objectName();
                if (shown->objectName() == QLatin1String("fmMenisk"))
                    sources = p.dm->query(QStringLiteral("qrAutorMenisk"))->rowCount();
                return 0;
            };
            c.button("sbMenisk")->click();
            QVERIFY(!forms::window(QStringLiteral("fmMenisk")));
            c.button("SpeedButton6")->click();
            QCOMPARE(shownNames, QStringList({QStringLiteral("fmMenisk"), QStringLiteral("fmAutorFig")}));
            QCOMPARE(sources, 1);
            QCOMPARE(p.dm->query(QStringLiteral("qrAutor"))->rowCount(), 1);
            QVERIFY(p.ui.messages.isEmpty());
        }));
    }

    void helpAndExit()
    {
        Program p;
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), [&](TfmSelect* w) {
            Controls c{w};
            c.button("sbHelp")->click();
            QCOMPARE(p.ui.openedDocuments.size(), 1);
            QVERIFY(p.ui.openedDocuments.first().endsWith(QStringLiteral("KORVEL 3.pdf")));
            c.button("SpeedButton3")->click();
            QCOMPARE(p.ui.quitRequests, 1);
        }));
    }

    void everyOkStartsAFreshWindow()
    {
        Program p;
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), [&](TfmSelect* w) {
            Controls c{w};
            QVERIFY(c.choose(QStringLiteral("Cu-Sn"), QStringLiteral("Surface tension")));
            c.box('T')->click();
        }));
        QVERIFY(p.inSelection(QStringLiteral("Ternary systems"), [&](TfmSelect* w) {
            Controls c{w};
            QCOMPARE(c.checked(), QStringLiteral("X"));
            QVERIFY(w->systemName().isEmpty());
            QVERIFY(w->propertyName().isEmpty());
            QVERIFY(!c.next()->isEnabled());
            QCOMPARE(w->systemList()->count(), 1); // the systems of the class chosen now
            QCOMPARE(w->systemList()->itemText(0), QStringLiteral("Ag-Cu-Sn"));
        }));
    }
};

QTEST_MAIN(TestSelect)
#include "test_select.moc"
