// The user-data window over the chart window: the enabling of "OK", drawing
// the user's points (isotherms) and lines (temperature dependences), a line
// that cannot be read, "Load" and "Save".
#include "Checks.h"
#include "ChartVisit.h"
#include "browsers/TfmWlasnedane.h"
#include "core/Session.h"
#include "charts/PlotWidget.h"
#include "charts/SeriesColours.h"
#include "charts/TemperaturePage.h"
#include "charts/TfmWykres.h"
#include "database/DataModule.h"
#include "database/DataSource.h"
#include "database/Query.h"
#include "models/UserData.h"
#include "app/AppWindows.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupList.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace korvel;

namespace {

struct UserDataVisit : test::ChartVisit {
    TfmWlasnedane* data = nullptr;
    // What the user does while the user-data window is open.
    std::function<void(TfmWlasnedane*)> script;

    explicit UserDataVisit(bool isotherms)
        : ChartVisit(QStringLiteral("temperature"), {.isotherms = isotherms})
    {
        data = new TfmWlasnedane;
        forms::setWindow(QStringLiteral("fmWlasnedane"), data);
        onOtherModal = [this](QWidget* window) {
            window->show();
            if (script)
                script(static_cast<TfmWlasnedane*>(window));
        };
    }
    ~UserDataVisit() { forms::release(QStringLiteral("fmWlasnedane")); }
    // Opens the window from the menu, types the data and presses "OK".
    [[nodiscard]] bool enter(const QString& text, const QString& t = QStringLiteral("1273"), const QString& author = QStringLiteral("ABC"))
    {
        script = [=](TfmWlasnedane* window) {
            window->memo()->setPlainText(text);
            window->temperatureField()->setText(t);
            window->authorField()->setText(author);
            window->findChild<QPushButton*>(QStringLiteral("sbOK"))->click();
        };
        KORVEL_CHECK(w->addDataAction()->isEnabled());
        w->addDataAction()->trigger();
        return true;
    }
    QPushButton* ok() const { return data->findChild<QPushButton*>(QStringLiteral("sbOK")); }
};

} // namespace

class TestUserDataWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void okNeedsDataTemperatureAndAuthor_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("temperature");
        QTest::addColumn<QString>("author");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("all three") << "1;2" << "1273" << "ABC" << true;
        QTest::newRow("no author") << "1;2" << "1273" << "" << false;
        QTest::newRow("no temperature") << "1;2" << "" << "ABC" << false;
        QTest::newRow("no data") << "" << "1273" << "ABC" << false;
    }
    void okNeedsDataTemperatureAndAuthor()
    {
        QFETCH(QString, text);
        QFETCH(QString, temperature);
        QFETCH(QString, author);
        QFETCH(bool, enabled);
        test::ScriptedUi ui;
        TfmWlasnedane window;
        window.show();
        QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("sbOK"))->isEnabled());
        window.memo()->setPlainText(text);
        window.temperatureField()->setText(temperature);
        window.authorField()->setText(author);
        QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("sbOK"))->isEnabled(), enabled);
        QCOMPARE(window.temperatureField()->maxLength(), 4);
        QCOMPARE(window.windowTitle(), QStringLiteral("Korvel 3"));
        // Showing again empties the data and the temperature, keeps the author.
        window.hide();
        window.show();
        QVERIFY(window.memo()->toPlainText().isEmpty());
        QVERIFY(window.temperatureField()->text().isEmpty());
        QCOMPARE(window.authorField()->text(), author);
    }

    void pointsOverIsotherms()
    {
        UserDataVisit v(true);
        QVERIFY(v.enter(QStringLiteral("1.1;2.1\n1.2;4.2\n1.3;8.3\n1.4444  ;   16.44444444444444  ;\n     1.55555; 32.5555555555    \n   \n"
                               "1.5 22\n")));
        QVERIFY2(v.ui.messages.isEmpty(), qPrintable(v.ui.texts().join(QLatin1Char('|'))));
        QVERIFY(!v.data->isVisible());
        QCOMPARE(v.w->chart()->seriesCount(), 1);
        PlotSeries* s = v.w->chart()->series(0);
        QCOMPARE(s->title(), QStringLiteral("ABC T= 1273 [K]"));
        QCOMPARE(s->marker(), MarkerStyle::Circle);
        QCOMPARE(s->penWidth(), 2);
        QCOMPARE(s->colour(), SeriesColours::at(0));
        QCOMPARE(s->pointCount(), 5); // "1.5 22" has no value 1: left out
        QCOMPARE(s->point(3), QPointF(1.4444, 16.44444444444444));
        QCOMPARE(v.w->PointColourIndex(), 1);
        // The twentieth colour is followed by the first.
        v.w->state().pointColourIndex = 19;
        QVERIFY(v.enter(QStringLiteral("0.5;1")));
        QVERIFY(v.enter(QStringLiteral("0.5;2")));
        QCOMPARE(v.w->chart()->series(1)->colour(), SeriesColours::at(19));
        QCOMPARE(v.w->chart()->series(2)->colour(), SeriesColours::at(0));
        QCOMPARE(v.w->PointColourIndex(), 1);
    }

    void unreadableLineDrawsNothingAndKeepsTheText()
    {
        UserDataVisit v(true);
        const QString text = QStringLiteral("1;2\n\n1.2.3;4\n5;6");
        QVERIFY(v.enter(text));
        QCOMPARE(v.ui.messages.size(), 1);
        QCOMPARE(v.ui.messages[0].kind, test::ScriptedUi::Message::Error);
        QCOMPARE(v.ui.messages[0].text, kCannotConvert + QStringLiteral("\nLine 3: 1.2.3;4"));
        QCOMPARE(v.w->chart()->seriesCount(), 0);
        QCOMPARE(v.w->PointColourIndex(), 0);
        QVERIFY(v.data->isVisible());
        QCOMPARE(v.data->memo()->toPlainText(), text);
    }

    void linesOverTemperatureDependences()
    {
        UserDataVisit v(false);
        TemperaturePage* page = v.w->temperaturePage(1);
        QVERIFY(page->publicationList()->chooseText(QStringLiteral("[2003Tmp1]")));
        page->showButton()->click();
        // Nothing selected: the user is asked to select, nothing is drawn.
        QVERIFY(v.enter(QStringLiteral("1273;7.1;7.0;6.9")));
        QCOMPARE(v.ui.texts(), QStringList{kSelectComposition});
        QCOMPARE(v.w->chart()->seriesCount(), 0);
        v.data->close();
        v.ui.messages.clear();
        // Selected 0.6, 0.2, 0.4: the series follow the grid order.
        DbGrid* g = page->compositionGrid();
        for (int row : {2, 0, 1})
            g->selectRow(row, true);
        QVERIFY(v.enter(QStringLiteral("1273;7.1;7.0;6.9\n1373;7.0\n")));
        QVERIFY2(v.ui.messages.isEmpty(), qPrintable(v.ui.texts().join(QLatin1Char('|'))));
        QCOMPARE(v.w->chart()->seriesCount(), 3);
        const QStringList titles = {QStringLiteral("ButlerX= 0.2"), QStringLiteral("ButlerX= 0.4"),
                                    QStringLiteral("ButlerX= 0.6")};
        for (int k = 0; k < 3; ++k) {
            PlotSeries* s = v.w->chart()->series(k);
            QCOMPARE(s->title(), titles[k]);
            QCOMPARE(s->penWidth(), 3);
            QCOMPARE(s->colour(), SeriesColours::at(k));
            QCOMPARE(s->pointCount(), k == 0 ? 2 : 1); // the second line lacks the values of series 2 and 3
        }
        QCOMPARE(v.w->chart()->series(2)->point(0), QPointF(1273, 6.9));
        QCOMPARE(v.w->PointColourIndex(), 0);
    }

    void loadAndSave()
    {
        test::ScriptedUi ui;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("data.txt"));
        TfmWlasnedane window;
        window.show();
        window.memo()->setPlainText(QStringLiteral("1;2\n3;4"));
        ui.fileAnswers = {path};
        window.sbSaveClick();
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("1;2\r\n3;4\r\n"));
        saved.close();
        // Saving again replaces the file without a question.
        window.memo()->setPlainText(QStringLiteral("5;6"));
        ui.fileAnswers = {path};
        window.sbSaveClick();
        QVERIFY(ui.messages.isEmpty());
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("5;6\r\n"));
        saved.close();
        // Load of a file with LF and CR line ends.
        QFile other(dir.filePath(QStringLiteral("other.TXT")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("7;8\n9;10\r11;12");
        other.close();
        ui.fileAnswers = {other.fileName()};
        window.sbLoadClick();
        QCOMPARE(window.memo()->toPlainText(), QStringLiteral("7;8\n9;10\n11;12"));
        // A cancelled "Load" leaves the data empty.
        window.sbLoadClick();
        QVERIFY(window.memo()->toPlainText().isEmpty());
        // A file that cannot be read: the error, the buffer stays empty.
        ui.fileAnswers = {dir.filePath(QStringLiteral("missing.txt"))};
        window.sbLoadClick();
        QCOMPARE(ui.messages.size(), 1);
        QCOMPARE(ui.messages[0].kind, test::ScriptedUi::Message::Error);
    }
};

QTEST_MAIN(TestUserDataWindow)
#include "test_user_data_window.moc"
