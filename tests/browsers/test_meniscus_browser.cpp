// The meniscographic browser and its two display windows, driven from the
// selection window's "Menisc" on a copy of the fixture database (one source
// of Ag-Sn with one measurement and one picture record) and pictures the tests
// write themselves.
#include "Checks.h"
#include "BrowserProgram.h"
#include "JpegSamples.h"
#include "browsers/FigureNames.h"
#include "browsers/TfmFigers.h"
#include "browsers/TfmMenisk.h"
#include "browsers/TfmMeniskFig.h"
#include "browsers/TfmSkany.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupList.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace korvel;

namespace {

const QString kFolder = QStringLiteral("Menisk/Binary systems/Ag-Sn/");
const QString kSource = QStringLiteral("[2003Men1]");

// Presses "Menisc" for the system and runs `script` while the browser is shown.
[[nodiscard]] bool inBrowser(test::BrowserProgram& p, const QString& system, const std::function<void(TfmMenisk*)>& script)
{
    bool ran = false;
    p.onWindow.insert(QStringLiteral("fmMenisk"), [&](QWidget* w) {
        ran = true;
        script(qobject_cast<TfmMenisk*>(w));
    });
    KORVEL_CHECK(p.inSelection(QStringLiteral("Binary systems"), system, QStringLiteral("Density"), [&](TfmSelect* select) {
        auto* menisc = select->findChild<QPushButton*>(QStringLiteral("sbMenisk"));
        QVERIFY(menisc->isEnabled());
        menisc->click();
    }));
    KORVEL_CHECK_STEPS();
    KORVEL_CHECK(ran);
    KORVEL_CHECK(!forms::window(QStringLiteral("fmMenisk"))); // released after the showing
    return true;
}

bool enabled(QWidget* w) { return w->isEnabled(); }

} // namespace

class TestMeniscusBrowser : public QObject {
    Q_OBJECT
private slots:
    // "Table" and "Figer" act as radio buttons; the selectors follow the mode.
    void tableAndFigerArePaired()
    {
        test::BrowserProgram p;
        QVERIFY(inBrowser(p, QStringLiteral("Ag-Sn"), [&](TfmMenisk* m) {
            QCOMPARE(m->findChild<QLabel*>(QStringLiteral("lblHeading"))->text(), QStringLiteral("Meniscographic Studies"));
            QVERIFY(!m->findChild<QLabel*>(QStringLiteral("lblNoData"))->isVisible());
            QVERIFY(m->tableBox()->isChecked());
            QVERIFY(!m->figureBox()->isChecked());
            QVERIFY(!enabled(m->sourceList()) && !enabled(m->kindList()) && !enabled(m->pictureList()));
            QVERIFY(enabled(m->showButton()));

            m->figureBox()->click(); // picture mode, no source yet
            QVERIFY(!m->tableBox()->isChecked());
            QVERIFY(enabled(m->sourceList()));
            QVERIFY(!enabled(m->kindList()));
            QVERIFY(!enabled(m->showButton()));

            QVERIFY(m->sourceList()->chooseText(kSource));
            QVERIFY(enabled(m->kindList()));
            QVERIFY(enabled(m->showButton()));
            QVERIFY(!enabled(m->pictureList()));
            QVERIFY(m->kindList()->chooseText(QStringLiteral("Wetting curve")));
            QVERIFY(enabled(m->pictureList()));
            QVERIFY(m->pictureList()->chooseText(QStringLiteral("Wetting curve 1")));

            m->tableBox()->click(); // back to table mode: kind and picture are cleared
            QVERIFY(!m->figureBox()->isChecked());
            QVERIFY(m->kindList()->text().isEmpty());
            QVERIFY(m->pictureList()->text().isEmpty());
            QVERIFY(!enabled(m->sourceList()) && !enabled(m->kindList()) && !enabled(m->pictureList()));
            QVERIFY(enabled(m->showButton()));

            m->tableBox()->click(); // unchecking "Table": picture mode with "Show" disabled
            QVERIFY(m->figureBox()->isChecked());
            QVERIFY(!enabled(m->showButton()));
            QCOMPARE(m->sourceList()->text(), kSource); // the source is still chosen
            QVERIFY(enabled(m->kindList()));
            QVERIFY(m->kindList()->text().isEmpty());

            m->tableBox()->click();
            m->figureBox()->click(); // checking "Figer" with a source chosen enables "Show"
            QVERIFY(enabled(m->showButton()));
        }));
    }

    // Table mode: the measurement window lists qrMenisk under the program's column titles.
    void tableModeShowsTheMeasurements()
    {
        test::BrowserProgram p;
        QStringList titles, sourceTitles;
        int rows = -1, sources = -1;
        p.onWindow.insert(QStringLiteral("fmMeniskFig"), [&](QWidget* w) {
            auto* table = qobject_cast<TfmMeniskFig*>(w);
            rows = table->measurementGrid()->rowCountShown();
            for (const GridColumn& c : table->measurementGrid()->columns())
                titles << c.title;
            sources = table->sourceGrid()->rowCountShown();
            for (const GridColumn& c : table->sourceGrid()->columns())
                sourceTitles << c.title;
            QCOMPARE(table->measurementGrid()->cellText(0, 0), kSource);
        });
        QVERIFY(inBrowser(p, QStringLiteral("Ag-Sn"), [&](TfmMenisk* m) { m->showButton()->click(); }));
        QCOMPARE(p.shown.mid(1), QStringList({QStringLiteral("fmMenisk"), QStringLiteral("fmMeniskFig")}));
        QCOMPARE(rows, 1);
        QCOMPARE(titles, QStringList({"REFERENCES", "SYSTEM", "WETTING TIME [s]", "WETTING FORCE [mN]", "CONTACT ANGLES [o]",
                                      "SURFACE TENSION [mN/m]", "INTERFACIAL TENSION [mN/m]", "T m [K]", "TEMP [K]", "SUBSTRATE",
                                      "ATMOSPHERE", "FLUX"}));
        QCOMPARE(sources, 1);
        QCOMPARE(sourceTitles, QStringList({"REFERENCES", "AUTHORS"}));
    }

    // A source without kind and picture: the name ends in two underscores. When
    // that file is missing, the source's kinds are offered, else "Data in the table only.".
    void showWithOnlyASource()
    {
        for (const bool kindsOnDisk : {false, true}) {
            test::BrowserProgram p;
            if (kindsOnDisk) {
                p.fixture.writeDocument(kFolder + kSource + QStringLiteral("_Ag-Sn_Wetting force_any.jpg"), test::jpegOfColour(20, 20, Qt::red));
                p.fixture.writeDocument(kFolder + kSource + QStringLiteral("_Ag-Sn_Wetting force_Wetting curve 1.jpg"),
                                        test::jpegOfColour(50, 25, Qt::blue));
                p.fixture.writeDocument(kFolder + QStringLiteral("[1990Oth1]_Ag-Sn_Wetting time_x.jpg"), test::jpegOfColour(20, 20, Qt::red));
            }
            QString file;
            QStringList offered;
            p.onWindow.insert(QStringLiteral("fmFigers"), [&](QWidget* w) {
                auto* list = qobject_cast<TfmFigers*>(w);
                offered = list->offeredTexts();
                list->kindList()->setCurrentRow(0);
                list->findChild<QPushButton*>(QStringLiteral("sbShow"))->click();
            });
            QVERIFY(inBrowser(p, QStringLiteral("Ag-Sn"), [&](TfmMenisk* m) {
                m->figureBox()->click();
                QVERIFY(m->sourceList()->chooseText(kSource));
                file = m->pictureFile();
                m->showButton()->click();
            }));
            QVERIFY2(file.endsWith(kSource + QStringLiteral("_Ag-Sn__.jpg")), qPrintable(file));
            if (kindsOnDisk) {
                QCOMPARE(offered, QStringList{QStringLiteral("Wetting force")});
                QCOMPARE(p.shown.mid(2), QStringList({QStringLiteral("fmFigers"), QStringLiteral("fmSkany")}));
                // The designation is the label of the source's first picture.
                QVERIFY(p.start->ChosenPicture().endsWith(kSource + QStringLiteral("_Ag-Sn_Wetting force_Wetting curve 1.jpg")));
                QCOMPARE(p.start->MeniscusDir(), figures::meniscusFolder(p.fixture.databaseDir(), QStringLiteral("Binary systems"),
                                                                        QStringLiteral("Ag-Sn")));
                QVERIFY(p.ui.messages.isEmpty());
            } else {
                QCOMPARE(p.ui.texts(), QStringList{QStringLiteral("Data in the table only.")});
                QCOMPARE(p.shown.mid(2), QStringList());
            }
        }
    }

    // The chosen picture exists: it is shown in the picture window; a broken one gives an error instead.
    void chosenPictureIsShown()
    {
        for (const bool broken : {false, true}) {
            test::BrowserProgram p;
            const QString name = kSource + QStringLiteral("_Ag-Sn_Wetting curve_Wetting curve 1.jpg");
            p.fixture.writeDocument(kFolder + name, broken ? QByteArray("\xFF\xD8\xFF\xE0 broken", 11) : test::jpegOfColour(60, 30, Qt::green));
            QSize size;
            int sources = -1;
            p.onWindow.insert(QStringLiteral("fmMeniskFig1"), [&](QWidget* w) {
                auto* window = qobject_cast<TfmMeniskFig1*>(w);
                size = window->picture().size();
                sources = window->sourceGrid()->rowCountShown();
            });
            QVERIFY(inBrowser(p, QStringLiteral("Ag-Sn"), [&](TfmMenisk* m) {
                m->figureBox()->click();
                QVERIFY(m->sourceList()->chooseText(kSource));
                QVERIFY(m->kindList()->chooseText(QStringLiteral("Wetting curve")));
                QVERIFY(m->pictureList()->chooseText(QStringLiteral("Wetting curve 1")));
                m->showButton()->click();
            }));
            if (broken) {
                QVERIFY(!p.shown.contains(QStringLiteral("fmMeniskFig1")));
                QCOMPARE(p.ui.messages.size(), 1);
                QCOMPARE(p.ui.messages.first().kind, test::ScriptedUi::Message::Error);
                QVERIFY(p.ui.lastMessage().contains(name));
            } else {
                QCOMPARE(p.shown.last(), QStringLiteral("fmMeniskFig1"));
                QCOMPARE(size, QSize(60, 30));
                QCOMPARE(sources, 1);
            }
        }
    }

    // A system without meniscographic data: "Menisc" is disabled and says why; the
    // browser itself, reached by its handler, says so too and "All Data" finds no picture.
    void systemWithoutData()
    {
        test::BrowserProgram p;
        bool noDataShown = false;
        p.onWindow.insert(QStringLiteral("fmMenisk"), [&](QWidget* w) {
            auto* m = qobject_cast<TfmMenisk*>(w);
            noDataShown = m->findChild<QLabel*>(QStringLiteral("lblNoData"))->isVisible();
            m->findChild<QPushButton*>(QStringLiteral("SpeedButton2"))->click();
            m->findChild<QPushButton*>(QStringLiteral("sbHelp"))->click();
        });
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), QStringLiteral("Cu-Sn"), QStringLiteral("Density"), [&](TfmSelect* select) {
            auto* menisc = select->findChild<QPushButton*>(QStringLiteral("sbMenisk"));
            QVERIFY(!menisc->isEnabled());
            QVERIFY2(menisc->toolTip().contains(QStringLiteral("holds none of Cu-Sn")), qPrintable(menisc->toolTip()));
            select->sbMeniskClick();
        }));
        QVERIFY(noDataShown);
        QCOMPARE(p.ui.texts(), QStringList{QStringLiteral("Sorry. No data!")});
        QCOMPARE(p.ui.openedDocuments.size(), 1);
        QVERIFY(p.ui.openedDocuments.first().endsWith(QStringLiteral("KORVEL 3.pdf")));
    }
};

QTEST_MAIN(TestMeniscusBrowser)
#include "test_meniscus_browser.moc"
