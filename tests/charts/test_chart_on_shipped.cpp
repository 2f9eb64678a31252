// The isotherm "Show" on the shipped database: every system, every property
// linked to it and every publication of that property, with T1 = 1273 K and
// "  Show calculated value" checked. Each visit must end without an error box,
// with the result grid of slot 1 showing its query's rows and the isotherm
// holding one point per row with a value; every class must draw something.
#include "ScriptedUi.h"
#include "core/Session.h"
#include "charts/IsothermLogic.h"
#include "charts/PlotWidget.h"
#include "charts/TfmWykres.h"
#include "core/Directories.h"
#include "database/DataModule.h"
#include "database/Query.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupList.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using namespace korvel;

class TestChartOnShipped : public QObject {
    Q_OBJECT

    struct Combination {
        int classId;
        QString className, system, property, key;
    };

private slots:
    void everyPublicationShowsItsIsotherm()
    {
        const QString shipped = qEnvironmentVariable("KORVEL_BUILD_DIR") + QStringLiteral("/bin/Database/korvel3.sqlite");
        QVERIFY2(QFile::exists(shipped), qPrintable(shipped));
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("Database"));
        QDir(dir.path()).mkpath(QStringLiteral("Save"));
        const QString copy = dir.filePath(QStringLiteral("Database/korvel3.sqlite"));
        QVERIFY(QFile::copy(shipped, copy));
        QFile(copy).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        dirs::overrideApplicationDir(dir.path());

        test::ScriptedUi ui;
        ui.onModal = [](QWidget* w) {
            if (auto* ok = w->findChild<QPushButton*>(QStringLiteral("sbOK")))
                ok->click();
            return 0;
        };
        TdmDataModule dm;
        QList<Combination> combinations;
        {
            QSqlQuery q(QSqlDatabase::database(dm.connectionName()));
            QVERIFY(q.exec(QStringLiteral(
                "SELECT S.ID_SELECT, S.NAZWA, U.OZNACZENIE, W.WLASNOSC, P.OZNACZENIE "
                "FROM WLA_TAB_PUB L, TAB_UKL U, SELECT_SYSTEM S, WLASNOSCI W, PUBLIKACJE P "
                "WHERE L.ID_TAB_UKL = U.ID_TAB_UKL AND U.ID_SELECT = S.ID_SELECT "
                "AND L.ID_WLASCIWOSCI = W.ID_WLASCIWOSCI AND L.ID_PUBLIKACJI = P.ID_PUBLIKACJI "
                "AND W.WLASNOSC IN ('Density', 'Surface tension', 'Molar volume', 'Viscosity') "
                "ORDER BY S.ID_SELECT, U.OZNACZENIE, W.ID_WLASCIWOSCI, P.ROK")));
            while (q.next())
                combinations << Combination{q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(),
                                            q.value(3).toString(), q.value(4).toString()};
        }
        QVERIFY(combinations.size() > 50);

        Choices choices;
        QHash<QString, int> drawnPerClass;
        for (const Combination& c : combinations) {
            const QString label = QStringLiteral("%1 %2 %3").arg(c.system, c.property, c.key);
            choices = {c.className, c.system, c.property, true, false, false};
            session().setChoices(choices);
            dm.query(QStringLiteral("qrSelect"))->locate(QStringLiteral("ID_SELECT"), c.classId);
            dm.OpenSystems();
            QVERIFY2(dm.query(QStringLiteral("qrTabUkl"))->locate(QStringLiteral("OZNACZENIE"), c.system), qPrintable(label));
            QVERIFY(dm.query(QStringLiteral("qrWlasnosci"))->locate(QStringLiteral("WLASNOSC"), c.property));
            dm.OpenPublications();
            dm.OpenPublications2();
            dm.OpenAxisLabel();
            ui.messages.clear();
            auto w = std::make_unique<TfmWykres>();
            w->show();
            QVERIFY2(w->findChild<DbLookupList*>(QStringLiteral("dblAutor"))->chooseText(c.key), qPrintable(label));
            auto* box = w->findChild<QCheckBox*>(QStringLiteral("chbShow"));
            if (!box->isChecked())
                box->click();
            w->temperatureField(1)->setText(QStringLiteral("1273"));
            QVERIFY2(w->findChild<QPushButton*>(QStringLiteral("sbShow"))->isEnabled(), qPrintable(label));
            w->sbShowClick();

            for (const auto& m : ui.messages) {
                QVERIFY2(m.kind != test::ScriptedUi::Message::Error, qPrintable(label + QStringLiteral(": ") + m.text));
                QVERIFY2(m.text == kDataNotAvailable && c.classId == 2, qPrintable(label + QStringLiteral(": ") + m.text));
            }
            const SlotBinding b = slotBinding(c.className, c.classId, c.property, c.system, 1);
            Query* q = dm.query(b.query);
            QVERIFY2(q && q->isOpen(), qPrintable(label + QStringLiteral(" ") + b.query));
            QCOMPARE(w->resultGrid(1, c.classId >= 3)->rowCountShown(), q->rowCount());
            QCOMPARE(w->calculatedValueAction()->isEnabled(), q->rowCount() > 0);
            int valued = 0;
            for (int r = 0; r < q->rowCount(); ++r)
                valued += !q->value(r, b.valueField).isNull() && !q->value(r, QStringLiteral("X")).isNull();
            PlotSeries* isotherm = nullptr;
            for (PlotSeries* s : w->chart()->allSeries()) {
                if (s->kind() == SeriesKind::Points)
                    isotherm = s;
            }
            if (c.classId == 1) {
                QVERIFY2(!isotherm, qPrintable(label));
            } else if (q->rowCount() > 0) {
                QVERIFY2(isotherm, qPrintable(label));
                // Values computed outside their equations' ranges say so in the legend.
                QCOMPARE(isotherm->title(), isothermTitle(c.key, QStringLiteral("1273"))
                                                + (q->hasMarks() ? QStringLiteral(" (extrapolated)") : QString()));
                // The chart keeps one point per distinct composition with a value.
                QVERIFY2(isotherm->pointCount() > 0 && isotherm->pointCount() <= valued, qPrintable(label));
                ++drawnPerClass[c.className];
            }
            if (c.classId == 1 && q->rowCount() > 0)
                ++drawnPerClass[c.className];
        }
        session().setChoices({});
        dirs::overrideApplicationDir(QString());
        qInfo() << combinations.size() << "visits; drawn per class:" << drawnPerClass;
        for (const char* name : {"Pure metals", "Binary systems", "Ternary systems", "Quaternary systems", "Quinary systems"})
            QVERIFY2(drawnPerClass.value(QString::fromLatin1(name)) > 0, name);
    }
};

QTEST_MAIN(TestChartOnShipped)
#include "test_chart_on_shipped.moc"
