#include "database/DataSource.h"
#include "database/Query.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupList.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVBoxLayout>
#include <QtTest>

using namespace korvel;

// The data grid from the keyboard: the arrows move the query's current row and
// Tab moves on to the next control instead of walking the cells of a row.
class TestDataControls : public QObject {
    Q_OBJECT

private slots:
    void gridByKeyboard()
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("memory"));
            db.setDatabaseName(QStringLiteral(":memory:"));
            QVERIFY(db.open());
        }
        {
            Query query(QStringLiteral("qrRows"),
                        {QStringLiteral("SELECT 0.1 X, 2.0 A UNION ALL SELECT 0.2, 3.0 UNION ALL SELECT 0.3, 4.0")},
                        QStringLiteral("memory"));
            QVERIFY(query.open());
            DataSource source(QStringLiteral("dsRows"), &query);
            QWidget window;
            auto* layout = new QVBoxLayout(&window);
            auto* grid = new DbGrid(&window);
            auto* next = new QLineEdit(&window);
            layout->addWidget(grid);
            layout->addWidget(next);
            grid->setDataSource(&source);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            grid->setFocus();
            QCOMPARE(query.currentRow(), 0);
            QTest::keyClick(grid, Qt::Key_Down);
            QCOMPARE(query.currentRow(), 1);
            QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
            QCOMPARE(query.currentRow(), 2);
            QTest::keyClick(grid, Qt::Key_Tab);
            QVERIFY(next->hasFocus());
            QCOMPARE(query.currentRow(), 2);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("memory"));
    }

    // Titles wider than their given width widen the column, in any header font;
    // a cell cut by its column shows its whole text as a tooltip.
    void gridColumnsFitTheirTitles()
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("memory"));
            db.setDatabaseName(QStringLiteral(":memory:"));
            QVERIFY(db.open());
        }
        {
            Query query(QStringLiteral("qrRows"),
                        {QStringLiteral("SELECT 'Ag' SYMBOL, 'A title far longer than its column' TITLE")},
                        QStringLiteral("memory"));
            QVERIFY(query.open());
            DataSource source(QStringLiteral("dsRows"), &query);
            DbGrid grid;
            grid.setColumns({{QStringLiteral("SYMBOL"), QStringLiteral("Element symbol in full"), 20},
                             {QStringLiteral("TITLE"), QStringLiteral("T"), 40}});
            grid.setDataSource(&source);
            grid.resize(400, 200);
            grid.show();
            QVERIFY(QTest::qWaitForWindowExposed(&grid));
            const QFontMetrics header = grid.horizontalHeader()->fontMetrics();
            QVERIFY(grid.columnWidth(0) > header.horizontalAdvance(QStringLiteral("Element symbol in full")));
            QCOMPARE(grid.columnWidth(1), 40); // the title fits: the given width stays
            QCOMPARE(grid.cellToolTip(0, 0), QString());
            QCOMPARE(grid.cellToolTip(0, 1), QStringLiteral("A title far longer than its column"));
            // A larger font (HiDPI, the user's choice) widens again.
            const int before = grid.columnWidth(0);
            QFont big = grid.font();
            big.setPointSize(big.pointSize() * 2);
            grid.setFont(big);
            QCoreApplication::processEvents();
            QVERIFY2(grid.columnWidth(0) > before, qPrintable(QString::number(grid.columnWidth(0))));
            QVERIFY(grid.columnWidth(0) > QFontMetrics(big).horizontalAdvance(QStringLiteral("Element symbol in full")));
            // A renamed title is fitted too.
            grid.setColumnTitle(1, QStringLiteral("A much longer second title"));
            QVERIFY(grid.columnWidth(1) > QFontMetrics(big).horizontalAdvance(QStringLiteral("A much longer second title")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("memory"));
    }

    // Numbers show five significant digits with their leading zero and widen their
    // column; the tooltip and the copy text hold every digit.
    void gridNumberCells()
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("memory"));
            db.setDatabaseName(QStringLiteral(":memory:"));
            QVERIFY(db.open());
        }
        {
            QLocale::setDefault(QLocale::c());
            Query query(QStringLiteral("qrRows"),
                        {QStringLiteral("SELECT 0.86 X, 9134.123456789 A, -0.000123456789 B, 'Ag-Sn' UKLAD")},
                        QStringLiteral("memory"));
            QVERIFY(query.open());
            query.setDisplayFormat(QStringLiteral("X"), QStringLiteral("#.##"));
            DataSource source(QStringLiteral("dsRows"), &query);
            DbGrid grid;
            grid.setColumns({{QStringLiteral("X"), QStringLiteral("X"), 10},
                             {QStringLiteral("A"), QStringLiteral("A"), 10},
                             {QStringLiteral("B"), QStringLiteral("B"), 10},
                             {QStringLiteral("UKLAD"), QStringLiteral("System"), 10}});
            grid.setDataSource(&source);
            QCOMPARE(grid.cellText(0, 0), QStringLiteral("0.86"));
            QCOMPARE(grid.cellText(0, 1), QStringLiteral("9134.1"));
            QCOMPARE(grid.cellText(0, 2), QStringLiteral("-0.00012346"));
            QCOMPARE(grid.cellFullText(0, 1), QStringLiteral("9134.123456789"));
            QCOMPARE(grid.cellToolTip(0, 1), QStringLiteral("9134.123456789"));
            QCOMPARE(grid.cellToolTip(0, 0), QString()); // shown whole: no tooltip
            for (int c = 0; c < 3; ++c)
                QVERIFY2(grid.columnWidth(c) > grid.fontMetrics().horizontalAdvance(grid.cellText(0, c)),
                         qPrintable(grid.cellText(0, c)));
            QCOMPARE(grid.columnWidth(3), qMax(10, grid.titleWidth(3))); // a text keeps its width
            QCOMPARE(grid.cellFullText(0, 3), QStringLiteral("Ag-Sn"));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("memory"));
    }

    // A lookup list keeps its choice when its query is reopened and still holds
    // the chosen key (the chosen row is current again); it shows nothing when
    // the key has gone.
    void lookupChoiceSurvivesReopening()
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("memory"));
            db.setDatabaseName(QStringLiteral(":memory:"));
            QVERIFY(db.open());
            QSqlQuery setup(db);
            QVERIFY(setup.exec(QStringLiteral("CREATE TABLE T (ID INTEGER, NAME TEXT)")));
            QVERIFY(setup.exec(QStringLiteral("INSERT INTO T VALUES (1, 'one'), (2, 'two'), (3, 'three')")));
        }
        {
            Query query(QStringLiteral("qrT"), {QStringLiteral("SELECT * FROM T WHERE ID >= :lMin ORDER BY ID")},
                        QStringLiteral("memory"));
            query.bind(QStringLiteral("lMin"), 1);
            QVERIFY(query.open());
            DataSource source(QStringLiteral("dsT"), &query);
            DbLookupList list;
            list.setKeyField(QStringLiteral("ID"));
            list.setListField(QStringLiteral("NAME"));
            list.setListSource(&source);
            QCOMPARE(list.text(), QString());
            list.choose(1);
            QCOMPARE(list.text(), QStringLiteral("two"));
            query.bind(QStringLiteral("lMin"), 2); // reopened: "two" is now the first row
            QVERIFY(query.open());
            QCOMPARE(list.text(), QStringLiteral("two"));
            QCOMPARE(query.currentRow(), 0);
            QCOMPARE(list.keyValue().toInt(), 2);
            query.bind(QStringLiteral("lMin"), 3); // the chosen key has gone
            QVERIFY(query.open());
            QCOMPARE(list.text(), QString());
            QVERIFY(!list.keyValue().isValid());
        }
        QSqlDatabase::removeDatabase(QStringLiteral("memory"));
    }
};

QTEST_MAIN(TestDataControls)
#include "test_data_controls.moc"
