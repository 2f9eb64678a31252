// The description windows: each opens from the menus of the three main windows
// and shows its text; the two engine models cite nothing.
#include "ProgramFixture.h"
#include "widgets/MainMenu.h"
#include "shell/TfmBadania.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>

using namespace korvel;
using test::Program;

namespace {

// The caption -> window of every description item of a menu bar, in menu order,
// found by opening each item.
QList<QPair<QString, QString>> openEveryDescription(Program& p, QWidget* owner)
{
    QList<QPair<QString, QString>> opened;
    QString shown;
    p.ui.onModal = [&](QWidget* w) {
        shown = w->objectName();
        w->close();
        return 0;
    };
    for (const char* menuName : {"Experimentalmethods1", "Models1"}) {
        auto* menu = owner->findChild<QMenu*>(QString::fromLatin1(menuName));
        if (!menu)
            continue;
        for (QAction* a : menu->actions()) {
            shown.clear();
            a->trigger();
            opened.append({a->text(), shown});
        }
    }
    p.ui.onModal = nullptr;
    return opened;
}

const QList<QPair<QString, QString>> kMethods = {
    {"Maximum bubble pressure method", "fmBadania3"},
    {"Dilatometric method", "fmBadania4"},
    {"Meniscographic method", "fmBadania1"},
    {"Sessile drop method", "fmBadania2"},
};

QList<QPair<QString, QString>> expectedItems(MainMenuKind kind)
{
    QList<QPair<QString, QString>> items = kMethods;
    for (const ModelMenuItem& m : modelMenuItems(kind))
        items.append({m.caption, m.window});
    return items;
}

QString plainText(const QString& window, const char* view)
{
    QWidget* w = forms::window(window);
    auto* browser = w ? w->findChild<QTextBrowser*>(QString::fromLatin1(view)) : nullptr;
    return browser ? browser->toPlainText() : QString();
}

} // namespace

class TestDescriptions : public QObject {
    Q_OBJECT
private slots:
    void everyItemOfTheThreeMenusOpensItsWindow()
    {
        Program p;
        QCOMPARE(openEveryDescription(p, p.start), expectedItems(MainMenuKind::Start));
        QVERIFY(p.inSelection(QStringLiteral("Binary systems"), [&](TfmSelect* w) {
            QCOMPARE(openEveryDescription(p, w), expectedItems(MainMenuKind::Select));
        }));
        // The chart window's menu (built the same way by the chart window).
        QWidget chart;
        auto* bar = new QMenuBar(&chart);
        buildMainMenu(bar, MainMenuKind::Chart);
        const auto opened = openEveryDescription(p, &chart);
        QCOMPARE(opened, expectedItems(MainMenuKind::Chart));
        QCOMPARE(opened.at(6).second, QStringLiteral("fmIida"));
        QCOMPARE(opened.at(7).second, QStringLiteral("fmIida"));
        // Showing again shows the same window.
        QCOMPARE(p.ui.modalWindows.first(), forms::window(QStringLiteral("fmBadania3")));
    }

    void baseWindowAndOkButton()
    {
        Program p;
        for (const char* name : {"fmBadania", "fmBadania1", "fmBadania2", "fmBadania3", "fmBadania4", "fmDravik", "fmSichen"}) {
            auto* w = qobject_cast<TfmBadania*>(forms::window(QString::fromLatin1(name)));
            QVERIFY2(w, name);
            QCOMPARE(w->windowTitle(), QStringLiteral("Korvel 3"));
            QCOMPARE(w->size(), QSize(692, 466));
            w->show();
            auto* ok = w->findChild<QPushButton*>(QStringLiteral("SpeedButton1"));
            QVERIFY(ok);
            ok->click();
            QVERIFY(!w->isVisible());
        }
    }

    void methodWindowsCarryTitleEquationsAndReferences_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("mustContain");
        QTest::newRow("bubble pressure") << "fmBadania3" << "Maximum bubble pressure method"
            << QStringList{"\u0394p = pg \u2212 pa", "(1)", "\u0394p = g (\u03C1m hm \u2212 \u03C1a ha)", "(2)",
                           "\u03C3 = \u00BD r \u0394p", "(3)", "Sugden", "approximate"};
        QTest::newRow("dilatometric") << "fmBadania4" << "Dilatometric metod"
            << QStringList{"\u03C1 = m / V", "(1)", "V = \u03C0 D2 H / 4", "(2)", "thermal expansion of the crucible"};
        QTest::newRow("meniscographic") << "fmBadania1" << "Meniscographic method"
            << QStringList{"teflon", "wetting time", "wetting force", "contact angle", "Cu coupons", "IEC 60068-2-54"};
        QTest::newRow("sessile drop") << "fmBadania2" << "Sessile drop method"
            << QStringList{"vertical furnace", "macro-converter", "camera", "Ar + H2", "contact angle", "dedicated program"};
    }
    void methodWindowsCarryTitleEquationsAndReferences()
    {
        QFETCH(QString, window);
        QFETCH(QString, title);
        QFETCH(QStringList, mustContain);
        Program p;
        QWidget* w = forms::window(window);
        QVERIFY(w);
        QCOMPARE(w->findChild<QLabel*>(QStringLiteral("lblTytul"))->text(), title);
        const QString text = plainText(window, "Memo1").simplified().replace(QChar(0xA0), QLatin1Char(' '));
        for (const QString& part : mustContain)
            QVERIFY2(text.contains(part), qPrintable(QStringLiteral("%1 lacks \"%2\"").arg(window, part)));
    }

    void methodPicturesLoad()
    {
        for (const char* picture : {":/descriptions/bubble_pressure.svg", ":/descriptions/dilatometer.svg"})
            QVERIFY2(!QImage(QString::fromLatin1(picture)).isNull(), picture);
    }

    void modelWindowsShowEquationSymbolsAndReference_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("mustContain");
        QTest::newRow("Iida") << "fmIida" << QStringList{"I-U-M_G", "I-U-M_H", "Tetsu-to-Hagan\u00E9 62 (1976)"};
        QTest::newRow("Kaptay") << "fmKaptay" << QStringList{"0.155", "microCAD 2003"};
        QTest::newRow("Kozlov") << "fmKozlov" << QStringList{"ln \u03B7", "3RT", "(1983)"};
        QTest::newRow("Kucharski") << "fmKucharski" << QStringList{"Z. Metallkd. 77 (1986)"};
        QTest::newRow("Moelwyn-Hughes") << "fmMoelwyn" << QStringList{"\u03A9", "Physical Chemistry"};
        QTest::newRow("Sato") << "fmSato" << QStringList{"Arrhenius", "(2011)"};
        QTest::newRow("Schick") << "fmSchick" << QStringList{"enthalpy of mixing", "J. Mater. Sci. 47 (2012)"};
        QTest::newRow("Seetharaman") << "fmSeetharaman" << QStringList{"3RT x1x2", "25B (1994) 589"};
        QTest::newRow("Sichen") << "fmSichen" << QStringList{"\u0394G*mix", "25B (1994) 519"};
    }
    void modelWindowsShowEquationSymbolsAndReference()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, mustContain);
        Program p;
        const QString text = plainText(window, "Image1").simplified().replace(QChar(0xA0), QLatin1Char(' '));
        QVERIFY(text.contains(QStringLiteral("Reference")));
        QVERIFY(text.contains(QStringLiteral("In Korvel 3.")));
        for (const QString& part : mustContain)
            QVERIFY2(text.contains(part), qPrintable(QStringLiteral("%1 lacks \"%2\"").arg(window, part)));
    }

    // The engine's own models: the common formula and its terms, and no
    // publication, year or person anywhere in their windows.
    void engineModelsShowTheCommonFormulaAndCiteNothing()
    {
        Program p;
        const QRegularExpression year(QStringLiteral("\\b(1[89]|20)\\d\\d\\b"));
        for (const char* name : {"fmDravik", "fmDravikMarten"}) {
            const QString text = plainText(QString::fromLatin1(name), "Image1").simplified().replace(QChar(0xA0), QLatin1Char(' '));
            QVERIFY2(!text.isEmpty(), name);
            for (const char* part : {"Aex = x(1 \u2212 x) \u03A3", "Eex = x(1 \u2212 x) \u03A3", "(1 \u2212 2x)",
                                     "A1", "E2", "8.314472", "mPa\u00B7s", "activation energies"})
                QVERIFY2(text.contains(QString::fromUtf8(part)), qPrintable(QStringLiteral("%1 lacks %2").arg(QString::fromLatin1(name), QString::fromUtf8(part))));
            QVERIFY2(!text.contains(QStringLiteral("Reference"), Qt::CaseInsensitive), name);
            QVERIFY2(!year.match(text).hasMatch(), qPrintable(year.match(text).captured()));
            for (const char* forbidden : {"et al", "Proc.", "J. ", "Trans.", "Press"})
                QVERIFY2(!text.contains(QString::fromLatin1(forbidden)), forbidden);
        }
    }
};

QTEST_MAIN(TestDescriptions)
#include "test_descriptions.moc"
