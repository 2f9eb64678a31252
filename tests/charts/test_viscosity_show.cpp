// The viscosity "Show" of the chart window when the computed tables cannot or
// must not be refilled, and the equation grid it leaves behind.
#include "FixtureDatabase.h"
#include "ScriptedUi.h"
#include "core/Session.h"
#include "charts/PlotWidget.h"
#include "charts/TfmWykres.h"
#include "database/DataModule.h"
#include "database/Query.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupList.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

using namespace korvel;

namespace {

struct Visit {
    test::ScriptedUi ui;
    test::FixtureDatabase fixture{QStringLiteral("charts")};
    std::unique_ptr<TdmDataModule> dm;
    TfmWykres* w = nullptr;

    Visit()
    {
        dm.reset(new TdmDataModule);
        session().setChoices(Choices{QStringLiteral("Binary systems"), QStringLiteral("Ag-Sn"), QStringLiteral("Viscosity"),
                                true, false, false});
        dm->query(QStringLiteral("qrSelect"))->locate(QStringLiteral("ID_SELECT"), 2);
        dm->OpenSystems();
        dm->query(QStringLiteral("qrTabUkl"))->locate(QStringLiteral("OZNACZENIE"), QStringLiteral("Ag-Sn"));
        dm->query(QStringLiteral("qrWlasnosci"))->locate(QStringLiteral("WLASNOSC"), QStringLiteral("Viscosity"));
        dm->OpenPublications();
        dm->OpenPublications2();
        dm->OpenAxisLabel();
        w = new TfmWykres;
        w->show();
        QCoreApplication::processEvents();
        w->findChild<DbLookupList*>(QStringLiteral("dblAutor"))->chooseText(QStringLiteral("[2005Ghi3]"));
    }
    ~Visit()
    {
        delete w;
        session().setChoices({});
    }
    QLineEdit* ed(int n) const { return w->findChild<QLineEdit*>(QStringLiteral("edT%1").arg(n)); }
    QCheckBox* showBox() const { return w->findChild<QCheckBox*>(QStringLiteral("chbShow")); }
    void show() const { w->findChild<QPushButton*>(QStringLiteral("sbShow"))->click(); }
    QStringList stored(const char* table) const
    {
        QSqlQuery q(QSqlDatabase::database(dm->connectionName()));
        QStringList rows;
        if (q.exec(QStringLiteral("SELECT X, VISCO FROM %1 ORDER BY X").arg(QString::fromLatin1(table))))
            while (q.next())
                rows << q.value(0).toString() + QLatin1Char('=') + q.value(1).toString();
        return rows;
    }
};

} // namespace

class TestViscosityShow : public QObject {
    Q_OBJECT
private slots:
    // 0 K gives no viscosity: the isotherm page refuses it in words before any
    // table is written; the field stays open and nothing is drawn.
    void zeroKelvinIsRefusedBeforeAnythingIsWritten()
    {
        Visit v;
        v.showBox()->click();
        v.ed(1)->setText(QStringLiteral("1273"));
        v.show();
        QVERIFY2(v.ui.messages.isEmpty(), qPrintable(v.ui.texts().join(QLatin1Char('|'))));
        const QStringList before = v.stored("VISCOSITY");
        QCOMPARE(before.size(), 3);
        v.w->findChild<QPushButton*>(QStringLiteral("sbClear"))->click();
        const int seriesBefore = v.w->chart()->seriesCount();
        v.ed(1)->setText(QStringLiteral("0"));
        v.show();
        QCOMPARE(v.ui.messages.size(), 1);
        QVERIFY2(v.ui.messages[0].text.contains(QStringLiteral("Error! The temperature must be above 0 [K]")),
                 qPrintable(v.ui.messages[0].text));
        QVERIFY(v.ed(1)->isEnabled());
        QCOMPARE(v.w->chart()->seriesCount(), seriesBefore);
        QCOMPARE(v.stored("VISCOSITY"), before);
    }

    // A temperature typed with a blank is the temperature without it, a text
    // too long is refused whole, and a temperature out of range is refused
    // before any table is written.
    void temperatureFieldsNeverComputeAtAnotherTemperature()
    {
        Visit v;
        v.showBox()->click();
        v.ed(1)->insert(QStringLiteral(" 1273"));
        QCOMPARE(v.ed(1)->text(), QStringLiteral("1273"));
        v.show();
        QVERIFY2(v.ui.messages.isEmpty(), qPrintable(v.ui.texts().join(QLatin1Char('|'))));
        const QStringList at1273 = v.stored("VISCOSITY");
        QCOMPARE(at1273.size(), 3);
        v.w->findChild<QPushButton*>(QStringLiteral("sbClear"))->click();
        v.ed(1)->setText(QString());
        v.ed(1)->insert(QStringLiteral("99999"));
        QCOMPARE(v.ed(1)->text(), QString());
        v.ed(1)->insert(QStringLiteral("9999"));
        v.show();
        QCOMPARE(v.ui.messages.size(), 1);
        QCOMPARE(v.stored("VISCOSITY"), at1273);
    }

    // The equations the values were computed from stay in the equation grid
    // when "  Show calculated value" is unchecked afterwards.
    void equationGridShowsTheEquationsAfterAShowWithValues()
    {
        Visit v;
        v.showBox()->click();
        v.ed(1)->setText(QStringLiteral("1273"));
        v.show();
        QVERIFY2(v.ui.messages.isEmpty(), qPrintable(v.ui.texts().join(QLatin1Char('|'))));
        v.showBox()->click();
        QVERIFY(!v.showBox()->isChecked());
        auto* equations = v.w->findChild<DbGrid*>(QStringLiteral("dbgRownania"));
        QCOMPARE(equations->rowCountShown(), v.dm->query(QStringLiteral("qrRownania"))->rowCount());
        QCOMPARE(equations->rowCountShown(), 3);
    }

    // A missing table of one slot stops "Show" before any slot is refilled.
    void missingSlotTableStopsBeforeAnyRefill()
    {
        Visit v;
        QVERIFY(QSqlQuery(QSqlDatabase::database(v.dm->connectionName())).exec(QStringLiteral("DROP TABLE VISCOSITY2")));
        const QStringList before = v.stored("VISCOSITY");
        v.showBox()->click();
        v.ed(1)->setText(QStringLiteral("1273"));
        v.ed(2)->setText(QStringLiteral("1000"));
        v.show();
        QCOMPARE(v.ui.messages.size(), 1);
        QVERIFY2(v.ui.messages[0].text.contains(QStringLiteral("no usable table VISCOSITY2")),
                 qPrintable(v.ui.messages[0].text));
        QCOMPARE(v.stored("VISCOSITY"), before);
        QVERIFY(v.ed(1)->isEnabled());
    }
};

QTEST_MAIN(TestViscosityShow)
#include "test_viscosity_show.moc"
